// The settings preview: a borderless popup that draws the working copy's calendar of today's month as the calendar
// window would, redraws when a page asks, follows a drag and closes on a click that did not move it.
#include "SettingsDialog.h"

#include "CalendarFrame.h"
#include "CalendarRender.h"
#include "EnvData.h"
#include "Memo.h"
#include "MemorialDays.h"
#include "ModuleBinding.h"
#include "Program.h"

namespace {

// One preview at a time.
struct PreviewState {
    HDC MemoryDc;
    HBITMAP Bitmap;
    int Width;
    int Height;
    int Busy;
    int Dragging;
    POINT DragStart;
    POINT Offset;
    RECT StartRect;
};

PreviewState s_preview;

void ReleaseBuffer()
{
    if (s_preview.MemoryDc)
        DeleteDC(s_preview.MemoryDc);
    if (s_preview.Bitmap)
        DeleteObject(s_preview.Bitmap);
    s_preview.MemoryDc = nullptr;
    s_preview.Bitmap = nullptr;
}

// The size of the working copy's calendar of today's month into its WindowWidth and WindowHeight.
void MeasureCalendar(EnvData* work)
{
    auto calcWindowSize = LanguageProc(LanguageModule::kCalcWindowSize);
    if (calcWindowSize)
        calcWindowSize(work->Today.wYear, work->Today.wMonth, &work->WindowWidth, &work->WindowHeight, work);
}

void MakeBuffer(HWND window, const EnvData* work, int width, int height)
{
    ReleaseBuffer();
    HDC windowDc = GetDC(window);
    if (!windowDc)
        return;
    s_preview.MemoryDc = CreateCompatibleDC(windowDc);
    if (s_preview.MemoryDc)
        s_preview.Bitmap = CreateFilledBitmap(windowDc, s_preview.MemoryDc, width, height, work->BackColor);
    ReleaseDC(window, windowDc);
    if (!s_preview.Bitmap)
        ReleaseBuffer();
}

void DrawInto(HWND window, EnvData* work)
{
    DrawCalendar(window, s_preview.MemoryDc, work->Today.wYear, work->Today.wMonth, work, &g_memoSettings,
                 &g_memorialSettings, 0);
}

// The window takes the region and frees the one it had; none is deleted here.
void Reshape(HWND window, const EnvData* work)
{
    MakeWindowRegion(window, work->FrameShape, work->RoundWidth);
}

void GiveBackForeground(HWND window)
{
    HWND dialog = GetParent(window);
    if (dialog)
        SetForegroundWindow(dialog);
}

// FALSE: the preview takes no focus, which stays with the settings dialog.
INT_PTR OnInitDialog(HWND window)
{
    EnvData* work = SettingsWorkingCopy();
    s_preview = {};
    if (!work)
        return FALSE;
    s_preview.Busy = 1;
    MeasureCalendar(work);
    SetWindowPos(window, nullptr, work->WindowX, work->WindowY, work->WindowWidth, work->WindowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    GiveBackForeground(window);
    MakeBuffer(window, work, work->WindowWidth, work->WindowHeight);
    if (s_preview.Bitmap)
        DrawInto(window, work);
    Reshape(window, work);
    RECT client;
    GetClientRect(window, &client);
    s_preview.Width = client.right;
    s_preview.Height = client.bottom;
    s_preview.Busy = 0;
    return FALSE;
}

// A new size keeps the top-left corner and gives the client area exactly the calendar's size.
void Resize(HWND window, const EnvData* work)
{
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    int width = work->WindowWidth + (outer.right - outer.left) - client.right;
    int height = work->WindowHeight + (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GiveBackForeground(window);
    MakeBuffer(window, work, work->WindowWidth, work->WindowHeight);
    s_preview.Width = work->WindowWidth;
    s_preview.Height = work->WindowHeight;
}

void Redraw(HWND window)
{
    EnvData* work = SettingsWorkingCopy();
    if (s_preview.Busy || !work)
        return;
    s_preview.Busy = 1;
    MeasureCalendar(work);
    if (work->WindowWidth != s_preview.Width || work->WindowHeight != s_preview.Height)
        Resize(window, work);
    if (s_preview.MemoryDc && s_preview.Bitmap) {
        RECT client = {0, 0, s_preview.Width, s_preview.Height};
        HBRUSH back = CreateSolidBrush(work->BackColor);
        if (back) {
            FillRect(s_preview.MemoryDc, &client, back);
            DeleteObject(back);
        }
        DrawInto(window, work);
        HDC windowDc = GetDC(window);
        if (windowDc) {
            BitBlt(windowDc, 0, 0, s_preview.Width, s_preview.Height, s_preview.MemoryDc, 0, 0, SRCCOPY);
            ReleaseDC(window, windowDc);
        }
    }
    Reshape(window, work);
    s_preview.Busy = 0;
}

void Close(HWND window)
{
    // Taking the region back lets the window free it.
    SetWindowRgn(window, nullptr, FALSE);
    ReleaseBuffer();
    s_preview.Dragging = 0;
    if (g_program.Env && g_program.Env->PreviewWindow == window)
        g_program.Env->PreviewWindow = nullptr;
    DestroyWindow(window);
}

// Painting always validates, also while busy or without a picture.
INT_PTR OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc && !s_preview.Busy && s_preview.MemoryDc && s_preview.Bitmap) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, s_preview.MemoryDc, r.left, r.top, SRCCOPY);
    }
    EndPaint(window, &paint);
    return TRUE;
}

