// The range page: the first and the last month to print, as year and month lists around the current year.
#include <stdio.h>
#include <stdlib.h>

#include "DialogTheme.h"
#include "PrintPages.h"
#include "PrintPlugIn.h"
#include "PrintResource.h"

namespace {

HWND g_page;

void FillYears(HWND page, int id, int year)
{
    int first = year / 10 * 10 - 10;
    for (int y = first; y <= year / 10 * 10 + 20; y++) {
        char text[32];
        snprintf(text, sizeof(text), "%04d年", y);
        SendDlgItemMessageA(page, id, CB_ADDSTRING, 0, (LPARAM)text);
    }
    SendDlgItemMessageA(page, id, CB_SETCURSEL, (WPARAM)(year - first), 0);
}

void FillMonths(HWND page, int id, int month)
{
    for (int m = 1; m <= 12; m++) {
        char text[16];
        snprintf(text, sizeof(text), "%2d月", m);
        SendDlgItemMessageA(page, id, CB_ADDSTRING, 0, (LPARAM)text);
    }
    SendDlgItemMessageA(page, id, CB_SETCURSEL, (WPARAM)(month - 1), 0);
}

// The leading number of the selected text of a list; fallback without a selection.
int SelectedNumber(HWND page, int id, int fallback)
{
    int index = (int)SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
    char text[64] = "";
    if (index < 0 || SendDlgItemMessageA(page, id, CB_GETLBTEXTLEN, (WPARAM)index, 0) >= (LRESULT)sizeof(text))
        return fallback;
    SendDlgItemMessageA(page, id, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text);
    return atoi(text);
}

void OnInit(HWND page)
{
    g_page = page;
    EnableDialogTheme(page);
    SYSTEMTIME now;
    GetLocalTime(&now);
    g_print.FromYear = g_print.ToYear = now.wYear;
    g_print.FromMonth = g_print.ToMonth = now.wMonth;
    FillYears(page, IDC_RANGE_COMBO_FROM_YEAR, now.wYear);
    FillMonths(page, IDC_RANGE_COMBO_FROM_MONTH, now.wMonth);
    FillYears(page, IDC_RANGE_COMBO_TO_YEAR, now.wYear);
    FillMonths(page, IDC_RANGE_COMBO_TO_MONTH, now.wMonth);
}

void Apply(HWND page)
{
    g_print.FromYear = SelectedNumber(page, IDC_RANGE_COMBO_FROM_YEAR, g_print.FromYear);
    g_print.FromMonth = SelectedNumber(page, IDC_RANGE_COMBO_FROM_MONTH, g_print.FromMonth);
    g_print.ToYear = SelectedNumber(page, IDC_RANGE_COMBO_TO_YEAR, g_print.ToYear);
    g_print.ToMonth = SelectedNumber(page, IDC_RANGE_COMBO_TO_MONTH, g_print.ToMonth);
}

INT_PTR CALLBACK RangePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(page); return TRUE;
    case WM_DESTROY: g_page = nullptr; return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == PAGE_CMD_APPLY && HIWORD(wParam) == 0)
            Apply(page);
        else if (LOWORD(wParam) == IDCANCEL)
            DestroyWindow(page);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CreateRangePage(HWND parent)
{
    if (g_page)
        return nullptr;
    return CreateDialogParamA(g_print.Module, MAKEINTRESOURCEA(IDD_PRINT_PAGE_RANGE), parent, RangePageProc, 0);
}
