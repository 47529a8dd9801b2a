// UTF-8 / UTF-16 / UTF-32 conversions used by the article builder.
// The source dictionary is UTF-8; the article files are UTF-16LE. Text is
// kept as UTF-8 while it is parsed and rearranged and converted once when a
// record is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8.h"

namespace article_builder {

// The program's UTF-8 codec (common/utf8.h), under the names the builder uses.
using ::appendUtf16;
using ::appendUtf8;
using ::decodeUtf8;
using ::isValidUtf8;
using ::toUtf8;
using ::utf16Length;
using ::utf8ToUtf16;

// True for the CJK ideographs, radicals, compatibility forms and the
// supplementary ideograph planes: characters that make up Chinese words.
bool isHanCharacter(char32_t c);

// The lines of a text, without their line feeds and a carriage return before
// one; a last line without a line feed counts too.
std::vector<std::string_view> textLines(std::string_view text);

}  // namespace article_builder
