#include "frequency.h"

#include "utf.h"

namespace article_builder {

FrequencyTable parseFrequencies(std::string_view text) {
    FrequencyTable table;
    table.words.reserve(text.size() / 12);
    for (const std::string_view line : textLines(text)) {
        if (line.empty()) continue;

        const std::size_t blank = line.find(' ');
        if (blank == 0 || blank == std::string_view::npos) {
            ++table.skippedLines;
            continue;
        }
        const std::string_view word = line.substr(0, blank);
        std::string_view rest = line.substr(blank + 1);
        std::uint64_t count = 0;
        std::size_t digits = 0;
        // Saturate rather than wrap: a corrupt huge number must not turn
        // into a small one and silently reorder the ranking.
        constexpr std::uint64_t cap = std::uint64_t{1} << 48;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
            if (count < cap) count = count * 10 + static_cast<std::uint64_t>(rest[digits] - '0');
            ++digits;
        }
        if (digits == 0 || (digits < rest.size() && rest[digits] != ' ') || !isValidUtf8(word)) {
            ++table.skippedLines;
            continue;
        }
        if (count > cap) count = cap;
        std::string_view tag = digits < rest.size() ? rest.substr(digits + 1) : std::string_view();
        while (!tag.empty() && tag.back() == ' ') tag.remove_suffix(1);
        if (tag.size() > 8 || !isValidUtf8(tag)) tag = {};
        // A word listed twice keeps its larger count and that count's tag.
        WordFrequency& slot = table.words[std::string(word)];
        if (count > slot.count || slot.tag.empty()) {
            if (count >= slot.count) slot.count = count;
            slot.tag = std::string(tag);
        }
    }
    return table;
}

std::uint64_t frequencyOf(const FrequencyTable& table, const std::string& word) {
    const auto found = table.words.find(word);
    return found == table.words.end() ? 0 : found->second.count;
}

std::string_view partOfSpeechOf(const FrequencyTable& table, const std::string& word) {
    const auto found = table.words.find(word);
    return found == table.words.end() ? std::string_view() : std::string_view(found->second.tag);
}

}  // namespace article_builder
