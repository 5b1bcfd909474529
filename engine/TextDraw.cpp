#include "TextDraw.h"

#include "ShadowText.h"

void DrawStyledText(HDC dc, int x, int y, const char* text, const FontStyle* style)
{
    if (!dc || !text || !style)
        return;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);
    TextOutShadow(dc, x, y, text, style->StrColor, style->ShadowColor, style->ShadowWidth, style->ShadowDirection,
                  style->Gradation);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

COLORREF OtherMonthColor(COLORREF color, int lighten, int darken)
{
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    if (lighten)
        return RGB((r + 255) / 2, (g + 255) / 2, (b + 255) / 2);
    if (darken)
        return RGB(r / 2, g / 2, b / 2);
    return color;
}
