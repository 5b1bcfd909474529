// Rules of the period memo window: the days of each period across month, year and leap-day ends, the month period
// and the low work area, the row texts and how they are read back, and the colour of a row's date.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HeapUtil.h"
#include "PeriodMemoRules.h"

namespace {

std::string DateText(const PeriodMemoDate& date)
{
    char text[PERIOD_MEMO_DATE_SIZE];
    FormatPeriodMemoDate(date.Year, date.Month, date.Day, text, sizeof(text));
    return text;
}

// The first and last day of a period and its row count.
void ExpectPeriod(int mode, int year, int month, int day, int rows, const char* first, const char* last)
{
    PeriodMemoDate dates[PERIOD_MEMO_MAX_ROWS] = {};
    ASSERT_EQ(rows, PeriodMemoDates(mode, year, month, day, dates));
    EXPECT_EQ(rows, PeriodMemoRowCount(mode, year, month));
    EXPECT_EQ(first, DateText(dates[0]));
    EXPECT_EQ(last, DateText(dates[rows - 1]));
    // One day after another, without a gap or a repeat.
    for (int row = 1; row < rows; row++) {
        PeriodMemoDate before = dates[row - 1];
        PeriodMemoDate next = dates[row];
        bool nextDay = next.Year == before.Year && next.Month == before.Month && next.Day == before.Day + 1;
        bool nextMonth = next.Day == 1 && (next.Month == before.Month + 1 || (next.Month == 1 && before.Month == 12));
        EXPECT_TRUE(nextDay || nextMonth) << DateText(before) << " " << DateText(next);
    }
}

TEST(PeriodMemoRules, WeekPeriodsStandAroundTheMemoDateAcrossMonthAndYearEnds)
{
    // Two weeks over the year's end, the memo date in the middle row.
    ExpectPeriod(1, 2019, 1, 3, 15, "2018年12月27日(木)", "2019年 1月10日(木)");
    PeriodMemoDate dates[PERIOD_MEMO_MAX_ROWS] = {};
    PeriodMemoDates(1, 2019, 1, 3, dates);
    EXPECT_EQ(7, PeriodMemoMiddleRow(1, 15));
    EXPECT_EQ("2019年 1月 3日(木)", DateText(dates[7]));

    ExpectPeriod(0, 2019, 3, 1, 7, "2019年 2月26日(火)", "2019年 3月 4日(月)");
    ExpectPeriod(2, 2019, 12, 31, 21, "2019年12月21日(土)", "2020年 1月10日(金)");
    // Four weeks over 29 February of a leap year.
    ExpectPeriod(3, 2020, 3, 1, 31, "2020年 2月15日(土)", "2020年 3月16日(月)");
    EXPECT_EQ(3, PeriodMemoMiddleRow(0, 7));
    EXPECT_EQ(10, PeriodMemoMiddleRow(2, 21));
    EXPECT_EQ(15, PeriodMemoMiddleRow(3, 31));
}

TEST(PeriodMemoRules, MonthPeriodListsTheMemoMonthWithoutMiddleRow)
{
    ExpectPeriod(PERIOD_MEMO_MONTH, 2019, 4, 17, 30, "2019年 4月 1日(月)", "2019年 4月30日(火)");
    ExpectPeriod(PERIOD_MEMO_MONTH, 2021, 2, 28, 28, "2021年 2月 1日(月)", "2021年 2月28日(日)");
    ExpectPeriod(PERIOD_MEMO_MONTH, 2024, 2, 1, 29, "2024年 2月 1日(木)", "2024年 2月29日(木)");
    EXPECT_EQ(-1, PeriodMemoMiddleRow(PERIOD_MEMO_MONTH, 30));

    // A low work area has no month period: a stored month shows as four weeks.
    EXPECT_EQ(PERIOD_MEMO_FOUR_WEEKS, PeriodMemoShownMode(PERIOD_MEMO_MONTH, 699));
    EXPECT_EQ(PERIOD_MEMO_MONTH, PeriodMemoShownMode(PERIOD_MEMO_MONTH, 700));
    EXPECT_EQ(2, PeriodMemoShownMode(2, 600));
    EXPECT_EQ(PERIOD_MEMO_ONE_WEEK, PeriodMemoShownMode(9, 800));
}

TEST(PeriodMemoRules, DateTextsAreReadBack)
{
    int year = 0, month = 0, day = 0;
    ASSERT_EQ(1, ReadPeriodMemoDate("2018年12月27日(木)", &year, &month, &day));
    EXPECT_EQ(2018, year);
    EXPECT_EQ(12, month);
    EXPECT_EQ(27, day);
    ASSERT_EQ(1, ReadPeriodMemoDate("2019年 1月 3日(木)", &year, &month, &day));
    EXPECT_EQ(1, month);
    EXPECT_EQ(3, day);
    EXPECT_EQ(0, ReadPeriodMemoDate("test", &year, &month, &day));
    EXPECT_EQ(0, ReadPeriodMemoDate("2019年 1月", &year, &month, &day));
    EXPECT_EQ(0, ReadPeriodMemoDate(nullptr, &year, &month, &day));
}

std::string Joined(const char* memo, const char* repeats, const char* memorials)
{
    char* text = JoinPeriodMemoText(memo, repeats, memorials);
    std::string result = text ? text : "<null>";
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return result;
}

TEST(PeriodMemoRules, MemoColumnJoinsMemoRepeatsAndMemorialDays)
{
    EXPECT_EQ("会議 [定例]ゴミ出し (結婚記念日)", Joined("会議", "[定例]ゴミ出し", "結婚記念日"));
    EXPECT_EQ("会議 (結婚記念日)", Joined("会議", nullptr, "結婚記念日"));
    EXPECT_EQ("(結婚記念日)", Joined("", "", "結婚記念日"));
    EXPECT_EQ("[定例]ゴミ出し", Joined(nullptr, "[定例]ゴミ出し", ""));
    // Two memorial days on one date stand on one line.
    EXPECT_EQ("(父の誕生日  母の誕生日)", Joined(nullptr, nullptr, "父の誕生日\r\n母の誕生日"));
    EXPECT_EQ("<null>", Joined(nullptr, "", ""));
}

TEST(PeriodMemoRules, DateColourMarksTodaySundaysAndSaturdays)
{
    const COLORREF plain = 0x123456;
    const char* today = "2019年 1月 5日(土)";
    EXPECT_EQ(PERIOD_MEMO_DATE_TODAY, PeriodMemoDateLookOf(today, today));
    EXPECT_EQ(PERIOD_MEMO_DATE_SATURDAY, PeriodMemoDateLookOf("2019年 1月12日(土)", today));
    EXPECT_EQ(PERIOD_MEMO_DATE_SUNDAY, PeriodMemoDateLookOf("2019年 1月 6日(日)", today));
    // The 日 of the day itself is no Sunday.
    EXPECT_EQ(PERIOD_MEMO_DATE_PLAIN, PeriodMemoDateLookOf("2019年 1月 7日(月)", today));
    EXPECT_EQ(PERIOD_MEMO_DATE_PLAIN, PeriodMemoDateLookOf("test", today));
    EXPECT_EQ((COLORREF)0x008000, PeriodMemoDateColor(PERIOD_MEMO_DATE_TODAY, plain));
    EXPECT_EQ((COLORREF)0x0000FF, PeriodMemoDateColor(PERIOD_MEMO_DATE_SUNDAY, plain));
    EXPECT_EQ((COLORREF)0xFF0000, PeriodMemoDateColor(PERIOD_MEMO_DATE_SATURDAY, plain));
    EXPECT_EQ(plain, PeriodMemoDateColor(PERIOD_MEMO_DATE_PLAIN, plain));
}

}  // namespace
