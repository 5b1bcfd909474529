// Japanese era years and the year captions of month headings.
#pragma once

#include <stddef.h>

// Size of the static buffers the exports answer with.
#define ERA_TEXT_SIZE 1024
// Year styles 0-14 of the month heading; a style beyond them reads as style 1.
#define YEAR_STYLE_COUNT 15

// The era year of a date into out (size bytes, always terminated): "令和8年", "平成元年", or "江戸以前" before the
// first era. kanjiDigits non-zero writes the number digit by digit in kanji; withoutEraName 1 drops the era name;
// withoutNen non-zero drops the closing "年" (the first year keeps "元年").
void FormatWareki(char* out, size_t size, int year, int month, int day, int kanjiDigits, int withoutEraName,
                  int withoutNen);
// The caption of a month heading in year style yearStyle into out (size bytes, always terminated); when linked is
// non-zero, monthName joins it through joinText, in front when monthFirst is non-zero.
void FormatYearCaption(char* out, size_t size, int year, int month, int yearStyle, const char* monthName,
                       int linked, int monthFirst, const char* joinText);

extern "C" {

// FormatWareki into a static buffer, valid until the next call.
const char* GetWareki(int year, int month, int day, int kanjiDigits, int withoutEraName, int withoutNen);
// FormatYearCaption with the name of month-name set monthSet, into a static buffer valid until the next call.
// No record comes with the call, so the user's set (8) gives an empty month name.
const char* YearString(int year, int month, unsigned char yearStyle, unsigned char monthSet, int linked,
                       int monthFirst, const char* joinText);

}
