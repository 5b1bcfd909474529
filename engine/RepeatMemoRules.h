// The repeating-memo dialog's logic apart from its windows: the row texts of the list, a new memo's values, and
// the working list that the dialog edits and hands back to its caller.
#pragma once

#include <stddef.h>

#include "RepeatMemo.h"

// Room for one row's rule text ("毎年12月最終日月火水木金土曜" and a NUL).
#define REPEAT_RULE_TEXT_SIZE 64

// "○" for a memo in use, else "--".
const char* RepeatMemoUseText(const RepeatMemoRecord* memo);
// The rule of memo as the list shows it ("毎日", "毎週月金曜", "毎月月末" ...) into text; "--" for an unknown type.
void RepeatMemoRuleText(const RepeatMemoRecord* memo, char* text, size_t size);
// The values of a memo that the user has just begun: in use, no rule chosen, no mark, plain text colour.
RepeatMemoRecord NewRepeatMemo(void);

// The dialog's working copy: at most REPEAT_MEMO_MAX memos, each with a non-empty heap text in the slot of the same
// index (slots from Count on are null).
struct RepeatMemoWorkList {
    RepeatMemoRecord Records[REPEAT_MEMO_MAX];
    char* Texts[REPEAT_MEMO_MAX];
    int Count;
};

// Fills an empty list with copies of the caller's memos, up to the first without text; 0 when memory runs out
// (the list then empty again).
int RepeatWorkListCopy(RepeatMemoWorkList* list, const RepeatMemoRecord* records, char* const* texts, int count);
// Frees the texts; the list is empty afterwards.
void RepeatWorkListFree(RepeatMemoWorkList* list);
// Puts a copy of memo and text before row `before` (at the end when before is no row of the list); the row it
// took, or -1 when the list is full, the text empty or memory short.
int RepeatWorkListInsert(RepeatMemoWorkList* list, int before, const RepeatMemoRecord* memo, const char* text);
// Replaces row index with memo and a copy of text; 0 (row unchanged) for an empty text, no such row or lack of memory.
int RepeatWorkListReplace(RepeatMemoWorkList* list, int index, const RepeatMemoRecord* memo, const char* text);
// Removes row index, the rows after it moving up; 0 for no such row.
int RepeatWorkListDelete(RepeatMemoWorkList* list, int index);
// Swaps row index with the row above (step -1) or below (step 1); the row it moved to, or -1 when there is none.
int RepeatWorkListMove(RepeatMemoWorkList* list, int index, int step);
// Switches row index between in use and not; 0 for no such row.
int RepeatWorkListToggleUse(RepeatMemoWorkList* list, int index);
// Gives the caller the working memos: a fresh record array (process heap, none for an empty list) and the texts,
// which leave the list. The caller's old records and texts are freed only once the fresh array exists; 0 when
// memory runs out, the caller's list and the working list then as they were.
int RepeatWorkListHandOver(RepeatMemoWorkList* list, RepeatMemoRecord** records, char** texts, int* count);

// The hand-over's record array comes from this; tests replace it. Null restores the default; returns the previous one.
typedef void* (*RepeatWorkListAllocProc)(size_t size);
RepeatWorkListAllocProc SetRepeatWorkListAllocProc(RepeatWorkListAllocProc proc);
