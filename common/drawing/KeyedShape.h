// The shape a colour key cuts out of a picture, counted as the window system's banded rectangles, and made coarser
// where a window system can only take so many rectangles: gaps of key colour one or two pixels wide inside a row
// are closed, and when that is not enough, the key colour is kept out of the picture altogether.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// The most rectangles one shape request of the X Window System carries: its length field counts 4-byte words in 16
// bits, a 16-byte header and 8 bytes per rectangle.
#define X_SHAPE_RECTS_MAX 32765

// Pixels are width x height 32-bit values 0x00RRGGBB (the high byte is ignored), row after row from the top.

// How many rectangles the region of the pixels that differ from key has: the runs of each row, where a row that
// repeats the row above it exactly adds none (the two make one band).
int KeyedShapeRectCount(const DWORD* pixels, int width, int height, COLORREF key);

// Makes the shape of the pixels that differ from key fit in maxRects rectangles: first gaps of key colour of one,
// then of two pixels with other pixels on both sides in their row are closed; when the shape still has more
// rectangles, every pixel of key colour is. A closed pixel takes the colour next to the key (the lowest blue bit
// flipped), which looks the same but is kept. The number of pixels changed: 0 when the shape already fitted.
int FitKeyedShape(DWORD* pixels, int width, int height, COLORREF key, int maxRects);

#ifdef __cplusplus
}
#endif
