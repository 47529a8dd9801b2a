#include "usage_truth.h"

#include <algorithm>

#include "utf.h"

using article_builder::textLines;

std::unordered_map<std::string, double> parseUsage(std::string_view text) {
  std::unordered_map<std::string, double> usage;
  for (const std::string_view line : textLines(text)) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 >= line.size()) continue;
    double count = 0;
    for (const char digit : line.substr(comma + 1)) {
      if (digit < '0' || digit > '9') {
        count = -1;
        break;
      }
      count = count * 10 + (digit - '0');
    }
    if (count > 0) usage[std::string(line.substr(0, comma))] += count;
  }
  return usage;
}

std::string clearlyMostUsed(const std::set<std::string>& group, const std::unordered_map<std::string, double>& usage,
                            double minimum) {
  std::string top;
  double best = 0, next = 0;
  for (const std::string& word : group) {
    const auto found = usage.find(word);
    const double count = found == usage.end() ? 0 : found->second;
    if (count > best) {
      next = best;
      best = count;
      top = word;
    } else {
      next = std::max(next, count);
    }
  }
  return best >= minimum && best >= 2 * next ? top : std::string();
}
