// A plug-in's menu texts as the host asks for them: NUL-separated texts ending in an empty one, in the language the
// host names.
#pragma once

// Bytes of the list of count texts: each text with its NUL, and the closing NUL.
int PlugInMenuListSize(const char* const* items, int count);
// The menu export's answer. With size: *size becomes the list's size; a negative *size asks only for that and
// answers 0; a null buffer or a *size smaller than the list answers 0 and writes nothing. Without size the list is
// written into buffer, when there is one. The number of texts written, else 0.
int WritePlugInMenuList(const char* const* items, int count, char* buffer, int* size);
