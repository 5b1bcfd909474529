// The rectangles of a colour key's shape, counted as the window system counts them, and a picture made to fit a
// limit of rectangles.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "KeyedShape.h"

namespace {

const COLORREF kKey = RGB(255, 255, 255);
const DWORD kKeyPixel = 0x00FFFFFF;
const DWORD kInk = 0x00102030;

// The region of the pixels that differ from the key, one rectangle per run, combined by GDI.
int GdiRectCount(const std::vector<DWORD>& pixels, int width, int height)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width;) {
            while (x < width && (pixels[y * width + x] & 0xFFFFFF) == kKeyPixel)
                x++;
            int start = x;
            while (x < width && (pixels[y * width + x] & 0xFFFFFF) != kKeyPixel)
                x++;
            if (x > start) {
                HRGN run = CreateRectRgn(start, y, x, y + 1);
                CombineRgn(region, region, run, RGN_OR);
                DeleteObject(run);
            }
        }
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(size);
    GetRegionData(region, size, (RGNDATA*)data.data());
    DeleteObject(region);
    return (int)((RGNDATA*)data.data())->rdh.nCount;
}

int KeyPixels(const std::vector<DWORD>& pixels)
{
    int count = 0;
    for (DWORD p : pixels)
        count += (p & 0xFFFFFF) == kKeyPixel;
    return count;
}

// Pairs of rows of ink with gaps of key colour of the given widths between runs of two pixels, and an empty row after
// each pair; in every odd pair the second row's last run is a pixel longer, so that its rows make two bands.
std::vector<DWORD> GappedRows(int width, int pairs, const std::vector<int>& gaps)
{
    std::vector<DWORD> pixels;
    for (int pair = 0; pair < pairs; pair++)
        for (int copy = 0; copy < 3; copy++) {
            std::vector<DWORD> row(width, kKeyPixel);
            if (copy < 2) {
                int x = 1 + pair % 3;
                for (int gap : gaps) {
                    row[x] = row[x + 1] = kInk;
                    x += 2 + gap;
                }
                row[x] = kInk;
                if (copy == 1 && pair % 2)
                    row[x + 1] = kInk;
            }
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    return pixels;
}

TEST(KeyedShapeTest, CountsTheRectanglesOfTheBandedRegion)
{
    const int width = 40, pairs = 12;
    std::vector<DWORD> pixels = GappedRows(width, pairs, {1, 3, 2, 5, 1});
    // A band of three rows, an empty one between bands, and rows that repeat the one above.
    for (int x = 30; x < 36; x++)
        pixels[(3 * pairs - 1) * width + x] = kInk;
    EXPECT_EQ(GdiRectCount(pixels, width, 3 * pairs), KeyedShapeRectCount(pixels.data(), width, 3 * pairs, kKey));
    EXPECT_EQ(0, KeyedShapeRectCount(std::vector<DWORD>(width * 4, kKeyPixel).data(), width, 4, kKey));
    // The high byte (alpha) is not part of the colour.
    for (DWORD& p : pixels)
        p |= 0xFF000000;
    EXPECT_EQ(GdiRectCount(pixels, width, 3 * pairs), KeyedShapeRectCount(pixels.data(), width, 3 * pairs, kKey));
}

TEST(KeyedShapeTest, NarrowGapsCloseFirstAndTheKeyGoesOnlyWhenThatIsNotEnough)
{
    const int width = 40, pairs = 10, height = 3 * pairs;
    const std::vector<DWORD> drawn = GappedRows(width, pairs, {1, 2, 3, 4});
    int shape = KeyedShapeRectCount(drawn.data(), width, height, kKey);

    std::vector<DWORD> pixels = drawn;
    EXPECT_EQ(0, FitKeyedShape(pixels.data(), width, height, kKey, shape)) << "a shape that fits stays";
    EXPECT_EQ(drawn, pixels);

    // Closing the gaps of one pixel merges two runs of every ink row.
    int oneClosed = shape - shape / 5;
    EXPECT_EQ(2 * pairs, FitKeyedShape(pixels.data(), width, height, kKey, oneClosed));
    EXPECT_LE(KeyedShapeRectCount(pixels.data(), width, height, kKey), oneClosed);
    EXPECT_EQ(KeyPixels(drawn) - 2 * pairs, KeyPixels(pixels));
    for (size_t i = 0; i < pixels.size(); i++) {
        if (pixels[i] != drawn[i]) {
            EXPECT_EQ(kKeyPixel ^ 1, pixels[i]) << "a closed pixel takes the colour next to the key";
        }
    }

    // Gaps of two pixels close next; wider ones are never closed one by one: the key goes from the whole picture.
    pixels = drawn;
    EXPECT_EQ(2 * pairs + 4 * pairs, FitKeyedShape(pixels.data(), width, height, kKey, shape - 2 * shape / 5));
    pixels = drawn;
    EXPECT_EQ(KeyPixels(drawn), FitKeyedShape(pixels.data(), width, height, kKey, 2 * pairs - 1));
    EXPECT_EQ(0, KeyPixels(pixels));
    EXPECT_EQ(0, KeyedShapeRectCount(nullptr, width, height, kKey));
}

}  // namespace
