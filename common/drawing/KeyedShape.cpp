#include "KeyedShape.h"

namespace {

const DWORD kColorMask = 0x00FFFFFF;
// Wider gaps closed would show as plates of the background colour between the strokes of the text.
const int kWidestClosedGap = 2;

DWORD PixelOfColor(COLORREF color)
{
    return ((DWORD)GetRValue(color) << 16) | ((DWORD)GetGValue(color) << 8) | GetBValue(color);
}

bool IsKey(DWORD pixel, DWORD key)
{
    return (pixel & kColorMask) == key;
}

// Whether two rows have the same runs of non-key pixels.
bool SameRuns(const DWORD* a, const DWORD* b, int width, DWORD key)
{
    for (int x = 0; x < width; x++)
        if (IsKey(a[x], key) != IsKey(b[x], key))
            return false;
    return true;
}

int RunsOfRow(const DWORD* row, int width, DWORD key)
{
    int runs = 0;
    for (int x = 0; x < width; x++)
        if (!IsKey(row[x], key) && (x == 0 || IsKey(row[x - 1], key)))
            runs++;
    return runs;
}

// Gives every run of key pixels of at most maxGap pixels with other pixels on both sides the colour fill.
int CloseGaps(DWORD* row, int width, DWORD key, DWORD fill, int maxGap)
{
    int changed = 0;
    int x = 0;
    while (x < width && IsKey(row[x], key))
        x++;
    while (x < width) {
        while (x < width && !IsKey(row[x], key))
            x++;
        int start = x;
        while (x < width && IsKey(row[x], key))
            x++;
        if (x < width && x - start <= maxGap) {
            for (int i = start; i < x; i++)
                row[i] = (row[i] & ~kColorMask) | fill;
            changed += x - start;
        }
    }
    return changed;
}

int CloseAll(DWORD* row, int width, DWORD key, DWORD fill)
{
    int changed = 0;
    for (int x = 0; x < width; x++)
        if (IsKey(row[x], key)) {
            row[x] = (row[x] & ~kColorMask) | fill;
            changed++;
        }
    return changed;
}

}  // namespace

extern "C" {

int KeyedShapeRectCount(const DWORD* pixels, int width, int height, COLORREF key)
{
    if (!pixels || width <= 0 || height <= 0)
        return 0;
    DWORD keyPixel = PixelOfColor(key);
    int count = 0;
    const DWORD* above = nullptr;
    for (int y = 0; y < height; y++) {
        const DWORD* row = pixels + (size_t)y * width;
        int runs = RunsOfRow(row, width, keyPixel);
        if (runs > 0 && !(above && SameRuns(row, above, width, keyPixel)))
            count += runs;
        above = runs > 0 ? row : nullptr;
    }
    return count;
}

int FitKeyedShape(DWORD* pixels, int width, int height, COLORREF key, int maxRects)
{
    if (!pixels || width <= 0 || height <= 0)
        return 0;
    DWORD keyPixel = PixelOfColor(key);
    DWORD fill = keyPixel ^ 1;
    int changed = 0;
    for (int gap = 1; gap <= kWidestClosedGap; gap++) {
        if (KeyedShapeRectCount(pixels, width, height, key) <= maxRects)
            return changed;
        for (int y = 0; y < height; y++)
            changed += CloseGaps(pixels + (size_t)y * width, width, keyPixel, fill, gap);
    }
    if (KeyedShapeRectCount(pixels, width, height, key) <= maxRects)
        return changed;
    for (int y = 0; y < height; y++)
        changed += CloseAll(pixels + (size_t)y * width, width, keyPixel, fill);
    return changed;
}

}  // extern "C"
