// Speaking a direction's word with the system's speech voices.
#pragma once
#include <windows.h>

#include "dictionary/direction_state_win.h"

// Speaks the word in the direction's word box, asynchronously; an empty box does nothing.
// When no voice can speak the word's language, or the voice fails, the user is told once,
// in an "Info Message" box owned by `owner`.
void pronounceWord(HWND owner, const DirectionState& state);
// Stops speaking and releases the voice (at shutdown).
void releaseSpeech();
