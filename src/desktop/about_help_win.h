// The About box and the local help page.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// Help\Help.EN.html beside the program.
std::wstring helpFilePath();
// Opens the help page in the user's browser.
void openHelpPage();
// Opens the help page at one of its sections (an anchor of the page).
void openHelpSection(const wchar_t* anchor);
// The sizes of the article texts the user can look up in; none for a direction without one.
struct LoadedSizes {
  std::optional<std::uint32_t> englishChinese;
  std::optional<std::uint32_t> chineseEnglish;
};
// The modal About box, owned by `owner`.
void showAboutBox(HINSTANCE instance, HWND owner, const LoadedSizes& sizes);

// The section of the help page that the further-languages toolbar button opens.
constexpr const wchar_t* helpSectionFurtherLanguages = L"further-languages";
