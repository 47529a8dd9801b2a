// What a capture keeps of the text it takes from the clipboard.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The most a capture reads from a clipboard block: enough for any selection that can be
// meant as a word or phrase, and small enough that a whole page copied by mistake costs
// nothing noticeable.
constexpr std::size_t maxClipboardUnitsRead = 64 * 1024;

// The most a capture keeps, in UTF-16 units. Longer than any headword and than a sentence
// of ordinary length; what lies beyond it cannot be a headword anyway.
constexpr std::size_t maxCapturedLength = 256;

// Line breaks of any kind; blanks a selection can carry at its ends (the plain ones, the
// no-break space web pages put between words, the typographic spaces and the ideographic
// space of Chinese text); and either of the two.
bool isCapturedLineBreak(char16_t c);
bool isCapturedBlank(char16_t c);
bool isCapturedSpace(char16_t c);

// The word box text for a piece of clipboard text. The text ends at its first NUL (a block
// may carry garbage after it). Blanks and line breaks around the text go: a word
// double-clicked in a browser or an editor often carries them. Inside, every line break,
// together with the blanks around it, becomes one blank, so a phrase that wrapped across
// lines reads as the phrase. The result is cut to maxCapturedLength units without splitting
// a surrogate pair. An empty result means there is nothing to look up.
std::u16string capturedTextFromClipboard(std::u16string_view clipboardText);
