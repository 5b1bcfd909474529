// The year and month heading: where its texts go, the year-once rule and the era tooltip.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "CalendarLayout.h"
#include "DayCells.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "HeapUtil.h"
#include "HostWindow.h"
#include "MemoryBitmap.h"
#include "MonthHeading.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYearColor = RGB(255, 0, 0);
const COLORREF kMonthColor = RGB(0, 0, 255);

TEST(MonthHeadingTest, TextsArePlacedByAlignmentAndOrder)
{
    // x 10, available width 200, heading width 100, year 60 and month 30 wide, space 10.
    struct Case {
        int style, change, link, yearX, monthX;
    } const cases[] = {
        {0, 0, 0, 10, 80},   {0, 1, 0, 50, 10},   {0, 2, 0, 10, 10},  // 2: the month alone moves first
        {1, 0, 0, 110, 180}, {1, 1, 0, 150, 110}, {2, 0, 0, 60, 130}, {2, 1, 0, 100, 60},
        {3, 0, 0, 10, 180},  {3, 1, 0, 150, 10},  {9, 0, 0, 10, 80},  {1, 1, 1, 110, 110},
    };
    EnvData env;
    env.YMSpace = 10;
    for (const Case& c : cases) {
        env.DisplayYMStyle = (BYTE)c.style;
        env.DisplayYMChange = c.change;
        env.YMLink = c.link;
        HeadingPositions at = PlaceHeadingTexts(env, 10, 200, 100, 60, 30);
        EXPECT_EQ(c.yearX, at.YearX) << c.style << " " << c.change << " " << c.link;
        EXPECT_EQ(c.monthX, at.MonthX) << c.style << " " << c.change << " " << c.link;
    }
}

class DrawYearMonthTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env_.YearType = 9;  // "2026"
        env_.MonthType = 1;
        env_.YMSpace = 4;
        env_.YearStyle.StrColor = kYearColor;
        env_.MonthStyle.StrColor = kMonthColor;
        InitLogFont(&env_.YearStyle.Font, "ＭＳ ゴシック", 16, 0, 0, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN);
        env_.MonthStyle.Font = env_.YearStyle.Font;
        // Plain pixels, so that the colours of the texts can be counted.
        env_.YearStyle.Font.lfQuality = NONANTIALIASED_QUALITY;
        env_.MonthStyle.Font.lfQuality = NONANTIALIASED_QUALITY;
        env_.DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
        ASSERT_NE(nullptr, env_.DayCells);
    }

    // Draws the heading of a month as the month drawing does; the pixels of the year and month colours.
    void Draw(int year, int month, int* yearPixels, int* monthPixels = nullptr, int addTool = 0)
    {
        MemoryBitmap bitmap(240, 60, kWhite);
        HFONT yearFont = nullptr, monthFont = nullptr;
        int width = 0, height = 0;
        SIZE yearText, monthText;
        ASSERT_EQ(1, CalcYearMonthSize(bitmap.Dc(), &yearFont, &monthFont, year, month, &width, &height, &yearText,
                                       &monthText, &env_));
        heading_ = {width, height};
        EXPECT_EQ(1, DrawYearMonth(bitmap.Dc(), year, month, 10, 10, 200, width, height, yearText, monthText,
                                   yearFont, monthFont, addTool, &env_));
        SelectObject(bitmap.Dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(yearFont);
        DeleteObject(monthFont);
        *yearPixels = bitmap.Count(kYearColor);
        if (monthPixels)
            *monthPixels = bitmap.Count(kMonthColor);
    }

    EnvData env_;
    SIZE heading_ = {0, 0};
};

TEST_F(DrawYearMonthTest, YearOnceDrawsEachYearAtItsFirstMonthUnlessLinked)
{
    // Rows in drawing order; a new rule starts a new pass with empty drawn-year slots.
    struct Step {
        int fewYear, link, year, month;
        bool yearDrawn;
    } const steps[] = {
        {1, 0, 2026, 1, true}, {1, 0, 2026, 2, false}, {1, 0, 2026, 3, false}, {1, 0, 2027, 1, true},
        {0, 0, 2026, 1, true}, {0, 0, 2026, 2, true},  {1, 1, 2026, 1, true},  {1, 1, 2026, 2, true},
    };
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); i++) {
        const Step& s = steps[i];
        if (i == 0 || s.fewYear != steps[i - 1].fewYear || s.link != steps[i - 1].link)
            memset(env_.MonthArrangement, 0, sizeof(env_.MonthArrangement));
        env_.DisplayFewYear = s.fewYear;
        env_.YMLink = s.link;
        int yearPixels = 0, monthPixels = 0;
        Draw(s.year, s.month, &yearPixels, &monthPixels);
        EXPECT_EQ(s.yearDrawn, yearPixels > 0) << "step " << i;
        EXPECT_EQ(s.link == 0, monthPixels > 0) << "step " << i;
    }
}

TEST_F(DrawYearMonthTest, EraTipCoversTheHeadingAndLeavesAHeadingCell)
{
    HostWindow host(100, 100, 300, 100);
    env_.MainWindow = host.Handle();
    ASSERT_EQ(1, CreateToolTip(&env_));
    int pixels;
    Draw(2026, 1, &pixels, nullptr, 1);
    env_.ShowYearTip = 1;
    Draw(2026, 1, &pixels, nullptr, 1);
    Draw(2026, 2, &pixels, nullptr, 0);
    ASSERT_EQ(2, env_.DayCellCount);
    const DayCell& cell = env_.DayCells[0];
    EXPECT_EQ(2026 * 10000 + 100, cell.Year * 10000 + cell.Month * 100 + cell.Day);
    RECT expected = {10, 10, 210, 10 + heading_.cy};
    EXPECT_TRUE(EqualRect(&expected, &cell.Rect));
    EXPECT_EQ(2, env_.DayCells[1].Month);

    EXPECT_EQ(1, SendMessageA(env_.ToolTipWindow, TTM_GETTOOLCOUNT, 0, 0));
    char text[INFOTIPSIZE + 1] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = env_.MainWindow;
    tool.uId = DayToolId(2026, 1, 0);
    tool.lpszText = text;
    SendMessageA(env_.ToolTipWindow, TTM_GETTEXTA, sizeof(text), (LPARAM)&tool);
    EXPECT_STREQ("2026年 (令和8年)", text);

    // An empty heading gets no tip.
    env_.YearType = 0;
    env_.MonthType = 0;
    Draw(2026, 3, &pixels, nullptr, 1);
    EXPECT_EQ(2, env_.DayCellCount);
    DestroyWindow(env_.ToolTipWindow);
}

}  // namespace
