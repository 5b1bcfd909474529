// The toolbar plug-in's entry, its exports and its start: the shared plug-in exports answered from its
// description, and the bar's own exports, which the host calls on its thread.
#include "ToolBarPlugIn.h"

#include <locale.h>
#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "PlugInInterface.h"
#include "HeapUtil.h"
#include "StrUtil.h"
#include "ToolBarModule.h"

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
    HWND bar = ToolBarWindow();
    if (item == 0)
        ToolBarStart(calendar);
    else if (item == 1 && bar)
        PostMessageA(bar, WM_COMMAND, IDM_TOOLBAR_SETTINGS, 0);
}

void Activate()
{
    HWND bar = ToolBarWindow();
    if (bar && IsWindow(bar))
        SetForegroundWindow(bar);
}

// The host's close before it unloads the plug-in; the help viewer is shut down here, not under the loader's lock.
void Close()
{
    ToolBarClose();
    if (g_toolBar.Info)
        g_toolBar.Info->HelpUninitialize();
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
    // Read apart and put in place whole: a settings dialog of the host's may be reading the live record.
    ToolBarFile* file = (ToolBarFile*)AllocZeroed(sizeof(ToolBarFile));
    PlugInMenuItem* table = CopyToolBarMenuTable();
    if (file && table && LoadToolBarSetting(file, IniPath(), DesktopSize(), table)) {
        ToolBarLock lock(true);
        g_toolBar.File = *file;
    }
    if (file)
        HeapFree(GetProcessHeap(), 0, file);
    if (table)
        HeapFree(GetProcessHeap(), 0, table);
    g_toolBar.Initialized = 1;
}

}  // namespace

const PlugInDescription* ThisPlugIn()
{
    return &kDescriptionOfPlugIn;
}

ToolBarLock::ToolBarLock(bool exclusive) : LockHold(&g_toolBar.Lock, exclusive)
{
}

ToolBarSetting CopyToolBarSetting()
{
    ToolBarLock lock(false);
    return g_toolBar.File.Setting;
}

void SetToolBarPlace(int x, int y)
{
    ToolBarLock lock(true);
    g_toolBar.File.Setting.WindowX = x;
    g_toolBar.File.Setting.WindowY = y;
}

PlugInMenuItem* CopyToolBarMenuTable()
{
    PlugInMenuItem* copy = (PlugInMenuItem*)AllocZeroed(sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
    if (!copy)
        return nullptr;
    ToolBarLock lock(false);
    if (g_toolBar.MenuTable)
        memcpy(copy, g_toolBar.MenuTable, sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
    return copy;
}

void TakeToolBarView(ToolBarView* view)
{
    {
        ToolBarLock lock(false);
        view->Setting = g_toolBar.File.Setting;
        view->BalloonTip = g_toolBar.File.BalloonTip;
        memcpy(view->Records, g_toolBar.File.Buttons, sizeof(view->Records));
        for (int i = 0; i < TOOLBAR_RECORD_COUNT; i++)
            SafeStrCpy(view->Names[i], sizeof(view->Names[i]),
                       ToolBarFunctionName(&g_toolBar.File.Buttons[i], g_toolBar.MenuTable));
    }
    view->Count = CheckToolBarButtons(view->Records);
    const ToolBarSetting& s = view->Setting;
    LayoutToolBarCells(view->Records, {s.ShowIcon, s.Vertical, s.ButtonSize, s.ButtonSpace});
}

// The section is written from a copy, the plug-in buttons named as the table names them now.
int SaveToolBarSetting()
{
    const char* path = IniPath();
    ToolBarFile* file = path ? (ToolBarFile*)AllocZeroed(sizeof(ToolBarFile)) : nullptr;
    if (!file)
        return 0;
    {
        ToolBarLock lock(false);
        *file = g_toolBar.File;
        for (int i = 0; i < TOOLBAR_RECORD_COUNT; i++)
            SafeStrCpy(file->Buttons[i].Function, sizeof(file->Buttons[i].Function),
                       ToolBarFunctionName(&g_toolBar.File.Buttons[i], g_toolBar.MenuTable));
    }
    int saved = SaveToolBarFile(file, path, DesktopSize(), nullptr);
    HeapFree(GetProcessHeap(), 0, file);
    return saved;
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

// One refresh at a time is asked for: a host that changes the table again and again does not fill the bar's queue.
void RefreshToolBar()
{
    HWND bar = ToolBarWindow();
    if (!bar || InterlockedExchange(&g_toolBar.RefreshAsked, 1) != 0)
        return;
    if (!PostMessageA(bar, WM_TOOLBAR_REFRESH, 0, 0))
        InterlockedExchange(&g_toolBar.RefreshAsked, 0);
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
    if (WindowThreadRuns(&g_toolBar.Thread)) {
        ToolBarClose();
        return 1;
    }
    return StartToolBarThread() ? 1 : 0;
}

// The bar stores its place and closes; its thread ends within moments, and the wait answers what it sends.
int ToolBarClose(void)
{
    CloseWindowThread(&g_toolBar.Thread, IDM_TOOLBAR_CLOSE, kCloseWaitMs);
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
    HWND bar = ToolBarWindow();
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
    HWND bar = ToolBarWindow();
    if (!bar || Settings().Attach != 1)
        return 1;
    MoveToolBar(bar, x, y);
    SetToolBarPlace(x, y);
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

// A rebuilt menu renumbers the plug-in items: the plug-in buttons find their entries again by file name. The bar's
// thread may be drawing from the table: the new one takes its place whole, with the buttons, under the lock, and the
// old one is freed once nothing can read it.
int LxSetPlugInMenu(PlugInMenuItem* table)
{
    PlugInMenuItem* copy = (PlugInMenuItem*)AllocZeroed(sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
    if (!copy)
        return 0;
    if (table)
        memcpy(copy, table, sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
    PlugInMenuItem* old = nullptr;
    {
        ToolBarLock lock(true);
        old = g_toolBar.MenuTable;
        g_toolBar.MenuTable = copy;
        if (g_toolBar.Initialized) {
            ResolveToolBarButtons(g_toolBar.File.Buttons, copy);
            CheckToolBarButtons(g_toolBar.File.Buttons);
        }
    }
    if (old)
        HeapFree(GetProcessHeap(), 0, old);
    RefreshToolBar();
    return 1;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_toolBar.Module = module;
        setlocale(LC_ALL, "jpn");
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // The bar's thread holds the module while it runs, so no bar is left by now; the help windows close with
        // the application information.
        delete g_toolBar.Info;
        g_toolBar.Info = nullptr;
        if (g_toolBar.MenuTable)
            HeapFree(GetProcessHeap(), 0, g_toolBar.MenuTable);
        g_toolBar.MenuTable = nullptr;
    }
    return TRUE;
}
