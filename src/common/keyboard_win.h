// Synthesised keystrokes.
#pragma once

// Presses Control+letter as the user would: the keys go to whichever window has the
// keyboard focus once the current message has been handled. The letter is upper case.
void sendControlKey(wchar_t letter);
