#include <gtest/gtest.h>

#include "MainWindowRules.h"

namespace {

SYSTEMTIME Date(int year, int month, int day)
{
    SYSTEMTIME date = {};
    date.wYear = (WORD)year;
    date.wMonth = (WORD)month;
    date.wDay = (WORD)day;
    return date;
}

TEST(MainWindowRules, MonthCommandsStepAcrossYearsFromAMonthEnd)
{
    const SYSTEMTIME today = Date(2026, 12, 9);
    struct Step {
        int command, year, month;
    };
    for (const Step& step : {Step{IDM_YEAR_BACK, 2023, 1}, Step{IDM_6MONTHS_BACK, 2023, 7},
                             Step{IDM_3MONTHS_BACK, 2023, 10}, Step{IDM_MONTH_BACK, 2023, 12},
                             Step{IDM_THIS_MONTH, 2026, 12}, Step{IDM_MONTH_NEXT, 2024, 2},
                             Step{IDM_3MONTHS_NEXT, 2024, 4}, Step{IDM_6MONTHS_NEXT, 2024, 7},
                             Step{IDM_YEAR_NEXT, 2025, 1}}) {
        SYSTEMTIME shown = Date(2024, 1, 31);
        ASSERT_EQ(1, StepShownMonth(step.command, &shown, &today)) << step.command;
        EXPECT_EQ(step.year, shown.wYear) << step.command;
        EXPECT_EQ(step.month, shown.wMonth) << step.command;
    }
    SYSTEMTIME shown = Date(2024, 1, 31);
    EXPECT_EQ(0, StepShownMonth(IDM_WINDOW_FIX, &shown, &today));
    EXPECT_EQ(1, shown.wMonth);
}

TEST(MainWindowRules, DoubleClickTableAndDaylessClicks)
{
    EXPECT_EQ(IDM_SETTINGS, DoubleClickCommand(0, 1, 1));
    EXPECT_EQ(IDM_THIS_MONTH, DoubleClickCommand(1, 0, 0));
    EXPECT_EQ(IDM_MONTH_NEXT, DoubleClickCommand(1, 1, 1));  // Shift wins over Ctrl
    EXPECT_EQ(IDM_MONTH_BACK, DoubleClickCommand(1, 0, 1));
    EXPECT_EQ(IDM_PERIOD_MEMO, DoubleClickCommand(2, 0, 1));
    EXPECT_EQ(IDM_REPEAT_MEMO, DoubleClickCommand(3, 1, 0));
    EXPECT_EQ(IDM_DAY_MEMO, DoubleClickCommand(4, 1, 0));
    EXPECT_EQ(0, DoubleClickCommand(9, 0, 0));

    SYSTEMTIME beside = Date(0, 0, 0);
    SYSTEMTIME day = Date(2026, 2, 3);
    EXPECT_EQ(0, IsDaySet(&beside));
    EXPECT_EQ(1, IsDaySet(&day));
    EXPECT_EQ(1, CommandNeedsDay(IDM_DAY_MEMO));
    EXPECT_EQ(0, CommandNeedsDay(IDM_MONTH_NEXT));
}

TEST(MainWindowRules, PlacementTogglesReturnToNormal)
{
    int order = NextWindowOrder(IDM_BOTTOMMOST, 0);
    EXPECT_EQ(WINDOW_ORDER_BOTTOM, order);
    EXPECT_EQ(0, NextWindowOrder(IDM_BOTTOMMOST, order));
    EXPECT_EQ(WINDOW_ORDER_TOPMOST, NextWindowOrder(IDM_TOPMOST, WINDOW_ORDER_BOTTOM));
    EXPECT_EQ(0, NextWindowOrder(IDM_TOPMOST, WINDOW_ORDER_TOPMOST));
    EXPECT_EQ(HWND_BOTTOM, ZOrderInsertAfter(WINDOW_ORDER_BOTTOM));
    EXPECT_EQ(HWND_NOTOPMOST, ZOrderInsertAfter(7));
}

TEST(MainWindowRules, FadesStopAtTheTargetAlpha)
{
    EXPECT_EQ(192, FadeOutAlpha(200, 128));
    EXPECT_EQ(128, FadeOutAlpha(130, 128));
    EXPECT_EQ(-1, FadeOutAlpha(128, 128));
    EXPECT_EQ(-1, FadeOutAlpha(7, 0));
    EXPECT_EQ(8, FadeInAlpha(0, 128));
    EXPECT_EQ(128, FadeInAlpha(124, 128));
    EXPECT_EQ(-1, FadeInAlpha(128, 128));

    RECT area = {0, 0, 100, 50};
    EXPECT_EQ(1, PointInArea(POINT{100, 50}, &area));
    EXPECT_EQ(0, PointInArea(POINT{101, 0}, &area));
}

}  // namespace
