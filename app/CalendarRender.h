// Painting the calendar window: the back buffer and window region, background, picture and frame, the month
// blocks of the three display types, and each day's number, colours, marks, cell and tooltip. Measuring, headings,
// marks and tooltips come from the language module by export name; a missing export skips only its step.
#pragma once

#include <windows.h>

#include "EnvData.h"
#include "Holiday.h"
#include "RepeatMemo.h"

struct MemoSettings;      // comes with the memo-settings issue
struct MemorialSettings;  // comes with the memorial-days issue

// Re-renders the calendar of ShownMonth (see RefreshCalendarMonth).
int RefreshCalendar(int keepPosition);
// Re-sizes the calendar window and renders it into the back buffer; 0 when no DC, memory DC or bitmap could be had.
int RefreshCalendarMonth(int year, int month, int keepPosition);
// Paints background, picture, frame and months into hdc (a DC of the window when null).
int DrawCalendar(HWND window, HDC hdc, int year, int month, EnvData* env, MemoSettings* memo,
                 MemorialSettings* memorial, int addTools);
int DrawMonths(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
               int addTools, int atWindowPosition);

// Where a month pass records its day cells. The window's pass uses the record's own table; a pass that must leave
// the window's cells and tooltips alone (the wallpaper) hands a scratch table of DAY_CELL_MAX entries.
struct DayCellTarget {
    DayCell* Cells;
    int Count;
};
// DrawMonths with addTools 0 into target: the record's tooltip tools, tooltip window and day cells stay as they
// are. 0 when a pass is already running or target is null.
int DrawMonthsInto(HDC hdc, int year, int month, EnvData* env, MemoSettings* memo, MemorialSettings* memorial,
                   int atWindowPosition, DayCellTarget* target);

// The lists the days are looked up in. Null lists count as empty.
struct CalendarSources {
    const HolidayRecord* Holidays;
    int HolidayCount;
    const HolidayRecord* MyHolidays;
    int MyHolidayCount;
    const RepeatMemoRecord* RepeatMemos;
    char** RepeatTexts;
    int RepeatCount;
    const HolidayRecord* Memorials;
    int MemorialCount;
};
// Replaces the lists of the following passes; null returns to the program's holiday lists and nothing else.
void SetCalendarSources(const CalendarSources* sources);
CalendarSources CurrentCalendarSources();

// One grid block at (x, y); blockWidth is the widest block of the view. Reports the block's size.
int DrawMonthNormal(HDC hdc, int year, int month, int blockWidth, int x, int y, int* outWidth, int* outHeight,
                    EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools);
// One line block; alignmentBase is the smallest weekday of the view's 1sts, or 100 for no alignment.
int DrawMonthLine(HDC hdc, int year, int month, int alignmentBase, int headingWidth, int x, int y, int* outWidth,
                  int* outHeight, EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools);
// One column block of columnWidth.
int DrawMonthRow(HDC hdc, int year, int month, int alignmentBase, int columnWidth, int x, int y, int* outWidth,
                 int* outHeight, EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools);
// Draws the day number centred at x in the colours the mark order gives; returns the day's extra tooltip lines
// as a process-heap text (the caller frees it), or null.
char* DrawDayNumber(HDC hdc, int x, int y, const char* dayText, int year, int month, int day, int otherMonth,
                    EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools);
// Draws the marks of the day centred at x in mark order, later ones over earlier ones.
void DrawDayMarks(HDC hdc, int x, int y, int year, int month, int day, int weekday, int otherMonth,
                  const char* dayText, EnvData* env, MemoSettings* memo, MemorialSettings* memorial);

// The style whose colours a memo's text takes: the user mark its kind names, when that mark exists, else the
// memo's own style (also for a kind beyond the record's user marks).
const FontStyle* MemoTextStyle(const EnvData* env, const FontStyle* own);
