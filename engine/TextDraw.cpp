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
