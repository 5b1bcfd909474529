// The repeating-memo dialogs of the language module: the list (template 115) that adds, changes, deletes, moves
// and switches the memos and saves them to "repeat.txt", and the detail dialog (template 179) that edits one memo.
#pragma once

#include <windows.h>

#include "MemoSettings.h"
#include "RepeatMemoRules.h"

class EnvData;

// Controls of both dialogs with a help tooltip, at most.
#define REPEAT_MEMO_TOOLTIP_MAX 40

// The list dialog's state while it is open.
struct RepeatMemoDlgData {
    EnvData* Env;
    MemoSettings* Memo;          // the memo folder the list is saved into, the detail dialog's font and IME
    RepeatMemoRecord** Records;  // the caller's list, replaced on "保存" only
    char** Texts;
    int* Count;
    RepeatMemoWorkList Work;
    HWND ToolTip;                // one tooltip control for the controls' help
    int Ending;                  // 1 once the dialog has been told to end
};

// The detail dialog's state while it is open.
struct RepeatMemoDetailData {
    EnvData* Env;
    MemoSettings* Memo;
    RepeatMemoRecord Work;
    RepeatMemoRecord* Caller;    // the caller's memo, written on "設定"
    char* CallerText;            // the caller's text buffer of REPEAT_MEMO_TEXT_SIZE bytes, written on "設定"
    HFONT SubstitutedFont;
    HWND ToolTip;                // one tooltip control for the controls' help
};

extern "C" {
// Runs the list dialog over owner on the caller's list (records, its REPEAT_MEMO_MAX text slots and count). 1 after
// "保存": the caller's list is the edited one, "repeat.txt" of the memo folder holds it and the calendar window was
// asked to redraw. 2 for cancel, a null list or settings, or while the dialog is open already.
int RepeatMemoDlg(HWND owner, EnvData* env, MemoSettings* memo, RepeatMemoRecord** records, char** texts, int* count);
}

// Runs the detail dialog over owner on edited (the memo in, the edited memo out) and text (REPEAT_MEMO_TEXT_SIZE
// bytes, the memo's text in and the edited one out, empty when the user left it empty). 1 when set; 2 for cancel,
// a null argument or while the dialog is open already.
int RepeatMemoDetailDlg(HWND owner, EnvData* env, MemoSettings* memo, RepeatMemoRecord* edited, char* text);

INT_PTR CALLBACK RepeatMemoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RepeatMemoDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Fills the list view from the working list, keeping the selected row and the scroll position.
void FormatRepeatMemoRow(HWND dialog, const RepeatMemoWorkList* list);
// With create 1 gives the dialog's one tooltip control (*tip, made the first time) a tool per control of either
// dialog that dialog has, anew; with 0 destroys it.
void SetRepeatMemoToolTips(HWND dialog, HWND* tip, int create, int balloon);
