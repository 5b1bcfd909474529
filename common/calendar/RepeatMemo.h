// Repeating memos: short texts shown on every date a rule selects, kept in
// "repeat.txt" of the memo folder (sections "0000" to "0099", no gaps).
#pragma once

#include <windows.h>
#include <stdint.h>

#include "Holiday.h"
#include "SettingsTypes.h"

#define REPEAT_MEMO_MAX 100
// One memo text: 1,023 bytes and the NUL.
#define REPEAT_MEMO_TEXT_SIZE 1024

enum RepeatMemoType {
    REPEAT_EVERY_DAY = 1,
    REPEAT_WEEKDAYS = 2,         // DayBit
    REPEAT_MONTH_DAY = 3,        // Day
    REPEAT_MONTH_WEEKDAYS = 4,   // DayBit in Week
    REPEAT_YEAR_DAY = 5,         // Month/Day
    REPEAT_YEAR_WEEKDAYS = 6     // Month, DayBit in Week
};

// Day values above this mean the last day of the month.
#define REPEAT_LAST_DAY_FROM 32
// Week 0: every week; 1-5: the n-th such weekday; 6: the last one.
#define REPEAT_WEEK_LAST 6

// How a day that is not a working day is moved (types 3 and 5).
enum RepeatHolidayShift { REPEAT_SHIFT_NONE = 0, REPEAT_SHIFT_BEFORE = 1, REPEAT_SHIFT_AFTER = 2 };

// One repeating memo; its text is kept in a separate slot of the same index.
struct RepeatMemoRecord {
    int32_t Use;           // 0: kept but never shown
    uint8_t Type;          // RepeatMemoType; other values never match
    int32_t Month;
    int32_t Day;
    int32_t Week;
    int32_t HolidayShift;  // RepeatHolidayShift
    uint8_t DayBit;        // bit 0 Sunday ... bit 6 Saturday
    int32_t FromYear, FromMonth, FromDay;  // period start, when all three are above 0
    int32_t ToYear, ToMonth, ToDay;        // period end, when all three are above 0
    FontStyle Style;       // mark and text style; the font is not used
};
static_assert(sizeof(RepeatMemoRecord) == 140, "RepeatMemoRecord is shared between modules");

extern "C" {

// Empties a list that holds nothing yet: count 0, no records, every text slot null. Returns 1.
int InitRepeatMemos(RepeatMemoRecord** records, char** texts, int* count);
// Replaces the list with the memos of "<memoDir>\repeat.txt". 1 when read; 0 for a null
// argument or lack of memory, the list then holding the memos read before it ran out.
int LoadRepeatMemos(RepeatMemoRecord** records, char** texts, int* count, const char* memoDir);
// Writes the list to "<memoDir>\repeat.txt" in one durable save. Without a list the file is
// deleted and 0 returned, with GetLastError ERROR_SUCCESS when no file is left; 0 also when
// memory or the save fails, the old file then kept and GetLastError saying why.
int SaveRepeatMemoFile(const RepeatMemoRecord* records, char** texts, int count, const char* memoDir);
// Frees the texts of the first count slots (set to null) and the records (set to null);
// count is left as it is. Returns 1.
int FreeRepeatMemos(RepeatMemoRecord** records, char** texts, int* count);

// "[定例]" and the text of every memo on the date, joined by "\r\n" (two blanks and no
// TAB, CR or LF with oneLine 1); style (may be null) gets their mark and text style.
// Null when none falls on the date; the caller frees it with HeapFree.
char* GetRepeatMemoText(const RepeatMemoRecord* records, char** texts, int count, const HolidayRecord* holidays,
                        int holidayCount, int year, int month, int day, FontStyle* style, int oneLine);

// Growth of the record array goes through this; tests replace it. Null restores the
// default; returns the previous one.
typedef void* (*RepeatMemoReAllocProc)(void* block, size_t size);
RepeatMemoReAllocProc SetRepeatMemoReAllocProc(RepeatMemoReAllocProc proc);

}
