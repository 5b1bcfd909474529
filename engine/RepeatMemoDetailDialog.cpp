// The detail dialog of one repeating memo (template 179): its text, rule, holiday handling, weekdays, period and
// mark. It works on a copy and writes the caller's memo and text on "設定" only.
#include "RepeatMemoDialog.h"

#include <commctrl.h>
#include <stdio.h>

#include "AppInfo.h"
#include "CaptionButton.h"
#include "ControlToolTip.h"
#include "DaylensIds.h"
#include "EngineDialogIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "LanguageResources.h"
#include "MarkDialog.h"
#include "RuntimeCalls.h"
#include "StrUtil.h"

namespace {

const char kHelpTopic[] = "_RESOURCE/Help-howtouse05.html#repeatmemodetail";
const char kMarkCaption[] = "マーク設定";
const char kMarkDialogName[] = "定例メモマーク";
const int kTypeCount = 6;
const int kShiftCount = 3;
const int kWeekdayCount = 7;
const int kMonthCount = 12;
const int kDayCount = 31;
const int kWeekCount = 5;
// The day list's last row, "月末"; larger days of a file show there.
const int kDayLastRow = kDayCount + 2;

// One detail dialog at a time.
bool s_detailOpen = false;

RepeatMemoDetailData* DialogData(HWND dialog)
{
    return (RepeatMemoDetailData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

void AddItem(HWND dialog, int id, const char* text)
{
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, (LPARAM)text);
}

// The lists' indexes are the memo's numbers: month 1-12, day 1-31 and two last-day rows, week 1-5 and the last.
void FillLists(HWND dialog)
{
    char text[32];
    AddItem(dialog, IDC_REPEATDETAIL_COMBO_MONTH, "---");
    for (int month = 1; month <= kMonthCount; month++) {
        snprintf(text, sizeof(text), "%2d月", month);
        AddItem(dialog, IDC_REPEATDETAIL_COMBO_MONTH, text);
    }
    AddItem(dialog, IDC_REPEATDETAIL_COMBO_DAY, "---");
    for (int day = 1; day <= kDayCount; day++) {
        snprintf(text, sizeof(text), "%2d日", day);
        AddItem(dialog, IDC_REPEATDETAIL_COMBO_DAY, text);
    }
    AddItem(dialog, IDC_REPEATDETAIL_COMBO_DAY, "---");
    AddItem(dialog, IDC_REPEATDETAIL_COMBO_DAY, "月末");
    AddItem(dialog, IDC_REPEATDETAIL_COMBO_WEEK, "---");
    for (int week = 1; week <= kWeekCount; week++) {
        snprintf(text, sizeof(text), "第%1d曜日", week);
        AddItem(dialog, IDC_REPEATDETAIL_COMBO_WEEK, text);
    }
    AddItem(dialog, IDC_REPEATDETAIL_COMBO_WEEK, "最終週曜日");
}

int ListIndex(HWND dialog, int id)
{
    int index = (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index < 0 ? 0 : index;
}

// Each picker shows its date when all three parts are set, else "none" over today.
void SetPicker(HWND dialog, int id, int year, int month, int day)
{
    HWND picker = GetDlgItem(dialog, id);
    SYSTEMTIME date = {};
    GetLocalTime(&date);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&date);
    if (year >= 1 && month >= 1 && day >= 1) {
        date.wYear = (WORD)year;
        date.wMonth = (WORD)month;
        date.wDay = (WORD)day;
        date.wDayOfWeek = 0;
        SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&date);
    } else {
        // Some pickers refuse "none" without a date beside it.
        SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&date);
    }
}

void ReadPicker(HWND dialog, int id, int32_t* year, int32_t* month, int32_t* day)
{
    SYSTEMTIME date = {};
    bool set = SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, (LPARAM)&date) == GDT_VALID;
    *year = set ? date.wYear : 0;
    *month = set ? date.wMonth : 0;
    *day = set ? date.wDay : 0;
}

// The controls a rule uses are enabled, the others not.
void EnableByType(HWND dialog, int type)
{
    bool dayRule = type == REPEAT_MONTH_DAY || type == REPEAT_YEAR_DAY;
    bool weekRule = type == REPEAT_MONTH_WEEKDAYS || type == REPEAT_YEAR_WEEKDAYS;
    bool yearly = type == REPEAT_YEAR_DAY || type == REPEAT_YEAR_WEEKDAYS;
    EnableWindow(GetDlgItem(dialog, IDC_REPEATDETAIL_COMBO_MONTH), yearly);
    EnableWindow(GetDlgItem(dialog, IDC_REPEATDETAIL_COMBO_DAY), dayRule);
    for (int i = 0; i < kShiftCount; i++)
        EnableWindow(GetDlgItem(dialog, IDC_REPEATDETAIL_RADIO_KEEP + i), dayRule);
    EnableWindow(GetDlgItem(dialog, IDC_REPEATDETAIL_COMBO_WEEK), weekRule);
    bool weekdays = weekRule || type == REPEAT_WEEKDAYS;
    for (int i = 0; i < kWeekdayCount; i++)
        EnableWindow(GetDlgItem(dialog, IDC_REPEATDETAIL_CHECK_SUN + i), weekdays);
}

