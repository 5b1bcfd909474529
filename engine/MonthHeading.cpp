#include "MonthHeading.h"

#include <stdio.h>

#include "CalendarLayout.h"
#include "DayCells.h"
#include "EnvData.h"
#include "EraNames.h"
#include "NameSets.h"
#include "TextDraw.h"

namespace {

// Drawn-year slots of the pass: the first twelve of the arrangement table.
int* DrawnYears(EnvData* env)
{
    return env->MonthArrangement[0];
}

bool YearAlreadyDrawn(EnvData* env, int year)
{
    if (env->DisplayFewYear != 1 || env->YMLink != 0)
        return false;
    for (int i = 0; i < 12; i++)
        if (DrawnYears(env)[i] == year)
            return true;
    return false;
}

void RememberDrawnYear(EnvData* env, int year)
{
    for (int i = 0; i < 12; i++) {
        if (DrawnYears(env)[i] != year) {
            DrawnYears(env)[i] = year;
            return;
        }
    }
}

void DrawHeadingText(HDC dc, HFONT font, int x, int y, const char* text, const FontStyle& style)
{
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    DrawStyledText(dc, x, y, text, &style);
    if (old)
        SelectObject(dc, old);
}

void AddEraTip(EnvData* env, int year, int month, int x, int y, int availableWidth, int headingHeight, int addTool)
{
    char era[ERA_TEXT_SIZE];
    FormatWareki(era, sizeof(era), year, month, 1, 0, 0, 0);
    char text[ERA_TEXT_SIZE + 32];
    snprintf(text, sizeof(text), "%d年 (%s)", year, era);
    RECT rect = {x, y, x + availableWidth, y + headingHeight};
    SetToolTip(env->DayCells, &env->DayCellCount, text, &rect, env, year, month, 0, addTool);
}

}  // namespace

HeadingPositions PlaceHeadingTexts(const EnvData& env, int x, int availableWidth, int headingWidth, int yearWidth,
                                   int monthWidth)
{
    bool yearSecond = env.DisplayYMChange == 1 && env.YMLink == 0;
    bool monthFirst = env.DisplayYMChange != 0;
    int space = env.YMSpace;
    HeadingPositions at;
    switch (env.DisplayYMStyle) {
    case HEADING_ALIGN_RIGHT:
    case HEADING_ALIGN_CENTER: {
        int slack = availableWidth - headingWidth;
        int base = x + (env.DisplayYMStyle == HEADING_ALIGN_RIGHT ? slack : slack / 2);
        at.YearX = yearSecond ? base + space + monthWidth : base;
        at.MonthX = monthFirst ? base : base + space + yearWidth;
        break;
    }
    case HEADING_ALIGN_BOTH_ENDS:
        at.YearX = yearSecond ? x + availableWidth - yearWidth : x;
        at.MonthX = monthFirst ? x : x + availableWidth - monthWidth;
        break;
    default:
        at.YearX = yearSecond ? x + space + monthWidth : x;
        at.MonthX = monthFirst ? x : x + space + yearWidth;
        break;
    }
    return at;
}

extern "C" {

int DrawYearMonth(HDC dc, int year, int month, int x, int y, int availableWidth, int headingWidth,
                  int headingHeight, SIZE yearText, SIZE monthText, HFONT yearFont, HFONT monthFont, int addTool,
                  EnvData* env)
{
    if (!dc || !env)
        return 0;
    NormalizeMonth(&year, &month);
    MonthNameSet names(env->MonthType, env->MonthUserStr);
    HeadingPositions at = PlaceHeadingTexts(*env, x, availableWidth, headingWidth, yearText.cx, monthText.cx);
    if (env->YearType != 0 && !YearAlreadyDrawn(env, year)) {
        char text[ERA_TEXT_SIZE];
        FormatHeadingYear(*env, names, year, month, text, sizeof(text));
        DrawHeadingText(dc, yearFont, at.YearX, y + headingHeight - yearText.cy, text, env->YearStyle);
        RememberDrawnYear(env, year);
    }
    if (HasMonthText(*env))
        DrawHeadingText(dc, monthFont, at.MonthX, y + headingHeight - monthText.cy, names.Name(month),
                        env->MonthStyle);
    if (headingWidth > 0 && env->ShowYearTip == 1)
        AddEraTip(env, year, month, x, y, availableWidth, headingHeight, addTool);
    return 1;
}

}  // extern "C"
