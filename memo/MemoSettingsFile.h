// The memo settings in the settings file: the section "<program name>Memo" ("DaylensMemo"), or the program's single
// section in the legacy layout; one key table drives the reader and the writer.
#pragma once

#include "MemoSettings.h"

struct IniDocument;

// Reads the settings part of memo from the file at iniPath (defaults for a missing file or key), then resolves the
// memo folder (GetMemoDir of the configured folder and MemoIndividual) and creates every missing folder of it. The
// run-time part is left as it is. dialogFont is the default of MemoDialogFont (EnvData's DialogFont). 1, or 0 for a
// null record or path.
int LoadMemoSettings(MemoSettings* memo, const char* iniPath, const char* appName, int dialogFont);
// The memo folder of memo becomes GetMemoDir of configured ("" for the default) and MemoIndividual, without a
// trailing backslash, and every missing folder of it is made; 1, or 0 for a null record.
int ResolveMemoDir(MemoSettings* memo, const char* configured);
// Writes the settings part of memo as the whole section; 1, or 0 when the path is empty or the section could not
// be written.
int SaveMemoSettings(const MemoSettings* memo, const char* iniPath, const char* appName);
// Replaces the section in an open settings document (saved by its opener); 1, or 0 without memory.
int PutMemoSettings(const MemoSettings* memo, IniDocument* doc, const char* appName);
// Copies the settings part of from into to, the search history as heap copies of its own (to's old history is
// freed); the run-time part of to is kept. 1, or 0 when a history text could not be copied (to keeps what was
// copied until then).
int CopyMemoSettings(MemoSettings* to, const MemoSettings* from);
// Frees the search history of memo and empties it.
void FreeMemoSearchHistory(MemoSettings* memo);
