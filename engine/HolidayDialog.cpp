#include "HolidayDialog.h"

#include <commctrl.h>
#include <stdio.h>

#include <iterator>

#include "AppInfo.h"
#include "CaptionButton.h"
#include "ControlToolTip.h"
#include "DaylensIds.h"
#include "EngineDialogIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "HeapUtil.h"
#include "LanguageResources.h"
#include "ListViewHit.h"
#include "MarkDialog.h"
#include "StrUtil.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kNoMemory[] = "メモリが足りません";
const char kNoSelection[] = "更新する項目が選択されていません";
const char kChangeQuestion[] = "変更します\r\nかまいませんか？";
const char kDeleteQuestion[] = "削除します\r\nかまいませんか？";
const char kAddPending[] = "内容が変更されています\r\n追加しますか？";
const char kChangePending[] = "内容が変更されています\r\n更新しますか？";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse09.html";
const char kDateColumnSample[] = " 2005年12月第4日曜日 ";
const char* const kWeekdayNames[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
const int kMargin = 4;
const int kPlaceMargin = 5;
const int kSmallestRemembered = 5;
const int kNameLimit = HOLIDAY_NAME_SIZE - 1;

struct KindTexts {
    const char* Caption;         // "%s ..." with the program name
    const char* EnglishCaption;
    const char* MarkName;
    const char* CannotSave;
};

const KindTexts kOwnTexts = {"%s マイホリデイ設定", "%s My Holiday", "マイホリデイマーク",
                             "マイホリデイファイルを保存できません"};
const KindTexts kMemorialTexts = {"%s 記念日設定", "%s Memorial Day", "記念日マーク", "記念日ファイルを保存できません"};

const ControlToolTipText kToolTips[] = {
    {IDC_HOLIDAY_LIST, "日付の一覧リストです．ダブルクリックすると，その詳細を確認できます．"},
    {IDC_HOLIDAY_BTN_ADD, "日付を追加します．"},
    {IDC_HOLIDAY_BTN_CHANGE, "日付を変更します．変更する項目をリスト中から選択しておく必要があります．"},
    {IDC_HOLIDAY_BTN_DELETE, "日付を削除します．削除する項目をリスト中から選択しておく必要があります．"},
    {IDC_HOLIDAY_EDIT_YEAR, "年を設定します．設定しなくてもかまいません．"},
    {IDC_HOLIDAY_COMBO_MONTH, "月を設定します．必ず設定する必要があります．"},
    {IDC_HOLIDAY_COMBO_DAY, "日付を設定します．日付か週数のどちらかは必ず設定する必要があります．"},
    {IDC_HOLIDAY_COMBO_WEEK, "週数を設定します．日付か週数のどちらかは必ず設定する必要があります．"},
    {IDC_HOLIDAY_COMBO_WEEKDAY, "週数の曜日を設定します．日付か週数のどちらかは必ず設定する必要があります．"},
    {IDC_HOLIDAY_EDIT_NAME, "日付のメモを設定します．必ず設定する必要があります．"},
    {IDC_HOLIDAY_BTN_MARK, "マークを設定します．"},
    {IDHELP, "ヘルプを表示します．"},
    {IDOK, "日付の変更を保存して，ウィンドウを閉じます．"},
    {IDCANCEL, "日付の変更を破棄して，ウィンドウを閉じます．"},
};

static_assert(std::size(kToolTips) <= HOLIDAY_TOOLTIP_MAX, "the dialog keeps at most this many tools");

// One holiday dialog at a time.
bool s_open = false;

HolidayDlgData* DialogData(HWND dialog)
{
    return (HolidayDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

const KindTexts& TextsOf(const HolidayDlgData* data)
{
    return data->ListKind == HOLIDAY_LIST_MEMORIAL ? kMemorialTexts : kOwnTexts;
}

unsigned char RecordKindOf(const HolidayDlgData* data)
{
    return data->ListKind == HOLIDAY_LIST_MEMORIAL ? HOLIDAY_KIND_MEMORIAL : HOLIDAY_KIND_OWN;
}

const char* ProgramName()
{
    AppInfo* info = EngineAppInfo();
    return info && info->GetAppName() ? info->GetAppName() : MessageCaption();
}

HWND ListOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_HOLIDAY_LIST);
}

// The record that row of the list shows (its item data), or -1.
int RecordOfRow(HWND dialog, const HolidayWorkList* list, int row)
{
    if (row < 0)
        return -1;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(ListOf(dialog), LVM_GETITEMA, 0, (LPARAM)&item))
        return -1;
    int index = (int)item.lParam;
    return index >= 0 && index < list->Count ? index : -1;
}

