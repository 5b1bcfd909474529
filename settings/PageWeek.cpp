// Page " 曜日 ": the weekday style, the user's own weekday names, the first weekday of a row and where weekday names
// stand in the line forms.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "NameSets.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsRules.h"

namespace {

PageFlags s_flags;

const int kUserStyle = WEEK_SET_USER;

void FillStartDays(HWND page, int selected)
{
    HWND combo = GetDlgItem(page, IDC_ENVWEEK_COMBO_START);
    WeekdayNameSet names(WEEK_SET_KANJI, nullptr);
    for (int day = 0; day < WEEK_NAME_COUNT; day++)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)names.Name(day));
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)selected, 0);
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    CheckRadioIndex(page, IDC_ENVWEEK_RADIO_NONE, IDC_ENVWEEK_RADIO_USER, work->WeekType);
    SendDlgItemMessageA(page, IDC_ENVWEEK_EDIT_USER, EM_LIMITTEXT, USER_NAME_LIST_MAX - 1, 0);
    SetDlgItemTextA(page, IDC_ENVWEEK_EDIT_USER, work->WeekUserStr ? work->WeekUserStr : "");
    EnableItem(page, IDC_ENVWEEK_EDIT_USER, work->WeekType == kUserStyle);
    FillStartDays(page, work->StartDate);
    SetCheck(page, IDC_ENVWEEK_CHECK_BRACKETS, work->WeekKakko);
    CheckRadioIndex(page, IDC_ENVWEEK_RADIO_ABOVE, IDC_ENVWEEK_RADIO_LEFT, work->WeekPos);
    SetCheck(page, IDC_ENVWEEK_CHECK_ALIGN, work->WeekInForm);
    s_flags.Initialised = 1;
    return TRUE;
}

// The grid has its own weekday row; the line forms place the names beside or above the dates.
void RefreshEnabled(HWND page, const EnvData* work)
{
    int type = work->DisplayType;
    EnableItems(page, IDC_ENVWEEK_RADIO_NONE, IDC_ENVWEEK_RADIO_USER, TRUE);
    EnableItem(page, IDC_ENVWEEK_COMBO_START, type == DISPLAY_TYPE_GRID);
    EnableItem(page, IDC_ENVWEEK_CHECK_BRACKETS, type == DISPLAY_TYPE_COLUMN);
    EnableItems(page, IDC_ENVWEEK_RADIO_ABOVE, IDC_ENVWEEK_RADIO_BELOW, type == DISPLAY_TYPE_LINE);
    EnableItems(page, IDC_ENVWEEK_RADIO_RIGHT, IDC_ENVWEEK_RADIO_LEFT, type == DISPLAY_TYPE_COLUMN);
    EnableItem(page, IDC_ENVWEEK_CHECK_ALIGN, type != DISPLAY_TYPE_GRID);
}

void TakeNames(HWND page, EnvData* work)
{
    char text[USER_NAME_LIST_MAX] = "";
    GetDlgItemTextA(page, IDC_ENVWEEK_EDIT_USER, text, sizeof(text));
    work->WeekUserStr = ReplaceNameList(work->WeekUserStr, text);
}

bool OnButton(HWND page, EnvData* work, int id)
{
    if (id >= IDC_ENVWEEK_RADIO_NONE && id <= IDC_ENVWEEK_RADIO_USER) {
        work->WeekType = (BYTE)(id - IDC_ENVWEEK_RADIO_NONE);
        EnableItem(page, IDC_ENVWEEK_EDIT_USER, work->WeekType == kUserStyle);
    } else if (id >= IDC_ENVWEEK_RADIO_ABOVE && id <= IDC_ENVWEEK_RADIO_LEFT) {
        work->WeekPos = (BYTE)(id - IDC_ENVWEEK_RADIO_ABOVE);
    } else if (id == IDC_ENVWEEK_CHECK_BRACKETS) {
        work->WeekKakko = (BYTE)IsChecked(page, id);
    } else if (id == IDC_ENVWEEK_CHECK_ALIGN) {
        work->WeekInForm = IsChecked(page, id);
    } else {
        return false;
    }
    MarkPageChanged(&s_flags, 1);
    return true;
}

bool OnControl(HWND page, EnvData* work, int id, int code)
{
    if (id == IDC_ENVWEEK_EDIT_USER) {
        if (code == EN_CHANGE && s_flags.Initialised) {
            TakeNames(page, work);
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    }
    if (id == IDC_ENVWEEK_COMBO_START) {
        LRESULT selected = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
        if (code == CBN_SELCHANGE && selected != CB_ERR) {
            work->StartDate = (BYTE)selected;
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    }
    return code == BN_CLICKED && OnButton(page, work, id);
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    switch (id) {
    case SETTINGS_PAGE_REFRESH: RefreshEnabled(page, work); return true;
    case SETTINGS_PAGE_STORE:
        TakeNames(page, work);
        s_flags.Changed = 0;
        return true;
    }
    return OnControl(page, work, id, code);
}

}  // namespace

INT_PTR CALLBACK EnvWeekProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
