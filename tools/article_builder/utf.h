// UTF-8 / UTF-16 / UTF-32 conversions used by the article builder.
// The source dictionary is UTF-8; the article files are UTF-16LE. Text is
// kept as UTF-8 while it is parsed and rearranged and converted once when a
// record is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace article_builder {

// Decodes UTF-8 into code points. Returns false (and leaves `out` in an
// unspecified state) on any malformed, overlong or surrogate sequence, so a
// damaged source line can be skipped instead of producing garbage.
bool decodeUtf8(std::string_view in, std::u32string& out);

// True when `in` is well-formed UTF-8.
bool isValidUtf8(std::string_view in);

void appendUtf8(std::string& out, char32_t c);
std::string toUtf8(std::u32string_view in);

// Converts UTF-8 to UTF-16. Malformed input becomes U+FFFD rather than
// being dropped, so lengths stay predictable; callers validate first.
std::u16string utf8ToUtf16(std::string_view in);

void appendUtf16(std::u16string& out, char32_t c);

// Number of UTF-16 code units `in` will take.
std::size_t utf16Length(std::string_view utf8);

// True for the CJK ideographs, radicals, compatibility forms and the
// supplementary ideograph planes: characters that make up Chinese words.
bool isHanCharacter(char32_t c);

// The lines of a text, without their line feeds and a carriage return before
// one; a last line without a line feed counts too.
std::vector<std::string_view> textLines(std::string_view text);

}  // namespace article_builder
