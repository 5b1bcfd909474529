#include "CalendarFrame.h"

#include <math.h>
#include <stdlib.h>

#include "RuntimeCalls.h"
#include "ShadowText.h"
#include "Transparency.h"

namespace {

bool IsGraded(int gradation)
{
    return gradation >= FRAME_GRADATION_OUT_IN && gradation <= FRAME_GRADATION_MIDDLE;
}

void FillWith(HDC dc, const RECT* rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return;
    FillRect(dc, rect, brush);
    DeleteObject(brush);
}

// Outline (or filled shape, with the DC's brush) of the shape on rect.
void DrawShape(HDC dc, const RECT& rect, int frameShape, int roundness)
{
    if (frameShape == FRAME_SHAPE_ELLIPSE)
        Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    else if (frameShape == FRAME_SHAPE_ROUNDED)
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, roundness, roundness);
    else
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

HRGN ShapeRegion(const RECT& rect, int frameShape, int roundness)
{
    if (frameShape == FRAME_SHAPE_ELLIPSE)
        return CreateEllipticRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    if (frameShape == FRAME_SHAPE_ROUNDED)
        return CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, roundness, roundness);
    return nullptr;
}

// Weights of colour1 and colour2 for the pen at depth i of a plain band of the given width.
void PenWeights(int gradation, int width, int i, int* e, int* f)
{
    int c = width - 1, h = c / 2, half = width / 2;
    bool odd = width % 2 == 1;
    switch (gradation) {
    case FRAME_GRADATION_OUT_IN: *e = c - i, *f = i; break;
    case FRAME_GRADATION_IN_OUT: *e = i, *f = c - i; break;
    case FRAME_GRADATION_EDGES:
        if (odd)
            *e = abs(i - h), *f = h - abs(i - h);
        else if (i < half)
            *e = half - i - 1, *f = i;
        else
            *e = i - half, *f = c - i;
        break;
    default:
        if (odd)
            *e = h - abs(i - h), *f = abs(i - h);
        else if (i < half)
            *e = i, *f = half - i - 1;
        else
            *e = c - i, *f = i - half;
        break;
    }
}

// The shape on rect moved in by depth on every side (a rounded corner keeps its centre), or false when nothing of it
// is left.
bool InsetShape(const RECT& rect, int depth, RECT* inset)
{
    if (depth > (rect.right - rect.left) / 2 || depth > (rect.bottom - rect.top) / 2)
        return false;
    *inset = {rect.left + depth, rect.top + depth, rect.right - depth, rect.bottom - depth};
    return inset->left < inset->right && inset->top < inset->bottom;
}

int InsetRoundness(int roundness, int depth)
{
    long long inset = (long long)roundness - 2LL * depth;
    return inset > 0 ? (int)inset : 0;
}

// The filled shape (outline included) in one colour.
void FillShape(HDC dc, const RECT& rect, int frameShape, int roundness, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    if (pen && brush) {
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        DrawShape(dc, rect, frameShape, roundness);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
    }
    if (pen)
        DeleteObject(pen);
    if (brush)
        DeleteObject(brush);
}

// Leaves out of the DC's clip region what lies inside the band of depths pixels, so that the filled shapes of the
// band never reach the calendar inside it.
void ExcludeInside(HDC dc, const RECT& rect, int frameShape, int roundness, int depths)
{
    RECT inside;
    if (!InsetShape(rect, depths, &inside))
        return;
    int corner = InsetRoundness(roundness, depths);
    HRGN region = nullptr;
    if (frameShape == FRAME_SHAPE_ELLIPSE)
        region = CreateEllipticRgn(inside.left, inside.top, inside.right + 1, inside.bottom + 1);
    else if (frameShape == FRAME_SHAPE_ROUNDED)
        region = CreateRoundRectRgn(inside.left, inside.top, inside.right + 1, inside.bottom + 1, corner, corner);
    else
        region = CreateRectRgn(inside.left, inside.top, inside.right, inside.bottom);
    if (!region)
        return;
    ExtSelectClipRgn(dc, region, RGN_DIFF);
    DeleteObject(region);
}

// The band as filled shapes from the outside in: each depth fills its shape, the next one in paints over all but
// its outline; the inside of the band is clipped away. Depths beyond half the shorter side would draw nothing.
void DrawPlainBand(const RECT& rect, HDC dc, int frameWidth, int frameShape, int roundness, COLORREF color1,
                   COLORREF color2, int gradation)
{
    int depths = FrameBandDepths(&rect, frameWidth);
    if (depths <= 0)
        return;
    int saved = SaveDC(dc);
    ExcludeInside(dc, rect, frameShape, roundness, depths);
    bool graded = frameWidth > 2 && IsGraded(gradation);
    for (int i = 0; i < (graded ? depths : 1); i++) {
        RECT inset;
        if (!InsetShape(rect, i, &inset))
            break;
        COLORREF color = color1;
        if (graded) {
            int e = 0, f = 0;
            PenWeights(gradation, frameWidth, i, &e, &f);
            color = BlendColor(color1, e, color2, f);
        }
        FillShape(dc, inset, frameShape, InsetRoundness(roundness, i), color);
    }
    if (saved)
        RestoreDC(dc, saved);
}

