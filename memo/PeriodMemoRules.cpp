#include "PeriodMemoRules.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "HeapUtil.h"
#include "MemoDialogIds.h"
#include "StrUtil.h"

namespace {

const int kMargin = 4;
// Days of the four week periods.
const int kWeekRows[PERIOD_MEMO_MONTH] = {7, 15, 21, 31};
const char kDateFormat[] = "%04ld年%2ld月%2ld日(%s)";
const char kDateReadFormat[] = "%ld年%ld月%ld日";
const char kWeekdays[7][3] = {"日", "月", "火", "水", "木", "金", "土"};
const int kSunday = 0;
const int kSaturday = 6;
// The year, month and day of a date text take this many bytes; the weekday follows.
const size_t kDatePartBytes = 14;
const COLORREF kTodayColor = 0x008000;
const COLORREF kSundayColor = 0x0000FF;
const COLORREF kSaturdayColor = 0xFF0000;

PeriodMemoBox Box(int x, int y, int width, int height)
{
    PeriodMemoBox box = {x, y, width, height};
    return box;
}

bool IsEmpty(const char* text)
{
    return !text || !text[0];
}

}  // namespace

const char* const PeriodMemoModeNames[PERIOD_MEMO_MODES] = {"1週間表示", "2週間表示", "3週間表示", "4週間表示",
                                                            "月間表示"};

const int PeriodMemoStepOrder[PERIOD_MEMO_STEP_CONTROLS] = {
    IDC_MEMO_BTN_DAY_NEXT,   IDC_MEMO_LABEL_DAY,     IDC_MEMO_BTN_DAY_BACK,   IDC_MEMO_BTN_WEEK_NEXT,
    IDC_MEMO_LABEL_WEEK,     IDC_MEMO_BTN_WEEK_BACK, IDC_MEMO_BTN_MONTH_NEXT, IDC_MEMO_LABEL_MONTH,
    IDC_MEMO_BTN_MONTH_BACK, IDC_MEMO_BTN_YEAR_NEXT, IDC_MEMO_LABEL_YEAR,     IDC_MEMO_BTN_YEAR_BACK};

int PeriodMemoShownMode(int mode, int workAreaHeight)
{
    if (mode < 0 || mode >= PERIOD_MEMO_MODES)
        return PERIOD_MEMO_ONE_WEEK;
    if (mode == PERIOD_MEMO_MONTH && workAreaHeight < PERIOD_MEMO_MONTH_MIN_HEIGHT)
        return PERIOD_MEMO_FOUR_WEEKS;
    return mode;
}

int PeriodMemoRowCount(int mode, int year, int month)
{
    if (mode == PERIOD_MEMO_MONTH)
        return DaysInMonth(year, month);
    return kWeekRows[mode >= 0 && mode < PERIOD_MEMO_MONTH ? mode : PERIOD_MEMO_ONE_WEEK];
}

int PeriodMemoDates(int mode, int year, int month, int day, PeriodMemoDate* dates)
{
    if (!dates)
        return 0;
    int rows = PeriodMemoRowCount(mode, year, month);
    // The last day of the period; the rows are counted back from it.
    PeriodMemoDate last = {year, month, day};
    if (mode == PERIOD_MEMO_MONTH)
        last.Day = rows;
    else
        AddDaysInt(&last.Year, &last.Month, &last.Day, rows / 2);
    for (int row = rows - 1; row >= 0; row--) {
        dates[row] = last;
        SubDaysInt(&last.Year, &last.Month, &last.Day, 1);
    }
    return rows;
}

int PeriodMemoMiddleRow(int mode, int rows)
{
    return mode == PERIOD_MEMO_MONTH || rows < 1 ? -1 : (rows - 1) / 2;
}

void FormatPeriodMemoDate(int year, int month, int day, char* text, size_t size)
{
    if (!text || size == 0)
        return;
    snprintf(text, size, kDateFormat, (long)year, (long)month, (long)day, kWeekdays[DayOfWeek(year, month, day)]);
}

