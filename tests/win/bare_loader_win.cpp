// Loads RICHED20.DLL by its bare name, as an unsafe program would: the search then starts
// in the program's own folder. Shows that a planted DLL there is taken by such a load.
#include <windows.h>

int wmain() { return LoadLibraryW(L"RICHED20.DLL") ? 0 : 1; }
