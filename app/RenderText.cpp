// The shadowed-text calls of the calendar rendering, kept apart: the common-controls header that the settings
// record needs declares a different DrawShadowText.
#include "ShadowText.h"

int DrawCalendarText(HDC hdc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                     int direction, int gradation)
{
    return TextOutShadow(hdc, x, y, text, textColor, shadowColor, width, direction, gradation);
}

RECT CalendarTextBox(int x, int y, SIZE size, int width, int direction)
{
    return ShadowTextBounds(x, y, size, width, direction);
}
