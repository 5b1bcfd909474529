// The toolbar plug-in's entry, its exports and its start: the shared plug-in exports answered from its
// description, and the bar's own exports, which the host calls on its thread.
#include "ToolBarPlugIn.h"

#include <locale.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "PlugInInterface.h"
#include "ThreadWait.h"
#include "ToolBarModule.h"
#include "Trace.h"

ToolBarPlugIn g_toolBar;

namespace {

const char kDescription[] = "ツールバープラグイン DaylensToolBar";
const char kHelpFile[] = "PlugIn\\DaylensToolBar.chm";
const int kMajorVersion = 104;
const int kMinorVersion = 0;
// The close waits this long for the bar's thread.
const DWORD kCloseWaitMs = 10000;

const char* const kJapaneseItems[] = {"ツールバー表示", "ツールバー設定"};
const char* const kEnglishItems[] = {"ToolBar Show", "ToolBar Set"};

void RunMenu(HWND calendar, int item)
{
    if (item == 0)
        ToolBarStart(calendar);
    else if (item == 1 && g_toolBar.Bar)
        PostMessageA(g_toolBar.Bar, WM_COMMAND, IDM_TOOLBAR_SETTINGS, 0);
}

void Activate()
{
    if (g_toolBar.Bar && IsWindow(g_toolBar.Bar))
        SetForegroundWindow(g_toolBar.Bar);
}

void Close()
{
    ToolBarClose();
}

const PlugInDescription kDescriptionOfPlugIn = {
    kJapaneseItems, kEnglishItems, 2, kMajorVersion, kMinorVersion, 0, DAYLENS_MAKER, RunMenu, Activate, Close,
};

SIZE DesktopSize()
{
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    return {desktop.right - desktop.left, desktop.bottom - desktop.top};
}

const char* IniPath()
{
    return g_toolBar.Info ? g_toolBar.Info->GetIniPath(1) : nullptr;
}

void InitToolBarPlugIn()
{
    // A bar started before is closed, never left running without its handles.
    ToolBarClose();
    if (!g_toolBar.Info) {
        g_toolBar.Info = new AppInfo();
        g_toolBar.Info->DetectWindowsVersion();
        g_toolBar.Info->SetStrings(kToolBarSection, kDescription, TOOLBAR_WINDOW_CLASS, DAYLENS_MAKER, kMajorVersion,
                                   kMinorVersion, 0, DAYLENS_YEARS, PLUGIN_RELEASE_DATE, nullptr);
    }
    HINSTANCE module = g_toolBar.Module;
    g_toolBar.NormalCursor = LoadCursorA(module, MAKEINTRESOURCEA(IDC_TOOLBAR_CURSOR_NORMAL));
    g_toolBar.DragCursor = LoadCursorA(module, MAKEINTRESOURCEA(IDC_TOOLBAR_CURSOR_DRAG));
    g_toolBar.BigIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_TOOLBAR), IMAGE_ICON, 32, 32, 0);
    g_toolBar.SmallIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_TOOLBAR), IMAGE_ICON, 16, 16, 0);
    memset(g_toolBar.Pressed, 0, sizeof(g_toolBar.Pressed));
    LoadToolBarSetting(&g_toolBar.File, IniPath(), DesktopSize(), g_toolBar.MenuTable);
    g_toolBar.Initialized = 1;
}

}  // namespace

const PlugInDescription* ThisPlugIn()
{
    return &kDescriptionOfPlugIn;
}

ToolBarShape CurrentShape()
{
    const ToolBarSetting& s = Settings();
    return {s.ShowIcon, s.Vertical, s.ButtonSize, s.ButtonSpace};
}

int SaveToolBarSetting()
{
    const char* path = IniPath();
    return path ? SaveToolBarFile(&g_toolBar.File, path, DesktopSize(), g_toolBar.MenuTable) : 0;
}

void ShowToolBarHelp(HWND owner, const char* topic)
{
    AppInfo* info = g_toolBar.Info;
    if (!info || !info->GetProgramDir())
        return;
    char file[MAX_PATH];
    snprintf(file, sizeof(file), "%s%s", info->GetProgramDir(), kHelpFile);
    info->ShowHelp(owner, file, topic);
}

