#include "CalendarLayout.h"


#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "EnvData.h"
#include "EraNames.h"
#include "FontUtil.h"
#include "HeldInt.h"
#include "NameSets.h"
#include "ShownMonth.h"
#include "StrUtil.h"

namespace {

enum FontKind { FONT_YEAR, FONT_MONTH, FONT_WEEK, FONT_DAY, FONT_KIND_COUNT };

const char kDigits[] = "0123456789";
// The widest day number, for the date box of the column type.
const char kWidestDay[] = "30";

int Max(int a, int b)
{
    return a > b ? a : b;
}

// One DC of the calendar window for a whole layout call; each font is created at its first use and deleted
// with the measurer. A font that cannot be created leaves the DC's own font.
class TextMeasurer {
public:
    explicit TextMeasurer(const EnvData& env) : env_(env), dc_(GetDC(env.MainWindow)), fonts_() {}
    ~TextMeasurer()
    {
        for (HFONT font : fonts_) {
            if (font)
                DeleteObject(font);
        }
        if (dc_)
            ReleaseDC(env_.MainWindow, dc_);
    }
    TextMeasurer(const TextMeasurer&) = delete;
    TextMeasurer& operator=(const TextMeasurer&) = delete;

    SIZE Measure(FontKind kind, const char* text)
    {
        SIZE size = {0, 0};
        if (!dc_)
            return size;
        HFONT font = Font(kind);
        HGDIOBJ old = font ? SelectObject(dc_, font) : nullptr;
        GetTextSizeOnDC(dc_, text, &size);
        if (old)
            SelectObject(dc_, old);
        return size;
    }

private:
    HFONT Font(FontKind kind)
    {
        if (!fonts_[kind])
            fonts_[kind] = CreateFontIndirectA(FontRecord(kind));
        return fonts_[kind];
    }
    const LOGFONTA* FontRecord(FontKind kind) const
    {
        switch (kind) {
        case FONT_YEAR: return &env_.YearStyle.Font;
        case FONT_MONTH: return &env_.MonthStyle.Font;
        case FONT_WEEK: return &env_.WeekFont;
        default: return &env_.DayFont;
        }
    }

    const EnvData& env_;
    HDC dc_;
    HFONT fonts_[FONT_KIND_COUNT];
};

bool HasHeadingText(const EnvData& env)
{
    return env.YearType != 0 || env.MonthType != 0;
}

bool HasWeekdayText(const EnvData& env)
{
    return WeekSetIndex(env.WeekType) != 0;
}

}  // namespace

bool HasMonthText(const EnvData& env)
{
    return env.YMLink == 0 && MonthSetIndex(env.MonthType) != 0;
}

// The joining text of the linked heading; the field is read only up to its size.
static void CopyLinkText(const EnvData& env, char* out)
{
    size_t len = strnlen(env.YMLinkString, YM_LINK_STRING_SIZE - 1);
    memcpy(out, env.YMLinkString, len);
    out[len] = '\0';
}

void FormatHeadingYear(const EnvData& env, const MonthNameSet& names, int year, int month, char* out, size_t size)
{
    char link[YM_LINK_STRING_SIZE];
    CopyLinkText(env, link);
    FormatYearCaption(out, size, year, month, env.YearType, names.Name(month), env.YMLink, env.DisplayYMChange,
                      link);
}

