// Showing articles and switching the visible tab.
#pragma once

struct OwnLookup;

// Shows the article whose headword equals the current tab's word box text, after the own
// article of `own` (what the own articles give for that text; null: looked up here).
void showArticle(const OwnLookup* own = nullptr);
// After a double click in a word list: the chosen headword goes to the word box and its
// article is shown.
void showChosenHeadword();
// Shows the selected tab's four controls and hides the other tab's.
void showCurrentTab();