int SelectedRecord(HWND dialog, const HolidayWorkList* list)
{
    return RecordOfRow(dialog, list, GetSelectedListItem(ListOf(dialog), -1));
}

int ComboIndex(HWND dialog, int id)
{
    int index = (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index < 0 ? 0 : index;
}

void SetComboIndex(HWND dialog, int id, int index)
{
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, (WPARAM)index, 0);
}

HolidayBoxes ReadBoxes(HWND dialog)
{
    HolidayBoxes boxes;
    boxes.Month = ComboIndex(dialog, IDC_HOLIDAY_COMBO_MONTH);
    boxes.Day = ComboIndex(dialog, IDC_HOLIDAY_COMBO_DAY);
    boxes.Week = ComboIndex(dialog, IDC_HOLIDAY_COMBO_WEEK);
    boxes.Weekday = ComboIndex(dialog, IDC_HOLIDAY_COMBO_WEEKDAY);
    return boxes;
}

void ShowBoxes(HWND dialog, const HolidayBoxes& boxes)
{
    SetComboIndex(dialog, IDC_HOLIDAY_COMBO_MONTH, boxes.Month);
    SetComboIndex(dialog, IDC_HOLIDAY_COMBO_DAY, boxes.Day);
    SetComboIndex(dialog, IDC_HOLIDAY_COMBO_WEEK, boxes.Week);
    SetComboIndex(dialog, IDC_HOLIDAY_COMBO_WEEKDAY, boxes.Weekday);
}

void ClearModified(HWND dialog, HolidayDlgData* data)
{
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_EDIT_YEAR, EM_SETMODIFY, FALSE, 0);
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_EDIT_NAME, EM_SETMODIFY, FALSE, 0);
    data->Changed = 0;
}

bool EntryModified(HWND dialog, const HolidayDlgData* data)
{
    return data->Changed || SendDlgItemMessageA(dialog, IDC_HOLIDAY_EDIT_YEAR, EM_GETMODIFY, 0, 0) ||
           SendDlgItemMessageA(dialog, IDC_HOLIDAY_EDIT_NAME, EM_GETMODIFY, 0, 0);
}

// The entry of the boxes; 0 when the name box is empty (or memory short).
int ReadHolidayEntry(HWND dialog, const HolidayDlgData* data, HolidayRecord* record)
{
    char year[16] = "";
    char name[HOLIDAY_NAME_SIZE] = "";
    GetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_YEAR, year, sizeof(year));
    GetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_NAME, name, sizeof(name));
    HolidayBoxes boxes = ReadBoxes(dialog);
    return MakeHolidayEntry(RecordKindOf(data), year, &boxes, name, record);
}

// The boxes must name a month and a day or a week and weekday; says what is missing.
bool EntryComplete(HWND dialog, bool tell)
{
    HolidayBoxes boxes = ReadBoxes(dialog);
    const char* message = HolidayEntryMessage(CheckHolidayBoxes(&boxes));
    if (message && tell)
        TellUser(dialog, message, MB_OK | MB_ICONWARNING);
    return !message;
}

// Adds the entry of the boxes (button "↑ 追加"); a refused entry leaves the list as it was.
void AddHolidayEntry(HWND dialog, HolidayDlgData* data)
{
    if (!EntryComplete(dialog, true))
        return;
    HolidayRecord record = {};
    if (!ReadHolidayEntry(dialog, data, &record))
        return;
    HolidayWorkAdd(&data->Work, &record);
    FormatHolidayRow(dialog, &data->Work);
    ClearModified(dialog, data);
}

