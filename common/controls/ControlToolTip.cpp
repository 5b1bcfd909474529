#include "ControlToolTip.h"

#include <commctrl.h>

namespace {

const int kMargin = 2;
const int kMaxTipWidth = 360;
const int kMaxResourceText = 8192;

// A tooltip window of the dialogs' form (margins, width), not yet holding a tool; null on failure.
HWND MakeToolTip(HINSTANCE instance, HWND owner, int balloon, int maxWidth = kMaxTipWidth)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // The tooltip class makes every tooltip a popup, but only once it exists: Wine takes a window made without
    // WS_POPUP for an overlapped one with a caption and hands it, and with it its owner, to the window manager.
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (balloon == 1 ? TTS_BALLOON : 0);
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (!tip)
        return nullptr;
    RECT margin = {kMargin, kMargin, kMargin, kMargin};
    SendMessageA(tip, TTM_SETMARGIN, 0, (LPARAM)&margin);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return tip;
}

// Common Controls 6 takes the full TOOLINFOA; earlier versions refuse it and take the version 2 size.
bool AddTool(HWND tip, TOOLINFOA* tool)
{
    tool->cbSize = sizeof(*tool);
    if (SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)tool))
        return true;
    tool->cbSize = TTTOOLINFOA_V2_SIZE;
    return SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)tool) != 0;
}

// The control, or the dialog itself for an id of 0 or less; null when it is missing.
HWND ToolWindow(HWND dialog, int controlId)
{
    return controlId > 0 ? GetDlgItem(dialog, controlId) : dialog;
}

// A tool over the whole client area of control, showing text. Without subclass, the dialog relays.
bool AddControlTool(HINSTANCE instance, HWND tip, HWND control, const char* text, UINT subclass)
{
    TOOLINFOA tool = {};
    tool.uFlags = subclass | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.hinst = instance;
    tool.lpszText = const_cast<char*>(text);
    GetClientRect(control, &tool.rect);
    return AddTool(tip, &tool);
}

void RemoveTools(HWND tip)
{
    for (LRESULT count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0); count > 0; count--) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        if (!SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)(count - 1), (LPARAM)&tool))
            break;
        SendMessageA(tip, TTM_DELTOOLA, 0, (LPARAM)&tool);
    }
}

// Whether tip is a tooltip window that dialog's top-level window owns, of the balloon form asked for.
bool ToolTipFits(HWND tip, HWND dialog, int balloon)
{
    if (!tip || !IsWindow(tip) || GetWindow(tip, GW_OWNER) != GetAncestor(dialog, GA_ROOT))
        return false;
    LONG_PTR form = GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON;
    return form == (balloon == 1 ? TTS_BALLOON : 0);
}

}  // namespace

