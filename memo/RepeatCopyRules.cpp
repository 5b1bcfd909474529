#include "RepeatCopyRules.h"

#include <string.h>

#include "DateUtil.h"

namespace {

const int kWeekDays = 7;
const int kYearMonths = 12;
// The last year a SYSTEMTIME holds.
const long long kLastYear = 30827;

long long DateKey(const SYSTEMTIME* date)
{
    return ((long long)date->wYear * 100 + date->wMonth) * 100 + date->wDay;
}

// months after from's month, with from's day lowered to that month's length; 0 past the last year.
int MonthsOn(const SYSTEMTIME* from, long long months, SYSTEMTIME* out)
{
    long long index = (long long)from->wYear * kYearMonths + (from->wMonth - 1) + months;
    long long year = index / kYearMonths;
    if (year > kLastYear)
        return 0;
    int month = (int)(index % kYearMonths) + 1;
    int length = DaysInMonth((int)year, month);
    out->wYear = (WORD)year;
    out->wMonth = (WORD)month;
    out->wDay = (WORD)(from->wDay > length ? length : from->wDay);
    return 1;
}

}  // namespace

void StartRepeatCopy(RepeatCopyWalk* walk, const SYSTEMTIME* source, int kind, const SYSTEMTIME* last)
{
    if (!walk)
        return;
    memset(walk, 0, sizeof(*walk));
    if (!source || !last) {
        walk->Kind = -1;
        return;
    }
    walk->Source = *source;
    walk->Last = *last;
    walk->Kind = kind;
    walk->Day = *source;
}

int NextRepeatCopyDay(RepeatCopyWalk* walk, SYSTEMTIME* out)
{
    if (!walk || !out || walk->Steps >= REPEAT_COPY_MAX_DAYS)
        return 0;
    SYSTEMTIME day = walk->Day;
    switch (walk->Kind) {
    case REPEAT_COPY_DAILY: AddDays(&day, 1); break;
    case REPEAT_COPY_WEEKLY: AddDays(&day, kWeekDays); break;
    case REPEAT_COPY_MONTHLY:
        // From the last day given: a day lowered to a short month's length stays lowered after it.
        if (!MonthsOn(&walk->Day, 1, &day))
            return 0;
        break;
    case REPEAT_COPY_YEARLY:
        if (!MonthsOn(&walk->Source, (walk->Steps + 1LL) * kYearMonths, &day))
            return 0;
        break;
    default: return 0;
    }
    // A day step that ran out of the years a SYSTEMTIME holds comes back no later.
    if (CompareDates(&day, &walk->Day) <= 0 || CompareDates(&day, &walk->Last) > 0)
        return 0;
    day.wDayOfWeek = (WORD)SystemTimeDayOfWeek(&day);
    walk->Day = day;
    walk->Steps++;
    *out = day;
    return 1;
}

int RepeatCopyDayCount(const SYSTEMTIME* source, int kind, const SYSTEMTIME* last)
{
    RepeatCopyWalk walk;
    StartRepeatCopy(&walk, source, kind, last);
    SYSTEMTIME day;
    int count = 0;
    while (NextRepeatCopyDay(&walk, &day))
        count++;
    return count;
}

int CompareDates(const SYSTEMTIME* a, const SYSTEMTIME* b)
{
    long long left = DateKey(a), right = DateKey(b);
    return left < right ? -1 : left > right ? 1 : 0;
}
