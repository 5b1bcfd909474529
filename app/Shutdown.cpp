// What the program does after its message loop (and when start-up gives up): releasing everything in a fixed order,
// then handing a pending update to the update tool and starting again when a restart was asked for.
#include "Program.h"

#include <stdio.h>

#include "AppInfo.h"
#include "CalendarRenderParts.h"
#include "CalendarToolTips.h"
#include "ContextMenu.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "MainWindow.h"
#include "Memo.h"
#include "MemorialDays.h"
#include "ModuleBinding.h"
#include "NameSets.h"
#include "PlugInHost.h"
#include "SingleInstance.h"
#include "Updater.h"

namespace {

const char kProgramFiles[] = "Daylens.exe\0";
const char kPlugInFiles[] = "PlugIn64\\DaylensMiniMemo.chm\0";
const char kProgramSource[] = DAYLENS_UPDATE_SITE "/sources/Daylens64";
const char kPlugInSource[] = DAYLENS_UPDATE_SITE "/sources";
const char kRestartWord[] = "restart";

template <typename T>
void FreeHeapText(T*& text)
{
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    text = nullptr;
}

void ReleaseWindowParts(EnvData* env)
{
    HWND window = env->MainWindow && IsWindow(env->MainWindow) ? env->MainWindow : nullptr;
    if (window) {
        static const UINT_PTR kTimers[] = {TIMER_TICK, TIMER_DRAG_STEP, TIMER_FADE_OUT, TIMER_FADE_IN,
                                           TIMER_DAY_CHANGE};
        for (UINT_PTR timer : kTimers)
            KillTimer(window, timer);
    }
    RemoveTrayIcon();
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    env->MemoryDC = nullptr;
    env->BackBitmap = nullptr;
    FreeDayMemoLookups();
    // The window owns its region and deletes it when it lets go of it, or when it was destroyed.
    if (window && env->WindowRegion)
        SetWindowRgn(window, nullptr, FALSE);
    env->WindowRegion = nullptr;
}

void FreeHolidays()
{
    FreeHolidayList(g_program.Holidays, (int)g_program.HolidayCount);
    FreeHolidayList(g_program.MyHolidays, (int)g_program.MyHolidayCount);
    g_program.Holidays = g_program.MyHolidays = nullptr;
    g_program.HolidayCount = g_program.MyHolidayCount = 0;
    FreeHeapText(g_program.MyHolidayPath);
}

void FreeNamesAndPaths()
{
    SettingsFile& settings = g_program.Settings;
    if (settings.MonthUserNames)
        FreeUserNames(settings.MonthUserNames, MONTH_USER_NAME_COUNT);
    if (settings.WeekUserNames)
        FreeUserNames(settings.WeekUserNames, WEEK_USER_NAME_COUNT);
    FreeHeapText(g_program.IniPath);
    FreeHeapText(g_program.PlugInDir);
    // The day cells, user marks, user name lists, remembered wallpaper and hour-alarm file go with the record.
}

// What must not outlast the program even while the memo watcher holds on: the tray icon and the single-instance
// mutex (a restart starts a new instance at once).
void LeaveForRunningWatcher()
{
    RemoveTrayIcon();
    if (g_program.Info)
        g_program.Info->HelpUninitialize();
    if (g_program.InstanceMutex)
        CloseSingleInstanceMutex(g_program.InstanceMutex);
    g_program.InstanceMutex = nullptr;
}

}  // namespace

void ShutdownApplication()
{
    // The plug-ins first: their threads may still read the record and the memo settings.
    if (!ShutdownPlugIns()) {
        // The memo watcher still runs and reads the record, the memos, the memorial days and the holidays: they
        // stay until the process ends. Only what the user would lose is handled.
        LeaveForRunningWatcher();
        return;
    }
    EnvData* env = g_program.Env;
    if (env)
        DropToolTips(env);
    ShutdownMemo();
    FreeMemorialDays();
    if (env) {
        DestroyContextMenu(env);
        ReleaseWindowParts(env);
    } else {
        RemoveTrayIcon();
    }
    FreeHolidays();
    FreeNamesAndPaths();
    ImageDllAcquire(0);
    if (env) {
        delete env->BackPicture;
        env->BackPicture = nullptr;
    }
    if (g_program.Info)
        g_program.Info->HelpUninitialize();
    if (g_program.InstanceMutex)
        CloseSingleInstanceMutex(g_program.InstanceMutex);
    g_program.InstanceMutex = nullptr;
    if (g_program.Accelerators)
        DestroyAcceleratorTable(g_program.Accelerators);
    g_program.Accelerators = nullptr;
    ResetProgramIcons(&g_program.Icons, nullptr, {});
    FreeResourceDll();
    delete env;
    g_program.Env = nullptr;
}

int RunUpdateOnExit()
{
    const char* lists[3] = {};
    const char* sources[3] = {};
    int count = 0;
    if (g_program.UpdateProgram == 1) {
        lists[count] = kProgramFiles;
        sources[count++] = kProgramSource;
    }
    if (g_program.UpdatePlugIn == 1) {
        lists[count] = kPlugInFiles;
        sources[count++] = kPlugInSource;
    }
    // Handed over once, also when start-up already did it and the program then ends the usual way.
    g_program.UpdateProgram = 0;
    g_program.UpdatePlugIn = 0;
    // The calendar window is gone by now: the tool gets no window to close.
    if (count > 0)
        StartUpdater(nullptr, lists, sources, DAYLENS_UPDATE_FILE, 1, 1);
    return 1;
}

int StartProgramAgain(const char* path, const char* folder)
{
    if (!path)
        return 0;
    return (INT_PTR)ShellExecuteA(nullptr, "open", path, kRestartWord, folder, SW_SHOWNORMAL) > 32 ? 1 : 0;
}

int RestartOnExit()
{
    if (g_program.Restart != 1)
        return 1;
    g_program.Restart = 0;
    char* path = nullptr;
    char* folder = nullptr;
    GetModulePathParts(&path, &folder, nullptr);
    StartProgramAgain(path, folder);
    FreeHeapText(path);
    FreeHeapText(folder);
    return 1;
}
