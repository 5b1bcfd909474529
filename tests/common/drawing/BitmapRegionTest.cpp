#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "BitmapRegion.h"
#include "MemoryBitmap.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kInk = RGB(0, 128, 0);

// A key-coloured bitmap, left out of its DC as the region builders expect it.
class TestBitmap : public MemoryBitmap {
public:
    TestBitmap(int width, int height) : MemoryBitmap(width, height, kKey) { Unselect(); }

    HRGN Region(int width, int height, bool simple = false) const
    {
        return simple ? CreateRegionFromBitmapSimple(Dc(), Bitmap(), width, height, kKey)
                      : CreateRegionFromBitmap(Dc(), Bitmap(), width, height, kKey);
    }
};

DWORD RectCount(HRGN region)
{
    DWORD size = GetRegionData(region, 0, nullptr);
    std::string data(size, '\0');
    if (!size || !GetRegionData(region, size, (RGNDATA*)&data[0]))
        return 0;
    return ((RGNDATA*)&data[0])->rdh.nCount;
}

class BitmapRegionTest : public ::testing::TestWithParam<bool> {};

TEST_P(BitmapRegionTest, RunsReachTheLastColumn)
{
    TestBitmap bitmap(10, 4);
    ASSERT_TRUE(bitmap.Valid());
    bitmap.Set(9, 1, kInk);
    for (int x = 3; x < 10; x++)
        bitmap.Set(x, 2, kInk);
    HRGN region = bitmap.Region(10, 4, GetParam());
    ASSERT_NE(nullptr, region);
    EXPECT_TRUE(PtInRegion(region, 9, 1));
    EXPECT_FALSE(PtInRegion(region, 8, 1));
    EXPECT_TRUE(PtInRegion(region, 3, 2));
    EXPECT_TRUE(PtInRegion(region, 9, 2));
    EXPECT_FALSE(PtInRegion(region, 2, 2));
    EXPECT_FALSE(PtInRegion(region, 10, 2));
    EXPECT_FALSE(PtInRegion(region, 9, 3));
    DeleteObject(region);
}

TEST_P(BitmapRegionTest, KeyColouredBitmapGivesEmptyRegion)
{
    TestBitmap bitmap(16, 8);
    ASSERT_TRUE(bitmap.Valid());
    HRGN region = bitmap.Region(16, 8, GetParam());
    ASSERT_NE(nullptr, region);
    RECT box;
    EXPECT_EQ(NULLREGION, GetRgnBox(region, &box));
    DeleteObject(region);
}

// Rows are taken from the top, whatever the row padding (37 * 3 bytes is not a multiple of 4).
TEST_P(BitmapRegionTest, EveryPixelFollowsItsColour)
{
    const int width = 37, height = 23;
    TestBitmap bitmap(width, height);
    ASSERT_TRUE(bitmap.Valid());
    unsigned seed = 12345;
    bool ink[height][width];
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            seed = seed * 1103515245 + 12345;
            ink[y][x] = (seed >> 16) % 3 != 0;
            // Colours that share two channels with the key must still count as different.
            bitmap.Set(x, y, ink[y][x] ? ((seed >> 8) % 2 ? kInk : RGB(255, 0, 254)) : kKey);
        }
    }
    HRGN region = bitmap.Region(width, height, GetParam());
    ASSERT_NE(nullptr, region);
    int wrong = 0;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            wrong += ink[y][x] != (PtInRegion(region, x, y) != FALSE);
    EXPECT_EQ(0, wrong);
    DeleteObject(region);
}

// Only the top-left width x height part counts, and a size beyond the bitmap is cut to it.
TEST_P(BitmapRegionTest, SizeSelectsTheTopLeftPart)
{
    TestBitmap bitmap(8, 8);
    ASSERT_TRUE(bitmap.Valid());
    for (int x = 0; x < 8; x++) {
        bitmap.Set(x, 0, kInk);
        bitmap.Set(x, 7, kInk);
    }
    RECT box;
    HRGN top = bitmap.Region(5, 2, GetParam());
    ASSERT_NE(nullptr, top);
    GetRgnBox(top, &box);
    EXPECT_EQ(0, box.left);
    EXPECT_EQ(0, box.top);
    EXPECT_EQ(5, box.right);
    EXPECT_EQ(1, box.bottom);
    DeleteObject(top);

    HRGN whole = bitmap.Region(100, 100, GetParam());
    ASSERT_NE(nullptr, whole);
    GetRgnBox(whole, &box);
    EXPECT_EQ(8, box.right);
    EXPECT_EQ(8, box.bottom);
    DeleteObject(whole);
}

INSTANTIATE_TEST_SUITE_P(Builders, BitmapRegionTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Simple" : "Blocks"; });

// 300 runs fill one block of 256 rectangles and part of a second; both end up in the region.
TEST(BitmapRegion, RunsBeyondOneBlockAreCombined)
{
    TestBitmap bitmap(600, 2);
    ASSERT_TRUE(bitmap.Valid());
    for (int x = 0; x < 600; x += 2)
        bitmap.Set(x, 1, kInk);
    HRGN blocks = bitmap.Region(600, 2);
    HRGN simple = bitmap.Region(600, 2, true);
    ASSERT_NE(nullptr, blocks);
    ASSERT_NE(nullptr, simple);
    EXPECT_EQ(300u, RectCount(blocks));
    EXPECT_TRUE(PtInRegion(blocks, 0, 1));
    EXPECT_TRUE(PtInRegion(blocks, 510, 1));
    EXPECT_TRUE(PtInRegion(blocks, 598, 1));
    EXPECT_FALSE(PtInRegion(blocks, 599, 1));
    EXPECT_TRUE(EqualRgn(blocks, simple));
    DeleteObject(blocks);
    DeleteObject(simple);
}

TEST(BitmapRegion, BadArgumentsGiveNull)
{
    TestBitmap bitmap(4, 4);
    ASSERT_TRUE(bitmap.Valid());
    EXPECT_EQ(nullptr, bitmap.Region(0, 4));
    EXPECT_EQ(nullptr, bitmap.Region(4, -1, true));
    EXPECT_EQ(nullptr, CreateRegionFromBitmap(nullptr, nullptr, 4, 4, kKey));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(nullptr, CreateRegionFromBitmapSimple(dc, nullptr, 4, 4, kKey));
    DeleteDC(dc);
}

}  // namespace