namespace {

// With the year-once rule a year already measured in this pass is left out of the heading when the month text
// comes first (for grid blocks only when the heading is not aligned right or centred). The measured-year memory
// is refilled with the year whenever the year is new to it or the rule is off.
bool LeavesOutYear(EnvData* env, int year, bool gridBlock)
{
    bool ruleOn = env->DisplayFewYear == 1 && env->YMLink == 0;
    int* measured = env->MonthArrangement[1];
    bool known = false;
    for (int i = 0; i < 12; i++)
        known = known || measured[i] == year;
    if (!ruleOn || !known) {
        for (int i = 0; i < 12; i++)
            measured[i] = year;
        return false;
    }
    if (env->DisplayYMChange == 0)
        return false;
    return !gridBlock || (env->DisplayYMStyle != 1 && env->DisplayYMStyle != 2);
}

SIZE MeasureHeading(TextMeasurer& measurer, EnvData* env, const MonthNameSet& names, int year, int month,
                    bool gridBlock)
{
    SIZE heading = {0, 0};
    bool leaveOutYear = LeavesOutYear(env, year, gridBlock);
    if (env->YearType != 0 && !leaveOutYear) {
        char text[ERA_TEXT_SIZE];
        FormatHeadingYear(*env, names, year, month, text, sizeof(text));
        heading = measurer.Measure(FONT_YEAR, text);
    }
    if (HasMonthText(*env)) {
        SIZE name = measurer.Measure(FONT_MONTH, names.Name(month));
        heading.cx = HeldInt((long long)heading.cx + (env->YMSpace > 0 ? env->YMSpace : 0) + name.cx);
        heading.cy = Max(heading.cy, name.cy);
    }
    return heading;
}

int WidestWeekdayName(TextMeasurer& measurer, const EnvData& env)
{
    WeekdayNameSet names(env.WeekType, env.WeekUserStr);
    int widest = 0;
    for (int day = 0; day < WEEK_NAME_COUNT; day++) {
        char text[USER_NAME_LIST_MAX + 2];
        if (env.WeekKakko == 1)
            snprintf(text, sizeof(text), "(%s)", names.Name(day));
        else
            SafeStrCpy(text, sizeof(text), names.Name(day));
        widest = Max(widest, measurer.Measure(FONT_WEEK, text).cx);
    }
    return widest;
}

BlockSize MeasureGridBlock(TextMeasurer& measurer, EnvData* env, const MonthNameSet& names, int year, int month)
{
    SIZE heading = MeasureHeading(measurer, env, names, year, month, true);
    return GridBlockSize(*env, WeekRowCount(year, month, WeekStartDay(*env), env->DisplayHeight), heading);
}

int CellCount(int year, int month, int cells)
{
    return cells > 0 ? cells : DaysInMonth(year, month);
}

BlockSize MeasureLineBlock(TextMeasurer& measurer, EnvData* env, const MonthNameSet& names, int year, int month,
                           int cells)
{
    SIZE heading = MeasureHeading(measurer, env, names, year, month, false);
    int digitHeight = measurer.Measure(FONT_DAY, kDigits).cy;
    return LineBlockSize(*env, CellCount(year, month, cells), heading, digitHeight);
}

BlockSize MeasureColumnBlock(TextMeasurer& measurer, EnvData* env, const MonthNameSet& names, int year, int month,
                             int cells)
{
    SIZE heading = MeasureHeading(measurer, env, names, year, month, false);
    SIZE dateBox = measurer.Measure(FONT_DAY, kWidestDay);
    int widest = HasWeekdayText(*env) ? WidestWeekdayName(measurer, *env) : 0;
    return ColumnBlockSize(*env, CellCount(year, month, cells), heading, dateBox, widest);
}

void StoreBlock(const BlockSize& block, int* width, int* height, SIZE* heading, SIZE* grid)
{
    if (width)
        *width = block.Width;
    if (height)
        *height = block.Height;
    if (heading)
        *heading = block.Heading;
    if (grid)
        *grid = block.Grid;
}

void NextMonth(int* year, int* month)
{
    if (++*month > 12) {
        *month = 1;
        ++*year;
    }
}

int ViewBlockCount(const EnvData& env)
{
    switch (env.DisplayType) {
    case DISPLAY_TYPE_LINE: return DisplayLineCount(env);
    case DISPLAY_TYPE_COLUMN: return DisplayRowCount(env);
    default: return DisplayRowCount(env) * DisplayLineCount(env);
    }
}

BlockSize MeasureViewBlock(TextMeasurer& measurer, EnvData* env, const MonthNameSet& names, int year, int month,
                           int cells)
{
    switch (env->DisplayType) {
    case DISPLAY_TYPE_LINE: return MeasureLineBlock(measurer, env, names, year, month, cells);
    case DISPLAY_TYPE_COLUMN: return MeasureColumnBlock(measurer, env, names, year, month, cells);
    default: return MeasureGridBlock(measurer, env, names, year, month);
    }
}

SIZE GridViewSize(const EnvData& env, const BlockSize* blocks)
{
    int rows = DisplayRowCount(env);
    int lines = DisplayLineCount(env);
    long long space = env.EachMonthSpace;
    int widest = 0;
    int highest = 0;
    for (int i = 0; i < rows * lines; i++) {
        widest = Max(widest, blocks[i].Width);
        highest = Max(highest, blocks[i].Height);
    }
    SIZE view = {HeldInt(rows * (long long)widest + (rows - 1) * space),
                 HeldInt(lines * (long long)highest + (lines - 1) * space)};
    // Months flowing down the columns with their own heights: the highest column counts.
    if (GridColumnsKeepOwnHeights(env)) {
        view.cy = 0;
        for (int column = 0; column < rows; column++) {
            long long columnHeight = (lines - 1) * space;
            for (int i = 0; i < lines; i++)
                columnHeight += blocks[column * lines + i].Height;
            view.cy = Max(view.cy, HeldInt(columnHeight));
        }
    }
    return view;
}

}  // namespace

