// The " ウィンドウ2 " page: z-order, fixed position and size, automatic height and the day tooltips. The z-order,
// the automatic height's off switch and the tooltip switch take effect at the click.
#include "DialogTheme.h"
#include "MiniMemoSettingsDialog.h"

namespace {

MiniMemoSettings* PageSettings(HWND page)
{
    MiniMemoSettingsDlgData* data = (MiniMemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
    return data ? data->Settings : nullptr;
}

void EnableDependents(HWND page)
{
    BOOL autoSize = IsPageChecked(page, IDC_MMWIN2_CHECK_AUTO_SIZE);
    EnableWindow(GetDlgItem(page, IDC_MMWIN2_RADIO_DOWNWARD), autoSize);
    EnableWindow(GetDlgItem(page, IDC_MMWIN2_RADIO_UPWARD), autoSize);
    EnableWindow(GetDlgItem(page, IDC_MMWIN2_CHECK_BALLOON), IsPageChecked(page, IDC_MMWIN2_CHECK_TOOLTIP));
}

void Fill(HWND page, const MiniMemoSettings* s)
{
    CheckPageBox(page, IDC_MMWIN2_CHECK_TOPMOST, s->WindowOrder == WINDOW_ORDER_TOPMOST);
    CheckPageBox(page, IDC_MMWIN2_CHECK_BOTTOM, s->WindowOrder == WINDOW_ORDER_BOTTOM);
    CheckPageBox(page, IDC_MMWIN2_CHECK_FIX_POS, s->FixPos);
    CheckPageBox(page, IDC_MMWIN2_CHECK_FIX_SIZE, s->FixSize);
    CheckPageBox(page, IDC_MMWIN2_CHECK_AUTO_SIZE, s->AutoSize != MINIMEMO_AUTOSIZE_OFF);
    CheckRadioButton(page, IDC_MMWIN2_RADIO_DOWNWARD, IDC_MMWIN2_RADIO_UPWARD,
                     s->AutoSize == MINIMEMO_AUTOSIZE_UP ? IDC_MMWIN2_RADIO_UPWARD : IDC_MMWIN2_RADIO_DOWNWARD);
    CheckPageBox(page, IDC_MMWIN2_CHECK_TOOLTIP, s->UseToolTip);
    CheckPageBox(page, IDC_MMWIN2_CHECK_BALLOON, s->BalloonTip);
    EnableDependents(page);
}

void Store(HWND page, MiniMemoSettings* s)
{
    s->FixPos = IsPageChecked(page, IDC_MMWIN2_CHECK_FIX_POS);
    s->FixSize = IsPageChecked(page, IDC_MMWIN2_CHECK_FIX_SIZE);
    s->AutoSize = !IsPageChecked(page, IDC_MMWIN2_CHECK_AUTO_SIZE)          ? MINIMEMO_AUTOSIZE_OFF
                  : IsPageChecked(page, IDC_MMWIN2_RADIO_DOWNWARD) ? MINIMEMO_AUTOSIZE_DOWN
                  : IsPageChecked(page, IDC_MMWIN2_RADIO_UPWARD)   ? MINIMEMO_AUTOSIZE_UP
                                                                   : MINIMEMO_AUTOSIZE_OFF;
    s->UseToolTip = IsPageChecked(page, IDC_MMWIN2_CHECK_TOOLTIP);
    s->BalloonTip = IsPageChecked(page, IDC_MMWIN2_CHECK_BALLOON);
}

// Checking one order box unchecks the other; the order is stored at once.
void OnOrderClick(HWND page, MiniMemoSettings* s, WORD id)
{
    WORD other = id == IDC_MMWIN2_CHECK_TOPMOST ? IDC_MMWIN2_CHECK_BOTTOM : IDC_MMWIN2_CHECK_TOPMOST;
    if (IsPageChecked(page, id)) {
        CheckPageBox(page, other, 0);
        s->WindowOrder = id == IDC_MMWIN2_CHECK_TOPMOST ? WINDOW_ORDER_TOPMOST : WINDOW_ORDER_BOTTOM;
    } else {
        s->WindowOrder = 0;
    }
}

INT_PTR OnCommand(HWND page, WORD id)
{
    MiniMemoSettings* s = PageSettings(page);
    if (!s)
        return FALSE;
    switch (id) {
    case IDC_MMWIN2_CHECK_TOPMOST:
    case IDC_MMWIN2_CHECK_BOTTOM:
        OnOrderClick(page, s, id);
        return TRUE;
    case IDC_MMWIN2_CHECK_AUTO_SIZE:
        if (!IsPageChecked(page, id))
            s->AutoSize = MINIMEMO_AUTOSIZE_OFF;
        EnableDependents(page);
        return TRUE;
    case IDC_MMWIN2_CHECK_TOOLTIP:
        s->UseToolTip = IsPageChecked(page, id);
        EnableDependents(page);
        return TRUE;
    case MINIMEMO_PAGE_STORE:
    case MINIMEMO_PAGE_OK:
        Store(page, s);
        break;
    }
    return EndPageOnCommand(page, id) || id == MINIMEMO_PAGE_STORE;
}

}  // namespace

INT_PTR CALLBACK PageWindow2Proc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        EnableDialogTheme(page);
        if (PageSettings(page))
            Fill(page, PageSettings(page));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
