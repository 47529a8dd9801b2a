#include "dictionary/word_list_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/text_seam_win.h"

void showListedWords(DirectionState& state, const std::u16string_view* words, std::size_t count) {
  std::vector<std::wstring> shown;
  shown.reserve(count);
  for (std::size_t i = 0; i < count; ++i) shown.push_back(toWideText(words[i]));
  if (shown == state.listedWords) return;
  state.listedWords = std::move(shown);
  const HWND list = state.controls.wordList;
  const std::size_t wanted = state.listedWords.size();
  const auto existing = static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
  for (std::size_t i = existing; i > wanted; --i) SendMessageW(list, LVM_DELETEITEM, i - 1, 0);
  for (std::size_t i = existing; i < wanted; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  // The items that stayed ask for their new words when the list next draws them.
  InvalidateRect(list, nullptr, TRUE);
}

std::wstring listedWordAt(const DirectionState& state, int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= state.listedWords.size()) return {};
  return state.listedWords[static_cast<std::size_t>(item)];
}

void answerListedWordRequest(const DirectionState& state, NMLVDISPINFOW& request) {
  LVITEMW& item = request.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const std::wstring* word = nullptr;
  if (item.iItem >= 0 && static_cast<std::size_t>(item.iItem) < state.listedWords.size() && item.iSubItem == 0) {
    word = &state.listedWords[static_cast<std::size_t>(item.iItem)];
  }
  const std::size_t length =
      word ? std::min<std::size_t>(word->size(), static_cast<std::size_t>(item.cchTextMax) - 1) : 0;
  if (length) std::copy_n(word->data(), length, item.pszText);
  item.pszText[length] = L'\0';
}
