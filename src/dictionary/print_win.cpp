#include "dictionary/print_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/article_format.h"

namespace {

// A font of the given size in points for the device, in the face the article view uses.
HFONT makePrintFont(HDC device, int points, bool bold) {
  const int height = -MulDiv(points, GetDeviceCaps(device, LOGPIXELSY), 72);
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Song");
}

// Splits one paragraph into lines no wider than `width`: at blanks where possible, between
// CJK characters, and inside a word only when the word alone is wider than the line.
struct WrappedLine {
  std::size_t start;  // in the paragraph
  std::wstring text;
};

std::vector<WrappedLine> wrapParagraph(HDC device, const std::wstring& paragraph, int width) {
  std::vector<WrappedLine> lines;
  const std::u16string core = toCoreText(paragraph);
  std::size_t start = 0;
  while (start < paragraph.size()) {
    const auto rest = static_cast<int>(std::min<std::size_t>(paragraph.size() - start, 32767));
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(device, paragraph.c_str() + start, rest, width, &fit, nullptr, &size);
    const std::size_t end = printedLineEnd(core, start, static_cast<std::size_t>(std::max(fit, 0)));
    std::wstring line = paragraph.substr(start, end - start);
    while (!line.empty() && line.back() == L' ') line.pop_back();
    lines.push_back({start, line});
    start = end;
    while (start < paragraph.size() && paragraph[start] == L' ') ++start;
  }
  if (lines.empty()) lines.push_back({0, {}});  // an empty paragraph is an empty line
  return lines;
}

// A paragraph and the colour of each of its characters (none: black).
struct Paragraph {
  std::wstring text;
  std::vector<COLORREF> colours;
};

std::vector<Paragraph> paragraphsOf(const std::wstring& text, const std::vector<COLORREF>& colours) {
  std::vector<Paragraph> paragraphs;
  Paragraph current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r') continue;
    if (c == L'\n') {
      paragraphs.push_back(std::move(current));
      current = {};
    } else {
      current.text += c;
      if (!colours.empty()) current.colours.push_back(i < colours.size() ? colours[i] : RGB(0, 0, 0));
    }
  }
  if (!current.text.empty()) paragraphs.push_back(std::move(current));
  return paragraphs;
}

struct PageWriter {
  HDC device;
  const PageEvents& events;
  RECT body;
  int y = 0;
  int pages = 0;
  bool onPage = false;
  bool stopped = false;

  // `colours`, when given, holds the colour of each character of `text`.
  void line(const std::wstring& text, int height, const COLORREF* colours = nullptr) {
    if (stopped) return;
    if (onPage && y + height > body.bottom) endPage();
    if (stopped) return;
    if (!onPage) {
      if (!events.startPage(events.context)) {
        stopped = true;
        return;
      }
      onPage = true;
      ++pages;
      y = body.top;
    }
    if (!colours) {
      if (!text.empty()) TextOutW(device, body.left, y, text.c_str(), static_cast<int>(text.size()));
    } else {
      // Run by run of one colour, each starting where the one before ended.
      int x = body.left;
      for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start + 1;
        while (end < text.size() && colours[end] == colours[start]) ++end;
        const int length = static_cast<int>(end - start);
        SetTextColor(device, colours[start]);
        TextOutW(device, x, y, text.c_str() + start, length);
        SIZE size{};
        GetTextExtentPoint32W(device, text.c_str() + start, length, &size);
        x += size.cx;
        start = end;
      }
      SetTextColor(device, RGB(0, 0, 0));
    }
    y += height;
  }
  void endPage() {
    if (!onPage) return;
    onPage = false;
    if (!events.endPage(events.context)) stopped = true;
  }
};

int lineHeight(HDC device) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(device, &metrics);
  return std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
}

bool startPrinterPage(void* device) { return StartPage(static_cast<HDC>(device)) > 0; }
bool endPrinterPage(void* device) { return EndPage(static_cast<HDC>(device)) > 0; }

}  // namespace

