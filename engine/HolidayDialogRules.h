// The holiday dialog's logic apart from its windows: the date text of a list row, the line of the holiday file, the
// entry read from the boxes, the coupling of the day, week and weekday boxes, and the working list that the dialog
// edits and hands back to its caller.
#pragma once

#include <stddef.h>

#include "Holiday.h"

// Room for one row's date text (" 2005年12月第4日曜日" and a NUL) and for one file line without its name.
#define HOLIDAY_DATE_TEXT_SIZE 64
#define HOLIDAY_FILE_LINE_SIZE (HOLIDAY_NAME_SIZE + 64)

// The date of record as the list shows it: "%4d年" (six blanks for every year), then "%2d月%2d日" or "%2d月第%d曜日".
void HolidayDateText(const HolidayRecord* record, char* text, size_t size);
// The line of record in the holiday file, ending in CR LF: the year ("-" for every year, "%4d" for one year, or
// "b" for "up to" and "a" for "from" joined to the year, "b999"), the month, the day or the week joined to the
// English weekday ("2Mon"), and the name. Empty for a record without a name.
void HolidayFileLine(const HolidayRecord* record, char* line, size_t size);
// Writes count records to path, one line each; with no record the file is deleted. 1 when done.
int WriteHolidayFile(const char* path, const HolidayRecord* list, int count);

// Indexes of the four drop-down boxes: 0 is "--", the month, day and week boxes then count from 1, the weekday box
// holds Sunday at 1.
struct HolidayBoxes {
    int Month;
    int Day;
    int Week;
    int Weekday;
};

// What an entry of the boxes lacks.
enum HolidayEntryCheck { HOLIDAY_ENTRY_OK = 0, HOLIDAY_ENTRY_NO_MONTH = 1, HOLIDAY_ENTRY_NO_DAY = 2 };
// The month must be set, and either the day or both the week and the weekday.
int CheckHolidayBoxes(const HolidayBoxes* boxes);
// The message of a failed check ("月が設定されていません", "日付や曜日が設定されていません"); null for OK.
const char* HolidayEntryMessage(int check);

// Which box the user changed.
enum HolidayBox { HOLIDAY_BOX_MONTH, HOLIDAY_BOX_DAY, HOLIDAY_BOX_WEEK, HOLIDAY_BOX_WEEKDAY };
// Couples the other boxes to the one changed: a weekday or a week clears the day and fills the other of the two
// (week 1, Sunday) when it shows "--"; a day clears the week and the weekday.
void CoupleHolidayBoxes(HolidayBoxes* boxes, int changed);
// The boxes that show record.
HolidayBoxes HolidayBoxesOf(const HolidayRecord* record);

// A record of the list kind (HOLIDAY_KIND_OWN or _MEMORIAL) from the boxes, the year text (its number's low 16
// bits, 0 when empty) and the name (a heap copy, owned by the record). 0 for an empty name or lack of memory.
int MakeHolidayEntry(unsigned char kind, const char* yearText, const HolidayBoxes* boxes, const char* name,
                     HolidayRecord* record);

// The dialog's working copy: a process-heap array with names of its own (null when empty).
struct HolidayWorkList {
    HolidayRecord* Records;
    int Count;
};

// Fills an empty list with copies of the caller's records; 0 when memory runs out (the list then empty again).
int HolidayWorkCopy(HolidayWorkList* list, const HolidayRecord* records, int count);
// Frees the records; the list is empty afterwards.
void HolidayWorkFree(HolidayWorkList* list);
// Inserts record in order; the list takes over its name. 0 for a duplicate or lack of memory: the list is as it
// was and the record's name is freed.
int HolidayWorkAdd(HolidayWorkList* list, HolidayRecord* record);
// Replaces record index by record: the new one is inserted first and the old one removed only when that worked,
// so a refused record leaves the old one in place. The list takes over record's name; on 0 it is freed.
int HolidayWorkChange(HolidayWorkList* list, int index, HolidayRecord* record);
// Removes record index; 0 (list unchanged) for no such record or lack of memory.
int HolidayWorkDelete(HolidayWorkList* list, int index);
// Gives the caller a fresh copy of the working records (process heap, null for none) in place of its list, whose
// records are freed only once the copy is complete; 0 when memory runs out, the caller's list then as it was.
int HolidayWorkHandOver(const HolidayWorkList* list, HolidayRecord** records, unsigned int* count);

// The copies' arrays come from this; tests replace it. Null restores the default; returns the previous one.
typedef void* (*HolidayWorkAllocProc)(size_t size);
HolidayWorkAllocProc SetHolidayWorkAllocProc(HolidayWorkAllocProc proc);
