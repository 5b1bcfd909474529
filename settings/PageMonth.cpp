// Page " 月 ": the month style, the user's own month names, and month stepping by the wheel and the arrow keys.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "HeapUtil.h"
#include "NameSets.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsRules.h"

namespace {

PageFlags s_flags;

struct CheckField {
    int Id;
    int EnvData::*Field;
};

// Read on Apply only.
const CheckField kMoveChecks[] = {
    {IDC_ENVMONTH_CHECK_WHEEL, &EnvData::MoveWithWheel},
    {IDC_ENVMONTH_CHECK_KEY_UP_DOWN, &EnvData::MoveWithKeyUD},
    {IDC_ENVMONTH_CHECK_KEY_LEFT_RIGHT, &EnvData::MoveWithKeyRL},
};

const int kUserStyle = MONTH_SET_USER;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    CheckRadioIndex(page, IDC_ENVMONTH_RADIO_NONE, IDC_ENVMONTH_RADIO_USER, work->MonthType);
    SendDlgItemMessageA(page, IDC_ENVMONTH_EDIT_USER, EM_LIMITTEXT, USER_NAME_LIST_MAX - 1, 0);
    SetDlgItemTextA(page, IDC_ENVMONTH_EDIT_USER, work->MonthUserStr ? work->MonthUserStr : "");
    EnableItem(page, IDC_ENVMONTH_EDIT_USER, work->MonthType == kUserStyle);
    for (const CheckField& check : kMoveChecks)
        SetCheck(page, check.Id, work->*check.Field);
    s_flags.Initialised = 1;
    return TRUE;
}

// The working copy's list from the edit control; the drawing cuts it into names, so the preview shows them at once
// and the live names stay until Apply.
void TakeNames(HWND page, EnvData* work)
{
    char text[USER_NAME_LIST_MAX] = "";
    GetDlgItemTextA(page, IDC_ENVMONTH_EDIT_USER, text, sizeof(text));
    work->MonthUserStr = ReplaceNameList(work->MonthUserStr, text);
}

void Store(HWND page, EnvData* work)
{
    TakeNames(page, work);
    for (const CheckField& check : kMoveChecks)
        work->*check.Field = IsChecked(page, check.Id);
    s_flags.Changed = 0;
}

bool OnControl(HWND page, EnvData* work, int id, int code)
{
    if (id >= IDC_ENVMONTH_RADIO_NONE && id <= IDC_ENVMONTH_RADIO_USER) {
        if (code == BN_CLICKED) {
            work->MonthType = (BYTE)(id - IDC_ENVMONTH_RADIO_NONE);
            EnableItem(page, IDC_ENVMONTH_EDIT_USER, work->MonthType == kUserStyle);
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    }
    if (id == IDC_ENVMONTH_EDIT_USER) {
        if (code == EN_CHANGE && s_flags.Initialised) {
            TakeNames(page, work);
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    }
    return false;
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    if (id == SETTINGS_PAGE_STORE) {
        Store(page, work);
        return true;
    }
    return OnControl(page, work, id, code);
}

}  // namespace

INT_PTR CALLBACK EnvMonthProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
