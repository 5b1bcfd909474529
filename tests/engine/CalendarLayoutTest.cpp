// Calendar layout: first month of a view, week rows, name sets and window sizes. Sizes are checked against
// text extents measured here with the same fonts, never against pixel widths of glyphs.
#include <windows.h>
#include <gtest/gtest.h>

#include <limits.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CalendarLayout.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "HeapUtil.h"
#include "NameSets.h"

namespace {

struct MonthCase {
    int start, sepDate, offset, todayDay, year, month;
    int firstYear, firstMonth;
};

TEST(FirstShownMonthTest, EveryStartRule)
{
    const MonthCase cases[] = {
        {0, 0, 0, 1, 2026, 3, 2026, 3},
        {1, 0, 0, 1, 2026, 1, 2025, 12},
        {2, 0, 0, 1, 2026, 9, 2026, 1},
        {3, 0, 0, 1, 2026, 3, 2025, 4},
        {3, 0, 0, 1, 2026, 4, 2026, 4},
        {4, 15, 0, 15, 2026, 1, 2025, 12},
        {4, 15, 0, 16, 2026, 1, 2026, 1},
        {5, 0, -13, 1, 2026, 1, 2024, 12},
        {5, 0, 13, 1, 2026, 12, 2028, 1},
        {6, 0, 0, 1, 2026, 3, 2026, 3},
        {200, 0, 0, 1, 2026, 3, 2026, 3},
        {0, 0, 0, 1, 2026, 13, 2027, 1},
    };
    EnvData env;
    for (const MonthCase& c : cases) {
        env.DisplayStart = (BYTE)c.start;
        env.DisplaySepDate = (BYTE)c.sepDate;
        env.DisplayOffSet = c.offset;
        env.Today.wDay = (WORD)c.todayDay;
        int year = c.year;
        int month = c.month;
        FirstShownMonth(env, &year, &month);
        EXPECT_EQ(c.firstYear, year) << "rule " << c.start << " from " << c.year << "-" << c.month;
        EXPECT_EQ(c.firstMonth, month) << "rule " << c.start << " from " << c.year << "-" << c.month;
    }
}

TEST(WeekRowCountTest, MonthsOfFourFiveAndSixWeeks)
{
    struct Case {
        int year, month, startDate, displayHeight, rows;
    } const cases[] = {
        {2026, 2, 0, 0, 4},  // 28 days from a Sunday
        {2026, 2, 0, 2, 6},
        {2026, 2, 1, 0, 5},  // the Sunday is the last column when weeks start on Monday
        {2026, 3, 0, 0, 5},
        {2026, 3, 0, 1, 5},
        {2026, 8, 0, 0, 6},  // 31 days from a Saturday
        {2026, 8, 6, 0, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rows, WeekRowCount(c.year, c.month, c.startDate, c.displayHeight)) << c.month << " " << c.startDate;
    for (int start = 0; start < 256; start++) {
        for (int month = 1; month <= 12; month++) {
            int rows = WeekRowCount(2026, month, start, 0);
            ASSERT_TRUE(rows >= 4 && rows <= 6) << "start " << start << " month " << month;
        }
    }
}

TEST(AlignedCellCountTest, SpansFromTheEarliestWeekdayToTheLatestEnd)
{
    EXPECT_EQ(35, AlignedCellCount(2026, 10, 3));  // Thursday, Sunday, Tuesday 1sts
    EXPECT_EQ(28, AlignedCellCount(2026, 2, 1));
    EXPECT_EQ(34, AlignedCellCount(2026, 12, 2));  // December from Tuesday (2) to the end of January 2027 (5 + 31)
}

TEST(NameSetsTest, UserNamesAreCutFromTheirOwnList)
{
    char* slots[4];
    CutUserNames("睦,,弥生,卯,皐", slots, 4);
    EXPECT_STREQ("睦", slots[0]);
    EXPECT_EQ(nullptr, slots[1]);
    EXPECT_STREQ("弥生", slots[2]);
    EXPECT_STREQ("卯", slots[3]);
    FreeUserNames(slots, 4);
    EXPECT_EQ(nullptr, slots[0]);

    CutUserNames(nullptr, slots, 4);
    for (char* slot : slots)
        EXPECT_EQ(nullptr, slot);

    // Fewer pieces than slots leave the rest null.
    CutUserNames(",表", slots, 4);
    EXPECT_EQ(nullptr, slots[0]);
    EXPECT_STREQ("表", slots[1]);
    EXPECT_EQ(nullptr, slots[2]);
    EXPECT_EQ(nullptr, slots[3]);
    FreeUserNames(slots, 4);

    // Only the first 1,024 bytes of a list are looked at.
    std::string list(1100, 'x');
    list += ",y";
    CutUserNames(list.c_str(), slots, 4);
    EXPECT_EQ(1023u, strlen(slots[0]));
    EXPECT_EQ(nullptr, slots[1]);
    FreeUserNames(slots, 4);

    MonthNameSet months(MONTH_SET_USER, "A,B");
    EXPECT_STREQ("B", months.Name(2));
    EXPECT_STREQ("", months.Name(3));
}

// A record with distinct fonts and spacings, measured on the screen.
class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env = new EnvData();
        InitLogFont(&env->YearStyle.Font, "ＭＳ Ｐゴシック", -24, 1, 0, SHIFTJIS_CHARSET, FF_MODERN | VARIABLE_PITCH);
        InitLogFont(&env->MonthStyle.Font, "ＭＳ Ｐ明朝", -19, 0, 0, SHIFTJIS_CHARSET, FF_ROMAN | VARIABLE_PITCH);
        InitLogFont(&env->WeekFont, "ＭＳ ゴシック", -13, 0, 0, SHIFTJIS_CHARSET, FF_MODERN | FIXED_PITCH);
        InitLogFont(&env->DayFont, "ＭＳ Ｐゴシック", -15, 0, 1, SHIFTJIS_CHARSET, FF_MODERN | VARIABLE_PITCH);
        env->YearType = 7;
        env->MonthType = 5;
        env->WeekType = 1;
        env->DisplayRows = 1;
        env->DisplayLines = 1;
        env->DayWidth = 20;
        env->DayHeight = 18;
        env->MonthHeight = 30;
        env->WeekHeight = 16;
        env->EachMonthSpace = 8;
        env->YMSpace = 6;
        env->MarginLeft = 3;
        env->MarginTop = 4;
        env->MarginRight = 5;
        env->MarginBottom = 7;
    }
    void TearDown() override { delete env; }

