#include "TestWindow.h"

#include <stdio.h>

std::function<void(const DRAWITEMSTRUCT*)> g_drawItem;

namespace {

const char kClassName[] = "DaylensUiTest";

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && g_drawItem) {
        g_drawItem((const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTestClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    registered = RegisterClassA(&wc) != 0;
}

}  // namespace

HWND CreateTestWindow(DWORD style, int x, int y, int width, int height, HWND owner)
{
    RegisterTestClass();
    return CreateWindowExA(0, kClassName, "Daylens test", style, x, y, width, height, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND CreateTestChild(HWND parent, const char* className, int id, DWORD style, int x, int y, int width, int height,
                     const char* text)
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
}

void PumpMessages(DWORD milliseconds)
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

HWND FindOwnWindow(const char* className, const char* title)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId())
            return window;
    }
    return nullptr;
}

bool PlacePointer(int x, int y)
{
    const DWORD hold = 150;
    DWORD start = GetTickCount();
    SetCursorPos(x, y);
    DWORD placed = GetTickCount();
    while (GetTickCount() - start < 5000) {
        Sleep(10);
        POINT now = {};
        if (!GetCursorPos(&now) || now.x != x || now.y != y) {
            SetCursorPos(x, y);
            placed = GetTickCount();
        } else if (GetTickCount() - placed >= hold) {
            return true;
        }
    }
    return false;
}

bool SaveWindowShot(HWND window, const char* path)
{
    RECT rc;
    if (!path || !GetWindowRect(window, &rc))
        return false;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(mem, bitmap);
        BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
        GdiFlush();
        DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
        fh.bfSize = fh.bfOffBits + stride * static_cast<DWORD>(h);
        FILE* f = fopen(path, "wb");
        if (f) {
            ok = fwrite(&fh, sizeof(fh), 1, f) == 1 && fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f) == 1 &&
                 fwrite(bits, stride * static_cast<DWORD>(h), 1, f) == 1;
            fclose(f);
        }
        SelectObject(mem, old);
        DeleteObject(bitmap);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}
