#include "RepeatMemoDialog.h"

#include <commctrl.h>
#include <stdio.h>

#include <iterator>

#include "AppInfo.h"
#include "ControlToolTip.h"
#include "DaylensIds.h"
#include "EngineDialogIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "GlyphButton.h"
#include "HeapUtil.h"
#include "LanguageResources.h"
#include "ListViewHit.h"
#include "MiniMemoModule.h"
#include "StrUtil.h"
#include "Trace.h"
#include "UserMessage.h"

namespace {

const char kNoMemory[] = "メモリが足りません";
const char kCannotSave[] = "定例メモファイルを保存できません";
const char kDeleteQuestion[] = "定例メモを削除します\r\nかまいませんか？";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse05.html#repeatmemo";

// The list's columns: use mark, rule, text, and their shares of the width.
const char* const kColumnTitles[] = {" ", "繰り返し", "メモ"};
const double kColumnShares[] = {0.1, 0.3, 0.6};
enum { COLUMN_USE = 0, COLUMN_RULE = 1, COLUMN_TEXT = 2 };

// The move buttons' colours.
const COLORREF kGlyphFill = 0xC4FFC4;
const COLORREF kGlyphFocusFill = 0x00FF00;
const COLORREF kGlyphShadow = 0xE0FFE0;
const COLORREF kGlyphLight = 0x40FF40;
const COLORREF kGlyphDark = 0x008000;

// One table for both dialogs: each makes the tooltips of the controls it has.
const ControlToolTipText kToolTips[] = {
    {IDC_REPEATMEMO_LIST, "定例メモの一覧リストです．ダブルクリックすると，その詳細を確認できます．"},
    {IDC_REPEATMEMO_BTN_ADD, "定例メモを追加します．"},
    {IDC_REPEATMEMO_BTN_CHANGE, "定例メモを変更します．変更する項目をリスト中から選択しておく必要があります．"},
    {IDC_REPEATMEMO_BTN_DELETE, "定例メモを削除します．削除する項目をリスト中から選択しておく必要があります．"},
    {IDC_LIST_BTN_UP, "リストで選択している項目を上に移動します．"},
    {IDC_LIST_BTN_DOWN, "リストで選択している項目を下に移動します．"},
    {IDC_REPEATDETAIL_EDIT_TEXT, "定例メモのメモです．改行はできません．"},
    {IDC_REPEATDETAIL_RADIO_DAILY, "毎日繰り返します．"},
    {IDC_REPEATDETAIL_RADIO_WEEKLY, "毎週繰り返します．曜日を指定します．"},
    {IDC_REPEATDETAIL_RADIO_MONTH_DATE, "毎月繰り返します．日付を指定します．"},
    {IDC_REPEATDETAIL_RADIO_MONTH_WEEK, "毎月繰り返します．曜日を指定します．"},
    {IDC_REPEATDETAIL_RADIO_YEAR_DATE, "毎年繰り返します．日付を指定します．"},
    {IDC_REPEATDETAIL_RADIO_YEAR_WEEK, "毎年繰り返します．曜日を指定します．"},
    {IDC_REPEATDETAIL_COMBO_MONTH, "毎年の場合の月を設定します．"},
    {IDC_REPEATDETAIL_COMBO_DAY, "毎年と毎月の場合の日付を設定します．"},
    {IDC_REPEATDETAIL_COMBO_WEEK, "毎年と毎月の場合の週数を設定します．"},
    {IDC_REPEATDETAIL_RADIO_KEEP, "指定日が休日の場合でもそのままにします．"},
    {IDC_REPEATDETAIL_RADIO_BEFORE, "指定日が休日の場合，前の平日にします．"},
    {IDC_REPEATDETAIL_RADIO_AFTER, "指定日が休日の場合，次の平日にします．"},
    {IDC_REPEATDETAIL_DATE_FIRST,
     "定例メモが有効である期間の開始日を設定します．チェックを外すと，それ以前のすべての期間となります．"},
    {IDC_REPEATDETAIL_DATE_LAST,
     "定例メモが有効である期間の終了日を設定します．チェックを外すと，それ以後のすべての期間となります．"},
    {IDHELP, "ヘルプを表示します．"},
    {IDOK, "定例メモの変更を保存して，定例メモウィンドウを閉じます．"},
    {IDCANCEL, "定例メモの変更を破棄して，定例メモウィンドウを閉じます．"},
};
static_assert(std::size(kToolTips) <= REPEAT_MEMO_TOOLTIP_MAX, "a dialog keeps at most this many tools");

// One list dialog at a time.
bool s_listOpen = false;

RepeatMemoDlgData* DialogData(HWND dialog)
{
    return (RepeatMemoDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

HWND ListOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_REPEATMEMO_LIST);
}

// The selected row when it holds a memo, else -1.
int SelectedMemo(HWND dialog, const RepeatMemoWorkList* list)
{
    int row = GetSelectedListItem(ListOf(dialog), -1);
    return row >= 0 && row < list->Count ? row : -1;
}

void SetUpList(HWND dialog)
{
    HWND view = ListOf(dialog);
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client;
    GetClientRect(view, &client);
    int width = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
    int widths[3];
    for (int i = 0; i < 3; i++)
        widths[i] = (int)(width * kColumnShares[i]);
    AddListColumns(view, kColumnTitles, widths, 3);
}

INT_PTR OnInitDialog(HWND dialog, RepeatMemoDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    AppInfo::SetWindowIcons(dialog, EngineIcon(PROGRAM_ICON_LARGE), EngineIcon(PROGRAM_ICON_SMALL));
    SetUpList(dialog);
    FormatRepeatMemoRow(dialog, &data->Work);
    SetRepeatMemoToolTips(dialog, &data->ToolTip, 1, data->Env->BalloonTip);
    return TRUE;
}

void AddMemo(HWND dialog, RepeatMemoDlgData* data)
{
    // The list holds REPEAT_MEMO_MAX memos at most.
    if (data->Work.Count >= REPEAT_MEMO_MAX) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    RepeatMemoRecord memo = NewRepeatMemo();
    char text[REPEAT_MEMO_TEXT_SIZE] = "";
    if (RepeatMemoDetailDlg(dialog, data->Env, data->Memo, &memo, text) != 1 || !text[0])
        return;
    if (RepeatWorkListInsert(&data->Work, SelectedMemo(dialog, &data->Work), &memo, text) < 0)
        TellUser(dialog, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
    FormatRepeatMemoRow(dialog, &data->Work);
}

void ChangeMemo(HWND dialog, RepeatMemoDlgData* data)
{
    int row = SelectedMemo(dialog, &data->Work);
    if (row < 0)
        return;
    RepeatMemoRecord memo = data->Work.Records[row];
    char text[REPEAT_MEMO_TEXT_SIZE] = "";
    SafeStrCpy(text, sizeof(text), data->Work.Texts[row]);
    if (RepeatMemoDetailDlg(dialog, data->Env, data->Memo, &memo, text) != 1)
        return;
    // A memo without text would end the list; its old text stays.
    if (!text[0])
        MessageBeep(MB_ICONEXCLAMATION);
    else if (!RepeatWorkListReplace(&data->Work, row, &memo, text))
        TellUser(dialog, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
    FormatRepeatMemoRow(dialog, &data->Work);
}

void DeleteMemo(HWND dialog, RepeatMemoDlgData* data)
{
    int row = SelectedMemo(dialog, &data->Work);
    if (row < 0 || TellUser(dialog, kDeleteQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    RepeatWorkListDelete(&data->Work, row);
    FormatRepeatMemoRow(dialog, &data->Work);
}

// The moved memo stays selected, so that further presses move it on.
void MoveMemo(HWND dialog, RepeatMemoDlgData* data, int step)
{
    int row = SelectedMemo(dialog, &data->Work);
    int to = row < 0 ? -1 : RepeatWorkListMove(&data->Work, row, step);
    if (to < 0)
        return;
    SelectListItem(ListOf(dialog), to);
    FormatRepeatMemoRow(dialog, &data->Work);
}

void ShowHelp(HWND dialog)
{
    AppInfo* info = EngineAppInfo();
    if (!info)
        return;
    info->ShowProgramHelp(dialog, kHelpTopic);
}

// The edited list is written, then becomes the caller's. When the file cannot be saved the user is told and the
// dialog stays open with the list, and on lack of memory too; the caller's list and file are then unchanged.
void Save(HWND dialog, RepeatMemoDlgData* data)
{
    RepeatMemoWorkList& work = data->Work;
    if (!SaveRepeatMemoFile(work.Count > 0 ? work.Records : nullptr, work.Texts, work.Count, data->Memo->MemoDir) &&
        (work.Count > 0 || GetLastError() != ERROR_SUCCESS)) {
        Trace("repeat.txt of %s not written (error %lu)", data->Memo->MemoDir, GetLastError());
        TellUser(dialog, kCannotSave, MB_OK | MB_ICONWARNING);
        return;
    }
    if (!RepeatWorkListHandOver(&work, data->Records, data->Texts, data->Count)) {
        TellUser(dialog, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RedrawMiniMemo(data->Env);
    SetRepeatMemoToolTips(dialog, &data->ToolTip, 0, 0);
    data->Ending = 1;
    EndDialog(dialog, 1);
}

void Cancel(HWND dialog, RepeatMemoDlgData* data)
{
    RedrawMiniMemo(data->Env);
    SetRepeatMemoToolTips(dialog, &data->ToolTip, 0, 0);
    data->Ending = 1;
    EndDialog(dialog, 2);
}

INT_PTR RouteCommand(HWND dialog, RepeatMemoDlgData* data, WORD id)
{
    switch (id) {
    case IDC_REPEATMEMO_BTN_ADD: AddMemo(dialog, data); return TRUE;
    case IDC_REPEATMEMO_BTN_CHANGE: ChangeMemo(dialog, data); return TRUE;
    case IDC_REPEATMEMO_BTN_DELETE: DeleteMemo(dialog, data); return TRUE;
    case IDC_LIST_BTN_UP: MoveMemo(dialog, data, -1); return TRUE;
    case IDC_LIST_BTN_DOWN: MoveMemo(dialog, data, 1); return TRUE;
    case IDHELP: ShowHelp(dialog); return TRUE;
    case IDOK: Save(dialog, data); return TRUE;
    case IDCANCEL: Cancel(dialog, data); return TRUE;
    }
    return FALSE;
}

// The help tooltips are made anew after every command while the dialog stays open.
INT_PTR OnCommand(HWND dialog, WORD id)
{
    RepeatMemoDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    INT_PTR handled = RouteCommand(dialog, data, id);
    if (!data->Ending)
        SetRepeatMemoToolTips(dialog, &data->ToolTip, 1, data->Env->BalloonTip);
    return handled;
}

// A click on a row's use mark switches it; a double click changes the memo.
INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    RepeatMemoDlgData* data = DialogData(dialog);
    if (!data || header->idFrom != IDC_REPEATMEMO_LIST)
        return FALSE;
    if (header->code == NM_CLICK && ListViewHitTestSubItem(header->hwndFrom) == COLUMN_USE) {
        if (RepeatWorkListToggleUse(&data->Work, ListViewHitTest(header->hwndFrom)))
            FormatRepeatMemoRow(dialog, &data->Work);
        return TRUE;
    }
    if (header->code == NM_DBLCLK) {
        if (ListViewHitTest(header->hwndFrom) >= 0)
            ChangeMemo(dialog, data);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item)
{
    if (item->CtlID != IDC_LIST_BTN_UP && item->CtlID != IDC_LIST_BTN_DOWN)
        return FALSE;
    int glyph = item->CtlID == IDC_LIST_BTN_UP ? GLYPH_ARROW_UP : GLYPH_ARROW_DOWN;
    DrawGlyphButton(item, glyph, kGlyphFill, kGlyphFocusFill, kGlyphShadow, kGlyphLight, kGlyphDark);
    return TRUE;
}

}  // namespace

extern "C" int RepeatMemoDlg(HWND owner, EnvData* env, MemoSettings* memo, RepeatMemoRecord** records, char** texts,
                             int* count)
{
    if (!records || !texts || !count || !env || !memo || s_listOpen)
        return 2;
    RepeatMemoDlgData* data = (RepeatMemoDlgData*)AllocZeroed(sizeof(RepeatMemoDlgData));
    if (!data || !RepeatWorkListCopy(&data->Work, *records, texts, *count)) {
        // Without its working copy the dialog could only save an empty list over the caller's.
        TellUser(owner, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
        if (data)
            HeapFree(GetProcessHeap(), 0, data);
        return 2;
    }
    data->Env = env;
    data->Memo = memo;
    data->Records = records;
    data->Texts = texts;
    data->Count = count;
    s_listOpen = true;
    INT_PTR result = DialogBoxParamA(EngineInstance(), MAKEINTRESOURCEA(IDD_REPEATMEMO), owner, RepeatMemoDlgProc,
                                     (LPARAM)data);
    s_listOpen = false;
    RepeatWorkListFree(&data->Work);
    HeapFree(GetProcessHeap(), 0, data);
    if (result != 1)
        return 2;
    if (env->MainWindow)
        SendMessageA(env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
    return 1;
}

INT_PTR CALLBACK RepeatMemoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (RepeatMemoDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_DRAWITEM:
        return OnDrawItem((const DRAWITEMSTRUCT*)lParam);
    case WM_SETCURSOR:
        if (DialogData(dialog))
            RelayDialogToolTip(DialogData(dialog)->ToolTip, wParam, lParam);
        return FALSE;
    }
    return FALSE;
}

void FormatRepeatMemoRow(HWND dialog, const RepeatMemoWorkList* list)
{
    HWND view = ListOf(dialog);
    if (!view || !list)
        return;
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    int selected = GetSelectedListItem(view, -1);
    int top = (int)SendMessageA(view, LVM_GETTOPINDEX, 0, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < list->Count && list->Texts[i]; i++) {
        char rule[REPEAT_RULE_TEXT_SIZE];
        RepeatMemoRuleText(&list->Records[i], rule, sizeof(rule));
        SetListCell(view, i, COLUMN_USE, RepeatMemoUseText(&list->Records[i]));
        SetListCell(view, i, COLUMN_RULE, rule);
        SetListCell(view, i, COLUMN_TEXT, list->Texts[i]);
    }
    if (selected >= 0 && selected < REPEAT_MEMO_MAX)
        SelectListItem(view, selected);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    if (top > 0 && SendMessageA(view, LVM_GETITEMRECT, 0, (LPARAM)&row))
        SendMessageA(view, LVM_SCROLL, 0, (LPARAM)(top * (row.bottom - row.top)));
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
}

void SetRepeatMemoToolTips(HWND dialog, HWND* tip, int create, int balloon)
{
    if (!tip)
        return;
    if (create != 1 || !dialog) {
        DestroyDialogToolTips(tip);
        return;
    }
    SetDialogToolTips(EngineInstance(), dialog, tip, kToolTips, (int)std::size(kToolTips), balloon == 1 ? 1 : 0);
}
