#include "MemoImportExport.h"

#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "DayMemoStore.h"
#include "DurableSave.h"
#include "FileDialogs.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "MemoImportBatch.h"
#include "MemoMerge.h"
#include "MemoWriter.h"
#include "PlugInModule.h"
#include "StrUtil.h"
#include "Trace.h"
#include "Unlha32Module.h"
#include "UserMessage.h"

namespace {

const char kExportTitle[] = "メモデータエクスポート";
const char kImportTitle[] = "メモデータインポート";
const char kStartName[] = "DaylensMemo";
const char kOverwrite[] = "ファイルが存在します\r\n上書きしますか？";
const char kExported[] = "メモを書き出しました";
const char kNotExported[] = "メモを書き出せませんでした";
const char kNoMemos[] = "指定の期間にメモはありません";
const char kNotInstalled[] = "%sがインストールされていません";
// How an import went, below the done text of the page or the calendar.
const char kCannotImport[] = "メモを保存できません";
const char kNotImportedCount[] = "保存できなかったメモ: %d日分";
const char kMemosCut[] = "長すぎるメモは途中まで保存しました";
// The archiver's switches for adding and extracting, and the mode its archives are opened in.
const char kArchiveSwitches[] = "-r0x0a1n1gm1";
const DWORD kArchiveOpenMode = 512;
const char kEntryPattern[] = "*.txt";
// The archiver reads a command line of at most this many bytes; longer ranges are added in several calls.
const size_t kCommandSize = 1024;
const size_t kExtractCommandSize = 2 * MAX_PATH + 64;
const int kNoEntry = -1;

// The archiver library of one run: from the plug-in folder, else by the system search; the user is told when it
// is missing.
class Archiver {
public:
    Archiver(const MemoExchangePlace* place)
    {
        char path[MAX_PATH];
        snprintf(path, sizeof(path), "%s%s\\%s", NonNullStr(place->ProgramDir), PlugInModule::kFolder,
                 Unlha32Module::kFileName);
        module_ = LoadLibraryA(path);
        if (!module_)
            module_ = LoadLibraryA(Unlha32Module::kFileName);
        if (!module_) {
            char text[MAX_PATH];
            snprintf(text, sizeof(text), kNotInstalled, Unlha32Module::kFileName);
            TellUser(place->Owner, text, MB_OK | MB_ICONWARNING);
        }
    }
    ~Archiver()
    {
        if (module_)
            FreeLibrary(module_);
    }
    Archiver(const Archiver&) = delete;
    Archiver& operator=(const Archiver&) = delete;

