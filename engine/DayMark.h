// The marks of one day: outlines of the day text, shapes and lines.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

class EnvData;

// Mark kinds.
enum MarkKind {
    MARK_NONE = 0,
    MARK_OUTLINE_1 = 1,
    MARK_OUTLINE_3 = 3,
    MARK_CIRCLE = 4,
    MARK_CIRCLE_FRAME = 5,
    MARK_DIAMOND = 6,
    MARK_DIAMOND_FRAME = 7,
    MARK_SQUARE = 8,
    MARK_SQUARE_FRAME = 9,
    MARK_TRIANGLE = 10,
    MARK_TRIANGLE_FRAME = 11,
    MARK_TRIANGLE_DOWN = 12,
    MARK_TRIANGLE_DOWN_FRAME = 13,
    MARK_OCTAGON = 14,
    MARK_OCTAGON_FRAME = 15,
    MARK_UNDERLINE = 16,
    MARK_DOUBLE_UNDERLINE = 17,
    MARK_CROSS = 18,
    MARK_CHECK = 19,
    MARK_KIND_COUNT = 20
};

// Width of the pen of shape marks in a box this wide.
int MarkPenWidth(int boxWidth);

extern "C" {

// Draws the mark of style for the day text in box, with the DC's font as the day font; shape marks shrink box by
// one pixel at the top, right and bottom. 0 when nothing was drawn by kind (none, unused, a missing or empty
// user mark), else 1.
int DrawDayMark(HDC dc, RECT* box, int otherMonth, const char* dayText, FontStyle* style, EnvData* env);

}
