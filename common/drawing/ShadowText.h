// Text with a shadow (copies offset step by step in one direction, or a ring) and the colour blending that shadows
// and frames share. Colours are COLORREF; blending works on red, green and blue and leaves the top byte 0.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Per channel (weightA * a + weightB * b) / (weightA + weightB), rounded and clamped to 0-255; a when the weights
// sum to 0.
COLORREF BlendColor(COLORREF a, int weightA, COLORREF b, int weightB);
// The same with floating-point weights.
COLORREF BlendColorWeighted(COLORREF a, double weightA, COLORREF b, double weightB);
// Text at (x, y) with TextOut, shadow of width copies in direction (SHADOW_*; 1 up ... 8 up-left, 255 ring, any
// other value down-right), graded toward the text colour when gradation is 1; text and shadow stay centred on the
// point. Leaves the text colour of dc at textColor. 1, or 0 for a null or empty text.
int TextOutShadow(HDC dc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                  int direction, int gradation);
// The box TextOutShadow covers with a text of extent size at (x, y): the text's own box and those of its shadow's
// copies, in the same width and direction.
RECT ShadowTextBounds(int x, int y, SIZE size, int width, int direction);
// The same with DrawText into box and format; the text moves the whole width away from its shadow. The height
// DrawText reports plus the shadow width (twice for the ring); 0 for a null or empty text or a null box.
int DrawShadowText(HDC dc, const char* text, const RECT* box, UINT format, COLORREF textColor, COLORREF shadowColor,
                   int width, int direction, int gradation);

#ifdef __cplusplus
}
#endif