    static SIZE Extent(const LOGFONTA& font, const char* text)
    {
        HDC dc = GetDC(nullptr);
        HFONT created = CreateFontIndirectA(&font);
        HGDIOBJ old = SelectObject(dc, created);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
        SelectObject(dc, old);
        DeleteObject(created);
        ReleaseDC(nullptr, dc);
        return size;
    }

    // Heading of a month of 2026 with the "0000年" year and the full English month name.
    SIZE Heading(const char* monthName) const
    {
        SIZE year = Extent(env->YearStyle.Font, "2026年");
        SIZE month = Extent(env->MonthStyle.Font, monthName);
        return {year.cx + env->YMSpace + month.cx, std::max(year.cy, month.cy)};
    }

    int WidestHeading(const std::vector<const char*>& names) const
    {
        int widest = 0;
        for (const char* name : names)
            widest = std::max(widest, (int)Heading(name).cx);
        return widest;
    }

    SIZE Window(int year, int month)
    {
        SIZE size = {-1, -1};
        EXPECT_EQ(1, CalcWindowSize(year, month, (int*)&size.cx, (int*)&size.cy, env));
        return size;
    }

    int OuterWidth(int view) const { return view + env->DayWidth / 2 + env->MarginLeft + env->MarginRight; }
    int OuterHeight(int view) const { return view + env->DayHeight / 2 + env->MarginTop + env->MarginBottom; }

    EnvData* env;
};

TEST_F(LayoutTest, GridBlockHeightFollowsTheWeekRows)
{
    struct Case {
        int month, rows;
        const char* name;
    } const cases[] = {{2, 4, "February"}, {3, 5, "March"}, {5, 6, "May"}};
    for (const Case& c : cases) {
        int width = 0, height = 0;
        SIZE heading, grid;
        ASSERT_EQ(1, CalcWindowSizeOneMonthNormal(2026, c.month, &width, &height, &heading, &grid, env));
        SIZE expected = Heading(c.name);
        EXPECT_EQ(expected.cx, heading.cx) << c.name;
        EXPECT_EQ(std::max((int)expected.cx, 7 * env->DayWidth), width);
        EXPECT_EQ(c.rows * env->DayHeight + env->WeekHeight, grid.cy);
        EXPECT_EQ(c.rows * env->DayHeight + env->WeekHeight + env->MonthHeight, height) << c.name;
    }

    // Without any heading or weekday text only the date rows remain.
    env->YearType = 0;
    env->MonthType = 0;
    env->WeekType = 0;
    int width = 0, height = 0;
    SIZE heading = {9, 9};
    CalcWindowSizeOneMonthNormal(2026, 2, &width, &height, &heading, nullptr, env);
    EXPECT_EQ(0, heading.cx);
    EXPECT_EQ(0, heading.cy);
    EXPECT_EQ(4 * env->DayHeight, height);
}

