// The calendar window's picture: back buffer, window region, background, picture, frame and the month blocks.
#include "CalendarRender.h"


#include <string.h>

#include "AppInfo.h"
#include "BackgroundPictureGdiPlus.h"
#include "BitmapRegion.h"
#include "CalendarFrame.h"
#include "CalendarRenderParts.h"
#include "DateUtil.h"
#include "ModuleBinding.h"
#include "PicturePlacement.h"
#include "Program.h"
#include "ShownMonth.h"
#include "Transparency.h"

namespace {

const int kDisplayMax = 12;
const int kModernWindowsKind = 6;
const int kSimpleRegionWindowsKind = 5;

bool s_drawing = false;
// Whether WindowRegion was handed to the window, which then owns it.
bool s_regionGiven = false;

int Count(int value)
{
    return (value <= 0 || value > kDisplayMax) ? 1 : value;
}

void AddMonths(int* year, int* month, int n)
{
    long long index = (long long)*year * 12 + (*month - 1) + n;
    long long rest = index % 12;
    if (rest < 0)
        rest += 12;
    *year = (int)((index - rest) / 12);
    *month = (int)rest + 1;
}

// Smallest weekday of the 1sts of count months from (year, month).
int AlignmentBase(const EnvData* env, int year, int month, int count)
{
    if (env->WeekInForm != 1)
        return 100;
    int base = 7;
    for (int i = 0; i < count; i++) {
        int y = year, m = month;
        AddMonths(&y, &m, i);
        int weekday = DayOfWeek(y, m, 1) % 7;
        if (weekday < base)
            base = weekday;
    }
    return base;
}

void RemoveTools(EnvData* env)
{
    if (env->ToolTipWindow) {
        for (int i = 0; i < env->ToolCount && i < TOOL_ID_MAX; i++) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof(tool);
            tool.hwnd = env->MainWindow;
            tool.uId = env->ToolIds[i];
            SendMessageA(env->ToolTipWindow, TTM_DELTOOLA, 0, (LPARAM)&tool);
        }
    }
    env->ToolCount = 0;
    memset(env->ToolIds, 0, sizeof(env->ToolIds));
}

void ClearCells(EnvData* env)
{
    env->DayCellCount = 0;
    if (env->DayCells)
        memset(env->DayCells, 0, sizeof(DayCell) * DAY_CELL_MAX);
}

// The month blocks of one pass; tools are handled by the caller.
void DrawBlocks(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
                int addTools, int atWindowPosition)
{
    ClearCells(env);
    FirstShownMonth(*env, &year, &month);
    memset(env->MonthArrangement, 0, sizeof(env->MonthArrangement));

    int originX = (atWindowPosition ? env->WindowX : 0) + env->MarginLeft;
    int originY = (atWindowPosition ? env->WindowY : 0) + env->MarginTop;
    int rows = Count(env->DisplayRows);
    int lines = Count(env->DisplayLines);
    int space = env->EachMonthSpace;

    if (env->DisplayType == 1) {
        auto measure = LanguageProc(LanguageModule::kCalcWindowSizeOneMonthLine);
        int headingWidth = 0;
        for (int i = 0; i < lines && measure; i++) {
            int y = year, m = month, w = 0, h = 0;
            SIZE heading = {}, grid = {};
            AddMonths(&y, &m, i);
            if (measure(y, m, 0, &w, &h, &heading, &grid, env) && heading.cx > headingWidth)
                headingWidth = heading.cx;
        }
        int base = AlignmentBase(env, year, month, lines);
        int y = originY;
        for (int i = 0; i < lines; i++) {
            int by = year, bm = month, w = 0, h = 0;
            AddMonths(&by, &bm, i);
            DrawMonthLine(hdc, by, bm, base, headingWidth, originX, y, &w, &h, env, memo, memorial, addTools);
            y += h + space;
        }
        return;
    }
    if (env->DisplayType == 2) {
        auto measure = LanguageProc(LanguageModule::kCalcWindowSizeOneMonthRow);
        int base = AlignmentBase(env, year, month, rows);
        int x = originX;
        for (int i = 0; i < rows; i++) {
            int by = year, bm = month, w = 0, h = 0, drawnW = 0, drawnH = 0;
            SIZE heading = {}, grid = {};
            AddMonths(&by, &bm, i);
            if (measure)
                measure(by, bm, 0, &w, &h, &heading, &grid, env);
            DrawMonthRow(hdc, by, bm, base, w, x, originY, &drawnW, &drawnH, env, memo, memorial, addTools);
            x += w + space;
        }
        return;
    }

    auto measure = LanguageProc(LanguageModule::kCalcWindowSizeOneMonthNormal);
    int widest = 0, highest = 0;
    for (int i = 0; i < rows * lines && measure; i++) {
        int y = year, m = month, w = 0, h = 0;
        SIZE heading = {}, grid = {};
        AddMonths(&y, &m, i);
        if (measure(y, m, &w, &h, &heading, &grid, env)) {
            if (w > widest)
                widest = w;
            if (h > highest)
                highest = h;
        }
    }
    int order = env->DisplayOrder;
    int rightX = originX + (widest + space) * (rows - 1);
    int x = (order == 2 || order == 3) ? rightX : originX;
    int y = originY;
    for (int k = 0; k < rows * lines; k++) {
        int by = year, bm = month, w = 0, h = 0;
        AddMonths(&by, &bm, k);
        DrawMonthNormal(hdc, by, bm, widest, x, y, &w, &h, env, memo, memorial, addTools);
        int down = (env->DisplayHeight == 1 || env->DisplayHeight == 2) ? highest : h;
        switch (order) {
        case 1:
            if (k % rows < rows - 1) {
                x += widest + space;
            } else {
                y += highest + space;
                x = originX;
            }
            break;
        case 2:
            if (k % lines < lines - 1) {
                y += down + space;
            } else {
                x -= widest + space;
                y = originY;
            }
            break;
        case 3:
            if (k % rows < rows - 1) {
                x -= widest + space;
            } else {
                y += highest + space;
                x = rightX;
            }
            break;
        default:
            if (k % lines < lines - 1) {
                y += down + space;
            } else {
                x += widest + space;
                y = originY;
            }
            break;
        }
    }
}

