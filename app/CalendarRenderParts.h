// What the calendar rendering files share: engine exports, the day lists and the memo hooks.
#pragma once

#include <windows.h>

#include "CalendarRender.h"

class EnvData;

// Memo marks and memo texts join with the memo settings; until then no day has a memo.
inline bool MemoMarksOn(const MemoSettings* memo)
{
    (void)memo;
    return false;
}
inline bool DayHasMemo(const MemoSettings* memo, int year, int month, int day)
{
    (void)memo;
    (void)year;
    (void)month;
    (void)day;
    return false;
}

// TextOutShadow (shadowed text at x, y).
int DrawCalendarText(HDC hdc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                     int direction, int gradation);
// The width and height of text in the DC's font.
SIZE TextExtent(HDC hdc, const char* text);
// Draws the number of one day, its cell and (addTools 1) its tooltip, centred at x.
void DrawDayCell(HDC hdc, int x, int y, int year, int month, int day, int otherMonth, EnvData* env,
                 MemoSettings* memo, MemorialSettings* memorial, int addTools);
