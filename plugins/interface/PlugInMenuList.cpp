#include "PlugInMenuList.h"

#include <string.h>

int PlugInMenuListSize(const char* const* items, int count)
{
    int size = 1;
    for (int i = 0; items && i < count; i++)
        size += (int)strlen(items[i] ? items[i] : "") + 1;
    return size;
}

int WritePlugInMenuList(const char* const* items, int count, char* buffer, int* size)
{
    int needed = PlugInMenuListSize(items, count);
    if (size) {
        int given = *size;
        *size = needed;
        // A buffer smaller than the list would be overrun: the host asked with a stale size.
        if (given < 0 || !buffer || given < needed)
            return 0;
    } else if (!buffer) {
        return 0;
    }
    memset(buffer, 0, (size_t)needed);
    char* out = buffer;
    for (int i = 0; items && i < count; i++) {
        const char* text = items[i] ? items[i] : "";
        size_t length = strlen(text) + 1;
        memcpy(out, text, length);
        out += length;
    }
    return items ? count : 0;
}
