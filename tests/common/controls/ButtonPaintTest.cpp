#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>

#include "CaptionButton.h"
#include "GlyphButton.h"
#include "MemoryBitmap.h"
#include "TestWindow.h"

namespace {

const COLORREF kBack = RGB(255, 255, 255);
const COLORREF kFace = RGB(0xD8, 0xE8, 0xD8);
// Shading colours apart from each other and from the focus outlines.
const COLORREF kLight = RGB(0xF8, 0xF0, 0xE0);
const COLORREF kDark = RGB(0x90, 0x90, 0xB0);
const COLORREF kText = RGB(255, 0, 0);
const COLORREF kEngrave = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// The move buttons' green colour row: fill, focused fill, shadow, light, dark.
const COLORREF kFill = 0xC4FFC4, kFocusFill = 0x00FF00, kShadow = 0xE0FFE0, kGlyphLight = 0x40FF40,
               kGlyphDark = 0x008000;

LOGFONTA SharpFont(BYTE charset)
{
    LOGFONTA lf = {};
    lf.lfCharSet = charset;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(lf.lfFaceName, "ＭＳ ゴシック");
    return lf;
}

void PaintCaption(MemoryBitmap& canvas, UINT state, int shape, const char* text = nullptr, const LOGFONTA* font = nullptr,
                  int engraved = 0)
{
    RECT r = {0, 0, canvas.Width(), canvas.Height()};
    PaintCaptionButton(&r, canvas.Dc(), state, text, font, shape, engraved, kText, kEngrave, kFace, kLight, kDark);
}

struct Spot {
    int x, y;
    COLORREF color;
};

void ExpectPixels(const MemoryBitmap& canvas, std::initializer_list<Spot> spots)
{
    for (const Spot& spot : spots)
        EXPECT_EQ(spot.color, canvas.Pixel(spot.x, spot.y)) << "at " << spot.x << "," << spot.y;
}

TEST(CaptionButton, RaisedAndPressedBevels)
{
    MemoryBitmap canvas(81, 25, kBack);
    ASSERT_TRUE(canvas.Valid());
    PaintCaption(canvas, 0, BUTTON_SHAPE_SQUARE);
    ExpectPixels(canvas, {{0, 0, kBlack}, {40, 23, kBlack}, {2, 12, kLight}, {40, 2, kLight}, {77, 12, kDark},
                          {40, 21, kDark}, {40, 12, kFace}});

    canvas.Fill(kBack);
    PaintCaption(canvas, ODS_SELECTED, BUTTON_SHAPE_SQUARE);
    ExpectPixels(canvas, {{2, 12, kDark}, {40, 2, kDark}, {40, 12, kFace}});
    EXPECT_EQ(0, canvas.Count(kLight));
}

TEST(CaptionButton, RoundShapeLeavesTheCorners)
{
    MemoryBitmap canvas(81, 25, kBack);
    ASSERT_TRUE(canvas.Valid());
    PaintCaption(canvas, 0, BUTTON_SHAPE_ROUND);
    ExpectPixels(canvas, {{0, 0, kBack}, {40, 0, kBlack}, {40, 12, kFace}});
}

TEST(CaptionButton, FocusOutlines)
{
    MemoryBitmap canvas(81, 25, kBack);
    ASSERT_TRUE(canvas.Valid());
    PaintCaption(canvas, ODS_FOCUS, BUTTON_SHAPE_SQUARE);
    RECT box;
    EXPECT_GT(canvas.Count(0xC0C0C0, &box), 20);
    EXPECT_EQ(3, box.left);
    EXPECT_EQ(3, box.top);

    canvas.Fill(kBack);
    PaintCaption(canvas, ODS_FOCUS, BUTTON_SHAPE_ROUND);
    EXPECT_EQ(0, canvas.Count(0xC0C0C0));
    EXPECT_GT(canvas.Count(0xE0C0C0), 100);
}

// Bounding box of the caption's text-coloured pixels.
RECT CaptionBox(UINT state, int engraved, COLORREF color, BYTE charset = SHIFTJIS_CHARSET, int height = 25)
{
    MemoryBitmap canvas(81, height, kBack);
    LOGFONTA font = SharpFont(charset);
    PaintCaption(canvas, state, BUTTON_SHAPE_SQUARE, "日日", &font, engraved);
    RECT box;
    canvas.Count(color, &box);
    return box;
}

TEST(CaptionButton, CaptionCentredEngravedAndPressed)
{
    RECT raised = CaptionBox(0, 1, kText);
    ASSERT_FALSE(IsRectEmpty(&raised));
    EXPECT_NEAR(40, (raised.left + raised.right) / 2, 2);
    EXPECT_NEAR(12, (raised.top + raised.bottom) / 2, 2);

    RECT engraving = CaptionBox(0, 1, kEngrave);
    EXPECT_EQ(raised.right + 1, engraving.right);
    EXPECT_EQ(raised.bottom + 1, engraving.bottom);
    RECT plain = CaptionBox(0, 0, kEngrave);
    EXPECT_TRUE(IsRectEmpty(&plain));

    RECT pressed = CaptionBox(ODS_SELECTED, 1, kText);
    EXPECT_EQ(raised.left + 1, pressed.left);
    EXPECT_EQ(raised.top + 1, pressed.top);
}

TEST(CaptionButton, DisabledCaptionIsGrey)
{
    RECT red = CaptionBox(ODS_DISABLED, 0, kText);
    EXPECT_TRUE(IsRectEmpty(&red));
    RECT grey = CaptionBox(ODS_DISABLED, 0, 0x808080);
    EXPECT_FALSE(IsRectEmpty(&grey));
}

// Japanese faces get the smaller share of the button height.
TEST(CaptionButton, CaptionScalesWithTheButton)
{
    RECT japanese = CaptionBox(0, 0, kText, SHIFTJIS_CHARSET, 40);
    RECT latin = CaptionBox(0, 0, kText, DEFAULT_CHARSET, 40);
    RECT small = CaptionBox(0, 0, kText, SHIFTJIS_CHARSET, 25);
    EXPECT_GT(latin.bottom - latin.top, japanese.bottom - japanese.top);
    EXPECT_GT(japanese.bottom - japanese.top, small.bottom - small.top);
}

// The item's DC and control come from a real (hidden) control; its client area is what gets painted.
class OwnerDrawTest : public ::testing::Test {
protected:
    DRAWITEMSTRUCT Item(const MemoryBitmap& canvas, int width, int height)
    {
        control_ = CreateTestChild(parent_, "BUTTON", 1, BS_OWNERDRAW, 0, 0, width, height);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = control_;
        item.hDC = canvas.Dc();
        GetClientRect(control_, &item.rcItem);
        return item;
    }

