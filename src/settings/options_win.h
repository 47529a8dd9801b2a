// The options dialog, starting with Windows and staying on top.
#pragma once
#include <windows.h>

#include <string>

#include "common/direction.h"
#include "settings/configuration.h"

// Moves a window into the top-most band (or out of it) without moving or sizing it, showing
// it if hidden, and keeps its View menu's "Always on Top" check mark in step.
void putWindowOnTop(HWND window, bool on);

// What the options dialog changes: the settings it shows and stores, and the running
// program's tab and always-on-top state, which Save applies while the dialog is still up.
struct OptionsDialog {
  Settings& settings;
  void (*showDirection)(Direction direction);
  void (*setAlwaysOnTop)(bool on);
};

// Writes the Run value EnglishChineseDictionary: the executable's path in double quotes
// when on, the empty string when off. The machine-wide Run key is used where it can be
// written; a user without that right gets the value in the per-user Run key instead, and
// switching off clears whichever holds it. Returns false when the program would not start
// with Windows as asked (no Run key could be written, or a machine-wide value that this
// user cannot clear still names the program).
bool setRunAtStartup(bool on);

// The procedure of the options dialog (resource 37818). Its creation parameter points to an
// OptionsDialog.
INT_PTR CALLBACK optionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The Run value's name: the two language names followed by "Dictionary".
std::wstring runValueName();
// The key below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER that holds the Run values.
inline constexpr wchar_t runKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The one registry write setRunAtStartup makes: sets the REG_SZ value (terminating null
// included) under root's Run key, creating the keys if missing. False when it could not.
using RunValueWriter = bool (*)(HKEY root, const std::wstring& valueName, const std::wstring& data);
bool writeRunValue(HKEY root, const std::wstring& valueName, const std::wstring& data);
// Tests stand in a writer that fails for one root, as for a user without write access to
// it; nullptr restores the real one.
void setRunValueWriterForTesting(RunValueWriter writer);
