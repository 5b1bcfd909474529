#include "PrintPage.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "DayCells.h"
#include "DayColor.h"
#include "DayMemoStore.h"
#include "EnvData.h"
#include "EraNames.h"
#include "HolidayCheck.h"
#include "MemoSettings.h"
#include "MemorialSettings.h"
#include "NameSets.h"
#include "StrUtil.h"

// Shadowed text without gradation (PrintText.cpp).
int PageTextOutShadow(HDC dc, int x, int y, const char* text, COLORREF textColor, COLORREF shadowColor, int width,
                      int direction);

namespace {

// Bytes a comment or memo line gathers; names and memos are cut long before.
const int kPageTextSize = 4096;
const int kCommentNameMax = 64;
const int kMemoTextMax = 256;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGreyText = RGB(0x80, 0x80, 0x80);
const char kToday[] = "今日";
const UINT kBoxTextFormat = DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX;

// The colours a day number is drawn in.
struct DayLook {
    COLORREF Text;
    COLORREF Shadow;
    int ShadowWidth;
    int ShadowDirection;
};

void ApplyStyle(DayLook* look, const FontStyle& style)
{
    look->Text = style.StrColor;
    look->Shadow = style.ShadowColor;
    look->ShadowWidth = style.ShadowWidth;
    look->ShadowDirection = style.ShadowDirection;
}

void ApplyUnlessPlain(DayLook* look, const FontStyle& style)
{
    if (style.NoUseStrColor != 1)
        ApplyStyle(look, style);
}

// A font of the page: the configured one with its character height replaced.
HFONT PageFont(const LOGFONTA& base, int height)
{
    LOGFONTA font = base;
    font.lfHeight = -(height > 0 ? height : 1);
    font.lfWidth = 0;
    return CreateFontIndirectA(&font);
}

int TextHeight(HDC dc)
{
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

int TextWidth(HDC dc, const char* text)
{
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return size.cx;
}

// The page's fonts, selected one at a time and deleted together.
struct PageFonts {
    HDC Dc;
    HFONT Original;
    HFONT Fonts[8];
    int Count;

    explicit PageFonts(HDC dc) : Dc(dc), Original((HFONT)GetCurrentObject(dc, OBJ_FONT)), Fonts(), Count(0) {}
    ~PageFonts()
    {
        SelectObject(Dc, Original);
        for (int i = 0; i < Count; i++)
            DeleteObject(Fonts[i]);
    }
    HFONT Make(const LOGFONTA& base, int height)
    {
        HFONT font = PageFont(base, height);
        if (font && Count < 8)
            Fonts[Count++] = font;
        return font;
    }
    void Use(HFONT font) { SelectObject(Dc, font ? font : Original); }
};

// The fonts of a page's body and their text heights; the weekday font has its own character height.
struct BodyFonts {
    HFONT Week, Day, Comment, Memo;
    int WeekHeight, DayHeight, CommentHeight, MemoHeight;
};

BodyFonts MakeBodyFonts(PageFonts& fonts, const PageSources& s, const PageGeometry& g, int weekFontHeight)
{
    BodyFonts b = {};
    b.Week = fonts.Make(s.Env->WeekFont, weekFontHeight);
    b.Day = fonts.Make(s.Env->DayFont, g.DayFont);
    b.Comment = fonts.Make(s.Options->CommentFont, g.SmallFont);
    b.Memo = fonts.Make(s.Options->MemoFont, g.SmallFont);
    HFONT all[4] = {b.Week, b.Day, b.Comment, b.Memo};
    int* heights[4] = {&b.WeekHeight, &b.DayHeight, &b.CommentHeight, &b.MemoHeight};
    for (int i = 0; i < 4; i++) {
        fonts.Use(all[i]);
        *heights[i] = TextHeight(fonts.Dc);
    }
    return b;
}

// Pen, brush, background mode and text colour of a page, put back at the end.
struct PageTools {
    HDC Dc;
    HPEN Pen;
    HGDIOBJ OldPen;
    HGDIOBJ OldBrush;
    int OldMode;
    COLORREF OldColor;

    PageTools(HDC dc, int penWidth)
        : Dc(dc), Pen(CreatePen(PS_SOLID, penWidth, kBlack)), OldPen(nullptr), OldBrush(nullptr), OldMode(0),
          OldColor(GetTextColor(dc))
    {
        OldPen = SelectObject(dc, Pen ? (HGDIOBJ)Pen : GetStockObject(BLACK_PEN));
        OldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
        OldMode = SetBkMode(dc, TRANSPARENT);
    }
    ~PageTools()
    {
        SelectObject(Dc, OldPen);
        SelectObject(Dc, OldBrush);
        SetBkMode(Dc, OldMode);
        SetTextColor(Dc, OldColor);
        if (Pen)
            DeleteObject(Pen);
    }
};

int ShadowPixels(const PageGeometry& g, int width, int atLeastOne)
{
    int pixels = MmAcross(g, width * 0.15);
    if (pixels < 1)
        return atLeastOne ? 1 : 0;
    return pixels;
}

void AppendLine(char* text, const char* line, int maxBytes)
{
    SafeStrCat(text, kPageTextSize, "\r\n");
    SafeStrCat(text, kPageTextSize, LimitString(line, maxBytes));
}

void AppendAfterBlanks(char* text, const char* part)
{
    if (*text)
        SafeStrCat(text, kPageTextSize, "  ");
    SafeStrCat(text, kPageTextSize, part);
}

bool IsToday(const PageSources& s, int year, int month, int day)
{
    return s.Today.wYear == year && s.Today.wMonth == month && s.Today.wDay == day;
}

// The day memo of a date as the memo store keeps it; the caller frees it with HeapFree. Null without a memo folder.
char* DayMemo(const PageSources& s, int year, int month, int day, DayMemoRecord* record, int singleLine)
{
    if (!s.Memo || !s.Memo->MemoDir[0])
        return nullptr;
    MemoStoreSettings store = {s.Memo->MemoDir, s.Memo->MemoSaveOneMonth, &s.Memo->MemoStyle};
    return ReadDayMemoText(nullptr, year, month, day, &store, record, singleLine);
}

char* RepeatMemo(const PageSources& s, int year, int month, int day, FontStyle* style, int oneLine)
{
    if (!s.Repeats || s.RepeatCount <= 0)
        return nullptr;
    return GetRepeatMemoText(s.Repeats, s.RepeatTexts, s.RepeatCount, s.Holidays, s.HolidayCount, year, month, day,
                             style, oneLine);
}

void FreeText(char* text)
{
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
}

// The comment and the look of one grid day, walking the first eight mark-order slots.
void DecideGridDay(const PageSources& s, int year, int month, int day, int weekday, DayLook* look, char* comment)
{
    const EnvData& env = *s.Env;
    const PrintOptions& o = *s.Options;
    char name[HOLIDAY_NAME_SIZE];
    for (int slot = 0; slot < 8; slot++) {
        switch (env.MarkOrder[slot]) {
        case MARK_ORDER_WEEKDAY:
            ApplyStyle(look, env.WeekStyles[weekday]);
            break;
        case MARK_ORDER_HOLIDAY:
            if (o.PrintHoliday == 1 &&
                CheckHoliday(s.Holidays, s.HolidayCount, year, month, day, name, 1) == 1) {
                AppendLine(comment, name, kCommentNameMax);
                ApplyUnlessPlain(look, env.HolidayStyle);
            }
            break;
        case MARK_ORDER_TODAY:
            if (IsToday(s, year, month, day)) {
                SafeStrCat(comment, kPageTextSize, "\r\n");
                SafeStrCat(comment, kPageTextSize, kToday);
                ApplyUnlessPlain(look, env.TodayStyle);
            }
            break;
        case MARK_ORDER_MEMORIAL:
            if (o.PrintMemorial == 1 &&
                CheckMemorial(s.Memorials, s.MemorialCount, year, month, day, weekday, 0, name) >= 0) {
                AppendLine(comment, name, kCommentNameMax);
                if (s.Memorial)
                    ApplyUnlessPlain(look, s.Memorial->MemorialStyle);
            }
            break;
        case MARK_ORDER_MY_HOLIDAY:
            if (o.PrintMyHoliday == 1 &&
                CheckHoliday(s.MyHolidays, s.MyHolidayCount, year, month, day, name, 0) == 1) {
                AppendLine(comment, name, kCommentNameMax);
                ApplyUnlessPlain(look, env.MyHolidayStyle);
            }
            break;
        }
    }
}

// The memo lines of one grid day: repeating memos and the day memo in mark order.
void GridMemoText(const PageSources& s, int year, int month, int day, char* memo)
{
    for (int slot = 0; slot < 8; slot++) {
        int kind = s.Env->MarkOrder[slot];
        char* text = nullptr;
        if (kind == MARK_ORDER_REPEAT_MEMO) {
            text = RepeatMemo(s, year, month, day, nullptr, 0);
        } else if (kind == MARK_ORDER_DAY_MEMO) {
            DayMemoRecord record = {};
            text = DayMemo(s, year, month, day, &record, 0);
            for (char* p = text; p && *p; p++) {
                if (*p == '\t')
                    *p = ' ';
            }
        }
        if (text)
            AppendLine(memo, text, kMemoTextMax);
        FreeText(text);
    }
}

void DrawBoxText(HDC dc, HFONT font, PageFonts& fonts, const char* text, RECT box, COLORREF color)
{
    if (!*text || box.right <= box.left || box.bottom <= box.top)
        return;
    fonts.Use(font);
    SetTextColor(dc, color);
    DrawTextA(dc, text, -1, &box, kBoxTextFormat);
}

// A caption text at x (worked out in 64 bits: YMSpace may hold any int) that would start beyond the page is left
// out: nothing of it would show, and its shadow could not be placed near int's limits.
void DrawCaptionText(HDC dc, long long x, int width, int pageWidth, int y, const char* text, COLORREF color,
                     const EnvData& env, int shadow)
{
    if (x >= pageWidth || x + width <= 0)
        return;
    PageTextOutShadow(dc, (int)x, y, text, color, env.ShadowColor, shadow, env.ShadowDirection);
}

}  // namespace

PageGeometry ComputePageGeometry(const PageMetrics& metrics)
{
    double width = metrics.Width > 0 ? metrics.Width : 1;
    double height = metrics.Height > 0 ? metrics.Height : 1;
    double widthMm = metrics.WidthMm > 0 ? metrics.WidthMm : 1;
    double heightMm = metrics.HeightMm > 0 ? metrics.HeightMm : 1;
    PageGeometry g = {};
    g.PxPerMmX = width / widthMm;
    g.PxPerMmY = height / heightMm;
    g.Unit = sqrt(widthMm * heightMm) * 0.01;
    g.MarginX = MmAcross(g, 2 * g.Unit);
    g.MarginY = MmDown(g, 2 * g.Unit);
    g.CaptionFont = MmDown(g, 3.5 * g.Unit);
    g.GridWeekFont = MmDown(g, 2.5 * g.Unit);
    g.DayFont = MmDown(g, 2 * g.Unit);
    g.SmallFont = MmDown(g, g.Unit);
    g.PenWidth = MmAcross(g, 0.2);
    if (g.PenWidth < 1)
        g.PenWidth = 1;
    return g;
}

int MmAcross(const PageGeometry& g, double mm)
{
    return (int)(mm * g.PxPerMmX);
}

int MmDown(const PageGeometry& g, double mm)
{
    return (int)(mm * g.PxPerMmY);
}

PageMetrics DevicePageMetrics(HDC dc)
{
    PageMetrics m = {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, HORZSIZE),
                     GetDeviceCaps(dc, VERTSIZE)};
    return m;
}

