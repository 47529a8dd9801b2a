// Speaking the current tab's word with the system's speech voices.
#pragma once

// Speaks the word in the current tab's word box, asynchronously; an empty box does nothing.
// When no voice can speak the word's language, or the voice fails, the user is told once.
void pronounceCurrentWord();
// Stops speaking and releases the voice (at shutdown).
void releaseSpeech();
