// Shift-JIS (code page 932) byte classes shared by every text routine.
#pragma once

#include <stddef.h>

inline bool IsSjisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}

inline bool IsSjisTrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// a against b over length bytes, as the profile functions compare section and key names: ASCII letters fold, a
// double-byte character compares whole.
inline bool SameFoldedName(const char* a, const char* b, size_t length)
{
    for (size_t i = 0; i < length; i++) {
        unsigned char x = (unsigned char)a[i];
        unsigned char y = (unsigned char)b[i];
        if (IsSjisLeadByte(x) && i + 1 < length) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            i++;
            continue;
        }
        if (x >= 'A' && x <= 'Z')
            x = (unsigned char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (unsigned char)(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}