int printArticleOnPages(HDC device, const RECT& page, const std::wstring& headword, const std::wstring& article,
                        const PageEvents& events, const std::vector<COLORREF>& colours) {
  // One inch of margin, but never more than a tenth of the page on each side.
  const int dpiX = std::max(1, GetDeviceCaps(device, LOGPIXELSX));
  const int dpiY = std::max(1, GetDeviceCaps(device, LOGPIXELSY));
  const int marginX = std::min<int>(dpiX, (page.right - page.left) / 10);
  const int marginY = std::min<int>(dpiY, (page.bottom - page.top) / 10);
  PageWriter writer{
      device, events, {page.left + marginX, page.top + marginY, page.right - marginX, page.bottom - marginY}};
  const int width = std::max<int>(1, writer.body.right - writer.body.left);

  const HFONT headingFont = makePrintFont(device, 16, true);
  const HFONT bodyFont = makePrintFont(device, 11, false);
  const HGDIOBJ previousFont = SelectObject(device, headingFont ? headingFont : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(device, TRANSPARENT);
  SetTextColor(device, RGB(0, 0, 0));
  SetTextAlign(device, TA_LEFT | TA_TOP | TA_NOUPDATECP);

  const int headingHeight = lineHeight(device);
  for (const auto& line : wrapParagraph(device, headword, width)) writer.line(line.text, headingHeight);
  SelectObject(device, bodyFont ? bodyFont : GetStockObject(DEFAULT_GUI_FONT));
  const int bodyHeight = lineHeight(device);
  writer.line(L"", bodyHeight);
  for (const auto& paragraph : paragraphsOf(article, colours)) {
    for (const auto& line : wrapParagraph(device, paragraph.text, width)) {
      const bool coloured = paragraph.colours.size() == paragraph.text.size() && !line.text.empty();
      writer.line(line.text, bodyHeight, coloured ? paragraph.colours.data() + line.start : nullptr);
    }
  }
  writer.endPage();

  SelectObject(device, previousFont);
  if (headingFont) DeleteObject(headingFont);
  if (bodyFont) DeleteObject(bodyFont);
  return writer.stopped ? 0 : writer.pages;
}

std::vector<COLORREF> printColours(const std::wstring& article, const DirectionState& state,
                                   const std::wstring& headword) {
  const int scheme = state.view.toneScheme;
  if (scheme < 1 || static_cast<std::size_t>(scheme) > toneSchemes().size()) return {};
  const std::u16string text = toCoreText(article);
  const ArticleMarks marks = findArticleMarks(text, state.direction, toCoreText(headword));
  std::vector<COLORREF> colours(text.size(), RGB(0, 0, 0));
  const auto& toneColours = toneSchemes()[static_cast<std::size_t>(scheme - 1)].colours;
  for (const ToneSpan& span : marks.tones) {
    if (span.tone < 1 || span.tone > 5 || span.start >= colours.size()) continue;
    const std::size_t end = std::min(colours.size(), span.start + span.length);
    std::fill(colours.begin() + static_cast<std::ptrdiff_t>(span.start),
              colours.begin() + static_cast<std::ptrdiff_t>(end),
              static_cast<COLORREF>(toneColours[static_cast<std::size_t>(span.tone - 1)]));
  }
  return colours;
}

void printShownArticle(HWND owner, const DirectionState& state) {
  // The article as the view counts its characters (one LF per line end), which is what the
  // tone colours are found on.
  const std::wstring article = toWideText(withViewLineEnds(toCoreText(readWindowText(state.controls.articleView))));
  if (article.empty()) return;
  // The word the shown article is of: a headword browsed in the list while the word box
  // keeps what was typed; the typed text over a miss's nearest words.
  const std::wstring headword =
      state.view.headword.empty() ? readWindowText(state.controls.wordBox) : toWideText(state.view.headword);
  const std::vector<COLORREF> colours = printColours(article, state, toWideText(state.view.colouredFor));

  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
  const bool chosen = PrintDlgW(&dialog) != FALSE;
  const auto releaseSettings = [&dialog] {
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  };
  if (!chosen || !dialog.hDC) {
    releaseSettings();
    if (dialog.hDC) DeleteDC(dialog.hDC);
    // Cancel is no failure; a printer that could not be set up is.
    if (!chosen && CommDlgExtendedError() != 0) {
      showInfoMessage(owner, L"The article could not be printed: the printer could not be set up.");
    }
    return;
  }

  DOCINFOW document{};
  document.cbSize = sizeof(document);
  const std::wstring title = L"Dictionary article: " + headword;
  document.lpszDocName = title.c_str();
  if (StartDocW(dialog.hDC, &document) > 0) {
    const RECT page{0, 0, GetDeviceCaps(dialog.hDC, HORZRES), GetDeviceCaps(dialog.hDC, VERTRES)};
    const int printed = printArticleOnPages(dialog.hDC, page, headword, article,
                                            {startPrinterPage, endPrinterPage, dialog.hDC}, colours);
    if (printed > 0) {
      if (EndDoc(dialog.hDC) <= 0) {
        showInfoMessage(owner, L"The article could not be printed: the printer did not finish the job.");
      }
    } else {
      AbortDoc(dialog.hDC);
      showInfoMessage(owner, L"The article could not be printed: the printer stopped the job.");
    }
  } else if (GetLastError() != ERROR_CANCELLED) {  // the user cancelled a print-to-file name
    showInfoMessage(owner, L"The article could not be printed: the printer did not take the job.");
  }
  DeleteDC(dialog.hDC);
  releaseSettings();
}
