// The mini-memo window: its thread and message loop, painting by transparency kind, moving and resizing by the
// border, fading, the right-click menu and its commands, and the close that every way out goes through.
#pragma once

#include <windows.h>

// True while the window thread runs and has not been told to end: its window shows or is being made.
bool MiniMemoRuns(void);
// Shows the window, or starts its thread when there is none (also when the window closed itself, after letting go
// of the ending thread); MiniMemoShow becomes 1. Another thread only asks the window to show, without waiting for
// it. 1.
int StartMiniMemo(HWND reference);
// Closes the window (which saves the settings) and, from another thread, waits for the window thread (10 s at
// most); on the window thread itself the thread frees what it used when its loop ends. True when no window thread
// is left.
bool CloseMiniMemo(void);
// Posts a reload of the settings and repeating memos to the window thread; nothing without a window. 1.
int RedrawMiniMemoWindow(void);
// The plug-in's help file (PlugIn\DaylensMiniMemo.chm in the program folder) at topic.
void ShowMiniMemoHelp(HWND owner, const char* topic);
// Builds the right-click menu into g_miniMemo.Menu.
void BuildMiniMemoMenu(void);

LRESULT CALLBACK MiniMemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
