// Names of the files that lie beside the program.
#pragma once
#include <string>
#include <string_view>

// The directory part of an executable's full path: everything before its last backslash.
// A path without a backslash has no directory, and the result is empty.
std::u16string_view directoryOfPath(std::u16string_view executablePath);

// A file beside the program: the executable's path with everything from its last backslash
// on replaced by a backslash and the relative name. No length limit applies.
std::u16string fileBesideProgram(std::u16string_view executablePath, std::u16string_view relativeName);
