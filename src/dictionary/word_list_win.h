// A direction's word list. Its items hold no text of their own: the list asks the window
// for an item's text when it draws it (LPSTR_TEXTCALLBACKW), and the words live in the
// direction's state. A keystroke then changes those words and repaints the list once,
// instead of setting 25 item texts, each of which makes the list repaint that item.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/direction_state_win.h"

// Shows words[0..count) in the direction's word list, one item each, in order. Words the
// list already shows are not drawn again.
void showListedWords(DirectionState& state, const std::u16string_view* words, std::size_t count);

// The word of item `item`, whole; empty for an item the list does not have.
std::wstring listedWordAt(const DirectionState& state, int item);

// Answers the list's request for an item's text (LVN_GETDISPINFOW): the word, cut to the
// request's buffer; an empty text for an item the list does not have.
void answerListedWordRequest(const DirectionState& state, NMLVDISPINFOW& request);