inline int Smallest(int a, int b) { return a < b ? a : b; }

// Pixels of a 32-bit bottom-up DIB as COLORREF.
inline COLORREF FromDib(DWORD v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
inline DWORD ToDib(COLORREF c) { return (DWORD)GetRValue(c) << 16 | (DWORD)GetGValue(c) << 8 | GetBValue(c); }

struct Band {
    COLORREF color1, color2;
    int gradation;
    double width;
};

inline void ShadePixel(DWORD* pixel, const Band& band, double distance)
{
    COLORREF color;
    if (FramePixelColor(&color, FromDib(*pixel), band.color1, band.color2, band.gradation, band.width, distance))
        *pixel = ToDib(color);
}

void ShadeEllipse(DWORD* bits, int w, int h, const RECT& rect, const Band& band)
{
    double a = (rect.right - rect.left) / 2.0, b = (rect.bottom - rect.top) / 2.0;
    double cx = (rect.left + rect.right) / 2.0, cy = (rect.top + rect.bottom) / 2.0;
    double a2 = a * a, b2 = b * b;
    for (int y = 0; y < h; y++) {
        DWORD* row = bits + (size_t)(h - 1 - y) * w;
        double u = (rect.top + y - cy) * (rect.top + y - cy);
        for (int x = 0; x < w; x++) {
            double t = (rect.left + x - cx) * (rect.left + x - cx);
            double denominator = b2 * t + a2 * u;
            if (denominator == 0)
                continue;
            ShadePixel(row + x, band, sqrt(a2 * b2 * (t + u) / denominator) - sqrt(t + u));
        }
    }
}

// Corners are circles of the corner diameter (at most the shorter side); the straight parts take the depth from
// the nearest edge. Every pixel is visited once, so the fringe blends against the background only once.
void ShadeRounded(DWORD* bits, int w, int h, const RECT& rect, int roundness, const Band& band)
{
    int diameter = roundness < 0 ? 0 : roundness;
    if (diameter > rect.right - rect.left)
        diameter = rect.right - rect.left;
    if (diameter > rect.bottom - rect.top)
        diameter = rect.bottom - rect.top;
    int r = diameter / 2;
    for (int y = 0; y < h; y++) {
        DWORD* row = bits + (size_t)(h - 1 - y) * w;
        int py = rect.top + y;
        int cy = py < rect.top + r ? rect.top + r : py > rect.bottom - r ? rect.bottom - r : py;
        for (int x = 0; x < w; x++) {
            int px = rect.left + x;
            int cx = px < rect.left + r ? rect.left + r : px > rect.right - r ? rect.right - r : px;
            if (cx != px && cy != py) {
                double dx = px - cx, dy = py - cy;
                ShadePixel(row + x, band, r - sqrt(dx * dx + dy * dy));
                continue;
            }
            int m = Smallest(Smallest(px - rect.left, rect.right - px), Smallest(py - rect.top, rect.bottom - py));
            if (m < band.width)
                ShadePixel(row + x, band, m);
        }
    }
}

// The anti-aliased band, computed on a copy of the rectangle in memory; false when the copy cannot be made.
bool DrawComputedBand(const RECT& rect, HDC dc, int frameWidth, int frameShape, int roundness, COLORREF color1,
                      COLORREF color2, int gradation)
{
    int w = rect.right - rect.left + 1, h = rect.bottom - rect.top + 1;
    if (w <= 0 || h <= 0)
        return true;
    void* bits = nullptr;
    HBITMAP dib = CreateDibSection32(w, h, &bits);
    if (!dib)
        return false;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) {
        DeleteObject(dib);
        return false;
    }
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    Band band = {color1, color2, gradation, (double)frameWidth};
    if (frameShape == FRAME_SHAPE_ELLIPSE)
        ShadeEllipse((DWORD*)bits, w, h, rect, band);
    else
        ShadeRounded((DWORD*)bits, w, h, rect, roundness, band);
    BitBlt(dc, rect.left, rect.top, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return true;
}

}  // namespace

