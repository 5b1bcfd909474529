// The tooltips of the listed days: one tooltip control kept with the memo window, one tool per day band, set again
// in place at every drawing of the list.
#pragma once

#include <windows.h>

// The tooltip control of window when the settings ask for tooltips (balloon-shaped when asked), kept from the last
// drawing while it fits; null, with the control destroyed, when they ask for none.
HWND BeginMiniMemoToolTips(HWND window);
// Sets the tool id (from 1) of window to band with text (copied by the tooltip); nothing without a tooltip control.
void AddMiniMemoTip(HWND tip, HWND window, int id, const RECT* band, const char* text);
// Removes the tools of the days beyond the count drawn this time.
void EndMiniMemoToolTips(HWND tip, int count);
