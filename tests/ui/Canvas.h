// A 32-bit DIB section with a memory DC, for reading back what painters drew.
#pragma once

#include <windows.h>

class Canvas {
public:
    Canvas(int width, int height, COLORREF background);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF color);
    COLORREF Pixel(int x, int y) const;
    // Number of pixels of color, and their bounding box (empty when none).
    int Count(COLORREF color, RECT* box = nullptr) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
    int width_;
    int height_;
};
