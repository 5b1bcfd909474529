// Short-lived converted copies of texts between code page 932 and UTF-16.
// The copies live in a ring of 256 heap slots: each call frees the oldest copy, so a copy stays valid
// only until 256 further conversions.
#pragma once

#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

// UTF-16 copy of the ANSI text; null for null text or no memory.
wchar_t* ToWideRing(const char* text);
// ANSI copy of the UTF-16 text; null for null text or no memory.
char* ToAnsiRing(const wchar_t* text);

#ifdef __cplusplus
}
#endif
