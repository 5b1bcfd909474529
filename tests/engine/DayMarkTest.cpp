// Day marks drawn into memory bitmaps, checked by colours at points inside and outside each shape. With
// DAYLENS_GALLERY_SECONDS set, every mark kind is also shown in a window for that long.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "DayMark.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "HeapUtil.h"
#include "HostWindow.h"
#include "MemoryBitmap.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 160, 0);

FontStyle MarkStyle(int kind, COLORREF color)
{
    FontStyle style = {};
    style.MarkType = (BYTE)kind;
    style.MarkColor = color;
    return style;
}

// Whether color is at (x, y) or a neighbour: lines may land a pixel either side of their ideal place.
bool Near(const MemoryBitmap& bitmap, int x, int y, COLORREF color)
{
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            if (bitmap.Pixel(x + dx, y + dy) == color)
                return true;
    return false;
}

// The box the shape tests draw in: 40 x 30, which after the mark's shrink is (10, 11) - (49, 39) with its middle
// at (29, 25) and a pen 3 pixels wide.
const RECT kBox = {10, 10, 50, 40};

struct ShapeCase {
    int kind;
    POINT marked[2];  // on the fill or the outline (near)
    POINT clear[2];   // untouched
};

TEST(DayMarkTest, EveryShapeFillsOrOutlinesItsBox)
{
    const ShapeCase cases[] = {
        {MARK_CIRCLE, {{29, 25}, {29, 13}}, {{11, 12}, {48, 38}}},
        {MARK_CIRCLE_FRAME, {{10, 25}, {29, 11}}, {{29, 25}, {11, 12}}},
        {MARK_DIAMOND, {{29, 25}, {15, 25}}, {{12, 13}, {47, 37}}},
        {MARK_DIAMOND_FRAME, {{19, 18}, {39, 32}}, {{29, 25}, {12, 13}}},
        {MARK_SQUARE, {{29, 25}, {12, 13}}, {{29, 5}, {55, 25}}},
        {MARK_SQUARE_FRAME, {{10, 25}, {29, 11}}, {{29, 25}, {20, 20}}},
        {MARK_TRIANGLE, {{29, 32}, {29, 15}}, {{12, 13}, {47, 13}}},
        {MARK_TRIANGLE_FRAME, {{19, 25}, {29, 39}}, {{29, 30}, {12, 13}}},
        {MARK_TRIANGLE_DOWN, {{29, 18}, {29, 33}}, {{12, 37}, {47, 37}}},
        {MARK_TRIANGLE_DOWN_FRAME, {{29, 11}, {19, 25}}, {{29, 20}, {12, 37}}},
        {MARK_OCTAGON, {{29, 25}, {11, 25}}, {{11, 12}, {48, 38}}},
        {MARK_OCTAGON_FRAME, {{10, 25}, {29, 11}}, {{29, 25}, {11, 12}}},
        {MARK_UNDERLINE, {{29, 39}, {12, 39}}, {{29, 32}, {29, 25}}},
        {MARK_DOUBLE_UNDERLINE, {{29, 39}, {29, 32}}, {{29, 25}, {29, 36}}},
        {MARK_CROSS, {{29, 25}, {15, 15}}, {{29, 13}, {29, 36}}},
        {MARK_CHECK, {{29, 38}, {39, 25}}, {{29, 25}, {12, 30}}},
    };
    EnvData env;
    for (const ShapeCase& c : cases) {
        MemoryBitmap bitmap(80, 60, kWhite);
        ASSERT_TRUE(bitmap.Valid());
        RECT box = kBox;
        FontStyle style = MarkStyle(c.kind, kRed);
        EXPECT_EQ(1, DrawDayMark(bitmap.Dc(), &box, 0, "8", &style, &env)) << c.kind;
        for (const POINT& p : c.marked)
            EXPECT_TRUE(Near(bitmap, p.x, p.y, kRed)) << "kind " << c.kind << " at " << p.x << "," << p.y;
        for (const POINT& p : c.clear)
            EXPECT_EQ(kWhite, bitmap.Pixel(p.x, p.y)) << "kind " << c.kind << " at " << p.x << "," << p.y;
    }
}

