// Painting the calendar window: the back buffer and window region, background, picture and frame, the month
// blocks of the three display types, and each day's number, colours, marks, cell and tooltip. Measuring, headings,
// marks and tooltips come from the language module by export name; a missing export skips only its step.
// Where blocks go and how a day looks are decided apart from drawing (CalendarArrangement.h, DayLook.h).
#pragma once

#include <windows.h>

#include "EnvData.h"
#include "Holiday.h"
#include "MemoSettings.h"
#include "MemorialSettings.h"
#include "RepeatMemo.h"

// Re-renders the calendar of ShownMonth (see RefreshCalendarMonth).
int RefreshCalendar(int keepPosition);
// Re-sizes the calendar window (at most to the virtual screen) and renders it into a new back buffer; 0 when no
// DC, memory DC or bitmap could be had, the window then keeping its size and picture.
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
