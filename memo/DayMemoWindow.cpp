#include "DayMemoWindow.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <iterator>

#include "AppInfo.h"
#include "CaptionButton.h"
#include "DateUtil.h"
#include "DayMemoRules.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "GlyphButton.h"
#include "HeapUtil.h"
#include "LanguageResources.h"
#include "Memo.h"
#include "MemoDialogIds.h"
#include "MemoMarkDialog.h"
#include "MemoSettingsRules.h"
#include "MemoWindowParts.h"
#include "MemoWriter.h"
#include "MiniMemoModule.h"
#include "NameSets.h"
#include "PeriodMemoWindow.h"
#include "RepeatCopyDialog.h"
#include "RuntimeCalls.h"
#include "ControlToolTip.h"
#include "TodayMemo.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kCaptionFormat[] = "%s 一日メモ";
const char kDateFormat[] = "%04d年%2ld月%2ld日(%s)";
const char kMarkButtonText[] = "マーク設定";
const char kMarkDialogTitle[] = "メモマーク";
const char kOwnStyle[] = "個別設定";
const char kSeparator[] = "----------";
const char kTimeFormat[] = "HH':'mm";
const char kChangedQuestion[] = "メモが変更されています\r\n保存しますか？";
const char kDeletedQuestion[] = "メモが削除されています\r\n削除して保存しますか？";
const char kCannotSave[] = MEMO_CANNOT_SAVE_TEXT;
const char kHelpTopic[] = "_RESOURCE/Help-howtouse05.html#todaymemo";
const MemoWindowRect kRememberedRect = {&g_memoSettings.TodayMemoWindowX, &g_memoSettings.TodayMemoWindowY,
                                        &g_memoSettings.TodayMemoWindowWidth, &g_memoSettings.TodayMemoWindowHeight};
const COLORREF kEngraveColor = 0;
// The step buttons' greens: fill, focused fill, shadow, light and dark edge.
const COLORREF kGlyphFill = 0xC4FFC4;
const COLORREF kGlyphFocusFill = 0x00FF00;
const COLORREF kGlyphShadow = 0xE0FFE0;
const COLORREF kGlyphLight = 0x40FF40;
const COLORREF kGlyphDark = 0x008000;
// The controls' tooltips are made once the opened window has painted: this timer's tick comes only when no input
// and no painting waits.
const UINT_PTR kToolTipTimer = 1;
const UINT kToolTipTimerMs = USER_TIMER_MINIMUM;

// Controls that take the window's own font.
const int kFontControls[] = {IDC_DAYMEMO_BTN_MENU, IDM_DAYMEMO_ERASE,     IDM_DAYMEMO_REPEAT,     IDC_DAYMEMO_BTN_MARK,
                             IDC_DAYMEMO_LABEL_MARK, IDC_DAYMEMO_COMBO_MARK, IDCANCEL,             IDOK,
                             IDHELP,               IDC_DAYMEMO_TIME,      IDC_DAYMEMO_LABEL_TIME, IDC_DAYMEMO_EDIT_TEXT};

const ControlToolTipText kToolTips[] = {
    {IDC_DAYMEMO_EDIT_TEXT, "一日メモ"},
    {IDC_MEMO_BTN_YEAR_BACK, "日付を一年前に変更します．"},
    {IDC_MEMO_BTN_YEAR_NEXT, "日付を一年後に変更します．"},
    {IDC_MEMO_BTN_MONTH_BACK, "日付を一月前に変更します．"},
    {IDC_MEMO_BTN_MONTH_NEXT, "日付を一月後に変更します．"},
    {IDC_MEMO_BTN_WEEK_BACK, "日付を一週間前に変更します．"},
    {IDC_MEMO_BTN_WEEK_NEXT, "日付を一週間後に変更します．"},
    {IDC_MEMO_BTN_DAY_BACK, "日付を一日前に変更します．"},
    {IDC_MEMO_BTN_DAY_NEXT, "日付を一日後に変更します．"},
    {IDC_DAYMEMO_BTN_MARK, "メモのマークを詳細に設定します．"},
    {IDC_DAYMEMO_COMBO_MARK, "メモのマークを一覧から選択します．"},
    {IDC_DAYMEMO_TIME, "メモに時刻を設定します．チェックして時刻を設定すると，その時刻にポップアップ表示させることができます．"},
    {IDC_DAYMEMO_BTN_MENU, "メモ関連のメニューを表示します．"},
    {IDHELP, "ヘルプを表示します．"},
    {IDOK, "メモを保存し，一日メモウィンドウを閉じます．"},
    {IDCANCEL, "メモを保存せずに，一日メモウィンドウを閉じます．"},
};
static_assert(std::size(kToolTips) <= DAY_MEMO_TOOLTIP_MAX, "the window keeps at most this many tools");

