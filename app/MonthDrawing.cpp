// One month block in each display type at the place the arrangement gave it: heading, weekday texts, the marks
// and then the numbers of its days.
#include <stdio.h>
#include <string.h>

#include "CalendarRenderParts.h"
#include "DateUtil.h"
#include "ModuleBinding.h"
#include "NameSets.h"
#include "ShownMonth.h"

namespace {

const int kWalkStepMax = 1048576;

HFONT CreateFontRecord(const LOGFONTA* font)
{
    return CreateFontIndirectA(font);
}

CalendarFontMaker s_fontMaker = CreateFontRecord;

bool HasHeading(const EnvData* env)
{
    return env->YearType != 0 || env->MonthType != 0;
}

// A font of the record made for the life of the object. Select puts it into the DC, or the DC's own font when it
// could not be made, so a failed font never leaves another one selected; the DC's own font comes back at the end.
class SelectedFont {
public:
    SelectedFont(HDC hdc, const LOGFONTA& font)
        : hdc_(hdc), own_(GetCurrentObject(hdc, OBJ_FONT)), font_(s_fontMaker(&font))
    {
        Select();
    }
    ~SelectedFont()
    {
        if (own_)
            SelectObject(hdc_, own_);
        if (font_)
            DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    void Select() const
    {
        HGDIOBJ font = font_ ? (HGDIOBJ)font_ : own_;
        if (font)
            SelectObject(hdc_, font);
    }

private:
    HDC hdc_;
    HGDIOBJ own_;
    HFONT font_;
};

// The heading of a block, measured with the fonts the language module makes for it. The DC's font is put back
// after measuring, so the heading fonts are never left selected when they are deleted.
struct Heading {
    int Width = 0;
    int Height = 0;
    SIZE YearText = {};
    SIZE MonthText = {};
    HFONT YearFont = nullptr;
    HFONT MonthFont = nullptr;

    Heading(HDC hdc, int year, int month, EnvData* env)
    {
        auto calc = LanguageProc(LanguageModule::kCalcYearMonthSize);
        HGDIOBJ own = GetCurrentObject(hdc, OBJ_FONT);
        if (calc)
            calc(hdc, &YearFont, &MonthFont, year, month, &Width, &Height, &YearText, &MonthText, env);
        if (own)
            SelectObject(hdc, own);
    }
    ~Heading()
    {
        if (YearFont)
            DeleteObject(YearFont);
        if (MonthFont)
            DeleteObject(MonthFont);
    }
    Heading(const Heading&) = delete;
    Heading& operator=(const Heading&) = delete;

