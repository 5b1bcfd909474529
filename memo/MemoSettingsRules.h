// Rules of the memo settings dialog apart from its windows: what Apply takes into the live record, the popup times
// of the time pickers, the default memo mark's choice between its own style and a user mark, and the user marks'
// names and count.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "MemoSettings.h"
#include "SettingsTypes.h"

// Bytes of a user-mark name that the name edit may set.
#define USER_MARK_TYPED_NAME_MAX 15

// Copies the settings part of work into live (CopyMemoSettings) and keeps what the memo windows change in live
// while the dialog is open: the run-time part and the memo windows' places. 1, or 0 when a history text could not
// be copied.
int ApplyMemoSettings(MemoSettings* live, const MemoSettings* work);

// The hour and minute of a time picker: its time when it holds one (GDT_VALID), else MEMO_TIME_UNSET for both.
void PickerTime(DWORD pickerResult, const SYSTEMTIME* time, int* hour, int* minute);
// 1 when hour and minute make a time of day, 0 for an unset popup time.
int IsPopupTimeSet(int hour, int minute);

// The mark kind of user mark index.
inline int UserMarkKind(int index)
{
    return MARK_KIND_USER_BASE + index;
}
// The user-mark kind chosen, kept among count marks: a kind beyond them, or no user-mark kind, becomes the first.
int KeepChosenUserMark(int chosen, int count);
// At the page's opening: 1 when style names a user mark; *chosen then becomes that kind, or the first mark's for a
// mark beyond count, and style a copy of the chosen mark's style with its kind. 0 for an own style, style and
// *chosen unchanged.
int OpenDefaultMark(FontStyle* style, int* chosen, const UserMark* marks, int count);
// The own style chosen: a style that named a user mark becomes a copy of user mark chosen's style, its own kind
// included; an own style stays.
void ChooseOwnMark(FontStyle* style, int chosen, const UserMark* marks, int count);
// User mark kind chosen: style becomes a copy of its style with that kind; nothing for a kind beyond the marks.
void ChooseUserMark(FontStyle* style, int chosen, const UserMark* marks, int count);

// The default name of user mark number (from 1) into name.
void DefaultUserMarkName(char* name, size_t size, int number);
// Renames mark number (from 1) to at most USER_MARK_TYPED_NAME_MAX bytes of text, cut on a character boundary; an
// empty text gives the default name.
void RenameUserMark(UserMark* mark, int number, const char* text);
// Resizes *marks (process heap) from *count to newCount entries, the new ones zeroed and named by default; 1, or 0
// with *marks and *count kept when memory is short.
int ResizeUserMarks(UserMark** marks, int* count, int newCount);
