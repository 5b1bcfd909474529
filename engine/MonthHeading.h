// The year and month heading of one month block.
#pragma once

#include <windows.h>

class EnvData;

// Heading alignments (DisplayYMStyle); any other value aligns left.
#define HEADING_ALIGN_RIGHT 1
#define HEADING_ALIGN_CENTER 2
#define HEADING_ALIGN_BOTH_ENDS 3

// Where the year and month texts of a heading start.
struct HeadingPositions {
    int YearX;
    int MonthX;
};

// The x of the year and month texts in a heading of availableWidth from x, whose texts take headingWidth.
HeadingPositions PlaceHeadingTexts(const EnvData& env, int x, int availableWidth, int headingWidth, int yearWidth,
                                   int monthWidth);

extern "C" {

// Draws the heading bottom-aligned in the box from (x, y) of availableWidth and headingHeight, with the sizes and
// fonts CalcYearMonthSize gave for the month (the caller deletes the fonts), and with ShowYearTip registers the
// era tooltip and a day cell (day 0) over it. 1, or 0 for a null DC or record.
int DrawYearMonth(HDC dc, int year, int month, int x, int y, int availableWidth, int headingWidth,
                  int headingHeight, SIZE yearText, SIZE monthText, HFONT yearFont, HFONT monthFont, int addTool,
                  EnvData* env);

}
