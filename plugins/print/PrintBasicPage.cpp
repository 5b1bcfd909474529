// The basic page: what a page prints (memos, memorial days, holidays, own holidays), the month grid or the column,
// the neighbouring months' days and their colour, and the first weekday. Each click takes effect at once.
#include "DialogTheme.h"
#include "EnvData.h"
#include "PrintPages.h"
#include "PrintPlugIn.h"
#include "PrintResource.h"

namespace {

HWND g_page;
const char* const kWeekdays[7] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

int Checked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

void Check(HWND page, int id, int on)
{
    CheckDlgButton(page, id, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// Filling the blanks only in the grid; their colour only when they are filled.
void EnableFillBoxes(HWND page)
{
    int grid = Checked(page, IDC_BASIC_CHECK_VERTICAL) == 0;
    int fill = grid && Checked(page, IDC_BASIC_CHECK_FILL);
    EnableWindow(GetDlgItem(page, IDC_BASIC_CHECK_FILL), grid);
    EnableWindow(GetDlgItem(page, IDC_BASIC_CHECK_LIGHT), fill);
    EnableWindow(GetDlgItem(page, IDC_BASIC_CHECK_DARK), fill);
}

void OnInit(HWND page)
{
    g_page = page;
    EnableDialogTheme(page);
    const PrintOptions& o = g_print.Settings.Options;
    const EnvData* env = g_print.Env;
    Check(page, IDC_BASIC_CHECK_MEMO, o.PrintMemo);
    Check(page, IDC_BASIC_CHECK_MEMORIAL, o.PrintMemorial);
    Check(page, IDC_BASIC_CHECK_HOLIDAY, o.PrintHoliday);
    Check(page, IDC_BASIC_CHECK_MYHOLIDAY, o.PrintMyHoliday);
    Check(page, IDC_BASIC_CHECK_VERTICAL, o.Vertical);
    Check(page, IDC_BASIC_CHECK_FILL, env->FillSpace);
    Check(page, IDC_BASIC_CHECK_LIGHT, (int)env->FillLightColor);
    Check(page, IDC_BASIC_CHECK_DARK, (int)env->FillDarkColor);
    for (const char* day : kWeekdays)
        SendDlgItemMessageA(page, IDC_BASIC_COMBO_START, CB_ADDSTRING, 0, (LPARAM)day);
    SendDlgItemMessageA(page, IDC_BASIC_COMBO_START, CB_SETCURSEL, env->StartDate % 7, 0);
    EnableFillBoxes(page);
}

void OnClick(HWND page, int id)
{
    PrintOptions& o = g_print.Settings.Options;
    EnvData* env = g_print.Env;
    int on = Checked(page, id);
    switch (id) {
    case IDC_BASIC_CHECK_MEMO: o.PrintMemo = on; break;
    case IDC_BASIC_CHECK_MEMORIAL: o.PrintMemorial = on; break;
    case IDC_BASIC_CHECK_HOLIDAY: o.PrintHoliday = on; break;
    case IDC_BASIC_CHECK_MYHOLIDAY: o.PrintMyHoliday = on; break;
    case IDC_BASIC_CHECK_VERTICAL: o.Vertical = on; break;
    case IDC_BASIC_CHECK_FILL: env->FillSpace = on; break;
    case IDC_BASIC_CHECK_LIGHT:
        env->FillLightColor = on;
        if (on) {
            env->FillDarkColor = 0;
            Check(page, IDC_BASIC_CHECK_DARK, 0);
        }
        break;
    case IDC_BASIC_CHECK_DARK:
        env->FillDarkColor = on;
        if (on) {
            env->FillLightColor = 0;
            Check(page, IDC_BASIC_CHECK_LIGHT, 0);
        }
        break;
    default: return;
    }
    EnableFillBoxes(page);
    NotifyPrintPreviewChange();
}

void OnCommand(HWND page, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        DestroyWindow(page);
    } else if (id == IDC_BASIC_COMBO_START && HIWORD(wParam) == CBN_SELCHANGE) {
        int index = (int)SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
        if (index >= 0) {
            g_print.Env->StartDate = (BYTE)index;
            NotifyPrintPreviewChange();
        }
    } else if (HIWORD(wParam) == BN_CLICKED) {
        OnClick(page, id);
    }
}

INT_PTR CALLBACK BasicPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(page); return TRUE;
    case WM_DESTROY: g_page = nullptr; return TRUE;
    case WM_COMMAND: OnCommand(page, wParam); return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CreateBasicPage(HWND parent)
{
    if (g_page)
        return nullptr;
    return CreateDialogParamA(g_print.Module, MAKEINTRESOURCEA(IDD_PRINT_PAGE_BASIC), parent, BasicPageProc, 0);
}