extern "C" {

HWND CreateControlToolTip(HINSTANCE instance, HWND dialog, int controlId, const char* text, int balloon)
{
    if (!text || !dialog)
        return nullptr;
    HWND control = ToolWindow(dialog, controlId);
    if (!control)
        return nullptr;
    HWND tip = MakeToolTip(instance, control, balloon);
    if (!tip)
        return nullptr;
    if (!AddControlTool(instance, tip, control, text, TTF_SUBCLASS)) {
        DestroyWindow(tip);
        return nullptr;
    }
    return tip;
}

HWND CreateControlToolTipFromResource(HINSTANCE instance, HWND dialog, int controlId, UINT stringId, int balloon)
{
    char text[kMaxResourceText];
    if (LoadStringA(instance, stringId, text, sizeof(text)) <= 0)
        return nullptr;
    return CreateControlToolTip(instance, dialog, controlId, text, balloon);
}

int SetDialogToolTips(HINSTANCE instance, HWND dialog, HWND* tip, const ControlToolTipText* texts, int count,
                      int balloon)
{
    if (!tip)
        return 0;
    if (!dialog) {
        DestroyDialogToolTips(tip);
        return 0;
    }
    if (ToolTipFits(*tip, dialog, balloon)) {
        RemoveTools(*tip);
    } else {
        DestroyDialogToolTips(tip);
        *tip = MakeToolTip(instance, dialog, balloon);
        if (!*tip)
            return 0;
        // Moving from one control to the next waits the full delay, as it did while every control had a tooltip
        // window of its own.
        LRESULT initial = SendMessageA(*tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0);
        SendMessageA(*tip, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(initial, 0));
    }
    int made = 0;
    for (int i = 0; texts && i < count; i++) {
        HWND control = texts[i].Text ? ToolWindow(dialog, texts[i].ControlId) : nullptr;
        if (control && AddControlTool(instance, *tip, control, texts[i].Text, 0))
            made++;
    }
    return made;
}

void DestroyDialogToolTips(HWND* tip)
{
    if (!tip)
        return;
    if (*tip && IsWindow(*tip))
        DestroyWindow(*tip);
    *tip = nullptr;
}

void RelayDialogToolTips(const HWND* tips, int count, WPARAM wParam, LPARAM lParam)
{
    HWND over = (HWND)wParam;
    if (!tips || !over || LOWORD(lParam) != HTCLIENT || !IsToolTipMouseMessage(HIWORD(lParam)))
        return;
    MSG message = {};
    message.hwnd = over;
    message.message = HIWORD(lParam);
    message.time = (DWORD)GetMessageTime();
    GetCursorPos(&message.pt);
    POINT client = message.pt;
    ScreenToClient(over, &client);
    message.lParam = MAKELPARAM(client.x, client.y);
    for (int i = 0; i < count; i++) {
        if (tips[i])
            SendMessageA(tips[i], TTM_RELAYEVENT, 0, (LPARAM)&message);
    }
}

void RelayDialogToolTip(HWND tip, WPARAM wParam, LPARAM lParam)
{
    RelayDialogToolTips(&tip, 1, wParam, lParam);
}

HWND KeepWindowToolTip(HINSTANCE instance, HWND window, HWND* tip, int balloon, int maxWidth)
{
    if (!tip)
        return nullptr;
    if (!window) {
        DestroyDialogToolTips(tip);
        return nullptr;
    }
    if (!ToolTipFits(*tip, window, balloon)) {
        DestroyDialogToolTips(tip);
        *tip = MakeToolTip(instance, window, balloon, maxWidth);
    }
    return *tip;
}

int SetWindowToolTipTool(HWND tip, HWND window, UINT_PTR id, const RECT* rect, const char* text)
{
    if (!tip || !window || !rect)
        return 0;
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = id;
    if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)&tool)) {
        tool = {};
        tool.hwnd = window;
        tool.uId = id;
        tool.rect = *rect;
        tool.lpszText = const_cast<char*>(text ? text : "");
        return AddTool(tip, &tool) ? 1 : 0;
    }
    tool.rect = *rect;
    SendMessageA(tip, TTM_NEWTOOLRECTA, 0, (LPARAM)&tool);
    tool.lpszText = const_cast<char*>(text ? text : "");
    SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&tool);
    return 1;
}

void RemoveWindowToolTipTools(HWND tip, const UINT_PTR* keep, int count)
{
    if (!tip)
        return;
    for (LRESULT index = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0); index > 0; index--) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        if (!SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)(index - 1), (LPARAM)&tool))
            continue;
        bool kept = false;
        for (int i = 0; keep && i < count && !kept; i++)
            kept = keep[i] == tool.uId;
        if (!kept)
            SendMessageA(tip, TTM_DELTOOLA, 0, (LPARAM)&tool);
    }
}

void RelayWindowToolTip(HWND tip, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!tip || !window || !IsToolTipMouseMessage(message))
        return;
    DWORD position = GetMessagePos();
    MSG relayed = {};
    relayed.hwnd = window;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = (DWORD)GetMessageTime();
    relayed.pt.x = (short)LOWORD(position);
    relayed.pt.y = (short)HIWORD(position);
    SendMessageA(tip, TTM_RELAYEVENT, 0, (LPARAM)&relayed);
}

int IsToolTipMouseMessage(UINT message)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 1;
    default:
        return 0;
    }
}

}  // extern "C"
