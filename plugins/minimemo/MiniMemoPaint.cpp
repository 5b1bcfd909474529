#include "MiniMemoPaint.h"

#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "CalendarFrame.h"
#include "DayMemoStore.h"
#include "FontUtil.h"
#include "MiniMemoRules.h"
#include "MiniMemoState.h"
#include "MiniMemoToolTip.h"
#include "RuntimeCalls.h"
#include "ShadowText.h"
#include "Transparency.h"

namespace {

const COLORREF kMaskOn = 0xFFFFFF;
const COLORREF kMaskOff = 0;

// Draws or measures the walk on a DC in the mini memo's styles.
struct GdiPainter {
    HDC Dc;
    int Mask;     // 1: the alpha mask, white text on black
    UINT Extra;   // DT_CALCRECT when measuring
    HFONT Font;
    HGDIOBJ OldFont;
    int Style;
    HWND Window;
    HWND Tip;
    int ToolCount;
};

void PainterSelectStyle(void* context, int style)
{
    GdiPainter* p = (GdiPainter*)context;
    p->Style = style;
    HFONT font = CreateFontIndirectA(&g_miniMemo.Settings.Styles[style].Font);
    if (!font)
        return;
    HGDIOBJ previous = SelectObject(p->Dc, font);
    if (!p->OldFont)
        p->OldFont = previous;
    if (p->Font)
        DeleteObject(p->Font);
    p->Font = font;
}

SIZE PainterMeasure(void* context, const char* text)
{
    SIZE size = {0, 0};
    GetTextSizeOnDC(((GdiPainter*)context)->Dc, text, &size);
    return size;
}

int PainterDraw(void* context, const char* text, const RECT* box, UINT format)
{
    GdiPainter* p = (GdiPainter*)context;
    const MiniMemoTextStyle& s = g_miniMemo.Settings.Styles[p->Style];
    COLORREF fore = p->Mask ? kMaskOn : s.ForeColor;
    COLORREF shadow = p->Mask ? kMaskOff : s.ShadowColor;
    return DrawShadowText(p->Dc, text, box, format | p->Extra, fore, shadow, s.ShadowWidth, s.ShadowDirection,
                          p->Mask ? 0 : s.StringGradation);
}

void PainterAddTip(void* context, const RECT* band, const char* text)
{
    GdiPainter* p = (GdiPainter*)context;
    AddMiniMemoTip(p->Tip, p->Window, ++p->ToolCount, band, text);
}

char* PainterDayText(void* context, int year, int month, int day, int oneLine)
{
    MemoStoreSettings view = MiniMemoStoreView(&g_miniMemo.Store);
    char* memo = ReadDayMemoText(nullptr, year, month, day, &view, nullptr, oneLine);
    char* repeat = GetRepeatMemoText(g_miniMemo.Repeats, g_miniMemo.RepeatTexts, g_miniMemo.RepeatCount,
                                     g_miniMemo.Holidays, (int)g_miniMemo.HolidayCount, year, month, day, nullptr,
                                     oneLine);
    return JoinMiniMemoTexts(memo, repeat, oneLine);
}

MiniMemoPainter MakePainter(GdiPainter* gdi)
{
    MiniMemoPainter painter = {gdi, PainterSelectStyle, PainterMeasure, PainterDraw, PainterAddTip, PainterDayText};
    return painter;
}

void EndPainter(GdiPainter* gdi)
{
    if (gdi->OldFont)
        SelectObject(gdi->Dc, gdi->OldFont);
    if (gdi->Font)
        DeleteObject(gdi->Font);
    gdi->Font = nullptr;
}

COLORREF OuterColor(const MiniMemoSettings& s)
{
    return s.FrameGradation == FRAME_GRADATION_IN_OUT || s.FrameGradation == FRAME_GRADATION_MIDDLE ? s.FrameColor2
                                                                                                    : s.FrameColor1;
}

void SelectBuffer(HWND window, HDC dc, int width, int height)
{
    MiniMemoPlugIn& m = g_miniMemo;
    if (!m.BufferDC) {
        m.BufferDC = CreateCompatibleDC(dc);
        m.OldBuffer = m.BufferDC ? GetCurrentObject(m.BufferDC, OBJ_BITMAP) : nullptr;
    }
    if (!m.BufferDC || m.Buffer)
        return;
    m.Buffer = CreateFilledBitmap(dc, m.BufferDC, width, height, m.Settings.BackColor);
    if (!m.Buffer)
        return;
    // The key is the device's own rendering of the background colour.
    m.Settings.Trans.KeyColor = GetPixel(m.BufferDC, 0, 0);
    const TransparencySettings& t = m.Settings.Trans;
    SetLayeredAttributes(window, t.TransMode == TRANS_MODE_KEY_AND_ALPHA ? &t.KeyColor : nullptr,
                         t.TransMode != TRANS_MODE_PSEUDO ? &t : nullptr);
}

}  // namespace

