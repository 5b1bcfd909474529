#include "DateUtil.h"

#include <limits.h>

namespace {

// Division and remainder rounding toward minus infinity, so that dates before
// year 1 keep the same weekday cycle.
long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

long long FloorMod(long long a, long long b)
{
    return a - FloorDiv(a, b) * b;
}

void FoldMonth(long long* year, long long* month)
{
    long long carry = FloorDiv(*month - 1, 12);
    *year += carry;
    *month -= carry * 12;
}

bool IsLeapYear(long long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(long long year, long long month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    FoldMonth(&year, &month);
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, long long m, long long d)
{
    FoldMonth(&y, &m);
    if (m <= 2)
        --y;
    long long era = FloorDiv(y, 400);
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// A date stepped in wider fields, so that no date of int fields, however impossible, overflows.
struct WideDate {
    long long y, m, d;
};

void StepDaysBack(WideDate* t, int n)
{
    for (; n > 0; --n) {
        if (--t->d < 1) {
            if (--t->m < 1) {
                t->m = 12;
                --t->y;
            }
            t->d = MonthLength(t->y, t->m);
        }
    }
}

void StepDaysForward(WideDate* t, int n)
{
    for (; n > 0; --n) {
        if (++t->d > MonthLength(t->y, t->m)) {
            t->d = 1;
            if (++t->m > 12) {
                t->m = 1;
                ++t->y;
            }
        }
    }
}

void StepMonths(WideDate* t, int n, bool forward)
{
    if (n <= 0)
        return;
    for (; n > 0; --n) {
        if (forward && ++t->m > 12) {
            t->m = 1;
            ++t->y;
        } else if (!forward && --t->m < 1) {
            t->m = 12;
            --t->y;
        }
    }
    int last = MonthLength(t->y, t->m);
    if (t->d > last)
        t->d = last;
}

enum StepKind { kDaysBack, kDaysForward, kMonthsBack, kMonthsForward };

// Month and day stay inside int (they are kept or set to a real month or day); a year that would leave
// int leaves the whole date as it was.
void Step(int* y, int* m, int* d, int n, StepKind kind)
{
    WideDate t = {*y, *m, *d};
    switch (kind) {
    case kDaysBack: StepDaysBack(&t, n); break;
    case kDaysForward: StepDaysForward(&t, n); break;
    case kMonthsBack: StepMonths(&t, n, false); break;
    case kMonthsForward: StepMonths(&t, n, true); break;
    }
    if (t.y < INT_MIN || t.y > INT_MAX)
        return;
    *y = (int)t.y;
    *m = (int)t.m;
    *d = (int)t.d;
}

int StepInts(int* year, int* month, int* day, int n, StepKind kind)
{
    if (!year || !month || !day)
        return 0;
    Step(year, month, day, n, kind);
    return 1;
}

int StepWords(WORD* year, WORD* month, WORD* day, int n, StepKind kind)
{
    if (!year || !month || !day)
        return 0;
    int y = *year, m = *month, d = *day;
    Step(&y, &m, &d, n, kind);
    *year = (WORD)y;
    *month = (WORD)m;
    *day = (WORD)d;
    return 1;
}

int StepSystemTime(SYSTEMTIME* st, int n, StepKind kind)
{
    if (!st)
        return 0;
    return StepWords(&st->wYear, &st->wMonth, &st->wDay, n, kind);
}

int CompareFields(const SYSTEMTIME* a, const SYSTEMTIME* b)
{
    const WORD fa[] = {a->wYear, a->wMonth, a->wDay, a->wHour, a->wMinute, a->wSecond, a->wMilliseconds};
    const WORD fb[] = {b->wYear, b->wMonth, b->wDay, b->wHour, b->wMinute, b->wSecond, b->wMilliseconds};
    for (int i = 0; i < 7; ++i) {
        if (fa[i] != fb[i])
            return fa[i] < fb[i] ? -1 : 1;
    }
    return 0;
}

} // namespace

extern "C" {

int DayOfWeek(int year, int month, int day)
{
    long long y = year, m = month;
    if (m == 1 || m == 2) {
        m += 12;
        y -= 1;
    }
    // floor(2.6 m + 1.6) in integers, free of rounding in the double product.
    long long t = FloorDiv(26 * m + 16, 10);
    long long sum = t + y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) + day;
    return (int)FloorMod(sum, 7);
}

int SystemTimeDayOfWeek(const SYSTEMTIME* st)
{
    if (!st)
        return 0;
    return DayOfWeek(st->wYear, st->wMonth, st->wDay);
}

int TodayDayOfWeek(void)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SystemTimeDayOfWeek(&now);
}

int DaysInMonth(int year, int month)
{
    return MonthLength(year, month);
}

int WeekOfMonth(int day)
{
    return day >= 1 ? (day - 1) / 7 + 1 : 0;
}

int SubDays(SYSTEMTIME* st, int n) { return StepSystemTime(st, n, kDaysBack); }
int SubDaysWords(WORD* year, WORD* month, WORD* day, int n) { return StepWords(year, month, day, n, kDaysBack); }
int SubDaysInt(int* year, int* month, int* day, int n) { return StepInts(year, month, day, n, kDaysBack); }
int AddDays(SYSTEMTIME* st, int n) { return StepSystemTime(st, n, kDaysForward); }
int AddDaysWords(WORD* year, WORD* month, WORD* day, int n) { return StepWords(year, month, day, n, kDaysForward); }
int AddDaysInt(int* year, int* month, int* day, int n) { return StepInts(year, month, day, n, kDaysForward); }

int SubMonths(SYSTEMTIME* st, int n) { return StepSystemTime(st, n, kMonthsBack); }
int SubMonthsWords(WORD* year, WORD* month, WORD* day, int n) { return StepWords(year, month, day, n, kMonthsBack); }
int SubMonthsInt(int* year, int* month, int* day, int n) { return StepInts(year, month, day, n, kMonthsBack); }
int AddMonths(SYSTEMTIME* st, int n) { return StepSystemTime(st, n, kMonthsForward); }
int AddMonthsWords(WORD* year, WORD* month, WORD* day, int n) { return StepWords(year, month, day, n, kMonthsForward); }
int AddMonthsInt(int* year, int* month, int* day, int n) { return StepInts(year, month, day, n, kMonthsForward); }

int CompareSystemTime(const SYSTEMTIME* a, const SYSTEMTIME* b)
{
    if (!a || !b)
        return 0;
    FILETIME fa, fb;
    // An impossible date has no FILETIME; its fields still give a stable order.
    if (!SystemTimeToFileTime(a, &fa) || !SystemTimeToFileTime(b, &fb))
        return CompareFields(a, b);
    return (int)CompareFileTime(&fa, &fb);
}

int ShiftedSystemTime(SYSTEMTIME* out, int minutes)
{
    if (!out)
        return 0;
    SYSTEMTIME st;
    GetSystemTime(&st);
    long long totalMinutes = (long long)st.wMinute + minutes;
    long long hours = st.wHour + FloorDiv(totalMinutes, 60);
    long long days = FloorDiv(hours, 24);
    st.wMinute = (WORD)FloorMod(totalMinutes, 60);
    st.wHour = (WORD)FloorMod(hours, 24);
    st.wDayOfWeek = (WORD)FloorMod(st.wDayOfWeek + days, 7);
    if (days > 0)
        AddDays(&st, (int)days);
    else
        SubDays(&st, (int)-days);
    *out = st;
    return 1;
}

int SystemTimeDifference(SYSTEMTIME* a, const SYSTEMTIME* b)
{
    if (!a || !b)
        return 0;
    long long days = DaysFromCivil(a->wYear, a->wMonth, a->wDay) - DaysFromCivil(b->wYear, b->wMonth, b->wDay);
    int seconds = a->wSecond - b->wSecond;
    int minutes = a->wMinute - b->wMinute;
    int hours = a->wHour - b->wHour;
    if (seconds < 0) {
        seconds += 60;
        --minutes;
    }
    if (minutes < 0) {
        minutes += 60;
        --hours;
    }
    if (hours < 0) {
        hours += 24;
        --days;
    }
    if (days < 0) {
        ZeroMemory(a, sizeof(*a));
        return 1;
    }
    a->wYear = 0;
    a->wMonth = 0;
    a->wDay = (WORD)(days > 32 ? 32 : days);
    a->wHour = (WORD)hours;
    a->wMinute = (WORD)minutes;
    a->wSecond = (WORD)seconds;
    return 1;
}

int AbsInt(int value)
{
    // Through unsigned so that INT_MIN does not overflow (it stays INT_MIN).
    return value < 0 ? (int)(0u - (unsigned)value) : value;
}

} // extern "C"
