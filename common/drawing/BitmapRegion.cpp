#include "BitmapRegion.h"

#include "HeapUtil.h"

namespace {

const DWORD kRectsPerBlock = 256;

// The bitmap as 24-bit bottom-up rows padded to 4 bytes.
class BitmapPixels {
public:
    ~BitmapPixels()
    {
        if (bits_)
            HeapFree(GetProcessHeap(), 0, bits_);
    }

    // Reads the bitmap whole; runs are looked for in its top-left width x height pixels.
    bool Read(HDC dc, HBITMAP bitmap, int width, int height)
    {
        BITMAP info;
        if (!dc || !bitmap || width <= 0 || height <= 0 || !GetObjectA(bitmap, sizeof(info), &info))
            return false;
        rows_ = abs((int)info.bmHeight);
        width_ = width < info.bmWidth ? width : (int)info.bmWidth;
        height_ = height < rows_ ? height : rows_;
        if (width_ <= 0 || height_ <= 0)
            return false;
        stride_ = ((size_t)info.bmWidth * 3 + 3) & ~(size_t)3;
        bits_ = (BYTE*)AllocZeroed(stride_ * (size_t)rows_);
        if (!bits_)
            return false;
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = info.bmWidth;
        bmi.bmiHeader.biHeight = rows_;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 24;
        bmi.bmiHeader.biCompression = BI_RGB;
        return GetDIBits(dc, bitmap, 0, rows_, bits_, &bmi, DIB_RGB_COLORS) == rows_;
    }

    // Calls add(rect) for every run of pixels that differ from key, row by row from the top.
    template <typename Add>
    bool ForEachRun(COLORREF key, Add add) const
    {
        key &= 0xFFFFFF;
        for (int y = 0; y < height_; y++) {
            const BYTE* row = bits_ + stride_ * (size_t)(rows_ - 1 - y);
            int x = 0;
            while (x < width_) {
                while (x < width_ && Pixel(row, x) == key)
                    x++;
                int start = x;
                while (x < width_ && Pixel(row, x) != key)
                    x++;
                if (x > start && !add(RECT{start, y, x, y + 1}))
                    return false;
            }
        }
        return true;
    }

private:
    static COLORREF Pixel(const BYTE* row, int x)
    {
        const BYTE* p = row + (size_t)x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    BYTE* bits_ = nullptr;
    size_t stride_ = 0;
    int rows_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// Collects rectangles into one region-data block at a time and ORs each full block into the result.
class RegionBuilder {
public:
    RegionBuilder() : result_(CreateRectRgn(0, 0, 0, 0)) { Reset(); }

    ~RegionBuilder()
    {
        if (result_)
            DeleteObject(result_);
    }

    bool Add(const RECT& r)
    {
        RECT* rects = (RECT*)block_.data.Buffer;
        rects[block_.data.rdh.nCount++] = r;
        UnionRect(&block_.data.rdh.rcBound, &block_.data.rdh.rcBound, &r);
        return block_.data.rdh.nCount < kRectsPerBlock || Flush();
    }

    // The region, owned by the caller from now on; null when any step failed.
    HRGN Finish()
    {
        if (!result_ || !Flush())
            return nullptr;
        HRGN done = result_;
        result_ = nullptr;
        return done;
    }

private:
    void Reset()
    {
        block_.data.rdh.dwSize = sizeof(RGNDATAHEADER);
        block_.data.rdh.iType = RDH_RECTANGLES;
        block_.data.rdh.nCount = 0;
        block_.data.rdh.nRgnSize = 0;
        SetRectEmpty(&block_.data.rdh.rcBound);
    }

    bool Flush()
    {
        DWORD count = block_.data.rdh.nCount;
        if (count == 0)
            return result_ != nullptr;
        block_.data.rdh.nRgnSize = count * sizeof(RECT);
        HRGN part = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + count * sizeof(RECT), &block_.data);
        Reset();
        bool ok = part && CombineRgn(result_, result_, part, RGN_OR) != ERROR;
        if (part)
            DeleteObject(part);
        return ok;
    }

    union Block {
        RGNDATA data;
        BYTE bytes[sizeof(RGNDATAHEADER) + kRectsPerBlock * sizeof(RECT)];
    };
    static_assert(sizeof(RGNDATAHEADER) == 32, "region data header");
    static_assert(sizeof(Block) == 4128, "one block holds 256 rectangles");

    Block block_;
    HRGN result_;
};

bool OrRect(HRGN region, const RECT& r)
{
    HRGN part = CreateRectRgnIndirect(&r);
    if (!part)
        return false;
    bool ok = CombineRgn(region, region, part, RGN_OR) != ERROR;
    DeleteObject(part);
    return ok;
}

}  // namespace

extern "C" {

HRGN CreateRegionFromBitmap(HDC dc, HBITMAP bitmap, int width, int height, COLORREF key)
{
    BitmapPixels pixels;
    if (!pixels.Read(dc, bitmap, width, height))
        return nullptr;
    RegionBuilder builder;
    if (!pixels.ForEachRun(key, [&](const RECT& r) { return builder.Add(r); }))
        return nullptr;
    return builder.Finish();
}

HRGN CreateRegionFromBitmapSimple(HDC dc, HBITMAP bitmap, int width, int height, COLORREF key)
{
    BitmapPixels pixels;
    if (!pixels.Read(dc, bitmap, width, height))
        return nullptr;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region)
        return nullptr;
    if (!pixels.ForEachRun(key, [&](const RECT& r) { return OrRect(region, r); })) {
        DeleteObject(region);
        return nullptr;
    }
    return region;
}

}  // extern "C"
