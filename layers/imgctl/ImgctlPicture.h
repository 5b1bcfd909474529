// A picture of imgctl.dll: one process-heap block holding a 24-bit bottom-up DIB header and its pixel rows, each
// row padded to 4 bytes. The handle the exports hand out is a pointer to it.
#pragma once

#include <windows.h>

namespace Imgctl {

// The largest side and pixel block a picture may have; a larger picture is refused, never half made.
const int kMaxSide = 20000;
const unsigned long long kMaxBytes = 1ull << 30;

struct Picture {
    DWORD Magic;
    BITMAPINFOHEADER Header;  // always BI_RGB, 24 bits, positive height (bottom-up)
    BYTE* Bits;               // within the same block
};

// Bytes of one row of width 24-bit pixels, padded to 4 bytes.
inline int RowStride(int width)
{
    return (width * 3 + 3) & ~3;
}

// A new picture of width x height (zero-filled), or null when the size is out of range or memory is short.
Picture* NewPicture(int width, int height);
// The picture behind a handle, or null when it is none of this library's.
Picture* FromHandle(HANDLE handle);
void FreePicture(Picture* picture);

// source scaled to width x height with a tent filter whose support widens when shrinking, so that a shrunken
// picture averages every source pixel; null when width or height is out of range or memory is short.
Picture* ScalePicture(const Picture* source, int width, int height);

}  // namespace Imgctl
