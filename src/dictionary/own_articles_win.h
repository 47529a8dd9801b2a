// The user's own word articles on disk: Own_English_Chinese.dat and Own_Chinese_English.dat
// beside the program, read at start-up and rewritten whole, in one step, at every change.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "dictionary/direction_state_win.h"

// The full path of a direction's own articles file.
std::wstring ownArticlesPath(Direction direction);

// Reads both directions' files. A missing file means no own articles. A file that cannot
// be read as one this program writes is left untouched on disk, named once in an "Info
// Message" box owned by `owner`, and copied aside before a later save replaces it; the
// direction then starts with no own articles and the dictionary's articles work as before.
void loadOwnArticles(DirectionStates& states, HWND owner);

// Sets the own article of `headword` (trimmed) in a direction to `storedArticle` (as
// storedOwnArticle gives it), or removes it when `storedArticle` is empty. The file is
// rewritten first; only when that succeeded do lookups see the change. A failure is told in
// an "Info Message" box owned by `owner` that names the file, and nothing changes.
bool changeOwnArticle(HWND owner, DirectionState& state, std::u16string_view headword,
                      std::u16string_view storedArticle);

// The stored own article of a headword in a direction, or empty when it has none.
std::u16string_view ownArticleOf(const DirectionState& state, std::u16string_view headword);