// Replaces WindowRegion, deleting the old one unless the window owns it.
void ReplaceRegion(EnvData* env, HRGN region, bool given)
{
    if (env->WindowRegion && env->WindowRegion != region && !s_regionGiven)
        DeleteObject(env->WindowRegion);
    env->WindowRegion = region;
    s_regionGiven = given;
}

}  // namespace

int RefreshCalendar(int keepPosition)
{
    EnvData* env = g_program.Env;
    if (!env)
        return 0;
    return RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, keepPosition);
}

int RefreshCalendarMonth(int year, int month, int keepPosition)
{
    EnvData* env = g_program.Env;
    if (!env || !env->MainWindow)
        return 0;
    HWND window = env->MainWindow;
    ResourceDllAcquire(1);
    if (env->Cursors[CURSOR_WAIT])
        SetCursor(env->Cursors[CURSOR_WAIT]);

    env->DisplayPreYear = env->ShownMonth.wYear;
    env->DisplayPreMonth = env->ShownMonth.wMonth;
    delete env->BackPicture;
    env->BackPicture = nullptr;
    if (!keepPosition) {
        RECT rect;
        if (GetWindowRect(window, &rect)) {
            env->WindowX = rect.left;
            env->WindowY = rect.top;
        }
    }
    auto calcWindowSize = LanguageProc(LanguageModule::kCalcWindowSize);
    if (calcWindowSize) {
        int width = 0, height = 0;
        if (calcWindowSize(year, month, &width, &height, env)) {
            env->WindowWidth = width;
            env->WindowHeight = height;
        }
    }
    HWND after = env->WindowOrder == 2 ? HWND_BOTTOM : env->WindowOrder == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;

    if (env->Transparency.TransMode == TRANS_MODE_PSEUDO) {
        SetWindowPos(window, after, env->WindowX, env->WindowY, env->WindowWidth, env->WindowHeight,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        SetWindowRgn(window, nullptr, TRUE);
        ReplaceRegion(env, nullptr, false);
        InvalidateRect(window, nullptr, TRUE);
        ResourceDllAcquire(0);
        return 1;
    }

    SetWindowPos(window, after, env->WindowX, env->WindowY, env->WindowWidth, env->WindowHeight,
                 SWP_NOREDRAW | SWP_NOACTIVATE);
    HDC windowDc = GetDC(window);
    HDC memoryDc = windowDc ? CreateCompatibleDC(windowDc) : nullptr;
    HBITMAP bitmap = memoryDc ? CreateFilledBitmap(windowDc, memoryDc, env->WindowWidth, env->WindowHeight,
                                                   env->BackColor)
                              : nullptr;
    if (!bitmap) {
        if (memoryDc)
            DeleteDC(memoryDc);
        if (windowDc)
            ReleaseDC(window, windowDc);
        if (env->Cursors[CURSOR_NORMAL])
            SetCursor(env->Cursors[CURSOR_NORMAL]);
        ResourceDllAcquire(0);
        return 0;
    }
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    env->MemoryDC = memoryDc;
    env->BackBitmap = bitmap;
    env->Transparency.KeyColor = GetPixel(memoryDc, 0, 0);
    DrawCalendar(window, memoryDc, year, month, env, nullptr, nullptr, env->ShowToolTip);

    int kind = g_program.Info ? g_program.Info->GetWindowsKind() : kModernWindowsKind;
    if (kind < kModernWindowsKind) {
        HRGN region = nullptr;
        if (env->Transparency.TransMode == TRANS_MODE_KEY_AND_ALPHA) {
            region = kind == kSimpleRegionWindowsKind
                         ? CreateRegionFromBitmapSimple(memoryDc, bitmap, env->WindowWidth, env->WindowHeight,
                                                        env->Transparency.KeyColor)
                         : CreateRegionFromBitmap(memoryDc, bitmap, env->WindowWidth, env->WindowHeight,
                                                  env->Transparency.KeyColor);
        }
        ReplaceRegion(env, region, false);
    }
    BitBlt(windowDc, 0, 0, env->WindowWidth, env->WindowHeight, memoryDc, 0, 0, SRCCOPY);
    if (kind >= kModernWindowsKind) {
        ReplaceRegion(env, nullptr, false);
        env->WindowRegion = MakeWindowRegion(window, env->FrameShape, env->RoundWidth);
        s_regionGiven = env->WindowRegion != nullptr;
    } else {
        SetWindowRgn(window, env->WindowRegion, TRUE);
        s_regionGiven = env->WindowRegion != nullptr;
    }
    ReleaseDC(window, windowDc);

    if (env->Cursors[CURSOR_NORMAL])
        SetCursor(env->Cursors[CURSOR_NORMAL]);
    // The wallpaper composition and the tray icon join with their own windows.
    ResourceDllAcquire(0);
    return 1;
}

int DrawCalendar(HWND window, HDC hdc, int year, int month, EnvData* env, MemoSettings* memo,
                 MemorialSettings* memorial, int addTools)
{
    if (!env)
        return 0;
    HDC dc = hdc ? hdc : GetDC(window);
    if (!dc)
        return 0;
    COLORREF fill =
        (env->FrameGradation == FRAME_GRADATION_IN_OUT || env->FrameGradation == FRAME_GRADATION_MIDDLE)
            ? env->FrameColor2
            : env->FrameColor1;
    PaintBackground(window, dc, env->Transparency.TransMode, env->FrameWidth, env->FrameShape, env->RoundWidth,
                    fill, env->BackColor);
    if (env->BackImage[0])
        DrawPictureFile(window, dc, env->BackImage, &env->BackPicture, PICTURE_ALIGN_CENTER, PICTURE_ALIGN_CENTER, 0,
                        nullptr);
    DrawFrame(window, dc, env->FrameWidth, env->FrameShape, env->RoundWidth, env->FrameColor1, env->FrameColor2,
              env->FrameGradation, env->AntiAliasing);
    DrawMonths(dc, year, month, env, memo, memorial, addTools, 0);
    if (!hdc)
        ReleaseDC(window, dc);
    return 1;
}

int DrawMonths(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
               int addTools, int atWindowPosition)
{
    if (!env || s_drawing)
        return 0;
    s_drawing = true;
    if (addTools == 1) {
        RemoveTools(env);
        auto createToolTip = LanguageProc(LanguageModule::kCreateToolTip);
        if (createToolTip)
            createToolTip(env);
    } else if (env->ToolTipWindow && env->ShowToolTip == 0) {
        RemoveTools(env);
        DestroyWindow(env->ToolTipWindow);
        env->ToolTipWindow = nullptr;
    }
    DrawBlocks(hdc, year, month, env, memo, memorial, addTools, atWindowPosition);
    s_drawing = false;
    return 1;
}

int DrawMonthsInto(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
                   int atWindowPosition, DayCellTarget* target)
{
    if (!env || !target || s_drawing)
        return 0;
    s_drawing = true;
    // The pass records into the caller's table; the window's table comes back untouched.
    DayCell* windowCells = env->DayCells;
    int windowCount = env->DayCellCount;
    env->DayCells = target->Cells;
    DrawBlocks(hdc, year, month, env, memo, memorial, 0, atWindowPosition);
    target->Count = env->DayCellCount;
    env->DayCells = windowCells;
    env->DayCellCount = windowCount;
    s_drawing = false;
    return 1;
}
