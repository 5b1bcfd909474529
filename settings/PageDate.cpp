// Page " 日付 ": alignment of the date numbers, the neighbouring months' dates in empty cells, and week numbers.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsRules.h"

namespace {

PageFlags s_flags;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    CheckRadioIndex(page, IDC_ENVDATE_RADIO_LEFT, IDC_ENVDATE_RADIO_RIGHT, work->DayAlign);
    SetCheck(page, IDC_ENVDATE_CHECK_FILL, work->FillSpace);
    SetCheck(page, IDC_ENVDATE_CHECK_FILL_LIGHT, (int)work->FillLightColor);
    SetCheck(page, IDC_ENVDATE_CHECK_FILL_DARK, (int)work->FillDarkColor);
    SetCheck(page, IDC_ENVDATE_CHECK_WEEK_NUMBER, work->ShowWeekNum);
    EnableItems(page, IDC_ENVDATE_CHECK_FILL_LIGHT, IDC_ENVDATE_CHECK_FILL_DARK, work->FillSpace == 1);
    s_flags.Initialised = 1;
    return TRUE;
}

// Only the grid has empty cells to fill.
void RefreshEnabled(HWND page, const EnvData* work)
{
    bool grid = work->DisplayType == DISPLAY_TYPE_GRID;
    EnableItem(page, IDC_ENVDATE_CHECK_FILL, grid);
    EnableItems(page, IDC_ENVDATE_CHECK_FILL_LIGHT, IDC_ENVDATE_CHECK_FILL_DARK, grid && work->FillSpace == 1);
}

// At most one of paler and darker.
void OnShade(HWND page, EnvData* work, int id)
{
    bool light = id == IDC_ENVDATE_CHECK_FILL_LIGHT;
    int on = IsChecked(page, id);
    work->FillLightColor = light ? (COLORREF)on : 0;
    work->FillDarkColor = light ? 0 : (COLORREF)on;
    SetCheck(page, light ? IDC_ENVDATE_CHECK_FILL_DARK : IDC_ENVDATE_CHECK_FILL_LIGHT, 0);
}

bool OnButton(HWND page, EnvData* work, int id)
{
    if (id >= IDC_ENVDATE_RADIO_LEFT && id <= IDC_ENVDATE_RADIO_RIGHT) {
        work->DayAlign = (BYTE)(id - IDC_ENVDATE_RADIO_LEFT);
    } else if (id == IDC_ENVDATE_CHECK_FILL) {
        work->FillSpace = IsChecked(page, id);
        EnableItems(page, IDC_ENVDATE_CHECK_FILL_LIGHT, IDC_ENVDATE_CHECK_FILL_DARK, work->FillSpace == 1);
    } else if (id == IDC_ENVDATE_CHECK_FILL_LIGHT || id == IDC_ENVDATE_CHECK_FILL_DARK) {
        OnShade(page, work, id);
    } else if (id == IDC_ENVDATE_CHECK_WEEK_NUMBER) {
        work->ShowWeekNum = IsChecked(page, id);
    } else {
        return false;
    }
    MarkPageChanged(&s_flags, 1);
    return true;
}

bool OnCommand(HWND page, int id, int code)
{
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    switch (id) {
    case SETTINGS_PAGE_REFRESH: RefreshEnabled(page, work); return true;
    case SETTINGS_PAGE_STORE:
        work->FillSpace = IsChecked(page, IDC_ENVDATE_CHECK_FILL);
        s_flags.Changed = 0;
        return true;
    }
    return code == BN_CLICKED && OnButton(page, work, id);
}

}  // namespace

INT_PTR CALLBACK EnvDateProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
