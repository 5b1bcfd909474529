#include "MemoryBitmap.h"

namespace {

DWORD Value(COLORREF c) { return (DWORD)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

}  // namespace

MemoryBitmap::MemoryBitmap(int width, int height, COLORREF background) : width_(width), height_(height)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bmi, DIB_RGB_COLORS, (void**)&bits_, nullptr, 0);
    if (!dc_ || !bitmap_) {
        bits_ = nullptr;
        return;
    }
    old_ = SelectObject(dc_, bitmap_);
    Fill(background);
}

MemoryBitmap::~MemoryBitmap()
{
    Unselect();
    if (bitmap_)
        DeleteObject(bitmap_);
    if (dc_)
        DeleteDC(dc_);
}

void MemoryBitmap::Unselect()
{
    if (old_)
        SelectObject(dc_, old_);
    old_ = nullptr;
}

void MemoryBitmap::Fill(COLORREF color)
{
    GdiFlush();
    for (int i = 0; bits_ && i < width_ * height_; i++)
        bits_[i] = Value(color);
}

void MemoryBitmap::Set(int x, int y, COLORREF color)
{
    GdiFlush();
    bits_[y * width_ + x] = Value(color);
}

COLORREF MemoryBitmap::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int MemoryBitmap::Count(COLORREF color, RECT* box) const
{
    int count = 0;
    RECT found = {width_, height_, 0, 0};
    for (int y = 0; y < height_; y++) {
        for (int x = 0; x < width_; x++) {
            if (Pixel(x, y) != color)
                continue;
            count++;
            found.left = x < found.left ? x : found.left;
            found.top = y < found.top ? y : found.top;
            found.right = x + 1 > found.right ? x + 1 : found.right;
            found.bottom = y + 1 > found.bottom ? y + 1 : found.bottom;
        }
    }
    if (box) {
        if (!count)
            SetRectEmpty(&found);
        *box = found;
    }
    return count;
}

bool MemoryBitmap::CopyFrom(HDC source, int x, int y)
{
    bool ok = BitBlt(dc_, 0, 0, width_, height_, source, x, y, SRCCOPY) != FALSE;
    GdiFlush();
    return ok;
}
