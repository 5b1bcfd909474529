// The wallpaper mode's decisions: the picture the composition starts from, the wallpaper remembered, the desktop
// colour and the blank picture's rows.
#include <gtest/gtest.h>

#include <string.h>

#include "WallpaperRules.h"

namespace {

const char kOwn[] = "C:\\Program Files\\Daylens\\DaylensDesktop.bmp";

TEST(WallpaperRulesTest, StartPicture)
{
    // The user's own wallpaper is drawn on while it is set.
    EXPECT_EQ(WALLPAPER_START_CURRENT, ChooseWallpaperStart("C:\\pics\\sea.jpg", kOwn, 1, 1));
    EXPECT_EQ(WALLPAPER_START_CURRENT, ChooseWallpaperStart("C:\\pics\\sea.jpg", kOwn, 0, 1));
    // Under the program's picture (in any letter case) the remembered one is drawn on again...
    EXPECT_EQ(WALLPAPER_START_REMEMBERED, ChooseWallpaperStart(kOwn, kOwn, 1, 1));
    EXPECT_EQ(WALLPAPER_START_REMEMBERED,
              ChooseWallpaperStart("c:\\PROGRAM FILES\\daylens\\daylensdesktop.BMP", kOwn, 1, 1));
    // ...and without it a blank picture, never the old calendar picture.
    EXPECT_EQ(WALLPAPER_START_BLANK, ChooseWallpaperStart(kOwn, kOwn, 0, 1));
    EXPECT_EQ(WALLPAPER_START_BLANK, ChooseWallpaperStart("c:\\program files\\daylens\\daylensdesktop.bmp", kOwn, 0, 1));
    // No wallpaper, or one whose file is gone.
    EXPECT_EQ(WALLPAPER_START_BLANK, ChooseWallpaperStart("", kOwn, 1, 0));
    EXPECT_EQ(WALLPAPER_START_BLANK, ChooseWallpaperStart(nullptr, kOwn, 0, 0));
    EXPECT_EQ(WALLPAPER_START_BLANK, ChooseWallpaperStart("C:\\pics\\gone.jpg", kOwn, 1, 0));
}

TEST(WallpaperRulesTest, RememberedWallpaperIsNeverTheProgramsPicture)
{
    EXPECT_EQ(1, RemembersWallpaper("C:\\pics\\sea.jpg", kOwn, kOwn));
    EXPECT_EQ(1, RemembersWallpaper("", kOwn, kOwn));
    EXPECT_EQ(0, RemembersWallpaper(kOwn, kOwn, kOwn));
    EXPECT_EQ(0, RemembersWallpaper("c:\\program files\\DAYLENS\\daylensdesktop.bmp", kOwn, kOwn));
    // Another picture set over the program's: the program's is still not remembered.
    EXPECT_EQ(0, RemembersWallpaper(kOwn, "C:\\pics\\sea.jpg", kOwn));
    EXPECT_EQ(0, RemembersWallpaper("C:\\pics\\SEA.jpg", "c:\\pics\\sea.JPG", kOwn));
}

TEST(WallpaperRulesTest, DesktopColor)
{
    COLORREF color = 0;
    EXPECT_EQ(1, ParseDesktopColor("0 128 128", &color));
    EXPECT_EQ(RGB(0, 128, 128), color);
    EXPECT_EQ(1, ParseDesktopColor("255 10 3", &color));
    EXPECT_EQ(RGB(255, 10, 3), color);
    color = 7;
    EXPECT_EQ(0, ParseDesktopColor("0 128", &color));
    EXPECT_EQ(0, ParseDesktopColor("red green blue", &color));
    EXPECT_EQ(0, ParseDesktopColor("0 256 0", &color));
    EXPECT_EQ(0, ParseDesktopColor("-1 0 0", &color));
    EXPECT_EQ(0, ParseDesktopColor(nullptr, &color));
    EXPECT_EQ(7u, color);
}

// Rows of an odd width: each filled blue, green, red, and the row padding left alone.
TEST(WallpaperRulesTest, BlankPictureFillsEachPaddedRow)
{
    const int width = 5, height = 3, stride = 16;
    BYTE bits[stride * height];
    memset(bits, 0xEE, sizeof(bits));
    FillPictureRows(bits, width, height, stride, RGB(0, 128, 200));
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            EXPECT_EQ(200, bits[y * stride + x * 3]);
            EXPECT_EQ(128, bits[y * stride + x * 3 + 1]);
            EXPECT_EQ(0, bits[y * stride + x * 3 + 2]);
        }
        EXPECT_EQ(0xEE, bits[y * stride + 15]);
    }
}

}  // namespace