void ShowMemo(HWND dialog, const RepeatMemoDetailData* data)
{
    const RepeatMemoRecord& m = data->Work;
    SendDlgItemMessageA(dialog, IDC_REPEATDETAIL_EDIT_TEXT, EM_LIMITTEXT, REPEAT_MEMO_TEXT_SIZE - 1, 0);
    SetDlgItemTextA(dialog, IDC_REPEATDETAIL_EDIT_TEXT, data->CallerText);
    if (m.Type >= 1 && m.Type <= kTypeCount)
        CheckRadioButton(dialog, IDC_REPEATDETAIL_RADIO_DAILY, IDC_REPEATDETAIL_RADIO_YEAR_WEEK,
                         IDC_REPEATDETAIL_RADIO_DAILY + m.Type - 1);
    FillLists(dialog);
    SendDlgItemMessageA(dialog, IDC_REPEATDETAIL_COMBO_MONTH, CB_SETCURSEL, (WPARAM)m.Month, 0);
    SendDlgItemMessageA(dialog, IDC_REPEATDETAIL_COMBO_DAY, CB_SETCURSEL, (WPARAM)(m.Day > kDayLastRow ? kDayLastRow : m.Day), 0);
    SendDlgItemMessageA(dialog, IDC_REPEATDETAIL_COMBO_WEEK, CB_SETCURSEL, (WPARAM)m.Week, 0);
    if (m.HolidayShift >= 0 && m.HolidayShift < kShiftCount)
        CheckRadioButton(dialog, IDC_REPEATDETAIL_RADIO_KEEP, IDC_REPEATDETAIL_RADIO_AFTER,
                         IDC_REPEATDETAIL_RADIO_KEEP + m.HolidayShift);
    for (int i = 0; i < kWeekdayCount; i++)
        CheckDlgButton(dialog, IDC_REPEATDETAIL_CHECK_SUN + i, (m.DayBit & (1 << i)) ? BST_CHECKED : BST_UNCHECKED);
    SetPicker(dialog, IDC_REPEATDETAIL_DATE_FIRST, m.FromYear, m.FromMonth, m.FromDay);
    SetPicker(dialog, IDC_REPEATDETAIL_DATE_LAST, m.ToYear, m.ToMonth, m.ToDay);
}

INT_PTR OnInitDialog(HWND dialog, RepeatMemoDetailData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    AppInfo::SetWindowIcons(dialog, EngineIcon(PROGRAM_ICON_LARGE), EngineIcon(PROGRAM_ICON_SMALL));
    if (data->Memo->MemoDialogFont == 1)
        data->SubstitutedFont = SubstituteDialogFont(dialog, IDC_REPEATDETAIL_EDIT_TEXT);
    ShowMemo(dialog, data);
    if (data->Memo->MemoAutoIME == 1)
        SetImeOpen(GetDlgItem(dialog, IDC_REPEATDETAIL_EDIT_TEXT), 1);
    EnableByType(dialog, data->Work.Type);
    SetRepeatMemoToolTips(dialog, &data->ToolTip, 1, data->Env->BalloonTip);
    return TRUE;
}

// The checked radio of a group as its index, -1 for none.
int CheckedIndex(HWND dialog, int first, int count)
{
    for (int i = 0; i < count; i++) {
        if (IsDlgButtonChecked(dialog, first + i) == BST_CHECKED)
            return i;
    }
    return -1;
}

void Store(HWND dialog, RepeatMemoDetailData* data)
{
    RepeatMemoRecord& m = data->Work;
    GetDlgItemTextA(dialog, IDC_REPEATDETAIL_EDIT_TEXT, data->CallerText, REPEAT_MEMO_TEXT_SIZE);
    m.Type = (uint8_t)(1 + CheckedIndex(dialog, IDC_REPEATDETAIL_RADIO_DAILY, kTypeCount));
    m.Month = ListIndex(dialog, IDC_REPEATDETAIL_COMBO_MONTH);
    m.Day = ListIndex(dialog, IDC_REPEATDETAIL_COMBO_DAY);
    m.Week = ListIndex(dialog, IDC_REPEATDETAIL_COMBO_WEEK);
    int shift = CheckedIndex(dialog, IDC_REPEATDETAIL_RADIO_KEEP, kShiftCount);
    m.HolidayShift = shift < 0 ? REPEAT_SHIFT_NONE : shift;
    m.DayBit = 0;
    for (int i = 0; i < kWeekdayCount; i++) {
        if (IsDlgButtonChecked(dialog, IDC_REPEATDETAIL_CHECK_SUN + i) == BST_CHECKED)
            m.DayBit |= (uint8_t)(1 << i);
    }
    ReadPicker(dialog, IDC_REPEATDETAIL_DATE_FIRST, &m.FromYear, &m.FromMonth, &m.FromDay);
    ReadPicker(dialog, IDC_REPEATDETAIL_DATE_LAST, &m.ToYear, &m.ToMonth, &m.ToDay);
    *data->Caller = m;
}

