// What the loaded popup-view plug-in keeps: its application information, icons and cursors, its settings, the
// texts and date of the popup, the open popup and the caller's close flag. One per load. The popup's thread (the
// host's memo watcher) and the host's main thread (the settings dialog, the texts given and the close) share the
// settings, texts and date: they are changed and replaced whole under the lock, and a text is freed only once the
// lock no longer holds it.
#pragma once

#include <windows.h>

#include "LockHold.h"
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
    SRWLOCK Lock;  // over Settings, Entries and Date
    PopupViewSettings Settings;
    PopupViewEntries Entries;
    SYSTEMTIME Date;
    HWND Host;             // given to PopupViewOpen, kept only
    HWND Popup;            // the open popup, null when none
    DWORD PopupThread;     // the thread the popup runs on
    volatile LONG Busy;    // 1 from the start of PopupViewOpen until its popup has ended
    volatile LONG SettingsOpen;  // 1 while the settings dialog is open
    int* volatile CloseFlag;     // set to 1 when a popup closes, when LxCloseOnce gave one
    HMENU Menu;            // the popup's right-click menu
    bool Ready;            // readied by a call (EnsurePopupViewPlugIn) and not let go since
};

// Holds the plug-in's lock for a scope: shared to read the settings, texts and date, exclusive to change them.
// Nothing under it takes the lock again or waits for another thread.
class PopupViewLock : public LockHold {
public:
    explicit PopupViewLock(bool exclusive);
};

// The plug-in's state (zeroed until the first call readies it).
PopupViewState* PopupView();
// Keeps the plug-in's module: all the library's entry does.
void SetPopupViewModule(HINSTANCE module);

// Readies the plug-in, unless it is ready, for a call that needs it (never while the library is being loaded):
// application information, icons and cursors, settings and the popup menu, on whichever thread calls first.
void EnsurePopupViewPlugIn();
// The host's close before it unloads the plug-in: closes any popup (saving the settings), and, unless a popup or the
// settings dialog still runs on another thread, shuts help down and lets go of what was readied. Nothing was
// readied when nothing was called. 1.
int ExitPopupViewPlugIn();
// At an unload without the host's close: lets go of what the plug-in readied, without help or the popup.
void ForgetPopupViewPlugIn();
// Saves the settings into the main program's settings file.
int SavePopupViewSetting();
// The settings as they are now, copied under the lock.
PopupViewSettings CopyPopupViewSettings();
// Takes the settings a dialog edited, all but the popup's place and size, which only the popup changes.
void SetPopupViewSettingsButPlace(const PopupViewSettings& edited);
// Stores the popup's rectangle.
void StorePopupViewRect(const RECT& rect);
// Turns a 0/1 setting the other way; its new value.
int TogglePopupViewFlag(int PopupViewSettings::*flag);
// A frame width of 0 is taken as 1 and stored so; the width to draw.
int HoldPopupViewFrameWidth();
// The texts and date of an opening popup (see SetOpeningPopupEntries; date null: now), replacing the earlier ones.
void SetOpeningPopupView(const char* heading1, const char* body1, const char* heading2, const char* body2,
                         const SYSTEMTIME* date);
// Appends a text to the popup's (AppendPopupEntry); 0 for a null body or a full table.
int AppendPopupViewEntry(const char* heading, const char* body);
// Frees the texts, unless a popup is opening or open: its texts are freed by the next opening.
void ClearIdlePopupView();
// The cursor of a resource number IDC_POPUPVIEW_CURSOR_*.
HCURSOR PopupViewCursor(int id);
// The help file under the program folder opened at topic.
void ShowPopupViewHelp(HWND owner, const char* topic);
// The plug-in's version dialog.
void ShowPopupViewAbout(HWND owner);
// Updates the check marks of the popup menu from the settings.
void UpdatePopupViewMenu();
