// The toolbar plug-in's state, shared by its exports, its window thread and its dialogs. The host's thread calls
// the exports, the bar's thread runs the window. The settings, the buttons and the plug-in menu table are shared:
// they are changed and replaced whole under the plug-in's lock, and the bar draws from a view it copies under it.
#pragma once

#include <windows.h>

#include "LockHold.h"
#include "ToolBarIds.h"
#include "ToolBarModule.h"
#include "ToolBarSettings.h"
#include "WindowThread.h"

extern "C" {
TOOLBAR_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

class AppInfo;

// Posted to the bar after its settings changed: size, cells, back buffer and transparency are made again.
#define WM_TOOLBAR_REFRESH (WM_APP + 1)
// The fade timer of the bar.
#define TOOLBAR_TIMER_FADE 5003

// What the bar draws and hit-tests, copied whole under the lock: the settings, the records with their cells, and
// each record's tooltip text. The bar's thread owns it.
struct ToolBarView {
    ToolBarSetting Setting;
    int BalloonTip;
    ToolBarButton Records[TOOLBAR_RECORD_COUNT];
    char Names[TOOLBAR_RECORD_COUNT][TOOLBAR_FUNCTION_SIZE];
    int Count;  // valid buttons among records 1-31
};

struct ToolBarPlugIn {
    HINSTANCE Module;
    AppInfo* Info;
    HWND Calendar;  // owner of the bar and target of its commands
    WindowThread Thread;  // the bar's thread; its Window is the bar, null when there is none
    HWND ToolTip;
    HDC BackDC;  // the back buffer, made on first paint
    HBITMAP BackBitmap;
    HGDIOBJ OldBitmap;
    HMENU Menu;
    HCURSOR NormalCursor;
    HCURSOR DragCursor;
    HICON BigIcon;
    HICON SmallIcon;
    int Dragging;
    RECT DragRect;    // the bar at the press
    POINT DragPress;  // the cursor at the press
    POINT DragOffset; // cursor less the bar's top-left
    int Pressed[TOOLBAR_RECORD_COUNT];
    BYTE Alpha;  // applied now
    COLORREF KeyColor;
    ToolBarView View;  // what the bar drew last
    SRWLOCK Lock;      // over File and MenuTable
    ToolBarFile File;  // settings, what is kept beside them, and the buttons
    PlugInMenuItem* MenuTable;  // the host's plug-in menu table, a heap copy of PLUGIN_MENU_ITEM_COUNT entries, or null
    volatile LONG RefreshAsked;  // a refresh is posted to the bar and not yet done
    int SelectedTab;   // of the settings dialog, kept while the plug-in is loaded
    int SettingsOpen;  // the settings dialog is open
    int Initialized;
};

extern ToolBarPlugIn g_toolBar;

// One field at a time, read without the lock (each is whole); what needs several at once that another thread may
// change takes a copy (CopyToolBarSetting) or the bar's view.
inline const ToolBarSetting& Settings()
{
    return g_toolBar.File.Setting;
}

// The bar, null when there is none.
inline HWND ToolBarWindow()
{
    return g_toolBar.Thread.Window;
}

// Holds the plug-in's lock for a scope: shared to read File and MenuTable, exclusive to change them. Nothing under
// it waits for another thread.
class ToolBarLock : public LockHold {
public:
    explicit ToolBarLock(bool exclusive);
};

// The settings as they are now, copied under the lock.
ToolBarSetting CopyToolBarSetting();
// Stores the bar's place (x, y) into the settings.
void SetToolBarPlace(int x, int y);
// A heap copy of the plug-in menu table (PLUGIN_MENU_ITEM_COUNT entries, zeroed when the host gave none); the caller
// frees it with HeapFree. Null without memory.
PlugInMenuItem* CopyToolBarMenuTable();
// Copies the view of the bar under the lock and lays out its cells.
void TakeToolBarView(ToolBarView* view);

// Saves the section and the position of the current desktop size; 0 when it could not.
int SaveToolBarSetting();
// Runs the modal settings dialog over owner; IDOK or IDCANCEL.
INT_PTR RunToolBarSettings(HWND owner);
// Runs the modal button-function dialog over owner; IDOK or IDCANCEL.
INT_PTR RunToolBarButtonDialog(HWND owner);
// Opens the plug-in's help file at topic.
void ShowToolBarHelp(HWND owner, const char* topic);
// Asks the bar to bring itself up to the settings, when it exists.
void RefreshToolBar();

// Starts the bar's thread (ToolBarStart); false when it could not.
bool StartToolBarThread();
// Applies the colour key and alpha of the settings to the bar.
void ApplyToolBarLayered(HWND bar);
// Moves the bar to (x, y) keeping its size, not topmost.
void MoveToolBar(HWND bar, int x, int y);

// The settings dialog's state while it is open; its pages share it.
#define TOOLBAR_PAGE_SLOTS 8
#define TOOLBAR_SET_TIP_COUNT 5
struct ToolBarSetDlgData {
    ToolBarSetting* Work;  // working copy (process heap)
    HWND Pages[TOOLBAR_PAGE_SLOTS];
    HWND ToolTip;   // one tooltip control for the buttons' help
    int MovedHome;  // the dialog sent the bar to the top-left corner: Apply takes the copy's position
};

// Reads a number field of a page, held to minimum-maximum; fallback when it holds no number.
int PageNumber(HWND page, int id, int minimum, int maximum, int fallback);

// Page procedures of the settings dialog.
INT_PTR CALLBACK ToolBarGeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ToolBarButtonPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ToolBarTransPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
