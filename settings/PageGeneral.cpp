// Page " 全体 ": the display type, the first month shown, months across and down, their order and the month height.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsRules.h"
#include "ShownMonth.h"

namespace {

const int kSplitDayMax = 30;
const int kCountMax = DISPLAY_COUNT_MAX;
const int kOffsetMin = -60;
const int kOffsetMax = 60;

struct RadioGroup {
    int First;
    int Last;
    BYTE EnvData::*Field;
};

const RadioGroup kGroups[] = {
    {IDC_ENVGENERAL_RADIO_GRID, IDC_ENVGENERAL_RADIO_VERTICAL, &EnvData::DisplayType},
    {IDC_ENVGENERAL_RADIO_THIS_MONTH, IDC_ENVGENERAL_RADIO_LAST_SHOWN, &EnvData::DisplayStart},
    {IDC_ENVGENERAL_RADIO_DOWN_RIGHT, IDC_ENVGENERAL_RADIO_LEFT_DOWN, &EnvData::DisplayOrder},
    {IDC_ENVGENERAL_RADIO_BY_WEEKS, IDC_ENVGENERAL_RADIO_SIX_WEEKS, &EnvData::DisplayHeight},
};

// The byte counts, each limited to its upper bound.
struct CountEdit {
    int Edit;
    int Spin;
    int Maximum;
    BYTE EnvData::*Field;
};

const CountEdit kCounts[] = {
    {IDC_ENVGENERAL_EDIT_SPLIT_DAY, IDC_ENVGENERAL_SPIN_SPLIT_DAY, kSplitDayMax, &EnvData::DisplaySepDate},
    {IDC_ENVGENERAL_EDIT_ACROSS, IDC_ENVGENERAL_SPIN_ACROSS, kCountMax, &EnvData::DisplayRows},
    {IDC_ENVGENERAL_EDIT_DOWN, IDC_ENVGENERAL_SPIN_DOWN, kCountMax, &EnvData::DisplayLines},
};

PageFlags s_flags;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    for (const RadioGroup& group : kGroups)
        CheckRadioIndex(page, group.First, group.Last, work->*group.Field);
    for (const CountEdit& count : kCounts)
        ShowUpDownNumber(page, count.Edit, count.Spin, 1, count.Maximum, work->*count.Field);
    ShowUpDownNumber(page, IDC_ENVGENERAL_EDIT_OFFSET, IDC_ENVGENERAL_SPIN_OFFSET, kOffsetMin, kOffsetMax,
                     work->DisplayOffSet);
    s_flags.Initialised = 1;
    return TRUE;
}

// Across and down by the display type: a line has one month across or down, and no order or height.
void RefreshEnabled(HWND page, const EnvData* work)
{
    int type = work->DisplayType;
    EnableItems(page, IDC_ENVGENERAL_EDIT_ACROSS, IDC_ENVGENERAL_SPIN_ACROSS, type != DISPLAY_TYPE_LINE);
    EnableItems(page, IDC_ENVGENERAL_EDIT_DOWN, IDC_ENVGENERAL_SPIN_DOWN, type != DISPLAY_TYPE_COLUMN);
    EnableItems(page, IDC_ENVGENERAL_RADIO_DOWN_RIGHT, IDC_ENVGENERAL_RADIO_SIX_WEEKS, type == DISPLAY_TYPE_GRID);
}

bool OnRadio(HWND page, EnvData* work, int id)
{
    for (const RadioGroup& group : kGroups) {
        if (id < group.First || id > group.Last)
            continue;
        work->*group.Field = (BYTE)(id - group.First);
        MarkPageChanged(&s_flags, 1);
        if (group.Field == &EnvData::DisplayType)
            SendMessageA(GetParent(page), WM_COMMAND, SETTINGS_PAGE_REFRESH, 0);
        return true;
    }
    return false;
}

void OnCountChange(HWND page, EnvData* work, const CountEdit& count)
{
    int number;
    if (!ReadEditNumber(page, count.Edit, 0, &number) || number == work->*count.Field)
        return;
    work->*count.Field = LimitCountByte((unsigned int)number, count.Maximum);
    MarkPageChanged(&s_flags, 1);
}

void OnOffsetChange(HWND page, EnvData* work)
{
    int number;
    if (!ReadEditNumber(page, IDC_ENVGENERAL_EDIT_OFFSET, 1, &number) || number == work->DisplayOffSet)
        return;
    work->DisplayOffSet = LimitInt(number, kOffsetMin, kOffsetMax);
    MarkPageChanged(&s_flags, 1);
}

bool OnEdit(HWND page, EnvData* work, int id, int code)
{
    if (id == IDC_ENVGENERAL_EDIT_OFFSET) {
        if (code == EN_CHANGE && s_flags.Initialised)
            OnOffsetChange(page, work);
        return true;
    }
    for (const CountEdit& count : kCounts) {
        if (count.Edit == id) {
            if (code == EN_CHANGE && s_flags.Initialised)
                OnCountChange(page, work, count);
            return true;
        }
    }
    return false;
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    switch (id) {
    case SETTINGS_PAGE_REFRESH:
        if (work)
            RefreshEnabled(page, work);
        return true;
    case SETTINGS_PAGE_STORE: s_flags.Changed = 0; return true;
    }
    if (!work)
        return false;
    if (code == BN_CLICKED && OnRadio(page, work, id))
        return true;
    return OnEdit(page, work, id, code);
}

}  // namespace

INT_PTR CALLBACK EnvGeneralProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
