// Page " マーク " of the memo settings: the default memo mark, its own style or one of the user marks, and the editor
// of the user marks' names and count. Both work on the dialog's working copies.
#include "MemoSettingsDialog.h"

#include "CaptionButton.h"
#include "DialogTheme.h"
#include "EnvData.h"
#include "MemoMarkDialog.h"
#include "MemoSettingsRules.h"
#include "UpDownControl.h"

namespace {

const char kMarkButtonText[] = "設定変更";
const char kDefaultMarkTitle[] = "デフォルトメモマーク";
const COLORREF kEngraveColor = 0;

// The user mark a default memo mark takes when the user-mark radio is chosen; kept from one opening to the next.
int s_chosenUserMark = MARK_KIND_USER_BASE;

MemoSettingsDlgData* Data(HWND page)
{
    return (MemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
}

int UsesUserMark(HWND page)
{
    return IsDlgButtonChecked(page, IDC_MEMOMARK_RADIO_USER) == BST_CHECKED;
}

// The user mark the editor shows, or -1.
int EditedMark(HWND page, const MemoSettingsDlgData* data)
{
    int index = (int)SendDlgItemMessageA(page, IDC_MEMOMARK_LIST_USERMARKS, LB_GETCURSEL, 0, 0);
    return index >= 0 && index < data->WorkMarkCount ? index : -1;
}

void Repaint(HWND page, int id)
{
    InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
}

void EnableChoice(HWND page)
{
    int user = UsesUserMark(page);
    EnableWindow(GetDlgItem(page, IDC_MEMOMARK_BTN_OWN), !user);
    EnableWindow(GetDlgItem(page, IDC_MEMOMARK_COMBO_USER), user);
    Repaint(page, IDC_MEMOMARK_BTN_OWN);
}

void ShowEditedName(HWND page, const MemoSettingsDlgData* data)
{
    int index = EditedMark(page, data);
    SetDlgItemTextA(page, IDC_MEMOMARK_EDIT_NAME, index >= 0 ? data->WorkMarks[index].Name : "");
    Repaint(page, IDC_MEMOMARK_BTN_USERMARK);
}

// Both lists show the working user marks; the choice and the edited mark stay where they were.
void FillMarkLists(HWND page, const MemoSettingsDlgData* data)
{
    HWND combo = GetDlgItem(page, IDC_MEMOMARK_COMBO_USER);
    HWND list = GetDlgItem(page, IDC_MEMOMARK_LIST_USERMARKS);
    int edited = EditedMark(page, data);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < data->WorkMarkCount; i++) {
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)data->WorkMarks[i].Name);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)data->WorkMarks[i].Name);
    }
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)(s_chosenUserMark - MARK_KIND_USER_BASE), 0);
    SendMessageA(list, LB_SETCURSEL, (WPARAM)(edited >= 0 && edited < data->WorkMarkCount ? edited : 0), 0);
    ShowEditedName(page, data);
}

// One mark's new name in both lists.
void ShowMarkName(HWND page, const MemoSettingsDlgData* data, int index)
{
    HWND combo = GetDlgItem(page, IDC_MEMOMARK_COMBO_USER);
    HWND list = GetDlgItem(page, IDC_MEMOMARK_LIST_USERMARKS);
    const char* name = data->WorkMarks[index].Name;
    SendMessageA(list, LB_DELETESTRING, (WPARAM)index, 0);
    SendMessageA(list, LB_INSERTSTRING, (WPARAM)index, (LPARAM)name);
    SendMessageA(list, LB_SETCURSEL, (WPARAM)index, 0);
    SendMessageA(combo, CB_DELETESTRING, (WPARAM)index, 0);
    SendMessageA(combo, CB_INSERTSTRING, (WPARAM)index, (LPARAM)name);
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)(s_chosenUserMark - MARK_KIND_USER_BASE), 0);
}

INT_PTR OnInitDialog(HWND page, MemoSettingsDlgData* data)
{
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)data);
    EnableDialogTheme(page);
    if (!data)
        return FALSE;
    s_chosenUserMark = KeepChosenUserMark(s_chosenUserMark, data->WorkMarkCount);
    int user = OpenDefaultMark(&data->Work->MemoStyle, &s_chosenUserMark, data->WorkMarks, data->WorkMarkCount);
    CheckRadioButton(page, IDC_MEMOMARK_RADIO_OWN, IDC_MEMOMARK_RADIO_USER,
                     user ? IDC_MEMOMARK_RADIO_USER : IDC_MEMOMARK_RADIO_OWN);
    FillMarkLists(page, data);
    EnableChoice(page);
    SetUpDownItem(page, IDC_MEMOMARK_SPIN_COUNT, USER_STYLE_MIN, USER_STYLE_LIMIT, data->WorkMarkCount);
    return FALSE;
}

void ChooseOwn(HWND page, MemoSettingsDlgData* data)
{
    ChooseOwnMark(&data->Work->MemoStyle, s_chosenUserMark, data->WorkMarks, data->WorkMarkCount);
    EnableChoice(page);
}

