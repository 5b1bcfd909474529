#include "HostWindow.h"

#include "DayCells.h"

HostWindow::HostWindow(int x, int y, int width, int height)
{
    static const char kClassName[] = "DaylensEngineTestHost";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowExA(0, kClassName, "Daylens engine test", WS_POPUP | WS_VISIBLE, x, y, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    Pump(50);
}

void HostWindow::Pump(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

LRESULT CALLBACK HostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    HostWindow* self = (HostWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
    if (self && message == WM_DAYLENS_TOOLTIP_MADE) {
        self->tipMessages_++;
        self->lastTip_ = wParam;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
