#include "utf.h"

namespace article_builder {

bool isHanCharacter(char32_t c) {
  return (c >= 0x2E80 && c <= 0x2FDF)        // radicals supplement, Kangxi radicals
         || (c >= 0x3005 && c <= 0x3007)     // 々 〆 〇
         || (c >= 0x3400 && c <= 0x4DBF)     // extension A
         || (c >= 0x4E00 && c <= 0x9FFF)     // unified ideographs
         || (c >= 0xF900 && c <= 0xFAFF)     // compatibility ideographs
         || (c >= 0x20000 && c <= 0x3134F);  // supplementary ideograph planes
}

std::vector<std::string_view> textLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace article_builder
