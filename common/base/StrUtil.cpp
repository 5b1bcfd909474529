#include "StrUtil.h"

#include <string.h>

#include "Sjis.h"

namespace {

// Bytes taken by the character at p; a lead byte before the terminator stands alone.
size_t CharLen(const char* p)
{
    return (IsSjisLeadByte((unsigned char)p[0]) && p[1] != '\0') ? 2 : 1;
}

// Longest prefix of s that fits in limit bytes without splitting a double-byte character.
size_t FitLength(const char* s, size_t limit)
{
    size_t i = 0;
    while (s[i] != '\0') {
        size_t len = CharLen(s + i);
        if (i + len > limit)
            break;
        i += len;
    }
    return i;
}

// Reads one character code (lead * 256 + trail for double-byte) and steps past it; 0 at the end.
unsigned NextChar(const unsigned char** p)
{
    const unsigned char* s = *p;
    if (s[0] == '\0')
        return 0;
    if (IsSjisLeadByte(s[0]) && s[1] != '\0') {
        *p = s + 2;
        return (unsigned)s[0] << 8 | s[1];
    }
    *p = s + 1;
    return s[0];
}

unsigned FoldChar(unsigned c)
{
    if (c >= 'A' && c <= 'Z')
        return c + ('a' - 'A');
    if (c >= 0x8260 && c <= 0x8279)  // full-width Ａ-Ｚ to ａ-ｚ
        return c + (0x8281 - 0x8260);
    return c;
}

int CompareChars(const char* a, const char* b, bool fold)
{
    const unsigned char* p = (const unsigned char*)NonNullStr(a);
    const unsigned char* q = (const unsigned char*)NonNullStr(b);
    for (;;) {
        unsigned ca = NextChar(&p);
        unsigned cb = NextChar(&q);
        if (fold) {
            ca = FoldChar(ca);
            cb = FoldChar(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

bool IsAsciiAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int AllBytesIn(const char* text, const char* extra)
{
    for (const unsigned char* p = (const unsigned char*)NonNullStr(text); *p; p++) {
        if (!IsAsciiAlnum(*p) && !strchr(extra, *p))
            return 0;
    }
    return 1;
}

}  // namespace

extern "C" {

void SafeStrCpy(char* dest, size_t destSize, const char* src)
{
    if (!dest || destSize == 0 || !src)
        return;
    size_t n = FitLength(src, destSize - 1);
    memmove(dest, src, n);
    dest[n] = '\0';
}

void SafeStrCat(char* dest, size_t destSize, const char* src)
{
    if (!dest || destSize == 0 || !src)
        return;
    size_t len = strnlen(dest, destSize);
    if (len >= destSize)
        return;  // not terminated inside its buffer: leave it alone
    size_t n = FitLength(src, destSize - 1 - len);
    memmove(dest + len, src, n);
    dest[len + n] = '\0';
}

void CopyStr(char* dest, const char* src)
{
    if (dest && src)
        memmove(dest, src, strlen(src) + 1);
}

void AppendStr(char* dest, const char* src)
{
    if (dest && src)
        memmove(dest + strlen(dest), src, strlen(src) + 1);
}

size_t SafeStrLen(const char* text)
{
    return text ? strlen(text) : 0;
}

const char* NonNullStr(const char* text)
{
    return text ? text : "";
}

char* FindStr(const char* text, const char* part)
{
    if (!text || !part)
        return nullptr;
    size_t n = strlen(part);
    for (const char* p = text;; p += CharLen(p)) {
        if (strncmp(p, part, n) == 0)
            return (char*)p;
        if (*p == '\0')
            return nullptr;
    }
}

int StrEqual(const char* a, const char* b, int ignoreCase)
{
    const unsigned char* p = (const unsigned char*)NonNullStr(a);
    const unsigned char* q = (const unsigned char*)NonNullStr(b);
    for (;;) {
        if (IsSjisLeadByte(p[0]) && p[1] != '\0') {
            // Both bytes of a double-byte character must match exactly.
            if (p[0] != q[0] || p[1] != q[1])
                return 0;
            p += 2;
            q += 2;
            continue;
        }
        // Single-byte here, so only ASCII letters can fold; q is on the same character boundary.
        unsigned c = ignoreCase ? FoldChar(*p) : *p;
        unsigned d = ignoreCase ? FoldChar(*q) : *q;
        if (c != d)
            return 0;
        if (c == 0)
            return 1;
        p++;
        q++;
    }
}

int StrCompareNoCase(const char* a, const char* b)
{
    return CompareChars(a, b, true);
}

int StrCompare(const char* a, const char* b)
{
    return CompareChars(a, b, false);
}

void TrimRightChars(char* text, const char* set)
{
    if (!text || !set)
        return;
    size_t keep = 0;
    for (size_t i = 0; text[i] != '\0';) {
        size_t len = CharLen(text + i);
        if (len == 2 || !strchr(set, text[i]))
            keep = i + len;
        i += len;
    }
    text[keep] = '\0';
}

int IsUrlChars(const char* text)
{
    return AllBytesIn(text, "%&+,-./:;<=>?@_");
}

int IsMailChars(const char* text)
{
    return AllBytesIn(text, "-.@_");
}

}  // extern "C"

int IsDoubleByteChar(const char* text)
{
    if (!text)
        return 0;
    return IsSjisLeadByte((unsigned char)text[0]) && IsSjisTrailByte((unsigned char)text[1]) ? 1 : 0;
}
