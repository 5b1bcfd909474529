// What every settings page does alike: its flags (initialised, changed, reported, preview pending), the report step
// that enables Apply and asks the preview to redraw, and the control helpers the pages set and read with.
#pragma once

#include <windows.h>

struct PageFlags {
    int Initialised;
    int Changed;
    int Reported;
    int PreviewPending;
};

// WM_INITDIALOG before the controls are set: the theme, and every flag cleared.
void BeginPage(HWND page, PageFlags* flags);
// A stored user change: changed and the calendar-dirty flag, and preview pending when the preview shows it.
void MarkPageChanged(PageFlags* flags, int preview);
// The report step: enables Apply when the page changed since it last said so, and has the open preview redraw what
// is pending. 0, the result of a message the page leaves to the dialog manager.
INT_PTR PageReport(HWND page, PageFlags* flags);
// IDOK and IDCANCEL: the flags cleared and the page destroyed.
void EndPage(HWND page, PageFlags* flags);

typedef INT_PTR (*PageInitHandler)(HWND page);
// true when the page handled the command (id, notification code).
typedef bool (*PageCommandHandler)(HWND page, int id, int code);
// A page procedure's dispatch: WM_INITDIALOG to init; IDOK and IDCANCEL end the page; other commands to command;
// the report step after every handled command and for every other message, so Apply follows each change at once.
INT_PTR DispatchPageMessage(HWND page, UINT message, WPARAM wParam, PageFlags* flags, PageInitHandler init,
                            PageCommandHandler command);

// Radio first + index checked among first..last.
void CheckRadioIndex(HWND page, int first, int last, int index);
void SetCheck(HWND page, int id, int on);
// 1 when the check box is checked.
int IsChecked(HWND page, int id);
// The up-down's range and position, and its edit showing value as it is, also outside the range.
void ShowUpDownNumber(HWND page, int editId, int spinId, int minimum, int maximum, int value);
// The number in the edit control; 0 when it holds none.
int ReadEditNumber(HWND page, int editId, int isSigned, int* value);
void EnableItems(HWND page, int first, int last, BOOL enable);
void EnableItem(HWND page, int id, BOOL enable);
