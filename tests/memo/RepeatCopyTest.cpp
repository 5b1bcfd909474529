// The days a repeat copy writes, and a weekly copy of a day's memo into the store over a month of memos.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MemoTestStore.h"
#include "MemoWriter.h"
#include "RepeatCopyDialog.h"
#include "RepeatCopyRules.h"

namespace {

SYSTEMTIME Date(int year, int month, int day, int hour = 12)
{
    SYSTEMTIME date = {};
    date.wYear = (WORD)year;
    date.wMonth = (WORD)month;
    date.wDay = (WORD)day;
    date.wHour = (WORD)hour;
    return date;
}

// The walk's days as "y/m/d" after source up to last.
std::vector<std::string> Days(const SYSTEMTIME& source, int kind, const SYSTEMTIME& last)
{
    RepeatCopyWalk walk;
    StartRepeatCopy(&walk, &source, kind, &last);
    std::vector<std::string> days;
    SYSTEMTIME day;
    while (NextRepeatCopyDay(&walk, &day))
        days.push_back(std::to_string(day.wYear) + "/" + std::to_string(day.wMonth) + "/" + std::to_string(day.wDay));
    return days;
}

using List = std::vector<std::string>;

int Count(SYSTEMTIME source, int kind, SYSTEMTIME last)
{
    return RepeatCopyDayCount(&source, kind, &last);
}

// A month step lowers the day to a short month's length and goes on from the lowered day; a year step keeps the
// source's day wherever the month has it.
TEST(RepeatCopyRulesTest, MonthsCarryALoweredDayOnAndYearsKeepTheSourceDay)
{
    EXPECT_EQ((List{"2019/2/28", "2019/3/28", "2019/4/28", "2019/5/28"}),
              Days(Date(2019, 1, 31), REPEAT_COPY_MONTHLY, Date(2019, 5, 31)));
    EXPECT_EQ((List{"2020/2/29", "2020/3/29"}), Days(Date(2020, 1, 31), REPEAT_COPY_MONTHLY, Date(2020, 3, 31)));
    EXPECT_EQ((List{"2019/1/30", "2019/2/28"}), Days(Date(2018, 12, 30), REPEAT_COPY_MONTHLY, Date(2019, 3, 27)));
    // A day every month has stays as it is across the year's end.
    EXPECT_EQ((List{"2019/12/15", "2020/1/15"}), Days(Date(2019, 11, 15), REPEAT_COPY_MONTHLY, Date(2020, 1, 15)));
    // 29 February falls on 28 February in common years and comes back in leap years.
    EXPECT_EQ((List{"2021/2/28", "2022/2/28", "2023/2/28", "2024/2/29"}),
              Days(Date(2020, 2, 29), REPEAT_COPY_YEARLY, Date(2024, 2, 29)));
    // 2100 is no leap year.
    EXPECT_EQ((List{"2097/2/28", "2098/2/28", "2099/2/28", "2100/2/28", "2101/2/28"}),
              Days(Date(2096, 2, 29), REPEAT_COPY_YEARLY, Date(2101, 3, 1)));
}

TEST(RepeatCopyRulesTest, TheEndDateIsIncludedWhateverItsTime)
{
    EXPECT_EQ((List{"2019/4/8", "2019/4/15", "2019/4/22", "2019/4/29"}),
              Days(Date(2019, 4, 1, 23), REPEAT_COPY_WEEKLY, Date(2019, 4, 29, 0)));
    EXPECT_EQ(3, Count(Date(2019, 4, 1), REPEAT_COPY_WEEKLY, Date(2019, 4, 28)));
    EXPECT_EQ((List{"2019/12/31", "2020/1/1"}), Days(Date(2019, 12, 30), REPEAT_COPY_DAILY, Date(2020, 1, 1)));
    // Nothing after an end on or before the source day, nor for an unknown kind.
    EXPECT_EQ(0, Count(Date(2019, 4, 1), REPEAT_COPY_DAILY, Date(2019, 4, 1)));
    EXPECT_EQ(0, Count(Date(2019, 4, 1), REPEAT_COPY_YEARLY, Date(2018, 4, 1)));
    EXPECT_EQ(0, Count(Date(2019, 4, 1), 4, Date(2020, 4, 1)));
    // The count stops at the most days one copy writes.
    EXPECT_EQ(REPEAT_COPY_MAX_DAYS, Count(Date(1601, 1, 1), REPEAT_COPY_DAILY, Date(9999, 12, 31)));
}

class RepeatCopyTest : public MemoTestStore {
protected:
    void Write(int month, int day, const char* text, int hour = DAY_MEMO_NO_TIME, int minute = DAY_MEMO_NO_TIME)
    {
        DayMemoRecord record = Record(hour, minute);
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2019, month, day, text, &record));
    }
};

