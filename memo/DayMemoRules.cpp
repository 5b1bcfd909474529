#include "DayMemoRules.h"

#include "DateUtil.h"
#include "MemoDialogIds.h"
#include "MemoWriter.h"
#include "SettingsTypes.h"

namespace {

const int kMargin = 4;
// The mark row stands this far above the bottom beside two rows.
const int kMarkRowGap = 12;
// Space between the mark button, its label and the list.
const int kMarkGap = 8;
// The edit ends this far above the mark row.
const int kEditGap = 4;
const int kWeekDays = 7;

DayMemoBox Box(int x, int y, int width, int height)
{
    DayMemoBox box = {x, y, width, height};
    return box;
}

}  // namespace

const int DayMemoStepOrder[DAY_MEMO_STEP_CONTROLS] = {
    IDC_MEMO_BTN_DAY_NEXT,   IDC_MEMO_LABEL_DAY,   IDC_MEMO_BTN_DAY_BACK,   IDC_MEMO_BTN_WEEK_NEXT,
    IDC_MEMO_LABEL_WEEK,     IDC_MEMO_BTN_WEEK_BACK, IDC_MEMO_BTN_MONTH_NEXT, IDC_MEMO_LABEL_MONTH,
    IDC_MEMO_BTN_MONTH_BACK, IDC_MEMO_BTN_YEAR_NEXT, IDC_MEMO_LABEL_YEAR,   IDC_MEMO_BTN_YEAR_BACK};

DayMemoLayout LayoutDayMemo(const DayMemoLayoutInput* in)
{
    DayMemoLayout out = {};
    int u = in->FontSize;
    int h = u * 8 / 5 + 4;
    int w = in->ClientWidth;
    int bottomY = in->ClientHeight - kMargin - h;
    int markY = in->ClientHeight - 2 * h - kMarkRowGap;

    out.Menu = Box(kMargin, bottomY, 8 * u, h);
    out.MarkButton = Box(kMargin, markY, 8 * u, h);
    out.MarkLabel = Box(out.MarkButton.X + out.MarkButton.Width + kMarkGap, markY, 3 * u, h);
    out.MarkList = Box(out.MarkLabel.X + out.MarkLabel.Width + kMarkGap, markY, 0, 0);

    out.Cancel = Box(w - kMargin - 6 * u, bottomY, 6 * u, h);
    out.Save = Box(out.Cancel.X - 6 * u, bottomY, 6 * u, h);
    out.Help = Box(out.Save.X - h * 3 / 2, bottomY, h, h);

    out.TimePicker = Box(w - kMargin - 6 * u, markY, 6 * u, h);
    out.TimeLabel = Box(out.TimePicker.X - 5 * u, markY, 5 * u, h);

    out.Edit = Box(kMargin, in->EditTop, w - 2 * kMargin, markY - kEditGap - in->EditTop);

    int right = w - kMargin;
    for (int i = 0; i < DAY_MEMO_STEP_CONTROLS; i++) {
        SIZE size = in->Steps[i];
        right -= size.cx;
        out.Steps[i] = Box(right, in->EditTop - kMargin - size.cy, size.cx, size.cy);
    }
    return out;
}

int StepDayMemoDate(int command, int* year, int* month, int* day)
{
    switch (command) {
    case IDC_MEMO_BTN_YEAR_BACK:
    case IDC_MEMO_BTN_YEAR_NEXT: {
        *year += command == IDC_MEMO_BTN_YEAR_NEXT ? 1 : -1;
        int days = DaysInMonth(*year, *month);
        if (*day > days)
            *day = days;
        return 1;
    }
    case IDC_MEMO_BTN_MONTH_BACK: return SubMonthsInt(year, month, day, 1), 1;
    case IDC_MEMO_BTN_MONTH_NEXT: return AddMonthsInt(year, month, day, 1), 1;
    case IDC_MEMO_BTN_WEEK_BACK: return SubDaysInt(year, month, day, kWeekDays), 1;
    case IDC_MEMO_BTN_WEEK_NEXT: return AddDaysInt(year, month, day, kWeekDays), 1;
    case IDC_MEMO_BTN_DAY_BACK: return SubDaysInt(year, month, day, 1), 1;
    case IDC_MEMO_BTN_DAY_NEXT: return AddDaysInt(year, month, day, 1), 1;
    default: return 0;
    }
}

DayMemoQuestion DayMemoQuestionFor(int editChanged, int modified, int hasText, int hadMemo)
{
    if (!editChanged && !modified)
        return DAY_MEMO_ASK_NOTHING;
    if (hasText)
        return DAY_MEMO_ASK_SAVE;
    return hadMemo ? DAY_MEMO_ASK_DELETE : DAY_MEMO_ASK_NOTHING;
}

int IsKnownUserMark(int markType, int userMarkCount)
{
    return markType >= MARK_KIND_USER_BASE && markType - MARK_KIND_USER_BASE < userMarkCount;
}

int DayMemoMarkEntry(int markType, int userMarkCount)
{
    if (!IsKnownUserMark(markType, userMarkCount))
        return DAY_MEMO_MARK_OWN;
    return markType - MARK_KIND_USER_BASE + DAY_MEMO_MARK_FIRST_USER;
}

int DayMemoMarkTypeOfEntry(int entry, int userMarkCount)
{
    int index = entry - DAY_MEMO_MARK_FIRST_USER;
    return index >= 0 && index < userMarkCount ? MARK_KIND_USER_BASE + index : -1;
}

size_t DayMemoTextLimit()
{
    // An escape doubles a character at most.
    return StorableMemoLength() / 2;
}