PageMetrics ScalePageMetrics(const PageMetrics& metrics, double scale)
{
    PageMetrics m = metrics;
    m.Width = (int)(metrics.Width * scale);
    m.Height = (int)(metrics.Height * scale);
    return m;
}

int NextPrintMonth(int* year, int* month, int toYear, int toMonth)
{
    if (!year || !month)
        return 0;
    if ((long long)*year * 16 + *month >= (long long)toYear * 16 + toMonth)
        return 0;
    if (++*month > 12) {
        *month = 1;
        ++*year;
    }
    return 1;
}

void StepShownMonth(int* year, int* month, int wheelDelta)
{
    if (!year || !month || wheelDelta == 0)
        return;
    *month += wheelDelta < 0 ? 1 : -1;
    if (*month > 12) {
        *month = 1;
        ++*year;
    } else if (*month < 1) {
        *month = 12;
        --*year;
    }
}

GridCellPlace GridDayNumberPlace(const PageGeometry& g, const PageMetrics& metrics, int areaTop, int weekRow,
                                 int col, int row, int dayFontHeight)
{
    double columnWidth = (metrics.Width - 2.0 * g.MarginX) / 7;
    double rowHeight = (metrics.Height - 2.0 * g.MarginY - areaTop - weekRow) / 6;
    double top = areaTop + g.MarginY;
    GridCellPlace place = {(int)(col * columnWidth + g.MarginX + 0.2 * dayFontHeight),
                           (int)(top + weekRow + row * rowHeight + 0.2 * dayFontHeight)};
    return place;
}