extern "C" {

int FrameBandDepths(const RECT* rect, int frameWidth)
{
    if (!rect || frameWidth <= 0)
        return 0;
    long long shorter = (long long)rect->right - rect->left;
    long long height = (long long)rect->bottom - rect->top;
    if (height < shorter)
        shorter = height;
    if (shorter <= 0)
        return 0;
    long long bound = shorter / 2 + 1;
    return (int)(frameWidth < bound ? frameWidth : bound);
}

HBITMAP CreateFilledBitmap(HDC reference, HDC memory, int width, int height, COLORREF color)
{
    if (!reference || !memory || width <= 0 || height <= 0)
        return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
    if (!bitmap)
        return nullptr;
    SelectObject(memory, bitmap);
    RECT rect = {0, 0, width, height};
    FillWith(memory, &rect, color);
    return bitmap;
}

int PaintBackground(HWND window, HDC dc, int transMode, int frameWidth, int frameShape, int roundness,
                    COLORREF fillColor, COLORREF backColor)
{
    if (!window || !dc)
        return 0;
    if (transMode == TRANS_MODE_PSEUDO) {
        SendMessageA(window, WM_ICONERASEBKGND, (WPARAM)dc, 0);
        return 1;
    }
    // The not-layered kind is as opaque as the alpha kind: its back buffer needs the background too.
    if (transMode != TRANS_MODE_KEY_AND_ALPHA && transMode != TRANS_MODE_ALPHA && transMode != TRANS_MODE_OPAQUE)
        return 1;
    RECT client;
    GetClientRect(window, &client);
    if (frameWidth <= 0) {
        FillWith(dc, &client, backColor);
        return 1;
    }
    FillWith(dc, &client, fillColor);
    HBRUSH brush = CreateSolidBrush(backColor);
    if (!brush)
        return 1;
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    DrawShape(dc, client, frameShape, roundness);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    return 1;
}

int DrawFrame(HWND window, HDC dc, int frameWidth, int frameShape, int roundness, COLORREF color1, COLORREF color2,
              int gradation, int antiAlias)
{
    if (!window || !dc)
        return 0;
    RECT client;
    GetClientRect(window, &client);
    return DrawShapeFrame(client, dc, frameWidth, frameShape, roundness, color1, color2, gradation, antiAlias);
}

int DrawShapeFrame(RECT rect, HDC dc, int frameWidth, int frameShape, int roundness, COLORREF color1,
                   COLORREF color2, int gradation, int antiAlias)
{
    if (!dc)
        return 0;
    // SaveDC keeps the caller's brush, pen and clip region, which the band replaces for a while.
    int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    if (antiAlias != 1) {
        HRGN clip = ShapeRegion(rect, frameShape, roundness);
        if (clip) {
            ExtSelectClipRgn(dc, clip, RGN_AND);
            DeleteObject(clip);
        }
    }
    bool computed = antiAlias == 1 && frameWidth > 2 && IsGraded(gradation) &&
                    (frameShape == FRAME_SHAPE_ELLIPSE || frameShape == FRAME_SHAPE_ROUNDED) &&
                    DrawComputedBand(rect, dc, frameWidth, frameShape, roundness, color1, color2, gradation);
    if (!computed)
        DrawPlainBand(rect, dc, frameWidth, frameShape, roundness, color1, color2, gradation);
    if (saved)
        RestoreDC(dc, saved);
    return 1;
}

int FramePixelColor(COLORREF* out, COLORREF present, COLORREF color1, COLORREF color2, int gradation, double width,
                    double distance)
{
    if (!out || width <= 0 || !IsGraded(gradation))
        return 0;
    bool swap = gradation == FRAME_GRADATION_IN_OUT || gradation == FRAME_GRADATION_MIDDLE;
    COLORREF a = swap ? color2 : color1, b = swap ? color1 : color2;
    double d = distance;
    if (gradation <= FRAME_GRADATION_IN_OUT) {
        if (d <= -1 || d >= width + 1)
            return 0;
        if (d < 0)
            *out = BlendColorWeighted(a, 1 + d, present, -d);
        else if (d <= width)
            *out = BlendColorWeighted(a, 1 - d / width, b, d / width);
        else
            *out = BlendColorWeighted(b, width + 1 - d, present, d - width);
        return 1;
    }
    double half = width / 2, off = fabs(d - half);
    if (off >= half + 1)
        return 0;
    if (off <= half)
        *out = BlendColorWeighted(a, 1 - off / half, b, off / half);
    else  // the fringe fades the edge colour, b, into what lies beyond
        *out = BlendColorWeighted(b, half + 1 - off, present, off - half);
    return 1;
}

int BlendFramePixel(COLORREF* out, HDC dc, int x, int y, COLORREF color1, COLORREF color2, int gradation,
                    double width, double distance)
{
    if (!dc)
        return 0;
    return FramePixelColor(out, GetPixel(dc, x, y), color1, color2, gradation, width, distance);
}

HRGN MakeWindowRegion(HWND window, int frameShape, int roundness)
{
    if (!window)
        return nullptr;
    RECT rect;
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    return CreateShapeRegion(window, &rect, frameShape, roundness);
}

HRGN FrameShapeRegion(const RECT* rect, int frameShape, int roundness)
{
    return rect ? ShapeRegion(*rect, frameShape, roundness) : nullptr;
}

HRGN CreateShapeRegion(HWND window, const RECT* rect, int frameShape, int roundness)
{
    if (!window || !rect)
        return nullptr;
    HRGN region = ShapeRegion(*rect, frameShape, roundness);
    // A rectangle after another shape must not keep the old outline.
    if (!SetWindowRgn(window, region, TRUE)) {
        if (region)
            DeleteObject(region);
        return nullptr;
    }
    return region;
}

}  // extern "C"
