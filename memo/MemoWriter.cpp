#include "MemoWriter.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "DayMemoCache.h"
#include "DurableSave.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "IniDocument.h"
#include "MemoEscape.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

// Every line of a section is formatted within the reader's bound of one value.
const size_t kLineBound = DAY_MEMO_VALUE_SIZE;
const char kMemoKey[] = "Memo            = ";
// The escaped memo with the pair of quotes it may need, so that the whole "Memo" line keeps to the bound.
const size_t kEscapedMemoMax = kLineBound - 1 - (sizeof(kMemoKey) - 1) - 2;
const int kLastHour = 23;
const int kLastMinute = 59;

bool IsEscapedByte(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == '&';
}

// Bytes of the longest start of text that ends on a character boundary and whose escaped form takes at most limit
// bytes. Escapes are single bytes below 0x40, never the trail byte of a double-byte character.
size_t StorableLength(const char* text, size_t limit)
{
    const unsigned char* p = (const unsigned char*)text;
    size_t at = 0, escaped = 0;
    while (p[at]) {
        size_t bytes = IsSjisLeadByte(p[at]) && p[at + 1] ? 2 : 1;
        size_t cost = bytes == 2 ? 2 : IsEscapedByte((char)p[at]) ? 2 : 1;
        if (escaped + cost > limit)
            break;
        escaped += cost;
        at += bytes;
    }
    return at;
}

// The escaped form of text, cut first when it would not fit one stored line; the caller frees it with HeapFree.
char* EscapeStorable(const char* text)
{
    size_t length = StorableLength(text, kEscapedMemoMax);
    if (text[length] == '\0')
        return EscapeMemoText(text);
    char* cut = (char*)AllocZeroed(length);
    if (!cut)
        return nullptr;
    memcpy(cut, text, length);
    char* escaped = EscapeMemoText(cut);
    HeapFree(GetProcessHeap(), 0, cut);
    return escaped;
}

bool IsStrippedByte(char c)
{
    return c == ' ' || c == '"' || c == '\'';
}

// The profile reader strips blanks and one pair of quotes around a value: a memo that begins or ends with either
// is stored inside one pair of double quotes.
bool NeedsQuotes(const char* escaped)
{
    size_t length = strlen(escaped);
    return length > 0 && (IsStrippedByte(escaped[0]) || IsStrippedByte(escaped[length - 1]));
}

// Appends one formatted line (NUL-ended) at *at of section, within the line bound and the section's room.
void AddLine(char* section, size_t* at, const char* format, ...)
{
    size_t room = MEMO_SECTION_SIZE - 1 - *at;
    if (room < 2)
        return;
    va_list args;
    va_start(args, format);
    int written = vsnprintf(section + *at, room < kLineBound ? room : kLineBound, format, args);
    va_end(args);
    if (written < 0)
        return;
    *at += strlen(section + *at) + 1;
}

bool HasTime(const DayMemoRecord& record)
{
    return record.Hour >= 0 && record.Hour <= kLastHour && record.Minute >= 0 && record.Minute <= kLastMinute;
}

// A month file loses the day's section and goes with its last one; a day file goes. 1 when the memo is gone.
int RemoveDayMemo(const MemoSettings* memo, const char* file, const char* section)
{
    if (!FileExists(file))
        return 1;
    if (memo->MemoSaveOneMonth != 1)
        return DeleteFileChecked(file);
    IniDocument* doc = OpenIniDocument(file);
    if (!doc)
        return 0;
    int removed = 0;
    if (SetIniSection(doc, section, nullptr))
        removed = CountIniSections(doc) == 0 ? DeleteFileChecked(file) : SaveIniDocument(doc);
    CloseIniDocument(doc);
    return removed;
}

}  // namespace

size_t StorableMemoLength()
{
    return kEscapedMemoMax;
}

MemoStoreSettings MemoStoreOf(const MemoSettings* memo)
{
    MemoStoreSettings store = {memo->MemoDir, memo->MemoSaveOneMonth, &memo->MemoStyle};
    return store;
}

