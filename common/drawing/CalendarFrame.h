// The calendar window's outline: the back buffer, the background inside the frame shape, the frame band (one
// colour, graded in four ways, optionally with anti-aliased edges computed per pixel) and the window region.
#pragma once

#include <windows.h>

// Frame shapes (EnvData::FrameShape).
#define FRAME_SHAPE_RECTANGLE 0
#define FRAME_SHAPE_ELLIPSE 1
#define FRAME_SHAPE_ROUNDED 2

// Frame gradations (EnvData::FrameGradation): one colour; colour 1 outside to colour 2 inside; the reverse; the
// two edges against the middle, both ways.
#define FRAME_GRADATION_NONE 0
#define FRAME_GRADATION_OUT_IN 1
#define FRAME_GRADATION_IN_OUT 2
#define FRAME_GRADATION_EDGES 3
#define FRAME_GRADATION_MIDDLE 4

#ifdef __cplusplus
extern "C" {
#endif

// A bitmap compatible with reference, selected into memory and filled with color; the caller deletes it. Null
// when it cannot be created or a size is not positive.
HBITMAP CreateFilledBitmap(HDC reference, HDC memory, int width, int height, COLORREF color);
// Paints the window's client rectangle on dc by transMode (TRANS_MODE_*): the pseudo-transparent kind lets the
// window paint the desktop behind (WM_ICONERASEBKGND); the others fill with backColor, or with a frame fill with
// fillColor and the frame shape in backColor over it. Unknown kinds paint nothing. 0 without window or DC, else 1.
int PaintBackground(HWND window, HDC dc, int transMode, int frameWidth, int frameShape, int roundness,
                    COLORREF fillColor, COLORREF backColor);
// DrawShapeFrame on the window's client rectangle; 0 without window or DC, else 1.
int DrawFrame(HWND window, HDC dc, int frameWidth, int frameShape, int roundness, COLORREF color1, COLORREF color2,
              int gradation, int antiAlias);
// Draws the frame band of frameWidth pixels along the shape of rect (right and bottom edges inclusive for the
// computed band). Anti-aliasing applies to graded ellipses and rounded rectangles wider than 2 pixels. 1, 0 without DC.
int DrawShapeFrame(RECT rect, HDC dc, int frameWidth, int frameShape, int roundness, COLORREF color1,
                   COLORREF color2, int gradation, int antiAlias);
// Colour of a computed-band pixel at distance (inward positive) from the outline, given the pixel's present colour:
// 1 with *out set when the pixel belongs to the band or its one-pixel fringe, else 0.
int FramePixelColor(COLORREF* out, COLORREF present, COLORREF color1, COLORREF color2, int gradation, double width,
                    double distance);
// FramePixelColor with the present colour read from dc at (x, y).
int BlendFramePixel(COLORREF* out, HDC dc, int x, int y, COLORREF color1, COLORREF color2, int gradation,
                    double width, double distance);
// How many depths of a band frameWidth pixels wide the shape on rect has room for: at most half its shorter side
// and one; 0 for a band of no width or an empty rectangle.
int FrameBandDepths(const RECT* rect, int frameWidth);
// The region of the shape of rect (ellipse, rounded rectangle; one pixel wider and taller) without giving it to a
// window; null for the rectangle shape. The caller deletes it.
HRGN FrameShapeRegion(const RECT* rect, int frameShape, int roundness);
// CreateShapeRegion for the window rectangle moved to (0, 0).
HRGN MakeWindowRegion(HWND window, int frameShape, int roundness);
// Sets the region of the shape of rect (ellipse, rounded rectangle; one pixel wider and taller) on the window and
// returns it; the window then owns it. The rectangle shape removes any region and answers null, as does a failure.
HRGN CreateShapeRegion(HWND window, const RECT* rect, int frameShape, int roundness);

#ifdef __cplusplus
}
#endif
