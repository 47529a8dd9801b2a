#include "dictionary/article_view_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/lookup_win.h"
#include "dictionary/own_articles.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"

bool articleTextsLoaded() { return app.fileSize[0] != 0 && app.fileSize[1] != 0; }

std::wstring readWindowText(HWND control) {
  const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(copied), length));
  return text;
}

void clearTab(int tab) {
  const RedrawSuspended listRedraw(app.wordLists[tab]);
  const RedrawSuspended articleRedraw(app.articleViews[tab]);
  SendMessageW(app.wordLists[tab], LVM_DELETEALLITEMS, 0, 0);
  SetWindowTextW(app.articleViews[tab], L"");
}

void showArticle(const OwnLookup* own) {
  try {
    if (!articleTextsLoaded()) {
      showInfoMessage(toWideText(missingArticleFileMessage()));
      return;
    }
    const int tab = selectedTab();
    if (!app.tabText[tab]) {
      clearTab(tab);
      return;
    }
    const std::u16string word = toCoreText(readWindowText(app.wordBoxes[tab]));
    // Shown whole up to a length no well-formed article reaches; beyond it the view would
    // take minutes to lay the text out.
    std::u16string composed;
    std::u16string_view article;
    findTypedArticle(app.searchTexts[tab], word, tab, composed, article);
    // The user's own article for exactly this word comes first, under its heading.
    const ArticleLookup ownArticle = own ? own->article : findArticle(app.ownSearchTexts[tab], word);
    std::u16string withOwn;
    if (ownArticle.status == ArticleStatus::Found) {
      withOwn = ownArticleView(ownArticle.article, article);
      article = withOwn;
    }
    {
      const RedrawSuspended articleRedraw(app.articleViews[tab]);
      SetWindowTextW(app.articleViews[tab], toWideText(article).c_str());
    }
    showCurrentTab();
  } catch (...) {
    // Out of memory while copying the article: nothing is shown, the program goes on.
  }
}

void showChosenHeadword() {
  const int tab = selectedTab();
  const auto mark = SendMessageW(app.wordLists[tab], LVM_GETSELECTIONMARK, 0, 0);
  // A double click below the items, with nothing marked, chooses nothing.
  if (mark < 0) return;
  wchar_t headword[200] = L"";
  LVITEMW item{};
  item.iSubItem = 0;
  item.pszText = headword;
  item.cchTextMax = static_cast<int>(std::size(headword));
  SendMessageW(app.wordLists[tab], LVM_GETITEMTEXTW, static_cast<WPARAM>(mark), reinterpret_cast<LPARAM>(&item));
  SetWindowTextW(app.wordBoxes[tab], headword);
  showArticle();
}

void showCurrentTab() {
  const int current = selectedTab();
  for (int tab = 0; tab < 2; ++tab) {
    const int command = tab == current ? SW_SHOWNORMAL : SW_HIDE;
    for (const HWND control : {app.wordBoxes[tab], app.pronounceButtons[tab], app.wordLists[tab], app.articleViews[tab]}) {
      if (control) ShowWindow(control, command);
    }
  }
}
