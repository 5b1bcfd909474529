#include "MiniMemoWindow.h"

#include <stdio.h>

#include "AppInfo.h"
#include "CalendarFrame.h"
#include "ControlToolTip.h"
#include "DaylensIds.h"
#include "MenuItemState.h"
#include "MiniMemoIds.h"
#include "MiniMemoPaint.h"
#include "MiniMemoRules.h"
#include "MiniMemoSettingsDialog.h"
#include "MiniMemoState.h"
#include "Trace.h"
#include "Transparency.h"
#include "VersionDialog.h"

MiniMemoPlugIn g_miniMemo;

namespace {

const UINT_PTR kTimerFirstBuild = 500;
const UINT_PTR kTimerFadeDown = 503;
const UINT_PTR kTimerFadeUp = 504;
const UINT kFirstBuildMs = 1000;
const DWORD kCloseWaitMs = 10000;
const int kAlphaStep = 8;
const int kPressBorder = 4;
const int kHoverBorder = 8;
const char kHelpTopic[] = "_RESOURCE/Help-main.html";
const char kWindowTitle[] = "DaylensMiniMemo";
// Fade modes that react to the pointer (TRANS_FADE_NO_TIME and TRANS_FADE_OFF do not).
enum FadeMode { FADE_WHEN_INACTIVE = 1, FADE_HIDE_UNDER_POINTER = 3, FADE_SHOW_UNDER_POINTER = 4 };

MiniMemoSettings& Settings()
{
    return g_miniMemo.Settings;
}

int Kind()
{
    return Settings().Trans.TransMode;
}

HWND InsertAfter()
{
    BYTE order = Settings().WindowOrder;
    return order == WINDOW_ORDER_BOTTOM ? HWND_BOTTOM : order == WINDOW_ORDER_TOPMOST ? HWND_TOPMOST : HWND_NOTOPMOST;
}

// The key colour for the colour-key kind, the alpha unless the window shows the desktop behind it.
void ApplyAlpha(HWND window, bool withKey)
{
    const TransparencySettings& t = Settings().Trans;
    SetLayeredAttributes(window, withKey && t.TransMode == TRANS_MODE_KEY_AND_ALPHA ? &t.KeyColor : nullptr,
                         t.TransMode != TRANS_MODE_PSEUDO ? &t : nullptr);
}

void RemoveRegion(HWND window)
{
    // The window owns its region and deletes it when it gets another one.
    if (g_miniMemo.HasRegion)
        SetWindowRgn(window, nullptr, TRUE);
    g_miniMemo.HasRegion = 0;
}

void MakeRegion(HWND window)
{
    g_miniMemo.HasRegion = MakeWindowRegion(window, Settings().FrameShape, Settings().RoundWidth) ? 1 : 0;
}

HCURSOR ZoneCursor(int zone)
{
    int index = zone == BORDER_TOP || zone == BORDER_BOTTOM             ? MINIMEMO_CURSOR_SIZENS
                : zone == BORDER_TOP_RIGHT || zone == BORDER_BOTTOM_LEFT ? MINIMEMO_CURSOR_SIZENESW
                : zone == BORDER_RIGHT || zone == BORDER_LEFT            ? MINIMEMO_CURSOR_SIZEWE
                : zone == BORDER_BOTTOM_RIGHT || zone == BORDER_TOP_LEFT ? MINIMEMO_CURSOR_SIZENWSE
                                                                         : MINIMEMO_CURSOR_MOVE;
    HCURSOR cursor = g_miniMemo.Cursors[index];
    return cursor ? cursor : LoadCursorA(nullptr, BorderZoneSystemCursor(zone));
}

void SetMenuChecks()
{
    SetMenuItemCheck(g_miniMemo.Menu, IDM_MINIMEMO_FIX_POS, Settings().FixPos == 1);
    SetMenuItemCheck(g_miniMemo.Menu, IDM_MINIMEMO_FIX_SIZE, Settings().FixSize == 1);
}

void Save(HWND window)
{
    SaveMiniMemoSettings(&Settings(), window, g_miniMemo.IniPath);
}

// Command 676: everything drawn again from the settings.
void Rebuild(HWND window)
{
    DropMiniMemoBuffer();
    RemoveRegion(window);
    AutoSizeMiniMemo(window);
    TransparencySettings& t = Settings().Trans;
    if (Kind() == TRANS_MODE_OPAQUE) {
        SetLayeredAttributes(window, nullptr, nullptr);
        t.Alpha = t.TransparentAlphaMode == TRANS_FADE_OFF ? TRANS_ALPHA_MAX : t.TransparentAlpha;
        PaintMiniMemo(window, nullptr);
        return;
    }
    MakeRegion(window);
    t.Alpha = t.TransparentAlpha;
    if (t.TransparentAlphaMode == TRANS_FADE_OFF) {
        t.Alpha = TRANS_ALPHA_MAX;
        KillTimer(window, kTimerFadeDown);
        KillTimer(window, kTimerFadeUp);
    }
    ApplyAlpha(window, true);
    HDC dc = GetDC(window);
    if (Kind() == TRANS_MODE_PSEUDO)
        DrawMiniMemo(window, dc, 0);
    else
        PaintMiniMemo(window, dc);
    ReleaseDC(window, dc);
    // What was drawn straight onto the window is on screen: nothing is left to paint.
    ValidateRect(window, nullptr);
}

void Reload(HWND window)
{
    MiniMemoPlugIn& m = g_miniMemo;
    FreeRepeatMemos(&m.Repeats, m.RepeatTexts, &m.RepeatCount);
    LoadMiniMemoSettings(&m.Settings, &m.Store, m.IniPath);
    InitRepeatMemos(&m.Repeats, m.RepeatTexts, &m.RepeatCount);
    LoadRepeatMemos(&m.Repeats, m.RepeatTexts, &m.RepeatCount, m.Store.Folder);
    SetMenuChecks();
    Rebuild(window);
}

// Command 2: the window ends; its settings are kept first.
void EndWindow(HWND window)
{
    SetLayeredAttributes(window, nullptr, nullptr);
    Save(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void ToggleFix(HWND window, int* flag)
{
    *flag = *flag == 1 ? 0 : 1;
    SetMenuChecks();
    Save(window);
}

void OnCommand(HWND window, WORD id)
{
    switch (id) {
    case IDM_MINIMEMO_END: EndWindow(window); break;
    case IDM_MINIMEMO_HELP: ShowMiniMemoHelp(window, kHelpTopic); break;
    case IDM_MINIMEMO_VERSION:
        ShowAboutBox(g_miniMemo.Module, IDD_MINIMEMO_ABOUT, window, g_miniMemo.BigIcon, g_miniMemo.SmallIcon, nullptr,
                     g_miniMemo.Info, 0);
        break;
    case IDM_MINIMEMO_SHOW: StartMiniMemo(nullptr); break;
    case IDM_MINIMEMO_SETTINGS: ShowMiniMemoSettingsDialog(window); break;
    case IDM_MINIMEMO_CLOSE: CloseMiniMemo(); break;
    case IDM_MINIMEMO_FIX_POS: ToggleFix(window, &Settings().FixPos); break;
    case IDM_MINIMEMO_FIX_SIZE: ToggleFix(window, &Settings().FixSize); break;
    case IDM_MINIMEMO_REBUILD: Rebuild(window); break;
    }
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create)
{
    // A close that came before the window existed found nothing to end: no window is made.
    if (!KeepThreadWindow(&g_miniMemo.Thread, window))
        return -1;
    RECT reference = {0, 0, 0, 0};
    if (g_miniMemo.Reference && IsWindow(g_miniMemo.Reference))
        GetWindowRect(g_miniMemo.Reference, &reference);
    RECT box = MiniMemoStartRect(&Settings(), &reference);
    SetWindowPos(window, InsertAfter(), box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOREDRAW);
    SetTimer(window, kTimerFirstBuild, kFirstBuildMs, nullptr);
    return 0;
}

// Every paint validates the window, also when the mutex is busy: an invalid window would be painted again at once.
void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (Kind() == TRANS_MODE_PSEUDO) {
        DrawMiniMemo(window, dc, 0);
    } else if (Kind() == TRANS_MODE_OPAQUE) {
        PaintMiniMemo(window, nullptr);
    } else if (g_miniMemo.BufferDC && g_miniMemo.Buffer) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_miniMemo.BufferDC, r.left, r.top, SRCCOPY);
    } else {
        PaintMiniMemo(window, dc);
    }
    EndPaint(window, &paint);
}

