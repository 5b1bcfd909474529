#include "CaptionButton.h"

namespace {

const int kCorner = 4;
const COLORREF kFocusDotColor = 0xC0C0C0;
const COLORREF kFocusRoundColor = 0xE0C0C0;
const COLORREF kDisabledTextColor = 0x808080;

// Draws rect inset by inset pixels with the DC's pen and brush, rounded for the round shape.
void ShapeRect(HDC dc, const RECT* rect, int inset, int shape)
{
    RECT r = *rect;
    InflateRect(&r, -inset, -inset);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (shape == BUTTON_SHAPE_ROUND)
        RoundRect(dc, r.left, r.top, r.right, r.bottom, kCorner, kCorner);
    else
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

// Narrows the DC's clipping to clip (device units); a DC without clipping gets clip itself.
void IntersectClip(HDC dc, HRGN clip)
{
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    if (current && GetClipRgn(dc, current) == 1 && CombineRgn(current, current, clip, RGN_AND) != ERROR)
        SelectClipRgn(dc, current);
    else
        SelectClipRgn(dc, clip);
    if (current)
        DeleteObject(current);
}

// Fills the inset shape in color without an outline, inside clip when one is given.
void FillShape(HDC dc, const RECT* rect, int inset, COLORREF color, int shape, HRGN clip)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return;
    int saved = SaveDC(dc);
    if (clip)
        IntersectClip(dc, clip);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, brush);
    ShapeRect(dc, rect, inset, shape);
    RestoreDC(dc, saved);
    DeleteObject(brush);
}

// Polygon region in device units (clip regions ignore the DC's mapping).
HRGN DevicePolygonRegion(HDC dc, POINT* points, int count)
{
    LPtoDP(dc, points, count);
    return CreatePolygonRgn(points, count, WINDING);
}

// The two bevel halves: the split runs 45 degrees in from the top-right and bottom-left corners to the
// middle of the shorter side, so the light and dark edges meet in mitred corners.
void CreateBevelRegions(HDC dc, const RECT* r, HRGN* upperLeft, HRGN* lowerRight)
{
    LONG width = r->right - r->left, height = r->bottom - r->top;
    LONG half = (width < height ? width : height) / 2;
    POINT inner1 = {r->right - half, r->top + half};
    POINT inner2 = {r->left + half, r->bottom - half};
    POINT upper[] = {{r->left, r->top}, {r->right, r->top}, inner1, inner2, {r->left, r->bottom}};
    POINT lower[] = {{r->right, r->top}, {r->right, r->bottom}, {r->left, r->bottom}, inner2, inner1};
    *upperLeft = DevicePolygonRegion(dc, upper, 5);
    *lowerRight = DevicePolygonRegion(dc, lower, 5);
}

void DrawFocusOutline(HDC dc, const RECT* rect, int shape, int pressed)
{
    bool round = shape == BUTTON_SHAPE_ROUND;
    HPEN pen = round ? CreatePen(PS_SOLID, 2, kFocusRoundColor) : CreatePen(PS_DOT, 1, kFocusDotColor);
    if (!pen)
        return;
    int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    ShapeRect(dc, rect, round ? 2 : (pressed ? 4 : 3), shape);
    RestoreDC(dc, saved);
    DeleteObject(pen);
}

void DrawCaption(HDC dc, const RECT* rect, UINT state, const char* text, const LOGFONTA* font, int engraved,
                 COLORREF textColor, COLORREF engraveColor)
{
    if (!text || !*text)
        return;
    HFONT captionFont = nullptr;
    int saved = SaveDC(dc);
    if (font) {
        // The caption scales with the button; Japanese faces run larger, so they get the smaller share.
        LOGFONTA lf = *font;
        double share = lf.lfCharSet == SHIFTJIS_CHARSET ? 0.6 : 0.7;
        lf.lfHeight = -(LONG)((rect->bottom - rect->top) * share);
        captionFont = CreateFontIndirectA(&lf);
        if (captionFont)
            SelectObject(dc, captionFont);
    }
    SetBkMode(dc, TRANSPARENT);
    RECT r = *rect;
    if (state & ODS_SELECTED)
        OffsetRect(&r, 1, 1);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (engraved) {
        RECT shade = r;
        OffsetRect(&shade, 1, 1);
        SetTextColor(dc, engraveColor);
        DrawTextA(dc, text, -1, &shade, format);
    }
    SetTextColor(dc, (state & ODS_DISABLED) ? kDisabledTextColor : textColor);
    DrawTextA(dc, text, -1, &r, format);
    RestoreDC(dc, saved);
    if (captionFont)
        DeleteObject(captionFont);
}

}  // namespace

extern "C" {

int PaintCaptionButton(const RECT* rect, HDC dc, UINT state, const char* text, const LOGFONTA* font, int shape,
                       int engraved, COLORREF textColor, COLORREF engraveColor, COLORREF faceColor,
                       COLORREF lightColor, COLORREF darkColor)
{
    if (!rect || !dc)
        return 0;
    HRGN upperLeft = nullptr;
    HRGN lowerRight = nullptr;
    CreateBevelRegions(dc, rect, &upperLeft, &lowerRight);
    bool pressed = (state & ODS_SELECTED) != 0;

    FillShape(dc, rect, 0, RGB(0, 0, 0), shape, nullptr);
    if (pressed) {
        FillShape(dc, rect, 1, darkColor, shape, upperLeft);
        FillShape(dc, rect, 3, faceColor, shape, nullptr);
    } else {
        FillShape(dc, rect, 1, lightColor, shape, upperLeft);
        FillShape(dc, rect, 2, darkColor, shape, lowerRight);
        FillShape(dc, rect, 4, faceColor, shape, nullptr);
    }
    if (state & ODS_FOCUS)
        DrawFocusOutline(dc, rect, shape, pressed);
    DrawCaption(dc, rect, state, text, font, engraved, textColor, engraveColor);

    if (upperLeft)
        DeleteObject(upperLeft);
    if (lowerRight)
        DeleteObject(lowerRight);
    return 1;
}

int DrawCaptionButton(const DRAWITEMSTRUCT* item, const char* text, const LOGFONTA* font, int shape, int engraved,
                      COLORREF textColor, COLORREF engraveColor, COLORREF faceColor, COLORREF lightColor,
                      COLORREF darkColor)
{
    if (!item)
        return 0;
    // Shapes drawn without a pen leave out their right and bottom pixel: grow by one to cover the control.
    RECT r;
    GetClientRect(item->hwndItem, &r);
    r.right++;
    r.bottom++;
    return PaintCaptionButton(&r, item->hDC, item->itemState, text, font, shape, engraved, textColor, engraveColor,
                              faceColor, lightColor, darkColor);
}

}  // extern "C"
