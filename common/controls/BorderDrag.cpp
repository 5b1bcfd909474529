#include "BorderDrag.h"

#include <stdlib.h>

int HitTestBorder(const RECT* rect, POINT point, int n)
{
    if (!rect)
        return BORDER_NONE;
    bool left = abs(point.x - rect->left) <= n;
    bool right = abs(point.x - rect->right) <= n;
    bool top = abs(point.y - rect->top) <= n;
    bool bottom = abs(point.y - rect->bottom) <= n;
    if (top)
        return left ? BORDER_TOP_LEFT : right ? BORDER_TOP_RIGHT : BORDER_TOP;
    if (bottom)
        return left ? BORDER_BOTTOM_LEFT : right ? BORDER_BOTTOM_RIGHT : BORDER_BOTTOM;
    if (right)
        return BORDER_RIGHT;
    return left ? BORDER_LEFT : BORDER_INSIDE;
}

POINT MouseMessagePoint(HWND window, LPARAM lParam)
{
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ClientToScreen(window, &point);
    return point;
}

int HitTestWindowBorder(HWND window, int n)
{
    RECT rect;
    POINT cursor;
    if (!GetWindowRect(window, &rect) || !GetCursorPos(&cursor))
        return BORDER_NONE;
    return HitTestBorder(&rect, cursor, n);
}

void BeginBorderDrag(BorderDrag* drag, int zone, const RECT* start, POINT cursor)
{
    drag->Zone = zone;
    drag->Start = *start;
    drag->Offset.x = cursor.x - start->left;
    drag->Offset.y = cursor.y - start->top;
}

bool TrackBorderDrag(const BorderDrag* drag, POINT cursor, RECT* out)
{
    if (!drag || drag->Zone == BORDER_NONE)
        return false;
    RECT r = drag->Start;
    int left = cursor.x - drag->Offset.x;
    int top = cursor.y - drag->Offset.y;
    if (drag->Zone == BORDER_INSIDE) {
        OffsetRect(&r, left - r.left, top - r.top);
        *out = r;
        return true;
    }
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    // The offsets were taken at the press, so the edge under the cursor moves by the cursor's travel.
    switch (drag->Zone) {
    case BORDER_TOP_LEFT: case BORDER_LEFT: case BORDER_BOTTOM_LEFT:
        r.left = left;
        break;
    case BORDER_TOP_RIGHT: case BORDER_RIGHT: case BORDER_BOTTOM_RIGHT:
        r.right = r.left + width + (left - drag->Start.left);
        break;
    }
    switch (drag->Zone) {
    case BORDER_TOP_LEFT: case BORDER_TOP: case BORDER_TOP_RIGHT:
        r.top = top;
        break;
    case BORDER_BOTTOM_LEFT: case BORDER_BOTTOM: case BORDER_BOTTOM_RIGHT:
        r.bottom = r.top + height + (top - drag->Start.top);
        break;
    }
    if (r.right - r.left < BORDER_DRAG_MIN_SIZE || r.bottom - r.top < BORDER_DRAG_MIN_SIZE)
        return false;
    *out = r;
    return true;
}

LPCSTR BorderZoneSystemCursor(int zone)
{
    switch (zone) {
    case BORDER_TOP: case BORDER_BOTTOM: return IDC_SIZENS;
    case BORDER_TOP_RIGHT: case BORDER_BOTTOM_LEFT: return IDC_SIZENESW;
    case BORDER_RIGHT: case BORDER_LEFT: return IDC_SIZEWE;
    case BORDER_BOTTOM_RIGHT: case BORDER_TOP_LEFT: return IDC_SIZENWSE;
    case BORDER_INSIDE: return IDC_SIZEALL;
    default: return nullptr;
    }
}
