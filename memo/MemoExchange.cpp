#include "MemoExchange.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "DateUtil.h"
#include "HeapUtil.h"
#include "NameSets.h"

namespace {

const char kCsvFilter[] = "カンマ区切り形式 (csv)\0*.csv\0";
const char* const kExportFilters[MEMO_EXPORT_FORMAT_COUNT] = {
    "圧縮形式 (lzh)\0*.lzh\0",
    kCsvFilter,
    "Outlook形式 (csv)\0*.csv\0",
    "テキスト形式 (txt)\0*.txt\0",
};
const int kLastYear = 9999;
// Room for the date, the style and time fields and the separators of one line.
const size_t kLineFrame = 256;

// CSV fields of a memo record, from 1.
enum CsvField {
    CSV_DATE = 1,
    CSV_TEXT,
    CSV_MARK_COLOR,
    CSV_MARK_TYPE,
    CSV_TEXT_COLOR,
    CSV_PLAIN_COLORS,
    CSV_HOUR,
    CSV_MINUTE,
};

int AppendText(MemoOutput* out, const char* text)
{
    return AppendMemoOutput(out, text, strlen(text));
}

// "2026年 5月 3日(日)".
void FormatDate(char* out, size_t size, int year, int month, int day)
{
    WeekdayNameSet names(WEEK_SET_KANJI, nullptr);
    snprintf(out, size, "%04ld年%2ld月%2ld日(%s)", (long)year, (long)month, (long)day,
             names.Name(DayOfWeek(year, month, day)));
}

// text in double quotes, its quotes doubled and, with blankForCr, each CR written as a blank.
int AppendQuoted(MemoOutput* out, const char* text, bool blankForCr)
{
    size_t length = strlen(text);
    char* quoted = (char*)AllocZeroed(2 * length + 3);
    if (!quoted)
        return 0;
    char* q = quoted;
    *q++ = '"';
    for (const char* p = text; *p; p++) {
        if (*p == '"')
            *q++ = '"';
        *q++ = (*p == '\r' && blankForCr) ? ' ' : *p;
    }
    *q++ = '"';
    int appended = AppendMemoOutput(out, quoted, (size_t)(q - quoted));
    HeapFree(GetProcessHeap(), 0, quoted);
    return appended;
}

int AppendCsvDay(MemoOutput* out, int year, int month, int day, const char* text, const DayMemoRecord* record)
{
    char line[kLineFrame];
    FormatDate(line, sizeof(line), year, month, day);
    strcat(line, ",");
    if (!AppendText(out, line) || !AppendQuoted(out, text, true))
        return 0;
    snprintf(line, sizeof(line), ",%ld,%ld,%ld,%ld,%ld,%ld\r\n", (long)record->Style.MarkColor,
             (long)record->Style.MarkType, (long)record->Style.StrColor, (long)record->Style.NoUseStrColor,
             (long)record->Hour, (long)record->Minute);
    return AppendText(out, line);
}

int AppendOutlookDay(MemoOutput* out, int year, int month, int day, const char* text, const DayMemoRecord* record)
{
    if (!AppendQuoted(out, text, false))
        return 0;
    long hour = record->Hour > 23 ? 0 : record->Hour;
    long minute = record->Minute > 59 ? 0 : record->Minute;
    char line[kLineFrame];
    snprintf(line, sizeof(line), ",%ld/%ld/%ld,%02ld:%02ld:00,%ld/%ld/%ld,00:00:00,\r\n", (long)year, (long)month,
             (long)day, hour, minute, (long)year, (long)month, (long)day);
    return AppendText(out, line);
}

int AppendTextDay(MemoOutput* out, int year, int month, int day, const char* text)
{
    char line[kLineFrame];
    FormatDate(line, sizeof(line), year, month, day);
    strcat(line, "\r\n");
    return AppendText(out, line) && AppendText(out, text) && AppendText(out, "\r\n\r\n");
}

bool IsRealDay(long year, long month, long day)
{
    return year >= 1 && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth((int)year, (int)month);
}

// The state of the CSV reader between fields.
struct CsvRecord {
    long Year, Month, Day;
    char* Text;  // as long as the data, doubled for the CR LF of each line feed
    DayMemoRecord Record;
};

void TakeField(CsvRecord* record, int field, const char* value)
{
    switch (field) {
    case CSV_DATE:
        record->Year = record->Month = record->Day = 0;
        if (sscanf(value, "%ld年%2ld月%2ld日", &record->Year, &record->Month, &record->Day) != 3)
            record->Year = record->Month = record->Day = 0;
        break;
    case CSV_TEXT:
        strcpy(record->Text, value);
        break;
    case CSV_MARK_COLOR:
        record->Record.Style.MarkColor = (COLORREF)atol(value);
        break;
    case CSV_MARK_TYPE:
        record->Record.Style.MarkType = (BYTE)atol(value);
        break;
    case CSV_TEXT_COLOR:
        record->Record.Style.StrColor = (COLORREF)atol(value);
        break;
    case CSV_PLAIN_COLORS:
        record->Record.Style.NoUseStrColor = (int)atol(value);
        break;
    case CSV_HOUR:
        record->Record.Hour = (int)atol(value);
        break;
    case CSV_MINUTE:
        record->Record.Minute = (int)atol(value);
        break;
    }
}

// The record is handed on when it is whole, then cleared for the next one (the style stays).
int EndRecord(CsvRecord* record, MemoCsvRecordProc proc, void* context)
{
    int handed = 0;
    if (record->Text[0] && IsRealDay(record->Year, record->Month, record->Day)) {
        proc(context, (int)record->Year, (int)record->Month, (int)record->Day, record->Text, &record->Record);
        handed = 1;
    }
    record->Year = record->Month = record->Day = 0;
    record->Text[0] = '\0';
    record->Record.Hour = DAY_MEMO_NO_TIME;
    record->Record.Minute = DAY_MEMO_NO_TIME;
    return handed;
}

}  // namespace

