// The memo side of the main program: the one live MemoSettings record and the repeating memos, and their start-up
// and shut-down.
#pragma once

#include <windows.h>

#include "MemoSettings.h"
#include "RepeatMemo.h"

// The repeating memos of the memo folder.
struct RepeatMemoList {
    RepeatMemoRecord* Records;
    char* Texts[REPEAT_MEMO_MAX];
    int Count;
};

// The live memo settings, from InitMemo to the end of the program.
extern MemoSettings g_memoSettings;
// The live repeating memos, read from the memo folder at start and whenever the folder changes. Only the main
// thread replaces them, whole, through ReplaceRepeatMemos; a reader on another thread holds the shared lock.
extern RepeatMemoList g_repeatMemos;

// Zeroes the live record before the settings are read: plain colours for the default style and today as the memo
// windows' date. 1.
int InitMemo(const SYSTEMTIME* today);
// Reads the repeating memos of the live memo folder again, replacing the list; 1, or 0 when none could be read.
int ReloadRepeatMemos();
// Copies from into the empty list to, each text its own heap copy; 0 when memory runs out (to then empty).
int CopyRepeatMemoList(const RepeatMemoList* from, RepeatMemoList* to);
// Frees the texts and records of list; it is empty afterwards.
void FreeRepeatMemoList(RepeatMemoList* list);
// Makes fresh the live list (fresh is left empty): swapped in under the exclusive lock, the old list freed only
// after it, when no reader can still hold it.
void ReplaceRepeatMemos(RepeatMemoList* fresh);
// The shared lock on the live list, for readers on other threads than the main one.
void AcquireRepeatMemosShared();
void ReleaseRepeatMemosShared();
// Frees what the memo side holds (search history, repeating memos) and destroys the day-memo window's menu; 1.
int ShutdownMemo();
