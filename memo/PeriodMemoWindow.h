// The period memo window (the language module's template 116): one row a day around the memo date, with the day's
// memo, repeating memos and memorial days, for one to four weeks or the month; any day opens in the day-memo
// window. One window at a time, modal over the calendar.
#pragma once

#include <windows.h>

class AppInfo;
class EnvData;
struct HolidayRecord;

// The dialog's result when it was open already.
#define PERIOD_MEMO_ALREADY_OPEN 2
// Controls with a help tooltip, at most.
#define PERIOD_MEMO_TOOLTIP_MAX 20

// The holidays that move repeating memos off their days, as the main program holds them when the window asks.
typedef const HolidayRecord* (*PeriodMemoHolidaySource)(int* count);
// The main program names its holiday list once at start-up; without one no repeating memo is moved.
void SetPeriodMemoHolidaySource(PeriodMemoHolidaySource source);

// Runs the modal period memo window from module's template over owner for the memo date of the live memo
// settings. 1 when a memo was saved or the period changed (the window refreshed the calendar on closing), else 0;
// PERIOD_MEMO_ALREADY_OPEN at once while it is open.
INT_PTR ShowPeriodMemoWindow(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, HICON bigIcon,
                             HICON smallIcon);

INT_PTR CALLBACK WeekMemoDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Caption and rows for the window's date and period.
void FillWeekMemoList(HWND window);
// The open period window lists the memos as the store holds them now (a day-memo window saved); nothing while none
// is open.
void RefreshPeriodMemoWindow();
// Paints one row of the list.
void DrawWeekMemoItem(const DRAWITEMSTRUCT* item);
// Places the controls for the window's client size.
void LayoutWeekMemoDlg(HWND window);
// With create 1 gives the window's one tooltip control a tool per control anew (made the first time); with 0
// destroys it.
void SetWeekMemoToolTips(HWND window, int create);
// One cell's text on one line, cut with an ellipsis, aligned as the column's format (LVCFMT_*) asks.
void DrawListCellText(HDC dc, const char* text, const RECT* cell, int format);
