// Moving and resizing a borderless window by its border: which zone of the border a point lies in, the rectangle a
// drag gives, and the cursor of each zone. The mini memo and the popup view drag themselves with these.
#pragma once

#include <windows.h>

// Border zones, clockwise from the top; BORDER_INSIDE moves the window.
enum BorderZone {
    BORDER_NONE = 0,
    BORDER_TOP = 1,
    BORDER_TOP_RIGHT = 2,
    BORDER_RIGHT = 3,
    BORDER_BOTTOM_RIGHT = 4,
    BORDER_BOTTOM = 5,
    BORDER_BOTTOM_LEFT = 6,
    BORDER_LEFT = 7,
    BORDER_TOP_LEFT = 8,
    BORDER_INSIDE = 255
};

// A drag is never applied below this width or height.
#define BORDER_DRAG_MIN_SIZE 20

// The zone of point (screen coordinates) within n pixels of the edges of rect. In a corner the left edge wins over
// the right and the top over the bottom.
int HitTestBorder(const RECT* rect, POINT point, int n);
// HitTestBorder over the window's rectangle at the cursor.
int HitTestWindowBorder(HWND window, int n);
// The screen point of a mouse message of window (lParam in client coordinates): where the pointer was when the button
// or the motion happened, which GetCursorPos may no longer say by the time the message is handled.
POINT MouseMessagePoint(HWND window, LPARAM lParam);

// What a drag keeps from the press: the zone, the window rectangle and the cursor's offset from its top-left corner.
struct BorderDrag {
    int Zone;
    RECT Start;
    POINT Offset;
};

// Starts drag at the press point for zone over the window rectangle start.
void BeginBorderDrag(BorderDrag* drag, int zone, const RECT* start, POINT cursor);
// The window rectangle with the cursor at cursor: the dragged edges follow it, the others stay; inside, the window
// moves whole. False (out untouched) when the drag would make the window narrower or lower than
// BORDER_DRAG_MIN_SIZE, or when no drag runs.
bool TrackBorderDrag(const BorderDrag* drag, POINT cursor, RECT* out);

// The system cursor of a zone (size arrows, the move cross inside); null for BORDER_NONE.
LPCSTR BorderZoneSystemCursor(int zone);
