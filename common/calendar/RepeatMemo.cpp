#include "RepeatMemo.h"

#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "DurableSave.h"
#include "HeapUtil.h"
#include "HolidayCheck.h"
#include "IniDocument.h"
#include "ProfileSection.h"
#include "ProfileValue.h"
#include "StrUtil.h"

namespace {

const size_t kSectionBlockSize = 64 * 1024;
const int kMaxShiftSteps = 365;

// One stored key: where it lives in the record, its width, the reader's default and the most it may hold.
struct KeyRow {
    const char* Key;
    size_t Offset;
    int Bytes;  // 1 or 4
    int Default;
    int Max;    // above 0: the value read is held to 0..Max; 0: taken as it is
};

#define REPEAT_ROW(key, field, def) \
    {key, offsetof(RepeatMemoRecord, field), (int)sizeof(RepeatMemoRecord::field), def, 0}
#define STYLE_ROW_TO(key, field, def, max) \
    {key, offsetof(RepeatMemoRecord, Style) + offsetof(FontStyle, field), (int)sizeof(FontStyle::field), def, max}
#define STYLE_ROW(key, field, def) STYLE_ROW_TO(key, field, def, 0)

// In the order the writer puts them; "Memo" follows.
const KeyRow kKeys[] = {
    REPEAT_ROW("Use", Use, 0),
    REPEAT_ROW("Type", Type, 0),
    REPEAT_ROW("Month", Month, 0),
    REPEAT_ROW("Day", Day, 0),
    REPEAT_ROW("Week", Week, 0),
    REPEAT_ROW("DayBit", DayBit, 0),  // default: the older key "DateBit"
    REPEAT_ROW("HolidayShift", HolidayShift, 0),
    REPEAT_ROW("FromYear", FromYear, 0),
    REPEAT_ROW("FromMonth", FromMonth, 0),
    REPEAT_ROW("FromDay", FromDay, 0),
    REPEAT_ROW("ToYear", ToYear, 0),
    REPEAT_ROW("ToMonth", ToMonth, 0),
    REPEAT_ROW("ToDay", ToDay, 0),
    STYLE_ROW("MarkColor", MarkColor, 0x80FF80),
    STYLE_ROW("MarkType", MarkType, 0),
    STYLE_ROW("NoUseStrColor", NoUseStrColor, 1),
    STYLE_ROW("StrColor", StrColor, 0),
    STYLE_ROW("ShadowColor", ShadowColor, 0xFFFF00),
    STYLE_ROW_TO("ShadowWidth", ShadowWidth, 1, SHADOW_WIDTH_MAX),
    STYLE_ROW("ShadowDirection", ShadowDirection, 2),
    STYLE_ROW("Gradation", Gradation, 0),
};

void* DefaultReAlloc(void* block, size_t size)
{
    return ReAllocZeroed(block, size);
}

RepeatMemoReAllocProc g_reAlloc = DefaultReAlloc;

int GetField(const RepeatMemoRecord& r, const KeyRow& row)
{
    const char* p = (const char*)&r + row.Offset;
    if (row.Bytes == 1)
        return *(const uint8_t*)p;
    int32_t value;
    memcpy(&value, p, sizeof(value));
    return value;
}

void SetField(RepeatMemoRecord* r, const KeyRow& row, int value)
{
    char* p = (char*)r + row.Offset;
    if (row.Bytes == 1) {
        *(uint8_t*)p = (uint8_t)value;  // byte fields keep the low 8 bits
    } else {
        int32_t v = value;
        memcpy(p, &v, sizeof(v));
    }
}

void RepeatFilePath(const char* memoDir, char* path, size_t size)
{
    snprintf(path, size, "%s\\repeat.txt", NonNullStr(memoDir));
}

void SectionName(int n, char* section, size_t size)
{
    snprintf(section, size, "%04d", n);
}

void ReadRecord(const char* path, const char* section, RepeatMemoRecord* r)
{
    for (const KeyRow& row : kKeys) {
        int def = row.Default;
        if (strcmp(row.Key, "DayBit") == 0)
            def = ReadProfileInt(path, section, "DateBit", 0);
        SetField(r, row, row.Max > 0 ? ReadProfileIntInRange(path, section, row.Key, def, 0, row.Max)
                                     : ReadProfileInt(path, section, row.Key, def));
    }
}

// The profile reader strips blanks and one pair of quotes around a value, so a text
// that begins or ends with either is written inside one pair of double quotes.
bool NeedsQuotes(const char* text)
{
    size_t len = strlen(text);
    if (len == 0)
        return false;
    const char* ends = " \t\"'";
    return strchr(ends, text[0]) || strchr(ends, text[len - 1]);
}

// The section text of one memo: "key = value" lines, each ended by a NUL, then a second NUL.
void BuildSection(const RepeatMemoRecord& r, const char* text, char* block, size_t size)
{
    size_t used = 0;
    for (const KeyRow& row : kKeys)
        used += (size_t)snprintf(block + used, size - used, "%-16s= %d", row.Key, GetField(r, row)) + 1;
    const char* quote = NeedsQuotes(text) ? "\"" : "";
    snprintf(block + used, size - used, "%-16s= %s%s%s", "Memo", quote, text, quote);
}

bool WorkingDay(const HolidayRecord* holidays, int holidayCount, int y, int m, int d)
{
    int w = DayOfWeek(y, m, d);
    return w >= 1 && w <= 5 && !CheckHoliday(holidays, holidayCount, y, m, d, nullptr, 1);
}

// Whether the date is the memo's day (and, for a yearly memo, its month); a last-day
// memo takes the length of the date's own month.
bool IsShiftHit(const RepeatMemoRecord& r, int y, int m, int d)
{
    if (r.Type == REPEAT_YEAR_DAY && m != r.Month)
        return false;
    return d == r.Day || (r.Day >= REPEAT_LAST_DAY_FROM && d == DaysInMonth(y, m));
}

// A memo whose day is not a working day shows on the working day before it (shift 1)
// or after it (shift 2); on such a working day, walk over the non-working days next to it.
bool MatchShifted(const RepeatMemoRecord& r, const HolidayRecord* holidays, int holidayCount, int y, int m, int d)
{
    if (!WorkingDay(holidays, holidayCount, y, m, d))
        return false;
    if (IsShiftHit(r, y, m, d))
        return true;
    for (int step = 0; step < kMaxShiftSteps; step++) {
        if (r.HolidayShift == REPEAT_SHIFT_BEFORE)
            AddDaysInt(&y, &m, &d, 1);
        else
            SubDaysInt(&y, &m, &d, 1);
        if (WorkingDay(holidays, holidayCount, y, m, d))
            return false;
        if (IsShiftHit(r, y, m, d))
            return true;
    }
    return false;
}

// lastWeek: the day is one of the last seven of its month.
bool InWeek(const RepeatMemoRecord& r, int week, bool lastWeek)
{
    return r.Week == 0 || r.Week == week || (r.Week == REPEAT_WEEK_LAST && lastWeek);
}

bool MatchDay(const RepeatMemoRecord& r, const HolidayRecord* holidays, int holidayCount, int y, int m, int d)
{
    int length = DaysInMonth(y, m);
    int week = WeekOfMonth(d);
    bool lastWeek = d > length - 7;
    int bit = 1 << DayOfWeek(y, m, d);
    bool dayHit = d == r.Day || (r.Day >= REPEAT_LAST_DAY_FROM && d == length);
    switch (r.Type) {
    case REPEAT_EVERY_DAY:
        return true;
    case REPEAT_WEEKDAYS:
        return (r.DayBit & bit) != 0;
    case REPEAT_MONTH_WEEKDAYS:
        return (r.DayBit & bit) && InWeek(r, week, lastWeek);
    case REPEAT_YEAR_WEEKDAYS:
        return m == r.Month && (r.DayBit & bit) && InWeek(r, week, lastWeek);
    case REPEAT_MONTH_DAY:
    case REPEAT_YEAR_DAY:
        if (r.HolidayShift == REPEAT_SHIFT_NONE)
            return dayHit && (r.Type == REPEAT_MONTH_DAY || m == r.Month);
        if (r.HolidayShift == REPEAT_SHIFT_BEFORE || r.HolidayShift == REPEAT_SHIFT_AFTER)
            return MatchShifted(r, holidays, holidayCount, y, m, d);
        return false;
    default:
        return false;
    }
}

// -1, 0 or 1 as the first date is earlier than, the same as or later than the second; field by field,
// so that no number of the file can overflow.
int CompareDates(int y1, int m1, int d1, int y2, int m2, int d2)
{
    if (y1 != y2)
        return y1 < y2 ? -1 : 1;
    if (m1 != m2)
        return m1 < m2 ? -1 : 1;
    return d1 < d2 ? -1 : d1 > d2 ? 1 : 0;
}

bool InPeriod(const RepeatMemoRecord& r, int y, int m, int d)
{
    if (r.FromYear > 0 && r.FromMonth > 0 && r.FromDay > 0 &&
        CompareDates(y, m, d, r.FromYear, r.FromMonth, r.FromDay) < 0)
        return false;
    if (r.ToYear > 0 && r.ToMonth > 0 && r.ToDay > 0 && CompareDates(y, m, d, r.ToYear, r.ToMonth, r.ToDay) > 0)
        return false;
    return true;
}

// The first memo with a mark gives the mark, the first with its own text colour the text style.
struct StyleMerge {
    bool MarkSet = false;
    bool TextSet = false;

