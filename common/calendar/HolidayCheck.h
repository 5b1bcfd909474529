// Whether a date is a holiday of a list, and which memorial days fall on it.
// Name and text outputs are caller buffers of HOLIDAY_NAME_SIZE bytes; longer text
// is cut at a character boundary.
#pragma once

#include "Holiday.h"

extern "C" {

// 1 when a national or own holiday record falls on the date. names (may be null)
// receives the first 10 matching names joined by "\r\n", or "".
int MatchHolidayDate(const HolidayRecord* list, int count, int year, int month, int day, char* names);

// 1 when the date is a listed holiday, or, for a national list (first record of kind
// 0), a derived substitute holiday (only when substitute is 1) or citizens' holiday.
// name (may be null) receives the listed or derived name, or "" for 0.
int CheckHoliday(const HolidayRecord* list, int count, int year, int month, int day, char* name,
                 int substitute);

// Memorial days on the date (the caller gives its weekday): text (may be null)
// receives their names joined by "\r\n", each followed by the age when ageFlag is 1.
// Returns -1 when none falls on the date, else the age of the last one (0 when it
// or the asked year has no year).
int CheckMemorial(const HolidayRecord* list, int count, int year, int month, int day, int weekday,
                  int ageFlag, char* text);

}
