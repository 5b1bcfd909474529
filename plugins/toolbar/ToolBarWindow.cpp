// The bar: its window thread, its drawing into a back buffer, the press and release of its buttons, the drag by
// its icon cell, the fade and its menu.
#include "ToolBarPlugIn.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "BitmapRegion.h"
#include "ControlToolTip.h"
#include "DaylensIds.h"
#include "GlyphButton.h"
#include "MenuItemState.h"
#include "Transparency.h"
#include "VersionDialog.h"
#include "WindowPlacement.h"

namespace {

const char kIconTip[] = "%s - %d年%d月%d日";
const int kToolIdBase = 1000;
const int kTipWidth = 320;
const int kFadeStep = 8;
const UINT kFadeTickMs = 100;
// Windows kinds that need a window region for the colour key (no layered windows), and the one whose regions are
// combined a rectangle at a time.
const int kLayeredKind = 6;
const int kSimpleRegionKind = 5;
const int kLastRegionKind = 3;
// A start waits this long for a bar's thread that is ending.
const DWORD kStartWaitMs = 10000;

bool s_hasRegion = false;

// The settings and buttons as the bar drew them last.
const ToolBarSetting& Setting()
{
    return g_toolBar.View.Setting;
}

const ToolBarButton* Records()
{
    return g_toolBar.View.Records;
}

void DropBackBuffer()
{
    if (g_toolBar.BackDC) {
        SelectObject(g_toolBar.BackDC, g_toolBar.OldBitmap);
        DeleteDC(g_toolBar.BackDC);
    }
    if (g_toolBar.BackBitmap)
        DeleteObject(g_toolBar.BackBitmap);
    g_toolBar.BackDC = nullptr;
    g_toolBar.BackBitmap = nullptr;
    g_toolBar.OldBitmap = nullptr;
}

void Redraw(HWND bar)
{
    DropBackBuffer();
    InvalidateRect(bar, nullptr, FALSE);
}

ToolBarShape ViewShape()
{
    const ToolBarSetting& s = Setting();
    return {s.ShowIcon, s.Vertical, s.ButtonSize, s.ButtonSpace};
}

// A placement that would change nothing is not made: under Wine each one costs the bar round trips to the X server.
void UpdateToolBarWindowRect(HWND bar)
{
    TakeToolBarView(&g_toolBar.View);
    SIZE size = ToolBarWindowSize(ViewShape(), g_toolBar.View.Count);
    SetWindowPosIfChanged(bar, HWND_NOTOPMOST, Setting().WindowX, Setting().WindowY, size.cx, size.cy,
                          SWP_SHOWWINDOW);
}

HMENU BuildMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    AppendMenuA(menu, MF_STRING, IDM_TOOLBAR_SETTINGS, "ツールバー設定");
    AppendMenuA(menu, MF_STRING, IDM_TOOLBAR_FIX, "ツールバーを固定");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_VERSION, "バージョン");
    AppendMenuA(menu, MF_STRING, IDM_TOOLBAR_HELP, "ヘルプ");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_TOOLBAR_CLOSE, "閉じる");
    SetMenuItemCheck(menu, IDM_TOOLBAR_FIX, Setting().Fix == 1);
    return menu;
}

// The tools of the drawn cells are set again in place; those of cells no longer drawn go.
void SetCellTool(HWND bar, int index, const char* text, UINT_PTR* drawn, int* count)
{
    UINT_PTR id = (UINT_PTR)(kToolIdBase + index);
    if (SetWindowToolTipTool(g_toolBar.ToolTip, bar, id, &Records()[index].Cell, text))
        drawn[(*count)++] = id;
}

void DrawIconCell(HWND bar, HDC dc, int index, UINT_PTR* drawn, int* count)
{
    const RECT& cell = Records()[index].Cell;
    if (g_toolBar.SmallIcon)
        DrawIconEx(dc, cell.left, cell.top, g_toolBar.SmallIcon, TOOLBAR_ICON_SIZE, TOOLBAR_ICON_SIZE, 0, nullptr,
                   DI_NORMAL);
    SYSTEMTIME today;
    GetLocalTime(&today);
    char text[128];
    snprintf(text, sizeof(text), kIconTip, kToolBarSection, today.wYear, today.wMonth, today.wDay);
    SetCellTool(bar, index, text, drawn, count);
}