TEST(DayMarkTest, ShapesShrinkTheCallersBoxAndOutlinesLeaveIt)
{
    EnvData env;
    MemoryBitmap bitmap(80, 60, kWhite);
    RECT box = kBox;
    FontStyle square = MarkStyle(MARK_SQUARE_FRAME, kRed);
    DrawDayMark(bitmap.Dc(), &box, 0, "8", &square, &env);
    DrawDayMark(bitmap.Dc(), &box, 0, "8", &square, &env);
    EXPECT_EQ(10, box.left);
    EXPECT_EQ(12, box.top);
    EXPECT_EQ(48, box.right);
    EXPECT_EQ(38, box.bottom);
    FontStyle outline = MarkStyle(2, kRed);
    DrawDayMark(bitmap.Dc(), &box, 0, "8", &outline, &env);
    EXPECT_EQ(12, box.top);
}

TEST(DayMarkTest, PenWidthFollowsTheBoxWidth)
{
    // A rectangle frame crosses its middle row twice, once per side, each a pen width thick.
    struct Case {
        int width, pen;
    } const cases[] = {{40, 3}, {24, 3}, {10, 2}, {8, 2}, {7, 1}, {3, 1}};
    EnvData env;
    for (const Case& c : cases) {
        MemoryBitmap bitmap(80, 60, kWhite);
        RECT box = {20, 10, 20 + c.width, 50};
        FontStyle style = MarkStyle(MARK_SQUARE_FRAME, kRed);
        DrawDayMark(bitmap.Dc(), &box, 0, "", &style, &env);
        int red = 0;
        for (int x = 0; x < 80; x++)
            red += bitmap.Pixel(x, 30) == kRed;
        EXPECT_EQ(2 * c.pen, red) << "width " << c.width;
    }
}

TEST(DayMarkTest, OtherMonthDaysAreLightenedOrDarkened)
{
    struct Case {
        int otherMonth;
        COLORREF light, dark, color, expected;
    } const cases[] = {
        {1, 1, 0, RGB(255, 0, 0), RGB(255, 127, 127)},
        {1, 0, 1, RGB(255, 0, 0), RGB(127, 0, 0)},
        {1, 1, 1, RGB(0, 100, 201), RGB(127, 177, 228)},  // lightening comes first
        {1, 0, 0, RGB(0, 100, 201), RGB(0, 100, 201)},
        {0, 1, 1, RGB(0, 100, 201), RGB(0, 100, 201)},
    };
    for (const Case& c : cases) {
        EnvData env;
        env.FillLightColor = c.light;
        env.FillDarkColor = c.dark;
        MemoryBitmap bitmap(80, 60, kWhite);
        RECT box = kBox;
        FontStyle style = MarkStyle(MARK_SQUARE, c.color);
        DrawDayMark(bitmap.Dc(), &box, c.otherMonth, "8", &style, &env);
        EXPECT_EQ(c.expected, bitmap.Pixel(29, 25)) << c.otherMonth << c.light << c.dark;
    }
}

TEST(DayMarkTest, UserMarksDrawTheirOwnStyleButNeverAnotherUserMark)
{
    EnvData env;
    env.UserStyleMax = 3;
    env.UserMarks = (UserMark*)AllocZeroed(3 * sizeof(UserMark));
    ASSERT_NE(nullptr, env.UserMarks);
    env.UserMarks[0].Style = MarkStyle(MARK_SQUARE, kGreen);
    env.UserMarks[1].Style = MarkStyle(MARK_KIND_USER_BASE + 1, kGreen);  // names itself
    env.UserMarks[2].Style = MarkStyle(MARK_NONE, kGreen);
    struct Case {
        int kind, result;
        COLORREF middle;
    } const cases[] = {
        {MARK_KIND_USER_BASE, 1, kGreen},
        {MARK_KIND_USER_BASE + 1, 0, kWhite},
        {MARK_KIND_USER_BASE + 2, 0, kWhite},
        {MARK_KIND_USER_BASE + 3, 0, kWhite},
        {255, 0, kWhite},
        {MARK_NONE, 0, kWhite},
        {20, 0, kWhite},
        {49, 0, kWhite},
    };
    for (const Case& c : cases) {
        MemoryBitmap bitmap(80, 60, kWhite);
        RECT box = kBox;
        FontStyle style = MarkStyle(c.kind, kRed);
        EXPECT_EQ(c.result, DrawDayMark(bitmap.Dc(), &box, 0, "8", &style, &env)) << c.kind;
        EXPECT_EQ(c.middle, bitmap.Pixel(29, 25)) << c.kind;
        EXPECT_EQ(0, bitmap.Count(kRed)) << c.kind;
    }

    // Without the array no user mark is read.
    HeapFree(GetProcessHeap(), 0, env.UserMarks);
    env.UserMarks = nullptr;
    MemoryBitmap bitmap(80, 60, kWhite);
    RECT box = kBox;
    FontStyle style = MarkStyle(MARK_KIND_USER_BASE, kRed);
    EXPECT_EQ(0, DrawDayMark(bitmap.Dc(), &box, 0, "8", &style, &env));
    EXPECT_EQ(0, bitmap.Count(kGreen));
}