const char kMemoImportFilter[] = "圧縮ファイル (lzh)\0*.lzh\0テキストファイル (txt)\0*.txt\0csvファイル (csv)\0*.csv\0";
const char kOutlookCsvHeader[] = "件名,開始日,開始時刻,終了日,終了時刻,内容\r\n";

const char* MemoExportFilter(int format)
{
    return format >= 0 && format < MEMO_EXPORT_FORMAT_COUNT ? kExportFilters[format] : nullptr;
}

int AppendMemoOutput(MemoOutput* out, const char* text, size_t length)
{
    if (out->Length + length + 1 > out->Size) {
        size_t size = out->Size ? out->Size : 4096;
        while (size < out->Length + length + 1)
            size *= 2;
        char* grown = (char*)ReAllocZeroed(out->Text, size);
        if (!grown)
            return 0;
        out->Text = grown;
        out->Size = size;
    }
    memcpy(out->Text + out->Length, text, length);
    out->Length += length;
    out->Text[out->Length] = '\0';
    return 1;
}

void FreeMemoOutput(MemoOutput* out)
{
    if (out->Text)
        HeapFree(GetProcessHeap(), 0, out->Text);
    out->Text = nullptr;
    out->Length = out->Size = 0;
}

int AppendMemoExportDay(MemoOutput* out, int format, int year, int month, int day, const char* text,
                        const DayMemoRecord* record)
{
    if (!out || !text || !record)
        return 0;
    switch (format) {
    case MEMO_EXPORT_CSV:
        return AppendCsvDay(out, year, month, day, text, record);
    case MEMO_EXPORT_OUTLOOK:
        return AppendOutlookDay(out, year, month, day, text, record);
    case MEMO_EXPORT_TEXT:
        return AppendTextDay(out, year, month, day, text);
    }
    return 0;
}

int ParseMemoCsv(const char* data, MemoCsvRecordProc proc, void* context)
{
    if (!data || !proc)
        return 0;
    size_t length = strlen(data);
    CsvRecord record = {};
    record.Text = (char*)AllocZeroed(2 * length + 2);
    char* field = (char*)AllocZeroed(2 * length + 2);
    if (!record.Text || !field) {
        if (record.Text)
            HeapFree(GetProcessHeap(), 0, record.Text);
        if (field)
            HeapFree(GetProcessHeap(), 0, field);
        return -1;
    }
    record.Record.Hour = record.Record.Minute = DAY_MEMO_NO_TIME;
    int handed = 0, index = CSV_DATE;
    size_t fieldLength = 0;
    bool quoted = false;
    for (const char* p = data;; p++) {
        char c = *p;
        if (c && quoted) {
            if (c == '"' && p[1] == '"') {
                field[fieldLength++] = '"';
                p++;
            } else if (c == '"') {
                quoted = false;
            } else if (c == '\n') {
                if (fieldLength > 0 && field[fieldLength - 1] == ' ')
                    fieldLength--;
                field[fieldLength++] = '\r';
                field[fieldLength++] = '\n';
            } else if (c != '\r') {
                field[fieldLength++] = c;
            }
            if (c != '\r')
                continue;
        }
        if (c == '"' && fieldLength == 0 && !quoted) {
            quoted = true;
            continue;
        }
        if (c && c != ',' && c != '\r' && c != '\n') {
            field[fieldLength++] = c;
            continue;
        }
        // A comma ends the field; a CR, a line feed outside quotes or the end of the data ends the record too.
        field[fieldLength] = '\0';
        TakeField(&record, index++, field);
        fieldLength = 0;
        quoted = false;
        if (c == ',')
            continue;
        handed += EndRecord(&record, proc, context);
        index = CSV_DATE;
        if (!c)
            break;
        while (p[1] == '\r' || p[1] == '\n')
            p++;
    }
    HeapFree(GetProcessHeap(), 0, record.Text);
    HeapFree(GetProcessHeap(), 0, field);
    return handed;
}
