// The days a repeat copy writes: after the source day, every day, week, month or year up to an end date.
#pragma once

#include <windows.h>

// Repeat kinds; the dialog's radio button of a kind is IDC_REPEATCOPY_RADIO_DAILY + kind.
#define REPEAT_COPY_DAILY 0
#define REPEAT_COPY_WEEKLY 1
#define REPEAT_COPY_MONTHLY 2
#define REPEAT_COPY_YEARLY 3
// Most days one copy writes.
#define REPEAT_COPY_MAX_DAYS 0x100000

// A walk over the days of one copy, in order.
struct RepeatCopyWalk {
    SYSTEMTIME Source;
    SYSTEMTIME Last;
    int Kind;
    int Steps;  // days given so far
    SYSTEMTIME Day;
};

// Starts the walk after source up to last (that day included); the time of day counts for neither.
void StartRepeatCopy(RepeatCopyWalk* walk, const SYSTEMTIME* source, int kind, const SYSTEMTIME* last);
// The walk's next day into out: one day or one week on, the next month or the next year. A month step goes on from
// the last day given with its day lowered to the month's length, so a copy from 31 January writes 28 February and
// then the 28th of every month. Years are counted from the source, so a copy from 29 February writes 28 February in
// common years and 29 February again in leap years. 0 once the day would be after the last, after
// REPEAT_COPY_MAX_DAYS days, for an unknown kind or a null pointer.
int NextRepeatCopyDay(RepeatCopyWalk* walk, SYSTEMTIME* out);
// How many days the walk from source to last gives.
int RepeatCopyDayCount(const SYSTEMTIME* source, int kind, const SYSTEMTIME* last);
// -1, 0 or 1 as the date of a is before, the same as or after that of b; the time of day does not count.
int CompareDates(const SYSTEMTIME* a, const SYSTEMTIME* b);
