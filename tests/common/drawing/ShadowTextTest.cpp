// Colour blending and shadowed text, drawn into memory bitmaps with a non-antialiased font: every copy of the text
// has the same shape, so where the copies land shows in the bounding boxes of their colours.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "MemoryBitmap.h"
#include "ShadowText.h"

namespace {

const COLORREF kGround = RGB(0, 0, 160);
const COLORREF kText = RGB(255, 255, 255);
const COLORREF kShadow = RGB(0, 0, 0);
const char kSample[] = "■W";

TEST(BlendColorTest, WeightsPerChannel)
{
    const struct {
        COLORREF a;
        int wa;
        COLORREF b;
        int wb;
        COLORREF expected;
    } cases[] = {
        {0x0000FF, 1, 0x00FF00, 1, 0x008080},  // 127.5 + 0.5 truncates to 128
        {0x123456, 0, 0xFFFFFF, 0, 0x123456},  // no weight: the first colour
        {0xFF123456, 0, 0xFFFFFF, 0, 0x123456},  // the top byte never survives
        {0x000000, 3, 0xFFFFFF, 0, 0x000000},
        {0x000000, 2, 0xFFFFFF, 1, 0x555555},
        {0x000000, 1, 0xFFFFFF, 2, 0xAAAAAA},
        {0x0000FF, -1, 0x000000, 2, 0x000000},  // negative channels clamp to 0
        {0x0000FF, 3, 0x000000, -1, 0x0000FF},  // and overshoot to 255
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, BlendColor(c.a, c.wa, c.b, c.wb)) << std::hex << c.a << " " << c.b;
    EXPECT_EQ(0x408040u, BlendColorWeighted(0x000000, 0.5, 0x80FF80, 0.5));
    EXPECT_EQ(0x123456u, BlendColorWeighted(0x123456, 0.0, 0x654321, 0.0));
}

class ShadowTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LOGFONTA lf = {};
        lf.lfHeight = -20;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        lstrcpyA(lf.lfFaceName, "ＭＳ ゴシック");
        font_ = CreateFontIndirectA(&lf);
        ASSERT_NE(nullptr, font_);
    }
    void TearDown() override { DeleteObject(font_); }

    void Prepare(MemoryBitmap& bitmap)
    {
        ASSERT_TRUE(bitmap.Valid());
        bitmap.Fill(kGround);
        SelectObject(bitmap.Dc(), font_);
        SetBkMode(bitmap.Dc(), TRANSPARENT);
    }

    // Bounding box of every pixel that is not background.
    static RECT Ink(const MemoryBitmap& bitmap)
    {
        RECT box = {bitmap.Width(), bitmap.Height(), 0, 0};
        for (int y = 0; y < bitmap.Height(); y++)
            for (int x = 0; x < bitmap.Width(); x++)
                if (bitmap.Pixel(x, y) != kGround) {
                    box.left = std::min(box.left, (LONG)x), box.top = std::min(box.top, (LONG)y);
                    box.right = std::max(box.right, (LONG)x + 1), box.bottom = std::max(box.bottom, (LONG)y + 1);
                }
        return box;
    }

    // The text drawn once in the text colour at (20, 20).
    RECT Reference()
    {
        MemoryBitmap bitmap(120, 80);
        Prepare(bitmap);
        SetTextColor(bitmap.Dc(), kText);
        TextOutA(bitmap.Dc(), 20, 20, kSample, lstrlenA(kSample));
        RECT box;
        bitmap.Count(kText, &box);
        return box;
    }

    HFONT font_ = nullptr;
};

RECT Moved(RECT r, int dx, int dy)
{
    OffsetRect(&r, dx, dy);
    return r;
}

RECT Grown(RECT r, int left, int top, int right, int bottom)
{
    return RECT{r.left - left, r.top - top, r.right + right, r.bottom + bottom};
}

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ")-("
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << ")-(" << actual.right << "," << actual.bottom << ")";
}

// Shadow width 4 in every direction: where the text goes, and how far the shadow reaches on each side, drawn and as
// ShadowTextBounds answers for the text's box.
struct DirectionCase {
    int direction;
    POINT text;
    RECT reach;  // left, top, right, bottom growth of the union of all copies
};

TEST_F(ShadowTextTest, PointShadowKeepsTextAndShadowCentred)
{
    const DirectionCase cases[] = {
        {1, {0, 2}, {0, 2, 0, 2}},   {2, {-2, 2}, {2, 2, 2, 2}},  {3, {-2, 0}, {2, 0, 2, 0}},
        {4, {-2, -2}, {2, 2, 2, 2}}, {5, {0, -2}, {0, 2, 0, 2}},  {6, {2, -2}, {2, 2, 2, 2}},
        {7, {2, 0}, {2, 0, 2, 0}},   {8, {2, 2}, {2, 2, 2, 2}},   {255, {0, 0}, {4, 4, 4, 4}},
        {0, {-2, -2}, {2, 2, 2, 2}}, {9, {-2, -2}, {2, 2, 2, 2}},
    };
    RECT reference = Reference();
    ASSERT_FALSE(IsRectEmpty(&reference));
    for (const DirectionCase& c : cases) {
        MemoryBitmap bitmap(120, 80);
        Prepare(bitmap);
        EXPECT_EQ(1, TextOutShadow(bitmap.Dc(), 20, 20, kSample, kText, kShadow, 4, c.direction, 0));
        RECT text;
        bitmap.Count(kText, &text);
        EXPECT_TRUE(SameRect(Moved(reference, c.text.x, c.text.y), text)) << "direction " << c.direction;
        EXPECT_TRUE(SameRect(Grown(reference, c.reach.left, c.reach.top, c.reach.right, c.reach.bottom),
                             Ink(bitmap)))
            << "direction " << c.direction;
        EXPECT_GT(bitmap.Count(kShadow), 0) << "direction " << c.direction;
        EXPECT_EQ(kText, GetTextColor(bitmap.Dc()));
        SIZE extent = {};
        GetTextExtentPoint32A(bitmap.Dc(), kSample, lstrlenA(kSample), &extent);
        RECT box = {20, 20, 20 + extent.cx, 20 + extent.cy};
        EXPECT_TRUE(SameRect(Grown(box, c.reach.left, c.reach.top, c.reach.right, c.reach.bottom),
                             ShadowTextBounds(20, 20, extent, 4, c.direction)))
            << "direction " << c.direction;
    }
}