// Changes the selected record to the entry of the boxes; with ask 0 the user has already agreed.
void ChangeHolidayEntry(HWND dialog, HolidayDlgData* data, bool ask)
{
    if (!EntryComplete(dialog, true))
        return;
    int index = SelectedRecord(dialog, &data->Work);
    if (index < 0) {
        TellUser(dialog, kNoSelection, MB_OK | MB_ICONWARNING);
        return;
    }
    if (ask && TellUser(dialog, kChangeQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    HolidayRecord record = {};
    if (!ReadHolidayEntry(dialog, data, &record))
        return;
    HolidayWorkChange(&data->Work, index, &record);
    FormatHolidayRow(dialog, &data->Work);
    ClearModified(dialog, data);
}

void DeleteHolidayEntry(HWND dialog, HolidayDlgData* data)
{
    int index = SelectedRecord(dialog, &data->Work);
    if (index < 0 || TellUser(dialog, kDeleteQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    HolidayWorkDelete(&data->Work, index);
    FormatHolidayRow(dialog, &data->Work);
}

// A double-clicked row is shown in the boxes.
void ShowRecord(HWND dialog, HolidayDlgData* data, int index)
{
    if (index < 0)
        return;
    const HolidayRecord& record = data->Work.Records[index];
    char year[16] = "";
    if (record.year != 0)
        snprintf(year, sizeof(year), "%4d", record.year);
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_YEAR, year);
    ShowBoxes(dialog, HolidayBoxesOf(&record));
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_NAME, record.name ? record.name : "");
    ClearModified(dialog, data);
}

void ChangeBox(HWND dialog, HolidayDlgData* data, int box)
{
    HolidayBoxes boxes = ReadBoxes(dialog);
    CoupleHolidayBoxes(&boxes, box);
    ShowBoxes(dialog, boxes);
    data->Changed = 1;
}

void EditMark(HWND dialog, HolidayDlgData* data)
{
    MarkDlgData block = {};
    block.Style = data->Style;
    SafeStrCpy(block.Name, sizeof(block.Name), TextsOf(data).MarkName);
    block.EditPlainColor = 1;
    block.EditMark = 1;
    if (SetMarkDlg(dialog, data->Env, &block, MARK_DIALOG_USER_MARKS) != IDOK)
        return;
    data->Style = block.Style;
    InvalidateRect(GetDlgItem(dialog, IDC_HOLIDAY_BTN_MARK), nullptr, TRUE);
}

void ShowHelp(HWND dialog)
{
    AppInfo* info = EngineAppInfo();
    if (!info)
        return;
    info->ShowProgramHelp(dialog, kHelpTopic);
}

void Close(HWND dialog, HolidayDlgData* data, int result)
{
    RECT box;
    if (GetWindowBox(dialog, &box)) {
        data->Env->HolidayWindowX = box.left;
        data->Env->HolidayWindowY = box.top;
        data->Env->HolidayWindowWidth = box.right;
        data->Env->HolidayWindowHeight = box.bottom;
    }
    SetHolidayDlgToolTips(dialog, data, 0);
    data->Ending = 1;
    EndDialog(dialog, result);
}

// "保存": an entry left in the boxes is offered first; the edited list becomes the caller's, then its file is
// written. On lack of memory the dialog stays open with the caller's list untouched.
void Save(HWND dialog, HolidayDlgData* data)
{
    if (EntryModified(dialog, data) && EntryComplete(dialog, false)) {
        bool selected = SelectedRecord(dialog, &data->Work) >= 0;
        if (TellUser(dialog, selected ? kChangePending : kAddPending, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            if (selected)
                ChangeHolidayEntry(dialog, data, false);
            else
                AddHolidayEntry(dialog, data);
        }
    }
    if (!HolidayWorkHandOver(&data->Work, data->Records, data->Count)) {
        TellUser(dialog, kNoMemory, MB_OK | MB_ICONWARNING);
        return;
    }
    *data->CallerStyle = data->Style;
    if (!WriteHolidayFile(data->Path, *data->Records, (int)*data->Count))
        TellUser(dialog, TextsOf(data).CannotSave, MB_OK | MB_ICONWARNING);
    Close(dialog, data, 1);
}

void SetUpList(HWND dialog)
{
    HWND view = ListOf(dialog);
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SIZE sample = {};
    GetTextSize(view, kDateColumnSample, &sample);
    RECT client;
    GetClientRect(view, &client);
    int rest = client.right - client.left - sample.cx - GetSystemMetrics(SM_CXVSCROLL);
    const char* titles[] = {"日付", "内容"};
    int widths[] = {(int)sample.cx, rest};
    AddListColumns(view, titles, widths, 2);
}

void FillCombo(HWND dialog, int id, int last, const char* const* names)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "--");
    for (int i = 1; i <= last; i++) {
        char text[16];
        if (names)
            SafeStrCpy(text, sizeof(text), names[i - 1]);
        else
            snprintf(text, sizeof(text), "%d", i);
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)text);
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void ShowPreset(HWND dialog, const SYSTEMTIME* preset)
{
    if (!preset || preset->wYear == 0 || preset->wMonth == 0 || preset->wDay == 0)
        return;
    char year[16];
    snprintf(year, sizeof(year), "%4d", preset->wYear);
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_YEAR, year);
    SetComboIndex(dialog, IDC_HOLIDAY_COMBO_MONTH, preset->wMonth <= 12 ? preset->wMonth : 0);
    SetComboIndex(dialog, IDC_HOLIDAY_COMBO_DAY, preset->wDay <= 31 ? preset->wDay : 0);
}

