// The shadowed-text call of the page drawing, kept apart: the common-controls header that the settings record needs
// declares a different DrawShadowText.
#include "ShadowText.h"

int PageTextOutShadow(HDC dc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                      int direction)
{
    return TextOutShadow(dc, x, y, text, textColor, shadowColor, width, direction, 0);
}
