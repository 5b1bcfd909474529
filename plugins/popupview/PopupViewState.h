// What the loaded popup-view plug-in keeps: its application information, icons and cursors, its settings, the
// texts and date of the popup, the open popup and the caller's close flag. One per load; the popup's thread and the
// host's main thread share it without locks, as the plug-in's callers expect.
#pragma once

#include <windows.h>

#include "PopupViewEntries.h"
#include "PopupViewSettings.h"

class AppInfo;

#define POPUPVIEW_CURSOR_COUNT 7

struct PopupViewState {
    HINSTANCE Module;
    AppInfo* Info;
    HICON BigIcon;
    HICON SmallIcon;
    HCURSOR Cursors[POPUPVIEW_CURSOR_COUNT];  // IDC_POPUPVIEW_CURSOR_MOVE onward
    COLORREF CustomColors[16];
    PopupViewSettings Settings;
    PopupViewEntries Entries;
    SYSTEMTIME Date;
    HWND Host;             // given to PopupViewOpen, kept only
    HWND Popup;            // the open popup, null when none
    DWORD PopupThread;     // the thread the popup runs on
    volatile LONG Busy;    // 1 from the start of PopupViewOpen until its popup has ended
    volatile LONG SettingsOpen;  // 1 while the settings dialog is open
    int* CloseFlag;        // set to 1 when a popup closes, when LxCloseOnce gave one
    HMENU Menu;            // the popup's right-click menu
};

// The plug-in's state (zeroed until InitPopupViewPlugIn).
PopupViewState* PopupView();

// Attach: application information, icons and cursors, settings and the popup menu.
void InitPopupViewPlugIn(HINSTANCE module);
// Detach: closes any popup (saving the settings) and shuts help down.
void ExitPopupViewPlugIn();
// Saves the settings into the main program's settings file.
int SavePopupViewSetting();
// The cursor of a resource number IDC_POPUPVIEW_CURSOR_*.
HCURSOR PopupViewCursor(int id);
// The help file under the program folder opened at topic.
void ShowPopupViewHelp(HWND owner, const char* topic);
// The plug-in's version dialog.
void ShowPopupViewAbout(HWND owner);
// Updates the check marks of the popup menu from the settings.
void UpdatePopupViewMenu();
