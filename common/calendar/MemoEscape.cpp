#include "MemoEscape.h"

#include <windows.h>

// The escape bytes are all below 0x40, so they are never the trail byte of a
// double-byte character and the text can be scanned byte by byte.

namespace {

const char* EscapeOf(char c)
{
    switch (c) {
    case '\t': return "&t";
    case '\n': return "&n";
    case '\r': return "&r";
    case '&': return "&&";
    default: return nullptr;
    }
}

// The byte "&x" stands for, or 0 when x is no escape.
char UnescapeOf(char x, int singleLine)
{
    switch (x) {
    case '&': return '&';
    case 't': return '\t';
    case 'n': return singleLine == 1 ? ' ' : '\n';
    case 'r': return singleLine == 1 ? ' ' : '\r';
    default: return 0;
    }
}

// Writes the unescaped text into out (when given) and returns its length.
size_t Unescape(const char* text, int singleLine, char* out)
{
    size_t n = 0;
    for (const char* p = text; *p; p++) {
        char c = *p;
        if (c == '&' && p[1] != '\0') {
            char u = UnescapeOf(p[1], singleLine);
            if (u) {
                c = u;
                p++;
            }
        }
        if (out)
            out[n] = c;
        n++;
    }
    return n;
}

// Zeroed heap block for a text of len bytes; also for the empty text.
char* AllocText(size_t len)
{
    return (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, len + 1);
}

}  // namespace

extern "C" {

char* EscapeMemoText(const char* text)
{
    if (!text)
        return nullptr;
    size_t size = 0;
    for (const char* p = text; *p; p++)
        size += EscapeOf(*p) ? 2 : 1;
    char* out = AllocText(size);
    if (!out)
        return nullptr;
    char* q = out;
    for (const char* p = text; *p; p++) {
        const char* escape = EscapeOf(*p);
        if (escape) {
            *q++ = escape[0];
            *q++ = escape[1];
        } else {
            *q++ = *p;
        }
    }
    return out;
}

char* UnescapeMemoText(const char* text, int singleLine)
{
    if (!text)
        return nullptr;
    char* out = AllocText(Unescape(text, singleLine, nullptr));
    if (out)
        Unescape(text, singleLine, out);
    return out;
}

}