    void Apply(const FontStyle& from, FontStyle* style)
    {
        if (!MarkSet) {
            style->MarkType = from.MarkType;
            if (from.MarkType > 0) {
                style->MarkColor = from.MarkColor;
                MarkSet = true;
            }
        }
        if (!TextSet) {
            style->NoUseStrColor = from.NoUseStrColor;
            if (from.NoUseStrColor != 1) {
                style->StrColor = from.StrColor;
                style->ShadowColor = from.ShadowColor;
                style->ShadowWidth = from.ShadowWidth;
                style->ShadowDirection = from.ShadowDirection;
                style->Gradation = from.Gradation;
                TextSet = true;
            }
        }
    }
};

// result with the separator, the heading and text appended, trailing CR and LF cut; null
// (result freed) when memory runs out.
char* AppendMemo(char* result, const char* text, int oneLine)
{
    const char* parts[] = {result ? (oneLine == 1 ? "  " : "\r\n") : nullptr, "[定例]", text};
    for (const char* part : parts) {
        if (!part || !part[0])
            continue;
        char* grown = StrAppendHeap(result, part);
        if (!grown) {
            if (result)
                HeapFree(GetProcessHeap(), 0, result);
            return nullptr;
        }
        result = grown;
    }
    TrimRightChars(result, "\r\n");
    return result;
}

}  // namespace

