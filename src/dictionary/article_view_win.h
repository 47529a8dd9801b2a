// Showing articles and switching the visible tab.
#pragma once

// Shows the article whose headword equals the current tab's word box text.
void showArticle();
// After a double click in a word list: the chosen headword goes to the word box and its
// article is shown.
void showChosenHeadword();
// Shows the selected tab's four controls and hides the other tab's.
void showCurrentTab();
