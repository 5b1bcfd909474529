// Platform calls bound at run time: DIB sections, the IME switch, sounds, and the library search with fall-back
// folders. A missing library or export makes the call do nothing.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Bottom-up 32-bit DIB section (BI_RGB) on the screen DC, its pixels in *bits; null when bits is null or on failure.
HBITMAP CreateDibSection32(int width, int height, void** bits);
// The same with 24 bits per pixel.
HBITMAP CreateDibSection24(int width, int height, void** bits);
// Opens (1) or closes (0) the window's IME; 1.
int SetImeOpen(HWND window, int open);
// The window's IME open status; 0 when closed or imm32 is missing.
int GetImeOpen(HWND window);
// Plays a sound file asynchronously without the default sound; nothing for null; 1.
int PlaySoundFile(const char* path);

#ifdef __cplusplus
}
#endif
