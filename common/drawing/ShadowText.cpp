#include "ShadowText.h"

#include <string.h>

namespace {

int Channel(double value)
{
    if (value < 0)
        return 0;
    return value > 255 ? 255 : (int)value;
}

POINT Pt(int x, int y)
{
    POINT p = {x, y};
    return p;
}

// Offset of copy n (width >= n >= 1) and of the text, for the single-direction shadows. The point variant centres
// text and shadow on the point (half width), the box variant keeps the shadow inside the box (whole width).
void DirectionOffsets(int direction, int n, int span, int lead, POINT* copy, POINT* text)
{
    // span: distance the text moves away from the shadow; lead: where copies start (-h for points, 0 for boxes).
    switch (direction) {
    case 1: *copy = Pt(0, span - n), *text = Pt(0, span); break;
    case 2: *copy = Pt(lead + n, span - n), *text = Pt(lead, span); break;
    case 3: *copy = Pt(lead + n, 0), *text = Pt(lead, 0); break;
    case 5: *copy = Pt(0, lead + n), *text = Pt(0, lead); break;
    case 6: *copy = Pt(span - n, lead + n), *text = Pt(span, lead); break;
    case 7: *copy = Pt(span - n, 0), *text = Pt(span, 0); break;
    case 8: *copy = Pt(span - n, span - n), *text = Pt(span, span); break;
    default: *copy = Pt(lead + n, lead + n), *text = Pt(lead, lead); break;
    }
}

// Draws one copy of the text moved by (dx, dy).
typedef void (*DrawCopy)(HDC dc, const void* what, int dx, int dy);

struct PointText {
    int x, y;
    const char* text;
    int length;
};

struct BoxText {
    const char* text;
    RECT box;
    UINT format;
    int height;
};

void TextOutCopy(HDC dc, const void* what, int dx, int dy)
{
    const PointText* p = (const PointText*)what;
    TextOutA(dc, p->x + dx, p->y + dy, p->text, p->length);
}

void DrawTextCopy(HDC dc, const void* what, int dx, int dy)
{
    BoxText* b = (BoxText*)what;
    RECT r = b->box;
    OffsetRect(&r, dx, dy);
    b->height = DrawTextA(dc, b->text, -1, &r, b->format);
}

// The ring of half-size n; the box variant draws the corners once.
void DrawRing(HDC dc, DrawCopy draw, const void* what, int n, bool cornersOnce)
{
    for (int i = -n; i <= n; i++) {
        draw(dc, what, i, -n);
        draw(dc, what, i, n);
    }
    int edge = cornersOnce ? n - 1 : n;
    for (int j = -edge; j <= edge; j++) {
        draw(dc, what, -n, j);
        draw(dc, what, n, j);
    }
}

void DrawShadowed(HDC dc, DrawCopy draw, const void* what, bool box, COLORREF textColor, COLORREF shadowColor,
                  int width, int direction, int gradation)
{
    int span = box ? width : width / 2;
    int lead = box ? 0 : -(width / 2);
    POINT copy = {0, 0}, text = {0, 0};
    SetTextColor(dc, shadowColor);
    for (int n = width; n >= 1; n--) {
        if (gradation == 1)
            SetTextColor(dc, BlendColor(shadowColor, n, textColor, width - n));
        if (direction == 255) {
            DrawRing(dc, draw, what, n, box);
            continue;
        }
        DirectionOffsets(direction, n, span, lead, &copy, &text);
        draw(dc, what, copy.x, copy.y);
    }
    if (direction != 255 && width > 0)
        DirectionOffsets(direction, 1, span, lead, &copy, &text);
    SetTextColor(dc, textColor);
    draw(dc, what, text.x, text.y);
}

}  // namespace

extern "C" {

COLORREF BlendColor(COLORREF a, int weightA, COLORREF b, int weightB)
{
    return BlendColorWeighted(a, weightA, b, weightB);
}

COLORREF BlendColorWeighted(COLORREF a, double weightA, COLORREF b, double weightB)
{
    double sum = weightA + weightB;
    if (sum == 0)
        return a & 0xFFFFFF;
    int r = Channel((weightA * GetRValue(a) + weightB * GetRValue(b)) / sum + 0.5);
    int g = Channel((weightA * GetGValue(a) + weightB * GetGValue(b)) / sum + 0.5);
    int bl = Channel((weightA * GetBValue(a) + weightB * GetBValue(b)) / sum + 0.5);
    return RGB(r, g, bl);
}

int TextOutShadow(HDC dc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                  int direction, int gradation)
{
    if (!text || !*text)
        return 0;
    PointText what = {x, y, text, (int)strlen(text)};
    DrawShadowed(dc, TextOutCopy, &what, false, textColor, shadowColor, width, direction, gradation);
    return 1;
}

RECT ShadowTextBounds(int x, int y, SIZE size, int width, int direction)
{
    // The least and greatest offsets of the text and its copies, as DrawShadowed takes them for a point.
    int span = width / 2, lead = -(width / 2);
    POINT copy = {0, 0}, text = {0, 0};
    if (width > 0 && direction != 255)
        DirectionOffsets(direction, 1, span, lead, &copy, &text);
    RECT reach = {text.x, text.y, text.x, text.y};
    if (width > 0 && direction == 255)
        SetRect(&reach, -width, -width, width, width);
    for (int n = width; n >= 1 && direction != 255; n--) {
        DirectionOffsets(direction, n, span, lead, &copy, &text);
        reach.left = copy.x < reach.left ? copy.x : reach.left;
        reach.top = copy.y < reach.top ? copy.y : reach.top;
        reach.right = copy.x > reach.right ? copy.x : reach.right;
        reach.bottom = copy.y > reach.bottom ? copy.y : reach.bottom;
    }
    RECT box = {x + reach.left, y + reach.top, x + reach.right + size.cx, y + reach.bottom + size.cy};
    return box;
}

int DrawShadowText(HDC dc, const char* text, const RECT* box, UINT format, COLORREF textColor, COLORREF shadowColor,
                   int width, int direction, int gradation)
{
    if (!text || !*text || !box)
        return 0;
    BoxText what = {text, *box, format, 0};
    DrawShadowed(dc, DrawTextCopy, &what, true, textColor, shadowColor, width, direction, gradation);
    if (width <= 0)
        return what.height;
    return what.height + (direction == 255 ? 2 * width : width);
}

}  // extern "C"
