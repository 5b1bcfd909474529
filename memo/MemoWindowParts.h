// What the memo windows (day memo, period memo) do alike: their place and remembered rectangle, their help, their
// font of the memo settings' size, and their controls' boxes.
#pragma once

#include <windows.h>

class AppInfo;

// A remembered window rectangle of the memo settings: left, top, width and height.
struct MemoWindowRect {
    int* X;
    int* Y;
    int* Width;
    int* Height;
};

// Puts window at its remembered rectangle, held on the desktop, or at the cursor when none is remembered.
void PlaceMemoWindow(HWND window, const MemoWindowRect& rect);
// Remembers window's normal (not minimised or maximised) rectangle.
void RememberMemoWindowRect(HWND window, const MemoWindowRect& rect);
// The program's help at topic.
void ShowMemoHelp(HWND window, AppInfo* info, const char* topic);
// The dialog font of window at the memo settings' size, set on the controls ids (count of them); the caller
// deletes it. Null when it cannot be made.
HFONT SetMemoWindowFont(HWND window, const int* ids, int count);
// The box of control id in window's client co-ordinates; empty without the control.
RECT ControlClientBox(HWND window, int id);
// Repaints window with all its controls.
void RepaintMemoWindow(HWND window);
