// Memo text arriving for a day that may already hold a memo (import, repeat copy, a memo dragged onto another day)
// is merged line by line; memo data in the store's own INI form is imported day by day; memo file names carry dates.
#pragma once

#include <stddef.h>

#include "DayMemoStore.h"
#include "MemoSettings.h"

// The scratch file of ImportMemoText.
#define MEMO_MERGE_FILE "MemoMerge.txt"

struct MemoImportBatch;

// What an import did with the days it reached; it starts zeroed and every import adds to it.
struct MemoImportTally {
    int Written;  // days whose memo the store now holds
    int Failed;   // days the store could not take (or no memory for their text)
    int Cut;      // days written with their memo cut to what one stored line holds
};

// Bytes of the longest start of text that ends on a character boundary and whose escaped form fits one stored line
// (StorableMemoLength).
size_t StorableMemoPrefix(const char* text);
// Writes text as the memo of a day that an import reached, first cut to StorableMemoPrefix, and counts the day in
// tally (may be null). 1 when the store holds it.
int WriteImportedMemo(const MemoSettings* memo, int year, int month, int day, const char* text,
                      const DayMemoRecord* record, MemoImportTally* tally);

// The existing text with each line of added that is new to it appended (CR LF between lines; empty lines, lines
// beginning with "%" and lines found anywhere in existing are left out). Added memo data in the store's INI form
// ("[" + eight digits + "]" and a line break) is imported into the store of memo instead, counted in tally (may be
// null), and the result is null. Null also without memory, or when both texts are empty. The caller frees it with
// HeapFree.
char* MergeMemoText(const MemoSettings* memo, const char* existing, const char* added, MemoImportTally* tally);
// The existing text with each line of added that is new to it appended, as MergeMemoText does, but neither text is
// ever taken for memo data: for texts that are memos of their own (a repeat copy's source and target). Null without
// memory, or when both texts are empty. The caller frees it with HeapFree.
char* MergeMemoLines(const char* existing, const char* added);
// Imports text in the store's INI form through the scratch file "MemoMerge.txt" (the program folder, or the
// per-user data folder when the program folder cannot be written), counting its days in tally (may be null); 1, or
// 0 for an empty text, an unwritable scratch file or a day that could not be written. Each memo file is saved once.
int ImportMemoText(const MemoSettings* memo, const char* text, MemoImportTally* tally);
// Imports every section of the INI file at path that names a real date into the store of memo, merged with a memo
// the day already has, counting the days in tally (may be null); 1 when a day was written.
int ImportMemoIniFile(const MemoSettings* memo, const char* path, MemoImportTally* tally);
// MergeMemoText, ImportMemoText and ImportMemoIniFile within an import (BeginMemoImport): the days go into it and
// are saved and counted when it ends. The imports return 1 when a day was taken.
char* MergeImportedMemoText(MemoImportBatch* batch, const char* existing, const char* added);
int ImportMemoTextInto(MemoImportBatch* batch, const char* text);
int ImportMemoIniFileInto(MemoImportBatch* batch, const char* path);
// The date a memo file name carries ("YYYYMMDD.txt", or "YYYYMM.txt" with day 0), only for a real date; 0 in every
// output (each may be null) otherwise. 1.
int ParseMemoFileDate(const char* path, int* year, int* month, int* day);
// The scratch file's path into out (size bytes): in programDir ("...\") when a file can be made there, else in
// userDataDir ("...\", created). 0 when neither is known or the path does not fit.
int MemoMergeScratchPath(const char* programDir, const char* userDataDir, char* out, size_t size);

// A day's memo dropped onto another day: the source's text merged into the target's, the target written with the
// source's style (and the target's time when the source has none), then the source removed unless copy is 1. The
// source goes only once the target holds the text. A source that is memo data is imported onto the days it names
// instead, and both days stay as they are. 1 when the target was written or the import saved every day it took; 0
// when a save failed or memory ran out.
int MoveDayMemo(const MemoSettings* memo, const SYSTEMTIME* from, const SYSTEMTIME* to, int copy);
