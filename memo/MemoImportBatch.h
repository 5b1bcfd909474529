// The days an import writes, kept in memory while it runs and saved at its end, each memo file once and several at
// a time: an import of thousands of memos would otherwise read, merge and save a day's file again for every memo
// that arrives for it. While the import runs, a day reads as the store would give it with the import's earlier days
// written, so that every merge comes out as it would have day by day.
#pragma once

#include "DayMemoStore.h"
#include "MemoSettings.h"

struct MemoImportBatch;
struct MemoImportTally;

// An import into the store of memo whose days are counted in tally (may be null) when it ends. Null without memory;
// the caller ends it with EndMemoImport.
MemoImportBatch* BeginMemoImport(const MemoSettings* memo, MemoImportTally* tally);
// Saves every memo file the import changed, counts each day it wrote once in the tally (written, cut, or not
// written when its file could not be saved), writes the last memo data of the import to the scratch file, and frees
// the batch (null does nothing). 1 when every day was saved.
int EndMemoImport(MemoImportBatch* batch);

// The store and the tally of the import.
const MemoSettings* MemoImportStore(const MemoImportBatch* batch);
MemoImportTally* MemoImportTallyOf(MemoImportBatch* batch);

// The memo of a day as ReadDayMemoText gives it (line breaks as CR LF), with the import's days written. Null when
// the day has none; the caller frees it with HeapFree.
char* ReadImportedDayMemo(MemoImportBatch* batch, int year, int month, int day, DayMemoRecord* out);
// WriteImportedMemo into the import: the day's memo becomes text (cut to what one stored line holds) with record's
// style and time. 1 when it was taken; 0, counted as not written, for an empty text or without memory.
int WriteImportedDayMemo(MemoImportBatch* batch, int year, int month, int day, const char* text,
                         const DayMemoRecord* record);
// Memo data for the scratch file "MemoMerge.txt": the first of an import is written at once (0 when it cannot be,
// counted as not written), the last is written when the import ends, so that the file holds it afterwards.
int KeepMemoMergeText(MemoImportBatch* batch, const char* text);