int FirstDayColumn(int year, int month, int startDate)
{
    int column = (DayOfWeek(year, month, 1) - startDate) % 7;
    return column < 0 ? column + 7 : column;
}

int WeekRowCount(int year, int month, int startDate, int displayHeight)
{
    if (displayHeight == DISPLAY_HEIGHT_SIX_WEEKS)
        return 6;
    return (FirstDayColumn(year, month, startDate) + DaysInMonth(year, month) - 1) / 7 + 1;
}

int AlignedCellCount(int year, int month, int count)
{
    int earliest = 100;
    int latest = 0;
    for (int i = 0; i < count; i++, NextMonth(&year, &month)) {
        int first = DayOfWeek(year, month, 1);
        earliest = first < earliest ? first : earliest;
        latest = Max(latest, first + DaysInMonth(year, month));
    }
    return count > 0 ? latest - earliest : 0;
}

BlockSize GridBlockSize(const EnvData& env, int weekRows, SIZE heading)
{
    long long gridHeight = (long long)weekRows * env.DayHeight + (HasWeekdayText(env) ? env.WeekHeight : 0);
    BlockSize block;
    block.Heading = heading;
    block.Grid.cx = HeldInt(7LL * env.DayWidth);
    block.Grid.cy = HeldInt(gridHeight);
    block.Width = Max(heading.cx, block.Grid.cx);
    block.Height = HeldInt(gridHeight + (HasHeadingText(env) ? env.MonthHeight : 0));
    return block;
}

BlockSize LineBlockSize(const EnvData& env, int cells, SIZE heading, int digitHeight)
{
    long long days = (long long)env.DayWidth * cells;
    BlockSize block;
    block.Heading = heading;
    block.Grid.cx = HeldInt(days);
    block.Grid.cy = digitHeight;
    block.Width = HeldInt(days + env.DayWidth / 2 + (HasHeadingText(env) ? env.MonthHeight : 0));
    block.Height = Max(digitHeight, HeldInt((long long)heading.cy + (HasWeekdayText(env) ? env.WeekHeight : 0)));
    return block;
}

BlockSize ColumnBlockSize(const EnvData& env, int cells, SIZE heading, SIZE dateBox, int widestWeekday)
{
    int boxWidth = env.WeekPos == WEEK_POS_BEFORE_DATE ? dateBox.cx * 3 / 2 : dateBox.cx;
    long long columnWidth = Max(env.DayWidth, boxWidth);
    if (HasWeekdayText(env))
        columnWidth += (long long)env.WeekHeight + widestWeekday;
    long long days = (long long)env.DayHeight * cells;
    BlockSize block;
    block.Heading = heading;
    block.Grid.cx = HeldInt(columnWidth);
    block.Grid.cy = HeldInt(days);
    block.Width = Max(block.Grid.cx, heading.cx);
    block.Height = HeldInt(days + dateBox.cy / 2 + (HasHeadingText(env) ? env.MonthHeight : 0));
    return block;
}

SIZE ViewSize(const EnvData& env, const BlockSize* blocks, int count)
{
    SIZE view = {0, 0};
    if (count < ViewBlockCount(env))
        return view;
    long long space = env.EachMonthSpace;
    if (env.DisplayType == DISPLAY_TYPE_COLUMN) {
        long long width = (count - 1) * space;
        for (int i = 0; i < count; i++) {
            width += blocks[i].Width;
            view.cy = Max(view.cy, blocks[i].Height);
        }
        view.cx = HeldInt(width);
    } else if (env.DisplayType == DISPLAY_TYPE_LINE) {
        int widestHeading = 0;
        long long height = (count - 1) * space;
        for (int i = 0; i < count; i++) {
            view.cx = Max(view.cx, blocks[i].Width);
            widestHeading = Max(widestHeading, blocks[i].Heading.cx);
            height += blocks[i].Height;
        }
        view.cx = HeldInt((long long)view.cx + widestHeading);
        view.cy = HeldInt(height);
    } else {
        view = GridViewSize(env, blocks);
    }
    return view;
}

