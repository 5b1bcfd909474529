// One month block in each display type: heading, weekday texts, the marks and then the numbers of its days.
#include <stdio.h>
#include <string.h>

#include "CalendarRenderParts.h"
#include "DateUtil.h"
#include "ModuleBinding.h"
#include "NameSets.h"

namespace {

const int kWalkStepMax = 1048576;

bool HasHeading(const EnvData* env)
{
    return env->YearType != 0 || env->MonthType != 0;
}

// The heading of a block: measured (fonts selected into hdc by the measurement), then drawn when asked.
struct Heading {
    int Width = 0;
    int Height = 0;
    SIZE YearText = {};
    SIZE MonthText = {};
    HFONT YearFont = nullptr;
    HFONT MonthFont = nullptr;
    ~Heading()
    {
        if (YearFont)
            DeleteObject(YearFont);
        if (MonthFont)
            DeleteObject(MonthFont);
    }
};

void MeasureHeading(HDC hdc, int year, int month, EnvData* env, Heading* heading)
{
    auto calc = LanguageProc(LanguageModule::kCalcYearMonthSize);
    if (calc)
        calc(hdc, &heading->YearFont, &heading->MonthFont, year, month, &heading->Width, &heading->Height,
             &heading->YearText, &heading->MonthText, env);
}

void DrawHeading(HDC hdc, int year, int month, int x, int y, int availableWidth, int headingWidth,
                 const Heading& heading, EnvData* env, int addTools)
{
    auto draw = LanguageProc(LanguageModule::kDrawYearMonth);
    if (draw)
        draw(hdc, year, month, x, y, availableWidth, headingWidth, heading.Height, heading.YearText,
             heading.MonthText, heading.YearFont, heading.MonthFont, addTools, env);
}

// Selects the record's day or weekday font into hdc for the life of the object.
class SelectedFont {
public:
    SelectedFont(HDC hdc, const LOGFONTA& font) : hdc_(hdc), font_(CreateFontIndirectA(&font))
    {
        old_ = font_ ? SelectObject(hdc, font_) : nullptr;
    }
    ~SelectedFont()
    {
        if (old_)
            SelectObject(hdc_, old_);
        if (font_)
            DeleteObject(font_);
    }
    void Select() const
    {
        if (font_)
            SelectObject(hdc_, font_);
    }

private:
    HDC hdc_;
    HFONT font_;
    HGDIOBJ old_;
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

// Walks the grid of a month; marksPass draws marks, else numbers and cells. Returns the week rows walked.
int WalkGrid(HDC hdc, int year, int month, int left, int top, bool marksPass, EnvData* env, MemoSettings* memo,
             MemorialSettings* memorial, int addTools)
{
    int y = year, m = month, d = 1;
    if (env->FillSpace == 1) {
        for (int i = 0; i < 6 && (DayOfWeek(y, m, d) + 7 - env->StartDate) % 7 != 0; i++)
            PreviousDay(&y, &m, &d);
    }
    int last = DaysInMonth(year, month);
    int row = 0;
    for (int step = 0; step < kWalkStepMax; step++) {
        int weekday = DayOfWeek(y, m, d) % 7;
        int column = (weekday + 7 - env->StartDate % 7) % 7;
        int centre = left + column * env->DayWidth + env->DayWidth / 2;
        int dayY = top + row * env->DayHeight;
        int otherMonth = (y != year || m != month) ? 1 : 0;
        if (marksPass) {
            char text[16];
            snprintf(text, sizeof(text), "%ld", (long)d);
            DrawDayMarks(hdc, centre, dayY, y, m, d, weekday, otherMonth, text, env, memo, memorial);
        } else {
            DrawDayCell(hdc, centre, dayY, y, m, d, otherMonth, env, memo, memorial, addTools);
        }
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
    return row + 1;
}

// Cells from the first place of a line or column to the day: the aligned ones leave room for the weekdays before
// the 1st.
int AlignedOffset(int year, int month, int day, int alignmentBase)
{
    if (alignmentBase < 7)
        return day - 1 + DayOfWeek(year, month, 1) - alignmentBase;
    return day - 1;
}

}  // namespace

int DrawMonthNormal(HDC hdc, int year, int month, int blockWidth, int x, int y, int* outWidth, int* outHeight,
                    EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    if (!hdc || !env)
        return 0;
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    SelectedFont dayFont(hdc, env->DayFont);
    Heading heading;
    MeasureHeading(hdc, year, month, env, &heading);
    dayFont.Select();
    DrawHeading(hdc, year, month, x, y, blockWidth, heading.Width, heading, env, addTools);
    dayFont.Select();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    int gridWidth = 7 * env->DayWidth;
    int left = x;
    if (HasHeading(env)) {
        if (env->DisplayYMStyle == 1)
            left = x + blockWidth - gridWidth;
        else if (env->DisplayYMStyle == 2 || env->DisplayYMStyle == 3)
            left = x + (blockWidth - gridWidth) / 2;
    }
    int top = y + (HasHeading(env) ? env->MonthHeight : 0);

    if (env->WeekType != 0) {
        SelectedFont weekFont(hdc, env->WeekFont);
        WeekdayNameSet names(env->WeekType, env->WeekUserStr);
        SetTextAlign(hdc, TA_CENTER | TA_TOP);
        for (int c = 0; c < 7; c++) {
            int weekday = (c + env->StartDate) % 7;
            DrawWeekdayText(hdc, left + c * env->DayWidth + env->DayWidth / 2, top, weekday, names.Name(weekday),
                            env);
        }
        SetTextAlign(hdc, TA_LEFT | TA_TOP);
        top += env->WeekHeight;
    }
    dayFont.Select();
    WalkGrid(hdc, year, month, left, top, true, env, memo, memorial, addTools);
    int rows = WalkGrid(hdc, year, month, left, top, false, env, memo, memorial, addTools);

    if (outWidth)
        *outWidth = heading.Width > gridWidth ? heading.Width : gridWidth;
    if (outHeight)
        *outHeight = top + rows * env->DayHeight - y;
    return 1;
}

int DrawMonthLine(HDC hdc, int year, int month, int alignmentBase, int headingWidth, int x, int y, int* outWidth,
                  int* outHeight, EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    if (!hdc || !env)
        return 0;
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    SelectedFont dayFont(hdc, env->DayFont);
    SIZE digits = TextExtent(hdc, "30");
    Heading heading;
    MeasureHeading(hdc, year, month, env, &heading);
    if (heading.Height < digits.cy)
        heading.Height = digits.cy;
    if (env->WeekType != 0 && env->WeekPos == 0)
        y += env->WeekHeight;
    dayFont.Select();
    DrawHeading(hdc, year, month, x, y, headingWidth, heading.Width, heading, env, addTools);
    dayFont.Select();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    int start = x + headingWidth + (HasHeading(env) ? env->MonthHeight : 0);
    int dayY = y + heading.Height - digits.cy;
    int days = DaysInMonth(year, month);
    auto centreOf = [&](int d) { return start + env->DayWidth * (AlignedOffset(year, month, d, alignmentBase) + 1); };
    if (env->WeekType != 0) {
        SelectedFont weekFont(hdc, env->WeekFont);
        WeekdayNameSet names(env->WeekType, env->WeekUserStr);
        SetTextAlign(hdc, TA_CENTER | TA_TOP);
        int weekY = env->WeekPos == 0 ? dayY - env->WeekHeight : dayY + digits.cy;
        for (int d = 1; d <= days; d++) {
            int weekday = DayOfWeek(year, month, d) % 7;
            DrawWeekdayText(hdc, centreOf(d), weekY, weekday, names.Name(weekday), env);
        }
        SetTextAlign(hdc, TA_LEFT | TA_TOP);
    }
    dayFont.Select();
    for (int d = 1; d <= days; d++) {
        char text[16];
        snprintf(text, sizeof(text), "%ld", (long)d);
        DrawDayMarks(hdc, centreOf(d), dayY, year, month, d, DayOfWeek(year, month, d) % 7, 0, text, env, memo,
                     memorial);
    }
    for (int d = 1; d <= days; d++)
        DrawDayCell(hdc, centreOf(d), dayY, year, month, d, 0, env, memo, memorial, addTools);

    if (outWidth)
        *outWidth = centreOf(days) + env->DayWidth / 2 - x;
    if (outHeight)
        *outHeight = heading.Height + (env->WeekType != 0 ? env->WeekHeight : 0);
    return 1;
}

int DrawMonthRow(HDC hdc, int year, int month, int alignmentBase, int columnWidth, int x, int y, int* outWidth,
                 int* outHeight, EnvData* env, MemoSettings* memo, MemorialSettings* memorial, int addTools)
{
    if (!hdc || !env)
        return 0;
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
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
    Heading heading;
    MeasureHeading(hdc, year, month, env, &heading);
    dayFont.Select();
    DrawHeading(hdc, year, month, x, y, columnWidth, heading.Width, heading, env, addTools);
    dayFont.Select();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);

