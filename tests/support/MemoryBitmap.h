// A top-down 32-bit DIB section selected into a memory DC: something to draw
// into or copy the screen into, and read back pixel by pixel.
#pragma once

#include <windows.h>

class MemoryBitmap {
public:
    MemoryBitmap(int width, int height, COLORREF background = RGB(0, 0, 0));
    ~MemoryBitmap();
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    const DWORD* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Fill(COLORREF color);
    void Set(int x, int y, COLORREF color);
    COLORREF Pixel(int x, int y) const;
    // Number of pixels of color, and their bounding box (empty when none).
    int Count(COLORREF color, RECT* box = nullptr) const;
    // Copies what the DC shows from (x, y) on, the size of this bitmap.
    bool CopyFrom(HDC source, int x = 0, int y = 0);
    // Takes the bitmap out of the DC, for code that reads it with GetDIBits.
    void Unselect();

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
    int width_;
    int height_;
};