// The one day-memo window's state.
struct DayMemoState {
    HINSTANCE Module;
    EnvData* Env;
    AppInfo* Info;
    HICON BigIcon;
    HICON SmallIcon;
    int Open;
    DayMemoRecord Record;
    int Saved;     // a memo was written by this window
    int Modified;  // mark, time or an emptied text changed
    int HadMemo;   // the shown date had a stored memo when it was shown
    HFONT Font;
    HFONT EditFont;
    HWND ToolTip;  // one tooltip control for the controls' help
    int Sizing;  // 1 while the user drags the border
    int Opening;  // 1 during WM_INITDIALOG, which lays the window out once after placing it
    int OpenPeriod;  // the period memo window opens once this window has gone
    int InPeriod;    // opened from the period memo window, which refreshes the calendar when it closes
    // The shown date. The memo date of the live settings is only handed over at opening: the period memo window and
    // the calendar change it while this window is open.
    int Year;
    int Month;
    int Day;
};

DayMemoState s_memo;

HWND Edit(HWND window)
{
    return GetDlgItem(window, IDC_DAYMEMO_EDIT_TEXT);
}

int UserMarkCount()
{
    const EnvData* env = s_memo.Env;
    return env && env->UserMarks ? env->UserStyleMax : 0;
}

const UserMark* UserMarkOf(int markType)
{
    return IsKnownUserMark(markType, UserMarkCount()) ? &s_memo.Env->UserMarks[markType - MARK_KIND_USER_BASE]
                                                      : nullptr;
}

int EditHasText(HWND window)
{
    return GetWindowTextLengthA(Edit(window)) > 0;
}

int EditChanged(HWND window)
{
    return SendMessageA(Edit(window), EM_GETMODIFY, 0, 0) ? 1 : 0;
}

// The edit's text; the caller frees it with HeapFree. Null without memory.
char* EditText(HWND window)
{
    int length = GetWindowTextLengthA(Edit(window));
    char* text = (char*)AllocZeroed((size_t)length + 1);
    if (text)
        GetWindowTextA(Edit(window), text, length + 1);
    return text;
}

void Repaint(HWND window, int id)
{
    InvalidateRect(GetDlgItem(window, id), nullptr, FALSE);
}

void ClearPicker(HWND window)
{
    // Some pickers refuse "no time" without a time to ignore.
    SYSTEMTIME time;
    GetLocalTime(&time);
    SendDlgItemMessageA(window, IDC_DAYMEMO_TIME, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&time);
}

// The picker shows the record's time, or no time.
void ShowRecordTime(HWND window)
{
    if (!IsPopupTimeSet(s_memo.Record.Hour, s_memo.Record.Minute)) {
        ClearPicker(window);
        return;
    }
    HWND picker = GetDlgItem(window, IDC_DAYMEMO_TIME);
    SYSTEMTIME time;
    GetLocalTime(&time);
    time.wHour = (WORD)s_memo.Record.Hour;
    time.wMinute = (WORD)s_memo.Record.Minute;
    time.wSecond = 0;
    time.wMilliseconds = 0;
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&time);
}

// The mark list shows the record's mark; only the memo's own style has details to set.
void ShowMarkChoice(HWND window)
{
    int entry = DayMemoMarkEntry(s_memo.Record.Style.MarkType, UserMarkCount());
    SendDlgItemMessageA(window, IDC_DAYMEMO_COMBO_MARK, CB_SETCURSEL, (WPARAM)entry, 0);
    EnableWindow(GetDlgItem(window, IDC_DAYMEMO_BTN_MARK), entry == DAY_MEMO_MARK_OWN);
    Repaint(window, IDC_DAYMEMO_BTN_MARK);
}