extern "C" {

int CalcWindowSize(int year, int month, int* width, int* height, EnvData* env)
{
    if (!env)
        return 0;
    FirstShownMonth(*env, &year, &month);
    memset(env->MonthArrangement[1], 0, sizeof(env->MonthArrangement[1]));
    TextMeasurer measurer(*env);
    MonthNameSet names(env->MonthType, env->MonthUserStr);

    int count = ViewBlockCount(*env);
    bool aligned = (env->DisplayType == DISPLAY_TYPE_LINE || env->DisplayType == DISPLAY_TYPE_COLUMN) &&
                   env->WeekInForm == 1;
    int cells = aligned ? AlignedCellCount(year, month, count) : 0;
    BlockSize blocks[DISPLAY_COUNT_MAX * DISPLAY_COUNT_MAX];
    for (int i = 0; i < count; i++, NextMonth(&year, &month))
        blocks[i] = MeasureViewBlock(measurer, env, names, year, month, cells);

    SIZE view = ViewSize(*env, blocks, count);
    if (width)
        *width = HeldInt((long long)view.cx + env->DayWidth / 2 + env->MarginLeft + env->MarginRight);
    if (height)
        *height = HeldInt((long long)view.cy + env->DayHeight / 2 + env->MarginTop + env->MarginBottom);
    return 1;
}

int CalcWindowSizeOneMonthNormal(int year, int month, int* width, int* height, SIZE* heading, SIZE* grid,
                                 EnvData* env)
{
    if (!env)
        return 0;
    NormalizeMonth(&year, &month);
    TextMeasurer measurer(*env);
    MonthNameSet names(env->MonthType, env->MonthUserStr);
    StoreBlock(MeasureGridBlock(measurer, env, names, year, month), width, height, heading, grid);
    return 1;
}

int CalcWindowSizeOneMonthLine(int year, int month, int cells, int* width, int* height, SIZE* heading, SIZE* grid,
                               EnvData* env)
{
    if (!env)
        return 0;
    NormalizeMonth(&year, &month);
    TextMeasurer measurer(*env);
    MonthNameSet names(env->MonthType, env->MonthUserStr);
    StoreBlock(MeasureLineBlock(measurer, env, names, year, month, cells), width, height, heading, grid);
    return 1;
}

int CalcWindowSizeOneMonthRow(int year, int month, int cells, int* width, int* height, SIZE* heading, SIZE* grid,
                              EnvData* env)
{
    if (!env)
        return 0;
    NormalizeMonth(&year, &month);
    TextMeasurer measurer(*env);
    MonthNameSet names(env->MonthType, env->MonthUserStr);
    StoreBlock(MeasureColumnBlock(measurer, env, names, year, month, cells), width, height, heading, grid);
    return 1;
}

int CalcYearMonthSize(HDC dc, HFONT* yearFont, HFONT* monthFont, int year, int month, int* width, int* height,
                      SIZE* yearText, SIZE* monthText, EnvData* env)
{
    if (!dc || !yearFont || !monthFont || !width || !height || !yearText || !monthText || !env)
        return 0;
    NormalizeMonth(&year, &month);
    MonthNameSet names(env->MonthType, env->MonthUserStr);
    yearText->cx = yearText->cy = 0;
    monthText->cx = monthText->cy = 0;
    if (env->YearType != 0) {
        *yearFont = CreateFontIndirectA(&env->YearStyle.Font);
        if (*yearFont)
            SelectObject(dc, *yearFont);
        char text[ERA_TEXT_SIZE];
        FormatHeadingYear(*env, names, year, month, text, sizeof(text));
        GetTextSizeOnDC(dc, text, yearText);
        *height = Max(*height, yearText->cy);
        *width = HeldInt((long long)*width + yearText->cx + (env->YMLink == 0 ? env->YMSpace : 0));
    }
    if (HasMonthText(*env)) {
        *monthFont = CreateFontIndirectA(&env->MonthStyle.Font);
        if (*monthFont)
            SelectObject(dc, *monthFont);
        GetTextSizeOnDC(dc, names.Name(month), monthText);
        *height = Max(*height, monthText->cy);
        *width = HeldInt((long long)*width + monthText->cx);
    }
    return 1;
}

}  // extern "C"
