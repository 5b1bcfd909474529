// Decisions of the calendar's 500 ms tick and of its tray icon that need no window: the hourly chime and the day
// change, the screen hot spot under the pointer, the tray tip and the memo blink.
#pragma once

#include <windows.h>

// The eight hot spots of the screen, clockwise from the top edge; HotSpot of EnvData is indexed by them.
enum HotSpotKind {
    HOT_SPOT_NONE = -1,
    HOT_SPOT_TOP = 0,
    HOT_SPOT_TOP_RIGHT = 1,
    HOT_SPOT_RIGHT = 2,
    HOT_SPOT_BOTTOM_RIGHT = 3,
    HOT_SPOT_BOTTOM = 4,
    HOT_SPOT_BOTTOM_LEFT = 5,
    HOT_SPOT_LEFT = 6,
    HOT_SPOT_TOP_LEFT = 7
};

// The tray tip's buffer: 127 bytes and the NUL.
#define TRAY_TIP_SIZE 128

// What one tick finds when it compares now with the day and hour it kept from the tick before.
struct TickChange {
    int Chime;   // 1: an hour began since the kept time and a chime sound is set
    int NewDay;  // 1: now lies on another day than the kept time
};

TickChange DecideTick(const SYSTEMTIME* now, const SYSTEMTIME* kept, int hourAlarmSet);
// The hot spot at point on a desktop (right and bottom exclusive): the corners before the edges; HOT_SPOT_NONE
// inside.
int HotSpotAt(POINT point, const RECT* desktop);
// The hot spot at point that brings the calendar to the front: one switched on in hotSpots (HOT_SPOT_COUNT
// entries), never for a bottom-most calendar; HOT_SPOT_NONE otherwise.
int HotSpotToRaise(POINT point, const RECT* desktop, const BYTE* hotSpots, int windowOrder);
// The tray tip into out (TRAY_TIP_SIZE bytes): the program name, with useDate 1 followed by today's date.
void FormatTrayTip(char* out, int useDate, const SYSTEMTIME* today);
// The icon slot of the memo blink's next tick, counting on counter: the second picture on one tick of ten,
// beginning with it, the first on the other nine.
int NextBlinkSlot(BYTE* counter);
