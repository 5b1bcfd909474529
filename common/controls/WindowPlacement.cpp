#include "WindowPlacement.h"

#include <limits.h>

namespace {

// pos moved by whole spans of [low, high) until the middle of [pos, pos + size) lies inside; span is positive.
LONG WrapCoordinate(LONG pos, LONG size, LONG low, LONG high)
{
    long long span = (long long)high - low;
    long long centre = (long long)pos + size / 2;
    long long steps = 0;
    if (centre >= high)
        steps = -((centre - high) / span + 1);
    else if (centre < low)
        steps = (low - centre - 1) / span + 1;
    return (LONG)(pos + steps * span);
}

LONG FitCoordinate(LONG centre, LONG size, LONG low, LONG high, int margin)
{
    LONG pos = centre - size / 2;
    if (pos + size > high)
        pos = high - size - margin;
    if (pos < low)
        pos = low + margin;
    return pos;
}

LONG KeepCoordinate(LONG pos, LONG size, LONG low, LONG high)
{
    long long kept = pos;
    if (kept + size > high)
        kept = (long long)high - size;
    return (LONG)(kept < low ? low : kept);
}

// The screen rectangle of a size at (x, y), its far edges held to LONG's range.
RECT ScreenRect(int x, int y, SIZE size)
{
    long long right = (long long)x + size.cx, bottom = (long long)y + size.cy;
    return {x, y, (LONG)(right > LONG_MAX ? LONG_MAX : right), (LONG)(bottom > LONG_MAX ? LONG_MAX : bottom)};
}

RECT PrimaryWorkArea()
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// On several monitors the cursor's own monitor is the one the user looks at.
RECT WorkAreaAt(POINT point)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfoA(monitor, &info))
        return info.rcWork;
    return PrimaryWorkArea();
}

RECT VirtualDesktop()
{
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    RECT desktop = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (desktop.right <= desktop.left || desktop.bottom <= desktop.top)
        GetWindowRect(GetDesktopWindow(), &desktop);
    return desktop;
}

POINT BesidePosition(int mode, SIZE frame, SIZE window, POINT current)
{
    POINT centred = {(frame.cx - window.cx) / 2, (frame.cy - window.cy) / 2};
    switch (mode) {
    case PLACE_CENTRE_HORIZONTALLY:
        return {centred.x, current.y};
    case PLACE_CENTRE_VERTICALLY:
        return {current.x, centred.y};
    case PLACE_LEFT_OF_MIDDLE:
        return {frame.cx / 2 - window.cx, current.y};
    case PLACE_RIGHT_OF_MIDDLE:
        return {frame.cx / 2, current.y};
    default:
        return centred;
    }
}

// SetWindowPos takes a child's position in its parent's client area and anyone else's on the screen.
HWND PositionSpace(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : HWND_DESKTOP;
}

