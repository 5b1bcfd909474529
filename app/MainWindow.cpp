// The calendar window: its procedure, creation, painting, the menus of the right click and the tray, and saving on
// close and at log-off.
#include "MainWindow.h"

#include <string.h>

#include "AppInfo.h"
#include "CalendarFrame.h"
#include "CalendarRender.h"
#include "CalendarToolTips.h"
#include "ContextMenu.h"
#include "EnvData.h"
#include "MainWindowRules.h"
#include "OutsideHooks.h"
#include "Memo.h"
#include "MemorialDays.h"
#include "ModuleBinding.h"
#include "PlugInHost.h"
#include "Program.h"
#include "TimerTick.h"
#include "Trace.h"
#include "Transparency.h"
#include "TrayIcon.h"
#include "WindowPlacement.h"
#include "WindowsVersion.h"

MainWindowState g_mainWindow = {0, 0, 0, {0, 0}, {0, 0}, 1, 0, 0, 0};

namespace {

void FillTrayRecord(HWND window)
{
    NOTIFYICONDATAA& tray = g_program.TrayIcon;
    memset(&tray, 0, sizeof(tray));
    tray.cbSize = TRAY_RECORD_SIZE;
    tray.hWnd = window;
    tray.uID = TRAY_ICON_ID;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = WM_DAYLENS_TRAY;
    tray.hIcon = ProgramIcon(PROGRAM_ICON_SMALL);
}

// Adding waits on the tray's owner, so the icon joins once the calendar is on screen. Wine hands what was painted to
// the X server only when the thread waits for messages: a wait that ends at once puts the calendar on the screen
// before the wait on the tray.
void AddTrayIcon(EnvData* env)
{
    if (env->UseTaskTray != 1)
        return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    g_program.TrayIconAdded = Shell_NotifyIconA(NIM_ADD, &g_program.TrayIcon) ? 1 : 0;
}

// A desktop of another size has its own remembered position.
void FollowDesktopSize(HWND window, EnvData* env)
{
    RECT desktop;
    if (!GetClientRect(GetDesktopWindow(), &desktop))
        return;
    if (desktop.right == g_program.Desktop.right && desktop.bottom == g_program.Desktop.bottom)
        return;
    g_program.Desktop = desktop;
    g_program.Settings.Desktop = desktop;
    LoadWindowPosForScreen(&g_program.Settings, env);
    ApplyZOrder(window, env, env->WindowX, env->WindowY, SWP_NOSIZE | SWP_NOREDRAW);
    SaveWindowPosForScreen(&g_program.Settings, env);
}

void PaintCalendar(HWND window, EnvData* env)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (env->Transparency.TransMode == TRANS_MODE_PSEUDO) {
        DrawCalendar(window, dc, env->ShownMonth.wYear, env->ShownMonth.wMonth, env, &g_memoSettings,
                     &g_memorialSettings, env->ShowToolTip);
    } else if (!env->BackBitmap || !env->MemoryDC || env->RepaintFlag == 1) {
        RefreshCalendar(0);
    } else {
        BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
               paint.rcPaint.bottom - paint.rcPaint.top, env->MemoryDC, paint.rcPaint.left, paint.rcPaint.top,
               SRCCOPY);
    }
    EndPaint(window, &paint);
    env->RepaintFlag = 0;
}

LRESULT OnCreate(HWND window)
{
    EnvData* env = g_program.Env;
    if (!env)
        return -1;
    if (env->BeginBusy()) {
        OnMainWindowCreate(window, env);
        env->EndBusy();
    }
    return 0;
}

