#include "PopupViewWindow.h"

#include <stdlib.h>

#include <initializer_list>

#include "AppInfo.h"
#include "BorderDrag.h"
#include "PopupViewIds.h"
#include "PopupViewLayout.h"
#include "PopupViewSetDialog.h"
#include "PopupViewState.h"
#include "ShadowText.h"
#include "ThreadWait.h"
#include "Trace.h"
#include "Transparency.h"
#include "WindowPlacement.h"

namespace {

// Width of the border that moves and resizes the popup.
const int kBorderZone = 8;
const UINT kForegroundDelay = 5000;
// How long a close from another thread waits for the popup's thread to leave it.
const DWORD kCloseWait = 10000;
// Text height when the font gives none.
const int kDefaultTextHeight = 16;
const UINT kBodyFormat = DT_WORDBREAK | DT_NOPREFIX;
// A body cut by the box shows whole lines only, never the top of a line above the close button.
const UINT kBodyDrawFormat = kBodyFormat | DT_EDITCONTROL;
const char kCloseText[] = "閉じる";
const COLORREF kCloseTextShade = 0x808080;
const char kHelpTopic[] = "_RESOURCE/Help-main.html";

// Dialogs the popup may have opened over it at once: its settings dialog, a chooser over that, a version box.
const int kMaxOpened = 8;
const char kDialogClass[] = "#32770";

// The one popup's window things: its back buffer and fonts, the drag under way and whether its menu is open.
struct PopupWindow {
    HWND Window;
    HDC BufferDC;
    HBITMAP Buffer;
    HGDIOBJ OldBitmap;
    HFONT TitleFont;
    HFONT EntryFont;
    BorderDrag Drag;
    bool MenuOpen;
    bool Closing;  // the close has run: what is still queued for the popup is not done
};

// The dialogs of this thread that the popup owns, directly or through another, with their depth under it.
struct OpenedDialogs {
    HWND Popup;
    HWND Dialogs[kMaxOpened];
    int Depths[kMaxOpened];
    int Count;
};

PopupWindow s_window;

// A copy: the settings dialog on the host's thread may replace them while the popup runs.
PopupViewSettings Settings()
{
    return CopyPopupViewSettings();
}

int TextHeight(const PopupViewSettings& s)
{
    int e = abs((int)s.Font.lfHeight);
    return e ? e : kDefaultTextHeight;
}

void DeleteFonts()
{
    for (HFONT* font : {&s_window.TitleFont, &s_window.EntryFont}) {
        if (*font)
            DeleteObject(*font);
        *font = nullptr;
    }
}

// The title and entry fonts from the popup font; all popup text is bold.
void CreateFonts()
{
    DeleteFonts();
    PopupViewSettings s = Settings();
    LOGFONTA font = s.Font;
    font.lfWeight = FW_BOLD;
    font.lfHeight = PopupTitleFontHeight(TextHeight(s));
    s_window.TitleFont = CreateFontIndirectA(&font);
    font.lfHeight = PopupEntryFontHeight(TextHeight(s));
    s_window.EntryFont = CreateFontIndirectA(&font);
}

void DropBuffer()
{
    if (s_window.BufferDC) {
        SelectObject(s_window.BufferDC, s_window.OldBitmap);
        DeleteDC(s_window.BufferDC);
    }
    if (s_window.Buffer)
        DeleteObject(s_window.Buffer);
    s_window.BufferDC = nullptr;
    s_window.Buffer = nullptr;
    s_window.OldBitmap = nullptr;
}

// The window owns a region once it has it: it is never deleted here unless the window refused it.
void ApplyRegion(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    int round = Settings().RoundWidth;
    HRGN region = CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, round, round);
    if (region && !SetWindowRgn(window, region, TRUE))
        DeleteObject(region);
}

void RemoveRegion(HWND window)
{
    SetWindowRgn(window, nullptr, TRUE);
}

SIZE ButtonSize(HWND window)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(GetDlgItem(window, IDC_POPUPVIEW_BTN_CLOSE), &r);
    return {r.right - r.left, r.bottom - r.top};
}

