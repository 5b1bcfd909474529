#include "HolidayCheck.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "StrUtil.h"

namespace {

const int kMaxJoinedNames = 10;
const int kMaxStepsBack = 1048576;
const char kSubstituteHoliday[] = "振替休日";
const char kCitizensHoliday[] = "国民の休日";

// Substitute holidays exist from the day the law took effect: 12 April 1973.
const int kSubstituteLawYear = 1973, kSubstituteLawMonth = 4, kSubstituteLawDay = 12;
// The derived rules of later amendments, judged by the year of the asked date.
const int kConsecutiveSubstituteYear = 2007;
const int kCitizensHolidayYear = 2009;

// Appends text as a further line of a "\r\n"-joined list, cut to fit dst.
void AppendLine(char* dst, size_t size, const char* text)
{
    size_t length = strlen(dst);
    if (length > 0) {
        if (length + 2 >= size - 1)
            return; // a separator with nothing after it would only clutter
        SafeStrCat(dst, size, "\r\n");
    }
    SafeStrCat(dst, size, text);
}

bool YearApplies(const HolidayRecord& r, int year)
{
    switch (r.yearRule) {
    case HOLIDAY_YEAR_EXACT: return r.year == 0 || r.year == year;
    case HOLIDAY_YEAR_UP_TO: return r.year == 0 || year <= r.year;
    case HOLIDAY_YEAR_FROM: return r.year == 0 || year >= r.year;
    default: return r.year == 0;
    }
}

// Day rule, or the n-th weekday of the month.
bool DayApplies(const HolidayRecord& r, int month, int day, int weekday)
{
    if (r.month != month)
        return false;
    return r.day == day || (r.week != 0 && r.week == WeekOfMonth(day) && r.weekday == weekday);
}

bool IsListedHoliday(const HolidayRecord* list, int count, int year, int month, int day)
{
    return MatchHolidayDate(list, count, year, month, day, nullptr) != 0;
}

bool IsBefore(int y1, int m1, int d1, int y2, int m2, int d2)
{
    if (y1 != y2)
        return y1 < y2;
    if (m1 != m2)
        return m1 < m2;
    return d1 < d2;
}

// From 2007 a holiday on Sunday moves to the first following day that is no holiday:
// walk back over listed holidays to a Sunday.
bool EndsHolidayRunFromSunday(const HolidayRecord* list, int count, int year, int month, int day)
{
    for (int step = 0; step < kMaxStepsBack; ++step) {
        SubDaysInt(&year, &month, &day, 1);
        if (!IsListedHoliday(list, count, year, month, day))
            return false;
        if (DayOfWeek(year, month, day) == 0)
            return true;
    }
    return false;
}

const char* AgeFormat(const char* gathered, int age)
{
    if (FindStr(gathered, "誕生日") || FindStr(gathered, "たんじょうび"))
        return "(%d歳)";
    static const char* const kEnglish[] = {"birthday", "Birthday", "BIRTHDAY", "バースデー", "バースデイ", "バースディ"};
    for (const char* word : kEnglish) {
        if (FindStr(gathered, word))
            return age == 1 ? " (%d year old)" : " (%d years old)";
    }
    return "(%d年)";
}

} // namespace

extern "C" {

int MatchHolidayDate(const HolidayRecord* list, int count, int year, int month, int day, char* names)
{
    if (names)
        names[0] = '\0';
    if (!list || count < 1)
        return 0;
    int weekday = DayOfWeek(year, month, day);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const HolidayRecord& r = list[i];
        if (r.kind != HOLIDAY_KIND_NATIONAL && r.kind != HOLIDAY_KIND_OWN)
            continue;
        if (!YearApplies(r, year) || !DayApplies(r, month, day, weekday))
            continue;
        if (names && kept < kMaxJoinedNames)
            AppendLine(names, HOLIDAY_NAME_SIZE, r.name ? r.name : "");
        ++kept;
    }
    return kept > 0 ? 1 : 0;
}

int CheckHoliday(const HolidayRecord* list, int count, int year, int month, int day, char* name,
                 int substitute)
{
    if (name)
        name[0] = '\0';
    if (!list || count < 1)
        return 0;
    int yb = year, mb = month, db = day;
    int ya = year, ma = month, da = day;
    SubDaysInt(&yb, &mb, &db, 1);
    AddDaysInt(&ya, &ma, &da, 1);
    bool before = IsListedHoliday(list, count, yb, mb, db);
    bool today = MatchHolidayDate(list, count, year, month, day, name) != 0;
    bool after = IsListedHoliday(list, count, ya, ma, da);
    bool national = (list[0].kind == HOLIDAY_KIND_NATIONAL);
    bool substituteOn = (substitute == 1);

    // A Sunday holiday moves to the Monday, but only since the law took effect.
    if (national && substituteOn && before && !today && DayOfWeek(year, month, day) == 1 &&
        !IsBefore(yb, mb, db, kSubstituteLawYear, kSubstituteLawMonth, kSubstituteLawDay)) {
        SafeStrCpy(name, HOLIDAY_NAME_SIZE, kSubstituteHoliday);
        return 1;
    }
    if (today)
        return 1;
    // A day between two holidays is a holiday too, whatever its weekday.
    if (national && year >= kCitizensHolidayYear && before && after) {
        SafeStrCpy(name, HOLIDAY_NAME_SIZE, kCitizensHoliday);
        return 1;
    }
    if (national && substituteOn && year >= kConsecutiveSubstituteYear &&
        EndsHolidayRunFromSunday(list, count, year, month, day)) {
        SafeStrCpy(name, HOLIDAY_NAME_SIZE, kSubstituteHoliday);
        return 1;
    }
    return 0;
}

int CheckMemorial(const HolidayRecord* list, int count, int year, int month, int day, int weekday,
                  int ageFlag, char* text)
{
    char gathered[HOLIDAY_NAME_SIZE] = "";
    int result = -1;
    for (int i = 0; list && i < count; ++i) {
        const HolidayRecord& r = list[i];
        if (r.kind != HOLIDAY_KIND_MEMORIAL || !r.name || !DayApplies(r, month, day, weekday))
            continue;
        AppendLine(gathered, sizeof(gathered), r.name);
        result = (year <= 0 || r.year <= 0) ? 0 : year - r.year;
        if (ageFlag == 1 && result > 0) {
            // The suffix follows any name gathered so far, so that a second name on
            // someone's birthday is counted in the same unit.
            char suffix[64];
            snprintf(suffix, sizeof(suffix), AgeFormat(gathered, result), result);
            if (strlen(gathered) + strlen(suffix) < sizeof(gathered)) // whole or not at all
                SafeStrCat(gathered, sizeof(gathered), suffix);
        }
    }
    if (text)
        SafeStrCpy(text, HOLIDAY_NAME_SIZE, gathered);
    return result;
}

} // extern "C"
