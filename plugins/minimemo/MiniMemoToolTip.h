// The tooltips of the listed days: one tooltip window per drawing of the list, one tool per day band.
#pragma once

#include <windows.h>

// Destroys the previous tooltip window and, when the settings ask for tooltips, makes a new one owned by window
// (balloon-shaped when asked); the new one or null.
HWND RebuildMiniMemoToolTip(HWND window);
// Adds the tool id for band of window with text (copied by the tooltip); nothing without a tooltip window.
void AddMiniMemoTip(HWND tip, HWND window, int id, const RECT* band, const char* text);
