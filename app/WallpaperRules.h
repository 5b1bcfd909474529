// Decisions of the wallpaper mode that need no window and no registry: which picture the composition starts from,
// when a wallpaper path is the same as another, which wallpaper is remembered, the desktop colour and the blank
// picture in it.
#pragma once

#include <windows.h>

// The program's own wallpaper picture, in the program folder.
extern const char kOwnWallpaperName[];

enum WallpaperStart {
    WALLPAPER_START_REMEMBERED,  // the remembered wallpaper under the program's own picture
    WALLPAPER_START_CURRENT,     // the wallpaper set now
    WALLPAPER_START_BLANK,       // a plain picture in the desktop colour
};

// 1 when a and b name the same wallpaper file: letters compared ignoring case; null is "".
int SameWallpaperPath(const char* a, const char* b);
// Where the composition starts from. Under the program's own picture only the remembered wallpaper will do: an
// older calendar picture is never drawn on again, so without it the picture is blank.
WallpaperStart ChooseWallpaperStart(const char* current, const char* ownPicture, int rememberedExists,
                                    int currentExists);
// 1 when setting newPath replaces current as a wallpaper the user may want back: current differs from newPath and
// is not the program's own picture.
int RemembersWallpaper(const char* current, const char* newPath, const char* ownPicture);
// The "Background" colour value ("red green blue", each 0-255); 0 when text is not three such numbers.
int ParseDesktopColor(const char* text, COLORREF* color);
// Fills a 24-bit bottom-up picture of width x height, rows stride bytes apart, with color (bytes blue, green, red).
void FillPictureRows(BYTE* bits, int width, int height, int stride, COLORREF color);
