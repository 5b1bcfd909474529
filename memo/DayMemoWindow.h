// The day-memo window (the language module's template 114): reads, writes, styles, times and deletes the memo of
// one date, steps to other dates, and reaches the memo menu. One window at a time, modal over the calendar.
#pragma once

#include <windows.h>

#include "DayMemoStore.h"

class AppInfo;
class EnvData;

// The dialog's result when it was open already.
#define DAY_MEMO_ALREADY_OPEN 2
// Controls with a help tooltip, at most.
#define DAY_MEMO_TOOLTIP_MAX 20

// Runs the modal day-memo window from module's template over owner for the memo date of the live memo settings.
// The saved flag at its end: 0 when nothing was saved or the window refreshed the calendar itself, 1 when it saved
// and left the refresh to the period memo window; DAY_MEMO_ALREADY_OPEN at once while it is open.
INT_PTR ShowDayMemoWindow(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, HICON bigIcon, HICON smallIcon);

INT_PTR CALLBACK TodayMemoDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the date's caption and memo, filling record; 1 when the date has a stored memo, else 0.
int ShowTodayMemoDate(HWND window, DayMemoRecord* record, int year, int month, int day);
// Places the controls for the window's client size.
void LayoutTodayMemoDlg(HWND window);
// With create 1 gives the window's one tooltip control a tool per control anew (made the first time); with 0
// destroys it.
void SetTodayMemoToolTips(HWND window, int create);
// The window's memo menu; the caller destroys it.
HMENU CreateDayMemoMenu();
// The mark dialog over the memo's style.
void OpenDayMemoMarkDialog(HWND window);