int DrawPrintPage(HDC dc, const PageSources& s, const PageMetrics& metrics, int year, int month, const RECT* page)
{
    if (!dc || !s.Env || !s.Options || !page)
        return 0;
    const EnvData& env = *s.Env;
    PageGeometry g = ComputePageGeometry(metrics);
    PageTools tools(dc, g.PenWidth);
    PageFonts fonts(dc);
    HFONT yearFont = fonts.Make(env.YearStyle.Font, g.CaptionFont);
    HFONT monthFont = fonts.Make(env.MonthStyle.Font, g.CaptionFont);
    MonthNameSet monthNames(env.MonthType, env.MonthUserStr);

    // The caption's distances are summed in 64 bits: YMSpace may hold any int.
    long long available = (long long)metrics.Width - 2LL * g.MarginX;
    int linked = env.YMLink ? 1 : 0;
    int swapped = env.DisplayYMChange == 1 && !linked;
    char yearText[ERA_TEXT_SIZE] = "";
    const char* monthText = "";
    int yearWidth = 0, monthWidth = 0, yearHeight = 0, monthHeight = 0;
    long long block = 0;
    if (env.YearType != 0) {
        FormatYearCaption(yearText, sizeof(yearText), year, month, env.YearType, monthNames.Name(month), linked,
                          env.DisplayYMChange, env.YMLinkString);
        fonts.Use(yearFont);
        yearWidth = TextWidth(dc, yearText);
        yearHeight = TextHeight(dc);
        block = (long long)yearWidth + (linked ? 0 : env.YMSpace);
    }
    bool drawMonth = !linked && env.MonthType != 0;
    if (drawMonth) {
        monthText = monthNames.Name(month);
        fonts.Use(monthFont);
        monthWidth = TextWidth(dc, monthText);
        monthHeight = TextHeight(dc);
        block += monthWidth;
    }
    long long rest = available - block;
    long long base = g.MarginX;
    if (env.DisplayYMStyle == 1)
        base += rest;
    else if (env.DisplayYMStyle == 2)
        base += rest / 2;
    int shadow = ShadowPixels(g, env.ShadowWidth, 1);
    long long rightEdge = (long long)metrics.Width - g.MarginX;
    if (env.YearType != 0) {
        long long x = base + (swapped ? (long long)env.YMSpace + monthWidth : 0);
        if (env.DisplayYMStyle == 3)
            x = swapped ? rightEdge - yearWidth : g.MarginX;
        fonts.Use(yearFont);
        DrawCaptionText(dc, x, yearWidth, metrics.Width, g.MarginY, yearText, env.YearStyle.StrColor, env, shadow);
    }
    if (drawMonth) {
        long long x = base + (env.DisplayYMChange == 0 ? (long long)env.YMSpace + yearWidth : 0);
        if (env.DisplayYMStyle == 3)
            x = env.DisplayYMChange == 1 ? g.MarginX : rightEdge - monthWidth;
        fonts.Use(monthFont);
        DrawCaptionText(dc, x, monthWidth, metrics.Width, g.MarginY, monthText, env.MonthStyle.StrColor, env,
                        shadow);
    }
    int captionHeight = (int)(1.5 * (drawMonth ? monthHeight : yearHeight));
    RECT area = *page;
    area.top = captionHeight;
    if (s.Options->Vertical == 1)
        return DrawMonthColumn(dc, s, metrics, year, month, &area);
    return DrawMonthGrid(dc, s, metrics, year, month, &area);
}

