// The colour page: the colours of each weekday, of Monday to Friday at once, of today, holidays and the background.
#include "CaptionButton.h"
#include "Choosers.h"
#include "DialogTheme.h"
#include "EnvData.h"
#include "PrintPages.h"
#include "PrintPlugIn.h"
#include "PrintResource.h"
#include "UserMessage.h"

namespace {

HWND g_page;
const COLORREF kFace = RGB(0xF0, 0xF0, 0xF0);
const COLORREF kFrame = RGB(0xC0, 0xC0, 0xC0);
// The white shade under the caption keeps it readable on any colour.
const COLORREF kEngrave = RGB(0xFF, 0xFF, 0xFF);
const char kAllWeekdays[] = "月曜から金曜を一括で変更します\r\nかまいませんか？";

COLORREF* ColorOf(int id)
{
    EnvData* env = g_print.Env;
    if (id >= IDC_COLOR_BTN_SUNDAY && id < IDC_COLOR_BTN_SUNDAY + 7)
        return &env->WeekStyles[id - IDC_COLOR_BTN_SUNDAY].StrColor;
    switch (id) {
    case IDC_COLOR_BTN_WEEKDAYS: return &env->WeekStyles[1].StrColor;
    case IDC_COLOR_BTN_TODAY: return &env->TodayStyle.StrColor;
    case IDC_COLOR_BTN_HOLIDAY: return &env->HolidayStyle.StrColor;
    case IDC_COLOR_BTN_BACK: return &env->BackColor;
    }
    return nullptr;
}

void ChooseWeekdays(HWND page)
{
    EnvData* env = g_print.Env;
    COLORREF color = env->WeekStyles[1].StrColor;
    if (ChooseColorDialog(page, &color, env->CustomColors) != 1)
        return;
    if (TellUser(page, kAllWeekdays, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (int day = 1; day <= 5; day++)
        env->WeekStyles[day].StrColor = color;
    InvalidateRect(page, nullptr, FALSE);
}

void OnCommand(HWND page, int id)
{
    if (id == IDCANCEL) {
        DestroyWindow(page);
    } else if (id == IDC_COLOR_BTN_WEEKDAYS) {
        ChooseWeekdays(page);
    } else if (COLORREF* color = ColorOf(id)) {
        if (ChooseColorDialog(page, color, g_print.Env->CustomColors) == 1)
            InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
    }
}

void OnDrawItem(const DRAWITEMSTRUCT* item)
{
    const COLORREF* color = ColorOf((int)item->CtlID);
    COLORREF face = item->CtlID == IDC_COLOR_BTN_WEEKDAYS ? kFace : color ? *color : kFace;
    DrawCaptionButton(item, "色変更", nullptr, g_print.Env->ButtonStyle, 1, RGB(0, 0, 0), kEngrave, face, kFace,
                      kFrame);
}

INT_PTR CALLBACK ColorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_page = page;
        EnableDialogTheme(page);
        return TRUE;
    case WM_DESTROY: g_page = nullptr; return TRUE;
    case WM_DRAWITEM: OnDrawItem((const DRAWITEMSTRUCT*)lParam); return TRUE;
    case WM_COMMAND: OnCommand(page, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND CreateColorPage(HWND parent)
{
    if (g_page)
        return nullptr;
    return CreateDialogParamA(g_print.Module, MAKEINTRESOURCEA(IDD_PRINT_PAGE_COLOR), parent, ColorPageProc, 0);
}
