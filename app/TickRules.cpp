#include "TickRules.h"

#include <stdio.h>

#include "DaylensIds.h"
#include "MainWindowRules.h"
#include "ProgramIcons.h"

namespace {

// One tick of the second blink picture in this many.
const int kBlinkPeriod = 10;

}  // namespace

TickChange DecideTick(const SYSTEMTIME* now, const SYSTEMTIME* kept, int hourAlarmSet)
{
    TickChange change = {0, 0};
    if (!now || !kept)
        return change;
    change.Chime = hourAlarmSet && now->wHour != kept->wHour;
    change.NewDay = now->wYear != kept->wYear || now->wMonth != kept->wMonth || now->wDay != kept->wDay;
    return change;
}

int HotSpotAt(POINT point, const RECT* desktop)
{
    if (!desktop)
        return HOT_SPOT_NONE;
    bool top = point.y == desktop->top;
    bool bottom = point.y == desktop->bottom - 1;
    bool left = point.x == desktop->left;
    bool right = point.x == desktop->right - 1;
    if (top && left)
        return HOT_SPOT_TOP_LEFT;
    if (top && right)
        return HOT_SPOT_TOP_RIGHT;
    if (bottom && right)
        return HOT_SPOT_BOTTOM_RIGHT;
    if (bottom && left)
        return HOT_SPOT_BOTTOM_LEFT;
    if (top)
        return HOT_SPOT_TOP;
    if (right)
        return HOT_SPOT_RIGHT;
    if (bottom)
        return HOT_SPOT_BOTTOM;
    return left ? HOT_SPOT_LEFT : HOT_SPOT_NONE;
}

int HotSpotToRaise(POINT point, const RECT* desktop, const BYTE* hotSpots, int windowOrder)
{
    if (!hotSpots || windowOrder == WINDOW_ORDER_BOTTOM)
        return HOT_SPOT_NONE;
    int spot = HotSpotAt(point, desktop);
    return spot != HOT_SPOT_NONE && hotSpots[spot] == 1 ? spot : HOT_SPOT_NONE;
}

void FormatTrayTip(char* out, int useDate, const SYSTEMTIME* today)
{
    if (!out)
        return;
    if (useDate == 1 && today)
        snprintf(out, TRAY_TIP_SIZE, "%s - %d年%d月%d日", DAYLENS_PROGRAM_NAME, today->wYear, today->wMonth,
                 today->wDay);
    else
        snprintf(out, TRAY_TIP_SIZE, "%s", DAYLENS_PROGRAM_NAME);
}

int NextBlinkSlot(BYTE* counter)
{
    int slot = PROGRAM_ICON_BLINK_A;
    if (*counter % kBlinkPeriod == 0) {
        slot = PROGRAM_ICON_BLINK_B;
        *counter = 0;
    }
    (*counter)++;
    return slot;
}
