#include "ProfileValue.h"

#include <stdlib.h>
#include <windows.h>

namespace {

// The key's value as a whole number; false when the key is missing or its value does not start with a number.
bool ReadProfileNumber(const char* file, const char* section, const char* key, long long* number)
{
    // GetPrivateProfileIntA gives 0, not the default, for a value that is no number.
    char value[64];
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), file);
    char* end = nullptr;
    *number = strtoll(value, &end, 10);
    return end != value;
}

}  // namespace

extern "C" {

int ReadProfileInt(const char* file, const char* section, const char* key, int def)
{
    long long n;
    if (!ReadProfileNumber(file, section, key, &n))
        return def;
    return (int)(unsigned int)(unsigned long long)n;
}

int ReadProfileIntInRange(const char* file, const char* section, const char* key, int def, int low, int high)
{
    long long n;
    if (!ReadProfileNumber(file, section, key, &n))
        n = def;
    return n < low ? low : n > high ? high : (int)n;
}

}
