// Rules of the period memo window apart from its window: which days a period shows, the texts of a row, the colour
// of a row's date, and where the window's controls stand for a client size.
#pragma once

#include <windows.h>

#include <stddef.h>

// Periods of the window (WeekMemoMode): one to four weeks around the memo date, or the memo date's month.
#define PERIOD_MEMO_ONE_WEEK 0
#define PERIOD_MEMO_TWO_WEEKS 1
#define PERIOD_MEMO_FOUR_WEEKS 3
#define PERIOD_MEMO_MONTH 4
#define PERIOD_MEMO_MODES 5
// Most rows a period has.
#define PERIOD_MEMO_MAX_ROWS 31
// The month period is offered only on a work area at least this high.
#define PERIOD_MEMO_MONTH_MIN_HEIGHT 700
// Bytes of a row's date text.
#define PERIOD_MEMO_DATE_SIZE 64
// The step buttons and their labels, right to left as they stand in the window.
#define PERIOD_MEMO_STEP_CONTROLS 12

struct PeriodMemoDate {
    int Year;
    int Month;
    int Day;
};

// The period list's entries, in mode order.
extern const char* const PeriodMemoModeNames[PERIOD_MEMO_MODES];

// The mode the window shows for a stored one: the month period becomes four weeks when the work area is too low
// for it; anything beyond the known modes is one week.
int PeriodMemoShownMode(int mode, int workAreaHeight);
// Rows of a period: 7, 15, 21 or 31 days, or the days of the memo month.
int PeriodMemoRowCount(int mode, int year, int month);
// The days of the period around the memo date, first to last, into dates (at least PERIOD_MEMO_MAX_ROWS slots);
// the number of days.
int PeriodMemoDates(int mode, int year, int month, int day, PeriodMemoDate* dates);
// The row of the memo date itself, which stands in the middle; -1 for the month period, which has none.
int PeriodMemoMiddleRow(int mode, int rows);

// A row's date text "2019年 1月 3日(木)".
void FormatPeriodMemoDate(int year, int month, int day, char* text, size_t size);
// Reads a date text back; 1 when it held year, month and day.
int ReadPeriodMemoDate(const char* text, int* year, int* month, int* day);
// The memo column of a row: the day's memo and its repeating memos joined by a blank, then the memorial names in
// parentheses (after a blank when there is text before them). Each part may be null or empty; line breaks of
// the names become blanks. Null when all are empty or without memory; the caller frees it with HeapFree.
char* JoinPeriodMemoText(const char* memo, const char* repeats, const char* memorials);

// How a row's date is coloured when the row is not selected.
enum PeriodMemoDateLook {
    PERIOD_MEMO_DATE_PLAIN = 0,
    PERIOD_MEMO_DATE_TODAY = 1,
    PERIOD_MEMO_DATE_SUNDAY = 2,
    PERIOD_MEMO_DATE_SATURDAY = 3
};
// Today's date text gives today's look; else the weekday after the day decides.
PeriodMemoDateLook PeriodMemoDateLookOf(const char* text, const char* todayText);
COLORREF PeriodMemoDateColor(PeriodMemoDateLook look, COLORREF plain);

// A control's place and size in client coordinates.
struct PeriodMemoBox {
    int X;
    int Y;
    int Width;
    int Height;
};

// What the layout keeps of the template: the list's top, the period list's size, the step row's sizes (right to
// left, as PeriodMemoStepOrder lists them).
struct PeriodMemoLayoutInput {
    int ClientWidth;
    int ClientHeight;
    int FontSize;  // MemoFontSize
    int ListTop;
    SIZE Period;
    SIZE Steps[PERIOD_MEMO_STEP_CONTROLS];
};

struct PeriodMemoLayout {
    PeriodMemoBox Period;
    PeriodMemoBox Help;
    PeriodMemoBox Open;
    PeriodMemoBox Close;
    PeriodMemoBox List;
    PeriodMemoBox Steps[PERIOD_MEMO_STEP_CONTROLS];
};

extern const int PeriodMemoStepOrder[PERIOD_MEMO_STEP_CONTROLS];

// The period list and the buttons on the bottom row, the list view between its top and that row, the step row
// right-aligned above the list view.
PeriodMemoLayout LayoutPeriodMemo(const PeriodMemoLayoutInput* input);
