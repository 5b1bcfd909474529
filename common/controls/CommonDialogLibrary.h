// The common dialogs (colour, font, file), looked up when first asked for: their library brings the printer spooler
// with it, whose start alone costs a program's start some 20 ms under Wine, so no module imports it.
#pragma once

#include <windows.h>

// comdlg32.dll, loaded at the first call and kept for the rest of the process (a dialog's helper threads may outlive
// it); null when it cannot be loaded.
HMODULE CommonDialogLibrary();

// The export of comdlg32.dll as a function pointer of type Proc, null when it is missing.
template <typename Proc>
Proc CommonDialogProc(const char* exportName)
{
    HMODULE library = CommonDialogLibrary();
    return library ? (Proc)GetProcAddress(library, exportName) : nullptr;
}
