#include "MemoMerge.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "DayMemoStore.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "MemoImportBatch.h"
#include "MemoWriter.h"
#include "ProfileFile.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

const size_t kDateDigits = 8;
const size_t kMonthDigits = 6;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllDigits(const char* text, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        if (!IsDigit(text[i]))
            return false;
    }
    return true;
}

int Digits(const char* text, size_t count)
{
    int value = 0;
    for (size_t i = 0; i < count; i++)
        value = value * 10 + (text[i] - '0');
    return value;
}

// A day of the calendar: month 1-12, day 1 to the month's length (day 0 allowed with wholeMonth).
bool IsRealDate(int year, int month, int day, bool wholeMonth)
{
    if (year < 1 || month < 1 || month > 12)
        return false;
    if (wholeMonth && day == 0)
        return true;
    return day >= 1 && day <= DaysInMonth(year, month);
}

// The date of an eight-digit name (a section of the store, or a day file's name without its extension).
bool DateOfName(const char* name, size_t length, int* year, int* month, int* day)
{
    if (length != kDateDigits || !AllDigits(name, kDateDigits))
        return false;
    *year = Digits(name, 4);
    *month = Digits(name + 4, 2);
    *day = Digits(name + 6, 2);
    return IsRealDate(*year, *month, *day, false);
}

// The bytes the store's one-line form writes as two ("&t", "&n", "&r", "&&").
bool IsEscapedByte(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == '&';
}

// Memo data in the store's own form starts with a day's section name on a line of its own.
bool IsMemoIniData(const char* text)
{
    return text[0] == '[' && AllDigits(text + 1, kDateDigits) && text[1 + kDateDigits] == ']' &&
           (text[2 + kDateDigits] == '\r' || text[2 + kDateDigits] == '\n');
}

// Whether the merge of added into existing imports added as memo data instead of joining the texts.
bool MergeImports(const char* existing, const char* added)
{
    return added && added[0] && existing && existing[0] && IsMemoIniData(added);
}

// The plain merge of two non-empty texts (see MergeMemoText); null without memory.
char* MergeLines(const char* existing, const char* added)
{
    size_t existingLength = strlen(existing), addedLength = strlen(added);
    // Every appended line takes at most three times its share of added: a one-byte line and its one-byte break
    // come back with a CR LF.
    char* result = (char*)AllocZeroed(existingLength + 3 * addedLength + 2);
    char* line = (char*)AllocZeroed(addedLength + 1);
    if (!result || !line) {
        if (result)
            HeapFree(GetProcessHeap(), 0, result);
        if (line)
            HeapFree(GetProcessHeap(), 0, line);
        return nullptr;
    }
    memcpy(result, existing, existingLength);
    const char* p = added;
    while (*p) {
        size_t length = strcspn(p, "\r\n");
        memcpy(line, p, length);
        line[length] = '\0';
        p += length;
        if (*p)
            p++;
        if (length == 0 || line[0] == '%' || FindStr(existing, line))
            continue;
        AppendStr(result, "\r\n");
        AppendStr(result, line);
    }
    HeapFree(GetProcessHeap(), 0, line);
    return result;
}

void CountFailure(MemoImportTally* tally)
{
    if (tally)
        tally->Failed++;
}