struct MeasureContext {
    HDC DC;
    const PopupViewEntries* Entries;
};

int MeasureBody(void* context, int entry, const RECT* box)
{
    MeasureContext* m = (MeasureContext*)context;
    RECT r = *box;
    return DrawTextA(m->DC, m->Entries->Bodies[entry], -1, &r, kBodyFormat | DT_CALCRECT);
}

// Walks the entries in the entry font on dc; places (may be null) get where each goes. The caller holds the lock:
// another thread may add texts meanwhile.
int WalkEntries(HDC dc, int width, int height, const PopupViewSettings& s, PopupEntryPlace* places)
{
    const PopupViewEntries& entries = PopupView()->Entries;
    int count = entries.Count;
    HGDIOBJ old = SelectObject(dc, s_window.EntryFont);
    MeasureContext context = {dc, &entries};
    int bottom = PopupBodyBottom(height, s.AutoSize, ButtonSize(s_window.Window).cy, s.FrameWidth);
    int y = WalkPopupEntries(TextHeight(s), count, entries.Headings, entries.Bodies, width, bottom, MeasureBody,
                             &context, places);
    SelectObject(dc, old);
    return y;
}

int CalcPopupTextHeight(HWND window, int width, int height, const PopupViewSettings& s)
{
    HDC dc = GetDC(window);
    if (!dc)
        return height;
    int y = 0;
    {
        PopupViewLock lock(false);
        y = WalkEntries(dc, width, height, s, nullptr);
    }
    ReleaseDC(window, dc);
    return y;
}

