#include "settings/options_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "common/direction.h"
#include "common/globals.h"
#include "common/handles_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "resource.h"
#include "settings/configuration.h"
#include "settings/configuration_win.h"

namespace {

RunValueWriter runValueWriter = writeRunValue;

// The value's text, or empty when it is missing, unreadable or not text. Only whether it
// names a program matters here, so an overlong value reads as a non-empty placeholder.
std::wstring readRunValue(HKEY root, const std::wstring& valueName) {
  RegistryKey run;
  if (RegOpenKeyExW(root, runKeyPath, 0, KEY_QUERY_VALUE, run.out()) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  wchar_t data[1024];
  DWORD size = sizeof(data);
  const LONG result =
      RegQueryValueExW(run.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  if (result == ERROR_MORE_DATA) return L"?";
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  // The stored data need not end in a null; take only the units it holds.
  std::wstring text(data, std::min<std::size_t>(size / sizeof(wchar_t), std::size(data)));
  const auto end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  return text;
}

// The user's own Run value is cleared whenever the machine-wide one is written, so the
// program never starts twice at log-on.
bool clearUserRunValue(const std::wstring& valueName) {
  if (readRunValue(HKEY_CURRENT_USER, valueName).empty()) return true;
  return runValueWriter(HKEY_CURRENT_USER, valueName, L"");
}

OptionsDialog& dialogOf(HWND dialog) { return *reinterpret_cast<OptionsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

void fillOptionsDialog(HWND dialog, const Settings& settings) {
  const HWND list = GetDlgItem(dialog, IDC_DEFAULT_LANGUAGE);
  for (const Direction direction : bothDirections) {
    const std::wstring label = toWideText(directionLabel(direction));
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  const auto stored = settings.find(std::u16string(defaultLanguageIdKey));
  if (stored != settings.end()) {
    const std::optional<Direction> direction = directionOfNumber(settingNumber(stored->second));
    // A stored number that names no item leaves the list without a selection.
    SendMessageW(list, CB_SETCURSEL, direction ? directionIndex(*direction) : -1, 0);
  }
  CheckDlgButton(dialog, IDC_LOAD_ON_START, isSettingOn(settings, loadOnStartKey) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_ALWAYS_ON_TOP, isSettingOn(settings, alwaysOnTopKey) ? BST_CHECKED : BST_UNCHECKED);
}

// Applies the dialog's choices to the running program, then stores them. A choice that
// could not be stored is still applied, and the user is told what did not work.
void saveOptions(HWND dialog) {
  OptionsDialog& options = dialogOf(dialog);
  const int index = static_cast<int>(SendDlgItemMessageW(dialog, IDC_DEFAULT_LANGUAGE, CB_GETCURSEL, 0, 0));
  const bool loadOnStart = IsDlgButtonChecked(dialog, IDC_LOAD_ON_START) == BST_CHECKED;
  const bool alwaysOnTop = IsDlgButtonChecked(dialog, IDC_ALWAYS_ON_TOP) == BST_CHECKED;

  const bool registered = setRunAtStartup(loadOnStart);
  if (const std::optional<Direction> direction = directionOfNumber(index)) options.showDirection(*direction);
  options.setAlwaysOnTop(alwaysOnTop);
  Settings choices;
  storeOptionsChoice(choices, loadOnStart, alwaysOnTop, index);
  for (const auto& choice : choices) options.settings[choice.first] = choice.second;
  // After a failed save the running program keeps the choices rather than reloading a
  // file that does not hold them.
  const bool saved = updateConfiguration(choices);
  Settings stored;
  if (saved && readConfiguration(stored)) options.settings = std::move(stored);

  std::wstring problems;
  if (!saved) {
    problems += L"The settings could not be saved to " + configurationFilePath() +
                L". The file or its folder may be read-only, or the disk full. The tab to start on and Always on "
                L"Top apply until the program ends.";
    if (registered) problems += L" Load on System start is set in Windows as chosen.";
  }
  if (!registered) {
    if (!problems.empty()) problems += L"\n\n";
    problems += loadOnStart ? L"The program could not be set to start with Windows."
                            : L"The program could not be stopped from starting with Windows.";
  }
  if (!problems.empty()) showInfoMessage(dialog, problems);
}

}  // namespace

bool writeRunValue(HKEY root, const std::wstring& valueName, const std::wstring& data) {
  RegistryKey currentVersion;
  if (RegCreateKeyExW(root, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, nullptr, 0, KEY_CREATE_SUB_KEY, nullptr,
                      currentVersion.out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegistryKey run;
  if (RegCreateKeyExW(currentVersion.get(), L"Run", 0, nullptr, 0, KEY_SET_VALUE, nullptr, run.out(), nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(run.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
         ERROR_SUCCESS;
}

void setRunValueWriterForTesting(RunValueWriter writer) { runValueWriter = writer ? writer : writeRunValue; }

std::wstring runValueName() { return toWideText(firstLanguage + secondLanguage + u"Dictionary"); }

bool setRunAtStartup(bool on) {
  const std::wstring name = runValueName();
  // Quoted, so that a path with blanks ("C:\Program Files\...") cannot be read as a
  // shorter program path followed by arguments.
  const std::wstring data = on ? L"\"" + executablePath() + L"\"" : std::wstring();
  if (runValueWriter(HKEY_LOCAL_MACHINE, name, data)) return clearUserRunValue(name);
  // A machine-wide value that already starts this program is enough: the user's own
  // beside it would start a second copy.
  if (on && readRunValue(HKEY_LOCAL_MACHINE, name) == data) return clearUserRunValue(name);
  if (on) return runValueWriter(HKEY_CURRENT_USER, name, data);
  // Off without write access to the machine key: the user's own value can still be
  // cleared, but a machine-wide value that names the program keeps starting it.
  return clearUserRunValue(name) && readRunValue(HKEY_LOCAL_MACHINE, name).empty();
}

void putWindowOnTop(HWND window, bool on) {
  SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
  CheckMenuItem(GetMenu(window), IDM_VIEW_ALWAYS_ON_TOP, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

INT_PTR CALLBACK optionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      fillOptionsDialog(dialog, reinterpret_cast<OptionsDialog*>(lParam)->settings);
      return TRUE;  // the system puts the focus on the first control
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Cancel, Enter (Cancel is the default button), Esc and the close box
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case IDC_OPTIONS_SAVE:
          saveOptions(dialog);
          EndDialog(dialog, IDC_OPTIONS_SAVE);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}
