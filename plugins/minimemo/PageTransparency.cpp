// The " 透明化 " page: transparency kind, fade mode, alpha and return time, on a copy of the transparency settings.
#include "AppInfo.h"
#include "DialogTheme.h"
#include "MiniMemoSettingsDialog.h"
#include "Transparency.h"

namespace {

struct TransparencyPage {
    MiniMemoSettingsDlgData* Data;
    TransparencySettings Work;
};

TransparencyPage* PageState(HWND page)
{
    return (TransparencyPage*)GetWindowLongPtrA(page, DWLP_USER);
}

#define TRANSPARENCY_IDS                                                                                         \
    IDC_MMTRANS_RADIO_KIND, IDC_MMTRANS_RADIO_FADE, IDC_MMTRANS_SPIN_ALPHA, IDC_MMTRANS_EDIT_ALPHA,              \
        IDC_MMTRANS_SPIN_TIME, IDC_MMTRANS_EDIT_TIME

void Store(HWND page, TransparencyPage* state)
{
    TransparencySettings& t = state->Data->Settings->Trans;
    t.TransMode = state->Work.TransMode;
    t.TransparentAlphaMode = state->Work.TransparentAlphaMode;
    t.TransparentAlpha = (BYTE)ReadPageNumber(page, IDC_MMTRANS_EDIT_ALPHA, 0, TRANS_ALPHA_MAX);
    t.TransparentAlphaTime = ReadPageNumber(page, IDC_MMTRANS_EDIT_TIME, 0, TRANS_TIME_MAX);
}

INT_PTR OnInit(HWND page, MiniMemoSettingsDlgData* data)
{
    TransparencyPage* state = (TransparencyPage*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(*state));
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)state);
    EnableDialogTheme(page);
    if (!state || !data)
        return TRUE;
    state->Data = data;
    state->Work = data->Settings->Trans;
    if (state->Work.TransparentAlphaTime > TRANS_TIME_MAX)
        state->Work.TransparentAlphaTime = TRANS_TIME_MAX;
    InitTransparencyControls(page, TRANSPARENCY_IDS, &state->Work);
    if (g_miniMemo.Info)
        SetDlgItemTextA(page, IDC_MMTRANS_LABEL_VERSION, g_miniMemo.Info->GetVersionLine());
    return TRUE;
}

INT_PTR OnCommand(HWND page, WPARAM wParam)
{
    TransparencyPage* state = PageState(page);
    WORD id = LOWORD(wParam);
    if (!state || !state->Data)
        return FALSE;
    if (OnTransparencyControl(page, wParam, TRANSPARENCY_IDS, &state->Work))
        return TRUE;
    if (id == MINIMEMO_PAGE_STORE || id == MINIMEMO_PAGE_OK)
        Store(page, state);
    return EndPageOnCommand(page, id) || id == MINIMEMO_PAGE_STORE;
}

}  // namespace

INT_PTR CALLBACK PageTransparencyProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInit(page, (MiniMemoSettingsDlgData*)lParam);
    case WM_COMMAND: return OnCommand(page, wParam);
    case WM_NCDESTROY:
        if (PageState(page))
            HeapFree(GetProcessHeap(), 0, PageState(page));
        SetWindowLongPtrA(page, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}