void FillMarkList(HWND window)
{
    HWND list = GetDlgItem(window, IDC_DAYMEMO_COMBO_MARK);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)kOwnStyle);
    SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)kSeparator);
    for (int i = 0; i < UserMarkCount(); i++)
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)s_memo.Env->UserMarks[i].Name);
}

int IsToday(int year, int month, int day)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear == year && now.wMonth == month && now.wDay == day;
}

// The watcher announces today's memo at its new time, or no more once it is gone.
void ResetTodayAlarm(int hasText)
{
    SYSTEMTIME alarm = {};
    alarm.wHour = MEMO_TIME_UNSET;
    alarm.wMinute = MEMO_TIME_UNSET;
    if (hasText) {
        GetLocalTime(&alarm);
        alarm.wHour = (WORD)s_memo.Record.Hour;
        alarm.wMinute = (WORD)s_memo.Record.Minute;
        alarm.wSecond = 0;
        alarm.wMilliseconds = 0;
    }
    PublishSavedTodayAlarm(&g_memoSettings, &alarm);
}

// Writes the shown memo when it changed; 1 when the store holds it (or nothing was to be written), 0 after telling
// the user that it could not be written: the window then keeps the text.
int SaveMemo(HWND window)
{
    if (!EditChanged(window) && !s_memo.Modified)
        return 1;
    char* text = EditText(window);
    int hasText = text && text[0];
    int written = text && WriteDayMemo(&g_memoSettings, s_memo.Year, s_memo.Month, s_memo.Day,
                                       hasText ? text : nullptr, &s_memo.Record);
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    if (!written) {
        TellUser(window, kCannotSave, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if (IsToday(s_memo.Year, s_memo.Month, s_memo.Day))
        ResetTodayAlarm(hasText);
    s_memo.Saved = 1;
    s_memo.Modified = 0;
    s_memo.HadMemo = hasText;
    SendMessageA(Edit(window), EM_SETMODIFY, FALSE, 0);
    // An open period window lists the day as it is stored now, whichever window opened this one.
    RefreshPeriodMemoWindow();
    return 1;
}

// The shown date as the store holds it, with its time on the picker.
void ShowStoredMemo(HWND window)
{
    s_memo.HadMemo = ShowTodayMemoDate(window, &s_memo.Record, s_memo.Year, s_memo.Month, s_memo.Day);
    ShowRecordTime(window);
}

// The shown date becomes the memo date of the memo windows, for the repeat copy and the windows opened next.
void HandOverDate()
{
    g_memoSettings.MemoYear = s_memo.Year;
    g_memoSettings.MemoMonth = s_memo.Month;
    g_memoSettings.MemoDay = s_memo.Day;
}

// Before the shown memo goes: asks to keep a change. 1 when the window may go on, 0 when a wanted save failed.
int AskBeforeLeaving(HWND window)
{
    DayMemoQuestion question = DayMemoQuestionFor(EditChanged(window), s_memo.Modified, EditHasText(window),
                                                  s_memo.HadMemo);
    const char* text = question == DAY_MEMO_ASK_SAVE ? kChangedQuestion
                       : question == DAY_MEMO_ASK_DELETE ? kDeletedQuestion
                                                          : nullptr;
    if (text && TellUser(window, text, MB_YESNO | MB_ICONQUESTION) == IDYES)
        return SaveMemo(window);
    s_memo.Modified = 0;
    SendMessageA(Edit(window), EM_SETMODIFY, FALSE, 0);
    return 1;
}

// Ends the window; the calendar shows what was saved unless the period window that opened it does that.
void EndWindow(HWND window)
{
    if (s_memo.Saved && !s_memo.InPeriod) {
        if (s_memo.Env && s_memo.Env->MainWindow)
            SendMessageA(s_memo.Env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
        s_memo.Saved = 0;
        RedrawMiniMemo(s_memo.Env);
    }
    // The period window opened next, or the one that opened this window, goes on from the day shown last.
    HandOverDate();
    RememberMemoWindowRect(window, kRememberedRect);
    SetTodayMemoToolTips(window, 0);
    s_memo.Open = 0;
    EndDialog(window, s_memo.Saved);
}

// Closing as by "閉じる"; 0 when the window stays because a wanted save failed.
int Close(HWND window)
{
    if (!AskBeforeLeaving(window))
        return 0;
    EndWindow(window);
    return 1;
}

void TrackMemoMenu(HWND window)
{
    POINT cursor;
    if (g_memoSettings.MemoMenu && GetCursorPos(&cursor))
        TrackPopupMenu(g_memoSettings.MemoMenu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
}

void StepDate(HWND window, int command)
{
    if (!AskBeforeLeaving(window))
        return;
    StepDayMemoDate(command, &s_memo.Year, &s_memo.Month, &s_memo.Day);
    HandOverDate();
    // The picker follows the shown day: its time, or none.
    ShowStoredMemo(window);
}

// The repeat copy of the shown day's memo. The window stays on its day, so a change the user chose not to keep is
// dropped from the window too: a later 保存 would pass it by and close without writing what was shown.
void RepeatCopy(HWND window)
{
    int changed = EditChanged(window) || s_memo.Modified;
    if (!AskBeforeLeaving(window))
        return;
    if (changed)
        ShowStoredMemo(window);
    HandOverDate();
    if (ShowRepeatCopyDialog(s_memo.Module, window, s_memo.Info, s_memo.BigIcon, s_memo.SmallIcon) == IDOK) {
        s_memo.Saved = 1;
        RefreshPeriodMemoWindow();
    }
}

void Erase(HWND window)
{
    if (EditHasText(window) || EditChanged(window))
        s_memo.Modified = 1;
    SetWindowTextA(Edit(window), "");
    s_memo.Record.Hour = MEMO_TIME_UNSET;
    s_memo.Record.Minute = MEMO_TIME_UNSET;
    ClearPicker(window);
}

void ChooseMark(HWND window)
{
    int entry = (int)SendDlgItemMessageA(window, IDC_DAYMEMO_COMBO_MARK, CB_GETCURSEL, 0, 0);
    if (entry == DAY_MEMO_MARK_SEPARATOR)
        return;
    int userMark = DayMemoMarkTypeOfEntry(entry, UserMarkCount());
    if (userMark < 0) {
        // The memo's own style; a user mark it had lends it its whole style.
        const UserMark* had = UserMarkOf(s_memo.Record.Style.MarkType);
        if (had)
            s_memo.Record.Style = had->Style;
        if (entry != DAY_MEMO_MARK_OWN)
            SendDlgItemMessageA(window, IDC_DAYMEMO_COMBO_MARK, CB_SETCURSEL, DAY_MEMO_MARK_OWN, 0);
    } else {
        s_memo.Record.Style.MarkType = (BYTE)userMark;
    }
    EnableWindow(GetDlgItem(window, IDC_DAYMEMO_BTN_MARK), userMark < 0);
    Repaint(window, IDC_DAYMEMO_BTN_MARK);
    s_memo.Modified = 1;
}

INT_PTR OnCommand(HWND window, int id, int code)
{
    if (id >= IDC_MEMO_BTN_YEAR_BACK && id <= IDC_MEMO_BTN_DAY_NEXT) {
        StepDate(window, id);
    } else {
        switch (id) {
        case IDOK:
            if (SaveMemo(window))
                EndWindow(window);
            return TRUE;
        case IDCANCEL: Close(window); return TRUE;
        case IDM_DAYMEMO_SAVE: SaveMemo(window); break;
        case IDC_DAYMEMO_BTN_MENU: TrackMemoMenu(window); break;
        case IDM_DAYMEMO_ERASE: Erase(window); break;
        case IDC_DAYMEMO_BTN_MARK: OpenDayMemoMarkDialog(window); break;
        case IDHELP: ShowMemoHelp(window, s_memo.Info, kHelpTopic); break;
        case IDC_DAYMEMO_COMBO_MARK:
            if (code != CBN_SELCHANGE)
                return FALSE;
            ChooseMark(window);
            break;
        case IDM_DAYMEMO_REPEAT: RepeatCopy(window); break;
        case IDM_DAYMEMO_PERIOD:
            if (!Close(window))
                break;
            // Opened from the period window, this window only closes.
            s_memo.OpenPeriod = g_memoSettings.PeriodWindow ? 0 : 1;
            return TRUE;
        case IDM_MEMO_SETTINGS:
            if (!Close(window))
                break;
            // Posted: the memo settings open once this window has gone.
            if (s_memo.Env && s_memo.Env->MainWindow)
                PostMessageA(s_memo.Env->MainWindow, WM_COMMAND, IDM_MEMO_SETTINGS, 0);
            return TRUE;
        default: return FALSE;
        }
    }
    if (s_memo.Open)
        SetTodayMemoToolTips(window, 1);
    return TRUE;
}

INT_PTR OnNotify(HWND window, const NMHDR* header)
{
    if (header->idFrom != IDC_DAYMEMO_TIME || header->code != DTN_DATETIMECHANGE)
        return FALSE;
    const NMDATETIMECHANGE* change = (const NMDATETIMECHANGE*)header;
    // A time alone is no memo.
    if (EditHasText(window))
        s_memo.Modified = 1;
    PickerTime(change->dwFlags, &change->st, &s_memo.Record.Hour, &s_memo.Record.Minute);
    return TRUE;
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item)
{
    switch (item->CtlID) {
    case IDC_MEMO_BTN_YEAR_BACK:
    case IDC_MEMO_BTN_MONTH_BACK:
    case IDC_MEMO_BTN_WEEK_BACK:
    case IDC_MEMO_BTN_DAY_BACK:
    case IDC_MEMO_BTN_YEAR_NEXT:
    case IDC_MEMO_BTN_MONTH_NEXT:
    case IDC_MEMO_BTN_WEEK_NEXT:
    case IDC_MEMO_BTN_DAY_NEXT: {
        int back = (item->CtlID - IDC_MEMO_BTN_YEAR_BACK) % 2 == 0;
        DrawGlyphButton(item, back ? GLYPH_ARROW_LEFT : GLYPH_ARROW_RIGHT, kGlyphFill, kGlyphFocusFill,
                        kGlyphShadow, kGlyphLight, kGlyphDark);
        return TRUE;
    }
    case IDC_DAYMEMO_BTN_MARK: {
        const UserMark* mark = UserMarkOf(s_memo.Record.Style.MarkType);
        COLORREF color = mark ? mark->Style.MarkColor : s_memo.Record.Style.MarkColor;
        LOGFONTA font = {};
        const LOGFONTA* face = s_memo.Font && GetObjectA(s_memo.Font, sizeof(font), &font) ? &font : nullptr;
        DrawCaptionButton(item, kMarkButtonText, face, s_memo.Env ? s_memo.Env->ButtonStyle : 0, 1, color,
                          kEngraveColor, GetSysColor(COLOR_MENU), CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
        return TRUE;
    }
    }
    return FALSE;
}

void SetFonts(HWND window)
{
    s_memo.Font = SetMemoWindowFont(window, kFontControls, (int)std::size(kFontControls));
    if (g_memoSettings.MemoDialogFont == 1)
        s_memo.EditFont = SubstituteDialogFont(window, IDC_DAYMEMO_EDIT_TEXT);
}

INT_PTR OnInitDialog(HWND window)
{
    if (s_memo.Open) {
        EndDialog(window, DAY_MEMO_ALREADY_OPEN);
        return TRUE;
    }
    s_memo.Open = 1;
    s_memo.Opening = 1;
    char caption[256];
    snprintf(caption, sizeof(caption), kCaptionFormat, s_memo.Info ? s_memo.Info->GetAppName() : MessageCaption());
    SetWindowTextA(window, caption);
    AppInfo::SetWindowIcons(window, s_memo.BigIcon, s_memo.SmallIcon);
    s_memo.Saved = 0;
    s_memo.Modified = 0;
    MemoSettings& memo = g_memoSettings;
    if (memo.MemoDay == 0)
        memo.MemoDay = 1;
    if ((memo.MemoYear == 0 || memo.MemoMonth == 0) && s_memo.Env) {
        memo.MemoYear = s_memo.Env->ShownMonth.wYear;
        memo.MemoMonth = s_memo.Env->ShownMonth.wMonth;
    }
    s_memo.Year = memo.MemoYear;
    s_memo.Month = memo.MemoMonth;
    s_memo.Day = memo.MemoDay;
    SetFonts(window);
    // Even a memo made only of escaped characters fits the store's line.
    SendMessageA(Edit(window), EM_LIMITTEXT, (WPARAM)DayMemoTextLimit(), 0);
    FillMarkList(window);
    SendDlgItemMessageA(window, IDC_DAYMEMO_TIME, DTM_SETFORMATA, 0, (LPARAM)kTimeFormat);
    ShowStoredMemo(window);
    if (memo.MemoAutoIME == 1)
        SetImeOpen(Edit(window), 1);
    PlaceMemoWindow(window, kRememberedRect);
    s_memo.Opening = 0;
    LayoutTodayMemoDlg(window);
    SetTimer(window, kToolTipTimer, kToolTipTimerMs, nullptr);
    SetFocus(Edit(window));
    return FALSE;
}

// The first tooltips, unless a command has made them already.
INT_PTR OnTimer(HWND window, WPARAM timer)
{
    if (timer != kToolTipTimer)
        return FALSE;
    KillTimer(window, kToolTipTimer);
    if (s_memo.Open && !s_memo.ToolTip)
        SetTodayMemoToolTips(window, 1);
    return TRUE;
}

// While the user drags the border the window is repainted once at the end; a size set at once (maximised, restored,
// moved by a program) repaints at once.
INT_PTR OnSize(HWND window, WPARAM kind)
{
    if (kind == SIZE_MINIMIZED || s_memo.Opening)
        return TRUE;
    LayoutTodayMemoDlg(window);
    if (!s_memo.Sizing)
        RepaintMemoWindow(window);
    return TRUE;
}

INT_PTR OnExitSizeMove(HWND window)
{
    s_memo.Sizing = 0;
    RepaintMemoWindow(window);
    return TRUE;
}

void OnDestroy()
{
    s_memo.Open = 0;
    if (s_memo.Font)
        DeleteObject(s_memo.Font);
    if (s_memo.EditFont)
        DeleteObject(s_memo.EditFont);
    s_memo.Font = nullptr;
    s_memo.EditFont = nullptr;
}

void Move(HWND window, int id, const DayMemoBox& box, UINT flags = 0)
{
    HWND control = GetDlgItem(window, id);
    if (control)
        SetWindowPos(control, nullptr, box.X, box.Y, box.Width, box.Height, SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

}  // namespace

INT_PTR ShowDayMemoWindow(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, HICON bigIcon, HICON smallIcon)
{
    if (s_memo.Open)
        return DAY_MEMO_ALREADY_OPEN;
    if (!module)
        return 0;
    s_memo.Module = module;
    s_memo.Env = env;
    s_memo.Info = info;
    s_memo.BigIcon = bigIcon;
    s_memo.SmallIcon = smallIcon;
    s_memo.OpenPeriod = 0;
    s_memo.InPeriod = owner && owner == g_memoSettings.PeriodWindow;
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_DAYMEMO), owner, TodayMemoDlgProc, 0);
    if (s_memo.OpenPeriod) {
        s_memo.OpenPeriod = 0;
        HWND calendar = env && env->MainWindow ? env->MainWindow : owner;
        if (ShowPeriodMemoWindow(module, calendar, env, info, bigIcon, smallIcon) == 1)
            result = 0;
    }
    return result < 0 ? 0 : result;
}

INT_PTR CALLBACK TodayMemoDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY: return OnNotify(window, (const NMHDR*)lParam);
    case WM_DRAWITEM: return OnDrawItem((const DRAWITEMSTRUCT*)lParam);
    case WM_RBUTTONDOWN: TrackMemoMenu(window); return TRUE;
    case WM_SIZE: return OnSize(window, wParam);
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_ENTERSIZEMOVE: s_memo.Sizing = 1; return TRUE;
    case WM_EXITSIZEMOVE: return OnExitSizeMove(window);
    case WM_SETCURSOR: RelayDialogToolTip(s_memo.ToolTip, wParam, lParam); return FALSE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    }
    return FALSE;
}

int ShowTodayMemoDate(HWND window, DayMemoRecord* record, int year, int month, int day)
{
    if (!window || !record)
        return 0;
    WeekdayNameSet weekdays(WEEK_SET_KANJI, nullptr);
    char caption[128];
    snprintf(caption, sizeof(caption), kDateFormat, year, (long)month, (long)day,
             weekdays.Name(DayOfWeek(year, month, day)));
    SetDlgItemTextA(window, IDC_MEMO_LABEL_DATE, caption);

    MemoStoreSettings store = MemoStoreOf(&g_memoSettings);
    DayMemoRecord read = {};
    read.Style = g_memoSettings.MemoStyle;
    char* text = ReadDayMemoText(nullptr, year, month, day, &store, &read, 0);
    if (text) {
        *record = read;
        SetWindowTextA(Edit(window), text);
        HeapFree(GetProcessHeap(), 0, text);
    } else {
        record->Style = g_memoSettings.MemoStyle;
        record->Hour = MEMO_TIME_UNSET;
        record->Minute = MEMO_TIME_UNSET;
        SetWindowTextA(Edit(window), "");
    }
    SendMessageA(Edit(window), EM_SETMODIFY, FALSE, 0);
    ShowMarkChoice(window);
    InvalidateRect(window, nullptr, TRUE);
    return text ? 1 : 0;
}

void LayoutTodayMemoDlg(HWND window)
{
    RECT client;
    if (!window || !GetClientRect(window, &client))
        return;
    DayMemoLayoutInput input = {};
    input.ClientWidth = client.right;
    input.ClientHeight = client.bottom;
    input.FontSize = g_memoSettings.MemoFontSize;
    input.EditTop = ControlClientBox(window, IDC_DAYMEMO_EDIT_TEXT).top;
    for (int i = 0; i < DAY_MEMO_STEP_CONTROLS; i++) {
        RECT box = ControlClientBox(window, DayMemoStepOrder[i]);
        input.Steps[i] = {box.right - box.left, box.bottom - box.top};
    }
    DayMemoLayout layout = LayoutDayMemo(&input);
    Move(window, IDC_DAYMEMO_BTN_MENU, layout.Menu);
    Move(window, IDC_DAYMEMO_BTN_MARK, layout.MarkButton);
    Move(window, IDC_DAYMEMO_LABEL_MARK, layout.MarkLabel);
    Move(window, IDC_DAYMEMO_COMBO_MARK, layout.MarkList, SWP_NOSIZE);
    Move(window, IDHELP, layout.Help);
    Move(window, IDOK, layout.Save);
    Move(window, IDCANCEL, layout.Cancel);
    Move(window, IDC_DAYMEMO_LABEL_TIME, layout.TimeLabel);
    Move(window, IDC_DAYMEMO_TIME, layout.TimePicker);
    Move(window, IDC_DAYMEMO_EDIT_TEXT, layout.Edit);
    for (int i = 0; i < DAY_MEMO_STEP_CONTROLS; i++)
        Move(window, DayMemoStepOrder[i], layout.Steps[i]);
}

void SetTodayMemoToolTips(HWND window, int create)
{
    if (!create || !window) {
        DestroyDialogToolTips(&s_memo.ToolTip);
        return;
    }
    int balloon = s_memo.Env ? s_memo.Env->BalloonTip : 0;
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(window, GWLP_HINSTANCE);
    SetDialogToolTips(instance, window, &s_memo.ToolTip, kToolTips, (int)std::size(kToolTips), balloon);
}

HMENU CreateDayMemoMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    AppendMenuA(menu, MF_STRING, IDM_DAYMEMO_PERIOD, "期間メモ");
    AppendMenuA(menu, MF_STRING, IDM_MEMO_SETTINGS, "メモ操作設定");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_DAYMEMO_REPEAT, "繰り返し");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_DAYMEMO_ERASE, "消去");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDOK, "保存して閉じる");
    AppendMenuA(menu, MF_STRING, IDCANCEL, "閉じる");
    return menu;
}

void OpenDayMemoMarkDialog(HWND window)
{
    // The button serves the memo's own style only; a user mark chosen in the list disables it.
    FontStyle style = s_memo.Record.Style;
    if (!ShowMemoMarkDialog(window, s_memo.Module, s_memo.Env, &style, kMarkDialogTitle))
        return;
    s_memo.Record.Style = style;
    s_memo.Modified = 1;
    Repaint(window, IDC_DAYMEMO_BTN_MARK);
}