    HMODULE Module() const { return module_; }

private:
    HMODULE module_;
};

int DateKey(int year, int month, int day)
{
    return year * 512 + month * 32 + day;
}

// The archive command of an export: files are added until the command is full, then the archiver runs.
struct ArchiveCommand {
    Unlha32Module::Unlha Run;
    HWND Owner;
    const char* Archive;
    char Text[kCommandSize];
    int Files;     // files in Text
    int Runs;      // archiver runs so far
    int Failed;
};

void StartCommand(ArchiveCommand* command)
{
    snprintf(command->Text, sizeof(command->Text), "a %s \"%s\"", kArchiveSwitches, command->Archive);
    command->Files = 0;
}

// Runs the archiver on the files gathered. The archive is built under a new temporary name, so every run adds to
// it and an archive that is there already stays until the new one is whole.
void RunCommand(ArchiveCommand* command)
{
    if (command->Files == 0)
        return;
    command->Runs++;
    if (command->Run(command->Owner, command->Text, nullptr, 0) != 0)
        command->Failed = 1;
    StartCommand(command);
}

void AddArchiveFile(ArchiveCommand* command, const char* file)
{
    if (!FileExists(file))
        return;
    char quoted[MAX_PATH + 4];
    snprintf(quoted, sizeof(quoted), " \"%s\"", file);
    if (strlen(command->Text) + strlen(quoted) >= sizeof(command->Text))
        RunCommand(command);
    if (strlen(command->Text) + strlen(quoted) >= sizeof(command->Text)) {
        Trace("memo export: no room for %s in the archive command", file);
        command->Failed = 1;
        return;
    }
    SafeStrCat(command->Text, sizeof(command->Text), quoted);
    command->Files++;
}

// The memo files of the range: a month's file from the first date's month on, or a day's file for every day.
void AddRangeFiles(ArchiveCommand* command, const MemoSettings* memo, const SYSTEMTIME* first,
                   const SYSTEMTIME* end, int* added)
{
    char file[MAX_PATH];
    int year = first->wYear, month = first->wMonth, day = first->wDay;
    if (memo->MemoSaveOneMonth == 1) {
        for (; year * 12 + month <= end->wYear * 12 + end->wMonth; day = 1, AddMonthsInt(&year, &month, &day, 1)) {
            snprintf(file, sizeof(file), "%s\\%04ld%02ld.txt", memo->MemoDir, (long)year, (long)month);
            *added += FileExists(file);
            AddArchiveFile(command, file);
        }
        return;
    }
    for (; DateKey(year, month, day) <= DateKey(end->wYear, end->wMonth, end->wDay); AddDaysInt(&year, &month, &day, 1)) {
        snprintf(file, sizeof(file), "%s\\%04ld%02ld%02ld.txt", memo->MemoDir, (long)year, (long)month, (long)day);
        *added += FileExists(file);
        AddArchiveFile(command, file);
    }
}

void ExportArchive(const MemoExchangePlace* place, const char* path, const SYSTEMTIME* first, const SYSTEMTIME* end)
{
    Archiver archiver(place);
    if (!archiver.Module())
        return;
    ArchiveCommand command = {};
    command.Run = FindExport(archiver.Module(), Unlha32Module::kUnlha);
    if (!command.Run)
        return;
    char* building = DurableSaveTempName(path, ".lzh");
    if (!building)
        return;
    command.Owner = place->Owner;
    command.Archive = building;
    StartCommand(&command);
    int added = 0;
    AddRangeFiles(&command, place->Memo, first, end, &added);
    RunCommand(&command);
    if (command.Runs > 0 && (command.Failed || !PlaceFileDurably(building, path)))
        command.Failed = 1;
    DeleteFileA(building);  // left only when the archiver failed
    HeapFree(GetProcessHeap(), 0, building);
    if (added == 0)
        TellUser(place->Owner, kNoMemos, MB_OK | MB_ICONINFORMATION);
    else
        TellUser(place->Owner, command.Failed ? kNotExported : kExported,
                 MB_OK | (command.Failed ? MB_ICONWARNING : MB_ICONINFORMATION));
}

// The memo days of the range in a text format, written whole into path.
void ExportText(const MemoExchangePlace* place, const char* path, const SYSTEMTIME* first, const SYSTEMTIME* end,
                int format)
{
    MemoStoreSettings store = MemoStoreOf(place->Memo);
    MemoOutput out = {};
    bool complete = format != MEMO_EXPORT_OUTLOOK || AppendMemoOutput(&out, kOutlookCsvHeader, strlen(kOutlookCsvHeader));
    int days = 0;
    int year = first->wYear, month = first->wMonth, day = first->wDay;
    for (; complete && DateKey(year, month, day) <= DateKey(end->wYear, end->wMonth, end->wDay);
         AddDaysInt(&year, &month, &day, 1)) {
        DayMemoRecord record = {place->Memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
        char* text = ReadDayMemoText(nullptr, year, month, day, &store, &record, 0);
        if (!text)
            continue;
        complete = AppendMemoExportDay(&out, format, year, month, day, text, &record);
        HeapFree(GetProcessHeap(), 0, text);
        days++;
    }
    if (complete && days == 0)
        TellUser(place->Owner, kNoMemos, MB_OK | MB_ICONINFORMATION);
    else if (complete && SaveFileDurably(path, out.Text, (DWORD)out.Length))
        TellUser(place->Owner, kExported, MB_OK | MB_ICONINFORMATION);
    else
        TellUser(place->Owner, kNotExported, MB_OK | MB_ICONWARNING);
    FreeMemoOutput(&out);
}

// The archive's entries matching the memo pattern, *count of them; null without memory or entries. The caller
// frees them with HeapFree.
UnlhaEntryRecord* CollectEntries(HMODULE module, const MemoExchangePlace* place, const char* path, int* count)
{
    auto open = FindExport(module, Unlha32Module::kUnlhaOpenArchive);
    auto close = FindExport(module, Unlha32Module::kUnlhaCloseArchive);
    auto findFirst = FindExport(module, Unlha32Module::kUnlhaFindFirst);
    auto findNext = FindExport(module, Unlha32Module::kUnlhaFindNext);
    *count = 0;
    if (!open || !close || !findFirst || !findNext)
        return nullptr;
    char quoted[MAX_PATH + 4];
    snprintf(quoted, sizeof(quoted), "\"%s\"", path);
    HARC archive = open(place->Owner, quoted, kArchiveOpenMode);
    if (!archive)
        return nullptr;
    UnlhaEntryRecord* entries = (UnlhaEntryRecord*)AllocZeroed(sizeof(UnlhaEntryRecord));
    int found = entries ? findFirst(archive, kEntryPattern, entries) : kNoEntry;
    while (found != kNoEntry) {
        (*count)++;
        UnlhaEntryRecord* grown =
            (UnlhaEntryRecord*)ReAllocZeroed(entries, (size_t)(*count + 1) * sizeof(UnlhaEntryRecord));
        if (!grown) {
            HeapFree(GetProcessHeap(), 0, entries);
            entries = nullptr;
            *count = 0;
            break;
        }
        entries = grown;
        found = findNext(archive, &entries[*count]);
    }
    close(archive);
    if (entries && *count == 0) {
        HeapFree(GetProcessHeap(), 0, entries);
        entries = nullptr;
    }
    return entries;
}

// Every text entry of the archive is memo data whatever its name or folder: the sections inside place the memos.
// An entry's name only names it to the archiver.
void ImportArchive(const MemoExchangePlace* place, const char* path, MemoImportTally* tally)
{
    Archiver archiver(place);
    if (!archiver.Module())
        return;
    auto extract = FindExport(archiver.Module(), Unlha32Module::kUnlhaExtractMem);
    if (!extract)
        return;
    int count = 0;
    UnlhaEntryRecord* entries = CollectEntries(archiver.Module(), place, path, &count);
    MemoImportBatch* batch = count ? BeginMemoImport(place->Memo, tally) : nullptr;
    for (int i = 0; i < count && batch; i++) {
        const UnlhaEntryRecord& entry = entries[i];
        char command[kExtractCommandSize];
        int length = snprintf(command, sizeof(command), "%s \"%s\" \"%s\"", kArchiveSwitches, path, entry.FileName);
        BYTE* buffer = (BYTE*)AllocZeroed((size_t)entry.OriginalSize + 1);
        if (!buffer)
            break;
        if (length > 0 && (size_t)length < sizeof(command) &&
            extract(nullptr, command, buffer, entry.OriginalSize, nullptr, nullptr, nullptr) == 0) {
            buffer[entry.OriginalSize] = '\0';
            ImportMemoTextInto(batch, (const char*)buffer);
        }
        HeapFree(GetProcessHeap(), 0, buffer);
    }
    EndMemoImport(batch);
    if (entries)
        HeapFree(GetProcessHeap(), 0, entries);
}

// A CSV memo merged into the day's memo, which keeps its style and time; a day the merge gives nothing for stays as
// it was.
void ImportCsvRecord(void* context, int year, int month, int day, const char* text, const DayMemoRecord* record)
{
    MemoImportBatch* batch = (MemoImportBatch*)context;
    DayMemoRecord stored = *record;
    char* existing = ReadImportedDayMemo(batch, year, month, day, &stored);
    if (!existing) {
        WriteImportedDayMemo(batch, year, month, day, text, record);
        return;
    }
    char* merged = MergeImportedMemoText(batch, existing, text);
    if (merged) {
        WriteImportedDayMemo(batch, year, month, day, merged, &stored);
        HeapFree(GetProcessHeap(), 0, merged);
    }
    HeapFree(GetProcessHeap(), 0, existing);
}

// The records go through one import, so that each day's file is saved once however many records it has.
void ImportCsv(const MemoExchangePlace* place, const char* path, MemoImportTally* tally)
{
    DWORD size = 0;
    char* data = ReadWholeFile(path, &size);
    if (!data)
        return;
    MemoImportBatch* batch = BeginMemoImport(place->Memo, tally);
    if (batch) {
        ParseMemoCsv(data, ImportCsvRecord, batch);
        EndMemoImport(batch);
    }
    HeapFree(GetProcessHeap(), 0, data);
}

// A memo file of a day merged into the store, a month's or any other file imported section by section.
void ImportTextFile(const MemoExchangePlace* place, const char* path, MemoImportTally* tally)
{
    int year = 0, month = 0, day = 0;
    ParseMemoFileDate(path, &year, &month, &day);
    if (year == 0 || month == 0 || day == 0) {
        ImportMemoIniFile(place->Memo, path, tally);
        return;
    }
    MemoStoreSettings store = MemoStoreOf(place->Memo);
    DayMemoRecord record = {place->Memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    DayMemoRecord stored = record;
    char* existing = ReadDayMemoText(nullptr, year, month, day, &store, &stored, 0);
    char* arriving = ReadDayMemoText(path, year, month, day, &store, &record, 0);
    if (existing && arriving) {
        char* merged = MergeMemoText(place->Memo, existing, arriving, tally);
        if (merged) {
            WriteImportedMemo(place->Memo, year, month, day, merged, &record, tally);
            HeapFree(GetProcessHeap(), 0, merged);
        }
    } else if (arriving) {
        WriteImportedMemo(place->Memo, year, month, day, arriving, &record, tally);
    }
    if (existing)
        HeapFree(GetProcessHeap(), 0, existing);
    if (arriving)
        HeapFree(GetProcessHeap(), 0, arriving);
}

}  // namespace

int MemoFileDialog(HWND owner, char* path, const char* filter, const char* folder, int save)
{
    if (!path)
        return 0;
    char start[MAX_PATH] = "";
    SafeStrCpy(start, sizeof(start), folder);
    if (save)
        return SaveFileDialog(owner, kExportTitle, path, filter, start);
    return OpenFileDialog(owner, kImportTitle, path, filter && *filter ? filter : kMemoImportFilter, start);
}

int IsMemoImportFile(const char* path)
{
    const char* extension = strrchr(PathFileName(NonNullStr(path)), '.');
    return StrEqual(extension, ".lzh", 1) || StrEqual(extension, ".csv", 1) || StrEqual(extension, ".txt", 1);
}

int ImportMemoFile(const MemoExchangePlace* place, const char* path, MemoImportTally* tally)
{
    if (!place || !place->Memo || !path)
        return 0;
    MemoImportTally own = {};
    MemoImportTally* count = tally ? tally : &own;
    int written = count->Written;
    // The window takes no input while the import runs.
    HCURSOR cursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const char* extension = strrchr(PathFileName(path), '.');
    if (StrEqual(extension, ".lzh", 1))
        ImportArchive(place, path, count);
    else if (StrEqual(extension, ".csv", 1))
        ImportCsv(place, path, count);
    else if (StrEqual(extension, ".txt", 1))
        ImportTextFile(place, path, count);
    SetCursor(cursor);
    return count->Written > written ? 1 : 0;
}

int ImportMemoFromDialog(const MemoExchangePlace* place, MemoImportTally* tally)
{
    if (!place)
        return 0;
    char path[MAX_PATH];
    SafeStrCpy(path, sizeof(path), kStartName);
    if (MemoFileDialog(place->Owner, path, nullptr, place->ProgramDir, 0) != 1)
        return 0;
    return ImportMemoFile(place, path, tally);
}

int TellMemoImport(HWND owner, int imported, const MemoImportTally* tally, const char* done, UINT doneIcon)
{
    int failed = tally ? tally->Failed : 0, cut = tally ? tally->Cut : 0;
    if (!imported && !failed)
        return 0;
    char told[512];
    if (failed) {
        char count[64];
        snprintf(count, sizeof(count), kNotImportedCount, failed);
        snprintf(told, sizeof(told), "%s\r\n%s", kCannotImport, count);
    } else {
        SafeStrCpy(told, sizeof(told), NonNullStr(done));
    }
    if (cut) {
        SafeStrCat(told, sizeof(told), "\r\n");
        SafeStrCat(told, sizeof(told), kMemosCut);
    }
    TellUser(owner, told, MB_OK | (failed || cut ? MB_ICONWARNING : doneIcon));
    return 1;
}

int ExportMemo(const MemoExchangePlace* place, const SYSTEMTIME* first, const SYSTEMTIME* end, int format)
{
    const char* filter = MemoExportFilter(format);
    if (!place || !place->Memo || !first || !end || !filter)
        return 0;
    char path[MAX_PATH];
    SafeStrCpy(path, sizeof(path), kStartName);
    if (MemoFileDialog(place->Owner, path, filter, place->ProgramDir, 1) != 1)
        return 0;
    if (FileExists(path) && TellUser(place->Owner, kOverwrite, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    return ExportMemoToFile(place, path, first, end, format);
}

int ExportMemoToFile(const MemoExchangePlace* place, const char* path, const SYSTEMTIME* first,
                     const SYSTEMTIME* end, int format)
{
    if (!place || !place->Memo || !path || !first || !end || !MemoExportFilter(format))
        return 0;
    if (format == MEMO_EXPORT_LZH)
        ExportArchive(place, path, first, end);
    else
        ExportText(place, path, first, end, format);
    return 1;
}
