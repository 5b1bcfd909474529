// The wallpaper mode: the calendar drawn into the desktop wallpaper through the image library "imgctl.dll", saved
// as the program's own picture and set as the wallpaper; the user's own wallpaper is remembered (EnvData
// PreWallPaper) and put back. Without the library, or when no picture can be read or made, the wallpaper stays as
// it was.
#pragma once

// Draws the calendar of the shown month at the window's place onto the remembered, current or a blank picture of
// the desktop size, writes the program's picture and sets it as the wallpaper; 1.
int ComposeCalendarWallpaper();
// Forgets a remembered wallpaper whose file is gone; when the program's picture is the wallpaper, sets the
// remembered one (or none) instead. 1, or 0 when the registry key cannot be opened.
int RestoreWallpaper();
// Sets path as the wallpaper, first remembering the current one when the user may want it back; 1, or 0 when path
// is no file or the registry key cannot be opened.
int SetWallpaperFile(const char* path);
// The current wallpaper path into buffer (1,024 bytes; "" when none); 1, or 0 when buffer is null or the registry
// key cannot be opened.
int ReadWallpaperPath(char* buffer);
