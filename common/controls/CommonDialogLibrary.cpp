#include "CommonDialogLibrary.h"

HMODULE CommonDialogLibrary()
{
    static HMODULE library = nullptr;
    if (!library)
        library = LoadLibraryA("comdlg32.dll");
    return library;
}