void DrawButton(HWND bar, HDC dc, int index, UINT_PTR* drawn, int* count)
{
    const ToolBarButton& record = Records()[index];
    const COLORREF* colors = ToolBarColorRow(record.Color);
    PaintGlyphButton(&record.Cell, dc, g_toolBar.Pressed[index] ? ODS_SELECTED : 0, record.Mark, colors[0],
                     colors[1], colors[2], colors[3], colors[4]);
    SetCellTool(bar, index, g_toolBar.View.Names[index], drawn, count);
}

// The colour key needs a window region where Windows has no layered windows.
void SetToolBarRegion(HWND bar, HDC dc, const RECT& client)
{
    int kind = g_toolBar.Info ? g_toolBar.Info->GetWindowsKind() : kLayeredKind;
    if (kind >= kLayeredKind || Setting().TransMode != TOOLBAR_TRANS_KEY || !g_toolBar.BackBitmap)
        return;
    HRGN region = nullptr;
    if (kind == kSimpleRegionKind)
        region = CreateRegionFromBitmapSimple(dc, g_toolBar.BackBitmap, client.right, client.bottom,
                                              Setting().BackColor);
    else if (kind >= 1 && kind <= kLastRegionKind)
        region = CreateRegionFromBitmap(dc, g_toolBar.BackBitmap, client.right, client.bottom, Setting().BackColor);
    // The window owns a region once it is set, and deletes it when another replaces it.
    if (region && SetWindowRgn(bar, region, TRUE))
        s_hasRegion = true;
    else if (region)
        DeleteObject(region);
}

void DrawToolBar(HWND bar, HDC dc)
{
    TakeToolBarView(&g_toolBar.View);
    KeepWindowToolTip(g_toolBar.Module, bar, &g_toolBar.ToolTip, g_toolBar.View.BalloonTip == 1 ? 1 : 0, kTipWidth);
    if (s_hasRegion) {
        SetWindowRgn(bar, nullptr, FALSE);
        s_hasRegion = false;
    }
    RECT client;
    GetClientRect(bar, &client);
    if (Setting().TransMode != TOOLBAR_TRANS_PSEUDO) {
        HBRUSH brush = CreateSolidBrush(Setting().BackColor);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        g_toolBar.KeyColor = GetPixel(dc, 0, 0);
    }
    UINT_PTR drawn[TOOLBAR_RECORD_COUNT];
    int count = 0;
    for (int i = 0; i < TOOLBAR_RECORD_COUNT; i++) {
        if (Records()[i].Code == TOOLBAR_CODE_ICON)
            DrawIconCell(bar, dc, i, drawn, &count);
        else if (IsValidToolBarCode(Records()[i].Code))
            DrawButton(bar, dc, i, drawn, &count);
    }
    RemoveWindowToolTipTools(g_toolBar.ToolTip, drawn, count);
    SetToolBarRegion(bar, dc, client);
    ApplyToolBarLayered(bar);
}

void PaintToolBarBuffer(HWND bar, HDC windowDC)
{
    RECT client;
    GetClientRect(bar, &client);
    g_toolBar.BackDC = CreateCompatibleDC(windowDC);
    g_toolBar.BackBitmap = CreateCompatibleBitmap(windowDC, client.right, client.bottom);
    if (!g_toolBar.BackDC || !g_toolBar.BackBitmap) {
        DropBackBuffer();
        return;
    }
    g_toolBar.OldBitmap = SelectObject(g_toolBar.BackDC, g_toolBar.BackBitmap);
    DrawToolBar(bar, g_toolBar.BackDC);
}