    void Draw(HDC hdc, int year, int month, int x, int y, int availableWidth, EnvData* env, int addTools) const
    {
        auto draw = LanguageProc(LanguageModule::kDrawYearMonth);
        if (draw)
            draw(hdc, year, month, x, y, availableWidth, Width, Height, YearText, MonthText, YearFont, MonthFont,
                 addTools, env);
    }
};

void DrawWeekdayText(HDC hdc, int x, int y, int weekday, const char* text, const EnvData* env)
{
    const FontStyle& style = env->WeekStyles[weekday % 7];
    DrawCalendarText(hdc, x, y, text, style.StrColor, style.ShadowColor, style.ShadowWidth, style.ShadowDirection,
                     style.Gradation);
}

void NextDay(int* year, int* month, int* day)
{
    if (++*day > DaysInMonth(*year, *month)) {
        *day = 1;
        if (++*month > 12) {
            *month = 1;
            ++*year;
        }
    }
}

void PreviousDay(int* year, int* month, int* day)
{
    if (--*day < 1) {
        if (--*month < 1) {
            *month = 12;
            --*year;
        }
        *day = DaysInMonth(*year, *month);
    }
}

// The days of a month's grid from its top-left cell, with the neighbouring months' days of its first and last
// week when the spaces are filled.
void AddGridDays(int year, int month, int left, int top, const EnvData* env, BlockDays* days)
{
    int startDay = WeekStartDay(*env);
    int y = year, m = month, d = 1;
    if (env->FillSpace == 1) {
        for (int i = 0; i < 6 && DayOfWeek(y, m, d) != startDay; i++)
            PreviousDay(&y, &m, &d);
    }
    int last = DaysInMonth(year, month);
    int row = 0;
    for (int step = 0; step < kWalkStepMax; step++) {
        int column = (DayOfWeek(y, m, d) + 7 - startDay) % 7;
        int otherMonth = (y != year || m != month) ? 1 : 0;
        days->Add(left + column * env->DayWidth + env->DayWidth / 2, top + row * env->DayHeight, y, m, d,
                  otherMonth);
        bool lastDay = !otherMonth && d == last;
        bool nextMonth = otherMonth && (y > year || (y == year && m > month));
        if (lastDay && env->FillSpace != 1)
            break;
        if (column == 6 && (lastDay || (nextMonth && d < 7)))
            break;
        if (column == 6)
            row++;
        NextDay(&y, &m, &d);
    }
}

// Cells from the first place of a line or column to the day: the aligned ones leave room for the weekdays before
// the 1st.
int AlignedOffset(int year, int month, int day, int alignmentBase)
{
    if (alignmentBase < 7)
        return day - 1 + DayOfWeek(year, month, 1) - alignmentBase;
    return day - 1;
}

// The days of a line or column block, dayAt(d) giving the centre x and the y of day d.
template <typename Place>
void DrawDaysOfMonth(HDC hdc, int year, int month, Place dayAt, EnvData* env, MemoSettings* memo,
                     MemorialSettings* memorial, int addTools)
{
    BlockDays days(env, memo, memorial);
    for (int d = 1; d <= DaysInMonth(year, month); d++)
        days.Add(dayAt(d).x, dayAt(d).y, year, month, d, 0);
    days.Draw(hdc, addTools);
}

void BeginBlock(HDC hdc)
{
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
}

}  // namespace

CalendarFontMaker SetCalendarFontMaker(CalendarFontMaker maker)
{
    CalendarFontMaker before = s_fontMaker;
    s_fontMaker = maker ? maker : CreateFontRecord;
    return before;
}

void DrawMonthNormal(HDC hdc, int year, int month, const MonthBlockPlace& place, EnvData* env, MemoSettings* memo,
                     MemorialSettings* memorial, int addTools)
{
    if (!hdc || !env)
        return;
    BeginBlock(hdc);
    SelectedFont dayFont(hdc, env->DayFont);
    Heading heading(hdc, year, month, env);
    heading.Draw(hdc, year, month, place.X, place.Y, place.Width, env, addTools);
    dayFont.Select();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    int gridWidth = 7 * env->DayWidth;
    int left = place.X;
    if (HasHeading(env)) {
        if (env->DisplayYMStyle == 1)
            left = place.X + place.Width - gridWidth;
        else if (env->DisplayYMStyle == 2 || env->DisplayYMStyle == 3)
            left = place.X + (place.Width - gridWidth) / 2;
    }
    int top = place.Y + (HasHeading(env) ? env->MonthHeight : 0);

    if (env->WeekType != 0) {
        SelectedFont weekFont(hdc, env->WeekFont);
        WeekdayNameSet names(env->WeekType, env->WeekUserStr);
        SetTextAlign(hdc, TA_CENTER | TA_TOP);
        for (int c = 0; c < 7; c++) {
            int weekday = (c + WeekStartDay(*env)) % 7;
            DrawWeekdayText(hdc, left + c * env->DayWidth + env->DayWidth / 2, top, weekday, names.Name(weekday),
                            env);
        }
        SetTextAlign(hdc, TA_LEFT | TA_TOP);
        top += env->WeekHeight;
    }
    dayFont.Select();
    BlockDays days(env, memo, memorial);
    AddGridDays(year, month, left, top, env, &days);
    days.Draw(hdc, addTools);
}

int LineBlockHeight(HDC hdc, int year, int month, EnvData* env)
{
    if (!hdc || !env)
        return 0;
    SelectedFont dayFont(hdc, env->DayFont);
    SIZE digits = TextExtent(hdc, kWidestDayNumber);
    Heading heading(hdc, year, month, env);
    return PlaceLineRows(*env, 0, heading.Height, digits.cy).Height;
}

void DrawMonthLine(HDC hdc, int year, int month, int alignmentBase, const MonthBlockPlace& place, EnvData* env,
                   MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    if (!hdc || !env)
        return;
    BeginBlock(hdc);
    SelectedFont dayFont(hdc, env->DayFont);
    SIZE digits = TextExtent(hdc, kWidestDayNumber);
    Heading heading(hdc, year, month, env);
    LineBlockRows rows = PlaceLineRows(*env, place.Y, heading.Height, digits.cy);
    // The heading stands bottom-aligned with the day numbers.
    if (heading.Height < digits.cy)
        heading.Height = digits.cy;
    heading.Draw(hdc, year, month, place.X, rows.HeadingY, place.Width, env, addTools);
    dayFont.Select();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    int start = place.X + place.Width + (HasHeading(env) ? env->MonthHeight : 0);
    auto dayAt = [&](int d) {
        return POINT{start + env->DayWidth * (AlignedOffset(year, month, d, alignmentBase) + 1), rows.DayY};
    };
    if (env->WeekType != 0) {
        SelectedFont weekFont(hdc, env->WeekFont);
        WeekdayNameSet names(env->WeekType, env->WeekUserStr);
        SetTextAlign(hdc, TA_CENTER | TA_TOP);
        for (int d = 1; d <= DaysInMonth(year, month); d++) {
            int weekday = DayOfWeek(year, month, d);
            DrawWeekdayText(hdc, dayAt(d).x, rows.WeekdayY, weekday, names.Name(weekday), env);
        }
        SetTextAlign(hdc, TA_LEFT | TA_TOP);
    }
    dayFont.Select();
    DrawDaysOfMonth(hdc, year, month, dayAt, env, memo, memorial, addTools);
}

void DrawMonthRow(HDC hdc, int year, int month, int alignmentBase, const MonthBlockPlace& place, EnvData* env,
                  MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    if (!hdc || !env)
        return;
    BeginBlock(hdc);
    SelectedFont dayFont(hdc, env->DayFont);
    WeekdayNameSet names(env->WeekType, env->WeekUserStr);
    char weekdayTexts[7][USER_NAME_LIST_MAX + 3];
    int weekdayWidth = 0;
    {
        SelectedFont weekFont(hdc, env->WeekFont);
        for (int w = 0; w < 7; w++) {
            if (env->WeekKakko == 1)
                snprintf(weekdayTexts[w], sizeof(weekdayTexts[w]), "(%s)", names.Name(w));
            else
                snprintf(weekdayTexts[w], sizeof(weekdayTexts[w]), "%s", names.Name(w));
            SIZE size = TextExtent(hdc, weekdayTexts[w]);
            if (env->WeekType != 0 && size.cx > weekdayWidth)
                weekdayWidth = size.cx;
        }
    }
    Heading heading(hdc, year, month, env);
    heading.Draw(hdc, year, month, place.X, place.Y, place.Width, env, addTools);
    dayFont.Select();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    int start = place.Y + (HasHeading(env) ? env->MonthHeight : 0);
    int numberX, weekX;
    if (env->WeekPos == WEEK_POS_BEFORE_DATE) {
        weekX = place.X + env->WeekHeight;
        numberX = place.X + env->DayWidth + env->WeekHeight + weekdayWidth;
    } else {
        numberX = place.X + env->DayWidth;
        weekX = place.X + env->WeekHeight + env->DayWidth;
    }
    auto dayAt = [&](int d) {
        return POINT{numberX, start + env->DayHeight * AlignedOffset(year, month, d, alignmentBase)};
    };
    if (env->WeekType != 0) {
        SelectedFont weekFont(hdc, env->WeekFont);
        for (int d = 1; d <= DaysInMonth(year, month); d++) {
            int weekday = DayOfWeek(year, month, d);
            DrawWeekdayText(hdc, weekX, dayAt(d).y, weekday, weekdayTexts[weekday], env);
        }
    }
    dayFont.Select();
    DrawDaysOfMonth(hdc, year, month, dayAt, env, memo, memorial, addTools);
}
