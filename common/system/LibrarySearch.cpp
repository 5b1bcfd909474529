#include "LibrarySearch.h"

#include <stdio.h>

extern "C" {

int FormatLibrarySearchPath(const char* name, int index, char* out, size_t size)
{
    static const char* const kFormats[] = {"%s", ".\\PlugIn\\%s", ".\\DLL\\%s", "..\\%s"};
    if (!name || !out || size == 0 || index < 0 || index >= (int)(sizeof(kFormats) / sizeof(kFormats[0])))
        return 0;
    int length = snprintf(out, size, kFormats[index], name);
    return length >= 0 && (size_t)length < size ? 1 : 0;
}

HMODULE LoadLibrarySearch(const char* name)
{
    char path[MAX_PATH * 2];
    for (int i = 0; FormatLibrarySearchPath(name, i, path, sizeof(path)); i++) {
        HMODULE module = LoadLibraryA(path);
        if (module)
            return module;
    }
    return nullptr;
}

}  // extern "C"