int ReadPeriodMemoDate(const char* text, int* year, int* month, int* day)
{
    long y = 0, m = 0, d = 0;
    if (!text || sscanf(text, kDateReadFormat, &y, &m, &d) != 3)
        return 0;
    *year = (int)y;
    *month = (int)m;
    *day = (int)d;
    return 1;
}

char* JoinPeriodMemoText(const char* memo, const char* repeats, const char* memorials)
{
    size_t size = SafeStrLen(memo) + SafeStrLen(repeats) + SafeStrLen(memorials) + 8;
    char* text = (char*)AllocZeroed(size);
    if (!text)
        return nullptr;
    if (!IsEmpty(memo))
        AppendStr(text, memo);
    if (!IsEmpty(repeats)) {
        if (text[0])
            AppendStr(text, " ");
        AppendStr(text, repeats);
    }
    if (!IsEmpty(memorials)) {
        AppendStr(text, text[0] ? " (" : "(");
        // The names stand one a line: on the row they are parted by blanks.
        char* names = text + strlen(text);
        AppendStr(text, memorials);
        for (char* c = names; *c; c++) {
            if (*c == '\r' || *c == '\n')
                *c = ' ';
        }
        AppendStr(text, ")");
    }
    if (!text[0]) {
        HeapFree(GetProcessHeap(), 0, text);
        return nullptr;
    }
    return text;
}

PeriodMemoDateLook PeriodMemoDateLookOf(const char* text, const char* todayText)
{
    if (!text)
        return PERIOD_MEMO_DATE_PLAIN;
    if (todayText && strcmp(text, todayText) == 0)
        return PERIOD_MEMO_DATE_TODAY;
    if (strlen(text) <= kDatePartBytes)
        return PERIOD_MEMO_DATE_PLAIN;
    const char* weekday = text + kDatePartBytes;
    for (int i = 0; i < 7; i++) {
        if (FindStr(weekday, kWeekdays[i]))
            return i == kSunday ? PERIOD_MEMO_DATE_SUNDAY
                   : i == kSaturday ? PERIOD_MEMO_DATE_SATURDAY
                                    : PERIOD_MEMO_DATE_PLAIN;
    }
    return PERIOD_MEMO_DATE_PLAIN;
}

COLORREF PeriodMemoDateColor(PeriodMemoDateLook look, COLORREF plain)
{
    switch (look) {
    case PERIOD_MEMO_DATE_TODAY: return kTodayColor;
    case PERIOD_MEMO_DATE_SUNDAY: return kSundayColor;
    case PERIOD_MEMO_DATE_SATURDAY: return kSaturdayColor;
    default: return plain;
    }
}

PeriodMemoLayout LayoutPeriodMemo(const PeriodMemoLayoutInput* in)
{
    PeriodMemoLayout out = {};
    int u = in->FontSize;
    int h = u * 8 / 5 + 4;
    int w = in->ClientWidth;
    int bottomY = in->ClientHeight - kMargin - h;

    out.Period = Box(kMargin, in->ClientHeight - kMargin - in->Period.cy, in->Period.cx, in->Period.cy);
    out.Close = Box(w - kMargin - 6 * u, bottomY, 6 * u, h);
    out.Open = Box(out.Close.X - 6 * u, bottomY, 6 * u, h);
    out.Help = Box(out.Open.X - h * 3 / 2, bottomY, h, h);
    out.List = Box(kMargin, in->ListTop, w - 2 * kMargin, bottomY - kMargin - in->ListTop);

    int right = w - kMargin;
    for (int i = 0; i < PERIOD_MEMO_STEP_CONTROLS; i++) {
        SIZE size = in->Steps[i];
        right -= size.cx;
        out.Steps[i] = Box(right, in->ListTop - kMargin - size.cy, size.cx, size.cy);
    }
    return out;
}