TEST_F(ShadowTextTest, GradedCopiesMoveFromShadowToTextColour)
{
    RECT reference = Reference();
    MemoryBitmap bitmap(120, 80);
    Prepare(bitmap);
    ASSERT_EQ(1, TextOutShadow(bitmap.Dc(), 20, 20, kSample, kText, kShadow, 3, 4, 1));
    // Copies at +2, +1 and 0 in 0, 0x555555 and 0xAAAAAA, the text at -1: each copy's far corner stays visible.
    const struct {
        COLORREF color;
        int offset;
    } copies[] = {{0x000000, 2}, {0x555555, 1}, {0xAAAAAA, 0}};
    for (const auto& c : copies) {
        RECT box;
        ASSERT_GT(bitmap.Count(c.color, &box), 0) << std::hex << c.color;
        EXPECT_EQ(reference.right + c.offset, box.right) << std::hex << c.color;
        EXPECT_EQ(reference.bottom + c.offset, box.bottom) << std::hex << c.color;
    }
    RECT text;
    bitmap.Count(kText, &text);
    EXPECT_TRUE(SameRect(Moved(reference, -1, -1), text));
}

TEST_F(ShadowTextTest, WidthZeroOrNoTextDrawsPlainOrNothing)
{
    RECT reference = Reference();
    for (int direction : {1, 4, 8, 255}) {
        MemoryBitmap bitmap(120, 80);
        Prepare(bitmap);
        EXPECT_EQ(1, TextOutShadow(bitmap.Dc(), 20, 20, kSample, kText, kShadow, 0, direction, 1));
        EXPECT_TRUE(SameRect(reference, Ink(bitmap))) << direction;
        EXPECT_EQ(0, bitmap.Count(kShadow));
    }
    MemoryBitmap bitmap(120, 80);
    Prepare(bitmap);
    RECT box = {0, 0, 120, 80};
    EXPECT_EQ(0, TextOutShadow(bitmap.Dc(), 20, 20, nullptr, kText, kShadow, 3, 4, 0));
    EXPECT_EQ(0, TextOutShadow(bitmap.Dc(), 20, 20, "", kText, kShadow, 3, 4, 0));
    EXPECT_EQ(0, DrawShadowText(bitmap.Dc(), nullptr, &box, 0, kText, kShadow, 3, 4, 0));
    EXPECT_EQ(0, DrawShadowText(bitmap.Dc(), "", &box, 0, kText, kShadow, 3, 4, 0));
    EXPECT_EQ(0, DrawShadowText(bitmap.Dc(), kSample, nullptr, 0, kText, kShadow, 3, 4, 0));
    EXPECT_EQ(120 * 80, bitmap.Count(kGround));
}

TEST_F(ShadowTextTest, BoxShadowMovesTextTheWholeWidth)
{
    const DirectionCase cases[] = {
        {1, {0, 4}, {0, 0, 0, 4}},   {2, {0, 4}, {0, 0, 4, 4}},   {3, {0, 0}, {0, 0, 4, 0}},
        {4, {0, 0}, {0, 0, 4, 4}},   {5, {0, 0}, {0, 0, 0, 4}},   {6, {4, 0}, {0, 0, 4, 4}},
        {7, {4, 0}, {0, 0, 4, 0}},   {8, {4, 4}, {0, 0, 4, 4}},   {255, {0, 0}, {4, 4, 4, 4}},
        {42, {0, 0}, {0, 0, 4, 4}},
    };
    RECT reference = Reference();
    for (const DirectionCase& c : cases) {
        MemoryBitmap bitmap(120, 80);
        Prepare(bitmap);
        RECT box = {20, 20, 110, 70};
        TEXTMETRICA metrics;
        GetTextMetricsA(bitmap.Dc(), &metrics);
        int height = DrawShadowText(bitmap.Dc(), kSample, &box, DT_LEFT | DT_TOP | DT_SINGLELINE, kText, kShadow, 4,
                                    c.direction, 0);
        EXPECT_EQ(metrics.tmHeight + (c.direction == 255 ? 8 : 4), height) << "direction " << c.direction;
        RECT text;
        bitmap.Count(kText, &text);
        EXPECT_TRUE(SameRect(Moved(reference, c.text.x, c.text.y), text)) << "direction " << c.direction;
        EXPECT_TRUE(SameRect(Grown(reference, c.reach.left, c.reach.top, c.reach.right, c.reach.bottom),
                             Ink(bitmap)))
            << "direction " << c.direction;
    }
}

}  // namespace
