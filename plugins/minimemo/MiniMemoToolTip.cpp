#include "MiniMemoToolTip.h"

#include "ControlToolTip.h"
#include "MiniMemoState.h"

namespace {

const int kTipWidth = 360;
// More than the days a list can hold (31 before today, today and 31 after).
const int kMaxTools = 64;

}  // namespace

HWND BeginMiniMemoToolTips(HWND window)
{
    MiniMemoPlugIn& m = g_miniMemo;
    if (m.Settings.UseToolTip != 1) {
        DestroyDialogToolTips(&m.ToolTip);
        return nullptr;
    }
    return KeepWindowToolTip(m.Module, window, &m.ToolTip, m.Settings.BalloonTip == 1 ? 1 : 0, kTipWidth);
}

void AddMiniMemoTip(HWND tip, HWND window, int id, const RECT* band, const char* text)
{
    if (tip && band && id > 0 && id <= kMaxTools)
        SetWindowToolTipTool(tip, window, (UINT_PTR)id, band, text);
}

void EndMiniMemoToolTips(HWND tip, int count)
{
    if (!tip)
        return;
    UINT_PTR kept[kMaxTools];
    int n = count < 0 ? 0 : count > kMaxTools ? kMaxTools : count;
    for (int i = 0; i < n; i++)
        kept[i] = (UINT_PTR)(i + 1);
    RemoveWindowToolTipTools(tip, kept, n);
}
