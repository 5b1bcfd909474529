// The main program's memorial days: the one live MemorialSettings record and the memorial table read from the
// memorial file. The main thread is the table's only writer; other threads (the memo watcher) read it through
// CheckMemorialDay, under the table's lock. The table is never changed in place: a finished list is swapped in
// under the lock and the old one freed only after that, so no reader ever sees a freed or half-made list.
#pragma once

#include <windows.h>

#include "Holiday.h"
#include "LanguageModule.h"
#include "MemorialSettings.h"

// The live memorial settings, from start-up to the end of the program.
extern MemorialSettings g_memorialSettings;

// The table as it stands, for the main thread only (it alone replaces the table, so it may read without the lock
// between its own replacements). *count gets the number of records; null for an empty table.
const HolidayRecord* MemorialDaysOnMainThread(int* count);

// Builds the memorial path from the live settings and reads the table from that file through load (the language
// module's LoadHoliday, list kind memorial); without load, or without a file, the table is empty. 1.
int LoadMemorialDays(const char* programDir, LanguageModule::LoadHoliday load);
// After MemorialIndividual has changed: the path is built again; when it names another file that exists, the table
// is read from it, else the table is kept, so that the next save of the list moves it to the new file rather than
// writing one user's list over another's. 1 when the table was read again, else 0.
int SwitchMemorialFile(const char* programDir, LanguageModule::LoadHoliday load);
// Puts list (count records, process heap; may be null for none) in the table's place and frees the old table.
// The table takes over list and its names.
void ReplaceMemorialDays(HolidayRecord* list, int count);
// A copy of the table with copies of its names, for an editor or a plug-in, made before anything else is touched;
// *count gets its records. Null for an empty table or without memory (then *count is 0). The caller frees it with
// FreeHolidayList.
HolidayRecord* CopyMemorialDays(int* count);
// Empties the table; 1.
int FreeMemorialDays();

// CheckMemorial over the table under its lock, for any thread: the memorial names of the date (with their ages
// when ageFlag is 1) into text (HOLIDAY_NAME_SIZE bytes, may be null); -1 when none falls on it.
int CheckMemorialDay(int year, int month, int day, int weekday, int ageFlag, char* text);
