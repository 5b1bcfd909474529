// The marks of one day: outlines of the day text, shapes and lines.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

class EnvData;

// Width of the pen of shape marks in a box this wide.
int MarkPenWidth(int boxWidth);

extern "C" {

// Draws the mark of style for the day text in box, with the DC's font as the day font; shape marks shrink box by
// one pixel at the top, right and bottom. 0 when nothing was drawn by kind (none, unused, a missing or empty
// user mark), else 1.
int DrawDayMark(HDC dc, RECT* box, int otherMonth, const char* dayText, FontStyle* style, EnvData* env);

}
