// The popup: a borderless, rounded, always-on-top dialog with a date title and headed texts, run modally on the
// thread that opens it.
#pragma once

#include <windows.h>

// Runs a popup of up to two headed texts for date (null: today) on this thread and returns 1 when it has closed;
// returns 1 at once, leaving the shown texts alone, while a popup is open.
int OpenPopupView(HWND host, const char* heading1, const char* body1, const char* heading2, const char* body2,
                  const SYSTEMTIME* date);
// Closes the open popup from any thread, waits for it to end, saves the settings and frees the texts; 1.
int ClosePopupView();
// Brings the open popup to the foreground and unlocks the foreground lock.
void ActivatePopupView();
