// Memos leaving and entering the memo store as files: export of a date range as an LZH archive (through the
// archiver library), own CSV, Outlook CSV or text; import of LZH archives, own CSV files and memo text files,
// merged with the memos the store holds.
#pragma once

#include <windows.h>

#include "MemoExchange.h"
#include "MemoMerge.h"
#include "MemoSettings.h"

// Where an import or export runs.
struct MemoExchangePlace {
    const MemoSettings* Memo;  // the store
    HWND Owner;                // the calendar window, owner of the file dialogs and messages (may be null)
    const char* ProgramDir;    // "...\": where the file dialogs start and the plug-in folder lies
};

// The file dialog of memo files: with save 1 the export chooser, else the import chooser (a null or empty filter
// is the import filter), starting at path in folder. 1 when a file was chosen.
int MemoFileDialog(HWND owner, char* path, const char* filter, const char* folder, int save);

// 1 when path has an extension that ImportMemoFile takes (".lzh", ".csv" or ".txt", case ignored).
int IsMemoImportFile(const char* path);
// Imports one file by its extension (".lzh", ".csv" or ".txt", case ignored), adding the days it reached to tally
// (may be null); 1 when a memo was written.
int ImportMemoFile(const MemoExchangePlace* place, const char* path, MemoImportTally* tally);
// The import file dialog, then ImportMemoFile; 0 when the dialog was cancelled.
int ImportMemoFromDialog(const MemoExchangePlace* place, MemoImportTally* tally);
// Tells the user at the end of imports how they went: done with doneIcon when memos were imported (imported 1);
// the failure and the number of days not written when the store could not take some; and that memos were cut when
// some were too long for the store. Nothing when no day was reached; 1 when the user was told.
int TellMemoImport(HWND owner, int imported, const MemoImportTally* tally, const char* done, UINT doneIcon);

// Exports the memos from first to end (year, month and day used) in format into a file the user chooses; an
// existing file is replaced only when the user agrees. 1 when the export ran, 0 when the user cancelled.
int ExportMemo(const MemoExchangePlace* place, const SYSTEMTIME* first, const SYSTEMTIME* end, int format);
// ExportMemo into path, which is replaced, without asking; tells the user how it went. 1.
int ExportMemoToFile(const MemoExchangePlace* place, const char* path, const SYSTEMTIME* first,
                     const SYSTEMTIME* end, int format);
