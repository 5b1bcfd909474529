// Window placement: centred on the cursor, beside another window, or brought back onto the desktop.
// A box is a RECT that holds x, y, width and height in left, top, right and bottom.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Modes of PlaceWindowBeside; any other mode centres the window both ways.
enum {
    PLACE_CENTRE = 0,               // centred both ways
    PLACE_CENTRE_HORIZONTALLY = 1,  // x centred, y kept
    PLACE_CENTRE_VERTICALLY = 2,    // x kept, y centred
    PLACE_LEFT_OF_MIDDLE = 3,       // right edge on the middle, y kept
    PLACE_RIGHT_OF_MIDDLE = 4       // left edge on the middle, y kept
};

// Top-left of a width x height rectangle centred on point and kept inside area: an edge that crosses the area
// is brought margin pixels inside it; when the rectangle is larger than the area its top-left stays inside.
POINT FitRectAroundPoint(POINT point, int width, int height, const RECT* area, int margin);
// Moves box by whole area widths and heights until its centre lies inside area; 0 (box unchanged) for an empty area.
int WrapRectIntoArea(RECT* box, const RECT* area);
// Moves box the least that brings it wholly inside area; a box wider or higher than the area keeps its left or top
// edge on the area's. 0 (box unchanged) for an empty area.
int KeepBoxInArea(RECT* box, const RECT* area);

// Centres window on the cursor inside the work area of the cursor's monitor (see FitRectAroundPoint);
// shows it when show is 1, else moves it without redrawing; 0 for a null window.
int PlaceWindowAtCursor(HWND window, int margin, int show);
// Moves and shows window by mode within reference (its size; positions in its client coordinates) or,
// for a null reference, within the work area's right and bottom; 0 for a null window.
int PlaceWindowBeside(HWND window, int mode, HWND reference);
// Wraps box onto the desktop (WrapRectIntoArea) and moves window there without redrawing, resizing it too
// when resize is 1; box gets the wrapped position; 0 for a null window or box.
int WrapRectOntoDesktop(HWND window, RECT* box, int resize);
// Remembered boxes (left, top, width and height) of windows that reopen where they were left.
// A box smaller than minimum either way centres the window on the cursor (margin as PlaceWindowAtCursor) without
// showing it; any other box is wrapped onto the desktop with its size. 0 for a null window or box.
int PlaceRememberedWindow(HWND window, const RECT* box, int minimum, int margin);
// Moves window, without resizing it, to (x, y); when it would lie there off every monitor, to the nearest place
// wholly inside the work area of the monitor nearest to that (KeepBoxInArea). 0 for a null window.
int MoveWindowOntoScreen(HWND window, int x, int y);
// The window's rectangle as a box; 0 (box unchanged) on failure.
int GetWindowBox(HWND window, RECT* box);
// The window's normal (restored) position and size into box; 0 on failure.
int GetNormalPlacementRect(HWND window, RECT* box);
// SetWindowPos, left out when it would leave the window as it is: the place and size already as asked, the window
// already shown when asked to show, and the z-order already as asked (HWND_NOTOPMOST for a window that is not
// topmost; HWND_TOP or HWND_TOPMOST with no window above it in its band; HWND_BOTTOM with no window below it).
// Under Wine any placement of the active window hands it to the window manager for good, which then makes each new
// picture of a colour-keyed window many times slower. A window made topmost joins the topmost band even when popups
// it owns lie above it. 1 when nothing was to be done or SetWindowPos succeeded.
int SetWindowPosIfChanged(HWND window, HWND after, int x, int y, int width, int height, UINT flags);

#ifdef __cplusplus
}
#endif