LRESULT OnEraseBackground(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (Kind() == TRANS_MODE_OPAQUE)
        return 0;
    if (Kind() == TRANS_MODE_PSEUDO)
        return DefWindowProcA(window, WM_ICONERASEBKGND, wParam, lParam);
    return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
}

LRESULT OnMove(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (Kind() == TRANS_MODE_OPAQUE)
        return 0;
    if (Kind() == TRANS_MODE_PSEUDO) {
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    return DefWindowProcA(window, WM_MOVE, wParam, lParam);
}

void OnSize(HWND window)
{
    DropMiniMemoBuffer();
    InvalidateRect(window, nullptr, TRUE);
}

void ApplyDrag(HWND window, POINT cursor)
{
    RECT r;
    if (!TrackBorderDrag(&g_miniMemo.Drag, cursor, &r))
        return;
    UINT flags = SWP_SHOWWINDOW | SWP_NOZORDER | (g_miniMemo.Drag.Zone == BORDER_INSIDE ? SWP_NOSIZE : 0);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
}

void OnButtonDown(HWND window)
{
    BorderDrag& drag = g_miniMemo.Drag;
    if (drag.Zone != BORDER_NONE)
        return;
    RECT rect;
    POINT cursor;
    GetWindowRect(window, &rect);
    GetCursorPos(&cursor);
    g_miniMemo.Press = cursor;
    int zone = HitTestBorder(&rect, cursor, kPressBorder);
    if ((zone == BORDER_INSIDE && Settings().FixPos == 1) || (zone != BORDER_INSIDE && Settings().FixSize == 1))
        return;
    SetCursor(ZoneCursor(zone));
    SetCapture(window);
    BeginBorderDrag(&drag, zone, &rect, cursor);
    // The window stays rectangular while it is dragged.
    if (Kind() != TRANS_MODE_OPAQUE)
        RemoveRegion(window);
}

void OnButtonUp(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    if (g_miniMemo.Drag.Zone != BORDER_NONE) {
        ApplyDrag(window, cursor);
        ReleaseCapture();
        g_miniMemo.Drag.Zone = BORDER_NONE;
    }
    Save(window);
    if (Kind() != TRANS_MODE_OPAQUE) {
        RemoveRegion(window);
        MakeRegion(window);
    }
    if (Settings().ClickClose == 1 && cursor.x == g_miniMemo.Press.x && cursor.y == g_miniMemo.Press.y)
        CloseMiniMemo();
}

void FadeOnHover(HWND window, WPARAM keys)
{
    TransparencySettings& t = Settings().Trans;
    UINT returnMs = (UINT)t.TransparentAlphaTime * 1000;
    bool shift = (keys & MK_SHIFT) != 0;
    switch (t.TransparentAlphaMode) {
    case FADE_WHEN_INACTIVE:
        t.Alpha = TRANS_ALPHA_MAX;
        ApplyAlpha(window, true);
        if (GetActiveWindow() == window)
            KillTimer(window, kTimerFadeDown);
        else
            SetTimer(window, kTimerFadeDown, returnMs, nullptr);
        break;
    case FADE_HIDE_UNDER_POINTER:
        if (shift)
            break;
        t.Alpha = 0;
        ApplyAlpha(window, true);
        SetTimer(window, kTimerFadeUp, returnMs, nullptr);
        break;
    case FADE_SHOW_UNDER_POINTER:
        if (shift)
            break;
        t.Alpha = TRANS_ALPHA_MAX;
        ApplyAlpha(window, false);
        SetTimer(window, kTimerFadeDown, returnMs, nullptr);
        break;
    }
}

void OnMouseMove(HWND window, WPARAM keys)
{
    if (g_miniMemo.Drag.Zone != BORDER_NONE) {
        POINT cursor;
        GetCursorPos(&cursor);
        ApplyDrag(window, cursor);
        return;
    }
    if (Settings().FixSize == 0) {
        int zone = HitTestWindowBorder(window, kHoverBorder);
        if (zone != BORDER_INSIDE && zone != BORDER_NONE)
            SetCursor(ZoneCursor(zone));
    }
    if (Kind() != TRANS_MODE_OPAQUE)
        FadeOnHover(window, keys);
}

// One fade step toward the target alpha; down from above it or up from below.
void OnFade(HWND window, UINT_PTR timer)
{
    KillTimer(window, timer);
    TransparencySettings& t = Settings().Trans;
    if (Kind() == TRANS_MODE_OPAQUE) {
        t.Alpha = t.TransparentAlpha;
        PaintMiniMemo(window, nullptr);
        return;
    }
    int alpha = t.Alpha + (timer == kTimerFadeDown ? -kAlphaStep : kAlphaStep);
    bool done = timer == kTimerFadeDown ? alpha <= t.TransparentAlpha : alpha >= t.TransparentAlpha;
    t.Alpha = (BYTE)(done ? t.TransparentAlpha : alpha);
    ApplyAlpha(window, true);
    if (!done)
        SetTimer(window, timer, (UINT)Settings().PopupSpeed * 10, nullptr);
}

void OnTimer(HWND window, UINT_PTR timer)
{
    if (timer == kTimerFirstBuild) {
        KillTimer(window, timer);
        PostMessageA(window, WM_COMMAND, IDM_MINIMEMO_REBUILD, 0);
    } else if (timer == kTimerFadeDown || timer == kTimerFadeUp) {
        OnFade(window, timer);
    }
}

void OnContextMenu(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    HMENU popup = g_miniMemo.Menu ? GetSubMenu(g_miniMemo.Menu, 0) : nullptr;
    if (popup)
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
}

bool RegisterWindowClass()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MiniMemoWndProc;
    wc.hInstance = g_miniMemo.Module;
    wc.hIcon = g_miniMemo.BigIcon;
    wc.hIconSm = g_miniMemo.SmallIcon;
    wc.hCursor = g_miniMemo.Cursors[MINIMEMO_CURSOR_NORMAL];
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = MINIMEMO_WINDOW_CLASS;
    if (RegisterClassExA(&wc))
        return true;
    // Left from an earlier start of this module: the class is the same one.
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The thread's own leftovers, freed on the thread that used them.
void FreeWindowResources()
{
    MiniMemoPlugIn& m = g_miniMemo;
    DestroyDialogToolTips(&m.ToolTip);
    DropMiniMemoBuffer();
    m.HasRegion = 0;
    FreeRepeatMemos(&m.Repeats, m.RepeatTexts, &m.RepeatCount);
    m.RepeatCount = 0;
    CloseDrawMutex();
    // A later start, perhaps of this module loaded again elsewhere, registers the class anew.
    UnregisterClassA(MINIMEMO_WINDOW_CLASS, m.Module);
}

void RunMiniMemoWindow(WindowThread* thread, void*)
{
    MiniMemoPlugIn& m = g_miniMemo;
    InitRepeatMemos(&m.Repeats, m.RepeatTexts, &m.RepeatCount);
    LoadRepeatMemos(&m.Repeats, m.RepeatTexts, &m.RepeatCount, m.Store.Folder);
    HWND window = nullptr;
    if (RegisterWindowClass())
        window = CreateWindowExA(WS_EX_TOOLWINDOW, MINIMEMO_WINDOW_CLASS, kWindowTitle, WS_POPUP, 0, 0, 100, 100,
                                 nullptr, nullptr, m.Module, nullptr);
    else
        Trace("mini memo: the window class cannot be registered");
    if (window) {
        CreateDrawMutex(window);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        RunWindowThreadLoop(thread);
    }
    FreeWindowResources();
}

}  // namespace

