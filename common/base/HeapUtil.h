// Zeroed process-heap blocks, heap strings and string lists.
// A string list is a heap array of heap strings ending in a null entry.
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// Zeroed block of n + 1 bytes, null for n = 0 or no memory; the caller frees it with HeapFree.
void* AllocZeroed(size_t n);
// Frees old (may be null), then returns AllocZeroed(n); the caller frees it with HeapFree.
void* ReplaceAllocZeroed(void* old, size_t n);
// block resized to n bytes (new bytes zeroed), or a new zeroed block; null on failure; the caller frees it with HeapFree.
void* ReAllocZeroed(void* block, size_t n);
// Heap copy of text, null for null or ""; the caller frees it with HeapFree.
char* StrDupHeap(const char* text);
// Frees old (may be null) and returns StrDupHeap(text); the caller frees it with HeapFree.
char* StrReplaceHeap(char* old, const char* text);
// heapText grown by text (StrDupHeap(text) when null); null on failure, heapText kept; the caller frees it with HeapFree.
char* StrAppendHeap(char* heapText, const char* text);
// Appends a copy of text to *list (skipped when empty, or when unique and already present); the new count, -1 on failure.
int StringListAdd(char*** list, const char* text, int unique);
// Frees the last entry of list; the new count, 0 for a null or empty list.
int StringListPop(char** list);
// Frees every entry and the array, and sets *list to null.
void StringListFree(char*** list);
// List of text's blank/TAB/CR/LF separated tokens (quotes removed, cut at 1,023 bytes), count in *count; the caller frees it with StringListFree.
char** SplitTokens(const char* text, int* count, int unique);
// The string after pos in a double-NUL-terminated list, null after the last.
char* NextMultiString(const char* pos);

#ifdef __cplusplus
}
#endif
