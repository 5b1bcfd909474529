// Integer values of private-profile (INI) files, read the way the store formats need.
#pragma once

extern "C" {

// The key's value as a decimal integer (low 32 bits); def when the key is missing
// or its value does not start with a number.
int ReadProfileInt(const char* file, const char* section, const char* key, int def);

}