void OnPaint(HWND bar)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(bar, &paint);
    if (Setting().TransMode == TOOLBAR_TRANS_PSEUDO) {
        DrawToolBar(bar, dc);
    } else {
        if (!g_toolBar.BackDC)
            PaintToolBarBuffer(bar, dc);
        if (g_toolBar.BackDC) {
            const RECT& r = paint.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_toolBar.BackDC, r.left, r.top, SRCCOPY);
        }
    }
    EndPaint(bar, &paint);
}

LRESULT OnEraseBackground(HWND bar, WPARAM wParam, LPARAM lParam)
{
    if (Setting().TransMode != TOOLBAR_TRANS_PSEUDO)
        return DefWindowProcA(bar, WM_ERASEBKGND, wParam, lParam);
    // The desktop picture behind the bar.
    SendMessageA(bar, WM_ICONERASEBKGND, wParam, 0);
    return 1;
}

void ApplyAlpha(HWND bar, BYTE alpha)
{
    g_toolBar.Alpha = alpha;
    ApplyToolBarLayered(bar);
}

void ArmFade(HWND bar)
{
    SetTimer(bar, TOOLBAR_TIMER_FADE, (UINT)Setting().AlphaTime * 1000, nullptr);
}

POINT CursorPos()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
}

void StartDrag(HWND bar)
{
    g_toolBar.Dragging = 1;
    GetWindowRect(bar, &g_toolBar.DragRect);
    g_toolBar.DragPress = CursorPos();
    g_toolBar.DragOffset.x = g_toolBar.DragPress.x - g_toolBar.DragRect.left;
    g_toolBar.DragOffset.y = g_toolBar.DragPress.y - g_toolBar.DragRect.top;
    if (g_toolBar.DragCursor)
        SetCursor(g_toolBar.DragCursor);
    SetCapture(bar);
}

void OnLeftDown(HWND bar, LPARAM lParam)
{
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    if (Setting().ShowIcon == 1 && point.x < TOOLBAR_ICON_SIZE && point.y < TOOLBAR_ICON_SIZE) {
        if (Setting().Fix != 1 && !g_toolBar.Dragging)
            StartDrag(bar);
        return;
    }
    int hit = HitToolBarButton(Records(), point);
    if (hit < 0)
        return;
    g_toolBar.Pressed[hit] = 1;
    SetCapture(bar);
    Redraw(bar);
}

void OnMouseMove(HWND bar, WPARAM keys)
{
    if (g_toolBar.Dragging && (keys & MK_LBUTTON)) {
        POINT cursor = CursorPos();
        SetWindowPos(bar, nullptr, cursor.x - g_toolBar.DragOffset.x, cursor.y - g_toolBar.DragOffset.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        return;
    }
    if (Setting().AlphaMode != TOOLBAR_ALPHA_UNTIL_TOUCHED)
        return;
    ApplyAlpha(bar, 255);
    if (GetActiveWindow() == bar)
        KillTimer(bar, TOOLBAR_TIMER_FADE);
    else
        ArmFade(bar);
}

void EndDrag(HWND bar)
{
    POINT cursor = CursorPos();
    g_toolBar.Dragging = 0;
    bool moved = cursor.x != g_toolBar.DragPress.x || cursor.y != g_toolBar.DragPress.y;
    if (moved) {
        MoveToolBar(bar, cursor.x - g_toolBar.DragOffset.x, cursor.y - g_toolBar.DragOffset.y);
        if (g_toolBar.Calendar)
            SetForegroundWindow(g_toolBar.Calendar);
    }
    if (g_toolBar.NormalCursor)
        SetCursor(g_toolBar.NormalCursor);
    ReleaseCapture();
    if (!moved)
        return;
    RECT rect;
    if (GetWindowRect(bar, &rect))
        SetToolBarPlace(rect.left, rect.top);
    SaveToolBarSetting();
}

// The command of the button under the pointer at the release goes to the calendar, whichever button was pressed.
void OnLeftUp(HWND bar, LPARAM lParam)
{
    if (g_toolBar.Dragging) {
        EndDrag(bar);
        return;
    }
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    int hit = HitToolBarButton(Records(), point);
    int command = hit >= 0 ? ToolBarCommandOf(Records()[hit].Code) : 0;
    memset(g_toolBar.Pressed, 0, sizeof(g_toolBar.Pressed));
    if (GetCapture() == bar)
        ReleaseCapture();
    Redraw(bar);
    // Posted, never sent: the command may close this very bar (a button for the toolbar's own menu item), and the
    // calendar then waits for this thread, which must not be waiting for the calendar.
    if (command && g_toolBar.Calendar)
        PostMessageA(g_toolBar.Calendar, WM_COMMAND, (WPARAM)command, 0);
}

void OnRightDown(HWND bar)
{
    if (g_toolBar.Dragging || !g_toolBar.Menu)
        return;
    POINT cursor = CursorPos();
    SetForegroundWindow(bar);
    TrackPopupMenu(g_toolBar.Menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, bar, nullptr);
    PostMessageA(bar, WM_NULL, 0, 0);
}

void OnKeyDown(HWND bar, WPARAM wParam, LPARAM lParam)
{
    // Handed to the calendar's window procedure as a sent key would be, without waiting for it.
    if (!g_toolBar.Dragging && g_toolBar.Calendar)
        SendNotifyMessageA(g_toolBar.Calendar, WM_KEYDOWN, wParam, lParam);
}

void OnActivate(HWND bar, WPARAM wParam)
{
    if (Setting().AlphaMode != TOOLBAR_ALPHA_UNTIL_TOUCHED)
        return;
    if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE)
        ApplyAlpha(bar, 255);
    else
        ArmFade(bar);
}

