// The repeat-copy dialog (the language module's template 117, "繰り返しメモ"): copies the memo of the day-memo
// window's date to every day, week, month or year up to an end date, merged with the memos those days hold.
#pragma once

#include <windows.h>

#include "MemoSettings.h"

class AppInfo;

// What RepeatCopyDayMemo did when it could not finish.
#define REPEAT_COPY_NO_SOURCE -1  // the source day has no memo
#define REPEAT_COPY_FAILED -2     // a day could not be written; the days before it were

// Copies the memo of source in the store of memo to the days a RepeatCopyWalk of kind gives up to last. A day with a
// memo keeps it and takes the source's lines it lacks (MergeMemoLines); it is written with the source's style, and
// its own time when the source has none. The number of days written, or one of the values above.
int RepeatCopyDayMemo(const MemoSettings* memo, const SYSTEMTIME* source, int kind, const SYSTEMTIME* last);

// Runs the modal dialog from module's template over owner for the memo date of the live memo settings. IDOK when
// it ended by "設定" (memos may have been written), IDCANCEL otherwise, also at once while it is open already.
INT_PTR ShowRepeatCopyDialog(HINSTANCE module, HWND owner, AppInfo* info, HICON bigIcon, HICON smallIcon);
INT_PTR CALLBACK RepeatCopyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
