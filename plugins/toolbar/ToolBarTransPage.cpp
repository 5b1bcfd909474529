// Page " 透明化 " of the toolbar settings: how the background is made transparent, when the bar is translucent,
// how much, and how long it stays opaque after a touch.
#include "ToolBarPlugIn.h"

#include "DialogTheme.h"
#include "UpDownControl.h"

namespace {

ToolBarSetDlgData* PageData(HWND page)
{
    return (ToolBarSetDlgData*)GetWindowLongPtrA(page, DWLP_USER);
}

INT_PTR OnInitDialog(HWND page, ToolBarSetDlgData* data)
{
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)data);
    EnableDialogTheme(page);
    if (!data)
        return FALSE;
    const ToolBarSetting* work = data->Work;
    int kind = work->TransMode <= TOOLBAR_TRANS_OPAQUE ? work->TransMode : TOOLBAR_TRANS_KEY;
    int alpha = work->AlphaMode <= TOOLBAR_ALPHA_NEVER ? work->AlphaMode : TOOLBAR_ALPHA_NEVER;
    CheckRadioButton(page, IDC_TBTRANS_RADIO_KEY, IDC_TBTRANS_RADIO_OPAQUE, IDC_TBTRANS_RADIO_KEY + kind);
    CheckRadioButton(page, IDC_TBTRANS_RADIO_ALWAYS, IDC_TBTRANS_RADIO_NEVER, IDC_TBTRANS_RADIO_ALWAYS + alpha);
    SetUpDownItem(page, IDC_TBTRANS_SPIN_ALPHA, 0, 255, work->AlphaRate);
    SetUpDownItem(page, IDC_TBTRANS_SPIN_TIME, TOOLBAR_ALPHA_TIME_MIN, TOOLBAR_ALPHA_TIME_MAX, work->AlphaTime);
    return FALSE;
}

// The first checked radio of count from first, as 0 to count - 1; fallback when none is.
int CheckedRadio(HWND page, int first, int count, int fallback)
{
    for (int i = 0; i < count; i++) {
        if (IsDlgButtonChecked(page, first + i) == BST_CHECKED)
            return i;
    }
    return fallback;
}

void StoreControls(HWND page, ToolBarSetting* work)
{
    work->TransMode = (BYTE)CheckedRadio(page, IDC_TBTRANS_RADIO_KEY, TOOLBAR_TRANS_OPAQUE + 1, work->TransMode);
    work->AlphaMode = (BYTE)CheckedRadio(page, IDC_TBTRANS_RADIO_ALWAYS, TOOLBAR_ALPHA_NEVER + 1, work->AlphaMode);
    work->AlphaRate = (BYTE)PageNumber(page, IDC_TBTRANS_EDIT_ALPHA, 0, 255, work->AlphaRate);
    work->AlphaTime = (BYTE)PageNumber(page, IDC_TBTRANS_EDIT_TIME, TOOLBAR_ALPHA_TIME_MIN, TOOLBAR_ALPHA_TIME_MAX,
                                       work->AlphaTime);
}

INT_PTR OnCommand(HWND page, WORD id)
{
    ToolBarSetDlgData* data = PageData(page);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_TBSET_BTN_APPLY: StoreControls(page, data->Work); return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ToolBarTransPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (ToolBarSetDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
