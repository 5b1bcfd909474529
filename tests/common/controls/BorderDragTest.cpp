#include <gtest/gtest.h>

#include "BorderDrag.h"

namespace {

const RECT kWindow = {100, 100, 300, 200};

int Zone(int x, int y)
{
    return HitTestBorder(&kWindow, POINT{x, y}, 4);
}

RECT Drag(int zone, POINT press, POINT to, bool* applied)
{
    BorderDrag drag;
    BeginBorderDrag(&drag, zone, &kWindow, press);
    RECT out = {-1, -1, -1, -1};
    *applied = TrackBorderDrag(&drag, to, &out);
    return out;
}

}  // namespace

TEST(BorderDragTest, ZonesGoClockwiseAndLeftAndTopWinInCorners)
{
    EXPECT_EQ(BORDER_TOP, Zone(200, 102));
    EXPECT_EQ(BORDER_TOP_RIGHT, Zone(298, 97));
    EXPECT_EQ(BORDER_RIGHT, Zone(303, 150));
    EXPECT_EQ(BORDER_BOTTOM_RIGHT, Zone(300, 200));
    EXPECT_EQ(BORDER_BOTTOM, Zone(150, 196));
    EXPECT_EQ(BORDER_BOTTOM_LEFT, Zone(104, 204));
    EXPECT_EQ(BORDER_LEFT, Zone(96, 150));
    EXPECT_EQ(BORDER_TOP_LEFT, Zone(100, 100));
    EXPECT_EQ(BORDER_INSIDE, Zone(200, 150));
    // A window narrower than two borders: the left edge wins, the top wins over the bottom.
    const RECT thin = {0, 0, 6, 6};
    EXPECT_EQ(BORDER_TOP_LEFT, HitTestBorder(&thin, POINT{3, 3}, 4));
}

TEST(BorderDragTest, DraggedEdgesFollowTheCursorAndTheOthersStay)
{
    bool applied;
    RECT r = Drag(BORDER_BOTTOM_RIGHT, POINT{299, 199}, POINT{329, 219}, &applied);
    EXPECT_TRUE(applied);
    EXPECT_EQ(330, r.right);
    EXPECT_EQ(220, r.bottom);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(100, r.top);

    r = Drag(BORDER_TOP_LEFT, POINT{101, 102}, POINT{91, 82}, &applied);
    EXPECT_TRUE(applied);
    EXPECT_EQ(90, r.left);
    EXPECT_EQ(80, r.top);
    EXPECT_EQ(300, r.right);
    EXPECT_EQ(200, r.bottom);

    r = Drag(BORDER_INSIDE, POINT{150, 150}, POINT{160, 140}, &applied);
    EXPECT_TRUE(applied);
    EXPECT_EQ(110, r.left);
    EXPECT_EQ(90, r.top);
    EXPECT_EQ(200, r.right - r.left);
    EXPECT_EQ(100, r.bottom - r.top);
}

TEST(BorderDragTest, NothingBelowTheMinimumSize)
{
    bool applied;
    RECT r = Drag(BORDER_RIGHT, POINT{300, 150}, POINT{120, 150}, &applied);
    EXPECT_TRUE(applied);
    EXPECT_EQ(20, r.right - r.left);
    Drag(BORDER_RIGHT, POINT{300, 150}, POINT{119, 150}, &applied);
    EXPECT_FALSE(applied);
    Drag(BORDER_TOP, POINT{200, 100}, POINT{200, 181}, &applied);
    EXPECT_FALSE(applied);
    Drag(BORDER_NONE, POINT{200, 100}, POINT{200, 120}, &applied);
    EXPECT_FALSE(applied);
}
