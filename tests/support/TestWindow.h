// Plain windows for the ui tests.
#pragma once

#include <windows.h>

#include <functional>

// WM_DRAWITEM of every test window goes here when set.
extern std::function<void(const DRAWITEMSTRUCT*)> g_drawItem;

// A top-level window of the test class (shown when style has WS_VISIBLE).
HWND CreateTestWindow(DWORD style, int x, int y, int width, int height, HWND owner = nullptr);
// A child control of class className with the given id and client-area position.
HWND CreateTestChild(HWND parent, const char* className, int id, DWORD style, int x, int y, int width, int height,
                     const char* text = "");
// Handles messages for the given time.
void PumpMessages(DWORD milliseconds);
// A top-level window of this process with the class and title (either may be null for any), or null: a dialog is
// looked for among the test's own windows only.
HWND FindOwnWindow(const char* className, const char* title);
// Puts the pointer at (x, y) and waits until it has stayed there past the point where Wine asks the X server for it
// (a position is taken from the server once it is 100 ms old). A window that handles the motion of an earlier move
// late sets the pointer back; the pointer is then put again. False when it did not hold within a few seconds.
bool PlacePointer(int x, int y);
// Saves what the screen shows under a top-level window (of any process) as a 24-bit bitmap file at path.
bool SaveWindowShot(HWND window, const char* path);

// Destroys its window at the end of the scope.
class ScopedWindow {
public:
    explicit ScopedWindow(HWND window) : window_(window) {}
    ~ScopedWindow()
    {
        if (window_)
            DestroyWindow(window_);
    }
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
    operator HWND() const { return window_; }

private:
    HWND window_;
};
