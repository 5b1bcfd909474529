// Page " ツールチップ ": the calendar's day tooltips, their form, width and contents. The memo and memorial flags
// are mirrored with the memo and memorial settings, which keep them in their own sections.
#include "SettingsDialog.h"

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "Memo.h"
#include "MemoSettingsFile.h"
#include "MemorialDays.h"
#include "MemorialSettingsFile.h"
#include "PageButtons.h"
#include "Program.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsToolTips.h"

namespace {

const int kWidthMin = 100;
const int kWidthMax = 999;

struct CheckField {
    int Id;
    int EnvData::*Field;
};

const CheckField kChecks[] = {
    {IDC_ENVTOOLTIP_CHECK_SHOW, &EnvData::ShowToolTip},
    {IDC_ENVTOOLTIP_CHECK_BALLOON, &EnvData::BalloonTip},
    {IDC_ENVTOOLTIP_CHECK_WEEK, &EnvData::ShowWeekTip},
    {IDC_ENVTOOLTIP_CHECK_HOLIDAY, &EnvData::ShowHolidayTip},
    {IDC_ENVTOOLTIP_CHECK_MY_HOLIDAY, &EnvData::ShowMyHolidayTip},
    {IDC_ENVTOOLTIP_CHECK_MEMO, &EnvData::ShowMemoTip},
    {IDC_ENVTOOLTIP_CHECK_REPEAT_MEMO, &EnvData::ShowRepeatMemoTip},
    {IDC_ENVTOOLTIP_CHECK_MEMORIAL, &EnvData::ShowMemorialTip},
    {IDC_ENVTOOLTIP_CHECK_PASSED_DAYS, &EnvData::ShowPassedDays},
    {IDC_ENVTOOLTIP_CHECK_PASSED_WEEKS, &EnvData::ShowPassedWeeks},
    {IDC_ENVTOOLTIP_CHECK_REST_DAYS, &EnvData::ShowRestDays},
};

PageFlags s_flags;

const char* AppName()
{
    return g_program.Info ? g_program.Info->GetAppName() : DAYLENS_PROGRAM_NAME;
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    for (const CheckField& check : kChecks)
        SetCheck(page, check.Id, work->*check.Field);
    ShowUpDownNumber(page, IDC_ENVTOOLTIP_EDIT_WIDTH, IDC_ENVTOOLTIP_SPIN_WIDTH, kWidthMin, kWidthMax,
                     work->ToolTipWidth);
    s_flags.Initialised = 1;
    SetToolTipPageToolTips(page, 1);
    return TRUE;
}

// The memo and memorial records take the two flags at once; each is saved in its own section when its flag
// changed, so that the next start reads it back.
void StoreMirroredFlags(const EnvData* work)
{
    const char* iniPath = g_program.IniPath;
    if (g_memoSettings.MemoShowToolTip != work->ShowMemoTip) {
        g_memoSettings.MemoShowToolTip = work->ShowMemoTip;
        if (iniPath)
            SaveMemoSettings(&g_memoSettings, iniPath, AppName());
    }
    if (g_memorialSettings.MemorialShowToolTip != work->ShowMemorialTip) {
        g_memorialSettings.MemorialShowToolTip = work->ShowMemorialTip;
        if (iniPath)
            SaveMemorialSettings(&g_memorialSettings, iniPath, AppName());
    }
}

void OnWidth(HWND page, EnvData* work)
{
    int width;
    if (!ReadEditCount(page, IDC_ENVTOOLTIP_EDIT_WIDTH, &width) || width == work->ToolTipWidth)
        return;
    work->ToolTipWidth = width;
    MarkPageChanged(&s_flags, 0);
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    if (id == SETTINGS_PAGE_STORE) {
        if (work)
            StoreMirroredFlags(work);
        s_flags.Changed = 0;
        return true;
    }
    if (!work)
        return false;
    if (id == IDC_ENVTOOLTIP_EDIT_WIDTH) {
        if (code == EN_CHANGE && s_flags.Initialised)
            OnWidth(page, work);
        return true;
    }
    for (const CheckField& check : kChecks) {
        if (check.Id != id)
            continue;
        work->*check.Field = IsChecked(page, id);
        MarkPageChanged(&s_flags, 0);
        return true;
    }
    return false;
}

}  // namespace

void PrepareToolTipPage(EnvData* work)
{
    work->ShowMemoTip = g_memoSettings.MemoShowToolTip;
    work->ShowMemorialTip = g_memorialSettings.MemorialShowToolTip;
}

INT_PTR CALLBACK EnvToolTipProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