void OnTimer(HWND bar, WPARAM id)
{
    if (id != TOOLBAR_TIMER_FADE)
        return;
    KillTimer(bar, TOOLBAR_TIMER_FADE);
    int rate = Setting().AlphaRate;
    int alpha = g_toolBar.Alpha;
    if (alpha <= rate || alpha < kFadeStep)
        return;
    alpha = alpha - kFadeStep > rate ? alpha - kFadeStep : rate;
    ApplyAlpha(bar, (BYTE)alpha);
    SetTimer(bar, TOOLBAR_TIMER_FADE, kFadeTickMs, nullptr);
}

BYTE StartAlpha()
{
    return Setting().AlphaMode == TOOLBAR_ALPHA_NEVER ? 255 : Setting().AlphaRate;
}

// The settings, buttons or plug-in menu changed: the bar takes its size, look, tooltips and transparency anew.
void OnRefresh(HWND bar)
{
    // A change from now on asks again.
    InterlockedExchange(&g_toolBar.RefreshAsked, 0);
    UpdateToolBarWindowRect(bar);
    g_toolBar.Alpha = StartAlpha();
    SetMenuItemCheck(g_toolBar.Menu, IDM_TOOLBAR_FIX, Setting().Fix == 1);
    Redraw(bar);
    ApplyToolBarLayered(bar);
}

void StorePositionAndClose(HWND bar)
{
    RECT rect;
    if (GetWindowRect(bar, &rect))
        SetToolBarPlace(rect.left, rect.top);
    SaveToolBarSetting();
    PostMessageA(bar, WM_CLOSE, 0, 0);
}

void ToggleFix()
{
    int fix = 0;
    {
        ToolBarLock lock(true);
        fix = g_toolBar.File.Setting.Fix = Settings().Fix == 1 ? 0 : 1;
    }
    g_toolBar.View.Setting.Fix = fix;
    SetMenuItemCheck(g_toolBar.Menu, IDM_TOOLBAR_FIX, fix == 1);
    SaveToolBarSetting();
}

void OnCommand(HWND bar, WORD id)
{
    switch (id) {
    case IDM_TOOLBAR_CLOSE:
        StorePositionAndClose(bar);
        break;
    case IDM_TOOLBAR_HELP:
        ShowToolBarHelp(bar, HELP_TOPIC_MAIN);
        break;
    case IDM_VERSION:
        ShowAboutBox(g_toolBar.Module, IDD_TOOLBAR_ABOUT, bar, g_toolBar.BigIcon, g_toolBar.SmallIcon, nullptr,
                     g_toolBar.Info, 1);
        break;
    case IDM_TOOLBAR_SETTINGS:
        ToolBarSet(bar);
        break;
    case IDM_TOOLBAR_FIX:
        ToggleFix();
        break;
    }
}