void ShowHelp(HWND dialog)
{
    AppInfo* info = EngineAppInfo();
    if (!info)
        return;
    info->ShowProgramHelp(dialog, kHelpTopic);
}

void End(HWND dialog, RepeatMemoDetailData* data, int result)
{
    SetRepeatMemoToolTips(dialog, &data->ToolTip, 0, 0);
    EndDialog(dialog, result);
}

// The memo's style on the settings record's mark-dialog block, every part editable; taken back on "設定".
void EditMark(HWND dialog, RepeatMemoDetailData* data)
{
    MarkDlgData* block = &data->Env->MarkDialogData;
    block->Style = data->Work.Style;
    SafeStrCpy(block->Name, sizeof(block->Name), kMarkDialogName);
    block->EditPlainColor = block->EditMark = block->EditFont = 1;
    if (SetMarkDlg(dialog, data->Env, block, MARK_DIALOG_PLAIN) != IDOK)
        return;
    data->Work.Style = block->Style;
    InvalidateRect(GetDlgItem(dialog, IDC_REPEATDETAIL_BTN_MARK), nullptr, TRUE);
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    RepeatMemoDetailData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    if (id >= IDC_REPEATDETAIL_RADIO_DAILY && id < IDC_REPEATDETAIL_RADIO_DAILY + kTypeCount) {
        EnableByType(dialog, id - IDC_REPEATDETAIL_RADIO_DAILY + 1);
        return TRUE;
    }
    switch (id) {
    case IDC_REPEATDETAIL_BTN_MARK:
        EditMark(dialog, data);
        return TRUE;
    case IDHELP: ShowHelp(dialog); return TRUE;
    case IDOK:
        Store(dialog, data);
        End(dialog, data, 1);
        return TRUE;
    case IDCANCEL: End(dialog, data, 2); return TRUE;
    }
    return FALSE;
}

// The mark button shows its caption in the memo's mark colour, or its user mark's.
INT_PTR OnDrawItem(HWND dialog, const DRAWITEMSTRUCT* item)
{
    RepeatMemoDetailData* data = DialogData(dialog);
    if (!data || item->CtlID != IDC_REPEATDETAIL_BTN_MARK)
        return FALSE;
    const EnvData* env = data->Env;
    const FontStyle& style = data->Work.Style;
    COLORREF color = style.MarkColor;
    if (style.MarkType >= MARK_KIND_USER_BASE) {
        int index = style.MarkType - MARK_KIND_USER_BASE;
        if (!env->UserMarks || index >= env->UserStyleMax)
            return TRUE;
        color = env->UserMarks[index].Style.MarkColor;
    }
    DrawCaptionButton(item, kMarkCaption, nullptr, env->ButtonStyle, 1, color, 0, GetSysColor(COLOR_MENU),
                      CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
    return TRUE;
}

}  // namespace

int RepeatMemoDetailDlg(HWND owner, EnvData* env, MemoSettings* memo, RepeatMemoRecord* edited, char* text)
{
    if (!env || !memo || !edited || !text || s_detailOpen)
        return 2;
    RepeatMemoDetailData data = {};
    data.Env = env;
    data.Memo = memo;
    data.Work = *edited;
    data.Caller = edited;
    data.CallerText = text;
    s_detailOpen = true;
    INT_PTR result = DialogBoxParamA(EngineInstance(), MAKEINTRESOURCEA(IDD_REPEATMEMO_DETAIL), owner,
                                     RepeatMemoDetailDlgProc, (LPARAM)&data);
    s_detailOpen = false;
    if (data.SubstitutedFont)
        DeleteObject(data.SubstitutedFont);
    return result == 1 ? 1 : 2;
}

INT_PTR CALLBACK RepeatMemoDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (RepeatMemoDetailData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DRAWITEM:
        return OnDrawItem(dialog, (const DRAWITEMSTRUCT*)lParam);
    case WM_SETCURSOR:
        if (DialogData(dialog))
            RelayDialogToolTip(DialogData(dialog)->ToolTip, wParam, lParam);
        return FALSE;
    }
    return FALSE;
}
