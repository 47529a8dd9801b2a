// Files that the program rewrites beside itself (the settings, the user's own articles):
// a new file is written whole and then takes the old one's place in one step.
#pragma once
#include <windows.h>

#include <string>

bool isReadOnlyFile(const std::wstring& path);

// Writes the bytes to path + ".tmp", flushes them and moves that file over `path` in one
// step, so a crash, a kill or a full disk leaves either the old file or the new one, never a
// part. False when anything fails (a read-only file or folder, a full disk, a folder where
// the file should be); the old file is then as it was and the temporary file is removed.
bool replaceFileContents(const std::wstring& path, const std::string& bytes);

// The same for a file the user chose the place of, where a file of the temporary name may
// be the user's own: the temporary file is the first of "<file>.tmp", "<file>.tmp2", ...
// that does not exist, and an existing one is never opened.
bool replaceChosenFileContents(const std::wstring& path, const std::string& bytes);

// Where a file that could not be read is copied aside before it is first replaced: the first
// of "<file>.damaged", "<file>.damaged2", ... that does not exist yet.
std::wstring damagedCopyPath(const std::wstring& path);
