// The calendar window's own state and the handlers its window procedure hands messages to, spread over
// MainWindow.cpp (creation, painting, close), WindowDrag.cpp (pointer), WindowFade.cpp (alpha) and
// MainCommands.cpp (commands).
#pragma once

#include <windows.h>

#include "DaylensIds.h"

class EnvData;

// Timers of the main program.
#define TIMER_TICK 5001
#define TIMER_DRAG_STEP 5002
#define TIMER_FADE_OUT 5003
#define TIMER_FADE_IN 5004
#define TIMER_DAY_CHANGE 5005
#define TIMER_FADE_RETURN 5006
#define TIMER_PLUGIN_START 5009
#define TIMER_TICK_MS 500
#define TIMER_DRAG_STEP_MS 10
#define TIMER_FADE_STEP_MS 100
#define TIMER_DAY_CHANGE_MS 10000
#define TIMER_PLUGIN_START_MS 50   // between two plug-ins
#define TIMER_PLUGIN_MENU_MS 200   // after the last plug-in
#define TIMER_PLUGIN_STEP_MS 100   // between the steps after it

// The size of the tray icon's record.
#define TRAY_RECORD_SIZE 528

struct MainWindowState {
    int WindowDrag;    // 1 from a left press that starts a window drag to the release
    int MemoDrag;      // 1 from a left press on a day with a memo (fixed window) to the release
    int MemoDragCopy;  // 1 while Ctrl is down during a memo drag: the drop copies the memo
    POINT DragOffset;  // cursor minus the window's top-left at the last drag step
    POINT ToolBarStart;
    int FirstPaint;    // the z-order is applied once after the first paint
    int MemoYear;      // the day handed to the memo windows
    int MemoMonth;
    int MemoDay;
};

extern MainWindowState g_mainWindow;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The create work of the calendar window; 1.
int OnMainWindowCreate(HWND window, EnvData* env);

// Places window by WindowOrder with flags (SWP_NOMOVE and SWP_NOSIZE keep position and size).
void ApplyZOrder(HWND window, const EnvData* env, int x, int y, UINT flags);
// Reads the day under the cursor into ClickedDate and the memo date; a point beside every day leaves both. 1 when
// a day was hit.
int TakeClickedDate(HWND window, EnvData* env);
// The day under the cursor into date (year, month and day 0 beside every day, or when the module is missing).
void ReadClickedDate(HWND window, EnvData* env, SYSTEMTIME* date);

// Layered attributes from the current alpha: the key colour for kind 0, the alpha unless the kind is 1.
void ApplyCurrentAlpha(HWND window, EnvData* env);
// Mouse movement without a window drag: the fade modes that react to the pointer.
void FadeOnMouseMove(HWND window, EnvData* env);
// Activation changes of fade mode 1.
LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam);
// Timers 5003, 5004 and 5006.
void OnFadeTimer(HWND window, UINT_PTR timer);
// Fade mode 1 after a drag or a pointer visit: opaque while active, else the fade out is armed after the delay.
void ArmFadeOutUnlessActive(HWND window, EnvData* env);

// keys: the MK_* flags of the press or release.
LRESULT OnLeftButtonDown(HWND window, WPARAM keys);
LRESULT OnLeftButtonUp(HWND window, WPARAM keys);
LRESULT OnMouseMove(HWND window, WPARAM wParam);
LRESULT OnDragTimer(HWND window);
LRESULT OnKeyDown(WPARAM key);
LRESULT OnKeyUp(WPARAM key);

// WM_COMMAND; DefWindowProcA's result for the numbers it does not know.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