void ChooseUser(HWND page, MemoSettingsDlgData* data)
{
    int index = (int)SendDlgItemMessageA(page, IDC_MEMOMARK_COMBO_USER, CB_GETCURSEL, 0, 0);
    if (index >= 0)
        s_chosenUserMark = UserMarkKind(index);
    ChooseUserMark(&data->Work->MemoStyle, s_chosenUserMark, data->WorkMarks, data->WorkMarkCount);
    EnableChoice(page);
}

// A name typed into the edit renames the edited mark; the edit keeps what was typed.
void RenameEdited(HWND page, MemoSettingsDlgData* data)
{
    int index = EditedMark(page, data);
    if (index < 0)
        return;
    char typed[USER_MARK_NAME_SIZE] = "";
    GetDlgItemTextA(page, IDC_MEMOMARK_EDIT_NAME, typed, sizeof(typed));
    // Showing a mark's name is no renaming, whatever its length.
    if (lstrcmpA(typed, data->WorkMarks[index].Name) == 0)
        return;
    UserMark renamed = data->WorkMarks[index];
    RenameUserMark(&renamed, index + 1, typed);
    if (lstrcmpA(renamed.Name, data->WorkMarks[index].Name) == 0)
        return;
    data->WorkMarks[index] = renamed;
    ShowMarkName(page, data, index);
}

// The count is kept to what the up-down offers; a changed count resizes the working marks.
void StoreCount(HWND page, MemoSettingsDlgData* data)
{
    BOOL number = FALSE;
    UINT typed = GetDlgItemInt(page, IDC_MEMOMARK_EDIT_COUNT, &number, FALSE);
    if (!number)
        return;
    int count = typed < USER_STYLE_MIN ? USER_STYLE_MIN : typed > USER_STYLE_LIMIT ? USER_STYLE_LIMIT : (int)typed;
    SetUpDownPos(page, IDC_MEMOMARK_SPIN_COUNT, count);
    if (count == data->WorkMarkCount || !ResizeUserMarks(&data->WorkMarks, &data->WorkMarkCount, count))
        return;
    s_chosenUserMark = KeepChosenUserMark(s_chosenUserMark, count);
    if (UsesUserMark(page))
        ChooseUserMark(&data->Work->MemoStyle, s_chosenUserMark, data->WorkMarks, count);
    FillMarkLists(page, data);
    Repaint(page, IDC_MEMOMARK_BTN_OWN);
}

void EditDefaultMark(HWND page, MemoSettingsDlgData* data)
{
    if (ShowMemoMarkDialog(page, data->Module, data->Env, &data->Work->MemoStyle, kDefaultMarkTitle))
        Repaint(page, IDC_MEMOMARK_BTN_OWN);
}

// The mark dialog cannot rename, so the user mark keeps its name.
void EditUserMark(HWND page, MemoSettingsDlgData* data)
{
    int index = EditedMark(page, data);
    if (index < 0)
        return;
    UserMark* mark = &data->WorkMarks[index];
    if (ShowMemoMarkDialog(page, data->Module, data->Env, &mark->Style, mark->Name))
        Repaint(page, IDC_MEMOMARK_BTN_USERMARK);
}

INT_PTR OnCommand(HWND page, WORD id, WORD code)
{
    MemoSettingsDlgData* data = Data(page);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_MEMOMARK_RADIO_OWN: ChooseOwn(page, data); return TRUE;
    case IDC_MEMOMARK_RADIO_USER: ChooseUser(page, data); return TRUE;
    case IDC_MEMOMARK_COMBO_USER:
        if (code == CBN_SELCHANGE)
            ChooseUser(page, data);
        return TRUE;
    case IDC_MEMOMARK_LIST_USERMARKS:
        if (code == LBN_SELCHANGE)
            ShowEditedName(page, data);
        return TRUE;
    case IDC_MEMOMARK_EDIT_NAME:
        if (code == EN_CHANGE)
            RenameEdited(page, data);
        return TRUE;
    case IDC_MEMOMARK_BTN_OWN: EditDefaultMark(page, data); return TRUE;
    case IDC_MEMOMARK_BTN_USERMARK: EditUserMark(page, data); return TRUE;
    case MEMO_PAGE_STORE: StoreCount(page, data); return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

INT_PTR OnDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    MemoSettingsDlgData* data = Data(page);
    if (!data)
        return FALSE;
    COLORREF mark = 0;
    if (item->CtlID == IDC_MEMOMARK_BTN_OWN) {
        mark = data->Work->MemoStyle.MarkColor;
    } else if (item->CtlID == IDC_MEMOMARK_BTN_USERMARK) {
        int index = EditedMark(page, data);
        mark = index >= 0 ? data->WorkMarks[index].Style.MarkColor : 0;
    } else {
        return FALSE;
    }
    DrawCaptionButton(item, kMarkButtonText, nullptr, data->Env->ButtonStyle, 1, mark, kEngraveColor,
                      GetSysColor(COLOR_MENU), CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MemoMarkPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (MemoSettingsDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
        return OnDrawItem(page, (const DRAWITEMSTRUCT*)lParam);
    }
    return FALSE;
}
