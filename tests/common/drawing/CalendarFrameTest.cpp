// Frame bands drawn into memory bitmaps, checked at chosen depths; the per-pixel colour rule; picture placement.
#include <windows.h>
#include <limits.h>
#include <gtest/gtest.h>

#include "CalendarFrame.h"
#include "MemoryBitmap.h"
#include "PicturePlacement.h"

namespace {

const COLORREF kGround = RGB(0, 160, 0);
const COLORREF kOne = RGB(255, 0, 0);
const COLORREF kTwo = RGB(0, 0, 255);
const COLORREF kHalf = RGB(128, 0, 128);  // kOne and kTwo in equal parts
const COLORREF kNone = 0xFFFFFFFF;        // no colour for the pixel

TEST(FramePixelColorTest, BandAndFringePerGradation)
{
    const struct {
        int gradation;
        double distance;
        COLORREF expected;
    } cases[] = {
        {1, -1.0, kNone},  {1, -0.5, RGB(128, 80, 0)}, {1, 0, kOne},   {1, 3, kHalf},  {1, 6, kTwo},
        {1, 6.5, RGB(0, 80, 128)},  {1, 7, kNone},     {2, 0, kTwo},   {2, 6, kOne},   {2, -0.5, RGB(0, 80, 128)},
        // Both edges against the middle; the fringe fades the edge colour, not the middle one.
        {3, 0, kTwo},      {3, 3, kOne},               {3, 6, kTwo},   {3, -0.5, RGB(0, 80, 128)},
        {3, 6.5, RGB(0, 80, 128)},  {3, -1, kNone},    {4, 0, kOne},   {4, 3, kTwo},   {4, 7.5, kNone},
        {4, -0.5, RGB(128, 80, 0)}, {0, 3, kNone},     {5, 3, kNone},
    };
    for (const auto& c : cases) {
        COLORREF out = kNone;
        int answer = FramePixelColor(&out, kGround, kOne, kTwo, c.gradation, 6.0, c.distance);
        EXPECT_EQ(c.expected != kNone, answer == 1) << c.gradation << " at " << c.distance;
        EXPECT_EQ(c.expected, out) << c.gradation << " at " << c.distance;
    }
    COLORREF out = kNone;
    EXPECT_EQ(0, FramePixelColor(&out, kGround, kOne, kTwo, 1, 0.0, 0.0));
    EXPECT_EQ(0, FramePixelColor(nullptr, kGround, kOne, kTwo, 1, 6.0, 0.0));
}

// Colours from the outer edge inward; the pixel after the last one is untouched.
struct BandCase {
    const char* name;
    int shape;
    int width;
    int gradation;
    int antiAlias;
    int roundness;
    COLORREF depths[7];
    int count;
};

const BandCase kBands[] = {
    {"rectangle one colour", FRAME_SHAPE_RECTANGLE, 5, 0, 0, 0, {kOne, kOne, kOne, kOne, kOne}, 5},
    {"rectangle out-in", FRAME_SHAPE_RECTANGLE, 5, 1, 0, 0, {kOne, 0, kHalf, 0, kTwo}, 5},
    {"rectangle in-out", FRAME_SHAPE_RECTANGLE, 5, 2, 0, 0, {kTwo, 0, kHalf, 0, kOne}, 5},
    {"rectangle edges odd", FRAME_SHAPE_RECTANGLE, 5, 3, 0, 0, {kOne, kHalf, kTwo, kHalf, kOne}, 5},
    {"rectangle edges even", FRAME_SHAPE_RECTANGLE, 4, 3, 0, 0, {kOne, kTwo, kTwo, kOne}, 4},
    {"rectangle middle odd", FRAME_SHAPE_RECTANGLE, 5, 4, 0, 0, {kTwo, kHalf, kOne, kHalf, kTwo}, 5},
    {"rectangle middle even", FRAME_SHAPE_RECTANGLE, 4, 4, 0, 0, {kTwo, kOne, kOne, kTwo}, 4},
    {"rectangle anti-aliased stays plain", FRAME_SHAPE_RECTANGLE, 5, 1, 1, 0, {kOne, 0, kHalf, 0, kTwo}, 5},
    {"ellipse out-in", FRAME_SHAPE_ELLIPSE, 5, 1, 0, 0, {kOne, 0, kHalf, 0, kTwo}, 5},
    {"rounded edges", FRAME_SHAPE_ROUNDED, 5, 3, 0, 20, {kOne, kHalf, kTwo, kHalf, kOne}, 5},
    {"narrow anti-aliased is one pen", FRAME_SHAPE_ELLIPSE, 2, 1, 1, 0, {kOne, kOne}, 2},
    {"computed ellipse out-in", FRAME_SHAPE_ELLIPSE, 6, 1, 1, 0, {kOne, 0, 0, kHalf, 0, 0, kTwo}, 7},
    {"computed ellipse edges", FRAME_SHAPE_ELLIPSE, 6, 3, 1, 0, {kTwo, 0, 0, kOne, 0, 0, kTwo}, 7},
    {"computed rounded in-out", FRAME_SHAPE_ROUNDED, 6, 2, 1, 20, {kTwo, 0, 0, kHalf, 0, 0}, 6},
    {"computed rounded, corner wider than the window", FRAME_SHAPE_ROUNDED, 6, 1, 1, 500,
     {kOne, 0, 0, kHalf, 0, 0}, 6},
};

TEST(DrawShapeFrameTest, BandColoursByDepth)
{
    for (const BandCase& c : kBands) {
        // The computed band includes the right and bottom edges of the rectangle.
        bool computed = c.antiAlias == 1 && c.width > 2 && c.shape != FRAME_SHAPE_RECTANGLE;
        RECT rect = {0, 0, computed ? 100 : 101, computed ? 60 : 61};
        MemoryBitmap bitmap(101, 61, kGround);
        ASSERT_TRUE(bitmap.Valid());
        ASSERT_EQ(1, DrawShapeFrame(rect, bitmap.Dc(), c.width, c.shape, c.roundness, kOne, kTwo, c.gradation,
                                    c.antiAlias));
        for (int i = 0; i < c.count; i++) {
            if (!c.depths[i])
                continue;  // between the checked depths
            EXPECT_EQ(c.depths[i], bitmap.Pixel(i, 30)) << c.name << ": left, depth " << i;
            EXPECT_EQ(c.depths[i], bitmap.Pixel(100 - i, 30)) << c.name << ": right, depth " << i;
            EXPECT_EQ(c.depths[i], bitmap.Pixel(50, i)) << c.name << ": top, depth " << i;
        }
        EXPECT_EQ(kGround, bitmap.Pixel(c.count, 30)) << c.name;
        EXPECT_EQ(kGround, bitmap.Pixel(50, 30)) << c.name;
        if (c.shape != FRAME_SHAPE_RECTANGLE) {
            EXPECT_EQ(kGround, bitmap.Pixel(1, 1)) << c.name << ": outside the shape";
        }
    }
}

TEST(DrawShapeFrameTest, LeavesTheCallersDcAsItWas)
{
    MemoryBitmap bitmap(50, 40, kGround);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ old = SelectObject(bitmap.Dc(), brush);
    RECT rect = {0, 0, 50, 40};
    for (int antiAlias : {0, 1})
        EXPECT_EQ(1, DrawShapeFrame(rect, bitmap.Dc(), 5, FRAME_SHAPE_ELLIPSE, 0, kOne, kTwo, 1, antiAlias));
    EXPECT_EQ(brush, GetCurrentObject(bitmap.Dc(), OBJ_BRUSH));
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, GetClipRgn(bitmap.Dc(), clip));  // still unclipped
    DeleteObject(clip);
    SelectObject(bitmap.Dc(), old);
    DeleteObject(brush);
    EXPECT_EQ(0, DrawShapeFrame(rect, nullptr, 5, FRAME_SHAPE_ELLIPSE, 0, kOne, kTwo, 1, 1));
}