LRESULT OnPaint(HWND window)
{
    EnvData* env = g_program.Env;
    if (!env || !env->BeginBusy()) {
        ValidateRect(window, nullptr);
        return 0;
    }
    FollowDesktopSize(window, env);
    PaintCalendar(window, env);
    if (g_mainWindow.FirstPaint) {
        g_mainWindow.FirstPaint = 0;
        ApplyZOrder(window, env, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        AddTrayIcon(env);
        UpdateTrayIcon(env, 1);
    }
    env->EndBusy();
    if (env->WallpaperModeAtStart == 1 || env->WallpaperModeAtStart == 2)
        SendMessageA(window, WM_COMMAND, IDM_WALLPAPER_EXIT, 0);
    return 0;
}

LRESULT OnClose(HWND window)
{
    static const UINT_PTR kTimers[] = {TIMER_TICK, TIMER_DRAG_STEP, TIMER_FADE_OUT, TIMER_FADE_IN, TIMER_DAY_CHANGE,
                                       TIMER_PLUGIN_START};
    for (UINT_PTR timer : kTimers)
        KillTimer(window, timer);
    if (g_program.Env) {
        SaveEnv(&g_program.Settings, g_program.Env, SETTINGS_SCOPE_ALL);
        g_program.Env->MainWindow = nullptr;
    }
    DestroyWindow(window);
    return 0;
}

LRESULT OnQueryEndSession()
{
    if (g_program.Env)
        SaveEnv(&g_program.Settings, g_program.Env, SETTINGS_SCOPE_ALL);
    return 1;
}

LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

// The pseudo-transparent kind repaints the desktop under it wherever it goes.
LRESULT OnMove(HWND window, WPARAM wParam, LPARAM lParam)
{
    EnvData* env = g_program.Env;
    if (!env || env->Transparency.TransMode != TRANS_MODE_PSEUDO)
        return DefWindowProcA(window, WM_MOVE, wParam, lParam);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

LRESULT OnEraseBackground(HWND window, WPARAM wParam, LPARAM lParam)
{
    EnvData* env = g_program.Env;
    if (!env || env->Transparency.TransMode != TRANS_MODE_PSEUDO)
        return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
    SendMessageA(window, WM_ICONERASEBKGND, wParam, lParam);
    return 0;
}

LRESULT OnWindowPosChanging(HWND window, LPARAM lParam)
{
    EnvData* env = g_program.Env;
    WINDOWPOS* position = (WINDOWPOS*)lParam;
    if (env && position && env->WindowOrder == WINDOW_ORDER_BOTTOM)
        position->hwndInsertAfter = HWND_BOTTOM;
    return DefWindowProcA(window, WM_WINDOWPOSCHANGING, 0, lParam);
}

void TrackMenuAtCursor(HWND window, HMENU menu, UINT flags)
{
    POINT cursor;
    if (!menu || !GetCursorPos(&cursor))
        return;
    TrackPopupMenu(menu, flags, cursor.x, cursor.y, 0, window, nullptr);
}

LRESULT OnRightButtonDown(HWND window)
{
    EnvData* env = g_program.Env;
    if (!env || g_mainWindow.WindowDrag)
        return 0;
    TakeClickedDate(window, env);
    TrackMenuAtCursor(env->MainWindow ? env->MainWindow : window, env->ContextMenu, TPM_RIGHTBUTTON);
    return 0;
}

LRESULT OnDoubleClick(HWND window)
{
    EnvData* env = g_program.Env;
    if (!env || g_mainWindow.WindowDrag)
        return 0;
    int onDay = TakeClickedDate(window, env);
    int command = DoubleClickCommand(env->DoubleClick, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
    // A memo window needs the day; beside every day there is none.
    if (command && (onDay || !CommandNeedsDay(command)))
        SendMessageA(env->MainWindow ? env->MainWindow : window, WM_COMMAND, (WPARAM)command, 0);
    return 0;
}

LRESULT OnMouseWheel(HWND window, WPARAM wParam)
{
    EnvData* env = g_program.Env;
    if (!env || g_mainWindow.WindowDrag || env->MoveWithWheel != 1)
        return 0;
    short delta = (short)HIWORD(wParam);
    if (delta > 0)
        SendMessageA(window, WM_COMMAND, IDM_MONTH_BACK, 0);
    else if (delta < 0)
        SendMessageA(window, WM_COMMAND, IDM_MONTH_NEXT, 0);
    return 0;
}

LRESULT OnDroppedFiles(HWND window, WPARAM wParam)
{
    OnDropFiles(window, g_program.Env, (HDROP)wParam);
    return 0;
}

LRESULT OnTrayNotify(HWND window, WPARAM wParam, LPARAM lParam)
{
    EnvData* env = g_program.Env;
    if (!env || wParam != TRAY_ICON_ID)
        return 0;
    memset(&env->ClickedDate, 0, sizeof(env->ClickedDate));
    if (lParam == WM_LBUTTONDOWN) {
        SetForegroundWindow(window);
        if (env->UseTaskTrayClick != 0)
            TrackMenuAtCursor(window, env->TrayMenu ? env->TrayMenu : env->ContextMenu, TPM_BOTTOMALIGN);
    } else if (lParam == WM_RBUTTONDOWN) {
        SetForegroundWindow(window);
        TrackMenuAtCursor(window, env->ContextMenu, TPM_BOTTOMALIGN | TPM_RIGHTBUTTON);
    }
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM timer)
{
    EnvData* env = g_program.Env;
    KillTimer(window, timer);
    if (!env)
        return 0;
    switch (timer) {
    case TIMER_TICK:
        OnTimerTick(env);
        SetTimer(window, TIMER_TICK, TIMER_TICK_MS, nullptr);
        break;
    case TIMER_DRAG_STEP:
        OnDragTimer(window);
        break;
    case TIMER_FADE_OUT:
    case TIMER_FADE_IN:
    case TIMER_FADE_RETURN:
        OnFadeTimer(window, timer);
        break;
    case TIMER_DAY_CHANGE:
        RedrawForNewDay(window, env);
        break;
    case TIMER_PLUGIN_START:
        StartPlugInsStep(window, env);
        break;
    }
    return 0;
}

// Telling the tray waits until the tray's owner has handled it. Wine's stand-alone tray hides its window with the
// last icon, which takes it two seconds without a window manager, while the request waits. The icon is removed on a
// thread of its own, and the program goes on once the tray has it or after this time; the tray still handles a
// request whose sender has gone.
const DWORD kTrayAnswerWaitMs = 100;

DWORD WINAPI RemoveTrayIconThread(LPVOID parameter)
{
    NOTIFYICONDATAA* record = (NOTIFYICONDATAA*)parameter;
    Shell_NotifyIconA(NIM_DELETE, record);
    HeapFree(GetProcessHeap(), 0, record);
    return 0;
}

// Brings up the first calendar window of another instance; with showSettings its settings dialog too.
BOOL ActivateCalendar(HWND window, bool showSettings)
{
    char name[1024];
    if (!GetClassNameA(window, name, sizeof(name)) || strcmp(name, DAYLENS_WINDOW_CLASS) != 0)
        return TRUE;
    SetForegroundWindow(window);
    if (showSettings)
        SendMessageA(window, WM_COMMAND, IDM_SETTINGS, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    return FALSE;
}

// Under Wine a window that is active when it is shown or moved is handed to the window manager for good, and hiding
// such a window waits until a window manager confirms it, two seconds when there is none (wait_for_withdrawn_state
// of the X11 driver); a window manager that frames it also has the X server sort every rectangle of the calendar's
// colour key shape twice over, in the worst way, at each new picture. Under Wine the calendar therefore comes up
// without taking the activation; a click activates it as before.
int FirstShowCommand(int showCommand)
{
    if (!RunsUnderWine())
        return showCommand;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int startupCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    return ShowCommandWithoutActivation(showCommand, startupCommand);
}

}  // namespace

void ApplyZOrder(HWND window, const EnvData* env, int x, int y, UINT flags)
{
    SetWindowPosIfChanged(window, ZOrderInsertAfter(env->WindowOrder), x, y, 0, 0, flags | SWP_NOACTIVATE);
}

void ReadClickedDate(HWND window, EnvData* env, SYSTEMTIME* date)
{
    date->wYear = date->wMonth = date->wDay = 0;
    ResourceDllAcquire(1);
    auto getClickedDate = LanguageProc(LanguageModule::kGetClickedDateSYSTEMTIME);
    if (getClickedDate)
        getClickedDate(window, date, env);
    ResourceDllAcquire(0);
}

int TakeClickedDate(HWND window, EnvData* env)
{
    SYSTEMTIME date = env->ClickedDate;
    ReadClickedDate(window, env, &date);
    if (!IsDaySet(&date))
        return 0;
    env->ClickedDate = date;
    g_mainWindow.MemoYear = date.wYear;
    g_mainWindow.MemoMonth = date.wMonth;
    g_mainWindow.MemoDay = date.wDay;
    return 1;
}

int OnMainWindowCreate(HWND window, EnvData* env)
{
    env->MainWindow = window;
    // Until a day is clicked, the clicked day and the memo day are today.
    env->ClickedDate = env->Today;
    g_mainWindow.MemoYear = env->Today.wYear;
    g_mainWindow.MemoMonth = env->Today.wMonth;
    g_mainWindow.MemoDay = env->Today.wDay;
    if (env->UseTaskTray != 1 && env->Transparency.TransparentAlpha == 0)
        env->Transparency.TransparentAlpha = 1;
    ApplyTransparency(window, &env->Transparency, 0);
    FillTrayRecord(window);
    RefreshCalendar(1);
    ApplyZOrder(window, env, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(window, TIMER_TICK, TIMER_TICK_MS, nullptr);
    SetTimer(window, TIMER_PLUGIN_START, TIMER_PLUGIN_START_MS, nullptr);
    return 1;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RelayToolTipMessage(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy();
    case WM_MOVE: return OnMove(window, wParam, lParam);
    case WM_ACTIVATE: return OnActivate(window, wParam, lParam);
    case WM_PAINT: return OnPaint(window);
    case WM_CLOSE: return OnClose(window);
    case WM_QUERYENDSESSION: return OnQueryEndSession();
    case WM_ERASEBKGND: return OnEraseBackground(window, wParam, lParam);
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(window, lParam);
    case WM_KEYDOWN: return OnKeyDown(wParam);
    case WM_KEYUP: return OnKeyUp(wParam);
    case WM_MOUSEMOVE: return OnMouseMove(window, wParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window, wParam);
    case WM_LBUTTONUP: return OnLeftButtonUp(window, wParam);
    case WM_LBUTTONDBLCLK: return OnDoubleClick(window);
    case WM_RBUTTONDOWN: return OnRightButtonDown(window);
    case WM_MOUSEWHEEL: return OnMouseWheel(window, wParam);
    case WM_DROPFILES: return OnDroppedFiles(window, wParam);
    case WM_MEASUREITEM:
        OnLauncherMeasureItem(window, g_program.Env, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DRAWITEM:
        OnLauncherDrawItem(window, g_program.Env, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DAYLENS_TRAY: return OnTrayNotify(window, wParam, lParam);
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_DAYLENS_TOOLTIP_MADE: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

BOOL CALLBACK EnumActivateProc(HWND window, LPARAM)
{
    return ActivateCalendar(window, false);
}

BOOL CALLBACK EnumActivateAndShowProc(HWND window, LPARAM)
{
    return ActivateCalendar(window, true);
}

void RemoveTrayIcon()
{
    if (!g_program.TrayIconAdded)
        return;
    g_program.TrayIconAdded = 0;
    // The thread takes the copy and frees it.
    NOTIFYICONDATAA* record = (NOTIFYICONDATAA*)HeapAlloc(GetProcessHeap(), 0, sizeof(NOTIFYICONDATAA));
    if (record)
        *record = g_program.TrayIcon;
    HANDLE thread = record ? CreateThread(nullptr, 0, RemoveTrayIconThread, record, 0, nullptr) : nullptr;
    if (!thread) {
        if (record)
            HeapFree(GetProcessHeap(), 0, record);
        Shell_NotifyIconA(NIM_DELETE, &g_program.TrayIcon);
        return;
    }
    if (WaitForSingleObject(thread, kTrayAnswerWaitMs) != WAIT_OBJECT_0)
        Trace("the tray has not answered the removal of the icon yet");
    CloseHandle(thread);
}

int CreateMainWindow(int showCommand)
{
    EnvData* env = g_program.Env;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = g_program.Instance;
    windowClass.hIcon = ProgramIcon(PROGRAM_ICON_LARGE);
    windowClass.hIconSm = ProgramIcon(PROGRAM_ICON_SMALL);
    windowClass.hCursor = env ? env->Cursors[CURSOR_NORMAL] : nullptr;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
    windowClass.lpszClassName = g_program.Info->GetWindowClassName();
    if (!RegisterClassExA(&windowClass))
        return 0;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, windowClass.lpszClassName, DAYLENS_PROGRAM_NAME,
                                  WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                  nullptr, g_program.Instance, nullptr);
    if (!window)
        return 0;
    if (env)
        env->MainWindow = window;
    ShowWindow(window, FirstShowCommand(showCommand));
    // Under Wine the first picture's colour key shape then only covers (Transparency.h).
    EmptyKeyedShape(window);
    UpdateWindow(window);
    return 1;
}
