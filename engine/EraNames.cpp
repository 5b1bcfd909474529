#include "EraNames.h"

#include <stdio.h>

#include "KanjiNumber.h"
#include "NameSets.h"
#include "StrUtil.h"

namespace {

struct Era {
    const char* name;
    int year;
    int month;
    int day;
};

// Newest first: a date belongs to the first era whose first day it reaches.
const Era kEras[] = {
    {"令和", 2019, 5, 1},
    {"平成", 1989, 1, 8},
    {"昭和", 1926, 12, 25},
    {"大正", 1912, 7, 30},
    {"明治", 1868, 9, 8},
};

const char kBeforeEras[] = "江戸以前";

// The era styles 1-6: kanji digits, no era name, no "年".
struct EraStyle {
    int kanji;
    int withoutEra;
    int withoutNen;
};

const EraStyle kEraStyles[7] = {
    {0, 0, 0}, {0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1},
};

long long DateKey(int year, int month, int day)
{
    return ((long long)year * 16 + month) * 32 + day;
}

const Era* FindEra(int year, int month, int day)
{
    long long key = DateKey(year, month, day);
    for (const Era& era : kEras) {
        if (key >= DateKey(era.year, era.month, era.day))
            return &era;
    }
    return nullptr;
}

void AppendNumber(char* out, size_t size, const char* format, int n)
{
    char number[32];
    snprintf(number, sizeof(number), format, n);
    SafeStrCat(out, size, number);
}

// The year part of a caption, before any month name is joined to it.
void FormatYearPart(char* out, size_t size, int year, int month, int style)
{
    char era[ERA_TEXT_SIZE];
    switch (style) {
    case 7: AppendNumber(out, size, "%04d年", year); break;
    case 8: AppendNumber(out, size, "%02d年", year % 100); break;
    case 9: AppendNumber(out, size, "%04d", year); break;
    case 10: AppendNumber(out, size, "%02d", year % 100); break;
    case 11: AppendNumber(out, size, "'%02d", year % 100); break;
    case 12: AppendNumber(out, size, "皇紀%04d年", year + 660); break;
    case 13:
    case 14:
        FormatWareki(era, sizeof(era), year, month, 1, 0, style == 14 ? 1 : 0, 0);
        AppendNumber(out, size, "%04d年 ", year);
        SafeStrCat(out, size, era);
        break;
    default: {
        const EraStyle& option = kEraStyles[style >= 1 && style <= 6 ? style : 1];
        FormatWareki(out, size, year, month, 1, option.kanji, option.withoutEra, option.withoutNen);
        break;
    }
    }
}

// Carries a month outside 1-12 into the year.
void CarryMonth(int* year, int* month)
{
    int index = *year * 12 + (*month - 1);
    int rest = index % 12;
    if (rest < 0)
        rest += 12;
    *year = (index - rest) / 12;
    *month = rest + 1;
}

}  // namespace

void FormatWareki(char* out, size_t size, int year, int month, int day, int kanjiDigits, int withoutEraName,
                  int withoutNen)
{
    if (!out || size == 0)
        return;
    out[0] = '\0';
    const Era* era = FindEra(year, month, day);
    if (!era) {
        SafeStrCpy(out, size, kBeforeEras);
        return;
    }
    if (withoutEraName != 1)
        SafeStrCpy(out, size, era->name);
    if (year == era->year) {
        SafeStrCat(out, size, "元年");
        return;
    }
    int number = year - era->year + 1;
    if (kanjiDigits)
        SafeStrCat(out, size, KanjiNumberUnder10000(number, 0));
    else
        AppendNumber(out, size, "%d", number);
    if (!withoutNen)
        SafeStrCat(out, size, "年");
}

void FormatYearCaption(char* out, size_t size, int year, int month, int yearStyle, const char* monthName,
                       int linked, int monthFirst, const char* joinText)
{
    if (!out || size == 0)
        return;
    out[0] = '\0';
    if (yearStyle == 0)
        return;
    if (!linked) {
        FormatYearPart(out, size, year, month, yearStyle);
        return;
    }
    char caption[ERA_TEXT_SIZE] = "";
    FormatYearPart(caption, sizeof(caption), year, month, yearStyle);
    SafeStrCpy(out, size, monthFirst ? monthName : caption);
    SafeStrCat(out, size, joinText);
    SafeStrCat(out, size, monthFirst ? caption : monthName);
}

extern "C" {

const char* GetWareki(int year, int month, int day, int kanjiDigits, int withoutEraName, int withoutNen)
{
    static char text[ERA_TEXT_SIZE];
    FormatWareki(text, sizeof(text), year, month, day, kanjiDigits, withoutEraName, withoutNen);
    return text;
}

const char* YearString(int year, int month, unsigned char yearStyle, unsigned char monthSet, int linked,
                       int monthFirst, const char* joinText)
{
    static char text[ERA_TEXT_SIZE];
    CarryMonth(&year, &month);
    MonthNameSet names(monthSet, nullptr);
    FormatYearCaption(text, sizeof(text), year, month, yearStyle, names.Name(month), linked, monthFirst, joinText);
    return text;
}

}  // extern "C"
