// Page " 各種設定 " of the memo settings: memos in the tooltip, the memo mark and the tray, the input method, how and
// where the memo store is kept, and the font of the memo windows.
#include "MemoSettingsDialog.h"

#include "DialogTheme.h"
#include "FileDialogs.h"
#include "MemoSettingsFile.h"
#include "StrUtil.h"
#include "UpDownControl.h"

namespace {

const char kFolderTitle[] = "フォルダを選択してください";

struct CheckField {
    int Id;
    int MemoSettings::*Field;
};

// The check boxes, each written to the working record when clicked.
const CheckField kChecks[] = {
    {IDC_MEMOGENERAL_CHECK_TOOLTIP, &MemoSettings::MemoShowToolTip},
    {IDC_MEMOGENERAL_CHECK_MARK, &MemoSettings::MemoMark},
    {IDC_MEMOGENERAL_CHECK_TRAY, &MemoSettings::MemoTaskTray},
    {IDC_MEMOGENERAL_CHECK_IME, &MemoSettings::MemoAutoIME},
    {IDC_MEMOGENERAL_CHECK_MONTHFILE, &MemoSettings::MemoSaveOneMonth},
    {IDC_MEMOGENERAL_CHECK_PERUSER, &MemoSettings::MemoIndividual},
};

MemoSettings* Work(HWND page)
{
    MemoSettingsDlgData* data = (MemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
    return data ? data->Work : nullptr;
}

// A per-user store has no folder of the user's choosing.
void EnableFolder(HWND page, const MemoSettings* work)
{
    BOOL own = work->MemoIndividual != 1;
    EnableWindow(GetDlgItem(page, IDC_MEMOGENERAL_EDIT_FOLDER), own);
    EnableWindow(GetDlgItem(page, IDC_MEMOGENERAL_BTN_BROWSE), own);
}

INT_PTR OnInitDialog(HWND page, MemoSettingsDlgData* data)
{
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)data);
    EnableDialogTheme(page);
    if (!data)
        return FALSE;
    const MemoSettings* work = data->Work;
    for (const CheckField& check : kChecks)
        CheckDlgButton(page, check.Id, work->*check.Field == 1 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(page, IDC_MEMOGENERAL_EDIT_FOLDER, work->MemoDir);
    EnableFolder(page, work);
    SetUpDownItem(page, IDC_MEMOGENERAL_SPIN_FONTSIZE, MEMO_FONT_SIZE_MIN, MEMO_FONT_SIZE_MAX, work->MemoFontSize);
    CheckRadioButton(page, IDC_MEMOGENERAL_RADIO_MINCHO, IDC_MEMOGENERAL_RADIO_GOTHIC,
                     work->MemoDialogFont == 1 ? IDC_MEMOGENERAL_RADIO_GOTHIC : IDC_MEMOGENERAL_RADIO_MINCHO);
    return FALSE;
}

void BrowseFolder(HWND page, const MemoSettings* work)
{
    char folder[MAX_PATH] = "";
    if (!GetDlgItemTextA(page, IDC_MEMOGENERAL_EDIT_FOLDER, folder, sizeof(folder)))
        SafeStrCpy(folder, sizeof(folder), work->MemoDir);
    if (BrowseForFolder(page, folder, kFolderTitle))
        SetDlgItemTextA(page, IDC_MEMOGENERAL_EDIT_FOLDER, folder);
}

// The font size is kept to what the up-down offers; a text that is no number keeps the size.
void StoreControls(HWND page, MemoSettings* work)
{
    BOOL number = FALSE;
    UINT size = GetDlgItemInt(page, IDC_MEMOGENERAL_EDIT_FONTSIZE, &number, FALSE);
    if (number)
        work->MemoFontSize = (BYTE)(size < MEMO_FONT_SIZE_MIN ? MEMO_FONT_SIZE_MIN
                                    : size > MEMO_FONT_SIZE_MAX ? MEMO_FONT_SIZE_MAX : size);
    char folder[MEMO_FOLDER_SIZE] = "";
    if (work->MemoIndividual != 1)
        GetDlgItemTextA(page, IDC_MEMOGENERAL_EDIT_FOLDER, folder, sizeof(folder));
    ResolveMemoDir(work, folder);
}

INT_PTR OnCommand(HWND page, WORD id)
{
    MemoSettings* work = Work(page);
    if (!work)
        return FALSE;
    for (const CheckField& check : kChecks) {
        if (check.Id == id) {
            work->*check.Field = IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
            if (id == IDC_MEMOGENERAL_CHECK_PERUSER)
                EnableFolder(page, work);
            return TRUE;
        }
    }
    switch (id) {
    case IDC_MEMOGENERAL_BTN_BROWSE: BrowseFolder(page, work); return TRUE;
    case IDC_MEMOGENERAL_RADIO_MINCHO: work->MemoDialogFont = 0; return TRUE;
    case IDC_MEMOGENERAL_RADIO_GOTHIC: work->MemoDialogFont = 1; return TRUE;
    case MEMO_PAGE_STORE: StoreControls(page, work); return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK MemoGeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (MemoSettingsDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
