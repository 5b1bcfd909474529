// Where the month blocks go in every display type and order, and the rows of a line block.
#include <gtest/gtest.h>
#include <windows.h>

#include "CalendarArrangement.h"
#include "EnvData.h"

namespace {

const POINT kOrigin = {5, 7};
const int kSpace = 10;

// Six grid blocks in month order: the widest is 120, the highest 80.
const MonthBlockSize kGridSizes[] = {{100, 50, 0}, {120, 60, 0}, {90, 70, 0}, {100, 40, 0}, {110, 80, 0}, {100, 30, 0}};

struct ArrangementTest : ::testing::Test {
    EnvData env;
    MonthBlockPlace places[6] = {};

    void SetUp() override
    {
        env.EachMonthSpace = kSpace;
        env.DisplayRows = 3;
        env.DisplayLines = 2;
    }
};

TEST_F(ArrangementTest, GridBlocksFollowEveryOrder)
{
    // Columns start at 5, 135 and 265; rows at 7 and 97 (the highest block and the space).
    struct Case {
        int order, height;
        POINT at[6];
    } const cases[] = {
        {DISPLAY_ORDER_DOWN, DISPLAY_HEIGHT_OWN, {{5, 7}, {5, 67}, {135, 7}, {135, 87}, {265, 7}, {265, 97}}},
        {DISPLAY_ORDER_DOWN, DISPLAY_HEIGHT_HIGHEST, {{5, 7}, {5, 97}, {135, 7}, {135, 97}, {265, 7}, {265, 97}}},
        {DISPLAY_ORDER_ACROSS, DISPLAY_HEIGHT_OWN, {{5, 7}, {135, 7}, {265, 7}, {5, 97}, {135, 97}, {265, 97}}},
        {DISPLAY_ORDER_DOWN_FROM_RIGHT, DISPLAY_HEIGHT_OWN,
         {{265, 7}, {265, 67}, {135, 7}, {135, 87}, {5, 7}, {5, 97}}},
        {DISPLAY_ORDER_DOWN_FROM_RIGHT, DISPLAY_HEIGHT_SIX_WEEKS,
         {{265, 7}, {265, 97}, {135, 7}, {135, 97}, {5, 7}, {5, 97}}},
        {DISPLAY_ORDER_ACROSS_FROM_RIGHT, DISPLAY_HEIGHT_OWN,
         {{265, 7}, {135, 7}, {5, 7}, {265, 97}, {135, 97}, {5, 97}}},
        {9, 7, {{5, 7}, {5, 67}, {135, 7}, {135, 87}, {265, 7}, {265, 97}}},  // unknown values: down, own heights
    };
    ASSERT_EQ(6, ViewMonthCount(env));
    for (const Case& c : cases) {
        env.DisplayOrder = (BYTE)c.order;
        env.DisplayHeight = (BYTE)c.height;
        ArrangeMonthBlocks(env, kOrigin, kGridSizes, 6, places);
        for (int k = 0; k < 6; k++) {
            EXPECT_EQ(c.at[k].x, places[k].X) << "order " << c.order << " height " << c.height << " block " << k;
            EXPECT_EQ(c.at[k].y, places[k].Y) << "order " << c.order << " height " << c.height << " block " << k;
            EXPECT_EQ(120, places[k].Width);
        }
    }
}

TEST_F(ArrangementTest, LineBlocksGoDownAndColumnBlocksGoRight)
{
    const MonthBlockSize sizes[] = {{300, 40, 70}, {280, 25, 90}, {310, 30, 60}};
    env.DisplayType = DISPLAY_TYPE_LINE;
    env.DisplayLines = 3;
    ASSERT_EQ(3, ViewMonthCount(env));
    ArrangeMonthBlocks(env, kOrigin, sizes, 3, places);
    const int lineY[] = {7, 57, 92};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(5, places[i].X);
        EXPECT_EQ(lineY[i], places[i].Y);
        EXPECT_EQ(90, places[i].Width);  // the widest heading
    }

    env.DisplayType = DISPLAY_TYPE_COLUMN;
    ASSERT_EQ(3, ViewMonthCount(env));
    ArrangeMonthBlocks(env, kOrigin, sizes, 3, places);
    const int columnX[] = {5, 315, 605};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(columnX[i], places[i].X);
        EXPECT_EQ(7, places[i].Y);
        EXPECT_EQ(sizes[i].Width, places[i].Width);
    }
}

TEST_F(ArrangementTest, CountsBeyondTwelveShowTwelve)
{
    env.DisplayRows = 13;
    env.DisplayLines = 255;
    EXPECT_EQ(144, ViewMonthCount(env));
    env.DisplayType = DISPLAY_TYPE_COLUMN;
    EXPECT_EQ(12, ViewMonthCount(env));
    env.DisplayType = DISPLAY_TYPE_LINE;
    env.DisplayLines = 0;
    EXPECT_EQ(1, ViewMonthCount(env));
}

TEST_F(ArrangementTest, LineWeekdaysStandWeekHeightAboveOrBelowTheDays)
{
    env.WeekType = 1;
    env.WeekHeight = 20;
    // A heading of 24 over digits of 15: the numbers stand on the heading's baseline.
    env.WeekPos = 2;
    LineBlockRows below = PlaceLineRows(env, 100, 24, 15);
    EXPECT_EQ(100, below.HeadingY);
    EXPECT_EQ(109, below.DayY);
    EXPECT_EQ(129, below.WeekdayY);
    EXPECT_EQ(44, below.Height);

    env.WeekPos = WEEK_POS_ABOVE;
    LineBlockRows above = PlaceLineRows(env, 100, 10, 15);
    EXPECT_EQ(120, above.HeadingY);
    EXPECT_EQ(120, above.DayY);
    EXPECT_EQ(100, above.WeekdayY);
    EXPECT_EQ(35, above.Height);
}

TEST_F(ArrangementTest, AlignedDaysStartAtTheEarliestWeekdayOfTheFirsts)
{
    EXPECT_EQ(100, AlignmentBase(env, 2026, 10, 3));
    env.WeekInForm = 1;
    EXPECT_EQ(0, AlignmentBase(env, 2026, 10, 3));  // Thursday, Sunday and Tuesday 1sts
    EXPECT_EQ(1, AlignmentBase(env, 2026, 12, 3));  // Tuesday, Friday and then Monday, 1 February 2027
}

}  // namespace
