// Page " 各種 " of the toolbar settings: start, fix, icon, attachment, direction and background colour, and the
// move of the bar to the top-left corner.
#include "ToolBarPlugIn.h"

#include <string.h>

#include "CaptionButton.h"
#include "Choosers.h"
#include "DialogTheme.h"
#include "UserMessage.h"

namespace {

const char kAskHome[] = "ツールバーを画面左上に移動します．\r\nかまいませんか？";
const char kColorText[] = "色変更";

struct CheckField {
    int Id;
    int ToolBarSetting::*Field;
};

const CheckField kChecks[] = {
    {IDC_TBGENERAL_CHECK_AUTOSTART, &ToolBarSetting::AutoStart},
    {IDC_TBGENERAL_CHECK_FIX, &ToolBarSetting::Fix},
    {IDC_TBGENERAL_CHECK_ICON, &ToolBarSetting::ShowIcon},
    {IDC_TBGENERAL_CHECK_ATTACH, &ToolBarSetting::Attach},
    {IDC_TBGENERAL_CHECK_VERTICAL, &ToolBarSetting::Vertical},
};

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
    for (const CheckField& check : kChecks)
        CheckDlgButton(page, check.Id, data->Work->*check.Field == 1 ? BST_CHECKED : BST_UNCHECKED);
    return FALSE;
}

void StoreControls(HWND page, ToolBarSetting* work)
{
    for (const CheckField& check : kChecks)
        work->*check.Field = IsDlgButtonChecked(page, check.Id) == BST_CHECKED ? 1 : 0;
}

void ChooseBackColor(HWND page, ToolBarSetting* work)
{
    COLORREF color = work->BackColor;
    if (!ChooseColorDialog(page, &color, work->CustomColors))
        return;
    work->BackColor = color;
    // The chooser's custom colours last while the plug-in is loaded.
    {
        ToolBarLock lock(true);
        memcpy(g_toolBar.File.Setting.CustomColors, work->CustomColors, sizeof(work->CustomColors));
    }
    InvalidateRect(GetDlgItem(page, IDC_TBGENERAL_BTN_COLOR), nullptr, TRUE);
}

// Straight away, without Apply: meant for a bar that went out of sight.
void MoveHome(HWND page, ToolBarSetDlgData* data)
{
    if (TellUser(page, kAskHome, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    HWND bar = ToolBarWindow();
    if (!bar)
        return;
    MoveToolBar(bar, 0, 0);
    SetToolBarPlace(0, 0);
    data->Work->WindowX = data->Work->WindowY = 0;
    SaveToolBarSetting();
}

INT_PTR OnCommand(HWND page, WORD id)
{
    ToolBarSetDlgData* data = PageData(page);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_TBGENERAL_BTN_COLOR: ChooseBackColor(page, data->Work); return TRUE;
    case IDC_TBGENERAL_BTN_HOME: MoveHome(page, data); return TRUE;
    case IDC_TBSET_BTN_APPLY: StoreControls(page, data->Work); return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

INT_PTR OnDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    ToolBarSetDlgData* data = PageData(page);
    if (!data || item->CtlID != IDC_TBGENERAL_BTN_COLOR)
        return FALSE;
    DrawCaptionButton(item, kColorText, nullptr, BUTTON_SHAPE_SQUARE, 0, GetSysColor(COLOR_MENUTEXT),
                      GetSysColor(COLOR_MENU), data->Work->BackColor, CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK ToolBarGeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (ToolBarSetDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    case WM_DRAWITEM:
        return OnDrawItem(page, (const DRAWITEMSTRUCT*)lParam);
    }
    return FALSE;
}
