// Loading the two article files into memory at start-up, and releasing them at shutdown.
#pragma once

// Reads both files whole into AppState::fileText, telling the user when one is missing.
void loadArticleFiles();
// Unscrambles both loaded texts in place, when both were loaded and neither is empty.
void unscrambleArticles();
// Frees both blocks (file 0, then file 1) and clears the fields that pointed into them.
void releaseArticleFiles();
