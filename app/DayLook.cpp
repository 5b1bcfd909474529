#include "DayLook.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "EnvData.h"
#include "NameSets.h"
#include "DayColor.h"
#include "StrUtil.h"

namespace {

// Weekday names of the tooltip's date line: set 1 (日, 月, ...).
const int kTipWeekdaySet = WEEK_SET_KANJI;
// Bytes a holiday name and a memo text may take in a tooltip.
const size_t kNameTipBytes = 64;
const size_t kMemoTipBytes = 256;
const int kLineSize = 128;
// "hh:mm " before a memo's text in its tooltip line.
const size_t kMemoTimeSize = 6;
const int kLastHour = 23;
const int kLastMinute = 59;

void TakeStyle(DayLook* look, const FontStyle& style)
{
    look->TextColor = style.StrColor;
    look->ShadowColor = style.ShadowColor;
    look->ShadowWidth = style.ShadowWidth;
    look->ShadowDirection = style.ShadowDirection;
    look->Gradation = style.Gradation;
}

void AddMark(DayLook* look, const FontStyle& style, const RECT& box)
{
    if (look->MarkCount >= DAY_LOOK_ORDER_COUNT)
        return;
    look->MarkStyles[look->MarkCount] = style;
    look->MarkBoxes[look->MarkCount] = box;
    look->MarkCount++;
}

// Appends a new line of text, cut to limit bytes on a character boundary.
void AddTipLine(DayLook* look, const char* text, size_t limit)
{
    char line[kMemoTipBytes + 1];
    SafeStrCpy(line, limit + 1, text);
    SafeStrCat(look->Tip, sizeof(look->Tip), "\r\n");
    SafeStrCat(look->Tip, sizeof(look->Tip), line);
}

// The date line and, when asked for, the line of days passed and left.
void AddDateLines(const EnvData& env, int year, int month, int day, DayLook* look)
{
    char line[kLineSize];
    if (env.ShowWeekTip == 1) {
        WeekdayNameSet names(kTipWeekdaySet, nullptr);
        snprintf(line, sizeof(line), "%4d年%d月%d日(%s)", year, month, day, names.Name(DayOfWeek(year, month, day)));
    } else {
        snprintf(line, sizeof(line), "%4d年%d月%d日", year, month, day);
    }
    SafeStrCat(look->Tip, sizeof(look->Tip), line);
    if (env.ShowPassedDays != 1 && env.ShowPassedWeeks != 1 && env.ShowRestDays != 1)
        return;
    long passed = day;
    for (int m = 1; m < month; m++)
        passed += DaysInMonth(year, m);
    long yearDays = 365 + (DaysInMonth(year, 2) == 29 ? 1 : 0);
    SafeStrCat(look->Tip, sizeof(look->Tip), "\r\n");
    if (env.ShowPassedDays == 1) {
        snprintf(line, sizeof(line), "年初から%ld日 ", passed);
        SafeStrCat(look->Tip, sizeof(look->Tip), line);
    }
    if (env.ShowPassedWeeks == 1) {
        snprintf(line, sizeof(line), "年初から%ld週目 ", (passed + 6 + DayOfWeek(year, 1, 1)) / 7);
        SafeStrCat(look->Tip, sizeof(look->Tip), line);
    }
    if (env.ShowRestDays == 1) {
        snprintf(line, sizeof(line), "来年まで%ld日 ", yearDays - passed + 1);
        SafeStrCat(look->Tip, sizeof(look->Tip), line);
    }
}

// One entry that applies: its mark, its tooltip line (when shown) and its colours (unless the style keeps the
// text's colour).
void ApplyEntry(DayLook* look, const RECT& box, const FontStyle& markStyle, const FontStyle& textStyle,
                const char* tip, size_t tipLimit)
{
    AddMark(look, markStyle, box);
    if (tip)
        AddTipLine(look, tip, tipLimit);
    if (textStyle.NoUseStrColor != 1)
        TakeStyle(look, textStyle);
}

// The day memo's tooltip line: its time when it has one, then its text with tabs as blanks, cut to 256 bytes.
void AddMemoTipLine(DayLook* look, const DayFacts& f)
{
    char line[kMemoTimeSize + kMemoTipBytes + 1] = "";
    if (f.DayMemoHour >= 0 && f.DayMemoHour <= kLastHour && f.DayMemoMinute >= 0 && f.DayMemoMinute <= kLastMinute)
        snprintf(line, sizeof(line), "%02ld:%02ld ", (long)f.DayMemoHour, (long)f.DayMemoMinute);
    char text[kMemoTipBytes + 1];
    SafeStrCpy(text, sizeof(text), f.DayMemoText);
    // A tab is never the trail byte of a double-byte character.
    for (char* p = text; *p; p++) {
        if (*p == '\t')
            *p = ' ';
    }
    SafeStrCat(line, sizeof(line), text);
    SafeStrCat(look->Tip, sizeof(look->Tip), "\r\n");
    SafeStrCat(look->Tip, sizeof(look->Tip), line);
}

// A day memo shows with the memo marks or the memo text in the tooltip: the mark and the memo's colours (a user
// mark's for its kinds) only with the marks, the tooltip line only with the text in the tooltip.
void ApplyDayMemo(const EnvData& env, const DayFacts& f, const RECT& box, int withTip, DayLook* look)
{
    if (!f.DayMemoText || (!f.MemoMarksOn && !f.MemoTipOn))
        return;
    if (f.MemoMarksOn)
        AddMark(look, f.DayMemoStyle, box);
    if (withTip && f.MemoTipOn)
        AddMemoTipLine(look, f);
    if (!f.MemoMarksOn)
        return;
    const FontStyle& textStyle = *MemoTextStyle(&env, &f.DayMemoStyle);
    if (textStyle.NoUseStrColor != 1)
        TakeStyle(look, textStyle);
}

void ApplyOrderEntry(const EnvData& env, const DayFacts& f, int kind, const RECT& box, int withTip, DayLook* look)
{
    switch (kind) {
    case MARK_ORDER_WEEKDAY: {
        // The weekday's colours count even where its style says to keep the text colour.
        const FontStyle& style = env.WeekStyles[DayOfWeek(f.Year, f.Month, f.Day)];
        AddMark(look, style, box);
        TakeStyle(look, style);
        break;
    }
    case MARK_ORDER_HOLIDAY:
        // A derived holiday takes the holiday's colours and tooltip line but no mark.
        if (f.IsListedHoliday)
            AddMark(look, env.HolidayStyle, box);
        if (f.IsHoliday) {
            if (withTip && env.ShowHolidayTip == 1)
                AddTipLine(look, f.HolidayName, kNameTipBytes);
            if (env.HolidayStyle.NoUseStrColor != 1)
                TakeStyle(look, env.HolidayStyle);
        }
        break;
    case MARK_ORDER_TODAY:
        if (f.IsToday)
            ApplyEntry(look, box, env.TodayStyle, env.TodayStyle, withTip ? "今日" : nullptr, kNameTipBytes);
        break;
    case MARK_ORDER_MEMORIAL:
        if (f.MemorialText)
            ApplyEntry(look, box, f.MemorialStyle, f.MemorialStyle,
                       withTip && f.MemorialTipOn ? f.MemorialText : nullptr, kNameTipBytes);
        break;
    case MARK_ORDER_MY_HOLIDAY:
        if (f.IsMyHoliday)
            ApplyEntry(look, box, env.MyHolidayStyle, env.MyHolidayStyle,
                       withTip && env.ShowMyHolidayTip == 1 ? f.MyHolidayName : nullptr, kNameTipBytes);
        break;
    case MARK_ORDER_REPEAT_MEMO:
        if (!f.RepeatMemoText)
            break;
        // The mark always; text colours and the tooltip line with the memo marks or the repeating-memo tip. A
        // repeating memo keeps its own colours, whatever mark it names.
        if (f.MemoMarksOn || env.ShowRepeatMemoTip == 1)
            ApplyEntry(look, box, f.RepeatMemoStyle, f.RepeatMemoStyle, withTip ? f.RepeatMemoText : nullptr,
                       kMemoTipBytes);
        else
            AddMark(look, f.RepeatMemoStyle, box);
        break;
    case MARK_ORDER_DAY_MEMO:
        ApplyDayMemo(env, f, box, withTip, look);
        break;
    default:
        break;
    }
}

}  // namespace

