#include "HolidayDialogRules.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "DurableSave.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "StrUtil.h"

namespace {

const char* const kWeekdayNames[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
const char* const kWeekdayWords[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char kNoYear[] = "      ";

HolidayWorkAllocProc g_alloc = AllocZeroed;

bool IsWeekdayRule(const HolidayRecord* record)
{
    return record->week != 0 && record->weekday >= 0 && record->weekday < 7;
}

// The letter before a year of the file: the reader takes "b" for "up to" and "a" for "from".
const char* YearRuleLetter(const HolidayRecord* record)
{
    if (record->yearRule == HOLIDAY_YEAR_UP_TO)
        return "b";
    if (record->yearRule == HOLIDAY_YEAR_FROM)
        return "a";
    return "";
}

void FreeName(HolidayRecord* record)
{
    if (record && record->name) {
        HeapFree(GetProcessHeap(), 0, record->name);
        record->name = nullptr;
    }
}

// Frees the names of the first count records of list and list itself.
void FreeCopies(HolidayRecord* list, int count)
{
    if (!list)
        return;
    for (int i = 0; i < count; i++)
        FreeName(&list[i]);
    HeapFree(GetProcessHeap(), 0, list);
}

// A fresh array of copies of count records; null for none or lack of memory (*ok tells them apart).
HolidayRecord* CopyRecords(const HolidayRecord* records, int count, bool* ok)
{
    *ok = true;
    if (!records || count <= 0)
        return nullptr;
    HolidayRecord* copy = (HolidayRecord*)g_alloc((size_t)count * sizeof(HolidayRecord));
    if (!copy) {
        *ok = false;
        return nullptr;
    }
    for (int i = 0; i < count; i++) {
        if (!CopyHolidayRecord(&copy[i], &records[i]) || !copy[i].name) {
            copy[i].name = nullptr;
            FreeCopies(copy, i);
            *ok = false;
            return nullptr;
        }
    }
    return copy;
}

}  // namespace

void HolidayDateText(const HolidayRecord* record, char* text, size_t size)
{
    if (!text || size == 0)
        return;
    text[0] = '\0';
    if (!record)
        return;
    char year[16];
    if (record->year != 0)
        snprintf(year, sizeof(year), "%4d年", record->year);
    else
        SafeStrCpy(year, sizeof(year), kNoYear);
    if (IsWeekdayRule(record))
        snprintf(text, size, "%s%2d月第%d%s", year, record->month, record->week, kWeekdayNames[record->weekday]);
    else
        snprintf(text, size, "%s%2d月%2d日", year, record->month, record->day);
}

void HolidayFileLine(const HolidayRecord* record, char* line, size_t size)
{
    if (!line || size == 0)
        return;
    line[0] = '\0';
    if (!record || !record->name || !record->name[0])
        return;
    // The reader takes the number right after a rule's letter, so no blank may stand between them; a rule's year 0
    // keeps its letter too, which "-" would lose.
    char year[32];
    const char* letter = YearRuleLetter(record);
    if (letter[0])
        snprintf(year, sizeof(year), "%s%d %d", letter, record->year, record->month);
    else if (record->year == 0)
        snprintf(year, sizeof(year), "- %d", record->month);
    else
        snprintf(year, sizeof(year), "%4d %d", record->year, record->month);
    if (IsWeekdayRule(record))
        snprintf(line, size, "%s %d%s %s\r\n", year, record->week, kWeekdayWords[record->weekday], record->name);
    else
        snprintf(line, size, "%s %d %s\r\n", year, record->day, record->name);
}

int WriteHolidayFile(const char* path, const HolidayRecord* list, int count)
{
    if (!path || !path[0])
        return 0;
    if (!list || count <= 0)
        return DeleteFileChecked(path);
    std::string text;
    char line[HOLIDAY_FILE_LINE_SIZE];
    for (int i = 0; i < count; i++) {
        HolidayFileLine(&list[i], line, sizeof(line));
        text += line;
    }
    return SaveFileDurably(path, text.data(), (DWORD)text.size());
}

int CheckHolidayBoxes(const HolidayBoxes* boxes)
{
    if (!boxes || boxes->Month <= 0)
        return HOLIDAY_ENTRY_NO_MONTH;
    if (boxes->Day <= 0 && (boxes->Week <= 0 || boxes->Weekday <= 0))
        return HOLIDAY_ENTRY_NO_DAY;
    return HOLIDAY_ENTRY_OK;
}

const char* HolidayEntryMessage(int check)
{
    switch (check) {
    case HOLIDAY_ENTRY_NO_MONTH: return "月が設定されていません";
    case HOLIDAY_ENTRY_NO_DAY: return "日付や曜日が設定されていません";
    }
    return nullptr;
}

void CoupleHolidayBoxes(HolidayBoxes* boxes, int changed)
{
    if (!boxes)
        return;
    switch (changed) {
    case HOLIDAY_BOX_WEEKDAY:
        if (boxes->Weekday > 0) {
            boxes->Day = 0;
            if (boxes->Week <= 0)
                boxes->Week = 1;
        }
        break;
    case HOLIDAY_BOX_WEEK:
        if (boxes->Week > 0) {
            boxes->Day = 0;
            if (boxes->Weekday <= 0)
                boxes->Weekday = 1;
        }
        break;
    case HOLIDAY_BOX_DAY:
        if (boxes->Day > 0) {
            boxes->Week = 0;
            boxes->Weekday = 0;
        }
        break;
    }
}

HolidayBoxes HolidayBoxesOf(const HolidayRecord* record)
{
    HolidayBoxes boxes = {};
    if (!record)
        return boxes;
    boxes.Month = record->month;
    if (IsWeekdayRule(record)) {
        boxes.Week = record->week;
        boxes.Weekday = record->weekday + 1;
    } else {
        boxes.Day = record->day;
    }
    return boxes;
}

int MakeHolidayEntry(unsigned char kind, const char* yearText, const HolidayBoxes* boxes, const char* name,
                     HolidayRecord* record)
{
    if (!boxes || !record || !name || !name[0])
        return 0;
    HolidayRecord entry = {};
    entry.kind = kind;
    entry.yearRule = HOLIDAY_YEAR_EXACT;
    entry.year = yearText ? (int32_t)(atoi(yearText) & 0xFFFF) : 0;
    entry.month = boxes->Month;
    if (boxes->Day > 0) {
        entry.day = boxes->Day;
    } else {
        entry.week = boxes->Week;
        entry.weekday = boxes->Weekday > 0 ? boxes->Weekday - 1 : 0;
    }
    entry.name = StrDupHeap(name);
    if (!entry.name)
        return 0;
    *record = entry;
    return 1;
}

int HolidayWorkCopy(HolidayWorkList* list, const HolidayRecord* records, int count)
{
    if (!list)
        return 0;
    list->Records = nullptr;
    list->Count = 0;
    bool ok = true;
    HolidayRecord* copy = CopyRecords(records, count, &ok);
    if (!ok)
        return 0;
    list->Records = copy;
    list->Count = copy ? count : 0;
    return 1;
}

void HolidayWorkFree(HolidayWorkList* list)
{
    if (!list)
        return;
    FreeCopies(list->Records, list->Count);
    list->Records = nullptr;
    list->Count = 0;
}

int HolidayWorkAdd(HolidayWorkList* list, HolidayRecord* record)
{
    if (!list || !record)
        return 0;
    int count = InsertHolidayRecord(&list->Records, record, list->Count);
    if (count != list->Count + 1) {
        FreeName(record);
        return 0;
    }
    list->Count = count;
    record->name = nullptr;  // the list's now
    return 1;
}

int HolidayWorkChange(HolidayWorkList* list, int index, HolidayRecord* record)
{
    if (!list || !record || index < 0 || index >= list->Count) {
        FreeName(record);
        return 0;
    }
    // The old record is found again by its name, which is its own: the insert may have moved it.
    const char* oldName = list->Records[index].name;
    if (!HolidayWorkAdd(list, record))
        return 0;
    for (int i = 0; i < list->Count; i++) {
        if (list->Records[i].name == oldName)
            return HolidayWorkDelete(list, i);
    }
    return 0;
}

int HolidayWorkDelete(HolidayWorkList* list, int index)
{
    if (!list || index < 0 || index >= list->Count)
        return 0;
    int count = DeleteHolidayRecord(&list->Records, list->Count, index);
    if (count != list->Count - 1)
        return 0;
    list->Count = count;
    return 1;
}

int HolidayWorkHandOver(const HolidayWorkList* list, HolidayRecord** records, unsigned int* count)
{
    if (!list || !records || !count)
        return 0;
    bool ok = true;
    HolidayRecord* fresh = CopyRecords(list->Records, list->Count, &ok);
    if (!ok)
        return 0;
    FreeHolidayList(*records, (int)*count);
    *records = fresh;
    *count = fresh ? (unsigned int)list->Count : 0;
    return 1;
}

HolidayWorkAllocProc SetHolidayWorkAllocProc(HolidayWorkAllocProc proc)
{
    HolidayWorkAllocProc previous = g_alloc;
    g_alloc = proc ? proc : AllocZeroed;
    return previous;
}