char* FormatDayMemoSection(const DayMemoRecord* record, const char* text)
{
    char* escaped = EscapeStorable(NonNullStr(text));
    char* section = escaped ? (char*)AllocZeroed(MEMO_SECTION_SIZE) : nullptr;
    if (!section) {
        if (escaped)
            HeapFree(GetProcessHeap(), 0, escaped);
        return nullptr;
    }
    const FontStyle& s = record->Style;
    size_t at = 0;
    AddLine(section, &at, "MarkType        = %ld", (long)s.MarkType);
    AddLine(section, &at, "MarkColor       = %ld", (long)s.MarkColor);
    AddLine(section, &at, "NoUseStrColor   = %ld", (long)s.NoUseStrColor);
    AddLine(section, &at, "StrColor        = %ld", (long)s.StrColor);
    AddLine(section, &at, "ShadowColor     = %ld", (long)s.ShadowColor);
    AddLine(section, &at, "ShadowWidth     = %ld", (long)s.ShadowWidth);
    AddLine(section, &at, "ShadowDirection = %ld", (long)s.ShadowDirection);
    AddLine(section, &at, "ShadowGradation = %ld", (long)s.Gradation);
    bool timed = HasTime(*record);
    AddLine(section, &at, "Time            = %02ld:%02ld", timed ? (long)record->Hour : (long)DAY_MEMO_NO_TIME,
            timed ? (long)record->Minute : (long)DAY_MEMO_NO_TIME);
    AddLine(section, &at, NeedsQuotes(escaped) ? "%s\"%s\"" : "%s%s", kMemoKey, escaped);
    HeapFree(GetProcessHeap(), 0, escaped);
    return section;  // zeroed: the empty line after the last closes the list
}

int WriteDayMemo(const MemoSettings* memo, int year, int month, int day, const char* text,
                 const DayMemoRecord* record)
{
    if (!memo)
        return 0;
    char section[32];
    DayMemoSectionName(year, month, day, section, sizeof(section));
    char file[MEMO_FOLDER_SIZE + MAX_PATH];
    DayMemoFilePath(memo->MemoDir, memo->MemoSaveOneMonth == 1, year, month, day, file, sizeof(file));
    if (!text || !text[0])
        return RemoveDayMemo(memo, file, section);

    // A memo without a record of its own takes the style of a new memo and no time.
    DayMemoRecord fallback = {memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    char* lines = FormatDayMemoSection(record ? record : &fallback, text);
    if (!lines)
        return 0;
    // The whole section is replaced, so keys an older version left there go too; the file is saved whole.
    int written = WriteIniSection(file, section, lines);
    HeapFree(GetProcessHeap(), 0, lines);
    return written;
}

int ReadMonthMemos(const MemoSettings* memo, int year, int month, char** texts, DayMemoRecord** records,
                   int singleLine)
{
    if (!memo || !texts || !records)
        return 1;
    MemoStoreSettings store = MemoStoreOf(memo);
    // Each file of the month is read once, and the day files are found in one listing.
    DayMemoCache* cache = CreateDayMemoCache();
    int days = DaysInMonth(year, month);
    for (int day = 1; day <= days && day <= MEMO_MONTH_DAYS; day++) {
        DayMemoRecord*& record = records[day - 1];
        if (!record)
            record = (DayMemoRecord*)AllocZeroed(sizeof(DayMemoRecord));
        if (!record)
            continue;
        char* text = CachedDayMemoText(cache, &store, year, month, day, record, singleLine);
        if (texts[day - 1])
            HeapFree(GetProcessHeap(), 0, texts[day - 1]);
        texts[day - 1] = text;
    }
    FreeDayMemoCache(cache);
    return 1;
}

int WriteMonthMemos(const MemoSettings* memo, int year, int month, char* const* texts,
                    DayMemoRecord* const* records)
{
    if (!memo || !texts || !records)
        return 0;
    int all = 1;
    int days = DaysInMonth(year, month);
    for (int day = 1; day <= days && day <= MEMO_MONTH_DAYS; day++) {
        if (!WriteDayMemo(memo, year, month, day, texts[day - 1], records[day - 1]))
            all = 0;
    }
    return all;
}
