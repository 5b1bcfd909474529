#include "PopupViewLayout.h"

#include <stdio.h>

#include "DateUtil.h"
#include "NameSets.h"
#include "BorderDrag.h"
#include "PopupViewIds.h"

int PopupFrameSteps(int frameWidth)
{
    return frameWidth < 1 ? 1 : frameWidth;
}

COLORREF PopupRingColor(COLORREF frame, COLORREF back, int i, int n)
{
    if (n < 1)
        return frame;
    int channels[3];
    for (int c = 0; c < 3; c++) {
        int f = (int)((frame >> (8 * c)) & 0xFF);
        int b = (int)((back >> (8 * c)) & 0xFF);
        channels[c] = ((n - i) * f + i * b) / n;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

COLORREF PopupPressedColor(COLORREF color)
{
    return RGB(GetRValue(color) * 15 / 16, GetGValue(color) * 15 / 16, GetBValue(color) * 15 / 16);
}

int PopupTitleFontHeight(int e)
{
    return -(5 * e / 4);
}

int PopupEntryFontHeight(int e)
{
    return -e;
}

void FormatPopupTitle(char* out, size_t size, const SYSTEMTIME* date)
{
    if (!out || size == 0)
        return;
    out[0] = '\0';
    if (!date)
        return;
    WeekdayNameSet weekdays(WEEK_SET_KANJI, nullptr);
    snprintf(out, size, "%04d年%2d月%2d日(%s)", date->wYear, date->wMonth, date->wDay,
             weekdays.Name(DayOfWeek(date->wYear, date->wMonth, date->wDay)));
}

int WalkPopupEntries(int e, int count, const char* const* headings, const char* const* bodies, int clientWidth,
                     int bodyBottom, PopupMeasureBody measure, void* context, PopupEntryPlace* places)
{
    int y = 2 * e + POPUP_TITLE_Y;
    for (int i = 0; i < count; i++) {
        PopupEntryPlace place = {-1, {0, 0, 0, 0}};
        y += e / 2;
        if (headings && headings[i] && *headings[i]) {
            place.HeadingY = y;
            y += 3 * e / 2;
        }
        if (bodies && bodies[i] && *bodies[i]) {
            place.BodyBox = {POPUP_BODY_X, y, clientWidth - POPUP_BODY_MARGIN, bodyBottom};
            int height = measure ? measure(context, i, &place.BodyBox) : 0;
            y += e + height;
        }
        if (places)
            places[i] = place;
    }
    return y;
}

int PopupBodyBottom(int clientHeight, int autoSize, int buttonHeight, int frameWidth)
{
    if (autoSize)
        return clientHeight - POPUP_BODY_MARGIN;
    int bottom = clientHeight - buttonHeight - POPUP_BODY_MARGIN;
    int buttonTop = PopupCloseButtonPos(0, clientHeight, 0, buttonHeight, frameWidth).y;
    return bottom < buttonTop ? bottom : buttonTop;
}

int PopupLayoutHeight(int autoSize, int contentHeight, int clientHeight, int showClose, int buttonHeight,
                      int frameWidth)
{
    if (!autoSize)
        return clientHeight;
    return contentHeight + (showClose ? buttonHeight : 0) + frameWidth + 2;
}

POINT PopupCloseButtonPos(int clientWidth, int clientHeight, int buttonWidth, int buttonHeight, int frameWidth)
{
    return {clientWidth - buttonWidth - frameWidth - 2, clientHeight - buttonHeight - frameWidth - 2};
}

int PopupZoneCursorId(int zone)
{
    switch (zone) {
    case BORDER_TOP: case BORDER_BOTTOM:
        return IDC_POPUPVIEW_CURSOR_SIZE_NS;
    case BORDER_TOP_RIGHT: case BORDER_BOTTOM_LEFT:
        return IDC_POPUPVIEW_CURSOR_SIZE_NESW;
    case BORDER_RIGHT: case BORDER_LEFT:
        return IDC_POPUPVIEW_CURSOR_SIZE_WE;
    case BORDER_BOTTOM_RIGHT: case BORDER_TOP_LEFT:
        return IDC_POPUPVIEW_CURSOR_SIZE_NWSE;
    case BORDER_INSIDE:
        return IDC_POPUPVIEW_CURSOR_MOVE;
    default:
        return 0;
    }
}