void PlaceDialog(HWND dialog, EnvData* env)
{
    RECT box = {env->HolidayWindowX, env->HolidayWindowY, env->HolidayWindowWidth, env->HolidayWindowHeight};
    PlaceRememberedWindow(dialog, &box, kSmallestRemembered, kPlaceMargin);
}

INT_PTR OnInitDialog(HWND dialog, HolidayDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    const KindTexts& texts = TextsOf(data);
    char caption[256];
    snprintf(caption, sizeof(caption), data->Env->IsEnglish == 1 ? texts.EnglishCaption : texts.Caption,
             ProgramName());
    SetWindowTextA(dialog, caption);
    AppInfo::SetWindowIcons(dialog, EngineIcon(PROGRAM_ICON_LARGE), EngineIcon(PROGRAM_ICON_SMALL));
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_EDIT_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SetUpList(dialog);
    FormatHolidayRow(dialog, &data->Work);
    FillCombo(dialog, IDC_HOLIDAY_COMBO_MONTH, 12, nullptr);
    FillCombo(dialog, IDC_HOLIDAY_COMBO_DAY, 31, nullptr);
    FillCombo(dialog, IDC_HOLIDAY_COMBO_WEEK, 5, nullptr);
    FillCombo(dialog, IDC_HOLIDAY_COMBO_WEEKDAY, 7, kWeekdayNames);
    ShowPreset(dialog, data->Preset);
    ClearModified(dialog, data);
    PlaceDialog(dialog, data->Env);
    SetHolidayDlgToolTips(dialog, data, 1);
    LayoutHolidayDlg(dialog);
    return TRUE;
}

INT_PTR RouteCommand(HWND dialog, HolidayDlgData* data, WORD id, WORD code)
{
    switch (id) {
    case IDC_HOLIDAY_BTN_ADD: AddHolidayEntry(dialog, data); return TRUE;
    case IDC_HOLIDAY_BTN_CHANGE: ChangeHolidayEntry(dialog, data, true); return TRUE;
    case IDC_HOLIDAY_BTN_DELETE: DeleteHolidayEntry(dialog, data); return TRUE;
    case IDC_HOLIDAY_BTN_MARK: EditMark(dialog, data); return TRUE;
    case IDC_HOLIDAY_COMBO_MONTH:
    case IDC_HOLIDAY_COMBO_DAY:
    case IDC_HOLIDAY_COMBO_WEEK:
    case IDC_HOLIDAY_COMBO_WEEKDAY:
        if (code == CBN_SELCHANGE) {
            int box = id == IDC_HOLIDAY_COMBO_MONTH ? HOLIDAY_BOX_MONTH
                      : id == IDC_HOLIDAY_COMBO_DAY ? HOLIDAY_BOX_DAY
                      : id == IDC_HOLIDAY_COMBO_WEEK ? HOLIDAY_BOX_WEEK
                                                     : HOLIDAY_BOX_WEEKDAY;
            ChangeBox(dialog, data, box);
        }
        return TRUE;
    case IDHELP: ShowHelp(dialog); return TRUE;
    case IDOK: Save(dialog, data); return TRUE;
    case IDCANCEL: Close(dialog, data, 2); return TRUE;
    }
    return FALSE;
}

// The help tooltips are made anew after every command while the dialog stays open.
INT_PTR OnCommand(HWND dialog, WORD id, WORD code)
{
    HolidayDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    INT_PTR handled = RouteCommand(dialog, data, id, code);
    if (!data->Ending)
        SetHolidayDlgToolTips(dialog, data, 1);
    return handled;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    HolidayDlgData* data = DialogData(dialog);
    if (!data || header->idFrom != IDC_HOLIDAY_LIST || header->code != NM_DBLCLK)
        return FALSE;
    ShowRecord(dialog, data, RecordOfRow(dialog, &data->Work, ListViewHitTest(header->hwndFrom)));
    return TRUE;
}

