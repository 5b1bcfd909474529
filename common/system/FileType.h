// Registration, removal and test of a file type (extension, type key, icon and open command) in the registry.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Registers extension as typeName in the current user's classes: description, "DefaultIcon" "<iconFile>,<index>",
// and the open verb (label verbLabel, "" for null) running "\"<commandPath>\" \"%1\"" (a path that begins with a
// double quote is the whole command). 1 on success, 0 when a key cannot be created.
int RegisterFileType(const char* typeName, const char* description, const char* verbLabel, const char* commandPath,
                     const char* extension, const char* iconFile, int iconIndex);
// Removes the extension and type keys from the classes root, then from the current user's classes;
// 1 when a type key was deleted.
int UnregisterFileType(const char* typeName, const char* extension);
// 1 when the extension key and the type key with "shell\open\command" open (the current user's classes first,
// then the classes root).
int IsFileTypeRegistered(const char* typeName, const char* extension);

#ifdef __cplusplus
}
#endif
