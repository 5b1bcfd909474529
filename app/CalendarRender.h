// Rendering of the calendar window: its size from the layout, the back buffer and painting.
#pragma once

#include <windows.h>

class EnvData;
struct MemoSettings;      // comes with the memo-settings issue
struct MemorialSettings;  // comes with the memorial-days issue

// Re-renders the calendar of ShownMonth (see RefreshCalendarMonth).
int RefreshCalendar(int keepPosition);
// Re-sizes the calendar window and renders it into the back buffer; 0 when no DC, memory DC or bitmap could be had.
int RefreshCalendarMonth(int year, int month, int keepPosition);
// Paints background, picture, frame and months into hdc (a DC of the window when null).
int DrawCalendar(HWND window, HDC hdc, int year, int month, EnvData* env, MemoSettings* memo,
                 MemorialSettings* memorial, int addTools);
int DrawMonths(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
               int addTools, int atWindowPosition);
