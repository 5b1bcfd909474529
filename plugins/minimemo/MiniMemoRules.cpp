#include "MiniMemoRules.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "HeapUtil.h"
#include "NameSets.h"
#include "StrUtil.h"

namespace {

const int kDefaultSize = 200;

struct Walk {
    const MiniMemoSettings* Settings;
    const MiniMemoPainter* Painter;
    RECT Box;  // margins taken off
    int Y;
    int Style;
    int Drawn;  // days listed so far
};

const MiniMemoTextStyle& Current(const Walk& w)
{
    return w.Settings->Styles[w.Style];
}

// The extra room an outline shadow takes below a line.
int OutlineExtra(const Walk& w)
{
    return Current(w).ShadowDirection == SHADOW_OUTLINE ? Current(w).ShadowWidth : 0;
}

void Select(Walk& w, int style)
{
    w.Style = style;
    w.Painter->SelectStyle(w.Painter->Context, style);
}

// The widest header of the walk, with a sixteenth more room.
int HeaderColumn(const Walk& w, SYSTEMTIME date, int days)
{
    int widest = 0;
    for (int i = 0; i < days; i++, AddDays(&date, 1)) {
        char header[MINIMEMO_HEADER_SIZE];
        FormatMiniMemoHeader(header, sizeof(header), date.wYear, date.wMonth, date.wDay, w.Settings->ShowYear);
        SIZE size = w.Painter->Measure(w.Painter->Context, header);
        if (size.cx > widest)
            widest = size.cx;
    }
    return widest * 17 / 16;
}

int DrawAt(Walk& w, const char* text, int left, UINT format)
{
    RECT box = {left, w.Y, w.Box.right, w.Box.bottom};
    return w.Painter->Draw(w.Painter->Context, text, &box, format);
}

// One day: its header and text by the line rules; the tooltip covers the day's band.
void WalkDay(Walk& w, const SYSTEMTIME& date, int column)
{
    const MiniMemoSettings* s = w.Settings;
    int oneLine = MiniMemoOneLine(s);
    char* text = w.Painter->DayText(w.Painter->Context, date.wYear, date.wMonth, date.wDay, oneLine);
    if (s->ExistDraw == 1 && !text)
        return;
    if (w.Drawn > 0)
        w.Y += s->LineMargin;
    char header[MINIMEMO_HEADER_SIZE];
    FormatMiniMemoHeader(header, sizeof(header), date.wYear, date.wMonth, date.wDay, s->ShowYear);
    int h = w.Painter->Measure(w.Painter->Context, header).cy;
    int top = w.Y;
    DrawAt(w, header, w.Box.left, MINIMEMO_TEXT_FORMAT);
    if (text && s->MultiLine == 1) {
        w.Y += s->LineMargin + h + OutlineExtra(w);
        UINT format = MINIMEMO_TEXT_FORMAT | (s->AllMemo == 1 ? DT_WORDBREAK : 0);
        w.Y += DrawAt(w, text, w.Box.left + s->LineIndent, format);
    } else if (text) {
        DrawAt(w, text, w.Box.left + column, MINIMEMO_TEXT_FORMAT);
        w.Y += h;
    } else {
        w.Y += h + OutlineExtra(w);
    }
    w.Drawn++;
    if (w.Painter->AddTip) {
        char* tip = StrDupHeap(header);
        if (tip && text) {
            // A failed append keeps what was there.
            char* more = StrAppendHeap(tip, "\r\n");
            tip = more ? more : tip;
            more = StrAppendHeap(tip, text);
            tip = more ? more : tip;
        }
        RECT band = {w.Box.left, top, w.Box.right, w.Y};
        w.Painter->AddTip(w.Painter->Context, &band, tip ? tip : header);
        if (tip)
            HeapFree(GetProcessHeap(), 0, tip);
    }
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace

int MiniMemoOneLine(const MiniMemoSettings* settings)
{
    return settings && settings->MultiLine == 1 && settings->AllMemo == 1 ? 0 : 1;
}

int FormatMiniMemoHeader(char* out, size_t size, int year, int month, int day, int showYear)
{
    if (!out || size == 0)
        return 0;
    WeekdayNameSet names(WEEK_SET_KANJI, nullptr);
    const char* weekday = names.Name(DayOfWeek(year, month, day));
    int written = showYear == 1 ? snprintf(out, size, "%04d年%2d月%2d日(%s)", year, month, day, weekday)
                                : snprintf(out, size, "%2d月%2d日(%s)", month, day, weekday);
    return written < 0 ? 0 : written >= (int)size ? (int)size - 1 : written;
}

char* JoinMiniMemoTexts(char* dayMemo, char* repeatText, int oneLine)
{
    if (!repeatText)
        return dayMemo;
    if (!dayMemo)
        return repeatText;
    char* joined = StrAppendHeap(dayMemo, oneLine ? " " : "\r\n");
    char* whole = joined ? StrAppendHeap(joined, repeatText) : nullptr;
    HeapFree(GetProcessHeap(), 0, repeatText);
    if (!whole) {
        // Out of memory: the day memo alone is better than nothing.
        return joined ? joined : dayMemo;
    }
    return whole;
}

int MiniMemoFirstStyle(const MiniMemoSettings* settings)
{
    return settings && settings->BeforeDays >= 1 ? MINIMEMO_STYLE_BEFORE : MINIMEMO_STYLE_TODAY;
}

int WalkMiniMemo(const MiniMemoSettings* settings, const SYSTEMTIME* today, const RECT* client,
                 const MiniMemoPainter* painter)
{
    if (!settings || !today || !client || !painter)
        return 0;
    int before = settings->BeforeDays < 0 ? 0 : settings->BeforeDays > MINIMEMO_DAYS_MAX ? MINIMEMO_DAYS_MAX
                                                                                          : settings->BeforeDays;
    int after = settings->AfterDays < 0 ? 0 : settings->AfterDays > MINIMEMO_DAYS_MAX ? MINIMEMO_DAYS_MAX
                                                                                       : settings->AfterDays;
    Walk w = {settings, painter, *client, 0, 0, 0};
    w.Box.left += settings->MarginLeft;
    w.Box.right -= settings->MarginRight;
    w.Box.bottom -= settings->MarginBottom;
    Select(w, MiniMemoFirstStyle(settings));
    SYSTEMTIME date = *today;
    SubDays(&date, before);
    int column = HeaderColumn(w, date, before + after + 1);
    w.Y = client->top + settings->MarginTop;
    if (Current(w).ShadowDirection == SHADOW_OUTLINE)
        w.Y += Current(w).ShadowWidth / 2;
    for (int i = 0; i <= before + after; i++, AddDays(&date, 1)) {
        if (before > 0 && i == before)
            Select(w, MINIMEMO_STYLE_TODAY);
        else if (i > before)
            Select(w, MINIMEMO_STYLE_AFTER);
        WalkDay(w, date, column);
    }
    if (w.Drawn == 0) {
        int h = painter->Measure(painter->Context, MINIMEMO_NOTHING_TEXT).cy;
        DrawAt(w, MINIMEMO_NOTHING_TEXT, w.Box.left, MINIMEMO_TEXT_FORMAT);
        w.Y += h;
    }
    return w.Y;
}

int MiniMemoAutoHeight(const MiniMemoSettings* settings, int walkEnd)
{
    int height = walkEnd + (settings ? settings->MarginBottom : 0);
    return height < 1 ? 1 : height;
}

void PremultiplyMiniMemo(BYTE* colour, const BYTE* mask, size_t count, int fadeMode, int alpha)
{
    if (!colour || !mask)
        return;
    for (size_t i = 0; i < count; i++, colour += 4, mask += 4) {
        int m = mask[2];
        int a = fadeMode == TRANS_FADE_OFF ? m : m * alpha / 255;
        colour[3] = (BYTE)a;
        for (int c = 0; c < 3; c++)
            colour[c] = a > 0 ? (BYTE)(((a + 1) * colour[c]) >> 8) : 0;
    }
}

RECT MiniMemoStartRect(const MiniMemoSettings* settings, const RECT* reference)
{
    RECT box = {0, 0, kDefaultSize, kDefaultSize};
    if (!settings)
        return box;
    if (settings->WindowWidth < MINIMEMO_MIN_STORED_SIZE || settings->WindowHeight < MINIMEMO_MIN_STORED_SIZE) {
        if (reference)
            OffsetRect(&box, reference->left, reference->top);
        return box;
    }
    SetRect(&box, settings->WindowX, settings->WindowY, settings->WindowX + settings->WindowWidth,
            settings->WindowY + settings->WindowHeight);
    return box;
}
