#include "PeriodMemoWindow.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <iterator>

#include "AppInfo.h"
#include "ControlToolTip.h"
#include "DateUtil.h"
#include "DayMemoRules.h"
#include "DayMemoWindow.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "GlyphButton.h"
#include "HeapUtil.h"
#include "Holiday.h"
#include "LanguageResources.h"
#include "ListViewHit.h"
#include "Memo.h"
#include "MemoDialogIds.h"
#include "MemoWindowParts.h"
#include "MemoWriter.h"
#include "MemorialDays.h"
#include "MiniMemoModule.h"
#include "PeriodMemoRules.h"
#include "RepeatMemo.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kMonthCaption[] = "%04ld年%2ld月 のメモ";
const char kAroundCaption[] = "%04ld年%2ld月%2ld日(%s) 前後のメモ";
const char kWeekdays[7][3] = {"日", "月", "火", "水", "木", "金", "土"};
const char kDateColumn[] = "日付";
const char kMemoColumn[] = "メモ";
// The widest date text: the date column is made 9/8 of its width.
const char kWidestDate[] = "2005年12月31日(土)";
const char kProbeRow[] = "test";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse05.html#weekmemo";
const MemoWindowRect kRememberedRect = {&g_memoSettings.WeekMemoWindowX, &g_memoSettings.WeekMemoWindowY,
                                        &g_memoSettings.WeekMemoWindowWidth, &g_memoSettings.WeekMemoWindowHeight};
const int kDatePercent = 30;
// The window's bottom is kept this far above the work area's bottom when the period grows.
const int kBottomMargin = 5;
const COLORREF kMiddleLine = 0xC0C0C0;
const COLORREF kOtherLine = 0xE0E0E0;
// The step buttons' greens, as in the day-memo window: fill, focused fill, shadow, light and dark edge.
const COLORREF kGlyphFill = 0xC4FFC4;
const COLORREF kGlyphFocusFill = 0x00FF00;
const COLORREF kGlyphShadow = 0xE0FFE0;
const COLORREF kGlyphLight = 0x40FF40;
const COLORREF kGlyphDark = 0x008000;
// Bytes of a cell's text as it is drawn: a row shows one line, cut with an ellipsis.
const int kCellTextSize = 2048;

// Controls that take the window's own font.
const int kFontControls[] = {IDC_PERIODMEMO_COMBO_PERIOD, IDCANCEL, IDOK, IDHELP, IDC_PERIODMEMO_LIST};

const ControlToolTipText kToolTips[] = {
    {IDC_PERIODMEMO_LIST, "メモの一覧リストです．"},
    {IDC_MEMO_BTN_YEAR_BACK, "日付を一年前に変更します．"},
    {IDC_MEMO_BTN_YEAR_NEXT, "日付を一年後に変更します．"},
    {IDC_MEMO_BTN_MONTH_BACK, "日付を一月前に変更します．"},
    {IDC_MEMO_BTN_MONTH_NEXT, "日付を一月後に変更します．"},
    {IDC_MEMO_BTN_WEEK_BACK, "日付を一週間前に変更します．"},
    {IDC_MEMO_BTN_WEEK_NEXT, "日付を一週間後に変更します．"},
    {IDC_MEMO_BTN_DAY_BACK, "日付を一日前に変更します．"},
    {IDC_MEMO_BTN_DAY_NEXT, "日付を一日後に変更します．"},
    {IDC_PERIODMEMO_COMBO_PERIOD, "期間メモを表示する日数を設定します．"},
    {IDHELP, "ヘルプを表示します．"},
    {IDOK, "リスト中で選択している日の一日メモウィンドウを開きます．"},
    {IDCANCEL, "期間メモウィンドウを閉じます．"},
};
static_assert(std::size(kToolTips) <= PERIOD_MEMO_TOOLTIP_MAX, "the window keeps at most this many tools");

// The one period memo window's state.
struct PeriodMemoState {
    HINSTANCE Module;
    EnvData* Env;
    AppInfo* Info;
    HICON BigIcon;
    HICON SmallIcon;
    int Open;
    int Changed;    // a memo was saved from a day-memo window opened here, or the period changed
    int MemoSaved;  // a memo was saved from a day-memo window opened here
    int Mode;       // the period shown
    int MiddleRow;  // the memo date's row, -1 for none
    HFONT Font;
    HFONT ListFont;
    HWND ToolTip;  // one tooltip control for the controls' help
    int Sizing;  // 1 while the user drags the border
    // The date the period is shown around. A day-memo window opened elsewhere (the tray, the calendar) changes the
    // memo date of the live settings while this window is open.
    int Year;
    int Month;
    int Day;
};