int DrawMiniMemo(HWND window, HDC dc, int mask)
{
    if (!window || !dc)
        return 0;
    const MiniMemoSettings& s = g_miniMemo.Settings;
    int kind = s.Trans.TransMode;
    RECT client;
    GetClientRect(window, &client);
    GdiPainter gdi = {dc, mask, 0, nullptr, nullptr, 0, window, nullptr, 0};
    // One set of tooltips: the mask pass of the translucent kind adds none.
    if (!mask)
        gdi.Tip = BeginMiniMemoToolTips(window);
    PaintBackground(window, dc, kind, s.FrameWidth, s.FrameShape, s.RoundWidth, mask ? kMaskOn : OuterColor(s),
                    mask ? kMaskOff : s.BackColor);
    DrawFrame(window, dc, s.FrameWidth, s.FrameShape, s.RoundWidth, mask ? kMaskOn : s.FrameColor1,
              mask ? kMaskOff : s.FrameColor2, s.FrameGradation, s.AntiAliasing);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    SYSTEMTIME today;
    GetLocalTime(&today);
    MiniMemoPainter painter = MakePainter(&gdi);
    WalkMiniMemo(&s, &today, &client, &painter);
    EndPainter(&gdi);
    EndMiniMemoToolTips(gdi.Tip, gdi.ToolCount);
    SetBkMode(dc, oldMode);
    return 1;
}

int AutoSizeMiniMemo(HWND window)
{
    if (!window)
        return 0;
    MiniMemoSettings& s = g_miniMemo.Settings;
    if (s.AutoSize == MINIMEMO_AUTOSIZE_OFF)
        return 1;
    RECT client, desktop, frame;
    GetClientRect(window, &client);
    GetClientRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &frame);
    RECT area = {client.left, 0, client.right, desktop.bottom};
    HDC dc = GetDC(window);
    GdiPainter gdi = {dc, 0, DT_CALCRECT, nullptr, nullptr, 0, window, nullptr, 0};
    MiniMemoPainter painter = MakePainter(&gdi);
    painter.AddTip = nullptr;
    SYSTEMTIME today;
    GetLocalTime(&today);
    int height = MiniMemoAutoHeight(&s, WalkMiniMemo(&s, &today, &area, &painter));
    EndPainter(&gdi);
    ReleaseDC(window, dc);
    int top = s.AutoSize == MINIMEMO_AUTOSIZE_UP ? frame.bottom - height : s.WindowY;
    HWND after = s.WindowOrder == WINDOW_ORDER_BOTTOM    ? HWND_BOTTOM
                 : s.WindowOrder == WINDOW_ORDER_TOPMOST ? HWND_TOPMOST
                                                         : HWND_NOTOPMOST;
    SetWindowPos(window, after, s.WindowX, top, client.right - client.left, height, SWP_SHOWWINDOW);
    return 1;
}

int PaintMiniMemo(HWND window, HDC dc)
{
    if (!window || !IsWindow(window) || IsNoForegroundWindow() || !TryLockDraw(0))
        return 0;
    if (g_miniMemo.Settings.Trans.TransMode == TRANS_MODE_OPAQUE)
        DrawMiniMemoPerPixelAlpha(window);
    else
        DrawMiniMemoBuffered(window, dc);
    UnlockDraw();
    return 1;
}

