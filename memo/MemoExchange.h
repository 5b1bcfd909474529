// The line forms of the memo export files (own CSV, Outlook CSV, text) and the reader of the own CSV: plain
// functions over texts, without the store or windows.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "DayMemoStore.h"

// Export formats, in the order of the format list.
enum MemoExportFormat {
    MEMO_EXPORT_LZH = 0,
    MEMO_EXPORT_CSV = 1,
    MEMO_EXPORT_OUTLOOK = 2,
    MEMO_EXPORT_TEXT = 3,
    MEMO_EXPORT_FORMAT_COUNT = 4,
};

// The file-dialog filter of an export format (double-NUL list; its first string names the format in the list);
// null for a format beyond the list.
const char* MemoExportFilter(int format);
// The filter of the import file dialog.
extern const char kMemoImportFilter[];
// The first line of an Outlook CSV file.
extern const char kOutlookCsvHeader[];

// A text that grows on the process heap; Text is null until something was appended. Free it with FreeMemoOutput.
struct MemoOutput {
    char* Text;
    size_t Length;
    size_t Size;
};
// Appends length bytes of text (NUL-ended afterwards); 0 without memory (the output is kept as it was).
int AppendMemoOutput(MemoOutput* out, const char* text, size_t length);
void FreeMemoOutput(MemoOutput* out);

// Appends one memo day in the line form of format (CSV, Outlook or text) to out: text with its line breaks as CR LF,
// record its style and time. 0 without memory or for the archive format.
int AppendMemoExportDay(MemoOutput* out, int format, int year, int month, int day, const char* text,
                        const DayMemoRecord* record);

// One memo read from the own CSV: a real date, a non-empty text (CR LF line breaks) and its style and time.
typedef void (*MemoCsvRecordProc)(void* context, int year, int month, int day, const char* text,
                                  const DayMemoRecord* record);
// Reads the own CSV data and calls proc for every record with a memo text and a real date (year 1-9999); other
// records are skipped. The style fields carry over from the record before when a record is short; the time does
// not (a record without time fields has none). The count of records handed to proc, -1 without memory.
int ParseMemoCsv(const char* data, MemoCsvRecordProc proc, void* context);
