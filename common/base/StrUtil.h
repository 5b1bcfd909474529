// Null-safe string helpers for code page 932 text.
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Copies src into dest (destSize bytes), cut on a character boundary and terminated; null src does nothing.
void SafeStrCpy(char* dest, size_t destSize, const char* src);
// Appends src to dest (destSize bytes in all), cut on a character boundary; null src does nothing.
void SafeStrCat(char* dest, size_t destSize, const char* src);
// Copies src with its terminator into dest, which must have room; null src does nothing.
void CopyStr(char* dest, const char* src);
// Appends src to dest, which must have room; null src does nothing.
void AppendStr(char* dest, const char* src);
// Length of text in bytes, 0 for null.
size_t SafeStrLen(const char* text);
// The text itself, or "" for null.
const char* NonNullStr(const char* text);
// First occurrence of part in text starting on a character boundary; null when absent or either is null.
char* FindStr(const char* text, const char* part);
// 1 when a and b are equal (ASCII letters folded when ignoreCase is 1); null equals "".
int StrEqual(const char* a, const char* b, int ignoreCase);
// Compares by character codes with ASCII and full-width Latin letters folded: <0, 0 or >0; null is "".
int StrCompareNoCase(const char* a, const char* b);
// Compares by character codes (a double-byte character as lead * 256 + trail): <0, 0 or >0; null is "".
int StrCompare(const char* a, const char* b);
// Removes trailing single-byte characters found in set; double-byte characters are never cut.
void TrimRightChars(char* text, const char* set);
// 1 when every byte of text may appear in a URL (letters, digits and %&+,-./:;<=>?@_); null is "".
int IsUrlChars(const char* text);
// 1 when every byte of text may appear in a mail address (letters, digits and -.@_); null is "".
int IsMailChars(const char* text);
// 1 when text begins with a Shift-JIS lead byte followed by a trail byte.
int IsDoubleByteChar(const char* text);

#ifdef __cplusplus
}
#endif
