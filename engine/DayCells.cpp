#include "DayCells.h"

#include <commctrl.h>
#include <string.h>

#include "EngineMain.h"
#include "EnvData.h"
#include "Sjis.h"

namespace {

// The tool record as the 64-bit common controls expect it.
const UINT kToolInfoSize = 72;
static_assert(sizeof(TOOLINFOA) == kToolInfoSize, "TOOLINFOA of the 64-bit common controls");

void AddTool(EnvData* env, const char* text, const RECT& rect, int year, int month, int day)
{
    TOOLINFOA& tool = env->ToolInfo;
    tool.uId = DayToolId(year, month, day);
    tool.rect = rect;
    tool.lpszText = const_cast<char*>(text ? text : "");
    SendMessageA(env->ToolTipWindow, TTM_ADDTOOLA, 0, (LPARAM)&tool);
    tool.lpszText = nullptr;
    if (env->ToolCount >= 0 && env->ToolCount < TOOL_ID_MAX)
        env->ToolIds[env->ToolCount++] = tool.uId;
}

}  // namespace

UINT_PTR DayToolId(int year, int month, int day)
{
    int id = (year * 16 + month) * 32 + day;
    return (UINT_PTR)(INT_PTR)id;
}

const DayCell* FindDayCell(const DayCell* cells, int count, POINT point)
{
    if (!cells)
        return nullptr;
    for (int i = 0; i < count && i < DAY_CELL_MAX; i++) {
        const RECT& r = cells[i].Rect;
        if (r.left <= point.x && point.x <= r.right && r.top <= point.y && point.y <= r.bottom)
            return &cells[i];
    }
    return nullptr;
}

extern "C" {

int CreateToolTip(EnvData* env)
{
    if (!env || !env->MainWindow)
        return 0;
    if (env->ToolTipWindow)
        DestroyWindow(env->ToolTipWindow);
    // The tooltip class makes every tooltip a popup window, but only once it exists: Wine takes a window created
    // without WS_POPUP for an overlapped one with a caption and hands it to the window manager, and then the calendar,
    // as the owner of a managed popup, too (which without a window manager costs two seconds at close).
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (env->BalloonTip == 1 ? TTS_BALLOON : 0);
    env->ToolTipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, env->MainWindow, nullptr, EngineInstance(),
                                         nullptr);
    TOOLINFOA& tool = env->ToolInfo;
    memset(&tool, 0, sizeof(tool));
    tool.cbSize = kToolInfoSize;
    // No TTF_SUBCLASS: the comctl32 subclass costs a window-property look-up per tool and per message of the
    // calendar window; the calendar window relays its mouse messages itself (TTM_RELAYEVENT).
    tool.uFlags = 0;
    tool.hwnd = env->MainWindow;
    tool.hinst = EngineInstance();
    env->ToolCount = 0;
    memset(env->ToolIds, 0, sizeof(env->ToolIds));
    if (env->ToolTipWindow) {
        RECT margin = {2, 2, 2, 2};
        SendMessageA(env->ToolTipWindow, TTM_SETMARGIN, 0, (LPARAM)&margin);
        SendMessageA(env->ToolTipWindow, TTM_SETMAXTIPWIDTH, 0, env->ToolTipWidth);
    }
    SendMessageA(env->MainWindow, WM_DAYLENS_TOOLTIP_MADE, (WPARAM)env->ToolTipWindow, 0);
    return 1;
}

int SetToolTip(DayCell* table, int* count, const char* text, const RECT* rect, EnvData* env, int year, int month,
               int day, int addTool)
{
    if (!rect)
        return 1;
    if (addTool == 1 && env && env->ToolTipWindow)
        AddTool(env, text, *rect, year, month, day);
    if (table && count && *count >= 0 && *count < DAY_CELL_MAX) {
        DayCell& cell = table[(*count)++];
        cell.Year = year & 0xFFFF;
        cell.Month = month & 0xFFFF;
        cell.Day = day & 0xFFFF;
        cell.Rect = *rect;
    }
    return 1;
}

int GetClickedDatelong(HWND window, long* year, long* month, long* day, EnvData* env)
{
    long found[3] = {0, 0, 0};
    POINT point;
    if (env && GetCursorPos(&point) && ScreenToClient(window, &point)) {
        const DayCell* cell = FindDayCell(env->DayCells, env->DayCellCount, point);
        if (cell) {
            found[0] = cell->Year;
            found[1] = cell->Month;
            found[2] = cell->Day;
        }
    }
    if (year)
        *year = found[0];
    if (month)
        *month = found[1];
    if (day)
        *day = found[2];
    return 1;
}

int GetClickedDateWORD(HWND window, WORD* year, WORD* month, WORD* day, EnvData* env)
{
    long y, m, d;
    GetClickedDatelong(window, &y, &m, &d, env);
    if (year)
        *year = (WORD)y;
    if (month)
        *month = (WORD)m;
    if (day)
        *day = (WORD)d;
    return 1;
}

int GetClickedDateSYSTEMTIME(HWND window, SYSTEMTIME* date, EnvData* env)
{
    if (!date)
        return GetClickedDateWORD(window, nullptr, nullptr, nullptr, env);
    return GetClickedDateWORD(window, &date->wYear, &date->wMonth, &date->wDay, env);
}

const char* LimitString(const char* text, int maxBytes)
{
    static char buffer[LIMIT_STRING_SIZE];
    buffer[0] = '\0';
    if (!text || maxBytes < 1)
        return buffer;
    size_t limit = maxBytes < LIMIT_STRING_SIZE - 1 ? (size_t)maxBytes : LIMIT_STRING_SIZE - 1;
    size_t length = strnlen(text, limit + 1);
    size_t out = 0;
    for (size_t i = 0; i < limit && i < length; i++) {
        unsigned char c = (unsigned char)text[i];
        if (IsSjisLeadByte(c) && i + 1 < length && IsSjisTrailByte((unsigned char)text[i + 1])) {
            if (i + 1 >= limit)
                break;
            buffer[out++] = text[i++];
        }
        buffer[out++] = text[i];
    }
    buffer[out] = '\0';
    return buffer;
}

}  // extern "C"
