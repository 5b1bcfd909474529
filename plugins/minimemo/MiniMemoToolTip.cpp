#include "MiniMemoToolTip.h"

#include <commctrl.h>

#include "MiniMemoState.h"

namespace {

const int kTipMargin = 2;
const int kTipWidth = 360;

}  // namespace

HWND RebuildMiniMemoToolTip(HWND window)
{
    if (g_miniMemo.ToolTip && IsWindow(g_miniMemo.ToolTip))
        DestroyWindow(g_miniMemo.ToolTip);
    g_miniMemo.ToolTip = nullptr;
    const MiniMemoSettings& s = g_miniMemo.Settings;
    if (s.UseToolTip != 1)
        return nullptr;
    DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX | (s.BalloonTip == 1 ? TTS_BALLOON : 0);
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, window, nullptr, g_miniMemo.Module, nullptr);
    if (!tip)
        return nullptr;
    RECT margin = {kTipMargin, kTipMargin, kTipMargin, kTipMargin};
    SendMessageA(tip, TTM_SETMARGIN, 0, (LPARAM)&margin);
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    g_miniMemo.ToolTip = tip;
    return tip;
}

void AddMiniMemoTip(HWND tip, HWND window, int id, const RECT* band, const char* text)
{
    if (!tip || !band)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = (UINT_PTR)id;
    tool.rect = *band;
    tool.lpszText = (char*)text;
    SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)&tool);
}
