#include "DayMark.h"

#include <string.h>

#include "DayColor.h"
#include "EnvData.h"
#include "TextDraw.h"

namespace {

// The style a mark kind stands for: user marks resolve to their own style, which must be a built-in kind (a user
// mark naming another one draws nothing, so marks cannot refer to each other in circles).
const FontStyle* ResolveStyle(const FontStyle* style, const EnvData& env)
{
    if (style->MarkType < MARK_KIND_USER_BASE)
        return style;
    int index = style->MarkType - MARK_KIND_USER_BASE;
    if (!env.UserMarks || index >= env.UserStyleMax)
        return nullptr;
    const FontStyle* user = &env.UserMarks[index].Style;
    if (user->MarkType == MARK_NONE || user->MarkType >= MARK_KIND_USER_BASE)
        return nullptr;
    return user;
}

int TextWidth(HDC dc, const char* text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return size.cx;
}

// The day text at every point of the square ring of half-size r around (cx, cy).
void DrawTextRing(HDC dc, int cx, int cy, int r, const char* text)
{
    int length = (int)strlen(text);
    for (int i = -r; i <= r; i++) {
        TextOutA(dc, cx + i, cy + r, text, length);
        TextOutA(dc, cx + i, cy - r, text, length);
        TextOutA(dc, cx + r, cy + i, text, length);
        TextOutA(dc, cx - r, cy + i, text, length);
    }
}

// Offset of the k-th ring of a shadow of half-width h for shadow directions 1-8; false for any other direction.
bool ShadowRingOffset(int direction, int h, int k, POINT* offset)
{
    static const int kSigns[8][2] = {{0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}};
    if (direction < 1 || direction > 8)
        return false;
    offset->x = kSigns[direction - 1][0] * (h - k);
    offset->y = kSigns[direction - 1][1] * (h - k);
    return true;
}

void DrawOutline(HDC dc, const RECT& box, const char* text, const FontStyle& style, int ring, COLORREF color,
                 int dayAlign)
{
    int w30 = TextWidth(dc, "30");
    int tw = TextWidth(dc, text);
    int x = dayAlign == 0 ? box.left : dayAlign == 2 ? box.left - tw + w30 : box.left + w30 / 2 - tw / 2;
    int y = box.top;
    COLORREF oldColor = SetTextColor(dc, color);
    int w = style.ShadowWidth;
    if (style.ShadowDirection == SHADOW_OUTLINE) {
        DrawTextRing(dc, x, y, ring + w, text);
    } else {
        POINT offset;
        for (int k = 0; k <= w && ShadowRingOffset(style.ShadowDirection, w / 2, k, &offset); k++)
            DrawTextRing(dc, x + offset.x, y + offset.y, ring, text);
    }
    SetTextColor(dc, oldColor);
}

void DrawShape(HDC dc, const RECT& b, int kind)
{
    int mx = (b.left + b.right) / 2, my = (b.top + b.bottom) / 2;
    switch (kind) {
    case MARK_CIRCLE:
    case MARK_CIRCLE_FRAME:
        Ellipse(dc, b.left, b.top, b.right, b.bottom);
        break;
    case MARK_DIAMOND:
    case MARK_DIAMOND_FRAME: {
        POINT p[] = {{mx, b.top}, {b.left, my}, {mx, b.bottom}, {b.right, my}};
        Polygon(dc, p, 4);
        break;
    }
    case MARK_SQUARE:
    case MARK_SQUARE_FRAME:
        Rectangle(dc, b.left, b.top, b.right, b.bottom);
        break;
    case MARK_TRIANGLE:
    case MARK_TRIANGLE_FRAME: {
        POINT p[] = {{mx, b.top}, {b.left, b.bottom}, {b.right, b.bottom}};
        Polygon(dc, p, 3);
        break;
    }
    case MARK_TRIANGLE_DOWN:
    case MARK_TRIANGLE_DOWN_FRAME: {
        POINT p[] = {{b.left, b.top}, {mx, b.bottom}, {b.right, b.top}};
        Polygon(dc, p, 3);
        break;
    }
    case MARK_OCTAGON:
    case MARK_OCTAGON_FRAME: {
        int dx = (b.right - b.left) / 3, dy = (b.bottom - b.top) / 3;
        POINT p[] = {{b.left + dx, b.top},     {b.left, b.top + dy},     {b.left, b.bottom - dy},
                     {b.left + dx, b.bottom},  {b.right - dx, b.bottom}, {b.right, b.bottom - dy},
                     {b.right, b.top + dy},    {b.right - dx, b.top}};
        Polygon(dc, p, 8);
        break;
    }
    case MARK_UNDERLINE:
        MoveToEx(dc, b.left, b.bottom, nullptr);
        LineTo(dc, b.right, b.bottom);
        break;
    case MARK_DOUBLE_UNDERLINE: {
        int q = (3 * b.bottom + b.top) / 4;
        MoveToEx(dc, b.left, b.bottom, nullptr);
        LineTo(dc, b.right, b.bottom);
        MoveToEx(dc, b.left, q, nullptr);
        LineTo(dc, b.right, q);
        break;
    }
    case MARK_CROSS:
        MoveToEx(dc, b.left, b.top, nullptr);
        LineTo(dc, b.right, b.bottom);
        MoveToEx(dc, b.left, b.bottom, nullptr);
        LineTo(dc, b.right, b.top);
        break;
    case MARK_CHECK:
        MoveToEx(dc, (b.right + 3 * b.left) / 4, b.top, nullptr);
        LineTo(dc, mx, b.bottom);
        LineTo(dc, b.right, b.top);
        break;
    }
}

bool IsFilledKind(int kind)
{
    return kind >= MARK_CIRCLE && kind <= MARK_OCTAGON && kind % 2 == 0;
}

void DrawShapeMark(HDC dc, RECT* box, int kind, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, MarkPenWidth(box->right - box->left), color);
    HBRUSH brush = IsFilledKind(kind) ? CreateSolidBrush(color) : nullptr;
    HGDIOBJ oldPen = pen ? SelectObject(dc, pen) : nullptr;
    HGDIOBJ oldBrush = SelectObject(dc, brush ? (HGDIOBJ)brush : GetStockObject(HOLLOW_BRUSH));
    // The box handed in shrinks (the export's contract); the calendar gives each mark of a day its own copy of the
    // day's box, so the marks of one day never nest.
    box->top += 1;
    box->right -= 1;
    box->bottom -= 1;
    DrawShape(dc, *box, kind);
    if (oldPen)
        SelectObject(dc, oldPen);
    if (oldBrush)
        SelectObject(dc, oldBrush);
    if (pen)
        DeleteObject(pen);
    if (brush)
        DeleteObject(brush);
}

}  // namespace

int MarkPenWidth(int boxWidth)
{
    int width = boxWidth / 8 + 1;
    return width < 1 ? 1 : width > 3 ? 3 : width;
}

extern "C" {

int DrawDayMark(HDC dc, RECT* box, int otherMonth, const char* dayText, FontStyle* style, EnvData* env)
{
    if (!dc || !box || !style || !env || style->MarkType == MARK_NONE)
        return 0;
    const FontStyle* mark = ResolveStyle(style, *env);
    if (!mark || mark->MarkType >= MARK_KIND_COUNT)
        return 0;
    COLORREF color = mark->MarkColor;
    if (otherMonth == 1)
        color = OtherMonthColor(color, env->FillLightColor == 1, env->FillDarkColor == 1);
    if (mark->MarkType <= MARK_OUTLINE_3)
        DrawOutline(dc, *box, dayText ? dayText : "", *mark, mark->MarkType, color, env->DayAlign);
    else
        DrawShapeMark(dc, box, mark->MarkType, color);
    return 1;
}

}  // extern "C"