// Whether window lies in the topmost band.
bool IsTopmost(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Whether a window of window's band lies above it (toward) or below it.
bool HasNeighbourInBand(HWND window, UINT toward)
{
    bool topmost = IsTopmost(window);
    for (HWND other = GetWindow(window, toward); other; other = GetWindow(other, toward)) {
        if (IsTopmost(other) == topmost)
            return true;
    }
    return false;
}

// Whether SetWindowPos with these arguments would change anything of window.
bool PlacementChangesWindow(HWND window, HWND after, int x, int y, int width, int height, UINT flags)
{
    RECT rect;
    if (!window || !GetWindowRect(window, &rect))
        return true;
    if (flags & (SWP_HIDEWINDOW | SWP_FRAMECHANGED))
        return true;
    if (!(flags & SWP_NOMOVE) && (rect.left != x || rect.top != y))
        return true;
    if (!(flags & SWP_NOSIZE) && (rect.right - rect.left != width || rect.bottom - rect.top != height))
        return true;
    if ((flags & SWP_SHOWWINDOW) && !IsWindowVisible(window))
        return true;
    if (flags & SWP_NOZORDER)
        return false;
    if (after == HWND_NOTOPMOST)
        return IsTopmost(window);
    if (after == HWND_TOPMOST)
        return !IsTopmost(window) || HasNeighbourInBand(window, GW_HWNDPREV);
    if (after == HWND_TOP)
        return HasNeighbourInBand(window, GW_HWNDPREV);
    if (after == HWND_BOTTOM)
        return IsTopmost(window) || GetWindow(window, GW_HWNDNEXT) != nullptr;
    return true;
}

const int kMostOwnedPopups = 32;

// Wine keeps the popups a window owns above it and places the window after the highest of them rather than at the
// top of the topmost band; there it joins the band only when the window below it is topmost too. A window with an
// owned popup above it (the calendar and its hidden tooltip) thus stayed out of the band: its own process's popups
// are let go for the placement and owned again after it.
void PlaceTopmostPastOwnedPopups(HWND window, int x, int y, int width, int height, UINT flags)
{
    HWND popups[kMostOwnedPopups];
    int count = 0;
    for (HWND other = GetTopWindow(nullptr); other && other != window && count < kMostOwnedPopups;
         other = GetWindow(other, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(other, &process);
        if (process == GetCurrentProcessId() && GetWindow(other, GW_OWNER) == window)
            popups[count++] = other;
    }
    if (count == 0)
        return;
    for (int i = 0; i < count; i++)
        SetWindowLongPtrA(popups[i], GWLP_HWNDPARENT, 0);
    SetWindowPos(window, HWND_TOPMOST, x, y, width, height, flags);
    for (int i = 0; i < count; i++)
        SetWindowLongPtrA(popups[i], GWLP_HWNDPARENT, (LONG_PTR)window);
}

}  // namespace

extern "C" {

POINT FitRectAroundPoint(POINT point, int width, int height, const RECT* area, int margin)
{
    if (!area)
        return {point.x - width / 2, point.y - height / 2};
    return {FitCoordinate(point.x, width, area->left, area->right, margin),
            FitCoordinate(point.y, height, area->top, area->bottom, margin)};
}

int WrapRectIntoArea(RECT* box, const RECT* area)
{
    if (!box || !area || area->right <= area->left || area->bottom <= area->top)
        return 0;
    box->left = WrapCoordinate(box->left, box->right, area->left, area->right);
    box->top = WrapCoordinate(box->top, box->bottom, area->top, area->bottom);
    return 1;
}

int KeepBoxInArea(RECT* box, const RECT* area)
{
    if (!box || !area || area->right <= area->left || area->bottom <= area->top)
        return 0;
    box->left = KeepCoordinate(box->left, box->right, area->left, area->right);
    box->top = KeepCoordinate(box->top, box->bottom, area->top, area->bottom);
    return 1;
}

int PlaceWindowAtCursor(HWND window, int margin, int show)
{
    if (!window)
        return 0;
    POINT cursor = {};
    GetCursorPos(&cursor);
    RECT area = WorkAreaAt(cursor);
    RECT r;
    GetWindowRect(window, &r);
    POINT pos = FitRectAroundPoint(cursor, r.right - r.left, r.bottom - r.top, &area, margin);
    UINT flags = SWP_NOSIZE | SWP_NOZORDER | (show == 1 ? SWP_SHOWWINDOW : SWP_NOREDRAW);
    return SetWindowPos(window, nullptr, pos.x, pos.y, 0, 0, flags) ? 1 : 0;
}

int PlaceWindowBeside(HWND window, int mode, HWND reference)
{
    if (!window)
        return 0;
    RECT r;
    GetWindowRect(window, &r);
    SIZE size = {r.right - r.left, r.bottom - r.top};
    // Positions are worked out in the reference's client area, or on the screen without one.
    POINT current = {r.left, r.top};
    SIZE frame;
    if (reference) {
        RECT ref;
        GetWindowRect(reference, &ref);
        frame = {ref.right - ref.left, ref.bottom - ref.top};
        MapWindowPoints(HWND_DESKTOP, reference, &current, 1);
    } else {
        RECT work = PrimaryWorkArea();
        frame = {work.right, work.bottom};
    }
    POINT pos = BesidePosition(mode, frame, size, current);
    MapWindowPoints(reference, PositionSpace(window), &pos, 1);
    return SetWindowPos(window, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW) ? 1 : 0;
}

int WrapRectOntoDesktop(HWND window, RECT* box, int resize)
{
    if (!window || !box)
        return 0;
    RECT desktop = VirtualDesktop();
    WrapRectIntoArea(box, &desktop);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | (resize == 1 ? 0 : SWP_NOSIZE);
    return SetWindowPos(window, nullptr, box->left, box->top, box->right, box->bottom, flags) ? 1 : 0;
}

int GetNormalPlacementRect(HWND window, RECT* box)
{
    if (!window || !box)
        return 0;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return 0;
    const RECT& r = placement.rcNormalPosition;
    *box = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return 1;
}

int PlaceRememberedWindow(HWND window, const RECT* box, int minimum, int margin)
{
    if (!window || !box)
        return 0;
    if (box->right < minimum || box->bottom < minimum)
        return PlaceWindowAtCursor(window, margin, 0);
    RECT wrapped = *box;
    return WrapRectOntoDesktop(window, &wrapped, 1);
}

int MoveWindowOntoScreen(HWND window, int x, int y)
{
    RECT frame;
    if (!window || !GetWindowRect(window, &frame))
        return 0;
    SIZE size = {frame.right - frame.left, frame.bottom - frame.top};
    RECT wanted = ScreenRect(x, y, size);
    RECT box = {x, y, size.cx, size.cy};
    if (!MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        HMONITOR nearest = MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST);
        RECT area = nearest && GetMonitorInfoA(nearest, &info) ? info.rcWork : PrimaryWorkArea();
        KeepBoxInArea(&box, &area);
    }
    return SetWindowPos(window, nullptr, box.left, box.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER) ? 1 : 0;
}

int SetWindowPosIfChanged(HWND window, HWND after, int x, int y, int width, int height, UINT flags)
{
    if (!PlacementChangesWindow(window, after, x, y, width, height, flags))
        return 1;
    if (!SetWindowPos(window, after, x, y, width, height, flags))
        return 0;
    if (after == HWND_TOPMOST && !(flags & SWP_NOZORDER) && !IsTopmost(window))
        PlaceTopmostPastOwnedPopups(window, x, y, width, height, flags | SWP_NOMOVE | SWP_NOSIZE);
    return 1;
}

int GetWindowBox(HWND window, RECT* box)
{
    RECT r;
    if (!box || !GetWindowRect(window, &r))
        return 0;
    *box = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return 1;
}

}  // extern "C"
