#include "DayColor.h"

COLORREF OtherMonthColor(COLORREF color, int lighten, int darken)
{
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    if (lighten)
        return RGB((r + 255) / 2, (g + 255) / 2, (b + 255) / 2);
    if (darken)
        return RGB(r / 2, g / 2, b / 2);
    return color;
}
