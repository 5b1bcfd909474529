// The calendar window until its full window procedure joins: it takes its size from the language module, saves the
// settings on close and ends the message loop when destroyed.
#include <string.h>

#include "AppInfo.h"
#include "CalendarRender.h"
#include "EnvData.h"
#include "ModuleBinding.h"
#include "Program.h"

namespace {

// Sent by the plug-ins; the calendar has nothing to do for it yet.
const UINT WM_DAYLENS_PLUGIN_NOTIFY = 1060;
const WPARAM IDM_SETTINGS = 501;

typedef int (*CalcWindowSizeProc)(int year, int month, int* width, int* height, EnvData* env);

void PlaceWindow(HWND window, EnvData* env)
{
    CalcWindowSizeProc calcWindowSize = (CalcWindowSizeProc)ResourceDllProc("CalcWindowSize");
    int width = env->WindowWidth;
    int height = env->WindowHeight;
    if (calcWindowSize && calcWindowSize(env->ShownMonth.wYear, env->ShownMonth.wMonth, &width, &height, env)) {
        env->WindowWidth = width;
        env->WindowHeight = height;
    }
    if (width > 0 && height > 0)
        SetWindowPos(window, nullptr, env->WindowX, env->WindowY, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnCreate(HWND window)
{
    EnvData* env = g_program.Env;
    if (!env)
        return -1;
    env->MainWindow = window;
    PlaceWindow(window, env);
    return 0;
}

// Copies the back buffer that RefreshCalendar rendered.
LRESULT OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    EnvData* env = g_program.Env;
    if (dc && env && env->MemoryDC)
        BitBlt(dc, 0, 0, env->WindowWidth, env->WindowHeight, env->MemoryDC, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnClose(HWND window)
{
    if (g_program.Env)
        SaveEnv(&g_program.Settings, g_program.Env, SETTINGS_SCOPE_ALL);
    DestroyWindow(window);
    return 0;
}

LRESULT OnDestroy()
{
    if (g_program.Env)
        g_program.Env->MainWindow = nullptr;
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_PAINT:
        return OnPaint(window);
    case WM_CLOSE:
        return OnClose(window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_DAYLENS_PLUGIN_NOTIFY:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Brings up the first calendar window of another instance; with showSettings its settings dialog too.
BOOL ActivateCalendar(HWND window, bool showSettings)
{
    char name[1024];
    if (!GetClassNameA(window, name, sizeof(name)) || strcmp(name, PROGRAM_WINDOW_CLASS) != 0)
        return TRUE;
    SetForegroundWindow(window);
    if (showSettings)
        SendMessageA(window, WM_COMMAND, IDM_SETTINGS, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    return FALSE;
}

}  // namespace

BOOL CALLBACK EnumActivateProc(HWND window, LPARAM)
{
    return ActivateCalendar(window, false);
}

BOOL CALLBACK EnumActivateAndShowProc(HWND window, LPARAM)
{
    return ActivateCalendar(window, true);
}

int CreateMainWindow(int showCommand)
{
    EnvData* env = g_program.Env;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = g_program.Instance;
    windowClass.hIcon = g_program.Icons[0];
    windowClass.hIconSm = g_program.Icons[1];
    windowClass.hCursor = env ? env->Cursors[CURSOR_NORMAL] : nullptr;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
    windowClass.lpszClassName = g_program.Info->GetWindowClassName();
    if (!RegisterClassExA(&windowClass))
        return 0;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, windowClass.lpszClassName, PROGRAM_NAME,
                                  WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                  nullptr, g_program.Instance, nullptr);
    if (!window)
        return 0;
    if (env)
        env->MainWindow = window;
    ShowWindow(window, showCommand);
    RefreshCalendar(1);
    UpdateWindow(window);
    return 1;
}
