#include "GlyphButton.h"

namespace {

const int kMaxPoints = 4;

struct Shading {
    COLORREF fill;
    COLORREF lit;     // edges facing up and left
    COLORREF shaded;  // edges facing down and right
    COLORREF dark;    // outer line of the shaded edges
};

// The glyph's corner points on box (inclusive pixel coordinates), in clockwise order on screen.
int GlyphPoints(int kind, const RECT& box, POINT* points)
{
    LONG l = box.left, t = box.top, r = box.right, b = box.bottom;
    LONG cx = (l + r) / 2, cy = (t + b) / 2;
    switch (kind) {
    case GLYPH_ARROW_RIGHT:
        points[0] = {l, t}, points[1] = {r, cy}, points[2] = {l, b};
        return 3;
    case GLYPH_ARROW_DOWN:
        points[0] = {l, t}, points[1] = {r, t}, points[2] = {cx, b};
        return 3;
    case GLYPH_ARROW_LEFT:
        points[0] = {r, t}, points[1] = {r, b}, points[2] = {l, cy};
        return 3;
    case GLYPH_SQUARE:
        points[0] = {l, t}, points[1] = {r, t}, points[2] = {r, b}, points[3] = {l, b};
        return 4;
    case GLYPH_DIAMOND:
        points[0] = {cx, t}, points[1] = {r, cy}, points[2] = {cx, b}, points[3] = {l, cy};
        return 4;
    default:
        points[0] = {l, b}, points[1] = {cx, t}, points[2] = {r, b};
        return 3;
    }
}

// An edge of a clockwise polygon faces up or left when its outward normal (dy, -dx) does;
// an edge at exactly 45 degrees counts as lit when it faces up.
bool IsLitEdge(POINT from, POINT to)
{
    LONG dx = to.x - from.x, dy = to.y - from.y;
    return dx > dy || (dx == dy && dx > 0);
}

void DrawEdges(HDC dc, const POINT* points, int count, bool lit, int width, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, width, color);
    if (!pen)
        return;
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = 0; i < count; i++) {
        POINT from = points[i], to = points[(i + 1) % count];
        if (IsLitEdge(from, to) != lit)
            continue;
        MoveToEx(dc, from.x, from.y, nullptr);
        LineTo(dc, to.x, to.y);
        SetPixel(dc, to.x, to.y, color);  // LineTo leaves out the end point
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void FillPolygon(HDC dc, const POINT* points, int count, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return;
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, count);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

// Filled polygon; the wide edge lines run one pixel inside the outline, the dark line on it.
void PaintPolygonGlyph(HDC dc, int kind, const RECT& rect, const Shading& shading)
{
    RECT outer = {rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    RECT inner = {outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
    POINT outline[kMaxPoints], edges[kMaxPoints];
    int count = GlyphPoints(kind, outer, outline);
    GlyphPoints(kind, inner, edges);
    FillPolygon(dc, outline, count, shading.fill);
    DrawEdges(dc, edges, count, true, 2, shading.lit);
    DrawEdges(dc, edges, count, false, 2, shading.shaded);
    DrawEdges(dc, outline, count, false, 1, shading.dark);
}

void FillEllipse(HDC dc, const RECT& r, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return;
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

// Half of the ellipse's outline: the upper-left half from the top-right to the bottom-left, or the other half.
void DrawHalfArc(HDC dc, const RECT& r, bool upperLeft, int width, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, width, color);
    if (!pen)
        return;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    POINT topRight = {r.right, r.top}, bottomLeft = {r.left, r.bottom};
    POINT from = upperLeft ? topRight : bottomLeft;
    POINT to = upperLeft ? bottomLeft : topRight;
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    Arc(dc, r.left, r.top, r.right, r.bottom, from.x, from.y, to.x, to.y);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// A face ellipse over a shadow ellipse that sits down-right, or up-left while pressed.
void PaintCircleGlyph(HDC dc, const RECT& rect, bool pressed, COLORREF shadowColor, const Shading& shading)
{
    RECT face = rect;
    InflateRect(&face, -2, -2);
    RECT shadow = face;
    OffsetRect(&shadow, pressed ? -2 : 2, pressed ? -2 : 2);
    FillEllipse(dc, shadow, shadowColor);
    FillEllipse(dc, face, shading.fill);
    RECT edge = face;
    InflateRect(&edge, -1, -1);
    DrawHalfArc(dc, edge, true, 2, shading.lit);
    DrawHalfArc(dc, edge, false, 2, shading.shaded);
    DrawHalfArc(dc, face, false, 1, shading.dark);
}

}  // namespace

extern "C" {

int PaintGlyphButton(const RECT* rect, HDC dc, UINT state, int kind, COLORREF fillColor, COLORREF focusFillColor,
                     COLORREF shadowColor, COLORREF lightColor, COLORREF darkColor)
{
    if (!rect || !dc || rect->right - rect->left < 3 || rect->bottom - rect->top < 3)
        return 0;
    bool pressed = (state & ODS_SELECTED) != 0;
    Shading shading;
    shading.fill = (state & ODS_FOCUS) ? focusFillColor : fillColor;
    shading.lit = pressed ? shadowColor : lightColor;
    shading.shaded = pressed ? lightColor : shadowColor;
    shading.dark = darkColor;
    int saved = SaveDC(dc);
    if (kind == GLYPH_CIRCLE)
        PaintCircleGlyph(dc, *rect, pressed, shadowColor, shading);
    else
        PaintPolygonGlyph(dc, kind, *rect, shading);
    RestoreDC(dc, saved);
    return 1;
}

int DrawGlyphButton(const DRAWITEMSTRUCT* item, int kind, COLORREF fillColor, COLORREF focusFillColor,
                    COLORREF shadowColor, COLORREF lightColor, COLORREF darkColor)
{
    if (!item)
        return 0;
    RECT r;
    GetClientRect(item->hwndItem, &r);
    InflateRect(&r, -2, -1);
    return PaintGlyphButton(&r, item->hDC, item->itemState, kind, fillColor, focusFillColor, shadowColor,
                            lightColor, darkColor);
}

}  // extern "C"
