// One day of the calendar: its colours and tooltip lines by the mark order, its marks, its cell.
#include <stdio.h>
#include <string.h>

#include "CalendarRenderParts.h"
#include "DateUtil.h"
#include "HeapUtil.h"
#include "HolidayCheck.h"
#include "ModuleBinding.h"
#include "Program.h"
#include "StrUtil.h"

namespace {

const char kWidestDigits[] = "30";
const int kMarkOrderUsed = 8;
const int kNameTipBytes = 64;
const int kMemoTipBytes = 256;

bool s_customSources = false;
CalendarSources s_sources = {};

// Text, shadow colour, shadow width, direction and gradation of one day number.
struct NumberColors {
    COLORREF Text;
    COLORREF Shadow;
    int ShadowWidth;
    int ShadowDirection;
    int Gradation;
};

void TakeStyle(NumberColors* colors, const FontStyle& style)
{
    colors->Text = style.StrColor;
    colors->Shadow = style.ShadowColor;
    colors->ShadowWidth = style.ShadowWidth;
    colors->ShadowDirection = style.ShadowDirection;
    colors->Gradation = style.Gradation;
}

COLORREF Lighten(COLORREF c)
{
    return RGB((GetRValue(c) + 255) / 2, (GetGValue(c) + 255) / 2, (GetBValue(c) + 255) / 2);
}

COLORREF Darken(COLORREF c)
{
    return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
}

// A growing process-heap text; stays null until something is added.
class TipText {
public:
    ~TipText() { HeapFree(GetProcessHeap(), 0, text_); }
    void Add(const char* part)
    {
        if (!part || !*part)
            return;
        size_t add = strlen(part);
        char* grown = text_ ? (char*)HeapReAlloc(GetProcessHeap(), 0, text_, length_ + add + 1)
                            : (char*)HeapAlloc(GetProcessHeap(), 0, add + 1);
        if (!grown)
            return;
        memcpy(grown + length_, part, add + 1);
        text_ = grown;
        length_ += add;
    }
    char* Release()
    {
        char* text = text_;
        text_ = nullptr;
        length_ = 0;
        return text;
    }

private:
    char* text_ = nullptr;
    size_t length_ = 0;
};

bool IsToday(const EnvData* env, int year, int month, int day)
{
    return env->Today.wYear == year && env->Today.wMonth == month && env->Today.wDay == day;
}

// The texts and style of the repeating memos on the date; null when none. The caller frees the text.
char* RepeatMemosOn(const CalendarSources& sources, int year, int month, int day, FontStyle* style)
{
    if (!sources.RepeatMemos || sources.RepeatCount <= 0)
        return nullptr;
    return GetRepeatMemoText(sources.RepeatMemos, sources.RepeatTexts, sources.RepeatCount, sources.Holidays,
                             sources.HolidayCount, year, month, day, style, 0);
}

}  // namespace

void SetCalendarSources(const CalendarSources* sources)
{
    s_customSources = sources != nullptr;
    if (sources)
        s_sources = *sources;
}

CalendarSources CurrentCalendarSources()
{
    if (s_customSources)
        return s_sources;
    CalendarSources sources = {};
    sources.Holidays = g_program.Holidays;
    sources.HolidayCount = (int)g_program.HolidayCount;
    sources.MyHolidays = g_program.MyHolidays;
    sources.MyHolidayCount = (int)g_program.MyHolidayCount;
    return sources;
}

const FontStyle* MemoTextStyle(const EnvData* env, const FontStyle* own)
{
    if (!env || !own || own->MarkType < MARK_KIND_USER_BASE)
        return own;
    // The kind comes from a memo file: only a mark the record really holds may be read.
    int index = own->MarkType - MARK_KIND_USER_BASE;
    if (!env->UserMarks || index >= env->UserStyleMax)
        return own;
    return &env->UserMarks[index].Style;
}

SIZE TextExtent(HDC hdc, const char* text)
{
    SIZE size = {};
    if (!GetTextExtentPoint32A(hdc, text, (int)strlen(text), &size)) {
        size.cx = 0;
        size.cy = 0;
    }
    return size;
}