PeriodMemoState s_period;
PeriodMemoHolidaySource s_holidaySource;

HWND List(HWND window)
{
    return GetDlgItem(window, IDC_PERIODMEMO_LIST);
}

RECT WorkArea()
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The memo column of a date: memo, repeating memos and memorial days on one line; null for none.
char* RowMemoText(int year, int month, int day)
{
    MemoStoreSettings store = MemoStoreOf(&g_memoSettings);
    DayMemoRecord record = {};
    char* memo = ReadDayMemoText(nullptr, year, month, day, &store, &record, 1);
    int holidayCount = 0;
    const HolidayRecord* holidays = s_holidaySource ? s_holidaySource(&holidayCount) : nullptr;
    // The main thread is the only one to replace the repeating memos: it reads them without the lock.
    char* repeats = GetRepeatMemoText(g_repeatMemos.Records, g_repeatMemos.Texts, g_repeatMemos.Count, holidays,
                                      holidays ? holidayCount : 0, year, month, day, nullptr, 1);
    char names[HOLIDAY_NAME_SIZE] = "";
    CheckMemorialDay(year, month, day, DayOfWeek(year, month, day), 0, names);
    char* text = JoinPeriodMemoText(memo, repeats, names);
    if (memo)
        HeapFree(GetProcessHeap(), 0, memo);
    if (repeats)
        HeapFree(GetProcessHeap(), 0, repeats);
    return text;
}

void SetCaption(HWND window)
{
    char caption[128];
    if (s_period.Mode == PERIOD_MEMO_MONTH)
        snprintf(caption, sizeof(caption), kMonthCaption, (long)s_period.Year, (long)s_period.Month);
    else
        snprintf(caption, sizeof(caption), kAroundCaption, (long)s_period.Year, (long)s_period.Month,
                 (long)s_period.Day, kWeekdays[DayOfWeek(s_period.Year, s_period.Month, s_period.Day)]);
    SetDlgItemTextA(window, IDC_MEMO_LABEL_DATE, caption);
}

// The period around the memo date of the live settings.
void TakeMemoDate()
{
    s_period.Year = g_memoSettings.MemoYear;
    s_period.Month = g_memoSettings.MemoMonth;
    s_period.Day = g_memoSettings.MemoDay;
}

// The memo date of the memo windows becomes the date the period is shown around.
void HandOverDate()
{
    g_memoSettings.MemoYear = s_period.Year;
    g_memoSettings.MemoMonth = s_period.Month;
    g_memoSettings.MemoDay = s_period.Day;
}

// The date of a row as its date column shows it; 0 when it cannot be read back.
int RowDate(HWND list, int row, int* year, int* month, int* day)
{
    char text[PERIOD_MEMO_DATE_SIZE] = "";
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    return ReadPeriodMemoDate(text, year, month, day);
}

int InsertRow(HWND list, int row, const char* text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = (char*)text;
    return (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
}

void SetRowMemo(HWND list, int row, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = (char*)text;
    SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
}

// Height of one row, measured on a probe row.
int MeasureRowHeight(HWND list)
{
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int height = 0;
    if (InsertRow(list, 0, kProbeRow) >= 0) {
        RECT box = {};
        box.left = LVIR_BOUNDS;
        if (SendMessageA(list, LVM_GETITEMRECT, 0, (LPARAM)&box))
            height = box.bottom - box.top;
    }
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    return height;
}

void SetColumnWidths(HWND window)
{
    HWND list = List(window);
    RECT client;
    if (!GetClientRect(list, &client))
        return;
    int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    SIZE date = {};
    int dateWidth = GetTextSizeWithFont(window, s_period.Font, kWidestDate, &date) ? date.cx * 9 / 8
                                                                                    : width * kDatePercent / 100;
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, dateWidth);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, width - dateWidth > 0 ? width - dateWidth : 0);
}

void AddColumns(HWND window)
{
    HWND list = List(window);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client = {};
    GetClientRect(list, &client);
    int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.pszText = (char*)kDateColumn;
    column.cx = width * kDatePercent / 100;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    column.pszText = (char*)kMemoColumn;
    column.cx = width - column.cx;
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);
}