void LayoutPopupView(HWND window)
{
    PopupViewSettings s = Settings();
    RECT client;
    GetClientRect(window, &client);
    int width = client.right < POPUP_MIN_WIDTH ? POPUP_MIN_WIDTH : client.right;
    int content = s.AutoSize ? CalcPopupTextHeight(window, width, client.bottom, s) : client.bottom;
    SIZE button = ButtonSize(window);
    int height = PopupLayoutHeight(s.AutoSize, content, client.bottom, s.ShowClose, button.cy, s.FrameWidth);
    HWND close = GetDlgItem(window, IDC_POPUPVIEW_BTN_CLOSE);
    POINT at = PopupCloseButtonPos(width, height, button.cx, button.cy, s.FrameWidth);
    SetWindowPos(close, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(close, s.ShowClose ? SW_SHOWNA : SW_HIDE);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawFrame(HDC dc, int width, int height, const PopupViewSettings& s)
{
    int n = PopupFrameSteps(s.FrameWidth);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (int i = 0; i <= n; i++) {
        HBRUSH brush = CreateSolidBrush(PopupRingColor(s.FrameColor, s.BackColor, i, n));
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        RoundRect(dc, i, i, width - i + 1, height - i + 1, s.RoundWidth, s.RoundWidth);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
}

void DrawPopupView(HDC dc, int width, int height)
{
    HoldPopupViewFrameWidth();
    PopupViewSettings s = Settings();
    DrawFrame(dc, width, height, s);
    SetBkMode(dc, TRANSPARENT);
    // The texts are read under the lock: another thread may add to them while they are drawn.
    PopupViewLock lock(false);
    const PopupViewEntries& entries = PopupView()->Entries;
    char title[64];
    FormatPopupTitle(title, sizeof(title), &PopupView()->Date);
    HGDIOBJ old = SelectObject(dc, s_window.TitleFont);
    TextOutShadow(dc, POPUP_TITLE_X, POPUP_TITLE_Y, title, s.ForeColor, s.ShadowColor, s.ShadowWidth,
                  s.ShadowDirection, s.Gradation);
    static PopupEntryPlace places[POPUPVIEW_MAX_ENTRIES];
    int count = entries.Count;
    WalkEntries(dc, width, height, s, places);
    SelectObject(dc, s_window.EntryFont);
    for (int i = 0; i < count; i++) {
        if (places[i].HeadingY >= 0)
            TextOutShadow(dc, POPUP_HEADING_X, places[i].HeadingY, entries.Headings[i], s.ForeColor, s.ShadowColor,
                          s.ShadowWidth, s.ShadowDirection, s.Gradation);
        if (entries.Bodies[i])
            DrawShadowText(dc, entries.Bodies[i], &places[i].BodyBox, kBodyDrawFormat, s.ForeColor, s.ShadowColor,
                           s.ShadowWidth, s.ShadowDirection, s.Gradation);
    }
    SelectObject(dc, old);
}

// The back buffer, drawn when missing; false when it cannot be made.
bool PaintPopupBuffer(HWND window, HDC target)
{
    if (s_window.BufferDC)
        return true;
    RECT client;
    GetClientRect(window, &client);
    s_window.BufferDC = CreateCompatibleDC(target);
    s_window.Buffer = s_window.BufferDC ? CreateCompatibleBitmap(target, client.right, client.bottom) : nullptr;
    if (!s_window.Buffer) {
        DropBuffer();
        return false;
    }
    s_window.OldBitmap = SelectObject(s_window.BufferDC, s_window.Buffer);
    DrawPopupView(s_window.BufferDC, client.right, client.bottom);
    return true;
}

void CopyBuffer(HWND window, HDC target)
{
    if (!PaintPopupBuffer(window, target))
        return;
    RECT client;
    GetClientRect(window, &client);
    BitBlt(target, 0, 0, client.right, client.bottom, s_window.BufferDC, 0, 0, SRCCOPY);
}

void StoreWindowRect(HWND window)
{
    RECT r;
    if (GetWindowRect(window, &r))
        StorePopupViewRect(r);
}

// How many owners up from window the popup is; 0 when it does not own window.
int DepthUnder(HWND window, HWND popup)
{
    int depth = 0;
    for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
        depth++;
        if (owner == popup)
            return depth;
    }
    return 0;
}

BOOL CALLBACK CollectOpenedDialog(HWND window, LPARAM context)
{
    OpenedDialogs* opened = (OpenedDialogs*)context;
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    int depth = lstrcmpA(name, kDialogClass) == 0 ? DepthUnder(window, opened->Popup) : 0;
    if (depth > 0 && opened->Count < kMaxOpened) {
        opened->Dialogs[opened->Count] = window;
        opened->Depths[opened->Count++] = depth;
    }
    return TRUE;
}

// What the popup opened over itself runs a modal loop inside the popup's own: its menu is left and its dialogs
// are cancelled (as their Cancel buttons do), the innermost first, so that every loop ends as soon as it runs
// again and the popup's own ends right after.
void CloseOpenedWindows(HWND window)
{
    if (s_window.MenuOpen)
        EndMenu();
    OpenedDialogs opened = {};
    opened.Popup = window;
    EnumThreadWindows(GetCurrentThreadId(), CollectOpenedDialog, (LPARAM)&opened);
    for (int depth = kMaxOpened; depth > 0; depth--) {
        for (int i = 0; i < opened.Count; i++) {
            if (opened.Depths[i] == depth && IsWindow(opened.Dialogs[i]))
                SendMessageA(opened.Dialogs[i], WM_COMMAND, IDCANCEL, 0);
        }
    }
    // Wakes the innermost loop, which may be waiting for a message.
    if (opened.Count > 0 || s_window.MenuOpen)
        PostMessageA(window, WM_NULL, 0, 0);
}

// Command 2: closes what the popup opened, fades out, keeps the rectangle and ends the modal loop, so that
// PopupViewOpen returns on its thread.
void ClosePopupWindow(HWND window)
{
    PopupViewState* state = PopupView();
    s_window.Closing = true;
    CloseOpenedWindows(window);
    KillTimer(window, IDT_POPUPVIEW_AUTO_CLOSE);
    KillTimer(window, IDT_POPUPVIEW_FOREGROUND);
    RemoveRegion(window);
    if (IsWindowVisible(window))
        ShowWindowAnimated(window, Settings().PopupSpeed, AW_BLEND | AW_HIDE);
    DropBuffer();
    state->Popup = nullptr;
    StoreWindowRect(window);
    SavePopupViewSetting();
    EndDialog(window, 1);
    int* closed = (int*)InterlockedCompareExchangePointer((void* volatile*)&state->CloseFlag, nullptr, nullptr);
    if (closed)
        *closed = 1;
}

void Redraw(HWND window)
{
    DropBuffer();
    RemoveRegion(window);
    CreateFonts();
    LayoutPopupView(window);
    ApplyRegion(window);
    InvalidateRect(window, nullptr, FALSE);
}

void ToggleSetting(int PopupViewSettings::*flag)
{
    TogglePopupViewFlag(flag);
    UpdatePopupViewMenu();
    SavePopupViewSetting();
}

BOOL OnInitDialog(HWND window)
{
    PopupViewState* state = PopupView();
    if (state->Popup) {
        EndDialog(window, 0);
        return FALSE;
    }
    state->Popup = window;
    s_window.Window = window;
    s_window.Closing = false;
    PopupViewSettings s = Settings();
    if (state->Info) {
        SetWindowTextA(window, state->Info->GetAppName());
        state->Info->SetWindowIcons(window, state->BigIcon, state->SmallIcon);
    }
    CreateFonts();
    if (s.WindowWidth > 4 && s.WindowHeight > 4) {
        RECT box = {s.WindowX, s.WindowY, s.WindowWidth, s.WindowHeight};
        WrapRectOntoDesktop(window, &box, 1);
    }
    LayoutPopupView(window);
    if (state->Info)
        state->Info->GetWorkArea();
    ApplyRegion(window);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(window, IDT_POPUPVIEW_FOREGROUND, kForegroundDelay, nullptr);
    if (s.ShowAlpha == 1)
        ShowWindowAnimated(window, s.PopupSpeed, AW_BLEND);
    else
        ShowWindow(window, SW_SHOW);
    if (s.CloseType == POPUPVIEW_AUTO_CLOSE)
        SetTimer(window, IDT_POPUPVIEW_AUTO_CLOSE, (UINT)s.CloseTime * 1000 + 1, nullptr);
    return FALSE;
}

void OnSize(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    SIZE button = ButtonSize(window);
    POINT at = PopupCloseButtonPos(client.right, client.bottom, button.cx, button.cy, Settings().FrameWidth);
    SetWindowPos(GetDlgItem(window, IDC_POPUPVIEW_BTN_CLOSE), nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DropBuffer();
    InvalidateRect(window, nullptr, FALSE);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc)
        CopyBuffer(window, dc);
    EndPaint(window, &paint);
}

void OnTimer(HWND window, UINT_PTR id)
{
    KillTimer(window, id);
    if (s_window.Closing)
        return;
    if (id == IDT_POPUPVIEW_FOREGROUND)
        ActivatePopupView();
    else if (id == IDT_POPUPVIEW_AUTO_CLOSE)
        ClosePopupWindow(window);
}

void OnCommand(HWND window, int id)
{
    // A command that was queued before the close (a menu item, the settings) would open something over a popup
    // that is going away, and hold its modal loop.
    if (s_window.Closing)
        return;
    switch (id) {
    case IDM_POPUPVIEW_CLOSE:
        ClosePopupWindow(window);
        break;
    case IDM_POPUPVIEW_HELP:
        ShowPopupViewHelp(window, kHelpTopic);
        break;
    case IDM_POPUPVIEW_FIX_POS:
        ToggleSetting(&PopupViewSettings::FixPos);
        break;
    case IDM_POPUPVIEW_FIX_SIZE:
        ToggleSetting(&PopupViewSettings::FixSize);
        break;
    case IDM_POPUPVIEW_SETTINGS:
        RunPopupViewSettings(window);
        break;
    case IDM_POPUPVIEW_VERSION:
        ShowPopupViewAbout(window);
        break;
    case IDM_POPUPVIEW_REDRAW:
        Redraw(window);
        break;
    }
}

void OnRightButton(HWND window)
{
    if (s_window.Closing)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window);
    s_window.MenuOpen = true;
    TrackPopupMenu(PopupView()->Menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    s_window.MenuOpen = false;
    PostMessageA(window, WM_NULL, 0, 0);
}

// The zone a press at point may drag: a border zone unless the size is fixed, the inside unless the place is.
int DraggableZone(HWND window, POINT point)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return BORDER_NONE;
    int zone = HitTestBorder(&rect, point, kBorderZone);
    if (zone == BORDER_INSIDE)
        return Settings().FixPos ? BORDER_NONE : zone;
    return zone != BORDER_NONE && !Settings().FixSize ? zone : BORDER_NONE;
}

void SetZoneCursor(int zone)
{
    HCURSOR cursor = PopupViewCursor(PopupZoneCursorId(zone));
    if (!cursor && BorderZoneSystemCursor(zone))
        cursor = LoadCursorA(nullptr, BorderZoneSystemCursor(zone));
    if (cursor)
        SetCursor(cursor);
}

BOOL OnSetCursor(HWND window, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return FALSE;
    if (s_window.Drag.Zone != BORDER_NONE)
        return TRUE;
    int zone = HitTestWindowBorder(window, kBorderZone);
    if (zone == BORDER_INSIDE || zone == BORDER_NONE || Settings().FixSize)
        return FALSE;
    SetZoneCursor(zone);
    return TRUE;
}

// The drag follows the points of the mouse messages, so that it lands where the button and the motions happened.
void OnButtonDown(HWND window, POINT point)
{
    if (s_window.Drag.Zone != BORDER_NONE)
        return;
    int zone = DraggableZone(window, point);
    if (zone == BORDER_NONE)
        return;
    RECT start;
    GetWindowRect(window, &start);
    SetZoneCursor(zone);
    SetCapture(window);
    BeginBorderDrag(&s_window.Drag, zone, &start, point);
    if (zone != BORDER_INSIDE)
        RemoveRegion(window);
}

void FollowDrag(HWND window, POINT point)
{
    RECT r;
    if (!TrackBorderDrag(&s_window.Drag, point, &r))
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (s_window.Drag.Zone == BORDER_INSIDE ? SWP_NOSIZE : 0);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
}

// Ends a drag at point; with none (the capture was taken away), where the pointer is now.
void EndDrag(HWND window, const POINT* point)
{
    if (s_window.Drag.Zone == BORDER_NONE)
        return;
    POINT end;
    if (point)
        end = *point;
    else
        GetCursorPos(&end);
    FollowDrag(window, end);
    s_window.Drag.Zone = BORDER_NONE;
    StoreWindowRect(window);
    SavePopupViewSetting();
    ApplyRegion(window);
    ReleaseCapture();
}

void OnMouseMove(HWND window, POINT point)
{
    if (s_window.Drag.Zone != BORDER_NONE)
        FollowDrag(window, point);
}

void OnButtonUp(HWND window, POINT point)
{
    EndDrag(window, &point);
}

void DrawCloseButton(const DRAWITEMSTRUCT* item)
{
    PopupViewSettings s = Settings();
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    bool pressed = (item->itemState & ODS_SELECTED) != 0;
    HBRUSH face = CreateSolidBrush(s.BackColor);
    FillRect(dc, &r, face);
    DeleteObject(face);
    int n = s.FrameWidth < 1 ? 1 : s.FrameWidth > 10 ? 10 : s.FrameWidth;
    int shift = pressed ? 1 : 0;
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (int i = 0; i <= n; i++) {
        COLORREF color = PopupRingColor(s.FrameColor, s.BackColor, i, n);
        HBRUSH brush = CreateSolidBrush(pressed ? PopupPressedColor(color) : color);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        RoundRect(dc, i + 1 + shift, i + 1 + shift, width - i + shift, height - i + shift, s.RoundWidth,
                  s.RoundWidth);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
    SetBkMode(dc, TRANSPARENT);
    RECT text = r;
    OffsetRect(&text, 1 + shift, shift);
    SetTextColor(dc, kCloseTextShade);
    DrawTextA(dc, kCloseText, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    OffsetRect(&text, -1, pressed ? 0 : -1);
    SetTextColor(dc, s.FrameColor);
    DrawTextA(dc, kCloseText, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void OnDestroy(HWND window)
{
    if (window != s_window.Window)
        return;
    s_window.Window = nullptr;
    DropBuffer();
    DeleteFonts();
    s_window.Drag.Zone = BORDER_NONE;
}

INT_PTR Answer(HWND window, LRESULT result)
{
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK PopupViewDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_SIZE: OnSize(window); return TRUE;
    case WM_PAINT: OnPaint(window); return TRUE;
    case WM_PRINTCLIENT: CopyBuffer(window, (HDC)wParam); return TRUE;
    case WM_ERASEBKGND: return Answer(window, 1);
    case WM_TIMER: OnTimer(window, wParam); return TRUE;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return TRUE;
    case WM_RBUTTONUP: OnRightButton(window); return TRUE;
    case WM_SETCURSOR: return OnSetCursor(window, lParam) ? Answer(window, TRUE) : FALSE;
    case WM_LBUTTONDOWN: OnButtonDown(window, MouseMessagePoint(window, lParam)); return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(window, MouseMessagePoint(window, lParam)); return TRUE;
    case WM_LBUTTONUP: OnButtonUp(window, MouseMessagePoint(window, lParam)); return TRUE;
    case WM_CAPTURECHANGED: if ((HWND)lParam != window) EndDrag(window, nullptr); return TRUE;
    case WM_DRAWITEM: DrawCloseButton((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_DESTROY: OnDestroy(window); return FALSE;
    }
    return FALSE;
}

}  // namespace

int OpenPopupView(HWND host, const char* heading1, const char* body1, const char* heading2, const char* body2,
                  const SYSTEMTIME* date)
{
    PopupViewState* state = PopupView();
    // While a popup runs, its texts stay as they are shown.
    if (InterlockedCompareExchange(&state->Busy, 1, 0) != 0)
        return 1;
    // Readied once the popup counts as opening, so that a close on another thread leaves it what it uses.
    EnsurePopupViewPlugIn();
    state->Host = host;
    SetOpeningPopupView(heading1, body1, heading2, body2, date);
    state->PopupThread = GetCurrentThreadId();
    DialogBoxParamA(state->Module, MAKEINTRESOURCEA(IDD_POPUPVIEW_POPUP), nullptr, PopupViewDlgProc, 0);
    state->Popup = nullptr;
    InterlockedExchange(&state->Busy, 0);
    return 1;
}

int ClosePopupView()
{
    PopupViewState* state = PopupView();
    HWND popup = state->Popup;
    if (popup) {
        // The popup closes on its own thread; its modal loop then lets PopupViewOpen return there. The wait is
        // for this popup's window: the watcher may open the next one at once.
        DWORD start = GetTickCount();
        SendMessageTimeoutA(popup, WM_COMMAND, IDM_POPUPVIEW_CLOSE, 0, SMTO_NORMAL, kCloseWait, nullptr);
        InterlockedCompareExchangePointer((void* volatile*)&state->Popup, nullptr, popup);
        DWORD spent = GetTickCount() - start;
        DWORD left = spent < kCloseWait ? kCloseWait - spent : 0;
        if (GetCurrentThreadId() != state->PopupThread && !WaitForWindowGone(popup, left))
            Trace("popup view: the popup did not end within %lu ms", kCloseWait);
    }
    SavePopupViewSetting();
    ClearIdlePopupView();
    return 1;
}

void ActivatePopupView()
{
    HWND popup = PopupView()->Popup;
    if (!popup)
        return;
    HWND parent = GetParent(popup);
    if (parent)
        SetForegroundWindow(parent);
    SetForegroundWindow(popup);
    LockSetForegroundWindow(LSFW_UNLOCK);
}