// The records a frame leaves in a metafile: what drawing it takes.
int FrameRecords(const RECT& window, int frameWidth, int shape, int gradation, int antiAlias)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    if (!dc)
        return -1;
    DrawShapeFrame(window, dc, frameWidth, shape, INT_MAX, kOne, kTwo, gradation, antiAlias);
    HENHMETAFILE file = CloseEnhMetaFile(dc);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(file, sizeof(header), &header);
    DeleteEnhMetaFile(file);
    return (int)header.nRecords;
}

// A band far wider than the window covers the whole shape and is drawn as one as wide as the window: the depths stop
// at half the shorter side.
TEST(DrawShapeFrameTest, BandsBeyondTheWindowStopAtHalfItsShorterSide)
{
    RECT window = {0, 0, 700, 500};
    EXPECT_EQ(251, FrameBandDepths(&window, INT_MAX));
    EXPECT_EQ(12, FrameBandDepths(&window, 12));
    EXPECT_EQ(0, FrameBandDepths(&window, 0));
    EXPECT_EQ(0, FrameBandDepths(&window, -5));
    RECT empty = {10, 10, 10, 400};
    EXPECT_EQ(0, FrameBandDepths(&empty, 20));
    EXPECT_EQ(0, FrameBandDepths(nullptr, 20));

    const int shapes[] = {FRAME_SHAPE_RECTANGLE, FRAME_SHAPE_ELLIPSE, FRAME_SHAPE_ROUNDED};
    for (int shape : shapes) {
        for (int gradation : {FRAME_GRADATION_NONE, FRAME_GRADATION_OUT_IN}) {
            MemoryBitmap bitmap(700, 500, kGround);
            ASSERT_TRUE(bitmap.Valid());
            DrawShapeFrame(window, bitmap.Dc(), INT_MAX, shape, INT_MAX, kOne, kTwo, gradation, 0);
            DrawShapeFrame(window, bitmap.Dc(), 1000000, shape, 1000000, kOne, kTwo, gradation, 1);
            for (int antiAlias : {0, 1}) {
                int asWide = FrameRecords(window, 251, shape, gradation, antiAlias);
                EXPECT_GT(asWide, 0);
                EXPECT_EQ(asWide, FrameRecords(window, INT_MAX, shape, gradation, antiAlias))
                    << shape << ", " << gradation << ", " << antiAlias;
                EXPECT_EQ(asWide, FrameRecords(window, 1000000, shape, gradation, antiAlias))
                    << shape << ", " << gradation << ", " << antiAlias;
            }
            // Colour 1 outside, and at a million pixels' width the middle is still almost all colour 1.
            EXPECT_EQ(kOne, bitmap.Pixel(350, 250)) << shape << ", " << gradation;
            EXPECT_EQ(kOne, bitmap.Pixel(350, 0)) << shape << ", " << gradation;
        }
    }
}

