// The toolbar plug-in's state, shared by its exports, its window thread and its dialogs. The host's thread calls
// the exports, the bar's thread runs the window; settings and handles are plain values both threads read.
#pragma once

#include <windows.h>

#include "ToolBarIds.h"
#include "ToolBarModule.h"
#include "ToolBarSettings.h"

extern "C" {
TOOLBAR_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

class AppInfo;

// Posted to the bar after its settings changed: size, cells, back buffer and transparency are made again.
#define WM_TOOLBAR_REFRESH (WM_APP + 1)
// The fade timer of the bar.
#define TOOLBAR_TIMER_FADE 5003

struct ToolBarPlugIn {
    HINSTANCE Module;
    AppInfo* Info;
    HWND Calendar;  // owner of the bar and target of its commands
    volatile HWND Bar;
    HWND ToolTip;
    HDC BackDC;  // the back buffer, made on first paint
    HBITMAP BackBitmap;
    HGDIOBJ OldBitmap;
    HMENU Menu;
    HANDLE Thread;        // the bar's thread, kept by the host's thread until it has ended
    volatile LONG Ending; // the bar's thread was told to end, or its bar closed itself
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
    ToolBarFile File;  // settings, what is kept beside them, and the buttons
    PlugInMenuItem MenuTable[PLUGIN_MENU_ITEM_COUNT];
    int SelectedTab;   // of the settings dialog, kept while the plug-in is loaded
    int SettingsOpen;  // the settings dialog is open
    int Initialized;
};

extern ToolBarPlugIn g_toolBar;

inline ToolBarSetting& Settings()
{
    return g_toolBar.File.Setting;
}

// The bar's shape from the settings.
ToolBarShape CurrentShape();
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

// The window thread: started by ToolBarStart.
bool StartToolBarThread();
// True while the bar's thread runs and has not been told to end: its bar shows or is being made.
bool ToolBarThreadRuns();
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
