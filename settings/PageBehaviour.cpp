// Page " 動作設定 ": the double-click action, the tray icon's options and what a second start does.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsToolTips.h"

namespace {

struct CheckField {
    int Id;
    int EnvData::*Field;
};

const CheckField kChecks[] = {
    {IDC_ENVACTION_CHECK_TRAY, &EnvData::UseTaskTray},
    {IDC_ENVACTION_CHECK_TRAY_DATE, &EnvData::UseTaskTrayDate},
    {IDC_ENVACTION_CHECK_TRAY_CLICK, &EnvData::UseTaskTrayClick},
};

PageFlags s_flags;

void EnableTrayOptions(HWND page, const EnvData* work)
{
    EnableItems(page, IDC_ENVACTION_CHECK_TRAY_DATE, IDC_ENVACTION_CHECK_TRAY_CLICK, work->UseTaskTray == 1);
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    CheckRadioIndex(page, IDC_ENVACTION_RADIO_CLICK_SETTINGS, IDC_ENVACTION_RADIO_CLICK_PERIOD_MEMO,
                    work->DoubleClick);
    CheckRadioIndex(page, IDC_ENVACTION_RADIO_START_SETTINGS, IDC_ENVACTION_RADIO_START_SECOND, work->DoubleStart);
    for (const CheckField& check : kChecks)
        SetCheck(page, check.Id, work->*check.Field);
    EnableTrayOptions(page, work);
    s_flags.Initialised = 1;
    SetActionToolTips(page, 1);
    return TRUE;
}

bool OnCommand(HWND page, int id, int code)
{
    (void)code;
    if (id == SETTINGS_PAGE_STORE) {
        s_flags.Changed = 0;
        return true;
    }
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    if (id >= IDC_ENVACTION_RADIO_CLICK_SETTINGS && id <= IDC_ENVACTION_RADIO_CLICK_PERIOD_MEMO) {
        work->DoubleClick = (BYTE)(id - IDC_ENVACTION_RADIO_CLICK_SETTINGS);
        s_flags.Changed = 1;
        return true;
    }
    if (id >= IDC_ENVACTION_RADIO_START_SETTINGS && id <= IDC_ENVACTION_RADIO_START_SECOND) {
        work->DoubleStart = (BYTE)(id - IDC_ENVACTION_RADIO_START_SETTINGS);
        s_flags.Changed = 1;
        return true;
    }
    for (const CheckField& check : kChecks) {
        if (check.Id != id)
            continue;
        work->*check.Field = IsChecked(page, id);
        if (id == IDC_ENVACTION_CHECK_TRAY)
            EnableTrayOptions(page, work);
        s_flags.Changed = 1;
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvActionProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
