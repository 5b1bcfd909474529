// What the loaded mini-memo plug-in holds: its identity, settings, memo lists, the window with its painting
// resources, the window thread and the settings dialog's state. One instance per loaded plug-in.
#pragma once

#include <windows.h>

#include "BorderDrag.h"
#include "Holiday.h"
#include "MiniMemoSettings.h"
#include "RepeatMemo.h"
#include "SettingsTypes.h"
#include "WindowThread.h"

class AppInfo;

// Cursors of the plug-in, by their resource ids 51, 52 and 54-57.
enum MiniMemoCursor {
    MINIMEMO_CURSOR_NORMAL, MINIMEMO_CURSOR_MOVE, MINIMEMO_CURSOR_SIZEWE, MINIMEMO_CURSOR_SIZENS,
    MINIMEMO_CURSOR_SIZENWSE, MINIMEMO_CURSOR_SIZENESW, MINIMEMO_CURSOR_COUNT
};

// Settings pages and the tab remembered for the life of the plug-in.
#define MINIMEMO_PAGE_SLOTS 8

struct MiniMemoPlugIn {
    HINSTANCE Module;
    AppInfo* Info;
    const char* IniPath;  // owned by Info
    MiniMemoSettings Settings;
    MiniMemoStore Store;
    HolidayRecord* Holidays;
    unsigned int HolidayCount;
    // The repeating memos; the window thread loads them when it starts and at every reload, and frees them at its end.
    RepeatMemoRecord* Repeats;
    char* RepeatTexts[REPEAT_MEMO_MAX];
    int RepeatCount;

    WindowThread Thread;  // the window thread; its Window is the memo window, null when there is none
    HWND Reference;       // the window MiniMemoStart was given
    HMENU Menu;
    HWND ToolTip;
    HDC BufferDC;    // back buffer of the buffered kinds
    HBITMAP Buffer;
    HGDIOBJ OldBuffer;
    int HasRegion;   // the window has a region of its own (the window owns and deletes it)
    HANDLE DrawMutex;

    HCURSOR Cursors[MINIMEMO_CURSOR_COUNT];
    HICON BigIcon;
    HICON SmallIcon;

    BorderDrag Drag;  // Zone 0 while no drag runs
    POINT Press;      // cursor at the last press

    volatile LONG DialogOpen;
    int SelectedTab;
    COLORREF CustomColors[CUSTOM_COLOR_COUNT];
};

extern MiniMemoPlugIn g_miniMemo;

// The memo window, null when there is none.
inline HWND MiniMemoWindow()
{
    return g_miniMemo.Thread.Window;
}

// Posted by MiniMemoRedraw to the window: read the settings and repeating memos again and rebuild.
#define WM_MINIMEMO_RELOAD (WM_APP + 1)
