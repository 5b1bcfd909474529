// The settings dialog of the calendar (the language module's template 130): a tab control over fourteen modeless
// pages that edit a heap working copy of the live settings record, the Apply that hands the copy to the calendar and
// the settings file, and the preview window (the program's template 101) that draws the working copy.
#pragma once

#include <windows.h>

class EnvData;

// Commands of the page protocol that the frame sends every page (the close commands are IDOK and IDCANCEL).
#define SETTINGS_PAGE_REFRESH 4     // set the enabled states from the working copy
#define SETTINGS_PAGE_STORE 81      // Apply: store what only the controls hold
// Commands to the preview window.
#define SETTINGS_PREVIEW_REDRAW 1
#define SETTINGS_PREVIEW_CLOSE 2

// Runs the modal settings dialog over owner (the calendar window); IDOK or IDCANCEL, and IDCANCEL at once while one
// is open already.
INT_PTR ShowSettingsDialog(HWND owner);

INT_PTR CALLBACK EnvDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Inserts the tabs, lets the pages take what they take into the working copy at opening, and makes and shows the
// page of the working TabSelect; 0 when the language module is not loaded (no page is made then), else 1. The other
// pages are the caller's to make (the dialog makes them one by one once it has painted, and all of them before
// anything that works on every page).
int EnvCreatePages(HWND dialog);

// What the pages share with the frame while the dialog is open.
// The working copy, or null while no dialog is open.
EnvData* SettingsWorkingCopy();
// Something drawn changed: the next Apply redraws the calendar.
void SetSettingsCalendarDirty();
// The open preview window, or null.
HWND SettingsPreviewWindow();
// Enables the frame's Apply button.
void EnableSettingsApply();
// The slot of page in the page table, or -1.
int SettingsPageSlot(HWND page);

// The preview window's procedure (modeless, child of the settings dialog).
INT_PTR CALLBACK EnvPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What a page takes into the working copy as the dialog opens, before the page itself is made.
// A shadow direction that the page does not offer becomes down-right.
void PrepareFontColorPage(EnvData* work);
// The memo and memorial tooltip flags come from the memo and memorial settings, which keep them.
void PrepareToolTipPage(EnvData* work);

// Page procedures, in tab order.
INT_PTR CALLBACK EnvGeneralProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvYearProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvMonthProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvWeekProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvDateProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvLayoutProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvFontColorProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvMarkProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvWindowProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvTransparentProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvHotSpotProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvActionProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvToolTipProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EnvOtherProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
