// The months a view shows: the month carry, the first month of the view, how many
// months across and down, and the weekday a week starts on, which the layout measures
// and the program draws alike.
#pragma once

class EnvData;

// Month blocks across and down that a view can hold.
#define DISPLAY_COUNT_MAX 12

// Carries a month outside 1-12 into the year (month 0 is December of the year before).
void NormalizeMonth(int* year, int* month);
// The first month of the view shown for the reference month, by the record's DisplayStart rule.
void FirstShownMonth(const EnvData& env, int* year, int* month);
// Months across (DisplayRows) and down (DisplayLines) as the view shows them: 0 counts as 1, a value beyond
// DISPLAY_COUNT_MAX as DISPLAY_COUNT_MAX.
int DisplayRowCount(const EnvData& env);
int DisplayLineCount(const EnvData& env);
// The weekday of a week's first column, 0 (Sunday) to 6: StartDate modulo 7.
int WeekStartDay(const EnvData& env);
// Whether the grid's months flow down its columns, each block with its own height; otherwise (the orders across,
// or the heights of the highest block or of six weeks) every block takes the height of the highest.
bool GridColumnsKeepOwnHeights(const EnvData& env);
