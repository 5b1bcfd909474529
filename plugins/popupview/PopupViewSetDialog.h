// The popup's settings dialog: colours, font, frame, shadow, size and place, fade and automatic close.
#pragma once

#include <windows.h>

// Runs the settings dialog modally over owner; OK saves the settings and tells an open popup to redraw. 1; a
// second dialog while one is open returns 1 at once.
int RunPopupViewSettings(HWND owner);

// The value typed into an edit, held to low..high: the settings keep some of them in a byte.
int ClampDialogValue(int value, int low, int high);
// The stored shadow direction the dialog shows: 2, 4, 6, 8 and 255 stay, anything else becomes 4.
int DialogShadowDirection(int stored);
