#include "WallpaperRules.h"

#include <stdio.h>

#include "StrUtil.h"

const char kOwnWallpaperName[] = "DaylensDesktop.bmp";

int SameWallpaperPath(const char* a, const char* b)
{
    return StrCompareNoCase(a, b) == 0 ? 1 : 0;
}

WallpaperStart ChooseWallpaperStart(const char* current, const char* ownPicture, int rememberedExists,
                                    int currentExists)
{
    if (SafeStrLen(current) > 0 && SameWallpaperPath(current, ownPicture))
        return rememberedExists ? WALLPAPER_START_REMEMBERED : WALLPAPER_START_BLANK;
    return SafeStrLen(current) > 0 && currentExists ? WALLPAPER_START_CURRENT : WALLPAPER_START_BLANK;
}

int RemembersWallpaper(const char* current, const char* newPath, const char* ownPicture)
{
    return !SameWallpaperPath(current, newPath) && !SameWallpaperPath(current, ownPicture) ? 1 : 0;
}

int ParseDesktopColor(const char* text, COLORREF* color)
{
    long red = 0, green = 0, blue = 0;
    if (!text || !color || sscanf(text, "%ld %ld %ld", &red, &green, &blue) != 3)
        return 0;
    if (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255)
        return 0;
    *color = RGB(red, green, blue);
    return 1;
}

void FillPictureRows(BYTE* bits, int width, int height, int stride, COLORREF color)
{
    if (!bits || width <= 0 || height <= 0 || stride < width * 3)
        return;
    for (int y = 0; y < height; y++) {
        BYTE* pixel = bits + (size_t)y * stride;
        for (int x = 0; x < width; x++, pixel += 3) {
            pixel[0] = GetBValue(color);
            pixel[1] = GetGValue(color);
            pixel[2] = GetRValue(color);
        }
    }
}