void SetCursorOf(int index)
{
    EnvData* work = SettingsWorkingCopy();
    if (work && work->Cursors[index])
        SetCursor(work->Cursors[index]);
}

INT_PTR OnButtonDown(HWND window)
{
    if (s_preview.Dragging)
        return TRUE;
    s_preview.Dragging = 1;
    GetWindowRect(window, &s_preview.StartRect);
    SetCursorOf(CURSOR_MOVE);
    GetCursorPos(&s_preview.DragStart);
    s_preview.Offset = {s_preview.DragStart.x - s_preview.StartRect.left,
                        s_preview.DragStart.y - s_preview.StartRect.top};
    SetCapture(window);
    return TRUE;
}

void MoveTo(HWND window, POINT cursor)
{
    SetWindowPos(window, nullptr, cursor.x - s_preview.Offset.x, cursor.y - s_preview.Offset.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR OnMouseMove(HWND window, WPARAM keys)
{
    if (!s_preview.Dragging || !(keys & MK_LBUTTON))
        return FALSE;
    POINT cursor;
    GetCursorPos(&cursor);
    const RECT& area = g_program.WorkArea;
    if (cursor.x >= area.left && cursor.x <= area.right && cursor.y >= area.top && cursor.y <= area.bottom)
        MoveTo(window, cursor);
    return TRUE;
}

INT_PTR OnButtonUp(HWND window)
{
    if (!s_preview.Dragging)
        return FALSE;
    s_preview.Dragging = 0;
    POINT cursor;
    GetCursorPos(&cursor);
    bool moved = cursor.x != s_preview.DragStart.x || cursor.y != s_preview.DragStart.y;
    if (moved) {
        MoveTo(window, cursor);
        GiveBackForeground(window);
    }
    SetCursorOf(CURSOR_NORMAL);
    ReleaseCapture();
    if (!moved)
        Close(window);
    return TRUE;
}

INT_PTR OnCommand(HWND window, WORD id)
{
    switch (id) {
    case SETTINGS_PREVIEW_REDRAW: Redraw(window); return TRUE;
    case SETTINGS_PREVIEW_CLOSE: Close(window); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK EnvPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam));
    case WM_PAINT: return OnPaint(window);
    case WM_LBUTTONDOWN: return OnButtonDown(window);
    case WM_MOUSEMOVE: return OnMouseMove(window, wParam);
    case WM_LBUTTONUP: return OnButtonUp(window);
    }
    return FALSE;
}
