#include "NameSets.h"

#include <windows.h>

#include <string.h>

#include "HeapUtil.h"
#include "StrUtil.h"

namespace {

// Built-in sets 1-7 of the months and 1-6 of the weekdays; the user's set follows them.
const char* const kMonthNames[MONTH_SET_COUNT - 1][MONTH_NAME_COUNT] = {
    {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"},
    {"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月", "十一月", "十二月"},
    {"睦月", "如月", "弥生", "卯月", "皐月", "水無月", "文月", "葉月", "長月", "神無月", "霜月", "師走"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"},
    {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"},
};

const char* const kWeekdayNames[WEEK_SET_COUNT - 1][WEEK_NAME_COUNT] = {
    {"日", "月", "火", "水", "木", "金", "土"},
    {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"S", "M", "T", "W", "T", "F", "S"},
    {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
};

int SetIndex(int set, int count)
{
    if (set == 0)
        return 0;
    return (set < 0 || set > count) ? 1 : set;
}

// Heap copy of the len bytes at text, null for an empty piece or no memory.
char* CopyPiece(const char* text, size_t len)
{
    if (len == 0)
        return nullptr;
    char* copy = (char*)AllocZeroed(len);
    if (copy)
        memcpy(copy, text, len);
    return copy;
}

int Modulo(int value, int divisor)
{
    int rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

}  // namespace

int MonthSetIndex(int set)
{
    return SetIndex(set, MONTH_SET_COUNT);
}

int WeekSetIndex(int set)
{
    return SetIndex(set, WEEK_SET_COUNT);
}

void CutUserNames(const char* list, char** slots, int count)
{
    for (int i = 0; i < count; i++)
        slots[i] = nullptr;
    char text[USER_NAME_LIST_MAX];
    SafeStrCpy(text, sizeof(text), NonNullStr(list));
    const char* piece = text;
    const char* p = text;
    int slot = 0;
    while (slot < count) {
        if (*p == '\0' || *p == ',') {
            slots[slot++] = CopyPiece(piece, (size_t)(p - piece));
            if (*p == '\0')
                break;
            piece = ++p;
        } else {
            p += IsDoubleByteChar(p) ? 2 : 1;
        }
    }
}

void FreeUserNames(char** slots, int count)
{
    for (int i = 0; i < count; i++) {
        if (slots[i])
            HeapFree(GetProcessHeap(), 0, slots[i]);
        slots[i] = nullptr;
    }
}

MonthNameSet::MonthNameSet(int set, const char* userList) : set_(MonthSetIndex(set)), user_()
{
    if (set_ == MONTH_SET_USER)
        CutUserNames(userList, user_, MONTH_NAME_COUNT);
}

MonthNameSet::~MonthNameSet()
{
    FreeUserNames(user_, MONTH_NAME_COUNT);
}

const char* MonthNameSet::Name(int month) const
{
    int index = Modulo(month - 1, MONTH_NAME_COUNT);
    if (set_ == 0)
        return "";
    if (set_ == MONTH_SET_USER)
        return NonNullStr(user_[index]);
    return kMonthNames[set_ - 1][index];
}

WeekdayNameSet::WeekdayNameSet(int set, const char* userList) : set_(WeekSetIndex(set)), user_()
{
    if (set_ == WEEK_SET_USER)
        CutUserNames(userList, user_, WEEK_NAME_COUNT);
}

WeekdayNameSet::~WeekdayNameSet()
{
    FreeUserNames(user_, WEEK_NAME_COUNT);
}

const char* WeekdayNameSet::Name(int weekday) const
{
    int index = Modulo(weekday, WEEK_NAME_COUNT);
    if (set_ == 0)
        return "";
    if (set_ == WEEK_SET_USER)
        return NonNullStr(user_[index]);
    return kWeekdayNames[set_ - 1][index];
}