// The bounding box of every pixel that is not white; glyph edges may be smoothed, and text drawn many times over
// darkens them, so the box rather than a colour is compared.
RECT InkBox(const MemoryBitmap& bitmap)
{
    RECT box = {bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); y++) {
        for (int x = 0; x < bitmap.Width(); x++) {
            if (bitmap.Pixel(x, y) == kWhite)
                continue;
            box.left = x < box.left ? x : box.left;
            box.top = y < box.top ? y : box.top;
            box.right = x + 1 > box.right ? x + 1 : box.right;
            box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
        }
    }
    return box;
}

// Outline marks, measured against the ink of the plain day text.
class OutlineMarkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LOGFONTA logFont;
        InitLogFont(&logFont, "ＭＳ ゴシック", 20, 1, 0, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN);
        font_ = CreateFontIndirectA(&logFont);
        ASSERT_NE(nullptr, font_);
    }
    void TearDown() override { DeleteObject(font_); }

    // The bounding box of the mark's pixels (empty when none) drawn for dayText with the given style values.
    RECT Ink(int kind, int width, int direction, int dayAlign = 0, const char* dayText = "18")
    {
        EnvData env;
        env.DayAlign = (BYTE)dayAlign;
        MemoryBitmap bitmap(120, 80, kWhite);
        SelectObject(bitmap.Dc(), font_);
        SetBkMode(bitmap.Dc(), TRANSPARENT);
        RECT box = {40, 30, 80, 60};
        FontStyle style = MarkStyle(kind, kRed);
        style.ShadowWidth = (BYTE)width;
        style.ShadowDirection = (BYTE)direction;
        DrawDayMark(bitmap.Dc(), &box, 0, dayText, &style, &env);
        return InkBox(bitmap);
    }

    // The ink of the day text itself drawn at (x, 30).
    RECT PlainInk(int x, const char* dayText = "18")
    {
        MemoryBitmap bitmap(120, 80, kWhite);
        SelectObject(bitmap.Dc(), font_);
        SetBkMode(bitmap.Dc(), TRANSPARENT);
        SetTextColor(bitmap.Dc(), kRed);
        TextOutA(bitmap.Dc(), x, 30, dayText, (int)strlen(dayText));
        return InkBox(bitmap);
    }

    int Width(const char* text)
    {
        MemoryBitmap bitmap(10, 10);
        SelectObject(bitmap.Dc(), font_);
        SIZE size;
        GetTextExtentPoint32A(bitmap.Dc(), text, (int)strlen(text), &size);
        return size.cx;
    }

    HFONT font_ = nullptr;
};

void ExpectGrownBy(const RECT& plain, const RECT& ink, int left, int top, int right, int bottom, const char* what)
{
    EXPECT_EQ(plain.left - left, ink.left) << what;
    EXPECT_EQ(plain.top - top, ink.top) << what;
    EXPECT_EQ(plain.right + right, ink.right) << what;
    EXPECT_EQ(plain.bottom + bottom, ink.bottom) << what;
}

TEST_F(OutlineMarkTest, RingsGrowTheTextByTheirSize)
{
    RECT plain = PlainInk(40);
    ASSERT_LT(plain.left, plain.right);
    ExpectGrownBy(plain, Ink(1, 0, SHADOW_OUTLINE), 1, 1, 1, 1, "kind 1");
    ExpectGrownBy(plain, Ink(3, 0, SHADOW_OUTLINE), 3, 3, 3, 3, "kind 3");
    ExpectGrownBy(plain, Ink(2, 2, SHADOW_OUTLINE), 4, 4, 4, 4, "kind 2 with width 2");
    ExpectGrownBy(plain, Ink(2, 0, SHADOW_DOWN_RIGHT), 2, 2, 2, 2, "width 0 down right");
    // Width 2 down right: three rings from one pixel up-left to one down-right.
    ExpectGrownBy(plain, Ink(1, 2, SHADOW_DOWN_RIGHT), 2, 2, 2, 2, "width 2 down right");
    ExpectGrownBy(plain, Ink(1, 2, 1), 1, 2, 1, 2, "width 2 direction 1");
    ExpectGrownBy(plain, Ink(1, 2, 3), 2, 1, 2, 1, "width 2 direction 3");
    RECT none = Ink(2, 2, 0);
    EXPECT_GE(none.left, none.right) << "direction 0 draws nothing";
    none = Ink(2, 2, 9);
    EXPECT_GE(none.left, none.right) << "direction 9 draws nothing";
}

