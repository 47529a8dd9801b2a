// Shared Windows helpers: the program's directory, the shell, and the one kind of message box.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The running executable's full path, of any length; empty if it cannot be had.
std::wstring executablePath();
// The directory of the running executable (no trailing backslash), of any length.
std::wstring programDirectory();
// A file beside the program: programDirectory() + "\" + relativeName, of any length.
std::wstring fileBesideProgram(std::wstring_view relativeName);
// Tests point the program at a folder of fixtures; an empty path restores the real one.
void setProgramDirectoryForTesting(const std::wstring& directory);

// Hands a URL, file path or program name to the shell ("open", SW_SHOWNORMAL). True when the
// shell took it; the shell tells the user itself what it could not open.
bool shellOpen(const std::wstring& target);
// Tests put a recorder in the shell's place, so that no real program is started; null
// restores the shell.
void setShellOpenForTesting(void (*recorder)(const std::wstring& target));

// The program's failure message: title "Info Message", OK only, owned by the main window or,
// while a dialog is open, by the dialog, so that it shows above that window and closing it
// does not re-enable the main window under the dialog.
void showInfoMessage(HWND owner, const std::wstring& text);
