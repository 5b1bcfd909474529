// A window run on a thread of its own (the mini memo, the toolbar). The thread holds the module that started it
// while it runs, so that an unload cannot take away the code it runs; it is asked to close by a command to its
// window and waited for by a thread that answers what it sends meanwhile. One flag says whether it is to run.
#pragma once

#include <windows.h>

struct WindowThread {
    HANDLE Thread;          // kept by the starting side until the ended thread is let go
    DWORD ThreadId;
    HWND volatile Window;   // the thread's window while it exists
    volatile LONG Running;  // 1 from the start until a close is asked or the window has ended
};

// Runs on the new thread: makes the window (keeping it with KeepThreadWindow), runs RunWindowThreadLoop and returns
// when the window has ended. argument is what StartWindowThread was given.
typedef void (*WindowThreadRoutine)(WindowThread* thread, void* argument);

// Starts routine on a new thread unless one runs already (true then as well). A thread that was told to end is let
// go first, waiting for it; false when it does not end in timeoutMs, on that thread itself, or when no thread starts.
bool StartWindowThread(WindowThread* thread, WindowThreadRoutine routine, void* argument, DWORD timeoutMs);
// True while the thread runs and has not been told to end: its window shows or is being made.
bool WindowThreadRuns(const WindowThread* thread);
// True on the window thread itself.
bool OnWindowThread(const WindowThread* thread);
// From the window's WM_CREATE: keeps window as the thread's window. False when a close was asked before the window
// existed: WM_CREATE then answers -1, and no window is made.
bool KeepThreadWindow(WindowThread* thread, HWND window);
// The message loop of the thread's window; it ends with the window.
void RunWindowThreadLoop(WindowThread* thread);
// From the window's WM_DESTROY: the thread ends with its window, and a start from now on makes a new one.
void ForgetThreadWindow(WindowThread* thread);
// Asks the thread to end: its window gets WM_COMMAND closeCommand (sent, within timeoutMs), then the thread is waited
// for within what is left of timeoutMs. On the window thread itself only the command is handled (a thread cannot
// wait for its own end); the next start or close lets go of the thread. True when no thread is left.
bool CloseWindowThread(WindowThread* thread, WORD closeCommand, DWORD timeoutMs);
// From another thread than the window thread: waits up to timeoutMs for the thread to end and lets go of its
// handle. True when no thread is left.
bool LetGoOfWindowThread(WindowThread* thread, DWORD timeoutMs);
