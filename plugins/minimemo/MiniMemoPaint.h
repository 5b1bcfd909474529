// Painting the mini memo: the list drawn through the layout walk into any DC (colour image or alpha mask), the
// automatic height, the buffered and per-pixel paint paths and the named mutex that keeps two painters apart.
#pragma once

#include <windows.h>

// Paints the whole client area of window into dc: the mask (1) white on black, else the colour image. 0 for a
// null window, else 1.
int DrawMiniMemo(HWND window, HDC dc, int mask);
// Fits the window's height to the list when AutoSize asks for it; 0 for a null window, else 1.
int AutoSizeMiniMemo(HWND window);
// The guarded paint: per pixel for the translucent kind, else through the back buffer onto dc. 0 when skipped
// (no window, no foreground window, the draw mutex busy).
int PaintMiniMemo(HWND window, HDC dc);
int DrawMiniMemoPerPixelAlpha(HWND window);
int DrawMiniMemoBuffered(HWND window, HDC dc);
// Drops the back buffer (its DC and bitmap).
void DropMiniMemoBuffer(void);

// The draw mutex "Velmora-Daylens-MiniMemo-Draw-<process id>".
int CreateDrawMutex(HWND window);
// 1 when the mutex was taken within timeout milliseconds (an abandoned one counts as taken); the holder releases it
// with UnlockDraw.
int TryLockDraw(DWORD timeout);
void UnlockDraw(void);
void CloseDrawMutex(void);
// The mutex's name for a process.
void DrawMutexName(char* out, size_t size, DWORD processId);
