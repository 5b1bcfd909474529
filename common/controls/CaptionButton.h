// Owner-drawn caption buttons in the program's own look, painted from WM_DRAWITEM.
// State bits are the DRAWITEMSTRUCT's: ODS_SELECTED pressed, ODS_DISABLED, ODS_FOCUS.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Button shapes (the settings' ButtonStyle): 2 rounded, any other value square.
enum { BUTTON_SHAPE_SQUARE = 1, BUTTON_SHAPE_ROUND = 2 };

// The shading colours every dialog passes.
#define CAPTION_BUTTON_LIGHT ((COLORREF)0xF0F0F0)
#define CAPTION_BUTTON_DARK ((COLORREF)0xC0C0C0)

// Paints the item's client rectangle, grown one pixel right and down, with PaintCaptionButton; 0 for a null item.
int DrawCaptionButton(const DRAWITEMSTRUCT* item, const char* text, const LOGFONTA* font, int shape, int engraved,
                      COLORREF textColor, COLORREF engraveColor, COLORREF faceColor, COLORREF lightColor,
                      COLORREF darkColor);
// Paints a raised or pressed button face with its centred caption into rect; font null keeps the DC's font; 0 on bad arguments.
int PaintCaptionButton(const RECT* rect, HDC dc, UINT state, const char* text, const LOGFONTA* font, int shape,
                       int engraved, COLORREF textColor, COLORREF engraveColor, COLORREF faceColor,
                       COLORREF lightColor, COLORREF darkColor);

#ifdef __cplusplus
}
#endif