void FillModeList(HWND window)
{
    HWND combo = GetDlgItem(window, IDC_PERIODMEMO_COMBO_PERIOD);
    RECT area = WorkArea();
    int entries = area.bottom - area.top >= PERIOD_MEMO_MONTH_MIN_HEIGHT ? PERIOD_MEMO_MODES : PERIOD_MEMO_MONTH;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < entries; i++)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)PeriodMemoModeNames[i]);
    s_period.Mode = PeriodMemoShownMode(g_memoSettings.WeekMemoMode, area.bottom - area.top);
    g_memoSettings.WeekMemoMode = (BYTE)s_period.Mode;
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)s_period.Mode, 0);
}

// Closing: the calendar shows what changed, and so does the mini memo when a memo was saved here (the day-memo
// windows opened from this one leave both to it).
void Close(HWND window)
{
    RememberMemoWindowRect(window, kRememberedRect);
    g_memoSettings.PeriodWindow = nullptr;
    int result = 0;
    if (s_period.Changed) {
        if (s_period.Env && s_period.Env->MainWindow)
            SendMessageA(s_period.Env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
        if (s_period.MemoSaved)
            RedrawMiniMemo(s_period.Env);
        s_period.Changed = 0;
        s_period.MemoSaved = 0;
        result = 1;
    }
    s_period.Open = 0;
    SetWeekMemoToolTips(window, 0);
    EndDialog(window, result);
}

// The selected row's day in the day-memo window over this one.
void OpenSelectedDay(HWND window)
{
    HWND list = List(window);
    int row = GetSelectedListItem(list, -1);
    int year, month, day;
    if (row < 0 || !s_period.Module || !RowDate(list, row, &year, &month, &day))
        return;
    g_memoSettings.MemoYear = year;
    g_memoSettings.MemoMonth = month;
    g_memoSettings.MemoDay = day;
    INT_PTR shown = ShowDayMemoWindow(s_period.Module, window, s_period.Env, s_period.Info, s_period.BigIcon,
                                      s_period.SmallIcon);
    if (shown == 1) {
        s_period.Changed = 1;
        s_period.MemoSaved = 1;
    }
    // The period follows the day the day-memo window ended on; while one opened elsewhere is open, none opened.
    if (shown == DAY_MEMO_ALREADY_OPEN)
        HandOverDate();
    else
        TakeMemoDate();
    FillWeekMemoList(window);
}

// A new period: the window is moved up when its bottom would leave the work area.
void ChangeMode(HWND window)
{
    int entry = (int)SendDlgItemMessageA(window, IDC_PERIODMEMO_COMBO_PERIOD, CB_GETCURSEL, 0, 0);
    if (entry < 0 || entry >= PERIOD_MEMO_MODES)
        return;
    s_period.Mode = entry;
    g_memoSettings.WeekMemoMode = (BYTE)entry;
    s_period.Changed = 1;
    RECT box, area = WorkArea();
    if (GetWindowRect(window, &box) && box.bottom > area.bottom - kBottomMargin) {
        int top = area.bottom - kBottomMargin - (box.bottom - box.top);
        SetWindowPos(window, nullptr, box.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FillWeekMemoList(window);
}

INT_PTR OnCommand(HWND window, int id, int code)
{
    if (id >= IDC_MEMO_BTN_YEAR_BACK && id <= IDC_MEMO_BTN_DAY_NEXT) {
        StepDayMemoDate(id, &s_period.Year, &s_period.Month, &s_period.Day);
        HandOverDate();
        FillWeekMemoList(window);
    } else {
        switch (id) {
        case IDOK: OpenSelectedDay(window); break;
        case IDCANCEL: Close(window); return TRUE;
        case IDHELP: ShowMemoHelp(window, s_period.Info, kHelpTopic); break;
        case IDC_PERIODMEMO_COMBO_PERIOD:
            if (code != CBN_SELCHANGE)
                return FALSE;
            ChangeMode(window);
            break;
        default: return FALSE;
        }
    }
    if (s_period.Open)
        SetWeekMemoToolTips(window, 1);
    return TRUE;
}

INT_PTR OnNotify(HWND window, const NMHDR* header)
{
    if (header->idFrom != IDC_PERIODMEMO_LIST || header->code != NM_DBLCLK)
        return FALSE;
    OpenSelectedDay(window);
    if (s_period.Open)
        SetWeekMemoToolTips(window, 1);
    return TRUE;
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item)
{
    if (item->CtlID == IDC_PERIODMEMO_LIST) {
        DrawWeekMemoItem(item);
        return TRUE;
    }
    if (item->CtlID < IDC_MEMO_BTN_YEAR_BACK || item->CtlID > IDC_MEMO_BTN_DAY_NEXT)
        return FALSE;
    int back = (item->CtlID - IDC_MEMO_BTN_YEAR_BACK) % 2 == 0;
    DrawGlyphButton(item, back ? GLYPH_ARROW_LEFT : GLYPH_ARROW_RIGHT, kGlyphFill, kGlyphFocusFill, kGlyphShadow,
                    kGlyphLight, kGlyphDark);
    return TRUE;
}

INT_PTR OnMeasureItem(MEASUREITEMSTRUCT* item)
{
    if (item->CtlID != IDC_PERIODMEMO_LIST)
        return FALSE;
    item->itemHeight = g_memoSettings.MemoFontSize * 5 / 4;
    return TRUE;
}

void SetFonts(HWND window)
{
    s_period.Font = SetMemoWindowFont(window, kFontControls, (int)std::size(kFontControls));
    if (g_memoSettings.MemoDialogFont == 1)
        s_period.ListFont = SubstituteDialogFont(window, IDC_PERIODMEMO_LIST);
}

INT_PTR OnInitDialog(HWND window)
{
    if (s_period.Open) {
        EndDialog(window, PERIOD_MEMO_ALREADY_OPEN);
        return TRUE;
    }
    s_period.Open = 1;
    g_memoSettings.PeriodWindow = window;
    AppInfo::SetWindowIcons(window, s_period.BigIcon, s_period.SmallIcon);
    s_period.Changed = 0;
    s_period.MemoSaved = 0;
    SetFonts(window);
    FillModeList(window);
    AddColumns(window);
    MemoSettings& memo = g_memoSettings;
    if (s_period.Mode != PERIOD_MEMO_MONTH && (memo.MemoYear == 0 || memo.MemoMonth == 0) && s_period.Env) {
        memo.MemoYear = s_period.Env->ShownMonth.wYear;
        memo.MemoMonth = s_period.Env->ShownMonth.wMonth;
    }
    // A date the arithmetic cannot walk is today's month.
    if (memo.MemoMonth < 1 || memo.MemoMonth > 12 || memo.MemoYear < 1) {
        SYSTEMTIME today;
        GetLocalTime(&today);
        memo.MemoYear = today.wYear;
        memo.MemoMonth = today.wMonth;
    }
    if (memo.MemoDay < 1)
        memo.MemoDay = 1;
    if (memo.MemoDay > DaysInMonth(memo.MemoYear, memo.MemoMonth))
        memo.MemoDay = DaysInMonth(memo.MemoYear, memo.MemoMonth);
    TakeMemoDate();
    // The list is filled at its final size and with its final columns: the memo date is centred in the rows it
    // shows.
    PlaceMemoWindow(window, kRememberedRect);
    LayoutWeekMemoDlg(window);
    SetColumnWidths(window);
    FillWeekMemoList(window);
    SetWeekMemoToolTips(window, 1);
    SetFocus(List(window));
    return FALSE;
}

INT_PTR OnSize(HWND window, WPARAM kind)
{
    if (kind == SIZE_MINIMIZED)
        return TRUE;
    LayoutWeekMemoDlg(window);
    if (!s_period.Sizing)
        RepaintMemoWindow(window);
    return TRUE;
}

INT_PTR OnExitSizeMove(HWND window)
{
    s_period.Sizing = 0;
    RepaintMemoWindow(window);
    return TRUE;
}

void OnDestroy()
{
    s_period.Open = 0;
    if (g_memoSettings.PeriodWindow)
        g_memoSettings.PeriodWindow = nullptr;
    if (s_period.Font)
        DeleteObject(s_period.Font);
    if (s_period.ListFont)
        DeleteObject(s_period.ListFont);
    s_period.Font = nullptr;
    s_period.ListFont = nullptr;
}

void Move(HWND window, int id, const PeriodMemoBox& box, UINT flags = 0)
{
    HWND control = GetDlgItem(window, id);
    if (control)
        SetWindowPos(control, nullptr, box.X, box.Y, box.Width, box.Height, SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

SIZE SizeOf(const RECT& box)
{
    SIZE size = {box.right - box.left, box.bottom - box.top};
    return size;
}

}  // namespace

void SetPeriodMemoHolidaySource(PeriodMemoHolidaySource source)
{
    s_holidaySource = source;
}

INT_PTR ShowPeriodMemoWindow(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, HICON bigIcon,
                             HICON smallIcon)
{
    if (s_period.Open)
        return PERIOD_MEMO_ALREADY_OPEN;
    if (!module)
        return 0;
    s_period.Module = module;
    s_period.Env = env;
    s_period.Info = info;
    s_period.BigIcon = bigIcon;
    s_period.SmallIcon = smallIcon;
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_PERIODMEMO), owner, WeekMemoDlgProc, 0);
    return result < 0 ? 0 : result;
}

INT_PTR CALLBACK WeekMemoDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY: return OnNotify(window, (const NMHDR*)lParam);
    case WM_DRAWITEM: return OnDrawItem((const DRAWITEMSTRUCT*)lParam);
    case WM_MEASUREITEM: return OnMeasureItem((MEASUREITEMSTRUCT*)lParam);
    case WM_SIZE: return OnSize(window, wParam);
    case WM_ENTERSIZEMOVE: s_period.Sizing = 1; return TRUE;
    case WM_EXITSIZEMOVE: return OnExitSizeMove(window);
    case WM_SETCURSOR: RelayDialogToolTip(s_period.ToolTip, wParam, lParam); return FALSE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    }
    return FALSE;
}

