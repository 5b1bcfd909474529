// The memo settings dialog (the language module's template 160): a tab control over five pages (161-165) that edit
// working copies of the memo settings and the user marks; Apply hands them to the live records and the file.
#pragma once

#include <windows.h>

#include "MemoDialogIds.h"
#include "MemoSettings.h"
#include "SettingsTypes.h"

class AppInfo;
class EnvData;

// Every page answers this command (the Apply button's) by storing its controls into the working copies, and IDOK
// and IDCANCEL by destroying itself.
#define MEMO_PAGE_STORE IDC_MEMOSET_BTN_APPLY

// The dialog's state while it is open; the pages share it.
struct MemoSettingsDlgData {
    HINSTANCE Module;     // the language module, whose templates the dialog and its pages are
    EnvData* Env;
    AppInfo* Info;        // the program's name and folder, and help
    const char* IniPath;  // the settings file
    HICON BigIcon;
    HICON SmallIcon;
    MemoSettings* Work;   // working record (process heap); its search history is its own
    UserMark* WorkMarks;  // working user marks (process heap), WorkMarkCount entries
    int WorkMarkCount;
    HWND Pages[MEMO_SETTINGS_PAGE_SLOTS];
};

// Runs the modal memo settings dialog from module's template over owner (may be null: the dialog is then centred
// on the work area); IDOK or IDCANCEL. IDCANCEL at once while the dialog is open already, or after telling the user
// when the working copies cannot be made.
INT_PTR ShowMemoSettingsDialog(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, const char* iniPath,
                               HICON bigIcon, HICON smallIcon);

// Dialog procedure of the frame; the MemoSettingsDlgData comes as the WM_INITDIALOG parameter.
INT_PTR CALLBACK MemoSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Adds the five tabs and their pages on the tab control, shows the page of the working MemoSelectedTab; the number
// of pages made.
int CreateMemoSettingsTabs(HWND dialog, MemoSettingsDlgData* data);

// Page procedures; each takes the MemoSettingsDlgData as its WM_INITDIALOG parameter.
INT_PTR CALLBACK MemoGeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MemoPopupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MemoMarkPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MemoSearchPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MemoImportExportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