extern "C" {

int InitRepeatMemos(RepeatMemoRecord** records, char** texts, int* count)
{
    if (count)
        *count = 0;
    if (records)
        *records = nullptr;
    if (texts) {
        for (int i = 0; i < REPEAT_MEMO_MAX; i++)
            texts[i] = nullptr;
    }
    return 1;
}

int LoadRepeatMemos(RepeatMemoRecord** records, char** texts, int* count, const char* memoDir)
{
    if (!records || !texts || !count)
        return 0;
    char path[MAX_PATH + 1024];
    RepeatFilePath(memoDir, path, sizeof(path));
    if (*records)
        HeapFree(GetProcessHeap(), 0, *records);
    *records = nullptr;
    *count = 0;
    for (int i = 0; i < REPEAT_MEMO_MAX; i++) {
        if (texts[i])
            HeapFree(GetProcessHeap(), 0, texts[i]);
        texts[i] = nullptr;
    }
    for (int n = 0; n < REPEAT_MEMO_MAX; n++) {
        char section[16];
        SectionName(n, section, sizeof(section));
        char memo[REPEAT_MEMO_TEXT_SIZE];
        GetPrivateProfileStringA(section, "Memo", "", memo, sizeof(memo), path);
        if (!memo[0])
            break;
        // On lack of memory the list keeps the memos read so far, and the count says so.
        RepeatMemoRecord* grown =
            (RepeatMemoRecord*)g_reAlloc(*records, sizeof(RepeatMemoRecord) * (size_t)(n + 1));
        if (!grown)
            return 0;
        *records = grown;
        texts[n] = StrDupHeap(memo);
        if (!texts[n])
            return 0;
        memset(&grown[n], 0, sizeof(grown[n]));
        ReadRecord(path, section, &grown[n]);
        *count = n + 1;
    }
    return 1;
}

int SaveRepeatMemoFile(const RepeatMemoRecord* records, char** texts, int count, const char* memoDir)
{
    char path[MAX_PATH + 1024];
    RepeatFilePath(memoDir, path, sizeof(path));
    if (!records || !texts) {
        SetLastError(DeleteFileChecked(path) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED);
        return 0;
    }
    char* block = (char*)AllocZeroed(kSectionBlockSize);
    IniDocument* doc = block ? OpenIniDocument(path) : nullptr;
    bool written = doc != nullptr;
    char section[16];
    // The old list's sections go up to the first without a use flag; the new list is written in their place, and
    // the file is saved once, whole.
    for (int n = 0; written && n < REPEAT_MEMO_MAX; n++) {
        SectionName(n, section, sizeof(section));
        ProfileSection* old = ParseIniSection(doc, section);
        char use[16];
        GetSectionString(old, "Use", "", use, sizeof(use));
        FreeProfileSection(old);
        if (!use[0])
            break;
        written = SetIniSection(doc, section, nullptr);
    }
    for (int i = 0; written && i < count && i < REPEAT_MEMO_MAX; i++) {
        SectionName(i, section, sizeof(section));
        if (texts[i]) {
            memset(block, 0, kSectionBlockSize);
            BuildSection(records[i], texts[i], block, kSectionBlockSize);
        }
        written = SetIniSection(doc, section, texts[i] ? block : nullptr);
    }
    DWORD error = written ? ERROR_SUCCESS : GetLastError();
    if (written) {
        written = SaveIniDocument(doc) != 0;
        error = GetLastError();
    }
    CloseIniDocument(doc);
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
    SetLastError(written ? ERROR_SUCCESS : error ? error : ERROR_NOT_ENOUGH_MEMORY);
    return written ? 1 : 0;
}

int FreeRepeatMemos(RepeatMemoRecord** records, char** texts, int* count)
{
    if (texts && count) {
        for (int i = 0; i < *count && i < REPEAT_MEMO_MAX; i++) {
            if (texts[i])
                HeapFree(GetProcessHeap(), 0, texts[i]);
            texts[i] = nullptr;
        }
    }
    if (records) {
        if (*records)
            HeapFree(GetProcessHeap(), 0, *records);
        *records = nullptr;
    }
    return 1;
}

char* GetRepeatMemoText(const RepeatMemoRecord* records, char** texts, int count, const HolidayRecord* holidays,
                        int holidayCount, int year, int month, int day, FontStyle* style, int oneLine)
{
    if (!records || !texts)
        return nullptr;
    char* result = nullptr;
    StyleMerge merge;
    for (int i = 0; i < count && i < REPEAT_MEMO_MAX && texts[i]; i++) {
        const RepeatMemoRecord& r = records[i];
        if (r.Use == 0 || !InPeriod(r, year, month, day) || !MatchDay(r, holidays, holidayCount, year, month, day))
            continue;
        result = AppendMemo(result, texts[i], oneLine);
        if (!result)
            return nullptr;
        if (style)
            merge.Apply(r.Style, style);
    }
    if (result && oneLine == 1) {
        for (char* p = result; *p; p++) {
            if (*p == '\t' || *p == '\n' || *p == '\r')  // never trail bytes
                *p = ' ';
        }
    }
    return result;
}

RepeatMemoReAllocProc SetRepeatMemoReAllocProc(RepeatMemoReAllocProc proc)
{
    RepeatMemoReAllocProc previous = g_reAlloc;
    g_reAlloc = proc ? proc : DefaultReAlloc;
    return previous;
}

}
