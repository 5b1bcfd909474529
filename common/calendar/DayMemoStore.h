// The day-memo store: one memo per day in INI files of the memo folder, one file
// a day ("YYYYMMDD.txt") or one a month ("YYYYMM.txt"); a day is the section
// "YYYYMMDD" in both.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "SettingsTypes.h"

struct ProfileSection;

// Size of the buffer GetMemoDir fills.
#define MEMO_DIR_SIZE 1024
// Bytes read of one stored (escaped) memo line.
#define DAY_MEMO_VALUE_SIZE 32768
// Hour and minute of a memo without a time.
#define DAY_MEMO_NO_TIME 99

// The memo of one day as read; the text is returned apart.
struct DayMemoRecord {
    FontStyle Style;  // mark and text style; the font and the gradation are left as the caller set them
    int Hour;         // DAY_MEMO_NO_TIME for no time
    int Minute;
};
static_assert(sizeof(DayMemoRecord) == 96, "DayMemoRecord is shared between modules");

// What the reader needs of the memo settings.
struct MemoStoreSettings {
    const char* MemoDir;          // the memo folder, as GetMemoDir gives it
    int MemoSaveOneMonth;         // 1: one file a month
    const FontStyle* DefaultStyle;  // default mark colour, text colour and shadow; null for the built-in ones
};

extern "C" {

// The memo folder into out (MEMO_DIR_SIZE bytes): configured when not empty, else
// "<program folder>Memo", or "<program folder>Memo-<user>" with perUser 1. 0 when out is null.
int GetMemoDir(char* out, const char* configured, int perUser);

// The memo of a day, from path when it is not empty, else from the day's (or, with
// MemoSaveOneMonth 1 or day <= 0, the month's) file in the memo folder. With year or
// month 0 the date comes from the file name. Null when there is none; the caller
// frees the text with HeapFree.
char* ReadDayMemoText(const char* path, int year, int month, int day, const MemoStoreSettings* settings,
                      DayMemoRecord* out, int singleLine);
// The memo of one section of file (settings may be null for the built-in defaults); out
// is filled only when there is a memo. Null when there is none; the caller frees it with HeapFree.
char* ReadDayMemoSection(const char* file, const char* section, const MemoStoreSettings* settings,
                         DayMemoRecord* out, int singleLine);
// ReadDayMemoText for today's and tomorrow's local date; the caller frees the text with HeapFree.
char* GetTodayMemo(const MemoStoreSettings* settings, DayMemoRecord* out, int singleLine);
char* GetTomorrowMemo(const MemoStoreSettings* settings, DayMemoRecord* out, int singleLine);

}

// The file of a day's memo in the memo folder dir: the month's file with monthFile 1, else the day's.
void DayMemoFilePath(const char* dir, int monthFile, int year, int month, int day, char* out, size_t size);
// The section of a day's memo ("YYYYMMDD").
void DayMemoSectionName(int year, int month, int day, char* out, size_t size);
// The memo of a day's section already read (null: no section), as ReadDayMemoSection gives it from the section's
// file; the caller frees it with HeapFree.
char* DayMemoOfSection(const ProfileSection* section, const MemoStoreSettings* settings, DayMemoRecord* out,
                       int singleLine);
