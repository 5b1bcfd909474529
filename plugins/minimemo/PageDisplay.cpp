// The " 表示 " page: which days are listed and how their lines are laid out.
#include "DialogTheme.h"
#include "MiniMemoSettingsDialog.h"
#include "UpDownControl.h"

namespace {

const int kSpeedMax = 100;
const int kByteMax = 255;

MiniMemoSettings* PageSettings(HWND page)
{
    MiniMemoSettingsDlgData* data = (MiniMemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
    return data ? data->Settings : nullptr;
}

void EnableLineControls(HWND page)
{
    BOOL multi = IsPageChecked(page, IDC_MMDISP_CHECK_MULTI_LINE);
    const int ids[] = {IDC_MMDISP_CHECK_ALL_MEMO, IDC_MMDISP_EDIT_INDENT, IDC_MMDISP_SPIN_INDENT};
    for (int id : ids)
        EnableWindow(GetDlgItem(page, id), multi);
}

void Fill(HWND page, const MiniMemoSettings* s)
{
    SetUpDownItem(page, IDC_MMDISP_SPIN_BEFORE, 0, MINIMEMO_DAYS_MAX, s->BeforeDays);
    SetUpDownItem(page, IDC_MMDISP_SPIN_AFTER, 0, MINIMEMO_DAYS_MAX, s->AfterDays);
    CheckPageBox(page, IDC_MMDISP_CHECK_YEAR, s->ShowYear);
    CheckPageBox(page, IDC_MMDISP_CHECK_CLICK_CLOSE, s->ClickClose);
    CheckPageBox(page, IDC_MMDISP_CHECK_EXIST_ONLY, s->ExistDraw);
    SetUpDownItem(page, IDC_MMDISP_SPIN_SPEED, 0, kSpeedMax, s->PopupSpeed);
    SetUpDownItem(page, IDC_MMDISP_SPIN_LINE_MARGIN, 0, kByteMax, s->LineMargin);
    CheckPageBox(page, IDC_MMDISP_CHECK_MULTI_LINE, s->MultiLine);
    CheckPageBox(page, IDC_MMDISP_CHECK_ALL_MEMO, s->AllMemo);
    SetUpDownItem(page, IDC_MMDISP_SPIN_INDENT, 0, kByteMax, s->LineIndent);
    EnableLineControls(page);
}

void Store(HWND page, MiniMemoSettings* s)
{
    s->BeforeDays = ReadPageNumber(page, IDC_MMDISP_EDIT_BEFORE, 0, MINIMEMO_DAYS_MAX);
    s->AfterDays = ReadPageNumber(page, IDC_MMDISP_EDIT_AFTER, 0, MINIMEMO_DAYS_MAX);
    s->ShowYear = IsPageChecked(page, IDC_MMDISP_CHECK_YEAR);
    s->ClickClose = IsPageChecked(page, IDC_MMDISP_CHECK_CLICK_CLOSE);
    s->ExistDraw = IsPageChecked(page, IDC_MMDISP_CHECK_EXIST_ONLY);
    s->PopupSpeed = ReadPageNumber(page, IDC_MMDISP_EDIT_SPEED, 0, kSpeedMax);
    s->LineMargin = (BYTE)ReadPageNumber(page, IDC_MMDISP_EDIT_LINE_MARGIN, 0, kByteMax);
    s->MultiLine = IsPageChecked(page, IDC_MMDISP_CHECK_MULTI_LINE);
    s->AllMemo = IsPageChecked(page, IDC_MMDISP_CHECK_ALL_MEMO);
    s->LineIndent = (BYTE)ReadPageNumber(page, IDC_MMDISP_EDIT_INDENT, 0, kByteMax);
}

INT_PTR OnCommand(HWND page, WORD id)
{
    MiniMemoSettings* s = PageSettings(page);
    if (!s)
        return FALSE;
    if (id == MINIMEMO_PAGE_STORE || id == MINIMEMO_PAGE_OK)
        Store(page, s);
    if (id == IDC_MMDISP_CHECK_MULTI_LINE)
        EnableLineControls(page);
    return EndPageOnCommand(page, id) || id == MINIMEMO_PAGE_STORE;
}

}  // namespace

INT_PTR CALLBACK PageDisplayProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
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
