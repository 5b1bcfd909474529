// The " 文字 " page: font, colours and shadow of the three day groups, edited on a copy that the page stores whole.
#include <string.h>

#include "Choosers.h"
#include "DialogTheme.h"
#include "MiniMemoSettingsDialog.h"
#include "UpDownControl.h"

namespace {

const int kShadowWidthMax = 100;
const int kDirections[] = {SHADOW_UP_RIGHT, SHADOW_DOWN_RIGHT, SHADOW_DOWN_LEFT, SHADOW_UP_LEFT, SHADOW_OUTLINE};
const int kDirectionCount = 5;

struct TextPage {
    MiniMemoSettingsDlgData* Data;
    MiniMemoTextStyle Styles[MINIMEMO_STYLE_COUNT];
    int Shown;
};

TextPage* PageState(HWND page)
{
    return (TextPage*)GetWindowLongPtrA(page, DWLP_USER);
}

// The radio of a stored direction; one not in the list shows as down-right.
int DirectionIndex(int direction)
{
    for (int i = 0; i < kDirectionCount; i++) {
        if (kDirections[i] == direction)
            return i;
    }
    return 1;
}

void ShowStyle(HWND page, TextPage* state, int index)
{
    state->Shown = index >= 0 && index < MINIMEMO_STYLE_COUNT ? index : MINIMEMO_STYLE_TODAY;
    MiniMemoTextStyle& s = state->Styles[state->Shown];
    CheckRadioButton(page, IDC_MMTEXT_RADIO_BEFORE, IDC_MMTEXT_RADIO_AFTER, IDC_MMTEXT_RADIO_BEFORE + state->Shown);
    s.ShadowDirection = (BYTE)kDirections[DirectionIndex(s.ShadowDirection)];
    SetUpDownItem(page, IDC_MMTEXT_SPIN_SHADOW_WIDTH, 0, kShadowWidthMax, s.ShadowWidth);
    CheckRadioButton(page, IDC_MMTEXT_RADIO_UP_RIGHT, IDC_MMTEXT_RADIO_OUTLINE,
                     IDC_MMTEXT_RADIO_UP_RIGHT + DirectionIndex(s.ShadowDirection));
    CheckPageBox(page, IDC_MMTEXT_CHECK_GRADATION, s.StringGradation);
    InvalidateRect(page, nullptr, TRUE);
}

// The shadow controls into the shown style of the copy.
void KeepShown(HWND page, TextPage* state)
{
    MiniMemoTextStyle& s = state->Styles[state->Shown];
    s.ShadowWidth = (BYTE)ReadPageNumber(page, IDC_MMTEXT_EDIT_SHADOW_WIDTH, 0, kShadowWidthMax);
    for (int i = 0; i < kDirectionCount; i++) {
        if (IsPageChecked(page, IDC_MMTEXT_RADIO_UP_RIGHT + i))
            s.ShadowDirection = (BYTE)kDirections[i];
    }
    s.StringGradation = IsPageChecked(page, IDC_MMTEXT_CHECK_GRADATION);
}

void Choose(HWND page, TextPage* state, WORD id)
{
    MiniMemoTextStyle& s = state->Styles[state->Shown];
    int chosen = 0;
    if (id == IDC_MMTEXT_BTN_FONT)
        chosen = ChooseFontDialog(page, &s.Font, 0, nullptr);
    else if (id == IDC_MMTEXT_BTN_COLOR)
        chosen = ChooseColorDialog(page, &s.ForeColor, g_miniMemo.CustomColors);
    else
        chosen = ChooseColorDialog(page, &s.ShadowColor, g_miniMemo.CustomColors);
    if (chosen)
        InvalidateRect(page, nullptr, TRUE);
}

INT_PTR OnInit(HWND page, MiniMemoSettingsDlgData* data)
{
    TextPage* state = (TextPage*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TextPage));
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)state);
    EnableDialogTheme(page);
    if (!state || !data)
        return TRUE;
    state->Data = data;
    memcpy(state->Styles, data->Settings->Styles, sizeof(state->Styles));
    ShowStyle(page, state, MINIMEMO_STYLE_TODAY);
    return TRUE;
}

INT_PTR OnCommand(HWND page, WORD id)
{
    TextPage* state = PageState(page);
    if (!state)
        return FALSE;
    if (id == MINIMEMO_PAGE_STORE || id == MINIMEMO_PAGE_OK) {
        KeepShown(page, state);
        memcpy(state->Data->Settings->Styles, state->Styles, sizeof(state->Styles));
    }
    if (id >= IDC_MMTEXT_RADIO_BEFORE && id <= IDC_MMTEXT_RADIO_AFTER) {
        KeepShown(page, state);
        ShowStyle(page, state, id - IDC_MMTEXT_RADIO_BEFORE);
        return TRUE;
    }
    if (id == IDC_MMTEXT_BTN_FONT || id == IDC_MMTEXT_BTN_COLOR || id == IDC_MMTEXT_BTN_SHADOW_COLOR) {
        Choose(page, state, id);
        return TRUE;
    }
    return EndPageOnCommand(page, id) || id == MINIMEMO_PAGE_STORE;
}

INT_PTR OnDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    TextPage* state = PageState(page);
    if (!state)
        return FALSE;
    const MiniMemoTextStyle& s = state->Styles[state->Shown];
    switch (item->CtlID) {
    case IDC_MMTEXT_BTN_FONT: DrawFontButton(item, &s.Font); return TRUE;
    case IDC_MMTEXT_BTN_COLOR: DrawColorButton(item, "文字色", s.ForeColor); return TRUE;
    case IDC_MMTEXT_BTN_SHADOW_COLOR: DrawColorButton(item, "色変更", s.ShadowColor); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK PageTextProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInit(page, (MiniMemoSettingsDlgData*)lParam);
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam));
    case WM_DRAWITEM: return OnDrawItem(page, (const DRAWITEMSTRUCT*)lParam);
    case WM_NCDESTROY:
        if (PageState(page))
            HeapFree(GetProcessHeap(), 0, PageState(page));
        SetWindowLongPtrA(page, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}
