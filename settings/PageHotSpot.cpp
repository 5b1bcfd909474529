// Page " ホットスポット ": what the calendar does when the cursor reaches each of eight screen-edge positions.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsToolTips.h"

namespace {

PageFlags s_flags;
// The position being edited: page state kept from one opening of the dialog to the next.
int s_position;

void ShowPosition(HWND page, const EnvData* work)
{
    if (s_position > HOT_SPOT_COUNT - 1)
        s_position = HOT_SPOT_COUNT - 1;
    CheckRadioIndex(page, IDC_ENVHOTSPOT_RADIO_TOP, IDC_ENVHOTSPOT_RADIO_TOP_LEFT, s_position);
    CheckRadioIndex(page, IDC_ENVHOTSPOT_RADIO_NOTHING, IDC_ENVHOTSPOT_RADIO_ACTIVATE, work->HotSpot[s_position]);
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    ShowPosition(page, work);
    s_flags.Initialised = 1;
    SetHotSpotToolTips(page, 1);
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
    if (id >= IDC_ENVHOTSPOT_RADIO_TOP && id <= IDC_ENVHOTSPOT_RADIO_TOP_LEFT) {
        s_position = id - IDC_ENVHOTSPOT_RADIO_TOP;
        ShowPosition(page, work);
        s_flags.Changed = 1;
        return true;
    }
    if (id == IDC_ENVHOTSPOT_RADIO_NOTHING || id == IDC_ENVHOTSPOT_RADIO_ACTIVATE) {
        if (s_position > HOT_SPOT_COUNT - 1)
            s_position = HOT_SPOT_COUNT - 1;
        work->HotSpot[s_position] = (BYTE)(id - IDC_ENVHOTSPOT_RADIO_NOTHING);
        s_flags.Changed = 1;
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvHotSpotProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