INT_PTR OnDrawItem(HWND dialog, const DRAWITEMSTRUCT* item)
{
    HolidayDlgData* data = DialogData(dialog);
    if (!data || item->CtlID != IDC_HOLIDAY_BTN_MARK)
        return FALSE;
    DrawCaptionButton(item, "設定変更", nullptr, data->Env->ButtonStyle, 1, data->Style.StrColor,
                      data->Style.ShadowColor, GetSysColor(COLOR_MENU), CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
    return TRUE;
}

void SetCell(HWND view, int row, int column, const char* text, LPARAM param)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (column == 0 ? LVIF_PARAM : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = (char*)text;
    item.lParam = param;
    SendMessageA(view, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
}

void SelectRow(HWND view, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(view, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)&item);
}

int Larger(int a, int b)
{
    return a > b ? a : b;
}

SIZE SizeOf(HWND control)
{
    RECT box = {};
    GetWindowRect(control, &box);
    SIZE size = {box.right - box.left, box.bottom - box.top};
    return size;
}

void Place(HWND dialog, int id, int x, int y, int width = -1, int height = -1)
{
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (width < 0 ? SWP_NOSIZE : 0);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, width, height, flags);
}

}  // namespace

extern "C" int SetHolidayDlg(HWND owner, unsigned char listKind, EnvData* env, HolidayRecord** records,
                             unsigned int* count, FontStyle* style, SYSTEMTIME* preset, const char* path)
{
    if (!env || !records || !count || !style || !path || s_open)
        return 2;
    HolidayDlgData* data = (HolidayDlgData*)AllocZeroed(sizeof(HolidayDlgData));
    if (!data || !HolidayWorkCopy(&data->Work, *records, (int)*count)) {
        // Without its working copy the dialog could only save an empty list over the caller's.
        TellUser(owner, kNoMemory, MB_OK | MB_ICONWARNING);
        if (data)
            HeapFree(GetProcessHeap(), 0, data);
        return 2;
    }
    data->ListKind = listKind == HOLIDAY_LIST_MEMORIAL ? HOLIDAY_LIST_MEMORIAL : HOLIDAY_LIST_OWN;
    data->Env = env;
    data->Records = records;
    data->Count = count;
    data->CallerStyle = style;
    data->Style = *style;
    data->Preset = preset;
    data->Path = path;
    s_open = true;
    INT_PTR result =
        DialogBoxParamA(EngineInstance(), MAKEINTRESOURCEA(IDD_HOLIDAY), owner, HolidayDlgProc, (LPARAM)data);
    s_open = false;
    HolidayWorkFree(&data->Work);
    HeapFree(GetProcessHeap(), 0, data);
    return result == 1 ? 1 : 2;
}

INT_PTR CALLBACK HolidayDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (HolidayDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_DRAWITEM:
        return OnDrawItem(dialog, (const DRAWITEMSTRUCT*)lParam);
    case WM_SETCURSOR:
        if (DialogData(dialog))
            RelayDialogToolTip(DialogData(dialog)->ToolTip, wParam, lParam);
        return FALSE;
    case WM_ENTERSIZEMOVE:
        if (DialogData(dialog))
            DialogData(dialog)->Sizing = 1;
        return FALSE;
    case WM_EXITSIZEMOVE:
        if (DialogData(dialog))
            DialogData(dialog)->Sizing = 0;
        LayoutHolidayDlg(dialog);
        return FALSE;
    case WM_SIZE:
        if (DialogData(dialog) && DialogData(dialog)->Sizing)
            InvalidateRect(dialog, nullptr, TRUE);
        else
            LayoutHolidayDlg(dialog);
        return FALSE;
    }
    return FALSE;
}