void FillWeekMemoList(HWND window)
{
    if (!window)
        return;
    HWND list = List(window);
    SetCaption(window);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int rowHeight = MeasureRowHeight(list);
    PeriodMemoDate dates[PERIOD_MEMO_MAX_ROWS];
    int rows = PeriodMemoDates(s_period.Mode, s_period.Year, s_period.Month, s_period.Day, dates);
    g_memoSettings.PeriodRowCount = rows;
    for (int row = 0; row < rows; row++) {
        char date[PERIOD_MEMO_DATE_SIZE];
        FormatPeriodMemoDate(dates[row].Year, dates[row].Month, dates[row].Day, date, sizeof(date));
        int at = InsertRow(list, row, date);
        char* text = RowMemoText(dates[row].Year, dates[row].Month, dates[row].Day);
        if (text) {
            if (at >= 0)
                SetRowMemo(list, at, text);
            HeapFree(GetProcessHeap(), 0, text);
        }
    }
    // The month has no middle row: the hot row of a week period before it goes.
    s_period.MiddleRow = PeriodMemoMiddleRow(s_period.Mode, rows);
    SendMessageA(list, LVM_SETHOTITEM, (WPARAM)s_period.MiddleRow, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    // The memo date stands in the middle of the list. The scroll is counted from the top: emptying the list need
    // not take the old scroll back (Wine's list keeps it while its redraw is off).
    SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
    RECT client;
    if (GetClientRect(list, &client))
        SendMessageA(list, LVM_SCROLL, 0, (rowHeight * (rows + 1) + client.top - client.bottom) / 2);
    InvalidateRect(list, nullptr, TRUE);
}

void RefreshPeriodMemoWindow()
{
    HWND window = s_period.Open ? g_memoSettings.PeriodWindow : nullptr;
    if (!window)
        return;
    // Only the memo column changes: the rows, the selection and the scroll stay where the user left them.
    HWND list = List(window);
    int rows = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < rows; row++) {
        int year, month, day;
        if (!RowDate(list, row, &year, &month, &day))
            continue;
        char* text = RowMemoText(year, month, day);
        SetRowMemo(list, row, text ? text : "");
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
    }
    InvalidateRect(list, nullptr, TRUE);
}

