// The calendar's commands, from the menus, the toolbar, the keyboard and other windows, routed by number range.
#include "MainWindow.h"

#include <stdio.h>

#include "AppInfo.h"
#include "CalendarRender.h"
#include "ContextMenu.h"
#include "DayMemoWindow.h"
#include "EnvData.h"
#include "LanguageModule.h"
#include "MainWindowRules.h"
#include "Memo.h"
#include "MemoSettingsDialog.h"
#include "MemorialDialog.h"
#include "ModuleBinding.h"
#include "OutsideHooks.h"
#include "PeriodMemoWindow.h"
#include "PlugInHost.h"
#include "ToolBarModule.h"
#include "Program.h"
#include "SettingsDialog.h"
#include "Updater.h"
#include "UserMessage.h"
#include "VersionDialog.h"
#include "Wallpaper.h"

namespace {

const int kAboutTemplate = 100;
const char kNoUpdater[] = "LxUpdateがありません";
const char kNoMemory[] = "メモリが足りません";

void Exit(HWND window)
{
    SendMessageA(window, WM_CLOSE, 0, 0);
}

void ShowVersion(HWND window)
{
    HMODULE module = ResourceDllAcquire(1);
    if (module)
        ShowAboutBox(module, kAboutTemplate, window, ProgramIcon(PROGRAM_ICON_LARGE), ProgramIcon(PROGRAM_ICON_SMALL),
                     nullptr, g_program.Info, 1);
    ResourceDllAcquire(0);
}

// The new order and use flags take effect at the next start: "設定" saves them and starts the program again;
// "アップデート" has posted the plug-in update, which restarts the program after it.
void ShowPlugInInformation(HWND window, EnvData* env)
{
    HMODULE module = ResourceDllAcquire(1);
    auto dialog = FindExport(module, LanguageModule::kShowPlugInDlg);
    int result = dialog ? dialog(window, env, g_program.PlugInSlots) : 0;
    ResourceDllAcquire(0);
    if (result != 1 && result != 4)
        return;
    FindNamedPlugIns(env);
    if (result == 1) {
        g_program.Restart = 1;
        Exit(window);
    }
}

// The dialog's template is the language module's; the dialog holds the module itself while it is open.
void ShowSettings(HWND window)
{
    if (ResourceDllAcquire(1))
        ShowSettingsDialog(window);
    ResourceDllAcquire(0);
}

void ShowMemorialSettings(HWND window, EnvData* env)
{
    HMODULE module = ResourceDllAcquire(1);
    if (module)
        ShowMemorialDialog(module, window, env, g_program.Info, g_program.IniPath, ProgramIcon(PROGRAM_ICON_LARGE),
                           ProgramIcon(PROGRAM_ICON_SMALL));
    ResourceDllAcquire(0);
}

// A saved list is kept in memory and drawn; the mark style is among the settings.
void ShowMyHolidays(HWND window, EnvData* env)
{
    HMODULE module = ResourceDllAcquire(1);
    auto dialog = FindExport(module, LanguageModule::kSetHolidayDlg);
    if (dialog && g_program.MyHolidayPath &&
        dialog(window, HOLIDAY_LIST_OWN, env, &g_program.MyHolidays, &g_program.MyHolidayCount,
               &env->MyHolidayStyle, &env->ClickedDate, g_program.MyHolidayPath) == 1) {
        SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
        RefreshCalendar(0);
    }
    ResourceDllAcquire(0);
}

void AddMemorialDay(HWND window, EnvData* env)
{
    HMODULE module = ResourceDllAcquire(1);
    if (module && EditMemorialDays(window, module, env, g_program.IniPath, g_program.Info->GetAppName())) {
        SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
        RefreshCalendar(0);
    }
    ResourceDllAcquire(0);
}

void ShowMemoSettings(HWND window, EnvData* env)
{
    HMODULE module = ResourceDllAcquire(1);
    if (module)
        ShowMemoSettingsDialog(module, window, env, g_program.Info, g_program.IniPath, ProgramIcon(PROGRAM_ICON_LARGE),
                               ProgramIcon(PROGRAM_ICON_SMALL));
    ResourceDllAcquire(0);
}

// The day-memo window for the clicked day, or today when no day was clicked.
void ShowDayMemo(HWND window, EnvData* env)
{
    const SYSTEMTIME& day = IsDaySet(&env->ClickedDate) ? env->ClickedDate : env->Today;
    g_memoSettings.MemoYear = day.wYear;
    g_memoSettings.MemoMonth = day.wMonth;
    g_memoSettings.MemoDay = day.wDay;
    HMODULE module = ResourceDllAcquire(1);
    if (module)
        ShowDayMemoWindow(module, window, env, g_program.Info, ProgramIcon(PROGRAM_ICON_LARGE),
                          ProgramIcon(PROGRAM_ICON_SMALL));
    ResourceDllAcquire(0);
}

// The period memo window around the clicked day, or today when no day was clicked; nothing while it is open.
void ShowPeriodMemo(HWND window, EnvData* env)
{
    if (g_memoSettings.PeriodWindow)
        return;
    const SYSTEMTIME& day = IsDaySet(&env->ClickedDate) ? env->ClickedDate : env->Today;
    g_memoSettings.MemoYear = day.wYear;
    g_memoSettings.MemoMonth = day.wMonth;
    g_memoSettings.MemoDay = day.wDay;
    HMODULE module = ResourceDllAcquire(1);
    if (module)
        ShowPeriodMemoWindow(module, window, env, g_program.Info, ProgramIcon(PROGRAM_ICON_LARGE),
                             ProgramIcon(PROGRAM_ICON_SMALL));
    ResourceDllAcquire(0);
}

// The dialog edits a copy of the live list, which then replaces the live one whole: the list is never freed under
// a reader on another thread. The dialog's own redraw came before the swap, so the calendar is drawn again.
void EditRepeatMemos(HWND window, EnvData* env, LanguageModule::RepeatMemoDlg dialog)
{
    RepeatMemoList edited;
    if (!CopyRepeatMemoList(&g_repeatMemos, &edited)) {
        TellUser(window, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (dialog(window, env, &g_memoSettings, &edited.Records, edited.Texts, &edited.Count) == 1) {
        ReplaceRepeatMemos(&edited);
        RefreshCalendar(0);
    }
    FreeRepeatMemoList(&edited);
}

void ShowRepeatMemos(HWND window, EnvData* env)
{
    HMODULE module = ResourceDllAcquire(1);
    auto dialog = FindExport(module, LanguageModule::kRepeatMemoDlg);
    if (dialog)
        EditRepeatMemos(window, env, dialog);
    ResourceDllAcquire(0);
}

// The update tool does the update after the program has ended (RunUpdateOnExit).
void StartUpdate(HWND window, int program, int plugIns)
{
    if (!IsUpdaterAvailable()) {
        TellUser(window, kNoUpdater, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (program)
        g_program.UpdateProgram = 1;
    if (plugIns)
        g_program.UpdatePlugIn = 1;
    SendMessageA(window, WM_COMMAND, IDM_EXIT, 0);
}

// A start with "walldown" draws onto the wallpaper set now; otherwise the user's own wallpaper is put back first.
void MakeWallpaper(EnvData* env)
{
    if (env->WallpaperModeAtStart != 1)
        RestoreWallpaper();
    ComposeCalendarWallpaper();
}

void ShowHelp(HWND window)
{
    g_program.Info->ShowProgramHelp(window, HELP_TOPIC_MAIN);
}

void MoveToInitialPosition(HWND window, EnvData* env)
{
    ApplyZOrder(window, env, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    auto setPos = FindExport(env->ToolBarModule, ToolBarModule::kToolBarSetWindowPos);
    if (setPos)
        setPos(0, 0);
}

void ChangePlacement(HWND window, EnvData* env, int command)
{
    if (command == IDM_WINDOW_FIX) {
        env->WindowFix = env->WindowFix == 1 ? 0 : 1;
    } else {
        env->WindowOrder = (BYTE)NextWindowOrder(command, env->WindowOrder);
        ApplyZOrder(window, env, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    RefreshContextMenuChecks(env);
    SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
}

// 501-535: the menu's own commands; 0 when command is none of them.
int OnMenuCommand(HWND window, EnvData* env, int command)
{
    if (StepShownMonth(command, &env->ShownMonth, &env->Today)) {
        RefreshCalendar(0);
        return 1;
    }
    switch (command) {
    case IDM_VERSION: ShowVersion(window); return 1;
    case IDM_UPDATE: StartUpdate(window, 1, 0); return 1;
    case IDM_UPDATE_ALL: StartUpdate(window, 1, 1); return 1;
    case IDM_PLUGIN_UPDATE: StartUpdate(window, 0, 1); return 1;
    case IDM_HELP: ShowHelp(window); return 1;
    case IDM_MEMO_SETTINGS: ShowMemoSettings(window, env); return 1;
    case IDM_DAY_MEMO: ShowDayMemo(window, env); return 1;
    case IDM_PERIOD_MEMO: ShowPeriodMemo(window, env); return 1;
    case IDM_MEMORIAL: ShowMemorialSettings(window, env); return 1;
    case IDM_REPEAT_MEMO: ShowRepeatMemos(window, env); return 1;
    case IDM_INITIAL_POSITION: MoveToInitialPosition(window, env); return 1;
    case IDM_EXIT: Exit(window); return 1;
    case IDM_WINDOW_FIX:
    case IDM_TOPMOST:
    case IDM_BOTTOMMOST: ChangePlacement(window, env, command); return 1;
    case IDM_PLUGIN_ACTIVATE: ActivatePlugIns(); return 1;
    case IDM_MY_HOLIDAY: ShowMyHolidays(window, env); return 1;
    case IDM_MEMORIAL_ADD: AddMemorialDay(window, env); return 1;
    case IDM_PLUGIN_INFO: ShowPlugInInformation(window, env); return 1;
    case IDM_SETTINGS: ShowSettings(window); return 1;
    case IDM_WALLPAPER: MakeWallpaper(env); return 1;
    case IDM_WALLPAPER_EXIT:
        MakeWallpaper(env);
        Sleep(1000);
        SendMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        return 1;
    }
    if (command >= IDM_SHUTDOWN && command <= IDM_LOGOFF) {
        SendMessageA(window, WM_COMMAND, (WPARAM)(IDM_POWER_FIRST + command - IDM_SHUTDOWN), 0);
        return 1;
    }
    return 0;
}

// 901-903: redraw and save for other windows.
int OnProgramCommand(EnvData* env, int command)
{
    if (command == IDM_REDRAW)
        RefreshCalendar(0);
    else if (command == IDM_SAVE)
        SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
    else if (command != IDM_NOTHING)
        return 0;
    return 1;
}

// The plug-ins' own items, the power plug-in's and the launcher's.
int OnPlugInCommand(HWND window, EnvData* env, int command)
{
    if (command >= IDM_PLUGIN_FIRST && command <= IDM_PLUGIN_LAST)
        return env ? RunPlugInCommand(window, env, command) : 1;
    if (command >= IDM_POWER_FIRST && command <= IDM_POWER_LAST)
        return RunPowerCommand(window, env, command);
    if (command == IDM_LAUNCHER_OPEN || command == IDM_LAUNCHER_SETTINGS ||
        (command >= IDM_LAUNCHER_FIRST && command <= IDM_LAUNCHER_LAST))
        return RunLauncherCommand(window, env, command);
    return 0;
}

}  // namespace

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    EnvData* env = g_program.Env;
    int command = LOWORD(wParam);
    int handled = 0;
    if (env && command >= IDM_SETTINGS && command <= IDM_MEMORIAL_ADD)
        handled = OnMenuCommand(window, env, command);
    else if (env && command >= IDM_REDRAW && command <= IDM_NOTHING)
        handled = OnProgramCommand(env, command);
    else
        handled = OnPlugInCommand(window, env, command);
    return handled ? 0 : DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}
