// UTF-8 for the files the program writes as plain text (the history, My Words and the
// flashcard export): a strict reader and a writer that never emits a broken sequence.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The UTF-8 form of UTF-16 text. A lone surrogate cannot be written in UTF-8 and becomes
// U+FFFD, so the result always reads back.
std::string utf8FromText(std::u16string_view text);

// UTF-16 text from UTF-8, or nothing when the bytes are not well-formed UTF-8: a stray or
// missing continuation byte, an overlong form, a surrogate or a value beyond U+10FFFF.
std::optional<std::u16string> textFromUtf8(std::string_view bytes);

// True when every surrogate in the text is half of a pair.
bool hasOnlyPairedSurrogates(std::u16string_view text);
