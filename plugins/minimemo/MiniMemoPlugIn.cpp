// The mini-memo plug-in's entry: what its start readies and its close lets go, its answers to the shared plug-in
// exports and its own exports. The host starts the memo window right after it loads the plug-in.
#include <locale.h>
#include <stdio.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "MiniMemoIds.h"
#include "MiniMemoModule.h"
#include "MiniMemoSettingsDialog.h"
#include "MiniMemoState.h"
#include "MiniMemoWindow.h"
#include "PlugInInterface.h"

namespace {

const char* const kJapaneseItems[] = {"ミニメモ表示", "ミニメモ設定"};
const char* const kEnglishItems[] = {"MiniMemo Show", "MiniMemo Set"};
const int kItemCount = 2;
const int kVersion = 104;
const int kMinorVersion = 0;
const char kProgramName[] = "DaylensMiniMemo";
const char kDescription[] = "ミニメモプラグイン DaylensMiniMemo";
const int kCursorIds[MINIMEMO_CURSOR_COUNT] = {
    IDC_MINIMEMO_CURSOR_NORMAL, IDC_MINIMEMO_CURSOR_MOVE, IDC_MINIMEMO_CURSOR_SIZEWE,
    IDC_MINIMEMO_CURSOR_SIZENS, IDC_MINIMEMO_CURSOR_SIZENWSE, IDC_MINIMEMO_CURSOR_SIZENESW,
};

// What loading the plug-in readies (its names, settings, holidays and menu) is made at the first call that needs
// it, never while the library is being loaded, and let go at the host's close.
SRWLOCK s_readyLock = SRWLOCK_INIT;
bool s_ready = false;

void EnsureMiniMemoPlugIn();

void RunMenu(HWND, int item)
{
    // A running window thread is reached by posting only. "Show" after the memo closed itself starts it again:
    // the calendar's menu is the only way back to a closed memo.
    HWND window = MiniMemoWindow();
    if (item == 0 && !MiniMemoRuns()) {
        EnsureMiniMemoPlugIn();
        StartMiniMemo(nullptr);
    } else if (window) {
        PostMessageA(window, WM_COMMAND, item == 0 ? IDM_MINIMEMO_SHOW : IDM_MINIMEMO_SETTINGS, 0);
    }
}

void Activate()
{
    HWND window = MiniMemoWindow();
    if (window && IsWindow(window))
        SetForegroundWindow(window);
}

int CloseAndLetGo();

void Close()
{
    CloseAndLetGo();
}

const PlugInDescription kPlugIn = {
    kJapaneseItems, kEnglishItems, kItemCount, kVersion, kMinorVersion, 0, DAYLENS_MAKER, RunMenu, Activate, Close,
};

void LoadImages(HINSTANCE module)
{
    for (int i = 0; i < MINIMEMO_CURSOR_COUNT; i++)
        g_miniMemo.Cursors[i] = (HCURSOR)LoadImageA(module, MAKEINTRESOURCEA(kCursorIds[i]), IMAGE_CURSOR, 32, 32, 0);
    g_miniMemo.BigIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_MINIMEMO), IMAGE_ICON, 32, 32, 0);
    g_miniMemo.SmallIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_MINIMEMO), IMAGE_ICON, 16, 16, 0);
}

void InitMiniMemoPlugIn()
{
    setlocale(LC_ALL, "jpn");
    MiniMemoPlugIn& m = g_miniMemo;
    m.Info = new AppInfo();
    m.Info->SetNames(kProgramName, kDescription, MINIMEMO_WINDOW_CLASS, kVersion, kMinorVersion, 0, DAYLENS_MAKER,
                     DAYLENS_YEARS, PLUGIN_RELEASE_DATE, nullptr);
    m.IniPath = m.Info->GetIniPath(1);
    LoadImages(m.Module);
    LoadMiniMemoSettings(&m.Settings, &m.Store, m.IniPath);
    char holidays[MAX_PATH];
    snprintf(holidays, sizeof(holidays), "%s%s.txt", m.Info->GetProgramDir() ? m.Info->GetProgramDir() : "",
             "Holiday");
    m.Holidays = LoadHoliday(0, holidays, &m.HolidayCount);
    if (!m.Holidays)
        m.HolidayCount = 0;
    BuildMiniMemoMenu();
}

void ExitMiniMemoPlugIn()
{
    MiniMemoPlugIn& m = g_miniMemo;
    if (m.Info) {
        m.Info->ShowHelp(nullptr, nullptr, nullptr);
        delete m.Info;
    }
    m.Info = nullptr;
    m.IniPath = nullptr;
    if (m.Menu)
        DestroyMenu(m.Menu);
    m.Menu = nullptr;
    FreeHolidayList(m.Holidays, (int)m.HolidayCount);
    m.Holidays = nullptr;
    m.HolidayCount = 0;
}

void EnsureMiniMemoPlugIn()
{
    AcquireSRWLockExclusive(&s_readyLock);
    if (!s_ready)
        InitMiniMemoPlugIn();
    s_ready = true;
    ReleaseSRWLockExclusive(&s_readyLock);
}

// The host's close before it unloads: the window ends (saving the settings) and, once no window thread is left to
// use them, what the start readied goes. Nothing was readied when nothing was started.
int CloseAndLetGo()
{
    AcquireSRWLockShared(&s_readyLock);
    bool ready = s_ready;
    ReleaseSRWLockShared(&s_readyLock);
    if (!ready || !CloseMiniMemo())
        return 1;
    AcquireSRWLockExclusive(&s_readyLock);
    if (s_ready)
        ExitMiniMemoPlugIn();
    s_ready = false;
    ReleaseSRWLockExclusive(&s_readyLock);
    return 1;
}

}  // namespace

extern "C" {
MINIMEMO_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

const PlugInDescription* ThisPlugIn()
{
    return &kPlugIn;
}

extern "C" {

int MiniMemoStart(HWND reference)
{
    EnsureMiniMemoPlugIn();
    return StartMiniMemo(reference);
}

int MiniMemoSet(void)
{
    EnsureMiniMemoPlugIn();
    ShowMiniMemoSettingsDialog(MiniMemoWindow());
    return 1;
}

int MiniMemoClose(void)
{
    return CloseAndLetGo();
}

int MiniMemoRedraw(void)
{
    return RedrawMiniMemoWindow();
}

int LxStart(HWND reference)
{
    return MiniMemoStart(reference);
}

int LxSet(HWND)
{
    return MiniMemoSet();
}

// Only the module is kept: the host starts the memo (MiniMemoStart) once the library is loaded.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        g_miniMemo.Module = instance;
    }
    return TRUE;
}

}  // extern "C"

MINIMEMO_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)
