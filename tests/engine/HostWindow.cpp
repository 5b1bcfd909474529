#include "HostWindow.h"

namespace {

const char kClassName[] = "DaylensEngineTestHost";

}  // namespace

HostWindow::HostWindow(int x, int y, int width, int height, bool visible)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = kClassName;
        registered = RegisterClassA(&wc) != 0;
    }
    window_ = CreateWindowExA(0, kClassName, "Daylens engine test", WS_POPUP | (visible ? WS_VISIBLE : 0), x, y,
                              width, height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    Pump(50);
}

HostWindow::~HostWindow()
{
    if (window_)
        DestroyWindow(window_);
}

void HostWindow::Show(HDC dc)
{
    content_ = dc;
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void HostWindow::Pump(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

LRESULT CALLBACK HostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    HostWindow* self = (HostWindow*)GetWindowLongPtrA(window, GWLP_USERDATA);
    if (self && message == self->watched_ && message != 0) {
        self->received_++;
        self->lastWParam_ = wParam;
        return 0;
    }
    if (self && message == WM_PAINT && self->content_) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom, self->content_, 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
