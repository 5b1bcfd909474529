// The preview: one month page in miniature, modeless, scrollable, dragged with the mouse and stepped month by month
// with the wheel. It keeps its own scale and the printer's metrics it was opened for, so a print job in between
// changes nothing it draws.
#include "PrintPlugIn.h"

#include <windowsx.h>

#include "AppInfo.h"
#include "CalendarFrame.h"
#include "PrintResource.h"
#include "WindowPlacement.h"

namespace {

PreviewState& P()
{
    return g_print.Preview;
}

PageMetrics ScaledMetrics()
{
    return ScalePageMetrics(P().Printer, P().Scale);
}

double PreviewScale(const PageMetrics& printer)
{
    RECT work = {0, 0, 800, 600};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    double across = (double)(work.right - work.left) / (printer.Width > 0 ? printer.Width : 1);
    double down = (double)(work.bottom - work.top) / (printer.Height > 0 ? printer.Height : 1);
    return (across < down ? across : down) * 0.8;
}

void DropBitmap()
{
    if (P().MemoryDc) {
        SelectObject(P().MemoryDc, P().OldBitmap);
        DeleteDC(P().MemoryDc);
    }
    if (P().Bitmap)
        DeleteObject(P().Bitmap);
    P().MemoryDc = nullptr;
    P().Bitmap = nullptr;
    P().OldBitmap = nullptr;
}

void Render(HWND window)
{
    DropBitmap();
    PageMetrics scaled = ScaledMetrics();
    HDC windowDc = GetDC(window);
    P().MemoryDc = CreateCompatibleDC(windowDc);
    if (P().MemoryDc) {
        P().OldBitmap = GetCurrentObject(P().MemoryDc, OBJ_BITMAP);
        P().Bitmap = CreateFilledBitmap(windowDc, P().MemoryDc, scaled.Width, scaled.Height, RGB(255, 255, 255));
        if (P().Bitmap) {
            RECT page = {0, 0, scaled.Width, scaled.Height};
            DrawPrintPage(P().MemoryDc, CurrentPageSources(), scaled, P().Year, P().Month, &page);
        }
    }
    ReleaseDC(window, windowDc);
    InvalidateRect(window, nullptr, FALSE);
}

void SetBar(HWND window, int bar, int maximum, int page)
{
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE};
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = (UINT)(page > 0 ? page : 0);
    SetScrollInfo(window, bar, &info, TRUE);
}

// Ranges whose page is the whole page, so no bar shows; the client area is made the scaled page's size.
void FitToPage(HWND window)
{
    PageMetrics scaled = ScaledMetrics();
    SetBar(window, SB_HORZ, scaled.Width, scaled.Width + 1);
    SetBar(window, SB_VERT, scaled.Height, scaled.Height + 1);
    RECT client;
    GetClientRect(window, &client);
    if (client.right != scaled.Width && client.bottom != scaled.Height) {
        RECT frame = {0, 0, scaled.Width, scaled.Height};
        AdjustWindowRectEx(&frame, (DWORD)GetWindowLongPtrA(window, GWL_STYLE), FALSE,
                           (DWORD)GetWindowLongPtrA(window, GWL_EXSTYLE));
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void OnInit(HWND window)
{
    P().Window = window;
    if (g_print.Info)
        g_print.Info->SetWindowIcons(window, g_print.BigIcon, g_print.SmallIcon);
    FitToPage(window);
    P().Year = g_print.FromYear;
    P().Month = g_print.FromMonth;
    Render(window);
    PlaceWindowAtCursor(window, 5, 1);
    P().Ready = 1;
}

void OnSize(HWND window)
{
    if (!P().Ready)
        return;
    RECT client;
    GetClientRect(window, &client);
    PageMetrics scaled = ScaledMetrics();
    SetBar(window, SB_VERT, scaled.Height, client.bottom);
    SetBar(window, SB_HORZ, scaled.Width, client.right);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (P().MemoryDc) {
        int x = GetScrollPos(window, SB_HORZ), y = GetScrollPos(window, SB_VERT);
        RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, P().MemoryDc, r.left + x, r.top + y, SRCCOPY);
    }
    EndPaint(window, &paint);
}

void OnScroll(HWND window, int bar, int code)
{
    SCROLLINFO info = {sizeof(info), SIF_ALL};
    GetScrollInfo(window, bar, &info);
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= (int)info.nPage; break;
    case SB_PAGEDOWN: position += (int)info.nPage; break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    default: return;
    }
    int other = GetSystemMetrics(bar == SB_HORZ ? SM_CXVSCROLL : SM_CYHSCROLL);
    int highest = info.nMax + other - (int)info.nPage;
    if (position > highest)
        position = highest;
    if (position < info.nMin)
        position = info.nMin;
    int step = info.nPos - position;
    if (step == 0)
        return;
    SetScrollPos(window, bar, position, TRUE);
    if (bar == SB_HORZ)
        ScrollWindow(window, step, 0, nullptr, nullptr);
    else
        ScrollWindow(window, 0, step, nullptr, nullptr);
    UpdateWindow(window);
}

