// Page " 検索 " of the memo settings: the search of the memo store. The word's history lives in the working record
// and reaches the live one when the dialog applies; a double click on a hit opens its day in the day-memo window.
#include "MemoSettingsDialog.h"

#include <commctrl.h>

#include <stdio.h>

#include "DateUtil.h"
#include "DayMemoWindow.h"
#include "DialogTheme.h"
#include "FontUtil.h"
#include "ListViewHit.h"
#include "Memo.h"
#include "MemoSearch.h"

namespace {

const char kDateColumn[] = "日付";
const char kMemoColumn[] = "メモ";
// The widest date the date column shows.
const char kWidestDate[] = "2004年12月12日(月)";
const char* const kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
// The blank date of a day's further hits.
const char kContinuedDate[] = " ";
// Room either side of a column's text.
const int kColumnPadding = 12;
const int kDateTextSize = 64;

MemoSettingsDlgData* Data(HWND page)
{
    return (MemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
}

int IsChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

// The history into the word list; with selectFirst 1 its first entry shows in the edit.
void FillWordList(HWND page, const MemoSettings* work, int selectFirst)
{
    HWND combo = GetDlgItem(page, IDC_MEMOSEARCH_COMBO_WORD);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < MEMO_SEARCH_HISTORY_COUNT && work->MemoSearch[i]; i++)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)work->MemoSearch[i]);
    if (selectFirst && work->MemoSearch[0])
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

// Today, unchecked.
void ShowNoLimit(HWND page, int id)
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    HWND picker = GetDlgItem(page, id);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&today);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&today);
}

// The picker's date as a MemoDateKey, 0 when it is unchecked.
int ReadLimit(HWND page, int id)
{
    SYSTEMTIME date = {};
    if (SendDlgItemMessageA(page, id, DTM_GETSYSTEMTIME, 0, (LPARAM)&date) != GDT_VALID)
        return 0;
    return MemoDateKey(date.wYear, date.wMonth, date.wDay);
}

void AddColumn(HWND list, int index, const char* title, int width)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = (char*)title;
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)index, (LPARAM)&column);
}

void SetUpResultList(HWND page)
{
    HWND list = GetDlgItem(page, IDC_MEMOSEARCH_LIST_RESULT);
    DWORD styles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    SIZE date = {};
    GetTextSizeWithFont(list, (HFONT)SendMessageA(list, WM_GETFONT, 0, 0), kWidestDate, &date);
    RECT client = {};
    GetClientRect(list, &client);
    int dateWidth = date.cx + kColumnPadding;
    int memoWidth = client.right - dateWidth - GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, kDateColumn, dateWidth);
    AddColumn(list, 1, kMemoColumn, memoWidth > 0 ? memoWidth : 0);
}

INT_PTR OnInitDialog(HWND page, MemoSettingsDlgData* data)
{
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)data);
    EnableDialogTheme(page);
    if (!data)
        return FALSE;
    FillWordList(page, data->Work, 0);
    ShowNoLimit(page, IDC_MEMOSEARCH_DATE_FIRST);
    ShowNoLimit(page, IDC_MEMOSEARCH_DATE_LAST);
    SetUpResultList(page);
    return FALSE;
}

// One result row; its running number is its item data.
void AddResultRow(HWND list, int number, const char* date, const char* memo)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = number;
    item.pszText = (char*)date;
    item.lParam = number;
    int row = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    if (row < 0)
        return;
    LVITEMA column = {};
    column.iSubItem = 1;
    column.pszText = (char*)memo;
    SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&column);
}

// Rows keep the order in which they were found.
int CALLBACK CompareListItems(LPARAM first, LPARAM second, LPARAM)
{
    return (int)(first - second);
}

// Searches the memo folder of settings for the page's word and shows the hits; 1, or 0 when the word is empty
// (the history then stays as it is).
int SearchMemoFiles(HWND page, MemoSettings* settings, int firstDate, int endDate, int atLineStart, int atLineEnd,
                    int byLine)
{
    char word[MEMO_SEARCH_WORD_SIZE] = "";
    GetDlgItemTextA(page, IDC_MEMOSEARCH_COMBO_WORD, word, sizeof(word));
    if (!word[0])
        return 0;
    AddMemoSearchHistory(settings, word);
    HWND list = GetDlgItem(page, IDC_MEMOSEARCH_LIST_RESULT);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    MemoSearchQuery query = {word, atLineStart, atLineEnd, byLine, firstDate, endDate};
    std::vector<MemoSearchHit> hits = SearchMemoStore(settings, query);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int number = 0;
    for (const MemoSearchHit& hit : hits) {
        char date[kDateTextSize];
        if (hit.FirstOfDay)
            snprintf(date, sizeof(date), "%4d年%2d月%2d日(%s)", hit.Year, hit.Month, hit.Day,
                     kWeekdays[DayOfWeek(hit.Year, hit.Month, hit.Day)]);
        else
            snprintf(date, sizeof(date), "%s", kContinuedDate);
        AddResultRow(list, number++, date, hit.Text.c_str());
    }
    SendMessageA(list, LVM_SORTITEMS, 0, (LPARAM)CompareListItems);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return 1;
}

void Search(HWND page, MemoSettingsDlgData* data)
{
    SearchMemoFiles(page, data->Work, ReadLimit(page, IDC_MEMOSEARCH_DATE_FIRST),
                    ReadLimit(page, IDC_MEMOSEARCH_DATE_LAST), IsChecked(page, IDC_MEMOSEARCH_CHECK_LINESTART),
                    IsChecked(page, IDC_MEMOSEARCH_CHECK_LINEEND), IsChecked(page, IDC_MEMOSEARCH_CHECK_BYLINE));
    FillWordList(page, data->Work, 1);
}

// The hit's day, from the row itself or, for a further hit of a day, the row above that carries the date.
void OpenHitDay(HWND page, MemoSettingsDlgData* data)
{
    HWND list = GetDlgItem(page, IDC_MEMOSEARCH_LIST_RESULT);
    int row = ListViewHitTest(list);
    char date[kDateTextSize] = "";
    for (; row >= 0; row--) {
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = date;
        item.cchTextMax = sizeof(date);
        SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
        if (date[0] >= '0' && date[0] <= '9')
            break;
    }
    long year = 0, month = 0, day = 0;
    if (row < 0 || sscanf(date, "%ld年%ld月%ld日", &year, &month, &day) != 3 || !data->Module)
        return;
    g_memoSettings.MemoYear = (int)year;
    g_memoSettings.MemoMonth = (int)month;
    g_memoSettings.MemoDay = (int)day;
    ShowDayMemoWindow(data->Module, page, data->Env, data->Info, data->BigIcon, data->SmallIcon);
}

INT_PTR OnNotify(HWND page, const NMHDR* header)
{
    MemoSettingsDlgData* data = Data(page);
    if (!data || header->idFrom != IDC_MEMOSEARCH_LIST_RESULT || header->code != (UINT)NM_DBLCLK)
        return FALSE;
    OpenHitDay(page, data);
    return TRUE;
}

INT_PTR OnCommand(HWND page, WORD id)
{
    MemoSettingsDlgData* data = Data(page);
    switch (id) {
    case IDC_MEMOSEARCH_BTN_SEARCH:
        if (data)
            Search(page, data);
        return TRUE;
    case MEMO_PAGE_STORE: return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK MemoSearchPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page, (MemoSettingsDlgData*)lParam);
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam));
    case WM_NOTIFY: return OnNotify(page, (const NMHDR*)lParam);
    }
    return FALSE;
}