TEST_F(LayoutTest, WeeksStartOnStartDateModuloSeven)
{
    // February 2026 takes four week rows from Sunday and five from Monday.
    env->StartDate = 7;
    EXPECT_EQ(OuterHeight(env->MonthHeight + env->WeekHeight + 4 * env->DayHeight), Window(2026, 2).cy);
    env->StartDate = 8;
    EXPECT_EQ(OuterHeight(env->MonthHeight + env->WeekHeight + 5 * env->DayHeight), Window(2026, 2).cy);
}

TEST_F(LayoutTest, GridWindowForEachOrderAndHeightRule)
{
    // February to May 2026: 4, 5, 5 and 6 week rows, two months across and two down.
    env->DisplayRows = 2;
    env->DisplayLines = 2;
    int block = env->MonthHeight + env->WeekHeight;
    int space = env->EachMonthSpace;
    int widest = std::max(WidestHeading({"February", "March", "April", "May"}), 7 * env->DayWidth);
    // Months flowing down the columns with their own heights: the highest column (April and May) counts.
    int byColumns = 2 * block + 11 * env->DayHeight + space;
    int byHighest = 2 * (block + 6 * env->DayHeight) + space;
    struct Case {
        int order, displayHeight, viewHeight;
    } const cases[] = {
        {0, 0, byColumns}, {2, 0, byColumns}, {0, 3, byColumns}, {1, 0, byHighest},
        {3, 0, byHighest}, {0, 1, byHighest}, {2, 2, byHighest},
    };
    for (const Case& c : cases) {
        env->DisplayOrder = (BYTE)c.order;
        env->DisplayHeight = (BYTE)c.displayHeight;
        SIZE size = Window(2026, 2);
        EXPECT_EQ(OuterWidth(2 * widest + space), size.cx) << c.order << " " << c.displayHeight;
        EXPECT_EQ(OuterHeight(c.viewHeight), size.cy) << c.order << " " << c.displayHeight;
    }
}

TEST_F(LayoutTest, LineWindowStacksTheMonthsBesideTheWidestHeading)
{
    env->DisplayType = DISPLAY_TYPE_LINE;
    env->DisplayLines = 3;
    SIZE digits = Extent(env->DayFont, "0123456789");
    int blockHeight = std::max((int)digits.cy, (int)Heading("November").cy + env->WeekHeight);
    int widestHeading = WidestHeading({"October", "November", "December"});
    for (int inForm = 0; inForm <= 1; inForm++) {
        env->WeekInForm = inForm;
        int cells = inForm ? 35 : 31;  // aligned from Sunday to the end of October, else the longest month
        SIZE size = Window(2026, 10);
        int block = env->DayWidth * cells + env->DayWidth / 2 + env->MonthHeight;
        EXPECT_EQ(OuterWidth(block + widestHeading), size.cx) << inForm;
        EXPECT_EQ(OuterHeight(3 * blockHeight + 2 * env->EachMonthSpace), size.cy) << inForm;
    }

    int width = 0;
    SIZE grid;
    CalcWindowSizeOneMonthLine(2026, 11, 10, &width, nullptr, nullptr, &grid, env);
    EXPECT_EQ(10 * env->DayWidth, grid.cx);
    EXPECT_EQ(digits.cy, grid.cy);
}

TEST_F(LayoutTest, ColumnWindowPutsTheMonthsSideBySide)
{
    env->DisplayType = DISPLAY_TYPE_COLUMN;
    env->DisplayRows = 3;
    env->WeekType = 2;
    env->WeekKakko = 1;
    const char* const days[] = {"(日曜日)", "(月曜日)", "(火曜日)", "(水曜日)", "(木曜日)", "(金曜日)", "(土曜日)"};
    int widestDay = 0;
    for (const char* day : days)
        widestDay = std::max(widestDay, (int)Extent(env->WeekFont, day).cx);
    SIZE box = Extent(env->DayFont, "30");
    int column = std::max(env->DayWidth, (int)box.cx) + env->WeekHeight + widestDay;
    int width = 2 * env->EachMonthSpace;
    for (const char* name : {"October", "November", "December"})
        width += std::max(column, (int)Heading(name).cx);
    for (int inForm = 0; inForm <= 1; inForm++) {
        env->WeekInForm = inForm;
        int cells = inForm ? 35 : 31;
        SIZE size = Window(2026, 10);
        EXPECT_EQ(OuterWidth(width), size.cx) << inForm;
        EXPECT_EQ(OuterHeight(env->DayHeight * cells + box.cy / 2 + env->MonthHeight), size.cy) << inForm;
    }

    // The weekday text before the date widens the date box by half.
    env->WeekPos = 3;
    env->WeekType = 0;
    SIZE grid;
    CalcWindowSizeOneMonthRow(2026, 10, 0, nullptr, nullptr, nullptr, &grid, env);
    EXPECT_EQ(std::max(env->DayWidth, (int)box.cx * 3 / 2), grid.cx);
    EXPECT_EQ(31 * env->DayHeight, grid.cy);
}