TEST(PlacePictureTest, AlignmentsMarginsAndStretch)
{
    const RECT margins = {5, 6, 7, 8};
    const RECT tens = {10, 10, 10, 10};
    const struct {
        int width, height;
        BYTE alignX, alignY, mode;
        const RECT* margins;
        RECT expected;
    } cases[] = {
        {20, 10, 1, 1, 0, nullptr, {90, 45, 110, 55}},
        {20, 10, 0, 0, 0, nullptr, {0, 0, 20, 10}},
        {20, 10, 0, 0, 0, &margins, {5, 6, 25, 16}},
        {20, 10, 2, 2, 0, &margins, {173, 82, 193, 92}},
        {20, 10, 1, 1, 0, &margins, {90, 45, 110, 55}},   // centring ignores the margins
        {20, 10, 3, 9, 0, &margins, {5, 6, 25, 16}},      // unknown alignments are near
        {20, 10, 2, 0, 2, &tens, {10, 10, 190, 90}},      // stretch ignores the alignments
        {20, 10, 0, 0, 2, nullptr, {0, 0, 200, 100}},
        {300, 200, 1, 1, 0, nullptr, {-50, -50, 250, 150}},  // larger: cut equally on both sides
    };
    for (const auto& c : cases) {
        RECT placed = {};
        ASSERT_EQ(1, PlacePicture(200, 100, c.width, c.height, c.alignX, c.alignY, c.mode, c.margins, &placed));
        EXPECT_TRUE(EqualRect(&c.expected, &placed))
            << (int)c.alignX << "/" << (int)c.alignY << " mode " << (int)c.mode << ": " << placed.left << ","
            << placed.top << "-" << placed.right << "," << placed.bottom;
    }
    RECT placed;
    EXPECT_EQ(0, PlacePicture(200, 100, 0, 10, 1, 1, 0, nullptr, &placed));
    EXPECT_EQ(0, PlacePicture(200, 100, 20, 10, 1, 1, 0, nullptr, nullptr));
}

}  // namespace
