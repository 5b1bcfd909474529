// A top-level window for engine tests that need one: it counts the messages the engine sends it and paints a
// memory bitmap when given one.
#pragma once

#include <windows.h>

class HostWindow {
public:
    HostWindow(int x, int y, int width, int height, bool visible = true);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return window_; }
    // The last wParam and the number of times message arrived.
    WPARAM LastWParam(UINT message) const { return message == watched_ ? lastWParam_ : 0; }
    int Received(UINT message) const { return message == watched_ ? received_ : 0; }
    void Watch(UINT message) { watched_ = message; }
    // The window's client area shows dc's content from its origin until the window is gone.
    void Show(HDC dc);
    void Pump(DWORD milliseconds);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    UINT watched_ = 0;
    WPARAM lastWParam_ = 0;
    int received_ = 0;
    HDC content_ = nullptr;
};