void FormatHolidayRow(HWND dialog, const HolidayWorkList* list)
{
    HWND view = ListOf(dialog);
    if (!view || !list)
        return;
    SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    int selected = GetSelectedListItem(view, -1);
    int top = (int)SendMessageA(view, LVM_GETTOPINDEX, 0, 0);
    SendMessageA(view, LVM_DELETEALLITEMS, 0, 0);
    int rows = 0;
    for (int i = 0; i < list->Count; i++) {
        const HolidayRecord& record = list->Records[i];
        if (!record.name || !record.name[0])
            continue;
        char date[HOLIDAY_DATE_TEXT_SIZE];
        HolidayDateText(&record, date, sizeof(date));
        SetCell(view, rows, 0, date, (LPARAM)i);
        SetCell(view, rows, 1, record.name, 0);
        rows++;
    }
    if (selected >= 0 && selected < rows)
        SelectRow(view, selected);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    if (top > 0 && SendMessageA(view, LVM_GETITEMRECT, 0, (LPARAM)&row))
        SendMessageA(view, LVM_SCROLL, 0, (LPARAM)(top * (row.bottom - row.top)));
    SendMessageA(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
}

void LayoutHolidayDlg(HWND dialog)
{
    if (!dialog || !ListOf(dialog))
        return;
    RECT client;
    GetClientRect(dialog, &client);
    int right = client.right - kMargin;
    int bottom = client.bottom - kMargin;

    // The bottom row: "マーク" and its button on the left, "？", "保存" and "キャンセル" on the right.
    SIZE cancel = SizeOf(GetDlgItem(dialog, IDCANCEL));
    SIZE ok = SizeOf(GetDlgItem(dialog, IDOK));
    SIZE help = SizeOf(GetDlgItem(dialog, IDHELP));
    SIZE label = SizeOf(GetDlgItem(dialog, IDC_HOLIDAY_LABEL_MARK));
    SIZE mark = SizeOf(GetDlgItem(dialog, IDC_HOLIDAY_BTN_MARK));
    int cancelX = right - cancel.cx;
    int okX = cancelX - ok.cx;
    Place(dialog, IDCANCEL, cancelX, bottom - cancel.cy);
    Place(dialog, IDOK, okX, bottom - ok.cy);
    Place(dialog, IDHELP, okX - help.cx * 3 / 2, bottom - help.cy);
    Place(dialog, IDC_HOLIDAY_LABEL_MARK, kMargin, bottom - label.cy);
    Place(dialog, IDC_HOLIDAY_BTN_MARK, kMargin + label.cx + kMargin, bottom - mark.cy);
    int rowTop = bottom - Larger(Larger(cancel.cy, ok.cy), Larger(help.cy, Larger(label.cy, mark.cy)));

    // The name box across the width.
    SIZE name = SizeOf(GetDlgItem(dialog, IDC_HOLIDAY_EDIT_NAME));
    rowTop -= kMargin + name.cy;
    Place(dialog, IDC_HOLIDAY_EDIT_NAME, kMargin, rowTop, right - kMargin, name.cy);

    // The date row, each control followed by a gap.
    const int dateRow[] = {IDC_HOLIDAY_EDIT_YEAR,  IDC_HOLIDAY_LABEL_YEAR, IDC_HOLIDAY_COMBO_MONTH,
                           IDC_HOLIDAY_LABEL_MONTH, IDC_HOLIDAY_COMBO_DAY, IDC_HOLIDAY_LABEL_DAY,
                           IDC_HOLIDAY_LABEL_WEEK, IDC_HOLIDAY_COMBO_WEEK, IDC_HOLIDAY_COMBO_WEEKDAY};
    int height = 0;
    for (int id : dateRow)
        height = Larger(height, (int)SizeOf(GetDlgItem(dialog, id)).cy);
    rowTop -= kMargin + height;
    int x = kMargin;
    for (int id : dateRow) {
        SIZE size = SizeOf(GetDlgItem(dialog, id));
        Place(dialog, id, x, rowTop + (height - size.cy) / 2);
        x += size.cx + kMargin;
    }

    // The three list buttons.
    const int buttons[] = {IDC_HOLIDAY_BTN_ADD, IDC_HOLIDAY_BTN_CHANGE, IDC_HOLIDAY_BTN_DELETE};
    height = 0;
    for (int id : buttons)
        height = Larger(height, (int)SizeOf(GetDlgItem(dialog, id)).cy);
    rowTop -= kMargin + height;
    x = kMargin;
    for (int id : buttons) {
        SIZE size = SizeOf(GetDlgItem(dialog, id));
        Place(dialog, id, x, rowTop);
        x += size.cx + kMargin;
    }

    // The list takes the rest.
    int listHeight = rowTop - kMargin - kMargin;
    Place(dialog, IDC_HOLIDAY_LIST, kMargin, kMargin, right - kMargin, listHeight > 0 ? listHeight : 0);
    InvalidateRect(dialog, nullptr, TRUE);
}

void SetHolidayDlgToolTips(HWND dialog, HolidayDlgData* data, int create)
{
    if (!data)
        return;
    if (create != 1 || !dialog) {
        DestroyDialogToolTips(&data->ToolTip);
        return;
    }
    int balloon = data->Env && data->Env->BalloonTip == 1 ? 1 : 0;
    SetDialogToolTips(EngineInstance(), dialog, &data->ToolTip, kToolTips, (int)std::size(kToolTips), balloon);
}
