// The mini memo's settings dialog (template 105, "MiniMemo - Daylens"): a tab control over five pages that store
// into the live settings on Apply and OK; Apply also saves the section and rebuilds the memo window.
#pragma once

#include <windows.h>

#include "MiniMemoIds.h"
#include "MiniMemoSettings.h"
#include "MiniMemoState.h"

// The page commands: store the controls, store and end, end without storing.
#define MINIMEMO_PAGE_OK IDOK
#define MINIMEMO_PAGE_CANCEL IDCANCEL
#define MINIMEMO_PAGE_STORE IDC_MINIMEMO_BTN_APPLY

struct MiniMemoSettingsDlgData {
    MiniMemoSettings* Settings;  // the live settings the pages store into
    HWND Pages[MINIMEMO_PAGE_SLOTS];
};

// Runs the modal dialog over owner (null: placed on its own); 1 for OK, 2 for Cancel or when one is open already.
INT_PTR ShowMiniMemoSettingsDialog(HWND owner);
INT_PTR CALLBACK MiniMemoSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Page procedures; each takes the MiniMemoSettingsDlgData as its WM_INITDIALOG parameter.
INT_PTR CALLBACK PageDisplayProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PageTextProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PageWindow1Proc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PageWindow2Proc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PageTransparencyProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Shared by the pages: the number of an edit held to low-high (what its up-down allows); check boxes as 0 or 1.
int ReadPageNumber(HWND page, int id, int low, int high);
int IsPageChecked(HWND page, int id);
void CheckPageBox(HWND page, int id, int on);
// An owner-drawn colour swatch (the colour with its caption) or font button in the dialogs' caption-button look.
void DrawColorButton(const DRAWITEMSTRUCT* item, const char* text, COLORREF color);
void DrawFontButton(const DRAWITEMSTRUCT* item, const LOGFONTA* font);
// Common page ending: a page's command 1 or 2 destroys it. 1 when the command ended the page.
int EndPageOnCommand(HWND page, WORD id);
