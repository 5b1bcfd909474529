// The mini-memo window: its thread and message loop, painting by transparency kind, moving and resizing by the
// border, fading, the right-click menu and its commands, and the close that every way out goes through.
#pragma once

#include <windows.h>

// Starts the window thread unless it runs already, after letting go of one that was told to end; 1.
int StartWindowThread(void);
// True while the window thread runs and has not been told to end: its window shows or is being made.
bool MiniMemoThreadRuns(void);
// From another thread than the window thread: waits for the window thread (10 s at most, answering what it sends)
// and closes its handle. True when no thread is left.
bool LetGoOfWindowThread(void);
// Shows the window, or starts its thread when there is none (also when the window closed itself); MiniMemoShow
// becomes 1. Another thread only asks the window to show, without waiting for it. 1.
int StartMiniMemo(HWND reference);
// Closes the window and, from another thread, waits for the window thread (10 s at most); on the window thread
// itself the thread frees what it used when its loop ends. 1.
int CloseMiniMemo(void);
// Posts a reload of the settings and repeating memos to the window thread; nothing without a window. 1.
int RedrawMiniMemoWindow(void);
// The plug-in's help file (PlugIn\DaylensMiniMemo.chm in the program folder) at topic.
void ShowMiniMemoHelp(HWND owner, const char* topic);
// Builds the right-click menu into g_miniMemo.Menu.
void BuildMiniMemoMenu(void);

LRESULT CALLBACK MiniMemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
