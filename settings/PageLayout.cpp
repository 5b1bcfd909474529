// Page " 配置 ": the six spacings of the calendar, each 0 to 200 pixels.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"

namespace {

const int kSpaceMin = 0;
const int kSpaceMax = LAYOUT_SPACE_MAX;

struct SpaceEdit {
    int Edit;
    int Spin;
    int EnvData::*Field;
};

const SpaceEdit kSpaces[] = {
    {IDC_ENVLAYOUT_EDIT_MONTH_SPACE, IDC_ENVLAYOUT_SPIN_MONTH_SPACE, &EnvData::EachMonthSpace},
    {IDC_ENVLAYOUT_EDIT_YM_SPACE, IDC_ENVLAYOUT_SPIN_YM_SPACE, &EnvData::YMSpace},
    {IDC_ENVLAYOUT_EDIT_MONTH_HEIGHT, IDC_ENVLAYOUT_SPIN_MONTH_HEIGHT, &EnvData::MonthHeight},
    {IDC_ENVLAYOUT_EDIT_WEEK_HEIGHT, IDC_ENVLAYOUT_SPIN_WEEK_HEIGHT, &EnvData::WeekHeight},
    {IDC_ENVLAYOUT_EDIT_DAY_WIDTH, IDC_ENVLAYOUT_SPIN_DAY_WIDTH, &EnvData::DayWidth},
    {IDC_ENVLAYOUT_EDIT_DAY_HEIGHT, IDC_ENVLAYOUT_SPIN_DAY_HEIGHT, &EnvData::DayHeight},
};

PageFlags s_flags;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    for (const SpaceEdit& space : kSpaces)
        ShowUpDownNumber(page, space.Edit, space.Spin, kSpaceMin, kSpaceMax, work->*space.Field);
    s_flags.Initialised = 1;
    return TRUE;
}

void OnSpaceChange(HWND page, EnvData* work, const SpaceEdit& space)
{
    int number;
    if (!ReadEditNumber(page, space.Edit, 0, &number) || number == work->*space.Field)
        return;
    // The number is unsigned: one beyond INT_MAX is a wide spacing, not a negative one.
    unsigned int spacing = (unsigned int)number;
    work->*space.Field = spacing > (unsigned int)kSpaceMax ? kSpaceMax : (int)spacing;
    MarkPageChanged(&s_flags, 1);
}

bool OnCommand(HWND page, int id, int code)
{
    switch (id) {
    case SETTINGS_PAGE_STORE: s_flags.Changed = 0; return true;
    }
    EnvData* work = SettingsWorkingCopy();
    for (const SpaceEdit& space : kSpaces) {
        if (space.Edit != id)
            continue;
        if (work && code == EN_CHANGE && s_flags.Initialised)
            OnSpaceChange(page, work, space);
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvLayoutProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
