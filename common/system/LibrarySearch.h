// Loading a DLL that may sit beside the program or in one of its usual subfolders.
#pragma once

#include <windows.h>

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Try index of name (0: the plain name, 1: ".\PlugIn\", 2: ".\DLL\", 3: "..\") into out; 0 past the last try or
// when it does not fit.
int FormatLibrarySearchPath(const char* name, int index, char* out, size_t size);
// The first of the tries of name that loads, or null.
HMODULE LoadLibrarySearch(const char* name);

#ifdef __cplusplus
}
#endif
