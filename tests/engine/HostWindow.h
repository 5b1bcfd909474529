// A visible top-level window for engine tests that need one; it counts the tooltip-created messages it gets.
#pragma once

#include <windows.h>

class HostWindow {
public:
    HostWindow(int x, int y, int width, int height);
    ~HostWindow() { DestroyWindow(window_); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return window_; }
    int TipMessages() const { return tipMessages_; }
    WPARAM LastTip() const { return lastTip_; }
    void Pump(DWORD milliseconds);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int tipMessages_ = 0;
    WPARAM lastTip_ = 0;
};
