// Where the month blocks of a view go and where the rows of a line block stand: plain arithmetic over measured
// sizes, for the grid (by DisplayOrder and DisplayHeight), the line type (blocks go down) and the column type
// (blocks go right). Nothing is measured or drawn here.
#pragma once

#include <windows.h>

class EnvData;

// The size of one month block as the renderer measured it; HeadingWidth is the width of its heading.
struct MonthBlockSize {
    int Width;
    int Height;
    int HeadingWidth;
};

// Where a block is drawn and the width it is drawn in: the widest block of a grid, the widest heading of the line
// type, the block's own width in the column type.
struct MonthBlockPlace {
    int X;
    int Y;
    int Width;
};

// The rows of a line block drawn from y: its heading, its day numbers and its weekday texts, and its height.
struct LineBlockRows {
    int HeadingY;
    int DayY;
    int WeekdayY;
    int Height;
};

// The month blocks a view of the record's display type shows.
int ViewMonthCount(const EnvData& env);
// Places the count blocks of sizes (in month order) from origin into places (count entries).
void ArrangeMonthBlocks(const EnvData& env, POINT origin, const MonthBlockSize* sizes, int count,
                        MonthBlockPlace* places);
// With WeekInForm 1 the smallest weekday of the 1sts of count months from (year, month), to which the line and
// column types align their days; else 100 (no alignment).
int AlignmentBase(const EnvData& env, int year, int month, int count);
// The rows of a line block from y, for a heading of headingHeight and day numbers of digitHeight.
LineBlockRows PlaceLineRows(const EnvData& env, int y, int headingHeight, int digitHeight);
