// The popup's arithmetic without windows: frame ring colours, the title, where each heading and body goes, the
// window height and the place of the close button. e is the text height of the popup font (|lfHeight|).
#pragma once

#include <windows.h>

#include <stddef.h>

// Left edge of the title, of the headings and of the bodies; the bodies keep this much room on the right and below.
#define POPUP_TITLE_X 10
#define POPUP_TITLE_Y 10
#define POPUP_HEADING_X 20
#define POPUP_BODY_X 30
#define POPUP_BODY_MARGIN 10
// Smallest width the layout gives the window.
#define POPUP_MIN_WIDTH 5

// Frame steps of a stored frame width: 0 is taken as 1.
int PopupFrameSteps(int frameWidth);
// Colour of ring i of n: the outermost (0) is frame, the innermost (n) back; each channel
// ((n - i) * frame + i * back) / n.
COLORREF PopupRingColor(COLORREF frame, COLORREF back, int i, int n);
// Each channel * 15 / 16: the rings of the pressed close button.
COLORREF PopupPressedColor(COLORREF color);
// Font heights of the title and of the entries for e (both negative: character heights).
int PopupTitleFontHeight(int e);
int PopupEntryFontHeight(int e);
// "2026年 1月 9日(金)" of date into out; "" for a null date.
void FormatPopupTitle(char* out, size_t size, const SYSTEMTIME* date);

// Where one entry goes: the heading's top (when there is one) and the box its body is measured and drawn in.
struct PopupEntryPlace {
    int HeadingY;  // -1 without heading
    RECT BodyBox;  // empty without body
};

// Height of a body drawn word-wrapped into box, as DrawText measures it.
typedef int (*PopupMeasureBody)(void* context, int entry, const RECT* box);

// Walks the entries from below the title: for each, half a line; a heading and one and a half lines; a body in the
// box (POPUP_BODY_X, y, clientWidth - margin, bodyBottom) and its measured height plus a line. Fills places (count
// entries, may be null) and returns the y below the last entry: the content height.
int WalkPopupEntries(int e, int count, const char* const* headings, const char* const* bodies, int clientWidth,
                     int bodyBottom, PopupMeasureBody measure, void* context, PopupEntryPlace* places);
// Bottom of the body boxes: while the size is fixed the close button's room is kept, and a wide frame never lets a
// body reach down to the button's top.
int PopupBodyBottom(int clientHeight, int autoSize, int buttonHeight, int frameWidth);
// Height the layout gives the window. A fixed size already holds the close button's room, so it stays as it is;
// a size that follows the texts adds the button (when shown) and the frame below them.
int PopupLayoutHeight(int autoSize, int contentHeight, int clientHeight, int showClose, int buttonHeight,
                      int frameWidth);
// Top-left of the close button in the bottom-right corner, inside the frame.
POINT PopupCloseButtonPos(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int frameWidth);
// Cursor resource (IDC_POPUPVIEW_CURSOR_*) of a border zone: up-down for top and bottom, left-right for the sides,
// the diagonals for the corners, the move cursor inside; 0 for no zone.
int PopupZoneCursorId(int zone);
