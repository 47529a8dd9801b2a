#include "dictionary/print_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/window_text_win.h"

namespace {

// A font of the given size in points for the device, in the face the article view uses.
HFONT makePrintFont(HDC device, int points, bool bold) {
  const int height = -MulDiv(points, GetDeviceCaps(device, LOGPIXELSY), 72);
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Song");
}

// Chinese, Japanese and Korean text may break between any two characters.
bool breaksAnywhere(wchar_t c) { return c >= 0x2E80 && c <= 0xFFEF; }

// Splits one paragraph into lines no wider than `width`: at blanks where possible, between
// CJK characters, and inside a word only when the word alone is wider than the line.
std::vector<std::wstring> wrapParagraph(HDC device, const std::wstring& paragraph, int width) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < paragraph.size()) {
    const auto rest = static_cast<int>(std::min<std::size_t>(paragraph.size() - start, 32767));
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(device, paragraph.c_str() + start, rest, width, &fit, nullptr, &size);
    std::size_t end = start + static_cast<std::size_t>(std::max(fit, 1));
    if (end < paragraph.size()) {
      for (std::size_t at = end; at > start + 1; --at) {
        if (paragraph[at - 1] == L' ' || breaksAnywhere(paragraph[at - 1]) || breaksAnywhere(paragraph[at])) {
          end = at;
          break;
        }
      }
    }
    std::wstring line = paragraph.substr(start, end - start);
    while (!line.empty() && line.back() == L' ') line.pop_back();
    lines.push_back(line);
    start = end;
    while (start < paragraph.size() && paragraph[start] == L' ') ++start;
  }
  if (lines.empty()) lines.emplace_back();  // an empty paragraph is an empty line
  return lines;
}

std::vector<std::wstring> paragraphsOf(const std::wstring& text) {
  std::vector<std::wstring> paragraphs;
  std::wstring current;
  for (const wchar_t c : text) {
    if (c == L'\r') continue;
    if (c == L'\n') {
      paragraphs.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) paragraphs.push_back(current);
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

  void line(const std::wstring& text, int height) {
    if (stopped) return;
    if (onPage && y + height > body.bottom) endPage();
    if (!onPage) {
      if (!events.startPage(events.context)) {
        stopped = true;
        return;
      }
      onPage = true;
      ++pages;
      y = body.top;
    }
    if (!text.empty()) TextOutW(device, body.left, y, text.c_str(), static_cast<int>(text.size()));
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
                        const PageEvents& events) {
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
  for (const auto& line : wrapParagraph(device, headword, width)) writer.line(line, headingHeight);
  SelectObject(device, bodyFont ? bodyFont : GetStockObject(DEFAULT_GUI_FONT));
  const int bodyHeight = lineHeight(device);
  writer.line(L"", bodyHeight);
  for (const auto& paragraph : paragraphsOf(article)) {
    for (const auto& line : wrapParagraph(device, paragraph, width)) writer.line(line, bodyHeight);
  }
  writer.endPage();

  SelectObject(device, previousFont);
  if (headingFont) DeleteObject(headingFont);
  if (bodyFont) DeleteObject(bodyFont);
  return writer.pages;
}

void printShownArticle(HWND owner, const DirectionControls& controls) {
  const std::wstring article = readWindowText(controls.articleView);
  if (article.empty()) return;
  const std::wstring headword = readWindowText(controls.wordBox);

  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!PrintDlgW(&dialog) || !dialog.hDC) return;

  DOCINFOW document{};
  document.cbSize = sizeof(document);
  const std::wstring title = L"Dictionary article: " + headword;
  document.lpszDocName = title.c_str();
  if (StartDocW(dialog.hDC, &document) > 0) {
    const RECT page{0, 0, GetDeviceCaps(dialog.hDC, HORZRES), GetDeviceCaps(dialog.hDC, VERTRES)};
    const int printed =
        printArticleOnPages(dialog.hDC, page, headword, article, {startPrinterPage, endPrinterPage, dialog.hDC});
    if (printed > 0) EndDoc(dialog.hDC);
    else AbortDoc(dialog.hDC);
  }
  DeleteDC(dialog.hDC);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
}
