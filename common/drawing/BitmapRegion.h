// Window regions from a bitmap: every pixel that differs from a key colour belongs to the region.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Region of the pixels of the top-left width x height of bitmap (read through dc) whose colour differs from key,
// gathered 256 rectangles at a time; null on failure; the caller deletes it with DeleteObject.
HRGN CreateRegionFromBitmap(HDC dc, HBITMAP bitmap, int width, int height, COLORREF key);
// The same region combined one rectangle at a time, for systems whose ExtCreateRegion is unreliable.
HRGN CreateRegionFromBitmapSimple(HDC dc, HBITMAP bitmap, int width, int height, COLORREF key);

#ifdef __cplusplus
}
#endif
