// The shadowed-text call of the calendar rendering, kept apart: the common-controls header that the settings
// record needs declares a different DrawShadowText.
#include "ShadowText.h"

int DrawCalendarText(HDC hdc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                     int direction, int gradation)
{
    return TextOutShadow(hdc, x, y, text, textColor, shadowColor, width, direction, gradation);
}