int StartMiniMemo(HWND reference)
{
    MiniMemoPlugIn& m = g_miniMemo;
    m.Reference = reference;
    HWND window = MiniMemoWindow();
    if (WindowThreadRuns(&m.Thread) && window && IsWindow(window)) {
        // Another thread only asks: the window thread may be busy, and this one must not wait for it.
        if (OnWindowThread(&m.Thread))
            ShowWindow(window, SW_SHOWNORMAL);
        else
            ShowWindowAsync(window, SW_SHOWNORMAL);
    } else {
        StartWindowThread(&m.Thread, RunMiniMemoWindow, nullptr, kCloseWaitMs);
    }
    Settings().Show = 1;
    return 1;
}

bool MiniMemoRuns(void)
{
    return WindowThreadRuns(&g_miniMemo.Thread);
}

// The window saves the settings as it ends, on its own thread, which may be reading them again; only without a
// window are they saved from here, once no window thread is left to change them.
bool CloseMiniMemo(void)
{
    MiniMemoPlugIn& m = g_miniMemo;
    HWND window = MiniMemoWindow();
    bool reached = window && IsWindow(window);
    bool ended = CloseWindowThread(&m.Thread, IDM_MINIMEMO_END, kCloseWaitMs);
    if (!reached && ended)
        SaveMiniMemoSettings(&m.Settings, nullptr, m.IniPath);
    return ended;
}

