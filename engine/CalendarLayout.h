// Calendar layout: the first month of a view, the size of one month block in each display type, and the size
// of the whole calendar window. Nothing is drawn; the only state written is the measured-year memory of EnvData.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"
#include "ShownMonth.h"

class EnvData;
class MonthNameSet;

// The size of one month block and of its heading and date grid.
struct BlockSize {
    int Width;
    int Height;
    SIZE Heading;
    SIZE Grid;
};

// Grid column 0-6 of the 1st of the month, counted from the weekday startDate.
int FirstDayColumn(int year, int month, int startDate);
// Week rows of a grid block: 6 when displayHeight is 2, else as many as the month needs.
int WeekRowCount(int year, int month, int startDate, int displayHeight);
// Cells that align count months from the given one by weekday: from the earliest weekday of a 1st to the
// latest end (weekday of the 1st + days).
int AlignedCellCount(int year, int month, int count);

// Block arithmetic over measured text sizes.
BlockSize GridBlockSize(const EnvData& env, int weekRows, SIZE heading);
BlockSize LineBlockSize(const EnvData& env, int cells, SIZE heading, int digitHeight);
BlockSize ColumnBlockSize(const EnvData& env, int cells, SIZE heading, SIZE dateBox, int widestWeekday);
// The calendar's width and height without margins, from the blocks of the view in month order.
SIZE ViewSize(const EnvData& env, const BlockSize* blocks, int count);

// Whether a heading shows the month text apart from the year.
bool HasMonthText(const EnvData& env);
// The year text of a heading (with the month when linked), as measured and drawn.
void FormatHeadingYear(const EnvData& env, const MonthNameSet& names, int year, int month, char* out, size_t size);

extern "C" {

// The whole calendar window for the reference month; 0 for a null record.
int CalcWindowSize(int year, int month, int* width, int* height, EnvData* env);
// One grid block.
int CalcWindowSizeOneMonthNormal(int year, int month, int* width, int* height, SIZE* heading, SIZE* grid,
                                 EnvData* env);
// One line block; cells <= 0 means the days of the month.
int CalcWindowSizeOneMonthLine(int year, int month, int cells, int* width, int* height, SIZE* heading, SIZE* grid,
                               EnvData* env);
// One column block; cells <= 0 means the days of the month.
int CalcWindowSizeOneMonthRow(int year, int month, int cells, int* width, int* height, SIZE* heading, SIZE* grid,
                              EnvData* env);
// Measures the heading on dc and hands out the fonts it created and left selected (the caller deletes them);
// width and height are added to. 0 when any pointer is null.
int CalcYearMonthSize(HDC dc, HFONT* yearFont, HFONT* monthFont, int year, int month, int* width, int* height,
                      SIZE* yearText, SIZE* monthText, EnvData* env);

}
