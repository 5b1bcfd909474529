// Text of headings and marks as the calendar draws it.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

// Draws text at (x, y) as shadowed text in the style's text colour, shadow colour, width, direction and
// gradation, with the DC's font and the background left untouched; the DC's colour and background mode are
// restored.
void DrawStyledText(HDC dc, int x, int y, const char* text, const FontStyle* style);
