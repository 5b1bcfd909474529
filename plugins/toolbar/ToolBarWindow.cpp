// The bar: its window thread, its drawing into a back buffer, the press and release of its buttons, the drag by
// its icon cell, the fade and its menu.
#include "ToolBarPlugIn.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "BitmapRegion.h"
#include "DaylensIds.h"
#include "GlyphButton.h"
#include "MenuItemState.h"
#include "Trace.h"
#include "Transparency.h"
#include "VersionDialog.h"

namespace {

const char kIconTip[] = "%s - %d年%d月%d日";
const int kToolIdBase = 1000;
const int kTipWidth = 320;
const int kTipMargin = 2;
const int kFadeStep = 8;
const UINT kFadeTickMs = 100;
// Windows kinds that need a window region for the colour key (no layered windows), and the one whose regions are
// combined a rectangle at a time.
const int kLayeredKind = 6;
const int kSimpleRegionKind = 5;
const int kLastRegionKind = 3;

bool s_hasRegion = false;

const ToolBarSetting& Setting()
{
    return g_toolBar.File.Setting;
}

ToolBarButton* Records()
{
    return g_toolBar.File.Buttons;
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

void UpdateToolBarWindowRect(HWND bar)
{
    int count = CheckToolBarButtons(Records());
    SIZE size = ToolBarWindowSize(CurrentShape(), count);
    SetWindowPos(bar, HWND_NOTOPMOST, Setting().WindowX, Setting().WindowY, size.cx, size.cy, SWP_SHOWWINDOW);
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

void CreateToolBarToolTip(HWND bar)
{
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (g_toolBar.File.BalloonTip == 1 ? TTS_BALLOON : 0);
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, bar, nullptr, g_toolBar.Module, nullptr);
    if (!tip)
        return;
    RECT margins = {kTipMargin, kTipMargin, kTipMargin, kTipMargin};
    SendMessageA(tip, TTM_SETMARGIN, 0, (LPARAM)&margins);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    g_toolBar.ToolTip = tip;
}

TOOLINFOA ToolOf(HWND bar, int index)
{
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = bar;
    tool.uId = (UINT_PTR)(kToolIdBase + index);
    return tool;
}

void AddTool(HWND bar, int index, const char* text)
{
    if (!g_toolBar.ToolTip)
        return;
    TOOLINFOA tool = ToolOf(bar, index);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = Records()[index].Cell;
    tool.lpszText = (char*)text;
    SendMessageA(g_toolBar.ToolTip, TTM_ADDTOOLA, 0, (LPARAM)&tool);
}

void RemoveTools(HWND bar)
{
    for (int i = 0; i < TOOLBAR_RECORD_COUNT; i++) {
        TOOLINFOA tool = ToolOf(bar, i);
        SendMessageA(g_toolBar.ToolTip, TTM_DELTOOLA, 0, (LPARAM)&tool);
    }
}

void DrawIconCell(HWND bar, HDC dc, int index)
{
    const RECT& cell = Records()[index].Cell;
    if (g_toolBar.SmallIcon)
        DrawIconEx(dc, cell.left, cell.top, g_toolBar.SmallIcon, TOOLBAR_ICON_SIZE, TOOLBAR_ICON_SIZE, 0, nullptr,
                   DI_NORMAL);
    SYSTEMTIME today;
    GetLocalTime(&today);
    char text[128];
    snprintf(text, sizeof(text), kIconTip, kToolBarSection, today.wYear, today.wMonth, today.wDay);
    AddTool(bar, index, text);
}

void DrawButton(HWND bar, HDC dc, int index)
{
    const ToolBarButton& record = Records()[index];
    const COLORREF* colors = ToolBarColorRow(record.Color);
    PaintGlyphButton(&record.Cell, dc, g_toolBar.Pressed[index] ? ODS_SELECTED : 0, record.Mark, colors[0],
                     colors[1], colors[2], colors[3], colors[4]);
    AddTool(bar, index, ToolBarFunctionName(&record, g_toolBar.MenuTable));
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
    if (!g_toolBar.ToolTip)
        CreateToolBarToolTip(bar);
    else
        RemoveTools(bar);
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
    LayoutToolBarCells(Records(), CurrentShape());
    for (int i = 0; i < TOOLBAR_RECORD_COUNT; i++) {
        if (Records()[i].Code == TOOLBAR_CODE_ICON)
            DrawIconCell(bar, dc, i);
        else if (IsValidToolBarCode(Records()[i].Code))
            DrawButton(bar, dc, i);
    }
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
    if (GetWindowRect(bar, &rect)) {
        Settings().WindowX = rect.left;
        Settings().WindowY = rect.top;
    }
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

// The settings changed: the tooltips take the balloon setting anew, the bar its size, look and transparency.
void OnRefresh(HWND bar)
{
    if (g_toolBar.ToolTip)
        DestroyWindow(g_toolBar.ToolTip);
    g_toolBar.ToolTip = nullptr;
    g_toolBar.Alpha = StartAlpha();
    UpdateToolBarWindowRect(bar);
    SetMenuItemCheck(g_toolBar.Menu, IDM_TOOLBAR_FIX, Setting().Fix == 1);
    Redraw(bar);
    ApplyToolBarLayered(bar);
}

void StorePositionAndClose(HWND bar)
{
    RECT rect;
    if (GetWindowRect(bar, &rect)) {
        Settings().WindowX = rect.left;
        Settings().WindowY = rect.top;
    }
    SaveToolBarSetting();
    PostMessageA(bar, WM_CLOSE, 0, 0);
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
        Settings().Fix = Setting().Fix == 1 ? 0 : 1;
        SetMenuItemCheck(g_toolBar.Menu, IDM_TOOLBAR_FIX, Setting().Fix == 1);
        SaveToolBarSetting();
        break;
    }
}

LRESULT OnCreate(HWND bar)
{
    g_toolBar.Bar = bar;
    g_toolBar.Menu = BuildMenu();
    UpdateToolBarWindowRect(bar);
    g_toolBar.Alpha = StartAlpha();
    return 0;
}

// What the bar made is let go on its own thread.
void OnDestroy(HWND bar)
{
    KillTimer(bar, TOOLBAR_TIMER_FADE);
    if (g_toolBar.ToolTip)
        DestroyWindow(g_toolBar.ToolTip);
    g_toolBar.ToolTip = nullptr;
    DropBackBuffer();
    if (g_toolBar.Menu)
        DestroyMenu(g_toolBar.Menu);
    g_toolBar.Menu = nullptr;
    s_hasRegion = false;
    g_toolBar.Dragging = 0;
    // The thread ends with its bar: a start from now on makes a new one.
    InterlockedExchange(&g_toolBar.Ending, 1);
    g_toolBar.Bar = nullptr;
    PostQuitMessage(0);
}

LRESULT CALLBACK ToolBarWndProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
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

void RunToolBarWindow()
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
    if (!bar) {
        Trace("toolbar window not made (%lu)", GetLastError());
        return;
    }
    // A close that came while the bar was being made found no bar to close: the bar ends here instead.
    if (InterlockedCompareExchange(&g_toolBar.Ending, 0, 0) != 0) {
        DestroyWindow(bar);
        return;
    }
    ShowWindow(bar, SW_SHOWNORMAL);
    UpdateWindow(bar);
    MSG message;
    while (g_toolBar.Bar && IsWindow(g_toolBar.Bar) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The thread holds its module while it runs and lets go of it as it ends, so the host cannot unload the code the
// thread is running.
DWORD WINAPI ToolBarThreadProc(void* module)
{
    RunToolBarWindow();
    FreeLibraryAndExitThread((HMODULE)module, 0);
    return 0;
}

}  // namespace

bool StartToolBarThread()
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, (LPCSTR)(void*)&ToolBarThreadProc, &self))
        return false;
    InterlockedExchange(&g_toolBar.Ending, 0);
    HANDLE thread = CreateThread(nullptr, 0, ToolBarThreadProc, self, 0, nullptr);
    if (!thread) {
        InterlockedExchange(&g_toolBar.Ending, 1);
        FreeLibrary(self);
        return false;
    }
    g_toolBar.Thread = thread;
    return true;
}

bool ToolBarThreadRuns()
{
    HANDLE thread = g_toolBar.Thread;
    return thread && InterlockedCompareExchange(&g_toolBar.Ending, 0, 0) == 0 &&
           WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
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
