// Page " その他 ": own holidays per user, keeping the window on the screen, fixed position, z-order, power menu,
// delayed start, round buttons, drawing into the wallpaper, the hourly sound, the Startup-folder shortcut and the
// version line.
#include "SettingsDialog.h"

#include <shlobj.h>
#include <stdio.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "FileDialogs.h"
#include "HeapUtil.h"
#include "PageButtons.h"
#include "Program.h"
#include "RuntimeCalls.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsToolTips.h"
#include "Shortcut.h"
#include "UserMessage.h"

namespace {

const int kDelayMax = 1800;
const size_t kVersionLineSize = 512;
const size_t kHourAlarmSize = 1024;
const char kSoundTitle[] = "時報ファイルを選択";
const char kSoundFilter[] = "音声ファイル\0*.wav\0";
const char kAddedToStartup[] = "スタートアップに登録しました";
const char kRemovedFromStartup[] = "スタートアップから削除しました";

struct CheckField {
    int Id;
    int EnvData::*Field;
};

const CheckField kChecks[] = {
    {IDC_ENVOTHER_CHECK_MY_HOLIDAY_USER, &EnvData::MyHolidayIndividual},
    {IDC_ENVOTHER_CHECK_STAY_ON_SCREEN, &EnvData::DenyOutOfDesktop},
    {IDC_ENVOTHER_CHECK_WINDOW_FIX, &EnvData::WindowFix},
    {IDC_ENVOTHER_CHECK_POWER_MENU, &EnvData::UseShutdownMenu},
    {IDC_ENVOTHER_CHECK_DELAYED_START, &EnvData::DelayedStart},
    {IDC_ENVOTHER_CHECK_WALLPAPER, &EnvData::DrawWallPaper},
};

PageFlags s_flags;

const char* AppName()
{
    return g_program.Info ? g_program.Info->GetAppName() : DAYLENS_PROGRAM_NAME;
}

// 1 when "<Startup>\<program name>.lnk" is on disk.
int StartupShortcutExists(HWND page)
{
    char path[MAX_PATH + 64];
    if (!GetSpecialFolderPath(page, path, CSIDL_STARTUP))
        return 0;
    lstrcatA(path, "\\");
    lstrcatA(path, AppName());
    lstrcatA(path, ".lnk");
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

void ShowVersionLine(HWND page)
{
    char line[kVersionLineSize];
    AppInfo* info = g_program.Info;
    snprintf(line, sizeof(line), "%s %s on %s (%s)", DAYLENS_PROGRAM_NAME, info ? info->GetVersionText() : "",
             info ? info->GetOsName() : "", info ? info->GetReleaseDate() : "");
    SetDlgItemTextA(page, IDC_ENVOTHER_LABEL_VERSION, line);
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    for (const CheckField& check : kChecks)
        SetCheck(page, check.Id, work->*check.Field);
    SetCheck(page, IDC_ENVOTHER_CHECK_TOPMOST, work->WindowOrder == 1);
    SetCheck(page, IDC_ENVOTHER_CHECK_BOTTOMMOST, work->WindowOrder == 2);
    SetCheck(page, IDC_ENVOTHER_CHECK_ROUND_BUTTONS, work->ButtonStyle == 2);
    ShowUpDownNumber(page, IDC_ENVOTHER_EDIT_DELAY, IDC_ENVOTHER_SPIN_DELAY, 0, kDelayMax, work->DelayedStartTime);
    SetDlgItemTextA(page, IDC_ENVOTHER_EDIT_HOUR_ALARM, work->HourAlarm ? work->HourAlarm : "");
    SetCheck(page, IDC_ENVOTHER_CHECK_STARTUP, StartupShortcutExists(page));
    ShowVersionLine(page);
    s_flags.Initialised = 1;
    SetOtherToolTips(page, 1);
    return TRUE;
}

// The shortcut is made or removed at once, whatever the dialog's outcome; the box then shows what is on disk.
void OnStartup(HWND page)
{
    AppInfo* info = g_program.Info;
    if (IsChecked(page, IDC_ENVOTHER_CHECK_STARTUP)) {
        if (CreateStartupShortcut(AppName(), info ? info->GetDescription() : "", info ? info->GetProgramDir() : "") ==
            1)
            TellUser(page, kAddedToStartup, MB_OK | MB_ICONINFORMATION);
    } else if (DeleteStartupShortcut(AppName()) == 1) {
        TellUser(page, kRemovedFromStartup, MB_OK | MB_ICONINFORMATION);
    }
    SetCheck(page, IDC_ENVOTHER_CHECK_STARTUP, StartupShortcutExists(page));
}

void BrowseSound(HWND page)
{
    char path[MAX_PATH] = "";
    GetDlgItemTextA(page, IDC_ENVOTHER_EDIT_HOUR_ALARM, path, sizeof(path));
    if (OpenFileDialog(page, kSoundTitle, path, kSoundFilter, nullptr) != 1)
        return;
    SetDlgItemTextA(page, IDC_ENVOTHER_EDIT_HOUR_ALARM, path);
    PlaySoundFile(path);
}

void StoreHourAlarm(HWND page, EnvData* work)
{
    char text[kHourAlarmSize] = "";
    GetDlgItemTextA(page, IDC_ENVOTHER_EDIT_HOUR_ALARM, text, sizeof(text));
    work->HourAlarm = StrReplaceHeap(work->HourAlarm, text);
}

void OnWindowOrder(HWND page, EnvData* work, int id)
{
    int other = id == IDC_ENVOTHER_CHECK_TOPMOST ? IDC_ENVOTHER_CHECK_BOTTOMMOST : IDC_ENVOTHER_CHECK_TOPMOST;
    if (IsChecked(page, id)) {
        SetCheck(page, other, 0);
        work->WindowOrder = id == IDC_ENVOTHER_CHECK_TOPMOST ? 1 : 2;
    } else {
        work->WindowOrder = 0;
    }
    s_flags.Changed = 1;
}

void OnDelay(HWND page, EnvData* work)
{
    int seconds;
    if (!ReadEditCount(page, IDC_ENVOTHER_EDIT_DELAY, &seconds) || seconds == work->DelayedStartTime)
        return;
    work->DelayedStartTime = seconds;
    s_flags.Changed = 1;
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    if (id == SETTINGS_PAGE_STORE) {
        if (work)
            StoreHourAlarm(page, work);
        s_flags.Changed = 0;
        return true;
    }
    if (!work)
        return false;
    for (const CheckField& check : kChecks) {
        if (check.Id != id)
            continue;
        work->*check.Field = IsChecked(page, id);
        s_flags.Changed = 1;
        return true;
    }
    switch (id) {
    case IDC_ENVOTHER_CHECK_TOPMOST:
    case IDC_ENVOTHER_CHECK_BOTTOMMOST: OnWindowOrder(page, work, id); return true;
    case IDC_ENVOTHER_CHECK_ROUND_BUTTONS:
        work->ButtonStyle = IsChecked(page, id) ? 2 : 1;
        s_flags.Changed = 1;
        RedrawWindow(GetParent(page), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return true;
    case IDC_ENVOTHER_EDIT_DELAY:
        if (code == EN_CHANGE && s_flags.Initialised)
            OnDelay(page, work);
        return true;
    case IDC_ENVOTHER_BTN_BROWSE: BrowseSound(page); return true;
    case IDC_ENVOTHER_CHECK_STARTUP: OnStartup(page); return true;
    case IDC_ENVOTHER_EDIT_HOUR_ALARM: return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvOtherProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
