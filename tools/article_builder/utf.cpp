#include "utf.h"

namespace article_builder {

namespace {

// Decodes one code point starting at `pos`; advances `pos`. Returns false on
// malformed input.
bool decodeOne(std::string_view in, std::size_t& pos, char32_t& out) {
    const std::size_t size = in.size();
    if (pos >= size) return false;
    const unsigned char lead = static_cast<unsigned char>(in[pos]);
    if (lead < 0x80) {
        out = lead;
        ++pos;
        return true;
    }
    std::size_t extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return false;
    }
    if (extra > size - pos - 1) return false;
    for (std::size_t i = 1; i <= extra; ++i) {
        const unsigned char next = static_cast<unsigned char>(in[pos + i]);
        if ((next & 0xC0) != 0x80) return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF) return false;
    if (value >= 0xD800 && value <= 0xDFFF) return false;
    out = value;
    pos += extra + 1;
    return true;
}

}  // namespace

bool decodeUtf8(std::string_view in, std::u32string& out) {
    out.clear();
    out.reserve(in.size());
    std::size_t pos = 0;
    while (pos < in.size()) {
        char32_t c = 0;
        if (!decodeOne(in, pos, c)) return false;
        out.push_back(c);
    }
    return true;
}

bool isValidUtf8(std::string_view in) {
    std::size_t pos = 0;
    while (pos < in.size()) {
        char32_t c = 0;
        if (!decodeOne(in, pos, c)) return false;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string toUtf8(std::u32string_view in) {
    std::string out;
    out.reserve(in.size() * 2);
    for (char32_t c : in) appendUtf8(out, c);
    return out;
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
        const char32_t v = c - 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        out.push_back(u'\uFFFD');
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

std::u16string utf8ToUtf16(std::string_view in) {
    std::u16string out;
    out.reserve(in.size());
    std::size_t pos = 0;
    while (pos < in.size()) {
        char32_t c = 0;
        if (!decodeOne(in, pos, c)) {
            out.push_back(u'\uFFFD');
            ++pos;
            continue;
        }
        appendUtf16(out, c);
    }
    return out;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (char ch : utf8) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) == 0x80) continue;  // continuation byte
        units += (b >= 0xF0) ? 2 : 1;
    }
    return units;
}

bool isHanCharacter(char32_t c) {
    return (c >= 0x2E80 && c <= 0x2FDF)      // radicals supplement, Kangxi radicals
           || (c >= 0x3005 && c <= 0x3007)   // 々 〆 〇
           || (c >= 0x3400 && c <= 0x4DBF)   // extension A
           || (c >= 0x4E00 && c <= 0x9FFF)   // unified ideographs
           || (c >= 0xF900 && c <= 0xFAFF)   // compatibility ideographs
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
