// Holiday, own-holiday and memorial-day lists read from holiday text files
// (code page 932, one entry a line: [year] month day name).
#pragma once

#include <windows.h>
#include <stdint.h>

// Size of every caller buffer that receives holiday names or memorial text, and
// of the line and field buffers of the reader: 1,023 bytes of text plus the NUL.
#define HOLIDAY_NAME_SIZE 1024
#define HOLIDAY_LINE_SIZE 1024

// Kinds of list, stored in every record by the loader.
enum HolidayKind { HOLIDAY_KIND_NATIONAL = 0, HOLIDAY_KIND_MEMORIAL = 1, HOLIDAY_KIND_OWN = 2 };

// How the year of a record applies.
enum HolidayYearRule { HOLIDAY_YEAR_EXACT = 0, HOLIDAY_YEAR_UP_TO = 1, HOLIDAY_YEAR_FROM = 2 };

// One line of a holiday file. Arrays of records cross module boundaries, so the
// layout is fixed at 128 bytes.
struct HolidayRecord {
    uint8_t kind;     // HolidayKind
    uint8_t yearRule; // HolidayYearRule
    int32_t year;     // 0 = every year; memorial days: year of origin
    int32_t month;    // 1-12
    int32_t day;      // 0 for a weekday rule
    int32_t week;     // n-th weekday of the month (1-5), 0 for a day rule
    int32_t weekday;  // 0 Sunday - 6 Saturday, for a weekday rule
    char* name;       // process heap, owned by the record
    uint8_t reserved[96];
};
static_assert(sizeof(HolidayRecord) == 128, "HolidayRecord is shared between modules");

extern "C" {

// Reads and parses a holiday file; every record gets the kind. Null for a missing
// or empty file (then *count is left alone). The caller frees with FreeHolidayList.
HolidayRecord* LoadHoliday(unsigned char kind, const char* path, unsigned int* count);
// Parses holiday text into a process-heap array (null and count 0 when there are no
// records). The caller frees with FreeHolidayList.
HolidayRecord* ParseHolidayText(unsigned char kind, const char* text, unsigned int* count);
// Frees every name and then the array.
void FreeHolidayList(HolidayRecord* list, int count);

// Copies src into dst, giving dst its own heap copy of the name (dst's old name is not freed).
int CopyHolidayRecord(HolidayRecord* dst, const HolidayRecord* src);
// Copies src into dst sharing the name pointer; for moving records within one array.
int AssignHolidayRecord(HolidayRecord* dst, const HolidayRecord* src);
// Inserts record in order of (year, month, week, weekday or day) and returns the new
// count. The array takes over record's name; on a duplicate or lack of memory the
// array and count stay as they were and the name stays with the caller.
int InsertHolidayRecord(HolidayRecord** array, const HolidayRecord* record, int count);
// Removes the record at index (freeing its name) and returns the new count; the array
// becomes null when it empties. A bad index or lack of memory changes nothing.
int DeleteHolidayRecord(HolidayRecord** array, int count, int index);

// Copies the next line of text into line (HOLIDAY_LINE_SIZE bytes, longer lines are
// cut) and returns where the following line starts, or null at the end of the text.
const char* NextTextLine(const char* text, char* line);
// Splits line into at most maxFields fields, each in its own HOLIDAY_LINE_SIZE slot of
// fields. Blanks and TABs separate fields, but blanks stay inside the last field.
int SplitHolidayLine(const char* line, char* fields, int maxFields);

}