TEST_F(LayoutTest, CountsAndSetsOutsideTheTablesLayOutAsTheNearest)
{
    for (BYTE type : {DISPLAY_TYPE_GRID, DISPLAY_TYPE_LINE, DISPLAY_TYPE_COLUMN}) {
        env->DisplayType = type;
        env->WeekType = 1;
        env->MonthType = 1;
        env->DisplayRows = 1;
        env->DisplayLines = 1;
        SIZE one = Window(2026, 5);
        env->DisplayRows = 0;
        env->DisplayLines = 0;
        EXPECT_EQ(one.cx, Window(2026, 5).cx) << (int)type;
        EXPECT_EQ(one.cy, Window(2026, 5).cy) << (int)type;
        env->DisplayRows = DISPLAY_COUNT_MAX;
        env->DisplayLines = DISPLAY_COUNT_MAX;
        SIZE most = Window(2026, 5);
        for (BYTE count : {13, 255}) {
            env->DisplayRows = count;
            env->DisplayLines = count;
            SIZE size = Window(2026, 5);
            EXPECT_EQ(most.cx, size.cx) << (int)type << " " << (int)count;
            EXPECT_EQ(most.cy, size.cy) << (int)type << " " << (int)count;
        }
        env->DisplayRows = 1;
        env->DisplayLines = 1;
        env->MonthType = 9;
        env->WeekType = 8;
        SIZE sets = Window(2026, 5);
        EXPECT_EQ(one.cx, sets.cx) << (int)type;
        EXPECT_EQ(one.cy, sets.cy) << (int)type;
    }
}

// Distances near INT_MAX make a huge calendar, never a negative or empty one: every sum is held to int's range.
TEST_F(LayoutTest, HugeDistancesGiveTheLargestSizeInsteadOfWrappingRound)
{
    for (BYTE type : {DISPLAY_TYPE_GRID, DISPLAY_TYPE_LINE, DISPLAY_TYPE_COLUMN}) {
        env->DisplayType = type;
        env->DisplayRows = 2;
        env->DisplayLines = 2;
        env->MarginRight = INT_MAX - 10;
        env->MarginBottom = INT_MAX - 10;
        SIZE size = Window(2026, 5);
        EXPECT_EQ(INT_MAX, size.cx) << (int)type;
        EXPECT_EQ(INT_MAX, size.cy) << (int)type;
        env->MarginRight = env->MarginBottom = 0;
        env->EachMonthSpace = INT_MAX;
        size = Window(2026, 5);
        EXPECT_EQ(INT_MAX, type == DISPLAY_TYPE_LINE ? size.cy : size.cx) << (int)type;
        env->EachMonthSpace = 0;
        env->DayWidth = INT_MAX;
        env->DayHeight = INT_MAX;
        size = Window(2026, 5);
        EXPECT_EQ(INT_MAX, size.cx) << (int)type;
        // A line block is as high as its texts; its window adds only half a date pitch below them.
        if (type == DISPLAY_TYPE_LINE)
            EXPECT_GT(size.cy, INT_MAX / 2);
        else
            EXPECT_EQ(INT_MAX, size.cy) << (int)type;
        env->DayWidth = 20;
        env->DayHeight = 18;
    }
    env->DisplayType = DISPLAY_TYPE_GRID;
    env->YMSpace = INT_MAX;
    int width = 0, height = 0;
    SIZE heading = {};
    CalcWindowSizeOneMonthNormal(2026, 5, &width, &height, &heading, nullptr, env);
    EXPECT_EQ(INT_MAX, heading.cx);
    EXPECT_EQ(INT_MAX, width);
    HDC dc = GetDC(nullptr);
    HFONT yearFont = nullptr, monthFont = nullptr;
    SIZE yearText, monthText;
    width = 5;
    height = 0;
    ASSERT_EQ(1, CalcYearMonthSize(dc, &yearFont, &monthFont, 2026, 5, &width, &height, &yearText, &monthText, env));
    EXPECT_EQ(INT_MAX, width);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(yearFont);
    DeleteObject(monthFont);
    ReleaseDC(nullptr, dc);
}

