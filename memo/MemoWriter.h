// The only writer of the memo store (the reader is common/calendar/DayMemoStore): the memo of one day replaced or
// removed, and the month cache the calendar keeps while it draws a month.
#pragma once

#include <stddef.h>

#include "DayMemoStore.h"
#include "MemoSettings.h"

// Days of the month cache; index = day - 1.
#define MEMO_MONTH_DAYS 31
// Bytes of a day's section as it is handed to the section write.
#define MEMO_SECTION_SIZE 65536

// Bytes of the longest escaped memo text that one stored line holds.
size_t StorableMemoLength();

// The reader's view of memo: its folder, its month-file switch and its default style.
MemoStoreSettings MemoStoreOf(const MemoSettings* memo);

// The lines of a day's section with record's style and time and the escaped text, each NUL-ended, closed by an
// empty line. A text whose escaped form would not fit the reader's line is cut on a character boundary. Null
// without memory; the caller frees it with HeapFree.
char* FormatDayMemoSection(const DayMemoRecord* record, const char* text);

// What the memo windows tell the user when a memo could not be saved.
#define MEMO_CANNOT_SAVE_TEXT "メモを保存できません"

// Replaces the memo of the day in the store of memo by text with record's style and time, or removes the day's
// memo when text is null or empty (record may then be null). The day's file is saved whole through the durable
// save. 1 when the store holds the result; 0 when it could not be saved (no memory, a missing, read-only or full
// memo folder), the file then unchanged, so that the caller can keep the user's text.
int WriteDayMemo(const MemoSettings* memo, int year, int month, int day, const char* text,
                 const DayMemoRecord* record);
// Fills the month cache: for every day of the month a record (allocated when its slot is null) and the day's text
// (null without memo). The caller frees each text and record with HeapFree. 1.
int ReadMonthMemos(const MemoSettings* memo, int year, int month, char** texts, DayMemoRecord** records,
                   int singleLine);
// WriteDayMemo for every day of the month from the cache; 1 when every day was written.
int WriteMonthMemos(const MemoSettings* memo, int year, int month, char* const* texts,
                    DayMemoRecord* const* records);
