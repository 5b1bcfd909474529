#include "HeapUtil.h"

#include <string.h>
#include <windows.h>

#include "Sjis.h"
#include "StrUtil.h"

namespace {

const size_t kMaxTokenBytes = 1023;

int StringListCount(char** list)
{
    int n = 0;
    if (list) {
        while (list[n])
            n++;
    }
    return n;
}

bool IsTokenSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Appends the character at p to token when it fits whole; returns the bytes it takes in the text.
// A lead byte without a valid trail stands alone, so a quote, blank or NUL is never swallowed.
size_t TakeChar(const char* p, char* token, size_t* len)
{
    size_t n = (IsSjisLeadByte((unsigned char)p[0]) && IsSjisTrailByte((unsigned char)p[1])) ? 2 : 1;
    if (*len + n <= kMaxTokenBytes) {
        memcpy(token + *len, p, n);
        *len += n;
    }
    return n;
}

// Reads one token starting at p (not a separator) into token; returns where the text goes on.
const char* ReadToken(const char* p, char* token)
{
    size_t len = 0;
    char quote = (*p == '"' || *p == '\'') ? *p : '\0';
    if (quote && strchr(p + 1, quote)) {
        for (p++; *p != '\0' && *p != quote;)
            p += TakeChar(p, token, &len);
        if (*p == quote)
            p++;
    } else {
        while (*p != '\0' && !IsTokenSeparator(*p))
            p += TakeChar(p, token, &len);
    }
    token[len] = '\0';
    return p;
}

}  // namespace

extern "C" {

void* AllocZeroed(size_t n)
{
    if (n == 0)
        return nullptr;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, n + 1);
}

void* ReplaceAllocZeroed(void* old, size_t n)
{
    if (old)
        HeapFree(GetProcessHeap(), 0, old);
    return AllocZeroed(n);
}

void* ReAllocZeroed(void* block, size_t n)
{
    if (!block)
        return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, n);
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, n);
}

char* StrDupHeap(const char* text)
{
    size_t len = SafeStrLen(text);
    char* copy = (char*)AllocZeroed(len);
    if (copy)
        memcpy(copy, text, len);
    return copy;
}

char* StrReplaceHeap(char* old, const char* text)
{
    if (old)
        HeapFree(GetProcessHeap(), 0, old);
    return StrDupHeap(text);
}

char* StrAppendHeap(char* heapText, const char* text)
{
    if (!heapText)
        return StrDupHeap(text);
    size_t add = SafeStrLen(text);
    if (add == 0)
        return heapText;
    size_t len = strlen(heapText);
    char* grown = (char*)HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, heapText, len + add + 1);
    if (grown)
        memcpy(grown + len, text, add);
    return grown;
}

int StringListAdd(char*** list, const char* text, int unique)
{
    if (!list)
        return -1;
    int count = StringListCount(*list);
    if (SafeStrLen(text) == 0)
        return count;
    if (unique) {
        for (int i = 0; i < count; i++) {
            if (StrCompare((*list)[i], text) == 0)
                return count;
        }
    }
    char* copy = StrDupHeap(text);
    if (!copy)
        return -1;
    char** grown = (char**)ReAllocZeroed(*list, (count + 2) * sizeof(char*));
    if (!grown) {
        HeapFree(GetProcessHeap(), 0, copy);
        return -1;
    }
    grown[count] = copy;
    grown[count + 1] = nullptr;
    *list = grown;
    return count + 1;
}

int StringListPop(char** list)
{
    int count = StringListCount(list);
    if (count == 0)
        return 0;
    HeapFree(GetProcessHeap(), 0, list[count - 1]);
    list[count - 1] = nullptr;
    return count - 1;
}

void StringListFree(char*** list)
{
    if (!list || !*list)
        return;
    for (char** p = *list; *p; p++)
        HeapFree(GetProcessHeap(), 0, *p);
    HeapFree(GetProcessHeap(), 0, *list);
    *list = nullptr;
}

char** SplitTokens(const char* text, int* count, int unique)
{
    char** list = nullptr;
    char token[kMaxTokenBytes + 1];
    int n = 0;
    const char* p = NonNullStr(text);
    for (;;) {
        while (IsTokenSeparator(*p))
            p++;
        if (*p == '\0')
            break;
        p = ReadToken(p, token);
        n = StringListAdd(&list, token, unique);
        if (n < 0) {
            StringListFree(&list);
            n = 0;
            break;
        }
    }
    if (count)
        *count = n;
    return list;
}

char* NextMultiString(const char* pos)
{
    if (!pos || *pos == '\0')
        return nullptr;
    const char* next = pos + strlen(pos) + 1;
    return *next ? (char*)next : nullptr;
}

}  // extern "C"
