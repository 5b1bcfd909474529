// Run-time binding of the language module and of the outside image library. Callers acquire around their use and
// skip their step when the handle is null.
#pragma once

#include <windows.h>

#include "LanguageModule.h"

// With 1 loads the language module (the first of its file names that LoadLibrarySearch finds) or counts it up; with
// 0 counts it down while above 1, so the module of the start-up stays until FreeResourceDll. The module or null.
HMODULE ResourceDllAcquire(int acquire);
// The language module loaded, or null.
HMODULE ResourceDll();
// The language module's export, or null when the module or the export is missing.
template <typename Fn>
Fn LanguageProc(ExportName<Fn> name)
{
    return FindExport(ResourceDll(), name);
}
// Frees the language module at shut-down.
void FreeResourceDll();
// With 1 loads "imgctl.dll" when not loaded and counts up; with 0 counts down and frees it at 0. The library or null.
HMODULE ImageDllAcquire(int acquire);