void RefreshToolBar()
{
    if (g_toolBar.Bar)
        PostMessageA(g_toolBar.Bar, WM_TOOLBAR_REFRESH, 0, 0);
}

extern "C" {

TOOLBAR_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)

int ToolBarAutoStart(HWND calendar)
{
    InitToolBarPlugIn();
    if (Settings().AutoStart == 1)
        ToolBarStart(calendar);
    return 1;
}

int ToolBarStart(HWND calendar)
{
    if (!g_toolBar.Initialized)
        InitToolBarPlugIn();
    g_toolBar.Calendar = calendar;
    // A bar still being made counts as shown: a quick second start closes it rather than making another.
    if (ToolBarThreadRuns()) {
        ToolBarClose();
        return 1;
    }
    // A bar that closed itself leaves its thread's handle to let go of.
    ToolBarClose();
    return StartToolBarThread() ? 1 : 0;
}

// Told first, so that a thread still making its bar ends it as soon as it exists; then a bar that exists stores
// its place and closes. Its thread ends within moments; the wait answers what that thread sends this one.
int ToolBarClose(void)
{
    InterlockedExchange(&g_toolBar.Ending, 1);
    DWORD start = GetTickCount();
    HWND bar = g_toolBar.Bar;
    if (bar && IsWindow(bar))
        SendMessageTimeoutA(bar, WM_COMMAND, IDM_TOOLBAR_CLOSE, 0, SMTO_NORMAL, kCloseWaitMs, nullptr);
    HANDLE thread = g_toolBar.Thread;
    if (thread) {
        DWORD spent = GetTickCount() - start;
        if (!WaitAnsweringSends(thread, spent < kCloseWaitMs ? kCloseWaitMs - spent : 0))
            Trace("toolbar: the bar's thread did not end within %lu ms", kCloseWaitMs);
        CloseHandle(thread);
        g_toolBar.Thread = nullptr;
    }
    g_toolBar.Bar = nullptr;
    return 1;
}

int ToolBarSet(HWND owner)
{
    if (!g_toolBar.Initialized)
        InitToolBarPlugIn();
    RunToolBarSettings(owner);
    return 1;
}

int ToolBarGetWindowPos(int* position)
{
    if (!position)
        return 0;
    RECT rect = {};
    HWND bar = g_toolBar.Bar;
    if (bar && GetWindowRect(bar, &rect)) {
        position[0] = rect.left;
        position[1] = rect.top;
    } else {
        position[0] = position[1] = 0;
    }
    return 1;
}

int ToolBarSetWindowPos(int x, int y)
{
    HWND bar = g_toolBar.Bar;
    if (!bar || Settings().Attach != 1)
        return 1;
    MoveToolBar(bar, x, y);
    Settings().WindowX = x;
    Settings().WindowY = y;
    SaveToolBarSetting();
    return 1;
}

int LxStart(HWND reference)
{
    return ToolBarStart(reference);
}

int LxSet(HWND owner)
{
    return ToolBarSet(owner);
}

// A rebuilt menu renumbers the plug-in items: the plug-in buttons find their entries again by file name.
int LxSetPlugInMenu(PlugInMenuItem* table)
{
    memset(g_toolBar.MenuTable, 0, sizeof(g_toolBar.MenuTable));
    if (table)
        memcpy(g_toolBar.MenuTable, table, sizeof(g_toolBar.MenuTable));
    if (g_toolBar.Initialized) {
        ResolveToolBarButtons(g_toolBar.File.Buttons, g_toolBar.MenuTable);
        CheckToolBarButtons(g_toolBar.File.Buttons);
        RefreshToolBar();
    }
    return 1;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_toolBar.Module = module;
        setlocale(LC_ALL, "jpn");
    } else if (reason == DLL_PROCESS_DETACH) {
        // The bar's thread holds the module while it runs, so no bar is left by now; the help windows close with
        // the application information.
        if (g_toolBar.Info) {
            delete g_toolBar.Info;
            g_toolBar.Info = nullptr;
        }
    }
    return TRUE;
}
