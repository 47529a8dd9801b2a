// The user's own word articles on disk: Own_English_Chinese.dat and Own_Chinese_English.dat
// beside the program, read at start-up and rewritten whole, in one step, at every change.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The full path of a tab's own articles file.
std::wstring ownArticlesPath(int tab);

// Reads both files into AppState. A missing file means no own articles. A file that cannot
// be read as one this program writes is left untouched on disk, named once in an "Info
// Message" box, and copied aside before a later save replaces it; the tab then starts with
// no own articles and the dictionary's articles work as before.
void loadOwnArticles();

// Sets the own article of `headword` (trimmed) in a tab to `storedArticle` (as
// storedOwnArticle gives it), or removes it when `storedArticle` is empty. The file is
// rewritten first; only when that succeeded do lookups see the change. A failure is told in
// an "Info Message" box owned by `owner` that names the file, and nothing changes.
bool changeOwnArticle(HWND owner, int tab, std::u16string_view headword, std::u16string_view storedArticle);

// The stored own article of a headword in a tab, or empty when it has none.
std::u16string_view ownArticleOf(int tab, std::u16string_view headword);