int DrawMonthGrid(HDC dc, const PageSources& s, const PageMetrics& metrics, int year, int month, const RECT* area)
{
    if (!dc || !s.Env || !s.Options || !area)
        return 0;
    const EnvData& env = *s.Env;
    PageGeometry g = ComputePageGeometry(metrics);
    PageTools tools(dc, g.PenWidth);
    PageFonts fonts(dc);
    BodyFonts body = MakeBodyFonts(fonts, s, g, g.GridWeekFont);
    HFONT weekFont = body.Week, dayFont = body.Day, commentFont = body.Comment, memoFont = body.Memo;
    int top = area->top + g.MarginY;
    double columnWidth = (metrics.Width - 2.0 * g.MarginX) / 7;

    int weekRow = 0;
    if (env.WeekType != 0) {
        WeekdayNameSet names(env.WeekType, env.WeekUserStr);
        fonts.Use(weekFont);
        int height = body.WeekHeight;
        weekRow = (int)(1.5 * height);
        int shadow = ShadowPixels(g, env.ShadowWidth, 1);
        for (int i = 0; i < 7; i++) {
            int weekday = (i + env.StartDate) % 7;
            const char* name = names.Name(weekday);
            int x = (int)(g.MarginX + i * columnWidth + (columnWidth - TextWidth(dc, name)) / 2);
            PageTextOutShadow(dc, x, top + (weekRow - height) / 2, name, env.WeekStyles[weekday].StrColor,
                          env.ShadowColor, shadow, env.ShadowDirection);
        }
    }
    double rowHeight = (metrics.Height - 2.0 * g.MarginY - area->top - weekRow) / 6;
    int dayHeight = body.DayHeight, commentHeight = body.CommentHeight, memoHeight = body.MemoHeight;

    int y = year, m = month, d = 1;
    if (env.FillSpace == 1) {
        for (int i = 0; i < 6 && DayOfWeek(y, m, d) != env.StartDate; i++)
            SubDaysInt(&y, &m, &d, 1);
    }
    int lastDay = DaysInMonth(year, month);
    int lighten = env.FillLightColor == 1;
    int darken = env.FillDarkColor == 1;
    char comment[kPageTextSize];
    char memo[kPageTextSize];
    for (int row = 0;;) {
        int weekday = DayOfWeek(y, m, d);
        int col = (weekday - env.StartDate + 7) % 7;
        DayLook look = {env.WeekStyles[weekday].StrColor, env.ShadowColor, env.ShadowWidth, env.ShadowDirection};
        comment[0] = '\0';
        DecideGridDay(s, y, m, d, weekday, &look, comment);
        bool outside = y != year || m != month;
        if (outside) {
            look.Text = OtherMonthColor(look.Text, lighten, darken);
            look.Shadow = OtherMonthColor(look.Shadow, lighten, darken);
        }
        COLORREF plain = outside && lighten ? kGreyText : kBlack;
        GridCellPlace place = GridDayNumberPlace(g, metrics, area->top, weekRow, col, row, dayHeight);
        char number[16];
        snprintf(number, sizeof(number), "%d", d);
        fonts.Use(dayFont);
        int numberWidth = TextWidth(dc, number);
        PageTextOutShadow(dc, place.X, place.Y, number, look.Text, look.Shadow, ShadowPixels(g, look.ShadowWidth, 0),
                      look.ShadowDirection);
        int cellTop = (int)(top + weekRow + row * rowHeight);
        int cellBottom = (int)(top + weekRow + (row + 1) * rowHeight);
        int cellLeft = (int)(col * columnWidth + g.MarginX);
        int cellRight = (int)((col + 1) * columnWidth + g.MarginX);
        RECT commentBox = {place.X + numberWidth + commentHeight, cellTop, (int)(cellRight - 0.2 * commentHeight),
                           (int)(cellBottom - 0.1 * commentHeight)};
        DrawBoxText(dc, commentFont, fonts, comment, commentBox, plain);
        if (s.Options->PrintMemo == 1) {
            memo[0] = '\0';
            GridMemoText(s, y, m, d, memo);
            RECT memoBox = {(int)(cellLeft + 0.5 * memoHeight), place.Y + 3 * memoHeight,
                            (int)(cellRight - 0.5 * memoHeight), (int)(cellBottom - 0.5 * memoHeight)};
            DrawBoxText(dc, memoFont, fonts, memo, memoBox, plain);
        }
        if (env.FillSpace != 1 && !outside && d == lastDay)
            break;
        if (col == 6 && ++row > 5)
            break;
        AddDaysInt(&y, &m, &d, 1);
    }

    int bottom = metrics.Height - g.MarginY;
    Rectangle(dc, g.MarginX, top, metrics.Width - g.MarginX, bottom);
    for (int i = 1; i <= 6; i++) {
        int x = (int)(g.MarginX + i * columnWidth);
        MoveToEx(dc, x, top, nullptr);
        LineTo(dc, x, bottom);
    }
    for (int j = 0; j <= 5; j++) {
        int lineY = (int)(top + weekRow + j * rowHeight);
        MoveToEx(dc, g.MarginX, lineY, nullptr);
        LineTo(dc, metrics.Width - g.MarginX, lineY);
    }
    return 1;
}

