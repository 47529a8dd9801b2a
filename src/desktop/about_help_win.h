// The About box and the local help page.
#pragma once
#include <string>

// Help\Help.EN.html beside the program.
std::wstring helpFilePath();
// Opens the help page in the user's browser.
void openHelpPage();
// Opens the help page at one of its sections (an anchor of the page).
void openHelpSection(const wchar_t* anchor);
// The modal About box, owned by the main window.
void showAboutBox();

// Sections of the help page that toolbar buttons open.
constexpr const wchar_t* helpSectionFurtherLanguages = L"further-languages";