char* DrawDayNumber(HDC hdc, int x, int y, const char* dayText, int year, int month, int day, int otherMonth,
                    EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    auto limitString = LanguageProc(LanguageModule::kLimitString);
    if (!limitString || !env || !dayText)
        return nullptr;
    auto checkHoliday = LanguageProc(LanguageModule::kCheckHoliday);
    CalendarSources sources = CurrentCalendarSources();

    SIZE digits = TextExtent(hdc, kWidestDigits);
    SIZE text = TextExtent(hdc, dayText);
    int left;
    if (env->DayAlign == 0)
        left = x - digits.cx / 2;
    else if (env->DayAlign == 2)
        left = x + digits.cx / 2 - text.cx;
    else
        left = x - text.cx / 2;

    NumberColors colors = {RGB(0, 0, 0), env->ShadowColor, env->ShadowWidth, env->ShadowDirection, 0};
    TipText tips;
    for (int i = 0; i < kMarkOrderUsed; i++) {
        switch (env->MarkOrder[i]) {
        case MARK_ORDER_WEEKDAY:
            TakeStyle(&colors, env->WeekStyles[DayOfWeek(year, month, day) % 7]);
            break;
        case MARK_ORDER_HOLIDAY: {
            char name[HOLIDAY_NAME_SIZE] = "";
            if (!checkHoliday || !checkHoliday(sources.Holidays, sources.HolidayCount, year, month, day, name, 1))
                break;
            if (addTools == 1 && env->ShowHolidayTip == 1) {
                tips.Add("\r\n");
                tips.Add(limitString(name, kNameTipBytes));
            }
            if (env->HolidayStyle.NoUseStrColor != 1)
                TakeStyle(&colors, env->HolidayStyle);
            break;
        }
        case MARK_ORDER_TODAY:
            if (!IsToday(env, year, month, day))
                break;
            if (addTools == 1)
                tips.Add("\r\n今日");
            if (env->TodayStyle.NoUseStrColor != 1)
                TakeStyle(&colors, env->TodayStyle);
            break;
        case MARK_ORDER_MEMORIAL:
            // Memorial days join with their settings.
            (void)memorial;
            break;
        case MARK_ORDER_MY_HOLIDAY: {
            char name[HOLIDAY_NAME_SIZE] = "";
            if (!checkHoliday ||
                !checkHoliday(sources.MyHolidays, sources.MyHolidayCount, year, month, day, name, 0))
                break;
            if (addTools == 1 && env->ShowMyHolidayTip == 1) {
                tips.Add("\r\n");
                tips.Add(limitString(name, kNameTipBytes));
            }
            if (env->MyHolidayStyle.NoUseStrColor != 1)
                TakeStyle(&colors, env->MyHolidayStyle);
            break;
        }
        case MARK_ORDER_REPEAT_MEMO: {
            if (!MemoMarksOn(memo) && env->ShowRepeatMemoTip != 1)
                break;
            FontStyle style = {};
            char* texts = RepeatMemosOn(sources, year, month, day, &style);
            if (!texts)
                break;
            tips.Add("\r\n");
            tips.Add(limitString(texts, kMemoTipBytes));
            HeapFree(GetProcessHeap(), 0, texts);
            const FontStyle* used = MemoTextStyle(env, &style);
            if (used->NoUseStrColor != 1)
                TakeStyle(&colors, *used);
            break;
        }
        case MARK_ORDER_DAY_MEMO:
            // Day memos join with the memo settings and the month cache.
            (void)DayHasMemo(memo, year, month, day);
            break;
        default:
            break;
        }
    }
    if (otherMonth) {
        if (env->FillLightColor == 1) {
            colors.Text = Lighten(colors.Text);
            colors.Shadow = Lighten(colors.Shadow);
        } else if (env->FillDarkColor == 1) {
            colors.Text = Darken(colors.Text);
            colors.Shadow = Darken(colors.Shadow);
        }
    }
    DrawCalendarText(hdc, left, y, dayText, colors.Text, colors.Shadow, colors.ShadowWidth, colors.ShadowDirection,
                  colors.Gradation);
    return tips.Release();
}

