#include "dictionary/article_view_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/handles_win.h"
#include "common/text_seam_win.h"

namespace {

// The font the control was given (WM_SETFONT), as its default character format holds it.
ViewFont viewFontOf(HWND view) {
  CHARFORMATW format{};
  format.cbSize = sizeof(format);
  SendMessageW(view, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  ViewFont font;
  font.face = toCoreText(std::wstring(format.szFaceName, wcsnlen(format.szFaceName, LF_FACESIZE)));
  // Twips to half points. A font made with a cell height (a positive height) reports it
  // negated.
  font.halfPoints = std::max<LONG>(2, std::abs(format.yHeight) / 10);
  font.charset = format.bCharSet;
  return font;
}

struct StreamSource {
  const std::string* bytes;
  std::size_t position;
};

DWORD CALLBACK readStreamSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t left = source->bytes->size() - source->position;
  const std::size_t count = std::min<std::size_t>(left, static_cast<std::size_t>(std::max<LONG>(wanted, 0)));
  std::copy_n(source->bytes->data() + source->position, count, buffer);
  source->position += count;
  *given = static_cast<LONG>(count);
  return 0;
}

void streamRtfInto(HWND view, const std::string& rtf) {
  StreamSource source{&rtf, 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = readStreamSource;
  SendMessageW(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void selectRange(HWND view, std::size_t start, std::size_t length) {
  CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(start + length)};
  SendMessageW(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  SendMessageW(view, EM_SCROLLCARET, 0, 0);
}

// The link under a point of the view's client area: the character nearest the point must
// also hold it, so a click beside the end of a line does not follow the link that ends it.
const ArticleLink* linkAtPoint(HWND view, const ArticleViewState& state, POINT point) {
  POINTL at{point.x, point.y};
  const auto character = static_cast<LONG>(SendMessageW(view, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
  if (character < 0) return nullptr;
  const auto found = std::find_if(state.links.begin(), state.links.end(), [&](const ArticleLink& link) {
    return static_cast<std::size_t>(character) >= link.start &&
           static_cast<std::size_t>(character) < link.start + link.length;
  });
  if (found == state.links.end()) return nullptr;
  POINTL first{};
  POINTL past{};
  SendMessageW(view, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), found->start);
  SendMessageW(view, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&past), found->start + found->length);
  if (point.x < first.x) return nullptr;
  if (past.y == first.y && point.x >= past.x) return nullptr;
  return &*found;
}

}  // namespace

void showArticle(DirectionState& state, std::u16string_view article, std::u16string_view headword,
                 std::u16string_view foundAs) {
  const HWND view = state.controls.articleView;
  ArticleViewState& look = state.view;
  look.links.clear();
  look.focusedLink = -1;
  look.headword.assign(headword);
  look.colouredFor.assign(foundAs.empty() ? headword : foundAs);
  // The plain view sets the text as it always has; whatever follows a zero unit never shows.
  article = article.substr(0, article.find(u'\0'));
  if (look.toneScheme < 1 || static_cast<std::size_t>(look.toneScheme) > toneSchemes().size()) {
    const RedrawSuspended articleRedraw(view);
    SetWindowTextW(view, toWideText(article).c_str());
    return;
  }
  const std::u16string text = withViewLineEnds(article);
  ArticleMarks marks = findArticleMarks(text, state.direction, look.colouredFor);
  const std::string rtf = articleRtf(text, marks, toneSchemes()[look.toneScheme - 1], viewFontOf(view));
  look.links = std::move(marks.links);
  look.formatted = true;
  // The view reports its key and mouse input, so that links can be followed.
  SendMessageW(view, EM_SETEVENTMASK, 0, ENM_KEYEVENTS | ENM_MOUSEEVENTS);
  const RedrawSuspended articleRedraw(view);
  streamRtfInto(view, rtf);
  // Reading in leaves the caret, and the view's scroll, at the end; the plain view starts
  // every article at its top.
  SendMessageW(view, EM_SETSEL, 0, 0);
  SendMessageW(view, WM_VSCROLL, SB_TOP, 0);
}

void setToneScheme(DirectionState& state, int scheme) {
  ArticleViewState& look = state.view;
  look.toneScheme = scheme;
  if (scheme != 0 || !look.formatted) return;
  const HWND view = state.controls.articleView;
  SendMessageW(view, EM_SETEVENTMASK, 0, 0);
  SetWindowTextW(view, L"");
  // The control's own look: its font, the automatic colour, no underline, bold or ground.
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(view, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_UNDERLINE | CFM_BOLD | CFM_BACKCOLOR | CFM_LINK;
  format.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
  SendMessageW(view, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  look.links.clear();
  look.focusedLink = -1;
  look.formatted = false;
}

LinkInput readLinkInput(DirectionState& state, const MSGFILTER& input, const ArticleLink** link) {
  ArticleViewState& look = state.view;
  *link = nullptr;
  if (look.links.empty()) return LinkInput::None;
  const HWND view = state.controls.articleView;
  const auto count = static_cast<int>(look.links.size());
  switch (input.msg) {
    case WM_KEYDOWN:
      if (input.wParam == VK_TAB) {
        const bool backwards = GetKeyState(VK_SHIFT) < 0;
        if (look.focusedLink < 0) look.focusedLink = backwards ? count - 1 : 0;
        else look.focusedLink = (look.focusedLink + (backwards ? count - 1 : 1)) % count;
        const ArticleLink& focused = look.links[static_cast<std::size_t>(look.focusedLink)];
        selectRange(view, focused.start, focused.length);
        return LinkInput::Handled;
      }
      if (input.wParam == VK_RETURN && look.focusedLink >= 0) {
        // Only while the focused link is still what is selected: a click elsewhere or a
        // selection made by hand leaves Tab's choice behind.
        CHARRANGE selected{};
        SendMessageW(view, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selected));
        const ArticleLink& focused = look.links[static_cast<std::size_t>(look.focusedLink)];
        if (static_cast<std::size_t>(selected.cpMin) != focused.start ||
            static_cast<std::size_t>(selected.cpMax) != focused.start + focused.length) {
          return LinkInput::None;
        }
        *link = &focused;
        return LinkInput::Follow;
      }
      return LinkInput::None;
    case WM_CHAR:
      // The tab and line characters of the keys above are no text for a read-only view.
      return input.wParam == L'\t' || (input.wParam == L'\r' && look.focusedLink >= 0) ? LinkInput::Handled
                                                                                       : LinkInput::None;
    case WM_LBUTTONUP: {
      CHARRANGE selected{};
      SendMessageW(view, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selected));
      if (selected.cpMin != selected.cpMax) return LinkInput::None;  // the end of a drag that selected text
      const POINT point{static_cast<short>(LOWORD(input.lParam)), static_cast<short>(HIWORD(input.lParam))};
      *link = linkAtPoint(view, look, point);
      return *link ? LinkInput::Follow : LinkInput::None;
    }
    default:
      return LinkInput::None;
  }
}

namespace {

LRESULT CALLBACK forwardNotices(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == EN_MSGFILTER) {
    return SendMessageW(GetParent(window), WM_NOTIFY, wParam, lParam);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void forwardArticleViewNotices(HWND tabControl) { SetWindowSubclass(tabControl, forwardNotices, 1, 0); }
