// Today's memo as the calendar's tick and tray icon and the memo watcher see it: whether a day has a memo of either
// kind, and today's memo alarm, which the watcher reads on its own thread while the main thread replaces it.
#pragma once

#include <windows.h>

#include "Holiday.h"
#include "Memo.h"

// 1 when day has a day memo in the store of memo or a repeating memo of repeats (holidays may move those).
int DayHasAnyMemo(const MemoSettings* memo, const RepeatMemoList* repeats, const HolidayRecord* holidays,
                  int holidayCount, const SYSTEMTIME* day);
// Today's memo alarm of memo from the memo of now's day: now's date with the memo's hour and minute, or no date and
// MEMO_TIME_UNSET for both when that day has no memo.
void RefreshTodayAlarm(MemoSettings* memo, const SYSTEMTIME* now);
// Replaces today's memo alarm of memo whole: a reader on another thread gets the old or the new one, never a mix.
void PublishTodayAlarm(MemoSettings* memo, const SYSTEMTIME* alarm);
// Today's memo alarm of memo as last published; safe on any thread.
SYSTEMTIME ReadTodayAlarm(const MemoSettings* memo);