namespace {

// The column's comment of one day and the colour the day number takes from it.
void DecideColumnDay(const PageSources& s, int year, int month, int day, int weekday, COLORREF* color,
                     char* comment)
{
    const EnvData& env = *s.Env;
    const PrintOptions& o = *s.Options;
    char name[HOLIDAY_NAME_SIZE];
    if (o.PrintHoliday == 1 && CheckHoliday(s.Holidays, s.HolidayCount, year, month, day, name, 1) == 1) {
        AppendAfterBlanks(comment, name);
        *color = env.HolidayStyle.StrColor;
    }
    int count = s.Memorial ? s.Memorial->MemorialCount : 0;
    if (o.PrintMemorial == 1 &&
        CheckMemorial(s.Memorials, s.MemorialCount, year, month, day, weekday, count, name) >= 0) {
        AppendAfterBlanks(comment, name);
        if (s.Memorial)
            *color = s.Memorial->MemorialStyle.StrColor;
    }
    if (o.PrintMyHoliday == 1 && CheckHoliday(s.MyHolidays, s.MyHolidayCount, year, month, day, name, 0) == 1) {
        AppendAfterBlanks(comment, name);
        *color = env.MyHolidayStyle.StrColor;
    }
}

// The column's memo of one day (the day memo, then the repeating memos) on one line, and the colour its mark gives
// the day number. A mark that names no user mark of the record leaves the colour alone.
void ColumnMemo(const PageSources& s, int year, int month, int day, COLORREF* color, char* memo)
{
    DayMemoRecord record = {};
    char* dayText = DayMemo(s, year, month, day, &record, 1);
    FontStyle repeatStyle = {};
    char* repeatText = RepeatMemo(s, year, month, day, &repeatStyle, 1);
    FontStyle style = record.Style;
    if (!dayText) {
        style = FontStyle();
        style.NoUseStrColor = 1;
    }
    if (dayText)
        SafeStrCat(memo, kPageTextSize, dayText);
    if (repeatText)
        AppendAfterBlanks(memo, repeatText);
    FreeText(dayText);
    FreeText(repeatText);
    if (!*memo)
        return;
    const EnvData& env = *s.Env;
    if (style.MarkType >= MARK_KIND_USER_BASE) {
        int index = style.MarkType - MARK_KIND_USER_BASE;
        if (env.UserMarks && index < env.UserStyleMax && env.UserMarks[index].Style.NoUseStrColor != 1)
            *color = env.UserMarks[index].Style.StrColor;
    } else if (style.NoUseStrColor != 1) {
        *color = style.StrColor;
    }
}

}  // namespace

