// The " ウィンドウ1 " page: background and frame colours, frame gradation and shape, and the inner margins.
#include "Choosers.h"
#include "DialogTheme.h"
#include "MiniMemoSettingsDialog.h"
#include "UpDownControl.h"

namespace {

const int kFrameMax = 1600;
const int kMarginMax = 100;
const char* const kGradations[] = {
    "なし", "外(枠1)→内(枠2)", "外(枠2)→内(枠1)", "外(枠1)→内(枠2)→外(枠1)", "外(枠2)→内(枠1)→外(枠2)",
};

struct Window1Page {
    MiniMemoSettingsDlgData* Data;
    COLORREF Colors[3];  // background, frame 1, frame 2
};

Window1Page* PageState(HWND page)
{
    return (Window1Page*)GetWindowLongPtrA(page, DWLP_USER);
}

struct NumberField {
    int Edit;
    int High;
    int MiniMemoSettings::*Field;
};

const NumberField kNumbers[] = {
    {IDC_MMWIN1_EDIT_FRAME_WIDTH, kFrameMax, &MiniMemoSettings::FrameWidth},
    {IDC_MMWIN1_EDIT_ROUND, kFrameMax, &MiniMemoSettings::RoundWidth},
    {IDC_MMWIN1_EDIT_MARGIN_TOP, kMarginMax, &MiniMemoSettings::MarginTop},
    {IDC_MMWIN1_EDIT_MARGIN_BOTTOM, kMarginMax, &MiniMemoSettings::MarginBottom},
    {IDC_MMWIN1_EDIT_MARGIN_LEFT, kMarginMax, &MiniMemoSettings::MarginLeft},
    {IDC_MMWIN1_EDIT_MARGIN_RIGHT, kMarginMax, &MiniMemoSettings::MarginRight},
};

void Fill(HWND page, const MiniMemoSettings* s)
{
    HWND list = GetDlgItem(page, IDC_MMWIN1_COMBO_GRADATION);
    for (const char* text : kGradations)
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)text);
    SendMessageA(list, CB_SETCURSEL, s->FrameGradation, 0);
    int shape = s->FrameShape <= 2 ? s->FrameShape : 0;
    CheckRadioButton(page, IDC_MMWIN1_RADIO_RECT, IDC_MMWIN1_RADIO_ROUNDED, IDC_MMWIN1_RADIO_RECT + shape);
    for (const NumberField& n : kNumbers)
        SetUpDownItem(page, n.Edit + 1, 0, n.High, s->*n.Field);
}

void Store(HWND page, Window1Page* state)
{
    MiniMemoSettings* s = state->Data->Settings;
    s->BackColor = state->Colors[0];
    s->FrameColor1 = state->Colors[1];
    s->FrameColor2 = state->Colors[2];
    LRESULT gradation = SendDlgItemMessageA(page, IDC_MMWIN1_COMBO_GRADATION, CB_GETCURSEL, 0, 0);
    s->FrameGradation = (BYTE)(gradation >= 0 && gradation <= 4 ? gradation : 0);
    for (int i = 0; i < 3; i++) {
        if (IsPageChecked(page, IDC_MMWIN1_RADIO_RECT + i))
            s->FrameShape = (BYTE)i;
    }
    for (const NumberField& n : kNumbers)
        s->*n.Field = ReadPageNumber(page, n.Edit, 0, n.High);
}

INT_PTR OnInit(HWND page, MiniMemoSettingsDlgData* data)
{
    Window1Page* state = (Window1Page*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Window1Page));
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)state);
    EnableDialogTheme(page);
    if (!state || !data)
        return TRUE;
    state->Data = data;
    state->Colors[0] = data->Settings->BackColor;
    state->Colors[1] = data->Settings->FrameColor1;
    state->Colors[2] = data->Settings->FrameColor2;
    Fill(page, data->Settings);
    return TRUE;
}

INT_PTR OnCommand(HWND page, WORD id)
{
    Window1Page* state = PageState(page);
    if (!state)
        return FALSE;
    if (id >= IDC_MMWIN1_BTN_BACK && id <= IDC_MMWIN1_BTN_FRAME2) {
        if (ChooseColorDialog(page, &state->Colors[id - IDC_MMWIN1_BTN_BACK], g_miniMemo.CustomColors))
            InvalidateRect(GetDlgItem(page, id), nullptr, TRUE);
        return TRUE;
    }
    if (id == MINIMEMO_PAGE_STORE || id == MINIMEMO_PAGE_OK)
        Store(page, state);
    return EndPageOnCommand(page, id) || id == MINIMEMO_PAGE_STORE;
}

}  // namespace

INT_PTR CALLBACK PageWindow1Proc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInit(page, (MiniMemoSettingsDlgData*)lParam);
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam));
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = (const DRAWITEMSTRUCT*)lParam;
        Window1Page* state = PageState(page);
        if (!state || item->CtlID < IDC_MMWIN1_BTN_BACK || item->CtlID > IDC_MMWIN1_BTN_FRAME2)
            return FALSE;
        DrawColorButton(item, "色変更", state->Colors[item->CtlID - IDC_MMWIN1_BTN_BACK]);
        return TRUE;
    }
    case WM_NCDESTROY:
        if (PageState(page))
            HeapFree(GetProcessHeap(), 0, PageState(page));
        SetWindowLongPtrA(page, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}
