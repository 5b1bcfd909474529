// Page " ボタン機能 " of the toolbar settings: the buttons' size and spacing, and the button-function dialog.
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
    SetUpDownItem(page, IDC_TBBUTTONPAGE_SPIN_SIZE, TOOLBAR_BUTTON_SIZE_MIN, TOOLBAR_BUTTON_SIZE_MAX,
                  data->Work->ButtonSize);
    SetUpDownItem(page, IDC_TBBUTTONPAGE_SPIN_SPACE, 0, TOOLBAR_BUTTON_SPACE_MAX, data->Work->ButtonSpace);
    return FALSE;
}

void StoreControls(HWND page, ToolBarSetting* work)
{
    work->ButtonSize = PageNumber(page, IDC_TBBUTTONPAGE_EDIT_SIZE, TOOLBAR_BUTTON_SIZE_MIN, TOOLBAR_BUTTON_SIZE_MAX,
                                  work->ButtonSize);
    work->ButtonSpace = PageNumber(page, IDC_TBBUTTONPAGE_EDIT_SPACE, 0, TOOLBAR_BUTTON_SPACE_MAX, work->ButtonSpace);
}

INT_PTR OnCommand(HWND page, WORD id)
{
    ToolBarSetDlgData* data = PageData(page);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_TBBUTTONPAGE_BTN_FUNCTIONS: RunToolBarButtonDialog(page); return TRUE;
    case IDC_TBSET_BTN_APPLY: StoreControls(page, data->Work); return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ToolBarButtonPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (ToolBarSetDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
