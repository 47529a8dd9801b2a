#include "app/toolbar_tips_win.h"

#include <commctrl.h>

#include "resource.h"

namespace {

struct ButtonTip {
  int command;
  int text;
};
constexpr ButtonTip buttonTips[] = {
    {IDT_NEW_ARTICLE, IDS_TIP_NEW_ARTICLE},
    {IDT_NEW_LANGUAGE, IDS_TIP_NEW_LANGUAGE},
    {IDT_SAVE, IDS_TIP_SAVE},
    {IDT_PRINT, IDS_TIP_PRINT},
    {IDT_CUT, IDS_TIP_CUT},
    {IDT_COPY, IDS_TIP_COPY},
    {IDT_PASTE, IDS_TIP_PASTE},
    {IDT_HELP, IDS_TIP_HELP},
};

// The rectangle of the button (not the separator) that sends the command.
RECT buttonRect(HWND toolbar, int command) {
  RECT rect{};
  const auto count = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (!SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
    if (button.idCommand == command && !(button.fsStyle & BTNS_SEP)) {
      SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
      break;
    }
  }
  return rect;
}

}  // namespace

void addToolbarTips(HWND toolbar, HINSTANCE instance) {
  if (!toolbar) return;
  // Owned by no window: an owned pop-up would be carried along when the main window moves
  // into or out of the top-most band, and some window managers then leave the main
  // window out of it. The control lives as long as the program.
  const HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!tips) return;
  for (const ButtonTip& tip : buttonTips) {
    wchar_t text[128] = L"";
    LoadStringW(instance, tip.text, text, 128);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = toolbar;
    // The toolbar moves a tool whose id is its button's command along with the button.
    tool.uId = static_cast<UINT_PTR>(tip.command);
    tool.rect = buttonRect(toolbar, tip.command);
    tool.hinst = instance;
    tool.lpszText = text;  // copied by the control
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageW(toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips), 0);
}
