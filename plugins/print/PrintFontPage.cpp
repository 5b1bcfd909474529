// The font page: the fonts of the year, month, weekday, day, comment and memo texts, the year, month and shadow
// colours, the shadow width and its direction. Changes re-render an open preview.
#include <stdlib.h>

#include "CaptionButton.h"
#include "Choosers.h"
#include "DialogTheme.h"
#include "EnvData.h"
#include "PrintPages.h"
#include "PrintPlugIn.h"
#include "PrintResource.h"
#include "UpDownControl.h"

namespace {

HWND g_page;
const int kShadowMax = 99;
const int kButtonFontHeight = -12;
const COLORREF kFace = RGB(0xF0, 0xF0, 0xF0);
const COLORREF kFrame = RGB(0xC0, 0xC0, 0xC0);
// The white shade under the caption keeps it readable on any colour.
const COLORREF kEngrave = RGB(0xFF, 0xFF, 0xFF);
const int kDirections[4] = {SHADOW_UP_RIGHT, SHADOW_DOWN_RIGHT, SHADOW_DOWN_LEFT, SHADOW_UP_LEFT};

LOGFONTA* FontOf(int id)
{
    EnvData* env = g_print.Env;
    PrintOptions& o = g_print.Settings.Options;
    switch (id) {
    case IDC_FONT_BTN_YEAR: return &env->YearStyle.Font;
    case IDC_FONT_BTN_MONTH: return &env->MonthStyle.Font;
    case IDC_FONT_BTN_WEEK: return &env->WeekFont;
    case IDC_FONT_BTN_DAY: return &env->DayFont;
    case IDC_FONT_BTN_COMMENT: return &o.CommentFont;
    case IDC_FONT_BTN_MEMO: return &o.MemoFont;
    }
    return nullptr;
}

COLORREF* ColorOf(int id)
{
    EnvData* env = g_print.Env;
    switch (id) {
    case IDC_FONT_BTN_YEAR_COLOR: return &env->YearStyle.StrColor;
    case IDC_FONT_BTN_MONTH_COLOR: return &env->MonthStyle.StrColor;
    case IDC_FONT_BTN_SHADOW_COLOR: return &env->ShadowColor;
    }
    return nullptr;
}

void OnInit(HWND page)
{
    g_page = page;
    EnableDialogTheme(page);
    EnvData* env = g_print.Env;
    SetUpDownItem(page, IDC_FONT_SPIN_SHADOW, 0, kShadowMax, env->ShadowWidth);
    int radio = IDC_FONT_RADIO_DOWN_RIGHT;
    for (int i = 0; i < 4; i++) {
        if (env->ShadowDirection == kDirections[i])
            radio = IDC_FONT_RADIO_UP_RIGHT + i;
    }
    env->ShadowDirection = (BYTE)kDirections[radio - IDC_FONT_RADIO_UP_RIGHT];
    CheckRadioButton(page, IDC_FONT_RADIO_UP_RIGHT, IDC_FONT_RADIO_UP_LEFT, radio);
}

void ApplyShadowWidth(HWND page)
{
    BOOL ok = FALSE;
    UINT width = GetDlgItemInt(page, IDC_FONT_EDIT_SHADOW, &ok, FALSE);
    if (!ok)
        return;
    if (width > (UINT)kShadowMax)
        width = kShadowMax;
    g_print.Env->ShadowWidth = (BYTE)width;
}

void OnDrawItem(const DRAWITEMSTRUCT* item)
{
    EnvData* env = g_print.Env;
    if (const LOGFONTA* font = FontOf((int)item->CtlID)) {
        LOGFONTA shown = *font;
        shown.lfHeight = kButtonFontHeight;
        shown.lfWidth = 0;
        const char* text = font->lfCharSet == SHIFTJIS_CHARSET ? "フォント" : "Font";
        DrawCaptionButton(item, text, &shown, env->ButtonStyle, 1, RGB(0, 0, 0), kEngrave, kFace, kFace, kFrame);
    } else if (const COLORREF* color = ColorOf((int)item->CtlID)) {
        DrawCaptionButton(item, "色変更", nullptr, env->ButtonStyle, 1, RGB(0, 0, 0), kEngrave, *color, kFace, kFrame);
    }
}

void OnCommand(HWND page, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        DestroyWindow(page);
        return;
    }
    if (id == PAGE_CMD_APPLY && HIWORD(wParam) == 0) {
        ApplyShadowWidth(page);
        return;
    }
    bool changed = false;
    if (LOGFONTA* font = FontOf(id)) {
        changed = ChooseFontDialog(page, font, 0, nullptr) == 1;
    } else if (COLORREF* color = ColorOf(id)) {
        changed = ChooseColorDialog(page, color, g_print.Env->CustomColors) == 1;
    } else if (id >= IDC_FONT_RADIO_UP_RIGHT && id <= IDC_FONT_RADIO_UP_LEFT && HIWORD(wParam) == BN_CLICKED) {
        g_print.Env->ShadowDirection = (BYTE)kDirections[id - IDC_FONT_RADIO_UP_RIGHT];
        changed = true;
    } else if (id == IDC_FONT_EDIT_SHADOW && HIWORD(wParam) == EN_CHANGE) {
        ApplyShadowWidth(page);
        changed = true;
    }
    if (changed) {
        InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
        NotifyPrintPreviewChange();
    }
}

INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(page); return TRUE;
    case WM_DESTROY: g_page = nullptr; return TRUE;
    case WM_DRAWITEM: OnDrawItem((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_COMMAND: OnCommand(page, wParam); return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CreateFontPage(HWND parent)
{
    if (g_page)
        return nullptr;
    return CreateDialogParamA(g_print.Module, MAKEINTRESOURCEA(IDD_PRINT_PAGE_FONT), parent, FontPageProc, 0);
}
