// Moving the settings between Configuration.dat beside the program and the running program.
#pragma once
#include <string>

#include "settings/configuration.h"

// The full path of Configuration.dat in the program's directory.
std::wstring configurationFilePath();

// Replaces `settings` with the file's settings. A missing file, and one that cannot be
// opened for writing (read-only), leave the settings empty.
void loadConfiguration(Settings& settings);

// Like loadConfiguration, but false when the file is there and could not be opened (held
// by another program for a moment): the settings are then unknown, not empty.
bool readConfiguration(Settings& settings);

// Writes `changes` over the settings the file holds now and keeps the others as the file
// has them: the user or another copy of the program may have changed them since this copy
// read the file. Keys the options dialog writes are stored as off when missing. False,
// with the file left as it was, when it could not be read or written.
bool updateConfiguration(const Settings& changes);

// Writes LoadOnStart, AlwaysOnTop and DefaultLanguageId from `settings`. The new
// contents go to a temporary file beside the old one, which then replaces it in one step,
// so a crash or a full disk leaves either the old file or the new one, never a part.
// Returns false when the file could not be written (a read-only file or folder, a full
// disk); the old file is then left as it was.
bool saveConfiguration(const Settings& settings);