void DrawListCellText(HDC dc, const char* text, const RECT* cell, int format)
{
    if (!dc || !text || !cell)
        return;
    RECT box = *cell;
    box.left += 2;
    UINT align = DT_LEFT;
    if ((format & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) {
        align = DT_RIGHT;
        box.right -= 6;
    } else if ((format & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER) {
        align = DT_CENTER;
    }
    DrawTextExA(dc, (char*)text, -1, &box, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS,
                nullptr);
}

void DrawWeekMemoItem(const DRAWITEMSTRUCT* item)
{
    if (!item || !item->hwndItem)
        return;
    HWND list = item->hwndItem;
    HDC dc = item->hDC;
    int selected = (item->itemState & ODS_SELECTED) != 0;
    COLORREF background, foreground;
    if (selected) {
        background = GetSysColor(COLOR_HIGHLIGHT);
        foreground = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        background = (COLORREF)SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0);
        if (background == CLR_NONE || background == CLR_DEFAULT)
            background = GetSysColor(COLOR_WINDOW);
        foreground = GetSysColor(COLOR_WINDOWTEXT);
    }
    HFONT font = (HFONT)SendMessageA(list, WM_GETFONT, 0, 0);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    int middle = (int)item->itemID == s_period.MiddleRow;
    HPEN pen = CreatePen(middle ? PS_SOLID : PS_DOT, 1, middle ? kMiddleLine : kOtherLine);
    HGDIOBJ oldPen = pen ? SelectObject(dc, pen) : nullptr;
    HBRUSH brush = CreateSolidBrush(background);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldBk = SetBkColor(dc, background);

    char today[PERIOD_MEMO_DATE_SIZE];
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatPeriodMemoDate(now.wYear, now.wMonth, now.wDay, today, sizeof(today));

    char* text = (char*)AllocZeroed(kCellTextSize);
    int x = item->rcItem.left;
    int columns = 2;
    for (int column = 0; column < columns; column++) {
        LVCOLUMNA info = {};
        info.mask = LVCF_FMT | LVCF_WIDTH;
        if (!SendMessageA(list, LVM_GETCOLUMNA, (WPARAM)column, (LPARAM)&info))
            break;
        RECT cell = {x, item->rcItem.top, x + info.cx, item->rcItem.bottom};
        x += info.cx;
        if (brush)
            FillRect(dc, &cell, brush);
        if (text) {
            text[0] = 0;
            LVITEMA cellItem = {};
            cellItem.iSubItem = column;
            cellItem.pszText = text;
            cellItem.cchTextMax = kCellTextSize;
            SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)item->itemID, (LPARAM)&cellItem);
            COLORREF color = foreground;
            if (column == 0 && !selected)
                color = PeriodMemoDateColor(PeriodMemoDateLookOf(text, today), foreground);
            SetTextColor(dc, color);
            DrawListCellText(dc, text, &cell, info.fmt);
        }
        MoveToEx(dc, cell.left, cell.bottom - 1, nullptr);
        LineTo(dc, cell.right, cell.bottom - 1);
    }
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item->rcItem);

    SetBkColor(dc, oldBk);
    SetBkMode(dc, oldMode);
    if (brush)
        DeleteObject(brush);
    if (oldPen)
        SelectObject(dc, oldPen);
    if (pen)
        DeleteObject(pen);
    if (oldFont)
        SelectObject(dc, oldFont);
}

