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
// The live repeating memos, read from the memo folder at start and whenever the folder changes.
extern RepeatMemoList g_repeatMemos;

// Zeroes the live record before the settings are read: plain colours for the default style and today as the memo
// windows' date. 1.
int InitMemo(const SYSTEMTIME* today);
// Reads the repeating memos of the live memo folder again, replacing the list; 1, or 0 when none could be read.
int ReloadRepeatMemos();
// Frees what the memo side holds (search history, repeating memos) and destroys the day-memo window's menu; 1.
int ShutdownMemo();
