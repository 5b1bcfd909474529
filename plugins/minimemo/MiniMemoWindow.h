// The mini-memo window: its thread and message loop, painting by transparency kind, moving and resizing by the
// border, fading, the right-click menu and its commands, and the close that every way out goes through.
#pragma once

#include <windows.h>

// Starts the window thread unless it runs already; 1.
int StartWindowThread(void);
// Shows the window, or starts its thread when there is none; MiniMemoShow becomes 1. 1.
int StartMiniMemo(HWND reference);
// Closes the window and, from another thread, waits for the window thread (10 s at most) before freeing what it
// used; on the window thread itself the thread frees it when its loop ends. 1.
int CloseMiniMemo(void);
// Posts a reload of the settings and repeating memos to the window thread; nothing without a window. 1.
int RedrawMiniMemoWindow(void);
// The plug-in's help file (PlugIn\DaylensMiniMemo.chm in the program folder) at topic.
void ShowMiniMemoHelp(HWND owner, const char* topic);
// Builds the right-click menu into g_miniMemo.Menu.
void BuildMiniMemoMenu(void);

LRESULT CALLBACK MiniMemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
