#include "ProfileValue.h"

#include <stdlib.h>
#include <windows.h>

namespace {

// Bytes of a value that a number is read from.
const DWORD kNumberSize = 64;

// The value as a whole number; false when it does not start with a number.
bool NumberOf(const char* value, long long* number)
{
    char* end = nullptr;
    *number = strtoll(value ? value : "", &end, 10);
    return value && end != value;
}

// The key's value as GetPrivateProfileStringA gives it within the bytes a number is read from.
void ReadValue(const char* file, const char* section, const char* key, char* value)
{
    // GetPrivateProfileIntA gives 0, not the default, for a value that is no number.
    GetPrivateProfileStringA(section, key, "", value, kNumberSize, file);
}

}  // namespace

extern "C" {

int ReadProfileInt(const char* file, const char* section, const char* key, int def)
{
    char value[kNumberSize];
    ReadValue(file, section, key, value);
    return ProfileIntOf(value, def);
}

int ReadProfileIntInRange(const char* file, const char* section, const char* key, int def, int low, int high)
{
    char value[kNumberSize];
    ReadValue(file, section, key, value);
    return ProfileIntInRangeOf(value, def, low, high);
}

int ProfileIntOf(const char* value, int def)
{
    long long n;
    if (!NumberOf(value, &n))
        return def;
    return (int)(unsigned int)(unsigned long long)n;
}

int ProfileIntInRangeOf(const char* value, int def, int low, int high)
{
    long long n;
    if (!NumberOf(value, &n))
        n = def;
    return n < low ? low : n > high ? high : (int)n;
}

}