    int start = y + (HasHeading(env) ? env->MonthHeight : 0);
    int days = DaysInMonth(year, month);
    int numberX, weekX;
    if (env->WeekPos == 3) {
        weekX = x + env->WeekHeight;
        numberX = x + env->DayWidth + env->WeekHeight + weekdayWidth;
    } else {
        numberX = x + env->DayWidth;
        weekX = x + env->WeekHeight + env->DayWidth;
    }
    auto rowOf = [&](int d) { return start + env->DayHeight * AlignedOffset(year, month, d, alignmentBase); };
    if (env->WeekType != 0) {
        SelectedFont weekFont(hdc, env->WeekFont);
        for (int d = 1; d <= days; d++) {
            int weekday = DayOfWeek(year, month, d) % 7;
            DrawWeekdayText(hdc, weekX, rowOf(d), weekday, weekdayTexts[weekday], env);
        }
    }
    dayFont.Select();
    for (int d = 1; d <= days; d++) {
        char text[16];
        snprintf(text, sizeof(text), "%ld", (long)d);
        DrawDayMarks(hdc, numberX, rowOf(d), year, month, d, DayOfWeek(year, month, d) % 7, 0, text, env, memo,
                     memorial);
    }
    for (int d = 1; d <= days; d++)
        DrawDayCell(hdc, numberX, rowOf(d), year, month, d, 0, env, memo, memorial, addTools);

    if (outWidth)
        *outWidth = columnWidth;
    if (outHeight)
        *outHeight = rowOf(days) + env->DayHeight - y;
    return 1;
}
