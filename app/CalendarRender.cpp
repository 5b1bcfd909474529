// The calendar window's picture: back buffer, window region, background, picture, frame and the month blocks.
#include "CalendarRender.h"

#include <string.h>

#include "AppInfo.h"
#include "BackgroundPictureGdiPlus.h"
#include "BitmapRegion.h"
#include "CalendarFrame.h"
#include "CalendarRenderParts.h"
#include "CalendarToolTips.h"
#include "Memo.h"
#include "MemorialDays.h"
#include "KeyedShape.h"
#include "ModuleBinding.h"
#include "PicturePlacement.h"
#include "Program.h"
#include "ShownMonth.h"
#include "Trace.h"
#include "Transparency.h"
#include "TrayIcon.h"
#include "Wallpaper.h"
#include "WindowPlacement.h"
#include "WindowsVersion.h"

namespace {

const int kModernWindowsKind = 6;
const int kSimpleRegionWindowsKind = 5;

bool s_drawing = false;

int WindowsKind()
{
    return g_program.Info ? g_program.Info->GetWindowsKind() : kModernWindowsKind;
}

void ClearCells(EnvData* env)
{
    env->DayCellCount = 0;
    if (env->DayCells)
        memset(env->DayCells, 0, sizeof(DayCell) * DAY_CELL_MAX);
}

// The size of each block of the view as its drawing will take it; a block the language module cannot measure
// counts as 0 wide and high (a line block still as high as it is drawn).
void MeasureBlocks(HDC hdc, int year, int month, EnvData* env, MonthBlockSize* sizes, int count)
{
    auto grid = LanguageProc(LanguageModule::kCalcWindowSizeOneMonthNormal);
    auto line = LanguageProc(LanguageModule::kCalcWindowSizeOneMonthLine);
    auto column = LanguageProc(LanguageModule::kCalcWindowSizeOneMonthRow);
    for (int i = 0; i < count; i++) {
        int y = year, m = month + i, width = 0, height = 0;
        NormalizeMonth(&y, &m);
        SIZE heading = {}, days = {};
        bool measured;
        if (env->DisplayType == DISPLAY_TYPE_LINE)
            measured = line && line(y, m, 0, &width, &height, &heading, &days, env);
        else if (env->DisplayType == DISPLAY_TYPE_COLUMN)
            measured = column && column(y, m, 0, &width, &height, &heading, &days, env);
        else
            measured = grid && grid(y, m, &width, &height, &heading, &days, env);
        if (!measured)
            width = height = heading.cx = 0;
        if (env->DisplayType == DISPLAY_TYPE_LINE)
            height = LineBlockHeight(hdc, y, m, env);
        sizes[i] = {width, height, (int)heading.cx};
    }
}

// The month blocks of one pass, measured, arranged and drawn; tools are handled by the caller.
void DrawBlocks(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
                int addTools, int atWindowPosition)
{
    ClearCells(env);
    FirstShownMonth(*env, &year, &month);
    memset(env->MonthArrangement, 0, sizeof(env->MonthArrangement));

    POINT origin = {(atWindowPosition ? env->WindowX : 0) + env->MarginLeft,
                    (atWindowPosition ? env->WindowY : 0) + env->MarginTop};
    int count = ViewMonthCount(*env);
    MonthBlockSize sizes[DISPLAY_COUNT_MAX * DISPLAY_COUNT_MAX];
    MonthBlockPlace places[DISPLAY_COUNT_MAX * DISPLAY_COUNT_MAX];
    MeasureBlocks(hdc, year, month, env, sizes, count);
    ArrangeMonthBlocks(*env, origin, sizes, count, places);
    int base = AlignmentBase(*env, year, month, count);
    BeginDayMemoLookups();
    for (int i = 0; i < count; i++) {
        int y = year, m = month + i;
        NormalizeMonth(&y, &m);
        if (env->DisplayType == DISPLAY_TYPE_LINE)
            DrawMonthLine(hdc, y, m, base, places[i], env, memo, memorial, addTools);
        else if (env->DisplayType == DISPLAY_TYPE_COLUMN)
            DrawMonthRow(hdc, y, m, base, places[i], env, memo, memorial, addTools);
        else
            DrawMonthNormal(hdc, y, m, places[i], env, memo, memorial, addTools);
    }
    ReadAheadDayMemoLookups(memo, year, month, count);
}

// The window keeps every region handed to it and frees it itself, so no region is deleted here once given;
// WindowRegion only remembers which one the window holds.
void GiveWindowRegion(HWND window, EnvData* env, HRGN region, BOOL redraw = TRUE)
{
    if (!SetWindowRgn(window, region, redraw) && region) {
        DeleteObject(region);
        region = nullptr;
    }
    env->WindowRegion = region;
}

// Whether the window's region is already region (both none counts); the window keeps only the part of a region
// inside its rectangle.
bool HoldsRegion(HWND window, HRGN region, const RECT& outline)
{
    HRGN held = CreateRectRgn(0, 0, 0, 0);
    HRGN inside = region ? CreateRectRgnIndirect(&outline) : nullptr;
    bool holds = false;
    if (held && GetWindowRgn(window, held) == ERROR)
        holds = region == nullptr;
    else if (held && inside && CombineRgn(inside, inside, region, RGN_AND) != ERROR)
        holds = EqualRgn(held, inside) != FALSE;
    if (inside)
        DeleteObject(inside);
    if (held)
        DeleteObject(held);
    return holds;
}

// Whether the window already has the frame's shape for its present size: the newer Windows kinds shape the window by
// the frame alone, and a region given again has the window system cut the window anew and paint it whole; under Wine
// it also takes a colour key's shape off the X window, which then has to be built again from every pixel.
bool KeepsFrameShape(HWND window, const EnvData* env)
{
    RECT rect;
    if (WindowsKind() < kModernWindowsKind || !GetWindowRect(window, &rect))
        return false;
    OffsetRect(&rect, -rect.left, -rect.top);
    HRGN region = FrameShapeRegion(&rect, env->FrameShape, env->RoundWidth);
    bool holds = HoldsRegion(window, region, rect);
    if (region)
        DeleteObject(region);
    return holds;
}

// The region of the drawn picture for the older Windows kinds, the frame's shape for the others.
void ShapeWindow(HWND window, EnvData* env, HDC memoryDc, HBITMAP bitmap)
{
    int kind = WindowsKind();
    if (kind >= kModernWindowsKind) {
        env->WindowRegion = MakeWindowRegion(window, env->FrameShape, env->RoundWidth);
        return;
    }
    HRGN region = nullptr;
    if (env->Transparency.TransMode == TRANS_MODE_KEY_AND_ALPHA) {
        COLORREF key = env->Transparency.KeyColor;
        region = kind == kSimpleRegionWindowsKind
                     ? CreateRegionFromBitmapSimple(memoryDc, bitmap, env->WindowWidth, env->WindowHeight, key)
                     : CreateRegionFromBitmap(memoryDc, bitmap, env->WindowWidth, env->WindowHeight, key);
    }
    GiveWindowRegion(window, env, region);
}

// The newer Windows kinds show the window only inside the frame's shape, so nothing drawn beyond it is ever seen.
// Under Wine, though, a colour key shapes the X window from every pixel of the window's picture, its region left
// aside, and drawing no longer reaches the pixels outside the region once it is set: what a picture copied while the
// window had no region put there (text beyond the shape's curve, the frame colour in the corners) would stand for
// good, and the window would lose its shape. The back buffer holds the key colour outside the shape.
void KeyOutsideFrameShape(HDC memoryDc, const EnvData* env)
{
    if (WindowsKind() < kModernWindowsKind)
        return;
    RECT outline = {0, 0, env->WindowWidth, env->WindowHeight};
    HRGN shape = FrameShapeRegion(&outline, env->FrameShape, env->RoundWidth);
    if (!shape)
        return;
    HRGN outside = CreateRectRgnIndirect(&outline);
    HBRUSH key = CreateSolidBrush(env->Transparency.KeyColor);
    if (outside && key && CombineRgn(outside, outside, shape, RGN_DIFF) != ERROR)
        FillRgn(memoryDc, outside, key);
    if (key)
        DeleteObject(key);
    if (outside)
        DeleteObject(outside);
    DeleteObject(shape);
}

// The colour keys a picture of the window must suit: the one the window has now and the one applied next.
int PictureKeys(HWND window, const EnvData* env, COLORREF keys[2])
{
    int count = 0;
    COLORREF held = 0;
    DWORD flags = 0;
    if ((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) &&
        GetLayeredWindowAttributes(window, &held, nullptr, &flags) && (flags & LWA_COLORKEY))
        keys[count++] = held;
    if (count == 0 || keys[0] != env->Transparency.KeyColor)
        keys[count++] = env->Transparency.KeyColor;
    return count;
}

// Wine's X11 driver turns a colour key into the shape of the X window and hands it over in one request, which takes
// at most X_SHAPE_RECTS_MAX rectangles; a larger one breaks the connection to the X server and ends the program. A
// picture too fine for that (a view of many months) is made to fit (KeyedShape.h); any other is left as drawn. Every
// picture is looked at, as the key may come later without a new picture (the settings dialog, a fade); without the
// key the closed pixels look as they were.
void FitPictureToWineShape(HWND window, const EnvData* env, HDC memoryDc, int width, int height)
{
    if (!RunsUnderWine())
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC copyDc = CreateCompatibleDC(memoryDc);
    HBITMAP copy = copyDc ? CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (copy) {
        HGDIOBJ old = SelectObject(copyDc, copy);
        BitBlt(copyDc, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
        GdiFlush();
        COLORREF keys[2];
        int changed = 0;
        for (int i = 0, count = PictureKeys(window, env, keys); i < count; i++)
            changed += FitKeyedShape((DWORD*)bits, width, height, keys[i], X_SHAPE_RECTS_MAX);
        if (changed > 0) {
            Trace("%d pixels of key colour closed for an X shape of at most %d rectangles", changed,
                  X_SHAPE_RECTS_MAX);
            BitBlt(memoryDc, 0, 0, width, height, copyDc, 0, 0, SRCCOPY);
        }
        SelectObject(copyDc, old);
        DeleteObject(copy);
    }
    if (copyDc)
        DeleteDC(copyDc);
}

// The layout's window size, at most the virtual screen; the record's size when the layout has no answer.
SIZE WantedWindowSize(int year, int month, EnvData* env)
{
    SIZE size = {env->WindowWidth, env->WindowHeight};
    auto calcWindowSize = LanguageProc(LanguageModule::kCalcWindowSize);
    int width = 0, height = 0;
    if (calcWindowSize && calcWindowSize(year, month, &width, &height, env)) {
        size.cx = width;
        size.cy = height;
    }
    int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (screenWidth > 0 && size.cx > screenWidth)
        size.cx = screenWidth;
    if (screenHeight > 0 && size.cy > screenHeight)
        size.cy = screenHeight;
    return size;
}

void PlaceWindow(HWND window, const EnvData* env, UINT flags)
{
    HWND after = env->WindowOrder == 2 ? HWND_BOTTOM : env->WindowOrder == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPosIfChanged(window, after, env->WindowX, env->WindowY, env->WindowWidth, env->WindowHeight,
                          flags | SWP_NOACTIVATE);
}

// A memory DC holding a bitmap of size filled with the background colour; false when either cannot be made.
bool MakeBackBuffer(HWND window, SIZE size, COLORREF fill, HDC* memoryDc, HBITMAP* bitmap)
{
    HDC windowDc = GetDC(window);
    *memoryDc = windowDc ? CreateCompatibleDC(windowDc) : nullptr;
    *bitmap = *memoryDc ? CreateFilledBitmap(windowDc, *memoryDc, size.cx, size.cy, fill) : nullptr;
    if (windowDc)
        ReleaseDC(window, windowDc);
    if (*bitmap)
        return true;
    if (*memoryDc)
        DeleteDC(*memoryDc);
    *memoryDc = nullptr;
    return false;
}

void EndRefresh(const EnvData* env)
{
    if (env->Cursors[CURSOR_NORMAL])
        SetCursor(env->Cursors[CURSOR_NORMAL]);
    ResourceDllAcquire(0);
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
    SIZE size = WantedWindowSize(year, month, env);

    if (env->Transparency.TransMode == TRANS_MODE_PSEUDO) {
        env->WindowWidth = size.cx;
        env->WindowHeight = size.cy;
        PlaceWindow(window, env, SWP_SHOWWINDOW);
        GiveWindowRegion(window, env, nullptr);
        InvalidateRect(window, nullptr, TRUE);
        ResourceDllAcquire(0);
        return 1;
    }

    // Without a new back buffer the window keeps its size and its picture.
    HDC memoryDc = nullptr;
    HBITMAP bitmap = nullptr;
    if (!MakeBackBuffer(window, size, env->BackColor, &memoryDc, &bitmap)) {
        EndRefresh(env);
        return 0;
    }
    env->WindowWidth = size.cx;
    env->WindowHeight = size.cy;
    PlaceWindow(window, env, SWP_NOREDRAW);
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    env->MemoryDC = memoryDc;
    env->BackBitmap = bitmap;
    env->Transparency.KeyColor = GetPixel(memoryDc, 0, 0);
    DrawCalendar(window, memoryDc, year, month, env, &g_memoSettings, &g_memorialSettings, env->ShowToolTip);
    KeyOutsideFrameShape(memoryDc, env);
    FitPictureToWineShape(window, env, memoryDc, env->WindowWidth, env->WindowHeight);

    // The old region would clip the copy to the old shape, and what lies outside it would keep the old picture
    // where the new shape uncovers it: the whole picture goes to the window, then the window takes its new shape.
    // A window that keeps its shape only takes the picture. Under Wine the colour key's shape of the old picture
    // goes first (Transparency.h).
    EmptyKeyedShape(window);
    bool keepShape = KeepsFrameShape(window, env);
    if (!keepShape)
        GiveWindowRegion(window, env, nullptr, FALSE);
    HDC windowDc = GetDC(window);
    if (windowDc) {
        BitBlt(windowDc, 0, 0, env->WindowWidth, env->WindowHeight, memoryDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
    }
    if (!keepShape)
        ShapeWindow(window, env, memoryDc, bitmap);
    if (env->DrawWallPaper == 1) {
        RestoreWallpaper();
        ComposeCalendarWallpaper();
    }
    UpdateTrayIcon(env, 1);
    EndRefresh(env);
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
    if (env->BackImage[0] && DrawPictureFile(window, dc, env->BackImage, &env->BackPicture, PICTURE_ALIGN_CENTER,
                                             PICTURE_ALIGN_CENTER, 0, nullptr) == 0)
        Trace("the background picture %s is not drawn", env->BackImage);
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
    if (addTools == 1)
        BeginToolTipPass(env);
    else if (env->ToolTipWindow && env->ShowToolTip == 0)
        DropToolTips(env);
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
