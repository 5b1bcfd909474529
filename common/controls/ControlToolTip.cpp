#include "ControlToolTip.h"

#include <commctrl.h>

namespace {

const int kMargin = 2;
const int kMaxTipWidth = 360;
const int kMaxResourceText = 8192;

// Common Controls 6 takes the full TOOLINFOA; earlier versions refuse it and take the version 2 size.
bool AddTool(HWND tip, TOOLINFOA* tool)
{
    tool->cbSize = sizeof(*tool);
    if (SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)tool))
        return true;
    tool->cbSize = TTTOOLINFOA_V2_SIZE;
    return SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)tool) != 0;
}

}  // namespace

extern "C" {

HWND CreateControlToolTip(HINSTANCE instance, HWND dialog, int controlId, const char* text, int balloon)
{
    if (!text || !dialog)
        return nullptr;
    HWND control = controlId > 0 ? GetDlgItem(dialog, controlId) : dialog;
    if (!control)
        return nullptr;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (balloon == 1 ? TTS_BALLOON : 0);
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr, instance, nullptr);
    if (!tip)
        return nullptr;

    RECT margin = {kMargin, kMargin, kMargin, kMargin};
    SendMessageA(tip, TTM_SETMARGIN, 0, (LPARAM)&margin);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);

    TOOLINFOA tool = {};
    tool.uFlags = TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.hinst = instance;
    tool.lpszText = const_cast<char*>(text);
    GetClientRect(control, &tool.rect);
    if (!AddTool(tip, &tool)) {
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

}  // extern "C"