TEST_F(OutlineMarkTest, DayAlignPlacesTheTextAgainstTheWidthOfThirty)
{
    int w30 = Width("30");
    int tw = Width("8");
    struct Case {
        int align, x;
    } const cases[] = {{0, 40}, {1, 40 + w30 / 2 - tw / 2}, {2, 40 - tw + w30}, {7, 40 + w30 / 2 - tw / 2}};
    for (const Case& c : cases)
        ExpectGrownBy(PlainInk(c.x, "8"), Ink(1, 0, SHADOW_OUTLINE, c.align, "8"), 1, 1, 1, 1, "align");
}

// All kinds on day cells of one window, each cell headed by its kind number.
TEST(DayMarkGallery, ShowsEveryKind)
{
    const char* seconds = getenv("DAYLENS_GALLERY_SECONDS");
    if (!seconds || !*seconds)
        GTEST_SKIP() << "DAYLENS_GALLERY_SECONDS not set";
    const int cellWidth = 56, cellHeight = 64, columns = 7, kinds = MARK_KIND_COUNT + 1;
    const int rows = (kinds + columns - 1) / columns;
    const int width = columns * cellWidth * 2 + 20, height = rows * cellHeight + 20;
    EnvData env;
    env.DayAlign = 1;
    env.FillLightColor = 1;
    env.UserStyleMax = 1;
    env.UserMarks = (UserMark*)AllocZeroed(sizeof(UserMark));
    ASSERT_NE(nullptr, env.UserMarks);
    env.UserMarks[0].Style = MarkStyle(MARK_OCTAGON_FRAME, RGB(0, 128, 255));

    LOGFONTA dayLog, labelLog;
    InitLogFont(&dayLog, "ＭＳ ゴシック", 22, 1, 0, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN);
    InitLogFont(&labelLog, "ＭＳ ゴシック", 12, 0, 0, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN);
    HFONT dayFont = CreateFontIndirectA(&dayLog);
    HFONT labelFont = CreateFontIndirectA(&labelLog);
    MemoryBitmap bitmap(width, height, RGB(250, 250, 240));
    HDC dc = bitmap.Dc();
    SetBkMode(dc, TRANSPARENT);
    // Left half: this month's days; right half: the same marks on other-month days, lightened.
    for (int half = 0; half < 2; half++) {
        for (int i = 0; i < kinds; i++) {
            int kind = i < MARK_KIND_COUNT ? i : MARK_KIND_USER_BASE;
            int x = 10 + half * (columns * cellWidth) + (i % columns) * cellWidth;
            int y = 10 + (i / columns) * cellHeight;
            char label[8];
            snprintf(label, sizeof(label), "%d", kind);
            SelectObject(dc, labelFont);
            SetTextColor(dc, RGB(90, 90, 90));
            TextOutA(dc, x + 4, y, label, (int)strlen(label));
            RECT box = {x + 8, y + 16, x + 8 + 40, y + 16 + 40};
            SelectObject(dc, dayFont);
            FontStyle style = MarkStyle(kind, RGB(220, 0, 0));
            style.ShadowWidth = 0;
            style.ShadowDirection = SHADOW_OUTLINE;
            DrawDayMark(dc, &box, half, "18", &style, &env);
            SetTextColor(dc, kind >= 1 && kind <= 3 ? kWhite : RGB(0, 0, 0));
            int textWidth = 0;
            SIZE size;
            if (GetTextExtentPoint32A(dc, "18", 2, &size))
                textWidth = size.cx;
            SIZE w30;
            GetTextExtentPoint32A(dc, "30", 2, &w30);
            TextOutA(dc, x + 8 + w30.cx / 2 - textWidth / 2, y + 16 + 8, "18", 2);
        }
    }
    HostWindow host(20, 20, width, height);
    ASSERT_NE(nullptr, host.Handle());
    host.Show(dc);
    host.Pump((DWORD)(atof(seconds) * 1000));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(dayFont);
    DeleteObject(labelFont);
}

}  // namespace