void OnButtonDown(HWND window)
{
    P().Dragging = 1;
    SetCursor(g_print.MoveCursor);
    SetCapture(window);
    GetCursorPos(&P().DownAt);
    RECT frame;
    GetWindowRect(window, &frame);
    P().Offset.x = P().DownAt.x - frame.left;
    P().Offset.y = P().DownAt.y - frame.top;
}

void OnMouseMove(HWND window)
{
    if (!P().Dragging)
        return;
    POINT at;
    GetCursorPos(&at);
    SetWindowPos(window, nullptr, at.x - P().Offset.x, at.y - P().Offset.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnButtonUp(HWND window)
{
    if (!P().Dragging)
        return;
    P().Dragging = 0;
    ReleaseCapture();
    POINT at;
    GetCursorPos(&at);
    if (at.x == P().DownAt.x && at.y == P().DownAt.y)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

void OnWheel(HWND window, int delta)
{
    if (P().Dragging || delta == 0)
        return;
    StepShownMonth(&P().Year, &P().Month, delta);
    Render(window);
}

void Close(HWND window)
{
    DropBitmap();
    P().Ready = 0;
    P().Dragging = 0;
    P().Window = nullptr;
    DestroyWindow(window);
}

INT_PTR CALLBACK PrintPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(window); return TRUE;
    case WM_SIZE: OnSize(window); return TRUE;
    case WM_PAINT: OnPaint(window); return TRUE;
    case WM_ERASEBKGND: return TRUE;
    case WM_HSCROLL: OnScroll(window, SB_HORZ, LOWORD(wParam)); return TRUE;
    case WM_VSCROLL: OnScroll(window, SB_VERT, LOWORD(wParam)); return TRUE;
    case WM_LBUTTONDOWN: OnButtonDown(window); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(window); return TRUE;
    case WM_LBUTTONUP: OnButtonUp(window); return TRUE;
    case WM_MOUSEWHEEL: OnWheel(window, GET_WHEEL_DELTA_WPARAM(wParam)); return TRUE;
    case WM_CLOSE: Close(window); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == PREVIEW_CMD_RENDER)
            Render(window);
        else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            Close(window);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int ShowPrintPreview(const PageMetrics* printer)
{
    if (printer) {
        P().Printer = *printer;
        P().Scale = PreviewScale(*printer);
    }
    if (P().Window) {
        SendMessageA(P().Window, WM_COMMAND, PREVIEW_CMD_RENDER, 0);
        return 1;
    }
    if (P().Printer.Width <= 0 || P().Printer.Height <= 0)
        return 0;
    HWND window = CreateDialogParamA(g_print.Module, MAKEINTRESOURCEA(IDD_PRINT_PREVIEW), nullptr,
                                     PrintPreviewProc, 0);
    if (!window)
        return 0;
    return 1;
}

void ClosePrintPreview()
{
    if (P().Window && IsWindow(P().Window))
        Close(P().Window);
    P().Window = nullptr;
}
