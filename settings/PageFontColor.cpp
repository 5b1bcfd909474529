// Page " フォントと色 ": the year and month styles, the weekday and date fonts, the background colour, and the text
// decoration with its copy into every style.
#include "SettingsDialog.h"

#include "Choosers.h"
#include "EnvData.h"
#include "PageButtons.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsRules.h"
#include "UserMessage.h"

namespace {

const int kShadowWidthMax = SHADOW_WIDTH_MAX;
const char kApplyAllQuestion[] =
    "個々の文字の装飾の設定を，文字表示のすべての装飾の設定に反映させます\r\nかまいませんか？";

const BYTE kDirections[] = {SHADOW_UP_RIGHT, SHADOW_DOWN_RIGHT, SHADOW_DOWN_LEFT, SHADOW_UP_LEFT, SHADOW_OUTLINE};
const int kDirectionCount = sizeof(kDirections) / sizeof(kDirections[0]);

PageFlags s_flags;

int DirectionIndex(BYTE direction)
{
    for (int i = 0; i < kDirectionCount; i++) {
        if (kDirections[i] == direction)
            return i;
    }
    return -1;
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    ShowUpDownNumber(page, IDC_ENVFONTCOLOR_EDIT_SHADOW_WIDTH, IDC_ENVFONTCOLOR_SPIN_SHADOW_WIDTH, 0,
                     kShadowWidthMax, work->ShadowWidth);
    int direction = DirectionIndex(work->ShadowDirection);
    if (direction < 0) {
        work->ShadowDirection = SHADOW_DOWN_RIGHT;
        direction = DirectionIndex(SHADOW_DOWN_RIGHT);
    }
    CheckRadioIndex(page, IDC_ENVFONTCOLOR_RADIO_UP_RIGHT, IDC_ENVFONTCOLOR_RADIO_OUTLINE, direction);
    SetCheck(page, IDC_ENVFONTCOLOR_CHECK_GRADATION, work->Gradation);
    s_flags.Initialised = 1;
    return TRUE;
}

void Changed(HWND page)
{
    InvalidateRect(page, nullptr, TRUE);
    MarkPageChanged(&s_flags, 1);
}

void EditStyle(HWND page, FontStyle* style, const char* name)
{
    if (!RunMarkDialog(page, style, name, 0, 0, 1))
        return;
    *style = SettingsWorkingCopy()->MarkDialogData.Style;
    Changed(page);
}

void CopyDecorationToStyles(HWND page, EnvData* work)
{
    if (TellUser(page, kApplyAllQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    FontStyle* styles[] = {&work->YearStyle, &work->MonthStyle, &work->WeekStyles[0], &work->WeekStyles[1],
                           &work->WeekStyles[2], &work->WeekStyles[3], &work->WeekStyles[4], &work->WeekStyles[5],
                           &work->WeekStyles[6], &work->HolidayStyle, &work->MyHolidayStyle, &work->TodayStyle};
    for (FontStyle* style : styles) {
        style->ShadowColor = work->ShadowColor;
        style->ShadowWidth = work->ShadowWidth;
        style->ShadowDirection = work->ShadowDirection;
        style->Gradation = work->Gradation;
    }
    Changed(page);
}

void OnShadowWidth(HWND page, EnvData* work)
{
    int number;
    if (!ReadEditNumber(page, IDC_ENVFONTCOLOR_EDIT_SHADOW_WIDTH, 0, &number))
        return;
    BYTE width = (BYTE)number;
    if (width > kShadowWidthMax)
        width = kShadowWidthMax;
    if (width == work->ShadowWidth)
        return;
    work->ShadowWidth = width;
    MarkPageChanged(&s_flags, 1);
}

bool OnCommand(HWND page, int id, int code)
{
    if (id == SETTINGS_PAGE_STORE) {
        s_flags.Changed = 0;
        return true;
    }
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    switch (id) {
    case IDC_ENVFONTCOLOR_BTN_YEAR: EditStyle(page, &work->YearStyle, "年フォント＆色"); return true;
    case IDC_ENVFONTCOLOR_BTN_MONTH: EditStyle(page, &work->MonthStyle, "月フォント＆色"); return true;
    case IDC_ENVFONTCOLOR_BTN_WEEK_FONT:
    case IDC_ENVFONTCOLOR_BTN_DAY_FONT:
        if (ChooseFontDialog(page, id == IDC_ENVFONTCOLOR_BTN_WEEK_FONT ? &work->WeekFont : &work->DayFont, 0,
                             nullptr))
            Changed(page);
        return true;
    case IDC_ENVFONTCOLOR_BTN_BACK_COLOR:
        if (PickColor(page, &work->BackColor))
            Changed(page);
        return true;
    case IDC_ENVFONTCOLOR_BTN_SHADOW_COLOR:
        if (PickColor(page, &work->ShadowColor))
            Changed(page);
        return true;
    case IDC_ENVFONTCOLOR_EDIT_SHADOW_WIDTH:
        if (code == EN_CHANGE && s_flags.Initialised)
            OnShadowWidth(page, work);
        return true;
    case IDC_ENVFONTCOLOR_RADIO_UP_RIGHT:
    case IDC_ENVFONTCOLOR_RADIO_DOWN_RIGHT:
    case IDC_ENVFONTCOLOR_RADIO_DOWN_LEFT:
    case IDC_ENVFONTCOLOR_RADIO_UP_LEFT:
    case IDC_ENVFONTCOLOR_RADIO_OUTLINE:
        if (!s_flags.Initialised)
            return true;
        work->ShadowDirection = kDirections[id - IDC_ENVFONTCOLOR_RADIO_UP_RIGHT];
        MarkPageChanged(&s_flags, 1);
        return true;
    case IDC_ENVFONTCOLOR_CHECK_GRADATION:
        if (!s_flags.Initialised)
            return true;
        work->Gradation = IsChecked(page, id);
        MarkPageChanged(&s_flags, 1);
        return true;
    case IDC_ENVFONTCOLOR_BTN_APPLY_ALL: CopyDecorationToStyles(page, work); return true;
    }
    return false;
}

bool OnDrawItem(const DRAWITEMSTRUCT* item)
{
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    switch (item->CtlID) {
    case IDC_ENVFONTCOLOR_BTN_YEAR:
    case IDC_ENVFONTCOLOR_BTN_MONTH: {
        const FontStyle& style = item->CtlID == IDC_ENVFONTCOLOR_BTN_YEAR ? work->YearStyle : work->MonthStyle;
        DrawStyleButton(item, FontButtonText(&style.Font), &style.Font, style.StrColor, style.ShadowColor);
        return true;
    }
    case IDC_ENVFONTCOLOR_BTN_WEEK_FONT:
    case IDC_ENVFONTCOLOR_BTN_DAY_FONT: {
        const LOGFONTA& font = item->CtlID == IDC_ENVFONTCOLOR_BTN_WEEK_FONT ? work->WeekFont : work->DayFont;
        DrawStyleButton(item, FontButtonText(&font), &font, GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_MENU));
        return true;
    }
    case IDC_ENVFONTCOLOR_BTN_BACK_COLOR: DrawColorButton(item, work->BackColor); return true;
    case IDC_ENVFONTCOLOR_BTN_SHADOW_COLOR: DrawColorButton(item, work->ShadowColor); return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvFontColorProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && OnDrawItem((const DRAWITEMSTRUCT*)lParam))
        return TRUE;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
