// The one place where Windows wide text and the core's UTF-16 text meet. On Windows both
// are 16-bit code units, so converting is a copy of the same units.
#pragma once
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

inline std::u16string toCoreText(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
inline std::wstring toWideText(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