void DrawDayMarks(HDC hdc, int x, int y, int year, int month, int day, int weekday, int otherMonth,
                  const char* dayText, EnvData* env, MemoSettings* memo, MemorialSettings* memorial)
{
    auto drawDayMark = LanguageProc(LanguageModule::kDrawDayMark);
    if (!drawDayMark || !env)
        return;
    CalendarSources sources = CurrentCalendarSources();
    SIZE digits = TextExtent(hdc, kWidestDigits);
    RECT box;
    box.left = x - digits.cx / 2;
    box.top = y;
    box.right = box.left + digits.cx + (env->DayFont.lfItalic ? digits.cy / 5 : 0) + env->ShadowWidth;
    box.bottom = y + digits.cy - 1 + env->ShadowWidth;

    for (int i = 0; i < kMarkOrderUsed; i++) {
        RECT markBox = box;
        switch (env->MarkOrder[i]) {
        case MARK_ORDER_WEEKDAY:
            if (weekday >= 0 && weekday <= 6)
                drawDayMark(hdc, &markBox, otherMonth, dayText, &env->WeekStyles[weekday], env);
            break;
        case MARK_ORDER_HOLIDAY:
            if (MatchHolidayDate(sources.Holidays, sources.HolidayCount, year, month, day, nullptr))
                drawDayMark(hdc, &markBox, otherMonth, dayText, &env->HolidayStyle, env);
            break;
        case MARK_ORDER_TODAY:
            if (IsToday(env, year, month, day))
                drawDayMark(hdc, &markBox, otherMonth, dayText, &env->TodayStyle, env);
            break;
        case MARK_ORDER_MEMORIAL:
            (void)memorial;
            break;
        case MARK_ORDER_MY_HOLIDAY:
            if (MatchHolidayDate(sources.MyHolidays, sources.MyHolidayCount, year, month, day, nullptr))
                drawDayMark(hdc, &markBox, otherMonth, dayText, &env->MyHolidayStyle, env);
            break;
        case MARK_ORDER_REPEAT_MEMO: {
            FontStyle style = {};
            char* texts = RepeatMemosOn(sources, year, month, day, &style);
            if (texts) {
                HeapFree(GetProcessHeap(), 0, texts);
                drawDayMark(hdc, &markBox, otherMonth, dayText, &style, env);
            }
            break;
        }
        case MARK_ORDER_DAY_MEMO:
            (void)DayHasMemo(memo, year, month, day);
            break;
        default:
            break;
        }
    }
}

void DrawDayCell(HDC hdc, int x, int y, int year, int month, int day, int otherMonth, EnvData* env,
                 MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    char dayText[16];
    snprintf(dayText, sizeof(dayText), "%ld", (long)day);
    char* extra = DrawDayNumber(hdc, x, y, dayText, year, month, day, otherMonth, env, memo, memorial, addTools);

    auto setToolTip = LanguageProc(LanguageModule::kSetToolTip);
    if (!setToolTip) {
        HeapFree(GetProcessHeap(), 0, extra);
        return;
    }
    SIZE text = TextExtent(hdc, dayText);
    RECT cell;
    cell.left = x - text.cx / 2;
    cell.top = y;
    cell.right = cell.left + text.cx + (env->DayFont.lfItalic ? text.cy / 5 : 0) + env->ShadowWidth;
    cell.bottom = y + text.cy + env->ShadowWidth;

    TipText tip;
    if (addTools == 1) {
        char line[128];
        int weekday = DayOfWeek(year, month, day) % 7;
        static const char* const kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
        if (env->ShowWeekTip == 1)
            snprintf(line, sizeof(line), "%4d年%d月%d日(%s)", year, month, day, kWeekdays[weekday]);
        else
            snprintf(line, sizeof(line), "%4d年%d月%d日", year, month, day);
        tip.Add(line);
        if (env->ShowPassedDays == 1 || env->ShowPassedWeeks == 1 || env->ShowRestDays == 1) {
            long passed = day;
            for (int m = 1; m < month; m++)
                passed += DaysInMonth(year, m);
            long yearDays = 365 + (DaysInMonth(year, 2) == 29 ? 1 : 0);
            tip.Add("\r\n");
            if (env->ShowPassedDays == 1) {
                snprintf(line, sizeof(line), "年初から%ld日 ", passed);
                tip.Add(line);
            }
            if (env->ShowPassedWeeks == 1) {
                snprintf(line, sizeof(line), "年初から%ld週目 ", (passed + 6 + DayOfWeek(year, 1, 1)) / 7);
                tip.Add(line);
            }
            if (env->ShowRestDays == 1) {
                snprintf(line, sizeof(line), "来年まで%ld日 ", yearDays - passed + 1);
                tip.Add(line);
            }
        }
        tip.Add(extra);
    }
    HeapFree(GetProcessHeap(), 0, extra);
    char* tipText = tip.Release();
    setToolTip(env->DayCells, &env->DayCellCount, tipText ? tipText : "", &cell, env, year, month, day, addTools);
    HeapFree(GetProcessHeap(), 0, tipText);
}
