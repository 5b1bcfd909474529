#include "ProfileValue.h"

#include <stdlib.h>
#include <windows.h>

extern "C" {

int ReadProfileInt(const char* file, const char* section, const char* key, int def)
{
    // GetPrivateProfileIntA gives 0, not the default, for a value that is no number.
    char value[64];
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), file);
    char* end = nullptr;
    long long n = strtoll(value, &end, 10);
    if (end == value)
        return def;
    return (int)(unsigned int)(unsigned long long)n;
}

}
