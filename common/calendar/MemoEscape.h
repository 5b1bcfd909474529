// The one-line form of memo text in the store: TAB "&t", line feed "&n",
// carriage return "&r", "&" itself "&&".
#pragma once

extern "C" {

// Heap copy of text with the escapes applied; null for null or no memory. The caller frees it with HeapFree.
char* EscapeMemoText(const char* text);
// Heap copy of text with the escapes undone; with singleLine 1, "&n" and "&r" become blanks.
// Unknown escapes and a lone "&" at the end stay as they are. Null for null or no memory;
// the caller frees it with HeapFree.
char* UnescapeMemoText(const char* text, int singleLine);

}