int DrawMonthColumn(HDC dc, const PageSources& s, const PageMetrics& metrics, int year, int month, const RECT* area)
{
    if (!dc || !s.Env || !s.Options || !area)
        return 0;
    const EnvData& env = *s.Env;
    PageGeometry g = ComputePageGeometry(metrics);
    PageTools tools(dc, g.PenWidth);
    PageFonts fonts(dc);
    BodyFonts body = MakeBodyFonts(fonts, s, g, g.DayFont);
    HFONT weekFont = body.Week, dayFont = body.Day, commentFont = body.Comment, memoFont = body.Memo;
    int top = area->top + g.MarginY;
    double rowHeight = (metrics.Height - 2.0 * g.MarginY - area->top) / 31;
    WeekdayNameSet names(env.WeekType, env.WeekUserStr);

    int dayHeight = body.DayHeight, weekHeight = body.WeekHeight;
    int commentHeight = body.CommentHeight, memoHeight = body.MemoHeight;
    fonts.Use(dayFont);
    int widest28 = TextWidth(dc, "28");
    fonts.Use(weekFont);
    int widestName = 0;
    for (int i = 0; i < 7; i++) {
        int width = TextWidth(dc, names.Name(i));
        if (width > widestName)
            widestName = width;
    }
    int prefix = env.WeekType != 0 ? dayHeight + widest28 + weekHeight + widestName : 0;
    int dayX = (int)(g.MarginX + 0.2 * dayHeight);
    int weekX = (int)(g.MarginX + 2.2 * weekHeight);
    int shadow = ShadowPixels(g, env.ShadowWidth, 1);

    char comment[kPageTextSize];
    char memo[kPageTextSize];
    for (int d = 1, last = DaysInMonth(year, month); d <= last; d++) {
        double centre = top + (d - 0.5) * rowHeight;
        int weekday = DayOfWeek(year, month, d);
        const char* name = env.WeekType != 0 ? names.Name(weekday) : "";
        char number[16];
        snprintf(number, sizeof(number), "%d", d);
        int dayY = (int)(centre - 0.5 * dayHeight);
        int weekY = (int)(centre - 0.5 * weekHeight);
        fonts.Use(dayFont);
        PageTextOutShadow(dc, dayX, dayY, number, kBlack, env.ShadowColor, shadow, env.ShadowDirection);
        fonts.Use(weekFont);
        PageTextOutShadow(dc, weekX, weekY, name, kBlack, env.ShadowColor, shadow, env.ShadowDirection);

        COLORREF color = env.WeekStyles[weekday].StrColor;
        comment[0] = '\0';
        DecideColumnDay(s, year, month, d, weekday, &color, comment);
        int x = (int)(g.MarginX + prefix + 0.2 * weekHeight);
        if (*comment) {
            fonts.Use(commentFont);
            SetTextColor(dc, kBlack);
            TextOutA(dc, x, (int)(centre - 0.5 * commentHeight), comment, (int)strlen(comment));
            x += TextWidth(dc, comment) + commentHeight;
        }
        if (s.Options->PrintMemo == 1) {
            memo[0] = '\0';
            ColumnMemo(s, year, month, d, &color, memo);
            if (*memo) {
                fonts.Use(memoFont);
                SetTextColor(dc, kBlack);
                TextOutA(dc, x, (int)(centre - 0.5 * memoHeight), memo, (int)strlen(memo));
            }
        }
        fonts.Use(dayFont);
        PageTextOutShadow(dc, dayX, dayY, number, color, color, 0, env.ShadowDirection);
        fonts.Use(weekFont);
        PageTextOutShadow(dc, weekX, weekY, name, color, color, 0, env.ShadowDirection);
    }

    int bottom = metrics.Height - g.MarginY;
    Rectangle(dc, g.MarginX, top, metrics.Width - g.MarginX, bottom);
    for (int i = 0; i <= 30; i++) {
        int lineY = (int)(top + i * rowHeight);
        MoveToEx(dc, g.MarginX, lineY, nullptr);
        LineTo(dc, metrics.Width - g.MarginX, lineY);
    }
    return 1;
}
