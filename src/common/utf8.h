// UTF-8 / UTF-16 / UTF-32 conversions: the one codec of the program's core and its tools.
// The dictionary sources and sample texts are UTF-8; the article files and everything the
// program shows are UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Decodes UTF-8 into code points. Returns false (and leaves `out` in an unspecified state)
// on any malformed, overlong or surrogate sequence, so damaged text can be refused instead
// of producing garbage.
bool decodeUtf8(std::string_view in, std::u32string& out);

// True when `in` is well-formed UTF-8.
bool isValidUtf8(std::string_view in);

void appendUtf8(std::string& out, char32_t c);
std::string toUtf8(std::u32string_view in);

// Converts UTF-8 to UTF-16. Malformed input becomes U+FFFD rather than being dropped, so
// lengths stay predictable; callers that must refuse it validate first.
std::u16string utf8ToUtf16(std::string_view in);

// Appends one code point as UTF-16; one outside Unicode or a surrogate becomes U+FFFD.
void appendUtf16(std::u16string& out, char32_t c);

// Number of UTF-16 code units `utf8` will take.
std::size_t utf16Length(std::string_view utf8);

// Converts UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view in);