void DecideDayLook(const EnvData& env, const DayFacts& facts, const RECT& markBox, int withTip, DayLook* look)
{
    memset(look, 0, sizeof(*look));
    look->TextColor = RGB(0, 0, 0);
    look->ShadowColor = env.ShadowColor;
    look->ShadowWidth = env.ShadowWidth;
    look->ShadowDirection = env.ShadowDirection;
    if (withTip)
        AddDateLines(env, facts.Year, facts.Month, facts.Day, look);
    // Every entry gets the day's box as it is: the marks of one day never nest.
    for (int i = 0; i < DAY_LOOK_ORDER_COUNT; i++)
        ApplyOrderEntry(env, facts, env.MarkOrder[i], markBox, withTip, look);
    if (facts.OtherMonth) {
        look->TextColor = OtherMonthColor(look->TextColor, env.FillLightColor == 1, env.FillDarkColor == 1);
        look->ShadowColor = OtherMonthColor(look->ShadowColor, env.FillLightColor == 1, env.FillDarkColor == 1);
    }
}

int DayNumberLeft(const EnvData& env, int x, SIZE digits, SIZE text)
{
    if (env.DayAlign == 0)
        return x - digits.cx / 2;
    if (env.DayAlign == 2)
        return x + digits.cx / 2 - text.cx;
    return x - text.cx / 2;
}

RECT DayMarkBox(const EnvData& env, int x, int y, SIZE digits)
{
    RECT box;
    box.left = x - digits.cx / 2;
    box.top = y;
    box.right = box.left + digits.cx + (env.DayFont.lfItalic ? digits.cy / 5 : 0) + env.ShadowWidth;
    box.bottom = y + digits.cy - 1 + env.ShadowWidth;
    return box;
}

RECT DayCellRect(const EnvData& env, const RECT& drawn, SIZE text)
{
    RECT cell = drawn;
    if (env.DayFont.lfItalic)
        cell.right += text.cy / 5;
    // The hit test counts a cell's right and bottom edges in, so they stand on the last column and row drawn: one
    // further, the cell of a day reached the first row of the digits below it.
    cell.right--;
    cell.bottom--;
    return cell;
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
