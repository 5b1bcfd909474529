#include "Holiday.h"

#include <string.h>

#include "DaylensIds.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "NameSets.h"
#include "Sjis.h"
#include "UserMessage.h"

namespace {

const char kNoMemory[] = "メモリが足りません";
const char kDuplicate[] = "同じデータがあります";
const char kAlertCaption[] = DAYLENS_ALERT_CAPTION;
const char kInsertAlertCaption[] = MAKER_ALERT_CAPTION;

const int kMaxFieldLength = HOLIDAY_LINE_SIZE - 1;
const int kHolidayFields = 4;
const int kFirstCapacity = 32;

// A weekday may be written as in any of these name sets: "日", "Su" or "Sun".
const int kWeekdayNameSets[] = {WEEK_SET_KANJI, WEEK_SET_TWO_LETTERS, WEEK_SET_THREE_LETTERS};

void Alert(const char* text, const char* caption)
{
    TellUserWithCaption(NULL, text, caption, MB_OK | MB_ICONWARNING);
}

void FreeHeap(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

// Appends the character at p to buffer while it fits in a line or field; once one
// does not fit the buffer stays full, so the cut never splits a double-byte character.
// Returns the character's length in bytes.
int AppendCut(char* buffer, int* length, bool* full, const char* p)
{
    int size = (IsSjisLeadByte((unsigned char)p[0]) && IsSjisTrailByte((unsigned char)p[1])) ? 2 : 1;
    if (!*full && *length + size <= kMaxFieldLength) {
        memcpy(buffer + *length, p, size);
        *length += size;
    } else {
        *full = true;
    }
    return size;
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

bool IsCommentLine(const char* line)
{
    return line[0] == '\0' || line[0] == '#' || line[0] == '/' || line[0] == '%';
}

// Numbers of a holiday file keep their low 16 bits; text that is no number reads 0.
int32_t ParseHolidayNumber(const char* s)
{
    while (*s == ' ' || *s == '\t')
        ++s;
    bool negative = (*s == '-');
    if (*s == '-' || *s == '+')
        ++s;
    uint32_t value = 0;
    for (; *s >= '0' && *s <= '9'; ++s)
        value = (value * 10 + (uint32_t)(*s - '0')) & 0xFFFF;
    if (negative)
        value = (0u - value) & 0xFFFF;
    return (int32_t)value;
}

// Weekday index of a weekday name, or -1.
int FindWeekdayName(const char* s)
{
    for (int set : kWeekdayNameSets) {
        WeekdayNameSet names(set, nullptr);
        for (int weekday = 0; weekday < 7; ++weekday) {
            if (strcmp(s, names.Name(weekday)) == 0)
                return weekday;
        }
    }
    return -1;
}

void ParseYearField(const char* field, HolidayRecord* record)
{
    if (field[0] == 'b' || field[0] == 'B') {
        record->yearRule = HOLIDAY_YEAR_UP_TO;
        ++field;
    } else if (field[0] == 'a' || field[0] == 'A') {
        record->yearRule = HOLIDAY_YEAR_FROM;
        ++field;
    }
    record->year = ParseHolidayNumber(field);
}

// A digit followed by a weekday name ("2Mon", "3月") is the n-th such weekday.
void ParseDayField(const char* field, HolidayRecord* record)
{
    int weekday = field[0] ? FindWeekdayName(field + 1) : -1;
    if (weekday >= 0 && field[0] != '0') {
        record->week = (unsigned char)field[0] - '0';
        record->weekday = weekday;
    } else {
        record->day = ParseHolidayNumber(field);
    }
}

// Fills record from one line; false when the line holds no entry. The name is
// never empty, so a null name afterwards means the heap copy failed.
bool ParseHolidayLine(const char* line, HolidayRecord* record)
{
    char fields[kHolidayFields][HOLIDAY_LINE_SIZE];
    if (IsCommentLine(line))
        return false;
    int found = SplitHolidayLine(line, fields[0], kHolidayFields);
    if (found < 3)
        return false;
    // Without a year field the entry recurs every year.
    int first = found - 3;
    const char* year = found == 4 ? fields[0] : "0";
    if (strcmp(year, "-") == 0)
        year = "0";
    ParseYearField(year, record);
    record->month = ParseHolidayNumber(fields[first]);
    ParseDayField(fields[first + 1], record);
    record->name = StrDupHeap(fields[first + 2]);
    return true;
}

// Grows the list by one zeroed record; false (list unchanged) when memory is short.
bool GrowList(HolidayRecord** list, int count)
{
    size_t bytes = (size_t)(count + 1) * sizeof(HolidayRecord);
    void* grown = ReAllocZeroed(*list, bytes);
    if (!grown)
        return false;
    *list = (HolidayRecord*)grown;
    return true;
}

// Makes room for the record at index count, growing the list by half again so that a long file is read
// in linear time; false (list unchanged) when memory is short.
bool ReserveRecord(HolidayRecord** list, int count, int* capacity)
{
    if (count < *capacity)
        return true;
    int grown = *capacity < kFirstCapacity ? kFirstCapacity : *capacity + *capacity / 2;
    if (!GrowList(list, grown - 1))
        return false;
    *capacity = grown;
    return true;
}

bool SameName(const char* a, const char* b)
{
    return strcmp(a ? a : "", b ? b : "") == 0;
}

enum InsertPlace { kPlaceHere, kPlaceLater, kPlaceDuplicate };

// Where the new record n stands against the stored record r.
InsertPlace CompareForInsert(const HolidayRecord& r, const HolidayRecord& n)
{
    if (r.year != n.year)
        return r.year > n.year ? kPlaceHere : kPlaceLater;
    if (r.month == 0 || r.month > n.month)
        return kPlaceHere;
    if (r.month < n.month)
        return kPlaceLater;
    if (r.week != n.week)
        return r.week > n.week ? kPlaceHere : kPlaceLater;
    int stored = n.week != 0 ? r.weekday : r.day;
    int added = n.week != 0 ? n.weekday : n.day;
    if (stored > added)
        return kPlaceHere;
    if (stored == added && SameName(r.name, n.name))
        return kPlaceDuplicate;
    return kPlaceLater;
}

} // namespace

extern "C" {

const char* NextTextLine(const char* text, char* line)
{
    if (!line)
        return nullptr;
    line[0] = '\0';
    if (!text || !*text)
        return nullptr;
    int length = 0;
    bool full = false;
    const char* p = text;
    while (*p && !IsLineBreak(*p))
        p += AppendCut(line, &length, &full, p);
    line[length] = '\0';
    while (IsLineBreak(*p))
        ++p;
    return *p ? p : nullptr;
}

int SplitHolidayLine(const char* line, char* fields, int maxFields)
{
    if (!line || !fields || maxFields < 1)
        return 0;
    int stored = 0;
    int length = 0;
    bool full = false;
    char* field = fields;
    for (const char* p = line; *p;) {
        char c = *p;
        bool last = (stored == maxFields - 1);
        if (c == '\t' || IsLineBreak(c) || (c == ' ' && !last)) {
            if (length > 0) {
                field[length] = '\0';
                field += HOLIDAY_LINE_SIZE;
                length = 0;
                full = false;
                if (++stored == maxFields)
                    return stored;
            }
            ++p;
            continue;
        }
        if (c == ' ' && length == 0) {
            ++p;
            continue;
        }
        p += AppendCut(field, &length, &full, p);
    }
    if (length > 0) {
        field[length] = '\0';
        ++stored;
    }
    return stored;
}

HolidayRecord* ParseHolidayText(unsigned char kind, const char* text, unsigned int* count)
{
    char line[HOLIDAY_LINE_SIZE];
    HolidayRecord* list = nullptr;
    int made = 0, capacity = 0;
    const char* next = text;
    do {
        next = NextTextLine(next, line);
        HolidayRecord record = {};
        if (!ParseHolidayLine(line, &record))
            continue;
        if (!record.name || !ReserveRecord(&list, made, &capacity)) {
            FreeHeap(record.name);
            FreeHolidayList(list, made);
            Alert(kNoMemory, kAlertCaption);
            if (count)
                *count = 0;
            return nullptr;
        }
        record.kind = kind;
        list[made++] = record;
    } while (next);
    if (count)
        *count = (unsigned int)made;
    return list;
}

HolidayRecord* LoadHoliday(unsigned char kind, const char* path, unsigned int* count)
{
    DWORD size = 0;
    char* text = ReadWholeFile(path, &size);
    if (!text)
        return nullptr;
    // A NUL byte (a lost sector, a stray write) reads as a blank: the lines after it still count, and the
    // fields on either side stay apart instead of running together into another number.
    for (DWORD i = 0; i < size; ++i) {
        if (text[i] == '\0')
            text[i] = ' ';
    }
    HolidayRecord* list = ParseHolidayText(kind, text, count);
    FreeHeap(text);
    return list;
}

void FreeHolidayList(HolidayRecord* list, int count)
{
    if (!list)
        return;
    for (int i = 0; i < count; ++i)
        FreeHeap(list[i].name);
    FreeHeap(list);
}

int CopyHolidayRecord(HolidayRecord* dst, const HolidayRecord* src)
{
    if (!dst || !src)
        return 0;
    *dst = *src;
    dst->name = StrDupHeap(src->name);
    return 1;
}

int AssignHolidayRecord(HolidayRecord* dst, const HolidayRecord* src)
{
    if (!dst || !src)
        return 0;
    *dst = *src;
    return 1;
}

int InsertHolidayRecord(HolidayRecord** array, const HolidayRecord* record, int count)
{
    if (!array || !record || count < 0 || (!*array && count > 0))
        return count;
    int i = 0;
    for (; i < count; ++i) {
        InsertPlace place = CompareForInsert((*array)[i], *record);
        if (place == kPlaceHere)
            break;
        if (place == kPlaceDuplicate) {
            // A repeated weekday rule is dropped quietly, a repeated day is reported.
            if (record->week == 0)
                Alert(kDuplicate, kAlertCaption);
            return count;
        }
    }
    if (!GrowList(array, count)) {
        Alert(kNoMemory, kInsertAlertCaption);
        return count;
    }
    HolidayRecord* list = *array;
    for (int j = count; j > i; --j)
        AssignHolidayRecord(&list[j], &list[j - 1]);
    AssignHolidayRecord(&list[i], record);
    return count + 1;
}

int DeleteHolidayRecord(HolidayRecord** array, int count, int index)
{
    if (!array || !*array || index < 0 || index >= count)
        return count;
    HolidayRecord* list = *array;
    if (count == 1) {
        FreeHolidayList(list, 1);
        *array = nullptr;
        return 0;
    }
    // A fresh smaller block, so that lack of memory leaves the list untouched.
    HolidayRecord* smaller = (HolidayRecord*)AllocZeroed((size_t)(count - 1) * sizeof(HolidayRecord));
    if (!smaller) {
        Alert(kNoMemory, kAlertCaption);
        return count;
    }
    for (int i = 0, j = 0; i < count; ++i) {
        if (i != index)
            AssignHolidayRecord(&smaller[j++], &list[i]);
    }
    FreeHeap(list[index].name);
    FreeHeap(list);
    *array = smaller;
    return count - 1;
}

} // extern "C"
