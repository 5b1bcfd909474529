// Owner-drawn glyph buttons (arrows, square, circle, diamond), painted from WM_DRAWITEM or onto any DC.
// State bits are the DRAWITEMSTRUCT's: ODS_SELECTED pressed, ODS_FOCUS focused.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Glyph kinds; any kind not listed draws the up arrow.
enum {
    GLYPH_ARROW_UP = 1,
    GLYPH_ARROW_RIGHT = 2,
    GLYPH_ARROW_DOWN = 3,
    GLYPH_ARROW_LEFT = 4,
    GLYPH_SQUARE = 5,
    GLYPH_CIRCLE = 6,
    GLYPH_DIAMOND = 7
};

// Paints the glyph into the item's client rectangle inset 2 pixels left and right, 1 top and bottom; 0 for a null item.
int DrawGlyphButton(const DRAWITEMSTRUCT* item, int kind, COLORREF fillColor, COLORREF focusFillColor,
                    COLORREF shadowColor, COLORREF lightColor, COLORREF darkColor);
// Paints the glyph filling rect: face in the fill (focused: focus fill) colour, lit and shadowed edges swapped when pressed; 0 on bad arguments.
int PaintGlyphButton(const RECT* rect, HDC dc, UINT state, int kind, COLORREF fillColor, COLORREF focusFillColor,
                     COLORREF shadowColor, COLORREF lightColor, COLORREF darkColor);

#ifdef __cplusplus
}
#endif
