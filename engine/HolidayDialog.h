// The holiday dialog of the language module (template 111): the own holidays or the memorial days of the user,
// listed, added, changed and deleted, with the list's mark style; "保存" hands the list back and writes its file.
#pragma once

#include <windows.h>

#include "HolidayDialogRules.h"
#include "LanguageModule.h"
#include "SettingsTypes.h"

class EnvData;

// Controls with a help tooltip, at most.
#define HOLIDAY_TOOLTIP_MAX 30

// The dialog's state while it is open.
struct HolidayDlgData {
    int ListKind;                // HOLIDAY_LIST_*
    EnvData* Env;
    HolidayRecord** Records;     // the caller's list, replaced on "保存" only
    unsigned int* Count;
    FontStyle* CallerStyle;
    const SYSTEMTIME* Preset;    // may be null
    const char* Path;            // the list file
    HolidayWorkList Work;
    FontStyle Style;             // working copy of the list's mark style
    int Changed;                 // a box changed since the last add or change
    int Sizing;                  // 1 while the user drags a border
    int Ending;                  // 1 once the dialog has been told to end
    HWND ToolTip;                // one tooltip control for the controls' help
};

extern "C" {
// Edits the caller's list (records and count, process heap) of listKind over owner. 1 after "保存": the caller's
// list and style are the edited ones and the file at path holds them (deleted for an empty list). 2 for cancel, a
// null argument, lack of memory at opening, or while the dialog is open already.
int SetHolidayDlg(HWND owner, unsigned char listKind, EnvData* env, HolidayRecord** records, unsigned int* count,
                  FontStyle* style, SYSTEMTIME* preset, const char* path);
}

INT_PTR CALLBACK HolidayDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Fills the list view from the working list (one row per named record, its index as the row's item data), keeping
// the selected row and the scroll position.
void FormatHolidayRow(HWND dialog, const HolidayWorkList* list);
// Places the controls in the client area: the buttons at the bottom, the boxes above, the list in the rest.
void LayoutHolidayDlg(HWND dialog);
// With create 1 gives the dialog's one tooltip control a tool per control anew (made the first time); with 0
// destroys it.
void SetHolidayDlgToolTips(HWND dialog, HolidayDlgData* data, int create);