    ScopedWindow parent_{CreateTestWindow(WS_POPUP, 0, 0, 100, 100)};
    HWND control_ = nullptr;
};

TEST_F(OwnerDrawTest, CaptionButtonCoversTheLastColumnAndRow)
{
    MemoryBitmap canvas(50, 30, kBack);
    DRAWITEMSTRUCT item = Item(canvas, 40, 20);
    ASSERT_EQ(1, DrawCaptionButton(&item, "OK", nullptr, BUTTON_SHAPE_SQUARE, 1, kText, kEngrave, kFace, kLight,
                                   kDark));
    EXPECT_EQ(kBlack, canvas.Pixel(39, 10));
    EXPECT_EQ(kBlack, canvas.Pixel(20, 19));
    EXPECT_EQ(kBack, canvas.Pixel(40, 10));
    EXPECT_EQ(kBack, canvas.Pixel(20, 20));
    EXPECT_EQ(0, DrawCaptionButton(nullptr, "OK", nullptr, 1, 1, kText, kEngrave, kFace, kLight, kDark));
}

TEST_F(OwnerDrawTest, GlyphButtonKeepsItsInset)
{
    MemoryBitmap canvas(40, 30, kBack);
    DRAWITEMSTRUCT item = Item(canvas, 25, 19);
    ASSERT_EQ(1, DrawGlyphButton(&item, GLYPH_SQUARE, kFill, kFocusFill, kShadow, kGlyphLight, kGlyphDark));
    EXPECT_EQ(kBack, canvas.Pixel(1, 9));
    EXPECT_NE(kBack, canvas.Pixel(2, 9));
    EXPECT_NE(kBack, canvas.Pixel(22, 9));
    EXPECT_EQ(kBack, canvas.Pixel(23, 9));
    EXPECT_EQ(kBack, canvas.Pixel(12, 0));
    EXPECT_NE(kBack, canvas.Pixel(12, 1));
    EXPECT_NE(kBack, canvas.Pixel(12, 17));
    EXPECT_EQ(kBack, canvas.Pixel(12, 18));
    EXPECT_EQ(kFill, canvas.Pixel(12, 9));
}

void PaintGlyph(MemoryBitmap& canvas, int kind, UINT state)
{
    canvas.Fill(kBack);
    RECT r = {0, 0, 21, 21};
    PaintGlyphButton(&r, canvas.Dc(), state, kind, kFill, kFocusFill, kShadow, kGlyphLight, kGlyphDark);
}

struct GlyphShape {
    int kind;
    POINT inside;
    POINT outside[2];
};

TEST(GlyphButton, ShapesPointTheirWay)
{
    const GlyphShape shapes[] = {
        {GLYPH_ARROW_UP, {10, 14}, {{2, 2}, {18, 2}}},    {GLYPH_ARROW_DOWN, {10, 6}, {{2, 18}, {18, 18}}},
        {GLYPH_ARROW_RIGHT, {6, 10}, {{18, 2}, {18, 18}}}, {GLYPH_ARROW_LEFT, {14, 10}, {{2, 2}, {2, 18}}},
        {GLYPH_DIAMOND, {10, 10}, {{2, 2}, {18, 18}}},     {GLYPH_CIRCLE, {10, 10}, {{1, 1}, {19, 1}}},
        {99, {10, 14}, {{2, 2}, {18, 2}}},
    };
    MemoryBitmap canvas(21, 21, kBack);
    ASSERT_TRUE(canvas.Valid());
    for (const GlyphShape& shape : shapes) {
        PaintGlyph(canvas, shape.kind, 0);
        EXPECT_EQ(kFill, canvas.Pixel(shape.inside.x, shape.inside.y)) << "kind " << shape.kind;
        for (POINT p : shape.outside)
            EXPECT_EQ(kBack, canvas.Pixel(p.x, p.y)) << "kind " << shape.kind << " at " << p.x << "," << p.y;
        PaintGlyph(canvas, shape.kind, ODS_FOCUS);
        EXPECT_EQ(kFocusFill, canvas.Pixel(shape.inside.x, shape.inside.y)) << "kind " << shape.kind;
    }
    PaintGlyph(canvas, GLYPH_SQUARE, 0);
    EXPECT_NE(kBack, canvas.Pixel(0, 0));
    EXPECT_NE(kBack, canvas.Pixel(20, 20));
}

// Colours found in a column of pixels.
bool ColumnHas(const MemoryBitmap& canvas, int x, int fromY, int toY, COLORREF color)
{
    for (int y = fromY; y <= toY; y++)
        if (canvas.Pixel(x, y) == color)
            return true;
    return false;
}

TEST(GlyphButton, PressedSwapsLitAndShadedEdges)
{
    MemoryBitmap canvas(21, 21, kBack);
    ASSERT_TRUE(canvas.Valid());
    PaintGlyph(canvas, GLYPH_SQUARE, 0);
    EXPECT_TRUE(ColumnHas(canvas, 10, 0, 3, kGlyphLight));
    EXPECT_FALSE(ColumnHas(canvas, 10, 0, 3, kShadow));
    EXPECT_TRUE(ColumnHas(canvas, 10, 17, 20, kShadow));
    EXPECT_TRUE(ColumnHas(canvas, 10, 17, 20, kGlyphDark));

    PaintGlyph(canvas, GLYPH_SQUARE, ODS_SELECTED);
    EXPECT_TRUE(ColumnHas(canvas, 10, 0, 3, kShadow));
    EXPECT_FALSE(ColumnHas(canvas, 10, 0, 3, kGlyphLight));
    EXPECT_TRUE(ColumnHas(canvas, 10, 17, 20, kGlyphLight));
    EXPECT_TRUE(ColumnHas(canvas, 10, 17, 20, kGlyphDark));
}

TEST(GlyphButton, CircleShadowMovesWhenPressed)
{
    MemoryBitmap canvas(21, 21, kBack);
    ASSERT_TRUE(canvas.Valid());
    PaintGlyph(canvas, GLYPH_CIRCLE, 0);
    EXPECT_EQ(kShadow, canvas.Pixel(17, 17));
    EXPECT_EQ(kBack, canvas.Pixel(3, 3));
    PaintGlyph(canvas, GLYPH_CIRCLE, ODS_SELECTED);
    EXPECT_EQ(kBack, canvas.Pixel(17, 17));
    EXPECT_EQ(kShadow, canvas.Pixel(3, 3));
}

}  // namespace
