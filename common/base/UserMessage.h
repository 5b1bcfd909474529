// One way to tell the user: every message box of a deliverable goes through here, under the program's own name
// for questions and notices, or under an alert caption the caller names (the holiday lists' errors). Tests answer
// the boxes through a hook instead of a user.
#pragma once

#include <windows.h>

extern "C" {

// The caption of questions and notices from now on: the deliverable's program name (AppInfo sets it with the names).
void SetMessageCaption(const char* programName);
// The caption in use; "Velmora" until a program name was set.
const char* MessageCaption(void);
// A message box of text with flags (MB_* buttons and icon) under the program's name; the button pressed (IDOK ...).
int TellUser(HWND owner, const char* text, UINT flags);
// As TellUser under caption.
int TellUserWithCaption(HWND owner, const char* text, const char* caption, UINT flags);

// Tells the user that the settings file at path could not be saved, once per process whichever module finds it
// first (the program and its plug-ins share the file); 1 when told now, 0 when told before.
int TellSettingsNotSaved(HWND owner, const char* path);

// What answers the message boxes in tests; its result is the button pressed.
typedef int (*MessageBoxHook)(HWND owner, const char* text, const char* caption, UINT flags);
// Sends every later box to hook instead of the screen; null shows them again. The hook in place before.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

}