int DrawMiniMemoBuffered(HWND window, HDC dc)
{
    if (!dc)
        return 1;
    RECT client;
    GetClientRect(window, &client);
    SelectBuffer(window, dc, client.right, client.bottom);
    if (!g_miniMemo.Buffer)
        return 1;
    DrawMiniMemo(window, g_miniMemo.BufferDC, 0);
    BitBlt(dc, 0, 0, client.right, client.bottom, g_miniMemo.BufferDC, 0, 0, SRCCOPY);
    return 1;
}

int DrawMiniMemoPerPixelAlpha(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return 1;
    HDC screen = GetDC(nullptr);
    void* bits[2] = {nullptr, nullptr};
    HDC dcs[2] = {CreateCompatibleDC(screen), CreateCompatibleDC(screen)};
    HBITMAP dibs[2] = {CreateDibSection32(width, height, &bits[0]), CreateDibSection32(width, height, &bits[1])};
    HGDIOBJ old[2] = {nullptr, nullptr};
    if (dcs[0] && dcs[1] && dibs[0] && dibs[1]) {
        for (int i = 0; i < 2; i++)
            old[i] = SelectObject(dcs[i], dibs[i]);
        DrawMiniMemo(window, dcs[0], 1);
        DrawMiniMemo(window, dcs[1], 0);
        GdiFlush();
        const TransparencySettings& t = g_miniMemo.Settings.Trans;
        PremultiplyMiniMemo((BYTE*)bits[1], (const BYTE*)bits[0], (size_t)width * height, t.TransparentAlphaMode,
                            t.Alpha);
        UpdateLayered(window, screen, dcs[1]);
        for (int i = 0; i < 2; i++)
            SelectObject(dcs[i], old[i]);
    }
    for (int i = 0; i < 2; i++) {
        if (dcs[i])
            DeleteDC(dcs[i]);
        if (dibs[i])
            DeleteObject(dibs[i]);
    }
    ReleaseDC(nullptr, screen);
    return 1;
}

void DropMiniMemoBuffer(void)
{
    MiniMemoPlugIn& m = g_miniMemo;
    if (m.BufferDC && m.OldBuffer)
        SelectObject(m.BufferDC, m.OldBuffer);
    if (m.Buffer)
        DeleteObject(m.Buffer);
    if (m.BufferDC)
        DeleteDC(m.BufferDC);
    m.Buffer = nullptr;
    m.BufferDC = nullptr;
    m.OldBuffer = nullptr;
}

void DrawMutexName(char* out, size_t size, DWORD processId)
{
    snprintf(out, size, "Velmora-Daylens-MiniMemo-Draw-%08lx", (unsigned long)processId);
}

int CreateDrawMutex(HWND window)
{
    if (!window)
        return 0;
    CloseDrawMutex();
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char name[64];
    DrawMutexName(name, sizeof(name), processId);
    g_miniMemo.DrawMutex = CreateMutexA(nullptr, FALSE, name);
    return g_miniMemo.DrawMutex ? 1 : 0;
}

int TryLockDraw(DWORD timeout)
{
    if (!g_miniMemo.DrawMutex)
        CreateDrawMutex(MiniMemoWindow());
    if (!g_miniMemo.DrawMutex)
        return 0;
    DWORD result = WaitForSingleObject(g_miniMemo.DrawMutex, timeout);
    // A painter that died holding the mutex hands it over: it is ours now and is released as usual.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED ? 1 : 0;
}

void UnlockDraw(void)
{
    if (g_miniMemo.DrawMutex)
        ReleaseMutex(g_miniMemo.DrawMutex);
}

void CloseDrawMutex(void)
{
    if (!g_miniMemo.DrawMutex)
        return;
    CloseHandle(g_miniMemo.DrawMutex);
    g_miniMemo.DrawMutex = nullptr;
}