void ShowMiniMemoHelp(HWND owner, const char* topic)
{
    AppInfo* info = g_miniMemo.Info;
    if (!info)
        return;
    char path[MAX_PATH * 2];
    snprintf(path, sizeof(path), "%s%s", info->GetProgramDir() ? info->GetProgramDir() : "",
             "PlugIn\\DaylensMiniMemo.chm");
    info->ShowHelp(owner, path, topic);
}

int RedrawMiniMemoWindow(void)
{
    HWND window = MiniMemoWindow();
    if (window)
        PostMessageA(window, WM_MINIMEMO_RELOAD, 0, 0);
    return 1;
}

void BuildMiniMemoMenu(void)
{
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    if (!bar || !popup) {
        if (bar)
            DestroyMenu(bar);
        if (popup)
            DestroyMenu(popup);
        return;
    }
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_SHOW, "ミニメモ表示");
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_SETTINGS, "ミニメモ設定");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_FIX_POS, "位置固定");
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_FIX_SIZE, "サイズ固定");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_VERSION, "バージョン");
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_HELP, "ヘルプ");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, IDM_MINIMEMO_CLOSE, "ミニメモ閉じる");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)popup, "");
    g_miniMemo.Menu = bar;
    SetMenuChecks();
}

LRESULT CALLBACK MiniMemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayWindowToolTip(g_miniMemo.ToolTip, window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: return OnCreate(window, (const CREATESTRUCTA*)lParam);
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return OnEraseBackground(window, wParam, lParam);
    case WM_MOVE: return OnMove(window, wParam, lParam);
    case WM_SIZE: OnSize(window); return 0;
    case WM_WINDOWPOSCHANGING:
        if (Settings().WindowOrder == WINDOW_ORDER_BOTTOM)
            ((WINDOWPOS*)lParam)->hwndInsertAfter = HWND_BOTTOM;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_MINIMEMO_RELOAD: Reload(window); return 0;
    case WM_TIMER: OnTimer(window, wParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(window); return 0;
    case WM_LBUTTONUP: OnButtonUp(window); return 0;
    case WM_MOUSEMOVE: OnMouseMove(window, wParam); return 0;
    case WM_LBUTTONDBLCLK: PostMessageA(window, WM_COMMAND, IDM_MINIMEMO_SETTINGS, 0); return 0;
    case WM_RBUTTONDOWN: OnContextMenu(window); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY:
        ForgetThreadWindow(&g_miniMemo.Thread);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
