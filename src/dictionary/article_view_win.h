// The article view as a learner's page: with a tone colour scheme chosen, the article goes
// into the rich edit control in one piece (RTF through EM_STREAMIN), coloured, with its
// words to follow underlined; with none, it is set as plain text exactly as before. Links
// are followed by a click or, after Tab and Shift+Tab have moved to one, by Enter.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string_view>

#include "dictionary/direction_state_win.h"

// Shows the article in the direction's view. `headword` is what was looked up; the reading
// lines are coloured only where their syllables match the characters of `foundAs`, the
// headword that was found (when empty, `headword` itself).
void showArticle(DirectionState& state, std::u16string_view article, std::u16string_view headword,
                 std::u16string_view foundAs = {});

// Chooses the direction's scheme (0 for the plain view). Going back to the plain view
// empties the view and gives it back the control's own look, so that the next article is
// set exactly as in a view that was never coloured; the caller then shows it again.
void setToneScheme(DirectionState& state, int scheme);

// What a key or mouse message in the view, as EN_MSGFILTER reports it, asks of the links.
enum class LinkInput { None, Handled, Follow };
// Tab and Shift+Tab move to the next or previous link and select it; Enter on a selected
// link, or a click (no drag) on a link, asks to follow it, which is then `*link`.
LinkInput readLinkInput(DirectionState& state, const MSGFILTER& input, const ArticleLink** link);

// The tab control is the article views' parent: it hands their EN_MSGFILTER notices on to
// its own parent, the main window.
void forwardArticleViewNotices(HWND tabControl);
