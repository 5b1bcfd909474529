// The days of a block: what the day lists say of each, then their marks, numbers and cells drawn as their looks
// decide.
#include <stdio.h>
#include <string.h>

#include "CalendarRenderParts.h"
#include "DateUtil.h"
#include "DayMemoCache.h"
#include "HolidayCheck.h"
#include "HeapUtil.h"
#include "Memo.h"
#include "MemorialDays.h"
#include "MemoWriter.h"
#include "ModuleBinding.h"
#include "Program.h"

namespace {

const int kDayTextSize = 16;

bool s_customSources = false;
CalendarSources s_sources = {};

// The day memos of the months drawn, kept between passes; made at its first use.
DayMemoCache* s_dayMemos = nullptr;

// Day memos are looked up only while they show: as marks, or as texts in the tooltips.
bool ShowsDayMemos(const MemoSettings* memo)
{
    return memo && (memo->MemoMark == 1 || memo->MemoShowToolTip == 1);
}

// The day's memo text (a heap copy) and record, through the memo cache (straight from the store without memory for
// it).
char* DayMemoOf(const MemoSettings* memo, int year, int month, int day, DayMemoRecord* record)
{
    if (!s_dayMemos)
        s_dayMemos = CreateDayMemoCache();
    MemoStoreSettings store = MemoStoreOf(memo);
    return CachedDayMemoText(s_dayMemos, &store, year, month, day, record, 0);
}

bool IsToday(const EnvData& env, int year, int month, int day)
{
    return env.Today.wYear == year && env.Today.wMonth == month && env.Today.wDay == day;
}

// The memorial days on the date, with their ages when the memorial settings ask for them.
void GatherMemorialDays(const CalendarSources& sources, int year, int month, int day, const MemorialSettings* memorial,
                        DayFacts* facts)
{
    if (!memorial || !sources.Memorials || sources.MemorialCount < 1)
        return;
    char names[HOLIDAY_NAME_SIZE];
    CheckMemorial(sources.Memorials, sources.MemorialCount, year, month, day, DayOfWeek(year, month, day),
                  memorial->MemorialCount == 1 ? 1 : 0, names);
    // A memorial day before its year has a negative age, so the names, not the age, tell whether one falls here.
    if (!names[0])
        return;
    facts->MemorialText = StrDupHeap(names);
    facts->MemorialStyle = memorial->MemorialStyle;
    facts->MemorialTipOn = memorial->MemorialShowToolTip == 1;
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
    sources.RepeatMemos = g_repeatMemos.Records;
    sources.RepeatTexts = g_repeatMemos.Texts;
    sources.RepeatCount = g_repeatMemos.Count;
    sources.Memorials = MemorialDaysOnMainThread(&sources.MemorialCount);
    return sources;
}

void GatherDayFacts(const EnvData& env, const CalendarSources& sources, LanguageModule::CheckHoliday checkHoliday,
                    int year, int month, int day, int otherMonth, MemoSettings* memo, MemorialSettings* memorial,
                    DayFacts* facts)
{
    memset(facts, 0, sizeof(*facts));
    facts->Year = year;
    facts->Month = month;
    facts->Day = day;
    facts->OtherMonth = otherMonth;
    facts->IsToday = IsToday(env, year, month, day);
    if (checkHoliday) {
        facts->IsHoliday = checkHoliday(sources.Holidays, sources.HolidayCount, year, month, day,
                                        facts->HolidayName, 1) != 0;
        facts->IsListedHoliday =
            facts->IsHoliday && MatchHolidayDate(sources.Holidays, sources.HolidayCount, year, month, day, nullptr);
        facts->IsMyHoliday = checkHoliday(sources.MyHolidays, sources.MyHolidayCount, year, month, day,
                                          facts->MyHolidayName, 0) != 0;
    }
    if (sources.RepeatMemos && sources.RepeatCount > 0)
        facts->RepeatMemoText = GetRepeatMemoText(sources.RepeatMemos, sources.RepeatTexts, sources.RepeatCount,
                                                  sources.Holidays, sources.HolidayCount, year, month, day,
                                                  &facts->RepeatMemoStyle, 0);
    GatherMemorialDays(sources, year, month, day, memorial, facts);
    if (!ShowsDayMemos(memo))
        return;
    facts->MemoMarksOn = memo->MemoMark == 1;
    facts->MemoTipOn = memo->MemoShowToolTip == 1;
    DayMemoRecord record = {memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    facts->DayMemoText = DayMemoOf(memo, year, month, day, &record);
    facts->DayMemoStyle = record.Style;
    facts->DayMemoHour = record.Hour;
    facts->DayMemoMinute = record.Minute;
}

void FreeDayFacts(DayFacts* facts)
{
    if (facts->RepeatMemoText)
        HeapFree(GetProcessHeap(), 0, (void*)facts->RepeatMemoText);
    facts->RepeatMemoText = nullptr;
    if (facts->DayMemoText)
        HeapFree(GetProcessHeap(), 0, (void*)facts->DayMemoText);
    facts->DayMemoText = nullptr;
    if (facts->MemorialText)
        HeapFree(GetProcessHeap(), 0, (void*)facts->MemorialText);
    facts->MemorialText = nullptr;
}

void BeginDayMemoLookups()
{
    BeginDayMemoPass(s_dayMemos);
}

void ReadAheadDayMemoLookups(const MemoSettings* memo, int year, int month, int count)
{
    if (!ShowsDayMemos(memo) || !s_dayMemos)
        return;
    MemoStoreSettings store = MemoStoreOf(memo);
    ReadAheadDayMemos(s_dayMemos, &store, year, month, count);
}

void FreeDayMemoLookups()
{
    FreeDayMemoCache(s_dayMemos);
    s_dayMemos = nullptr;
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

BlockDays::BlockDays(EnvData* env, MemoSettings* memo, MemorialSettings* memorial)
    : env_(env), memo_(memo), memorial_(memorial), checkHoliday_(LanguageProc(LanguageModule::kCheckHoliday)),
      sources_(CurrentCalendarSources()), count_(0)
{
}

BlockDays::~BlockDays()
{
    for (int i = 0; i < count_; i++)
        FreeDayFacts(&days_[i].Facts);
}

void BlockDays::Add(int x, int y, int year, int month, int day, int otherMonth)
{
    if (count_ >= BLOCK_DAY_MAX)
        return;
    Day& added = days_[count_++];
    added.X = x;
    added.Y = y;
    GatherDayFacts(*env_, sources_, checkHoliday_, year, month, day, otherMonth, memo_, memorial_, &added.Facts);
}

void BlockDays::Draw(HDC hdc, int addTools)
{
    SIZE digits = TextExtent(hdc, kWidestDayNumber);
    auto drawDayMark = LanguageProc(LanguageModule::kDrawDayMark);
    for (int i = 0; i < count_ && drawDayMark; i++)
        DrawMarks(hdc, days_[i], digits, drawDayMark);
    auto setToolTip = LanguageProc(LanguageModule::kSetToolTip);
    // A language module without the text cutter draws no day numbers; the cells are still recorded.
    bool numbers = LanguageProc(LanguageModule::kLimitString) != nullptr;
    for (int i = 0; i < count_; i++)
        DrawNumber(hdc, days_[i], digits, setToolTip, numbers, addTools);
}

void BlockDays::DrawMarks(HDC hdc, const Day& day, SIZE digits, LanguageModule::DrawDayMark drawDayMark)
{
    DayLook look;
    DecideDayLook(*env_, day.Facts, DayMarkBox(*env_, day.X, day.Y, digits), 0, &look);
    char text[kDayTextSize];
    snprintf(text, sizeof(text), "%ld", (long)day.Facts.Day);
    for (int i = 0; i < look.MarkCount; i++) {
        // The export shrinks the box it is handed; the look keeps the day's own box for every mark.
        RECT box = look.MarkBoxes[i];
        drawDayMark(hdc, &box, day.Facts.OtherMonth, text, &look.MarkStyles[i], env_);
    }
}

void BlockDays::DrawNumber(HDC hdc, const Day& day, SIZE digits, LanguageModule::SetToolTip setToolTip,
                           bool number, int addTools)
{
    const DayFacts& f = day.Facts;
    DayLook look;
    DecideDayLook(*env_, f, DayMarkBox(*env_, day.X, day.Y, digits), addTools == 1, &look);
    char text[kDayTextSize];
    snprintf(text, sizeof(text), "%ld", (long)f.Day);
    SIZE extent = TextExtent(hdc, text);
    int left = DayNumberLeft(*env_, day.X, digits, extent);
    if (number)
        DrawCalendarText(hdc, left, day.Y, text, look.TextColor, look.ShadowColor, look.ShadowWidth,
                         look.ShadowDirection, look.Gradation);
    if (!setToolTip)
        return;
    RECT cell =
        DayCellRect(*env_, CalendarTextBox(left, day.Y, extent, look.ShadowWidth, look.ShadowDirection), extent);
    setToolTip(env_->DayCells, &env_->DayCellCount, look.Tip, &cell, env_, f.Year, f.Month, f.Day, addTools);
}