// Weekly from 1 April to 29 April: each week's day gets the source memo, merged with its own memo alone.
TEST_F(RepeatCopyTest, WeeklyCopyMergesEachDayWithTheSourceAlone)
{
    Write(4, 1, "会議\r\n資料");
    Write(4, 15, "資料\r\n歯医者", 9, 30);

    SYSTEMTIME source = Date(2019, 4, 1), last = Date(2019, 4, 29);
    EXPECT_EQ(4, RepeatCopyDayMemo(&memo_, &source, REPEAT_COPY_WEEKLY, &last));

    DayMemoRecord record = {};
    EXPECT_EQ("会議\r\n資料", Read(2019, 4, 8, &record));
    EXPECT_EQ(DAY_MEMO_NO_TIME, record.Hour);
    EXPECT_EQ("資料\r\n歯医者\r\n会議", Read(2019, 4, 15, &record));
    EXPECT_EQ(9, record.Hour);
    EXPECT_EQ(30, record.Minute);
    // No line of an earlier day is carried on, and the end date is the last day written.
    EXPECT_EQ("会議\r\n資料", Read(2019, 4, 22, &record));
    EXPECT_EQ(DAY_MEMO_NO_TIME, record.Hour);
    EXPECT_EQ("会議\r\n資料", Read(2019, 4, 29));
    EXPECT_EQ("(null)", Read(2019, 4, 2));
    EXPECT_EQ("会議\r\n資料", Read(2019, 4, 1));

    // A day without memo copies nothing.
    source = Date(2019, 4, 2);
    EXPECT_EQ(REPEAT_COPY_NO_SOURCE, RepeatCopyDayMemo(&memo_, &source, REPEAT_COPY_DAILY, &last));
    EXPECT_EQ("(null)", Read(2019, 4, 3));
}

// A target day keeps every line of its own, comment lines and lines the source holds within longer ones too, and
// takes the source's lines it lacks once; a target that looks like memo data of the store is a memo like any other.
TEST_F(RepeatCopyTest, ATargetKeepsItsOwnLinesAndIsNeverImported)
{
    Write(6, 1, "日窓から上書き");
    Write(6, 2, "既存行A\r\n日窓から\r\n%コメント行\r\n上書き");
    const char data[] = "[20190610]\r\nMemo=旅行";
    Write(6, 3, data);
    Write(6, 4, "日窓から上書き");

    SYSTEMTIME source = Date(2019, 6, 1), last = Date(2019, 6, 4);
    EXPECT_EQ(3, RepeatCopyDayMemo(&memo_, &source, REPEAT_COPY_DAILY, &last));
    EXPECT_EQ("既存行A\r\n日窓から\r\n%コメント行\r\n上書き\r\n日窓から上書き", Read(2019, 6, 2));
    EXPECT_EQ(std::string(data) + "\r\n日窓から上書き", Read(2019, 6, 3));
    EXPECT_EQ("(null)", Read(2019, 6, 10));
    EXPECT_EQ("日窓から上書き", Read(2019, 6, 4));
}

}  // namespace
