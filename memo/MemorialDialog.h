// The memorial-day settings dialog (the language module's template 118, "記念日設定"): the button to the list of
// memorial days and the four options (start popup, tooltip, age, per-user file) as working copies that "設定" makes
// the live settings'.
#pragma once

#include <windows.h>

#include "LanguageModule.h"
#include "MemoDialogIds.h"

class AppInfo;
class EnvData;

// The dialog's state while it is open.
struct MemorialDlgData {
    HINSTANCE Module;     // the language module: the template, and the reader of the memorial file
    EnvData* Env;
    AppInfo* Info;        // the program's name and folder, and help
    const char* IniPath;  // the settings file
    HICON BigIcon;
    HICON SmallIcon;
    int Popup;            // working copies of the four options
    int ShowToolTip;
    int Count;
    int Individual;
};

// Runs the modal dialog from module's template over owner; IDOK after "設定", IDCANCEL otherwise, also at once while
// the dialog is open already.
INT_PTR ShowMemorialDialog(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, const char* iniPath,
                           HICON bigIcon, HICON smallIcon);
// The list of memorial days in module's holiday dialog over owner, on a copy of the table that replaces the table
// when the user saves; the memorial style is then saved with the memorial settings into iniPath. 1 when saved, 0
// otherwise (the table then as it was).
int EditMemorialDays(HWND owner, HMODULE module, EnvData* env, const char* iniPath, const char* appName);
// Dialog procedure; the MemorialDlgData comes as the WM_INITDIALOG parameter.
INT_PTR CALLBACK MemorialDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
