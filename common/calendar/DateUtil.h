// Calendar date rules: weekdays, month lengths, stepping dates by days and months.
// Weekdays count 0 = Sunday to 6 = Saturday. Each stepping routine exists over a
// SYSTEMTIME, over its three WORD fields and over three ints; they return 1, or 0
// when a pointer is null. A count of 0 or less leaves the date as it is, and so does a
// step whose year would not fit in an int.
#pragma once

#include <windows.h>

extern "C" {

// Weekday 0-6 of any proleptic Gregorian date, also for years <= 0.
int DayOfWeek(int year, int month, int day);
// Weekday of the date part; 0 when st is null.
int SystemTimeDayOfWeek(const SYSTEMTIME* st);
// Weekday of the local date.
int TodayDayOfWeek(void);
// Length of the month; months outside 1-12 are folded into the year first.
int DaysInMonth(int year, int month);
// Which n-th weekday of its month the day is (1 for days 1-7); 0 for a day before the first.
int WeekOfMonth(int day);

int SubDays(SYSTEMTIME* st, int n);
int SubDaysWords(WORD* year, WORD* month, WORD* day, int n);
int SubDaysInt(int* year, int* month, int* day, int n);
int AddDays(SYSTEMTIME* st, int n);
int AddDaysWords(WORD* year, WORD* month, WORD* day, int n);
int AddDaysInt(int* year, int* month, int* day, int n);

// Month steps lower the day to the length of the new month (31 Jan + 1 = 28/29 Feb).
int SubMonths(SYSTEMTIME* st, int n);
int SubMonthsWords(WORD* year, WORD* month, WORD* day, int n);
int SubMonthsInt(int* year, int* month, int* day, int n);
int AddMonths(SYSTEMTIME* st, int n);
int AddMonthsWords(WORD* year, WORD* month, WORD* day, int n);
int AddMonthsInt(int* year, int* month, int* day, int n);

// -1, 0 or 1 as a is earlier than, equal to or later than b; 0 when either is null.
int CompareSystemTime(const SYSTEMTIME* a, const SYSTEMTIME* b);
// Current UTC time moved by a signed number of minutes into *out; 0 when out is null.
int ShiftedSystemTime(SYSTEMTIME* out, int minutes);
// a becomes a - b as elapsed days (capped at 32), hours, minutes and seconds;
// year and month become 0. When a is earlier than b, a becomes all zero.
int SystemTimeDifference(SYSTEMTIME* a, const SYSTEMTIME* b);
int AbsInt(int value);

}
