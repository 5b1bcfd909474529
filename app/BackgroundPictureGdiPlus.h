// The calendar's background picture through GDI+: starting GDI+ for the process and drawing a picture file,
// aligned or stretched, with the decoded picture kept by the caller between paints. Only the main program links
// GDI+; the settings record holds the picture as a BackgroundPicture.
#pragma once

#include <windows.h>

#include "EnvData.h"

// Starts GDI+ once for the process, before anything is drawn; 1, or 0 when GDI+ cannot start.
int StartGdiPlus();
// Ends GDI+ after the last picture is deleted; 1.
int StopGdiPlus();
// Draws the picture file at path (code page 932) in the window's client area on dc, placed by PlacePicture.
// An empty *cache is filled with the decoded file (also when it cannot be read: such a picture draws nothing); the
// caller deletes it to have the file read again. Nothing happens unless window, dc, a non-empty path and cache are
// given. 1 when the picture was drawn, else 0.
int DrawPictureFile(HWND window, HDC dc, const char* path, BackgroundPicture** cache, BYTE alignX, BYTE alignY,
                    BYTE mode, const RECT* margins);
