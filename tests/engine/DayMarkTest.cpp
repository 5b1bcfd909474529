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
// 40 x 30; after the mark's shrink (10, 11) - (49, 39), middle (29, 25), pen 3 pixels wide.
const RECT kBox = {10, 10, 50, 40};

FontStyle MarkStyle(int kind, COLORREF color, int shadowWidth = 0, int shadowDirection = 0)
{
    FontStyle style = {};
    style.MarkType = (BYTE)kind;
    style.MarkColor = color;
    style.ShadowWidth = (BYTE)shadowWidth;
    style.ShadowDirection = (BYTE)shadowDirection;
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

TEST(DayMarkTest, EveryShapeFillsOrOutlinesItsShrunkBox)
{
    struct Case {
        int kind;
        POINT marked[2];  // on the fill or the outline
        POINT clear[2];
    } const cases[] = {
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
    for (const Case& c : cases) {
        MemoryBitmap bitmap(80, 60, kWhite);
        RECT box = kBox;
        FontStyle style = MarkStyle(c.kind, kRed);
        EXPECT_EQ(1, DrawDayMark(bitmap.Dc(), &box, 0, "8", &style, &env)) << c.kind;
        for (const POINT& p : c.marked)
            EXPECT_TRUE(Near(bitmap, p.x, p.y, kRed)) << "kind " << c.kind << " at " << p.x << "," << p.y;
        for (const POINT& p : c.clear)
            EXPECT_EQ(kWhite, bitmap.Pixel(p.x, p.y)) << "kind " << c.kind << " at " << p.x << "," << p.y;
        // The caller's box keeps the shrink, for the next mark of the day.
        EXPECT_TRUE(box.left == 10 && box.top == 11 && box.right == 49 && box.bottom == 39) << c.kind;
    }
}

TEST(DayMarkTest, PenWidthFollowsTheBoxWidth)
{
    // A rectangle frame crosses its middle row twice, each side a pen width thick.
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
    const int drawsNothing[] = {MARK_KIND_USER_BASE + 1, MARK_KIND_USER_BASE + 2, MARK_KIND_USER_BASE + 3, 255,
                                MARK_NONE, 20, 49};
    for (int kind : drawsNothing) {
        MemoryBitmap bitmap(80, 60, kWhite);
        RECT box = kBox;
        FontStyle style = MarkStyle(kind, kRed);
        EXPECT_EQ(0, DrawDayMark(bitmap.Dc(), &box, 0, "8", &style, &env)) << kind;
        EXPECT_EQ(80 * 60, bitmap.Count(kWhite)) << kind;
    }
    for (int hasArray = 1; hasArray >= 0; hasArray--) {
        if (!hasArray) {
            HeapFree(GetProcessHeap(), 0, env.UserMarks);
            env.UserMarks = nullptr;
        }
        MemoryBitmap bitmap(80, 60, kWhite);
        RECT box = kBox;
        FontStyle style = MarkStyle(MARK_KIND_USER_BASE, kRed);
        EXPECT_EQ(hasArray, DrawDayMark(bitmap.Dc(), &box, 0, "8", &style, &env));
        EXPECT_EQ(hasArray ? kGreen : kWhite, bitmap.Pixel(29, 25));
    }
}

// The bounding box of every pixel that is not white. Glyph edges may be smoothed and text drawn many times over
// darkens them, so boxes rather than colours are compared.
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

// The ink of "18" at the box's corner (style null: the plain text) in a 20-pixel font.
RECT OutlineInk(const FontStyle* style)
{
    LOGFONTA logFont;
    InitLogFont(&logFont, "ＭＳ ゴシック", 20, 1, 0, SHIFTJIS_CHARSET, FIXED_PITCH | FF_MODERN);
    HFONT font = CreateFontIndirectA(&logFont);
    MemoryBitmap bitmap(120, 80, kWhite);
    HGDIOBJ old = SelectObject(bitmap.Dc(), font);
    SetBkMode(bitmap.Dc(), TRANSPARENT);
    EnvData env;
    RECT box = {40, 30, 80, 60};
    FontStyle copy = style ? *style : FontStyle{};
    if (style)
        DrawDayMark(bitmap.Dc(), &box, 0, "18", &copy, &env);
    else
        TextOutA(bitmap.Dc(), 40, 30, "18", 2);
    SelectObject(bitmap.Dc(), old);
    DeleteObject(font);
    return InkBox(bitmap);
}

TEST(DayMarkTest, OutlineRingsGrowTheTextByTheirSize)
{
    struct Case {
        int kind, width, direction;
        int grow[2];  // sideways, up and down
    } const cases[] = {
        {1, 0, SHADOW_OUTLINE, {1, 1}},    {3, 0, SHADOW_OUTLINE, {3, 3}},    {2, 2, SHADOW_OUTLINE, {4, 4}},
        {2, 0, SHADOW_DOWN_RIGHT, {2, 2}}, {1, 2, SHADOW_DOWN_RIGHT, {2, 2}}, {1, 2, 1, {1, 2}},
        {1, 2, 3, {2, 1}},                 {2, 2, 0, {-1, -1}},               {2, 2, 9, {-1, -1}},
    };
    RECT plain = OutlineInk(nullptr);
    ASSERT_LT(plain.left, plain.right);
    for (const Case& c : cases) {
        FontStyle style = MarkStyle(c.kind, kRed, c.width, c.direction);
        RECT ink = OutlineInk(&style);
        if (c.grow[0] < 0) {
            EXPECT_GE(ink.left, ink.right) << "direction " << c.direction << " draws nothing";
            continue;
        }
        RECT expected = {plain.left - c.grow[0], plain.top - c.grow[1], plain.right + c.grow[0],
                         plain.bottom + c.grow[1]};
        EXPECT_TRUE(EqualRect(&expected, &ink)) << c.kind << " " << c.width << " " << c.direction;
    }
}

// Every kind on day cells of one window: this month's days on the left, the neighbouring months' (lightened)
// on the right, each cell headed by its kind.
TEST(DayMarkGallery, ShowsEveryKind)
{
    const char* seconds = getenv("DAYLENS_GALLERY_SECONDS");
    if (!seconds || !*seconds)
        GTEST_SKIP() << "DAYLENS_GALLERY_SECONDS not set";
    const int cell = 56, columns = 7, kinds = MARK_KIND_COUNT + 1;
    const int width = 2 * columns * cell + 20, height = (kinds + columns - 1) / columns * cell + 20;
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
    for (int i = 0; i < 2 * kinds; i++) {
        int otherMonth = i / kinds, k = i % kinds;
        int kind = k < MARK_KIND_COUNT ? k : MARK_KIND_USER_BASE;
        int x = 10 + otherMonth * columns * cell + (k % columns) * cell, y = 10 + (k / columns) * cell;
        char label[8];
        snprintf(label, sizeof(label), "%d", kind);
        SelectObject(dc, labelFont);
        SetTextColor(dc, RGB(90, 90, 90));
        TextOutA(dc, x + 4, y, label, (int)strlen(label));
        // A cell as wide as "30" and as high as the text; the day text where outlines expect it.
        SelectObject(dc, dayFont);
        SIZE w30, text;
        GetTextExtentPoint32A(dc, "30", 2, &w30);
        GetTextExtentPoint32A(dc, "28", 2, &text);
        RECT box = {x + 12, y + 20, x + 12 + w30.cx, y + 20 + text.cy};
        int textX = box.left + w30.cx / 2 - text.cx / 2, textY = box.top;
        FontStyle style = MarkStyle(kind, RGB(220, 0, 0), 0, SHADOW_OUTLINE);
        DrawDayMark(dc, &box, otherMonth, "28", &style, &env);
        SetTextColor(dc, kind >= 1 && kind <= 3 ? kWhite : RGB(0, 0, 0));
        TextOutA(dc, textX, textY, "28", 2);
    }
    HostWindow host(20, 20, width, height);
    HDC windowDc = GetDC(host.Handle());
    BitBlt(windowDc, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(host.Handle(), windowDc);
    host.Pump((DWORD)(atof(seconds) * 1000));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(dayFont);
    DeleteObject(labelFont);
}

}  // namespace