// One section of a memo data file onto its day of the import; true when the day was taken.
bool ImportSection(MemoImportBatch* batch, const ProfileFile* file, const char* name)
{
    int year, month, day;
    if (!DateOfName(name, strlen(name), &year, &month, &day))
        return false;
    const MemoSettings* memo = MemoImportStore(batch);
    MemoStoreSettings store = MemoStoreOf(memo);
    DayMemoRecord record = {memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    char* text = DayMemoOfSection(FindProfileFileSection(file, name), &store, &record, 0);
    if (!text)
        return false;
    DayMemoRecord stored = record;
    char* existing = ReadImportedDayMemo(batch, year, month, day, &stored);
    int written = 0;
    if (!existing) {
        written = WriteImportedDayMemo(batch, year, month, day, text, &record);
    } else {
        // Plain lines only: a section text that looks like memo data again is never imported from here, which
        // would start over on the memo data this import is still reading.
        char* merged = MergeLines(existing, text);
        if (merged) {
            written = WriteImportedDayMemo(batch, year, month, day, merged, &stored);
            HeapFree(GetProcessHeap(), 0, merged);
        } else {
            CountFailure(MemoImportTallyOf(batch));
        }
        HeapFree(GetProcessHeap(), 0, existing);
    }
    HeapFree(GetProcessHeap(), 0, text);
    return written != 0;
}

// Every section of a memo data file onto its day of the import; 1 when a day was taken.
int ImportSections(MemoImportBatch* batch, const ProfileFile* file)
{
    int imported = 0;
    for (int i = 0; i < ProfileFileSectionCount(file); i++) {
        if (ImportSection(batch, file, ProfileFileSectionName(file, i)))
            imported = 1;
    }
    return imported;
}

bool SameDay(const SYSTEMTIME* a, const SYSTEMTIME* b)
{
    return a->wYear == b->wYear && a->wMonth == b->wMonth && a->wDay == b->wDay;
}

void FreeText(char* text)
{
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace

size_t StorableMemoPrefix(const char* text)
{
    const unsigned char* p = (const unsigned char*)NonNullStr(text);
    size_t limit = StorableMemoLength(), at = 0, escaped = 0;
    while (p[at]) {
        // Escapes are single bytes below 0x40, never the trail byte of a double-byte character.
        size_t bytes = IsSjisLeadByte(p[at]) && p[at + 1] ? 2 : 1;
        size_t cost = bytes == 2 || IsEscapedByte((char)p[at]) ? 2 : 1;
        if (escaped + cost > limit)
            break;
        escaped += cost;
        at += bytes;
    }
    return at;
}

int WriteImportedMemo(const MemoSettings* memo, int year, int month, int day, const char* text,
                      const DayMemoRecord* record, MemoImportTally* tally)
{
    // An empty text would remove the day's memo, which no import does.
    if (!text || !text[0]) {
        CountFailure(tally);
        return 0;
    }
    size_t length = strlen(text), storable = StorableMemoPrefix(text);
    char* cut = storable < length ? (char*)AllocZeroed(storable) : nullptr;
    if (cut)
        memcpy(cut, text, storable);
    int written = (storable == length || cut) && WriteDayMemo(memo, year, month, day, cut ? cut : text, record);
    if (cut)
        HeapFree(GetProcessHeap(), 0, cut);
    if (!written) {
        CountFailure(tally);
    } else if (tally) {
        tally->Written++;
        tally->Cut += storable < length ? 1 : 0;
    }
    return written;
}

char* MergeMemoText(const MemoSettings* memo, const char* existing, const char* added, MemoImportTally* tally)
{
    if (MergeImports(existing, added)) {
        ImportMemoText(memo, added, tally);
        return nullptr;
    }
    return MergeMemoLines(existing, added);
}

char* MergeMemoLines(const char* existing, const char* added)
{
    if (!added || !added[0])
        return StrDupHeap(existing);
    if (!existing || !existing[0])
        return StrDupHeap(added);
    return MergeLines(existing, added);
}

int ImportMemoText(const MemoSettings* memo, const char* text, MemoImportTally* tally)
{
    if (!memo || !text || !text[0])
        return 0;
    MemoImportTally own = {};
    MemoImportTally* count = tally ? tally : &own;
    int failed = count->Failed;
    MemoImportBatch* batch = BeginMemoImport(memo, count);
    if (!batch) {
        CountFailure(count);
        return 0;
    }
    ImportMemoTextInto(batch, text);
    EndMemoImport(batch);
    return count->Failed == failed ? 1 : 0;
}

int ImportMemoIniFile(const MemoSettings* memo, const char* path, MemoImportTally* tally)
{
    if (!memo || !path)
        return 0;
    MemoImportTally own = {};
    MemoImportTally* count = tally ? tally : &own;
    int written = count->Written;
    MemoImportBatch* batch = BeginMemoImport(memo, count);
    if (!batch)
        return 0;
    ImportMemoIniFileInto(batch, path);
    EndMemoImport(batch);
    return count->Written > written ? 1 : 0;
}

char* MergeImportedMemoText(MemoImportBatch* batch, const char* existing, const char* added)
{
    if (MergeImports(existing, added)) {
        ImportMemoTextInto(batch, added);
        return nullptr;
    }
    return MergeMemoLines(existing, added);
}

int ImportMemoTextInto(MemoImportBatch* batch, const char* text)
{
    // The memo data goes through the scratch file, which keeps the import's last.
    if (!batch || !text || !text[0] || !KeepMemoMergeText(batch, text))
        return 0;
    ProfileFile* file = ParseProfileFile(text, strlen(text));
    if (!file) {
        CountFailure(MemoImportTallyOf(batch));
        return 0;
    }
    int imported = ImportSections(batch, file);
    FreeProfileFile(file);
    return imported;
}

int ImportMemoIniFileInto(MemoImportBatch* batch, const char* path)
{
    ProfileFile* file = batch && path ? ReadProfileFile(path) : nullptr;
    if (!file)
        return 0;
    int imported = ImportSections(batch, file);
    FreeProfileFile(file);
    return imported;
}

int ParseMemoFileDate(const char* path, int* year, int* month, int* day)
{
    int y = 0, m = 0, d = 0;
    const char* name = PathFileName(NonNullStr(path));
    const char* dot = strrchr(name, '.');
    size_t length = dot ? (size_t)(dot - name) : strlen(name);
    if (!DateOfName(name, length, &y, &m, &d)) {
        y = m = d = 0;
        if (length == kMonthDigits && AllDigits(name, kMonthDigits)) {
            y = Digits(name, 4);
            m = Digits(name + 4, 2);
            if (!IsRealDate(y, m, 0, true))
                y = m = 0;
        }
    }
    if (year)
        *year = y;
    if (month)
        *month = m;
    if (day)
        *day = d;
    return 1;
}

int MemoMergeScratchPath(const char* programDir, const char* userDataDir, char* out, size_t size)
{
    const char* folder = nullptr;
    if (SafeStrLen(programDir) > 0 && IsWritableFolder(programDir, 1)) {
        folder = programDir;
    } else if (SafeStrLen(userDataDir) > 0) {
        CreateDirectoryTree(userDataDir);
        folder = userDataDir;
    }
    if (!folder || !out)
        return 0;
    int written = snprintf(out, size, "%s%s", folder, MEMO_MERGE_FILE);
    return written > 0 && (size_t)written < size ? 1 : 0;
}

int MoveDayMemo(const MemoSettings* memo, const SYSTEMTIME* from, const SYSTEMTIME* to, int copy)
{
    if (!memo || !from || !to || SameDay(from, to))
        return 0;
    MemoStoreSettings store = MemoStoreOf(memo);
    DayMemoRecord source = {memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    DayMemoRecord target = source;
    char* sourceText = ReadDayMemoText(nullptr, from->wYear, from->wMonth, from->wDay, &store, &source, 0);
    if (!sourceText)
        return 0;
    char* targetText = ReadDayMemoText(nullptr, to->wYear, to->wMonth, to->wDay, &store, &target, 0);
    // Memo data goes onto the days it names; both days dropped between stay as they are.
    bool imports = MergeImports(targetText, sourceText);
    MemoImportTally tally = {};
    char* joined = MergeMemoText(memo, targetText, sourceText, &tally);
    int written = imports && tally.Failed == 0 ? 1 : 0;
    if (joined) {
        if (source.Hour == DAY_MEMO_NO_TIME || source.Minute == DAY_MEMO_NO_TIME) {
            source.Hour = target.Hour;
            source.Minute = target.Minute;
        }
        written = WriteDayMemo(memo, to->wYear, to->wMonth, to->wDay, joined, &source);
        // The source goes only once the target holds its text, and never with copy.
        if (written && copy != 1)
            WriteDayMemo(memo, from->wYear, from->wMonth, from->wDay, nullptr, nullptr);
    }
    FreeText(joined);
    FreeText(targetText);
    FreeText(sourceText);
    return written;
}