LRESULT OnCreate(HWND bar)
{
    // A close that came while the bar was being made found no bar to close: no bar is made.
    if (!KeepThreadWindow(&g_toolBar.Thread, bar))
        return -1;
    UpdateToolBarWindowRect(bar);
    g_toolBar.Menu = BuildMenu();
    g_toolBar.Alpha = StartAlpha();
    return 0;
}

// What the bar made is let go on its own thread.
void OnDestroy(HWND bar)
{
    KillTimer(bar, TOOLBAR_TIMER_FADE);
    DestroyDialogToolTips(&g_toolBar.ToolTip);
    DropBackBuffer();
    if (g_toolBar.Menu)
        DestroyMenu(g_toolBar.Menu);
    g_toolBar.Menu = nullptr;
    s_hasRegion = false;
    g_toolBar.Dragging = 0;
    ForgetThreadWindow(&g_toolBar.Thread);
    PostQuitMessage(0);
}

LRESULT CALLBACK ToolBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayWindowToolTip(g_toolBar.ToolTip, bar, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: return OnCreate(bar);
    case WM_PAINT: OnPaint(bar); return 0;
    case WM_ERASEBKGND: return OnEraseBackground(bar, wParam, lParam);
    case WM_LBUTTONDOWN: OnLeftDown(bar, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(bar, wParam); return 0;
    case WM_LBUTTONUP: OnLeftUp(bar, lParam); return 0;
    case WM_RBUTTONDOWN: OnRightDown(bar); return 0;
    case WM_KEYDOWN: OnKeyDown(bar, wParam, lParam); return 0;
    case WM_ACTIVATE: OnActivate(bar, wParam); break;
    case WM_TIMER: OnTimer(bar, wParam); return 0;
    case WM_COMMAND: OnCommand(bar, LOWORD(wParam)); return 0;
    case WM_TOOLBAR_REFRESH: OnRefresh(bar); return 0;
    case WM_CLOSE: DestroyWindow(bar); return 0;
    case WM_DESTROY: OnDestroy(bar); return 0;
    }
    return DefWindowProcA(bar, message, wParam, lParam);
}

void RunToolBarWindow(WindowThread* thread, void*)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = ToolBarWndProc;
    windowClass.hInstance = g_toolBar.Module;
    windowClass.hIcon = LoadIconA(g_toolBar.Module, MAKEINTRESOURCEA(IDI_TOOLBAR));
    windowClass.hCursor = g_toolBar.NormalCursor ? g_toolBar.NormalCursor : LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = TOOLBAR_WINDOW_CLASS;
    RegisterClassA(&windowClass);
    HWND bar = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLBAR_WINDOW_CLASS, kToolBarSection, WS_POPUP, 0, 0, 1, 1,
                               g_toolBar.Calendar, nullptr, g_toolBar.Module, nullptr);
    if (!bar)
        return;
    ShowWindow(bar, SW_SHOWNORMAL);
    UpdateWindow(bar);
    RunWindowThreadLoop(thread);
}

}  // namespace

bool StartToolBarThread()
{
    return StartWindowThread(&g_toolBar.Thread, RunToolBarWindow, nullptr, kStartWaitMs);
}

void ApplyToolBarLayered(HWND bar)
{
    if (!bar)
        return;
    TransparencySettings alpha = {};
    alpha.Alpha = g_toolBar.Alpha;
    int mode = Setting().TransMode;
    SetLayeredAttributes(bar, mode == TOOLBAR_TRANS_KEY ? &g_toolBar.KeyColor : nullptr,
                         mode != TOOLBAR_TRANS_PSEUDO ? &alpha : nullptr);
}

void MoveToolBar(HWND bar, int x, int y)
{
    SetWindowPos(bar, HWND_NOTOPMOST, x, y, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOACTIVATE);
}
