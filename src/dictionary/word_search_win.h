// Filling a tab's word list from its word box, and the lookups that every trigger runs.
#pragma once

struct OwnLookup;

// Lists the headwords that begin with the current tab's word box text, among them the own
// headwords of `own` (what the own articles give for that text; null: looked up here).
void searchHeadwords(const OwnLookup* own = nullptr);
// The lookup of the current tab: the word list, then the article.
void lookUpWord();
// Puts the captured text into the current tab's word box and looks it up.
void lookUpCapturedText();
// Puts the initial English word into tab 0's word box and looks up the current tab.
void showInitialWord();