void LayoutWeekMemoDlg(HWND window)
{
    RECT client;
    if (!window || !GetClientRect(window, &client))
        return;
    PeriodMemoLayoutInput input = {};
    input.ClientWidth = client.right;
    input.ClientHeight = client.bottom;
    input.FontSize = g_memoSettings.MemoFontSize;
    input.ListTop = ControlClientBox(window, IDC_PERIODMEMO_LIST).top;
    input.Period = SizeOf(ControlClientBox(window, IDC_PERIODMEMO_COMBO_PERIOD));
    for (int i = 0; i < PERIOD_MEMO_STEP_CONTROLS; i++)
        input.Steps[i] = SizeOf(ControlClientBox(window, PeriodMemoStepOrder[i]));
    PeriodMemoLayout layout = LayoutPeriodMemo(&input);
    Move(window, IDC_PERIODMEMO_COMBO_PERIOD, layout.Period, SWP_NOSIZE);
    Move(window, IDHELP, layout.Help);
    Move(window, IDOK, layout.Open);
    Move(window, IDCANCEL, layout.Close);
    Move(window, IDC_PERIODMEMO_LIST, layout.List);
    for (int i = 0; i < PERIOD_MEMO_STEP_CONTROLS; i++)
        Move(window, PeriodMemoStepOrder[i], layout.Steps[i]);
}

void SetWeekMemoToolTips(HWND window, int create)
{
    if (!create || !window) {
        DestroyDialogToolTips(&s_period.ToolTip);
        return;
    }
    int balloon = s_period.Env ? s_period.Env->BalloonTip : 0;
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(window, GWLP_HINSTANCE);
    SetDialogToolTips(instance, window, &s_period.ToolTip, kToolTips, (int)std::size(kToolTips), balloon);
}
