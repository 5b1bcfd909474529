// What the calendar rendering files share: the block and day drawing, the day facts, the day-memo month cache and
// the font maker of the blocks.
#pragma once

#include <windows.h>

#include "CalendarArrangement.h"
#include "CalendarRender.h"
#include "DayLook.h"
#include "LanguageModule.h"

class EnvData;

// The widest day number: the day numbers' column and their marks' box are measured on it.
constexpr char kWidestDayNumber[] = "30";

// The day memos the blocks look up come from a cache of the months drawn, kept between passes (nothing is read while
// the memo settings show neither memo marks nor memo texts): each pass begins with BeginDayMemoLookups, so that the
// months are checked against their files once in it. After the pass ReadAheadDayMemoLookups has the months around
// the view (count months from year and month) read ahead for a step to them. FreeDayMemoLookups lets the cache go.
void BeginDayMemoLookups();
void ReadAheadDayMemoLookups(const MemoSettings* memo, int year, int month, int count);
void FreeDayMemoLookups();

// TextOutShadow (shadowed text at x, y).
int DrawCalendarText(HDC hdc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                     int direction, int gradation);
// ShadowTextBounds (the box DrawCalendarText covers with a text of extent size at x, y).
RECT CalendarTextBox(int x, int y, SIZE size, int width, int direction);
// The width and height of text in the DC's font.
SIZE TextExtent(HDC hdc, const char* text);

// What the day lists say of one day: its holidays through checkHoliday (none without it), today, its memorial
// days (with the memorial settings), its repeating memos, its day memo (from the month cache when it holds the
// day's month, else from the store). The texts in facts are process-heap blocks: the caller frees them with
// FreeDayFacts.
void GatherDayFacts(const EnvData& env, const CalendarSources& sources, LanguageModule::CheckHoliday checkHoliday,
                    int year, int month, int day, int otherMonth, MemoSettings* memo, MemorialSettings* memorial,
                    DayFacts* facts);
void FreeDayFacts(DayFacts* facts);

// Days a block can show: six weeks.
#define BLOCK_DAY_MAX 42

// The days of one block, gathered once from the day lists and drawn in two passes: every mark first, then the
// numbers, cells and (addTools 1) tooltips over them.
class BlockDays {
public:
    BlockDays(EnvData* env, MemoSettings* memo, MemorialSettings* memorial);
    ~BlockDays();
    BlockDays(const BlockDays&) = delete;
    BlockDays& operator=(const BlockDays&) = delete;

    // Adds the day whose column is centred at x and whose number stands at y.
    void Add(int x, int y, int year, int month, int day, int otherMonth);
    void Draw(HDC hdc, int addTools);

private:
    struct Day {
        int X;
        int Y;
        DayFacts Facts;
    };
    void DrawMarks(HDC hdc, const Day& day, SIZE digits, LanguageModule::DrawDayMark drawDayMark);
    void DrawNumber(HDC hdc, const Day& day, SIZE digits, LanguageModule::SetToolTip setToolTip, bool number,
                    int addTools);

    EnvData* env_;
    MemoSettings* memo_;
    MemorialSettings* memorial_;
    LanguageModule::CheckHoliday checkHoliday_;
    CalendarSources sources_;
    Day days_[BLOCK_DAY_MAX];
    int count_;
};

// One block of each display type at its place; alignmentBase as AlignmentBase gives it.
void DrawMonthNormal(HDC hdc, int year, int month, const MonthBlockPlace& place, EnvData* env, MemoSettings* memo,
                     MemorialSettings* memorial, int addTools);
void DrawMonthLine(HDC hdc, int year, int month, int alignmentBase, const MonthBlockPlace& place, EnvData* env,
                   MemoSettings* memo, MemorialSettings* memorial, int addTools);
void DrawMonthRow(HDC hdc, int year, int month, int alignmentBase, const MonthBlockPlace& place, EnvData* env,
                  MemoSettings* memo, MemorialSettings* memorial, int addTools);
// The height of a line block as DrawMonthLine draws it, measured on hdc.
int LineBlockHeight(HDC hdc, int year, int month, EnvData* env);

// Makes the day and weekday fonts of the blocks (null when a font cannot be made); tests put in one that fails.
typedef HFONT (*CalendarFontMaker)(const LOGFONTA* font);
// Replaces the font maker; null restores CreateFontIndirectA. The maker in place before.
CalendarFontMaker SetCalendarFontMaker(CalendarFontMaker maker);
