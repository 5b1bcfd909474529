// Page " マーク ": the mark styles of each weekday, of all working days at once, of holidays and of today, and the
// order in which the marks are drawn.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "GlyphButton.h"
#include "PageButtons.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "UserMessage.h"

namespace {

const char kChangeText[] = "設定変更";
const char kWorkdaysQuestion[] = "月曜から金曜を一括で変更します\r\nかまいませんか？";
const char* const kWeekdayChars[7] = {"日", "月", "火", "水", "木", "金", "土"};
// Names of the mark kinds 1 to 7 in the order list.
const char* const kKindNames[] = {"曜日マーク", "休日マーク", "今日マーク", "記念日マーク", "マイホリデイマーク",
                                  "定例メモマーク", "一日メモマーク"};
const int kKindCount = sizeof(kKindNames) / sizeof(kKindNames[0]);
const int kMonday = 1;
const int kFriday = 5;

PageFlags s_flags;

const char* KindName(int kind)
{
    return kind >= 1 && kind <= kKindCount ? kKindNames[kind - 1] : "";
}

void FillOrderList(HWND page, const EnvData* work)
{
    HWND list = GetDlgItem(page, IDC_ENVMARK_LIST_ORDER);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < MARK_ORDER_COUNT && work->MarkOrder[i] != MARK_ORDER_END; i++)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)KindName(work->MarkOrder[i]));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    FillOrderList(page, work);
    s_flags.Initialised = 1;
    return TRUE;
}

void Changed(HWND page)
{
    InvalidateRect(page, nullptr, TRUE);
    MarkPageChanged(&s_flags, 1);
}

void EditStyle(HWND page, FontStyle* style, const char* name, int editPlainColor)
{
    if (!RunMarkDialog(page, style, name, editPlainColor, 1, 0))
        return;
    *style = SettingsWorkingCopy()->MarkDialogData.Style;
    Changed(page);
}

void EditWeekday(HWND page, EnvData* work, int weekday)
{
    char name[32];
    wsprintfA(name, "%s曜マーク", kWeekdayChars[weekday]);
    EditStyle(page, &work->WeekStyles[weekday], name, 0);
}

// Monday's style is the model; only a Yes to the question changes the five working days.
void EditWorkdays(HWND page, EnvData* work)
{
    if (!RunMarkDialog(page, &work->WeekStyles[kMonday], "平日マーク", 0, 1, 0))
        return;
    if (TellUser(page, kWorkdaysQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (int day = kMonday; day <= kFriday; day++)
        work->WeekStyles[day] = work->MarkDialogData.Style;
    Changed(page);
}

// Swaps the order entries at line and line + step and moves the line with them.
void MoveKind(HWND page, EnvData* work, int line, int step)
{
    int target = line + step;
    int moved = work->MarkOrder[line];
    work->MarkOrder[line] = work->MarkOrder[target];
    work->MarkOrder[target] = moved;
    HWND list = GetDlgItem(page, IDC_ENVMARK_LIST_ORDER);
    SendMessageA(list, LB_DELETESTRING, (WPARAM)line, 0);
    SendMessageA(list, LB_INSERTSTRING, (WPARAM)target, (LPARAM)KindName(moved));
    SendMessageA(list, LB_SETCURSEL, (WPARAM)target, 0);
    MarkPageChanged(&s_flags, 1);
}

void OnUp(HWND page, EnvData* work)
{
    int line = (int)SendDlgItemMessageA(page, IDC_ENVMARK_LIST_ORDER, LB_GETCURSEL, 0, 0);
    if (line > 0 && line < MARK_ORDER_COUNT)
        MoveKind(page, work, line, -1);
}

// Without a selection the list answers LB_ERR, which moves nothing.
void OnDown(HWND page, EnvData* work)
{
    int line = (int)SendDlgItemMessageA(page, IDC_ENVMARK_LIST_ORDER, LB_GETCURSEL, 0, 0);
    if (line >= 0 && line < MARK_ORDER_COUNT - 1 && work->MarkOrder[line + 1] != MARK_ORDER_END)
        MoveKind(page, work, line, 1);
}

bool OnCommand(HWND page, int id, int code)
{
    (void)code;
    if (id == SETTINGS_PAGE_STORE) {
        s_flags.Changed = 0;
        return true;
    }
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    if (id >= IDC_ENVMARK_BTN_SUNDAY && id <= IDC_ENVMARK_BTN_SATURDAY && (id - IDC_ENVMARK_BTN_SUNDAY) % 2 == 0) {
        EditWeekday(page, work, (id - IDC_ENVMARK_BTN_SUNDAY) / 2);
        return true;
    }
    switch (id) {
    case IDC_ENVMARK_BTN_WORKDAYS: EditWorkdays(page, work); return true;
    case IDC_ENVMARK_BTN_HOLIDAY: EditStyle(page, &work->HolidayStyle, "休日マーク", 1); return true;
    case IDC_ENVMARK_BTN_TODAY: EditStyle(page, &work->TodayStyle, "今日マーク", 1); return true;
    case IDC_ENVMARK_BTN_UP: OnUp(page, work); return true;
    case IDC_ENVMARK_BTN_DOWN: OnDown(page, work); return true;
    case IDC_ENVMARK_LIST_ORDER: return true;
    }
    return false;
}

// The today button in the user mark's text colour when today's shape names one; a shape naming no user mark there
// is leaves the button unpainted.
void DrawTodayButton(const DRAWITEMSTRUCT* item, const EnvData* work)
{
    const FontStyle& today = work->TodayStyle;
    if (today.MarkType < MARK_KIND_USER_BASE) {
        DrawStyleButton(item, kChangeText, nullptr, today.StrColor, today.ShadowColor);
        return;
    }
    int index = today.MarkType - MARK_KIND_USER_BASE;
    if (!work->UserMarks || index >= work->UserStyleMax)
        return;
    DrawStyleButton(item, kChangeText, nullptr, work->UserMarks[index].Style.StrColor, today.ShadowColor);
}

bool OnDrawItem(const DRAWITEMSTRUCT* item)
{
    const EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    int id = (int)item->CtlID;
    const FontStyle* style = nullptr;
    if (id >= IDC_ENVMARK_BTN_SUNDAY && id <= IDC_ENVMARK_BTN_SATURDAY && (id - IDC_ENVMARK_BTN_SUNDAY) % 2 == 0)
        style = &work->WeekStyles[(id - IDC_ENVMARK_BTN_SUNDAY) / 2];
    else if (id == IDC_ENVMARK_BTN_WORKDAYS)
        style = &work->WeekStyles[kMonday];
    else if (id == IDC_ENVMARK_BTN_HOLIDAY)
        style = &work->HolidayStyle;
    if (style) {
        DrawStyleButton(item, kChangeText, nullptr, style->StrColor, style->ShadowColor);
        return true;
    }
    switch (id) {
    case IDC_ENVMARK_BTN_TODAY: DrawTodayButton(item, work); return true;
    case IDC_ENVMARK_BTN_UP:
    case IDC_ENVMARK_BTN_DOWN:
        DrawGlyphButton(item, id == IDC_ENVMARK_BTN_UP ? GLYPH_ARROW_UP : GLYPH_ARROW_DOWN, 0xC4FFC4, 0x00FF00,
                        0xE0FFE0, 0x40FF40, 0x008000);
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvMarkProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && OnDrawItem((const DRAWITEMSTRUCT*)lParam))
        return TRUE;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
