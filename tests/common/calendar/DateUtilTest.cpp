#include <gtest/gtest.h>

#include <limits.h>
#include <stdio.h>

#include <string>

#include "DateUtil.h"

namespace {

SYSTEMTIME Time(int y, int m, int d, int hour = 0, int minute = 0, int second = 0)
{
    return SYSTEMTIME{(WORD)y, (WORD)m, 0, (WORD)d, (WORD)hour, (WORD)minute, (WORD)second, 0};
}

// "year-month-day hour:minute:second.ms/weekday"
std::string Text(const SYSTEMTIME& t)
{
    char s[64];
    snprintf(s, sizeof(s), "%d-%d-%d %d:%d:%d.%d/%d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
             t.wMilliseconds, t.wDayOfWeek);
    return s;
}

std::string Stepped(int (*step)(int*, int*, int*, int), int y, int m, int d, int n)
{
    step(&y, &m, &d, n);
    return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

std::string Difference(SYSTEMTIME a, SYSTEMTIME b)
{
    SystemTimeDifference(&a, &b);
    return Text(a);
}

ULONGLONG Ticks(const SYSTEMTIME& st)
{
    FILETIME ft;
    EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
    return ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

} // namespace

TEST(DateUtilTest, WeekdaysAndMonthLengths)
{
    EXPECT_EQ(1, DayOfWeek(2019, 4, 1));
    EXPECT_EQ(6, DayOfWeek(2000, 1, 1));
    // The weekday advances by one every day, also through year 0 and before.
    int y = -401, m = 1, d = 1, previous = DayOfWeek(y, m, d);
    while (y < 401) {
        AddDaysInt(&y, &m, &d, 1);
        int weekday = DayOfWeek(y, m, d);
        ASSERT_EQ((previous + 1) % 7, weekday) << y << "-" << m << "-" << d;
        previous = weekday;
    }
    EXPECT_EQ(29, DaysInMonth(2000, 2));
    EXPECT_EQ(28, DaysInMonth(1900, 2));
    EXPECT_EQ(28, DaysInMonth(2100, 2));
    EXPECT_EQ(31, DaysInMonth(2019, 0));   // December 2018
    EXPECT_EQ(29, DaysInMonth(2019, 14));  // February 2020
    EXPECT_EQ(29, DaysInMonth(2021, -10)); // February 2020
}

TEST(DateUtilTest, StepDaysAndMonths)
{
    EXPECT_EQ("2018-12-31", Stepped(SubDaysInt, 2019, 1, 1, 1));
    EXPECT_EQ("2020-3-1", Stepped(AddDaysInt, 2020, 2, 28, 2));
    EXPECT_EQ("2029-6-15", Stepped(AddDaysInt, 2019, 6, 15, 3653));
    EXPECT_EQ("2019-2-28", Stepped(SubMonthsInt, 2019, 3, 31, 1));
    EXPECT_EQ("2019-3-31", Stepped(AddMonthsInt, 2019, 1, 31, 2)); // the day is lowered only at the end
    EXPECT_EQ("2017-12-15", Stepped(SubMonthsInt, 2019, 1, 15, 13));
    EXPECT_EQ("2019-5-31", Stepped(AddDaysInt, 2019, 5, 31, -5));
    EXPECT_EQ("2019-5-31", Stepped(SubMonthsInt, 2019, 5, 31, 0));
    // Impossible dates step without overflow; no int year follows the last one, so that date stays.
    EXPECT_EQ("2018-12-31", Stepped(SubDaysInt, 2019, 1, INT_MIN, 1));
    EXPECT_EQ("2147483647-12-31", Stepped(AddDaysInt, INT_MAX, 12, 31, 1));
    EXPECT_EQ("-2147483648-1-1", Stepped(SubDaysInt, INT_MIN, 1, 1, 1));

    SYSTEMTIME st = Time(2019, 12, 30, 13);
    AddDays(&st, 3);
    EXPECT_EQ("2020-1-2 13:0:0.0/0", Text(st));
    AddMonths(&st, 1);
    EXPECT_EQ("2020-2-2 13:0:0.0/0", Text(st));
    WORD y = 2020, m = 3, d = 31;
    SubMonthsWords(&y, &m, &d, 1);
    EXPECT_EQ(29, d);
    EXPECT_EQ(0, AddDays(nullptr, 1));
}

TEST(DateUtilTest, SystemTimeDifference)
{
    SYSTEMTIME a = Time(2019, 1, 10, 12);
    a.wMilliseconds = 321;
    EXPECT_EQ("0-0-9 0:0:0.321/0", Difference(a, Time(2019, 1, 1, 12)));
    // A true day count over year ends and century years; long spans are capped.
    EXPECT_EQ("0-0-1 0:0:0.0/0", Difference(Time(2020, 1, 1), Time(2019, 12, 31)));
    EXPECT_EQ("0-0-1 0:0:0.0/0", Difference(Time(2100, 3, 1), Time(2100, 2, 28)));
    EXPECT_EQ("0-0-32 0:0:0.0/0", Difference(Time(2019, 2, 10), Time(2019, 1, 1)));
    EXPECT_EQ("0-0-0 1:29:30.0/0", Difference(Time(2019, 1, 2, 1), Time(2019, 1, 1, 23, 30, 30)));
    // Earlier, also only through the hours borrow: all zero.
    a = Time(2019, 1, 1, 10);
    a.wMilliseconds = 5;
    EXPECT_EQ("0-0-0 0:0:0.0/0", Difference(a, Time(2019, 1, 1, 11)));
    EXPECT_EQ("0-0-0 0:0:0.0/0", Difference(Time(2018, 12, 31), Time(2019, 1, 1)));
}

TEST(DateUtilTest, ShiftedSystemTime)
{
    for (int minutes : {-61, 24 * 60 * 400 + 7, -24 * 60 * 500 - 3}) {
        SYSTEMTIME before, after, shifted;
        GetSystemTime(&before);
        ASSERT_EQ(1, ShiftedSystemTime(&shifted, minutes));
        GetSystemTime(&after);
        ULONGLONG offset = (ULONGLONG)((LONGLONG)minutes * 600000000LL);
        EXPECT_GE(Ticks(shifted), Ticks(before) + offset) << minutes;
        EXPECT_LE(Ticks(shifted), Ticks(after) + offset) << minutes;
        EXPECT_EQ(DayOfWeek(shifted.wYear, shifted.wMonth, shifted.wDay), shifted.wDayOfWeek);
    }
}
