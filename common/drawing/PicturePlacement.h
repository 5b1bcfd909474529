// Where a background picture goes in a window: aligned at its own size, or stretched inside the margins.
#pragma once

#include <windows.h>

// Alignments of PlacePicture, per axis.
#define PICTURE_ALIGN_NEAR 0
#define PICTURE_ALIGN_CENTER 1
#define PICTURE_ALIGN_FAR 2
// Modes of PlacePicture; any other draws at the picture's own size.
#define PICTURE_MODE_STRETCH 2

#ifdef __cplusplus
extern "C" {
#endif

// The destination of a pictureWidth x pictureHeight picture in a clientWidth x clientHeight area: stretched into
// the area less the margins (left, top, right, bottom; null for none) in stretch mode, else at its own size placed
// by the alignments (near: after the left/top margin, far: before the right/bottom margin, centre: margins
// ignored; the origin may be negative). 1 with *destination set, 0 for an empty picture or a null destination.
int PlacePicture(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight, BYTE alignX, BYTE alignY,
                 BYTE mode, const RECT* margins, RECT* destination);

#ifdef __cplusplus
}
#endif
