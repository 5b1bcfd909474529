// Today's memo as the calendar's tick and tray icon and the memo watcher see it: whether a day has a memo of either
// kind, and today's memo alarm with the watcher's announcements, which the watcher reads and writes on its own
// thread while the main thread replaces the alarm.
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
// The day-memo window's save of today's memo: the new alarm, and today's announcement forgotten so that the watcher
// announces the memo at its new time, in one step.
void PublishSavedTodayAlarm(MemoSettings* memo, const SYSTEMTIME* alarm);

// What a pass of the watcher reads in one step: the alarm, the dates of both announcements, and how many saves of
// today's memo had reset them by then.
struct TodayWatch {
    SYSTEMTIME Alarm;
    SYSTEMTIME TodayAnnounced;
    SYSTEMTIME TomorrowAnnounced;
    LONG Saves;
};
TodayWatch ReadTodayWatch(const MemoSettings* memo);
// Stores the announcements of a pass that began with seen. A save of today's memo since then keeps today's
// announcement forgotten: the pass decided on the alarm before it.
void StoreAnnouncements(MemoSettings* memo, const TodayWatch* seen, const SYSTEMTIME* today,
                        const SYSTEMTIME* tomorrow);