TEST_F(LayoutTest, UserMonthNamesComeFromTheMeasuredRecord)
{
    env->MonthType = MONTH_SET_USER;
    env->MonthUserStr = StrDupHeap("Ichi,Ni,San,Shi,Go");
    EnvData* other = new EnvData();
    other->CopyFrom(env);
    other->MonthUserStr = StrReplaceHeap(other->MonthUserStr, "A much longer first name,B");

    SIZE calcWindow;
    CalcWindowSize(2026, 1, (int*)&calcWindow.cx, (int*)&calcWindow.cy, other);
    SIZE heading;
    CalcWindowSizeOneMonthNormal(2026, 1, nullptr, nullptr, &heading, nullptr, env);
    EXPECT_EQ(Heading("Ichi").cx, heading.cx);
    CalcWindowSizeOneMonthRow(2026, 1, 0, nullptr, nullptr, &heading, nullptr, other);
    EXPECT_EQ(Heading("A much longer first name").cx, heading.cx);
    CalcWindowSizeOneMonthLine(2026, 7, 0, nullptr, nullptr, &heading, nullptr, env);
    EXPECT_EQ(Heading("").cx, heading.cx);

    HDC dc = GetDC(nullptr);
    HFONT yearFont = nullptr, monthFont = nullptr;
    int width = 0, height = 0;
    SIZE yearText, monthText;
    ASSERT_EQ(1, CalcYearMonthSize(dc, &yearFont, &monthFont, 2026, 5, &width, &height, &yearText, &monthText, env));
    EXPECT_EQ(Extent(env->MonthStyle.Font, "Go").cx, monthText.cx);
    EXPECT_EQ(Heading("Go").cx, width);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(yearFont);
    DeleteObject(monthFont);
    ReleaseDC(nullptr, dc);
    delete other;
}

TEST_F(LayoutTest, YearMonthSizeAddsToTheCallersSums)
{
    HDC dc = GetDC(nullptr);
    HFONT yearFont = nullptr, monthFont = nullptr;
    SIZE yearText, monthText = {5, 5};
    int width = 100, height = 1;
    env->MonthType = 0;
    ASSERT_EQ(1, CalcYearMonthSize(dc, &yearFont, &monthFont, 2026, 5, &width, &height, &yearText, &monthText, env));
    SIZE year = Extent(env->YearStyle.Font, "2026年");
    EXPECT_EQ(year.cx, yearText.cx);
    EXPECT_EQ(100 + year.cx + env->YMSpace, width);  // the space follows the year even without a month text
    EXPECT_EQ(year.cy, height);
    EXPECT_EQ(0, monthText.cx);
    EXPECT_EQ(nullptr, monthFont);
    ASSERT_NE(nullptr, yearFont);
    EXPECT_EQ(0, CalcYearMonthSize(dc, &yearFont, nullptr, 2026, 5, &width, &height, &yearText, &monthText, env));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(yearFont);
    ReleaseDC(nullptr, dc);
}

TEST_F(LayoutTest, YearIsMeasuredOnceWhenTheMonthComesFirst)
{
    env->DisplayFewYear = 1;
    env->DisplayYMChange = 1;
    struct Case {
        int type;
        BYTE ymStyle;
        bool leftOut;
    } const cases[] = {{DISPLAY_TYPE_GRID, 0, true}, {DISPLAY_TYPE_GRID, 2, false}, {DISPLAY_TYPE_LINE, 2, true}};
    SIZE monthOnly = {env->YMSpace + Extent(env->MonthStyle.Font, "June").cx, 0};
    for (const Case& c : cases) {
        env->DisplayYMStyle = c.ymStyle;
        memset(env->MonthArrangement[1], 0, sizeof(env->MonthArrangement[1]));
        SIZE first, second;
        auto measure = [&](SIZE* heading) {
            if (c.type == DISPLAY_TYPE_GRID)
                CalcWindowSizeOneMonthNormal(2026, 6, nullptr, nullptr, heading, nullptr, env);
            else
                CalcWindowSizeOneMonthLine(2026, 6, 0, nullptr, nullptr, heading, nullptr, env);
        };
        measure(&first);
        measure(&second);
        EXPECT_GT(first.cx, monthOnly.cx);
        EXPECT_EQ(c.leftOut ? monthOnly.cx : first.cx, second.cx) << c.type << " " << (int)c.ymStyle;
        EXPECT_EQ(2026, env->MonthArrangement[1][11]);
    }
}

}  // namespace
