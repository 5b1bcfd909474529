// Integer values of private-profile (INI) files, read the way the store formats need.
#pragma once

extern "C" {

// The key's value as a decimal integer (low 32 bits); def when the key is missing
// or its value does not start with a number.
int ReadProfileInt(const char* file, const char* section, const char* key, int def);
// The key's value held to low..high, taken whole before it is held, so that a huge number reads as high; def, held
// alike, when the key is missing or its value does not start with a number.
int ReadProfileIntInRange(const char* file, const char* section, const char* key, int def, int low, int high);

// ReadProfileInt and ReadProfileIntInRange for a value already read as the profile functions give it (an empty
// value for a missing key).
int ProfileIntOf(const char* value, int def);
int ProfileIntInRangeOf(const char* value, int def, int low, int high);

}
