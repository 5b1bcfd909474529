#include "MemoImportBatch.h"

#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <new>

#include "AppInfo.h"
#include "DurableSave.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "IniDocument.h"
#include "MemoMerge.h"
#include "MemoWriter.h"
#include "ProfileFile.h"
#include "StrUtil.h"

namespace {

// Memo files saved at the same time at the end of an import: each waits most of its time for the disk and for the
// look of its name in the folder.
const int kSaveThreads = 4;
const int kNone = -1;
const int kLastYear = 9999;
const int kMonthDays = 31;
const int kFirstRoom = 16;

// A map of positive keys (dates) to indexes, by open addressing.
class KeyMap {
public:
    KeyMap() = default;
    ~KeyMap()
    {
        if (slots_)
            HeapFree(GetProcessHeap(), 0, slots_);
    }
    KeyMap(const KeyMap&) = delete;
    KeyMap& operator=(const KeyMap&) = delete;

    int Find(int key) const
    {
        for (size_t i = Start(key); slots_ && slots_[i].Key; i = (i + 1) & (capacity_ - 1)) {
            if (slots_[i].Key == key)
                return slots_[i].Value;
        }
        return kNone;
    }
    // False without memory.
    bool Put(int key, int value)
    {
        if ((count_ + 1) * 2 > capacity_ && !Grow())
            return false;
        size_t i = Start(key);
        while (slots_[i].Key && slots_[i].Key != key)
            i = (i + 1) & (capacity_ - 1);
        count_ += slots_[i].Key ? 0 : 1;
        slots_[i] = {key, value};
        return true;
    }

private:
    struct Slot {
        int Key;  // 0: free
        int Value;
    };
    size_t Start(int key) const { return ((size_t)key * 2654435761u) & (capacity_ - 1); }
    bool Grow()
    {
        size_t capacity = capacity_ ? capacity_ * 2 : 64;
        Slot* slots = (Slot*)AllocZeroed(capacity * sizeof(Slot));
        if (!slots)
            return false;
        Slot* old = slots_;
        size_t oldCapacity = capacity_;
        slots_ = slots;
        capacity_ = capacity;
        count_ = 0;
        for (size_t i = 0; i < oldCapacity; i++) {
            if (old[i].Key)
                Put(old[i].Key, old[i].Value);
        }
        if (old)
            HeapFree(GetProcessHeap(), 0, old);
        return true;
    }

    Slot* slots_ = nullptr;
    size_t capacity_ = 0;
    size_t count_ = 0;
};

// The memo files of the store, one bit a day (a month with month files), read from the memo folder once for an
// import. A day whose file is missing needs no look into the store, and under Wine every look for a missing file
// reads the whole folder: a large import of new days got slower with every day.
class MemoFileIndex {
public:
    MemoFileIndex() = default;
    ~MemoFileIndex()
    {
        if (bits_)
            HeapFree(GetProcessHeap(), 0, bits_);
    }
    MemoFileIndex(const MemoFileIndex&) = delete;
    MemoFileIndex& operator=(const MemoFileIndex&) = delete;

    // Lists the memo folder; false without memory.
    bool Read(const MemoSettings* memo)
    {
        monthFiles_ = memo->MemoSaveOneMonth == 1;
        bits_ = (BYTE*)AllocZeroed(SlotCount() / 8 + 1);
        char pattern[MEMO_FOLDER_SIZE + 16];
        snprintf(pattern, sizeof(pattern), "%s\\*.txt", memo->MemoDir);
        WIN32_FIND_DATAA found;
        HANDLE search = bits_ ? FindFirstFileA(pattern, &found) : INVALID_HANDLE_VALUE;
        if (search == INVALID_HANDLE_VALUE)
            return bits_ != nullptr;  // an empty or missing folder holds no memo file
        do {
            int year = 0, month = 0, day = 0;
            ParseMemoFileDate(found.cFileName, &year, &month, &day);
            if (year > 0 && (day == 0) == monthFiles_)
                Add(year, month, day);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return true;
    }

    // False only when the day's file is known to be missing.
    bool MayHold(int year, int month, int day) const
    {
        size_t slot = Slot(year, month, day);
        return !bits_ || slot >= SlotCount() || (bits_[slot / 8] & (1 << (slot % 8)));
    }

private:
    size_t SlotCount() const { return (size_t)(kLastYear + 1) * 12 * (monthFiles_ ? 1 : kMonthDays); }
    size_t Slot(int year, int month, int day) const
    {
        if (year < 1 || year > kLastYear || month < 1 || month > 12)
            return SlotCount();
        size_t months = (size_t)year * 12 + (size_t)(month - 1);
        if (monthFiles_)
            return months;
        return day < 1 || day > kMonthDays ? SlotCount() : months * kMonthDays + (size_t)(day - 1);
    }
    void Add(int year, int month, int day)
    {
        size_t slot = Slot(year, month, day);
        if (slot < SlotCount())
            bits_[slot / 8] |= (BYTE)(1 << (slot % 8));
    }

    bool monthFiles_ = false;
    BYTE* bits_ = nullptr;
};

}  // namespace

struct MemoImportBatch {
    struct File {
        char* Path;
        bool Loaded;
        bool KnownMissing;  // the folder's listing showed no such file
        bool Unreadable;    // not read whole: read and written straight through the store
        ProfileFile* Parsed;  // what the file held when it was first read; null when it holds nothing
        int FirstDay;         // the days written, in the order of their first write
        int LastDay;
        bool Saved;
    };
    struct Day {
        int Year, Month, DayOfMonth;
        int File;
        int Next;         // the next day of the same file
        char* Lines;      // the section's lines to save
        ProfileFile* ReadBack;  // the section as the store gives it back
        bool Cut;
    };

    const MemoSettings* Memo = nullptr;
    MemoImportTally* Tally = nullptr;
    MemoFileIndex Index;
    KeyMap FileKeys;
    KeyMap DayKeys;
    File* Files = nullptr;
    int FileCount = 0;
    Day* Days = nullptr;
    int DayCount = 0;
    char ScratchPath[MAX_PATH * 2] = "";
    bool ScratchWritten = false;
    char* ScratchText = nullptr;  // the last memo data, to be written at the end
    char* SaveFolder = nullptr;   // the temporary files of the new memo files, while they are saved
};

namespace {

void CountFailure(MemoImportTally* tally)
{
    if (tally)
        tally->Failed++;
}

int DateKey(int year, int month, int day)
{
    return (year * 13 + month) * 32 + day;
}

// Room for one more item after count: made for the first, then doubled whenever count reaches a power of two.
template <typename T>
bool GrowArray(T** items, int count)
{
    if (count != 0 && (count < kFirstRoom || (count & (count - 1)) != 0))
        return true;
    T* grown = (T*)ReAllocZeroed(*items, (size_t)(count ? count * 2 : kFirstRoom) * sizeof(T));
    if (!grown)
        return false;
    *items = grown;
    return true;
}

// The file entry of a day; kNone without memory.
int FileOf(MemoImportBatch* batch, int year, int month, int day)
{
    bool monthFile = batch->Memo->MemoSaveOneMonth == 1;
    int key = DateKey(year, month, monthFile ? 0 : day);
    int index = batch->FileKeys.Find(key);
    if (index != kNone)
        return index;
    char path[MEMO_FOLDER_SIZE + MAX_PATH];
    DayMemoFilePath(batch->Memo->MemoDir, monthFile, year, month, day, path, sizeof(path));
    char* copy = StrDupHeap(path);
    if (!copy || !GrowArray(&batch->Files, batch->FileCount) || !batch->FileKeys.Put(key, batch->FileCount)) {
        if (copy)
            HeapFree(GetProcessHeap(), 0, copy);
        return kNone;
    }
    MemoImportBatch::File& file = batch->Files[batch->FileCount];
    memset(&file, 0, sizeof(file));
    file.Path = copy;
    file.KnownMissing = !batch->Index.MayHold(year, month, day);
    file.FirstDay = file.LastDay = kNone;
    return batch->FileCount++;
}

// Reads the file once: a file that cannot be read whole is read and written straight through the store from then
// on.
void LoadFile(MemoImportBatch::File* file)
{
    if (file->Loaded)
        return;
    file->Loaded = true;
    if (file->KnownMissing)
        return;
    HANDLE handle = CreateFileA(file->Path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;  // unreadable: it holds no memo, and its save will tell
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(handle, &size) || size.QuadPart == 0) {
        CloseHandle(handle);
        return;
    }
    DWORD length = 0;
    char* text = ReadOpenFile(handle, &length);  // closes the handle
    if (!text) {
        file->Unreadable = true;
        return;
    }
    file->Parsed = ParseProfileFile(text, length);
    file->Unreadable = !file->Parsed;
    HeapFree(GetProcessHeap(), 0, text);
}

// The bytes of a NUL-separated line list up to its closing empty line, that included.
size_t LinesSize(const char* lines)
{
    const char* p = lines;
    while (*p)
        p += strlen(p) + 1;
    return (size_t)(p - lines) + 1;
}

// The section of lines as the store reads it back from a file: alone under its header, its lines ended by CR LF.
ProfileFile* ReadBackOf(const char* section, const char* lines)
{
    size_t size = strlen(section) + 4;
    for (const char* line = lines; *line; line += strlen(line) + 1)
        size += strlen(line) + 2;
    char* text = (char*)AllocZeroed(size);
    if (!text)
        return nullptr;
    char* at = text + snprintf(text, size + 1, "[%s]\r\n", section);
    for (const char* line = lines; *line; line += strlen(line) + 1) {
        size_t length = strlen(line);
        memcpy(at, line, length);
        memcpy(at + length, "\r\n", 2);
        at += length + 2;
    }
    ProfileFile* file = ParseProfileFile(text, (size_t)(at - text));
    HeapFree(GetProcessHeap(), 0, text);
    return file;
}

// The day's entry with its new lines; false without memory.
bool TakeDay(MemoImportBatch* batch, int fileIndex, int year, int month, int day, char* lines, ProfileFile* readBack,
             bool cut)
{
    int key = DateKey(year, month, day);
    int index = batch->DayKeys.Find(key);
    if (index == kNone) {
        if (!GrowArray(&batch->Days, batch->DayCount) || !batch->DayKeys.Put(key, batch->DayCount))
            return false;
        index = batch->DayCount++;
        MemoImportBatch::Day& added = batch->Days[index];
        memset(&added, 0, sizeof(added));
        added = {year, month, day, fileIndex, kNone, nullptr, nullptr, false};
        MemoImportBatch::File& file = batch->Files[fileIndex];
        if (file.LastDay == kNone)
            file.FirstDay = index;
        else
            batch->Days[file.LastDay].Next = index;
        file.LastDay = index;
    }
    MemoImportBatch::Day& taken = batch->Days[index];
    if (taken.Lines)
        HeapFree(GetProcessHeap(), 0, taken.Lines);
    FreeProfileFile(taken.ReadBack);
    taken.Lines = lines;
    taken.ReadBack = readBack;
    taken.Cut = taken.Cut || cut;
    return true;
}

// Saves the days of one file in one document: a file the listing showed missing is made without looking for it
// (and looked for after all when one appeared).
void SaveFile(MemoImportBatch* batch, int fileIndex)
{
    MemoImportBatch::File& file = batch->Files[fileIndex];
    for (int tries = 0; tries < 2; tries++) {
        IniDocument* doc = file.KnownMissing ? OpenNewIniDocument(file.Path) : OpenIniDocument(file.Path);
        bool saved = doc != nullptr;
        char section[32];
        for (int day = file.FirstDay; saved && day != kNone; day = batch->Days[day].Next) {
            const MemoImportBatch::Day& d = batch->Days[day];
            DayMemoSectionName(d.Year, d.Month, d.DayOfMonth, section, sizeof(section));
            saved = SetIniSection(doc, section, d.Lines);
        }
        saved = saved && SaveIniDocumentVia(doc, batch->SaveFolder);
        DWORD error = GetLastError();
        CloseIniDocument(doc);
        file.Saved = saved;
        if (saved || !file.KnownMissing || error != ERROR_FILE_EXISTS)
            return;
        file.KnownMissing = false;
    }
}

struct SaveWork {
    MemoImportBatch* Batch;
    const int* Files;
    int Count;
    volatile LONG Next;
};

DWORD WINAPI SaveFiles(void* context)
{
    SaveWork* work = (SaveWork*)context;
    for (;;) {
        LONG next = InterlockedIncrement(&work->Next) - 1;
        if (next >= work->Count)
            return 0;
        SaveFile(work->Batch, work->Files[next]);
    }
}

// Saves every file with days written, several at a time; this thread takes its share.
void SaveAll(MemoImportBatch* batch)
{
    int* files = (int*)AllocZeroed((size_t)(batch->FileCount + 1) * sizeof(int));
    SaveWork work = {batch, files, 0, 0};
    for (int i = 0; files && i < batch->FileCount; i++) {
        if (batch->Files[i].FirstDay != kNone)
            files[work.Count++] = i;
    }
    // New memo files are made in a save folder of their own: under Wine each new name reads the memo folder whole.
    bool anyNew = false;
    for (int i = 0; i < work.Count && !anyNew; i++)
        anyNew = batch->Files[files[i]].KnownMissing;
    batch->SaveFolder = anyNew ? CreateSaveFolder(batch->Memo->MemoDir) : nullptr;
    HANDLE threads[kSaveThreads] = {};
    int started = 0;
    for (int i = 1; i < kSaveThreads && i < work.Count; i++) {
        threads[started] = CreateThread(nullptr, 0, SaveFiles, &work, 0, nullptr);
        started += threads[started] ? 1 : 0;
    }
    SaveFiles(&work);
    if (started)
        WaitForMultipleObjects((DWORD)started, threads, TRUE, INFINITE);
    for (int i = 0; i < started; i++)
        CloseHandle(threads[i]);
    RemoveSaveFolder(batch->SaveFolder);
    batch->SaveFolder = nullptr;
    if (files)
        HeapFree(GetProcessHeap(), 0, files);
}

void FreeBatch(MemoImportBatch* batch)
{
    for (int i = 0; i < batch->FileCount; i++) {
        HeapFree(GetProcessHeap(), 0, batch->Files[i].Path);
        FreeProfileFile(batch->Files[i].Parsed);
    }
    for (int i = 0; i < batch->DayCount; i++) {
        if (batch->Days[i].Lines)
            HeapFree(GetProcessHeap(), 0, batch->Days[i].Lines);
        FreeProfileFile(batch->Days[i].ReadBack);
    }
    if (batch->Files)
        HeapFree(GetProcessHeap(), 0, batch->Files);
    if (batch->Days)
        HeapFree(GetProcessHeap(), 0, batch->Days);
    if (batch->ScratchText)
        HeapFree(GetProcessHeap(), 0, batch->ScratchText);
    batch->~MemoImportBatch();
    HeapFree(GetProcessHeap(), 0, batch);
}

// The scratch file's path: in the program folder, else in the per-user data folder. False when there is none.
bool FindScratchPath(char* path, size_t size)
{
    char* programDir = nullptr;
    char* base = nullptr;
    GetModulePathParts(nullptr, &programDir, &base);
    char appData[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        appData[0] = '\0';
    char* userDataDir = BuildUserDataDir(appData, base);
    int found = MemoMergeScratchPath(programDir, userDataDir, path, size);
    char* texts[] = {programDir, base, userDataDir};
    for (char* text : texts) {
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
    }
    return found != 0;
}

}  // namespace

MemoImportBatch* BeginMemoImport(const MemoSettings* memo, MemoImportTally* tally)
{
    if (!memo)
        return nullptr;
    void* block = AllocZeroed(sizeof(MemoImportBatch));
    if (!block)
        return nullptr;
    MemoImportBatch* batch = new (block) MemoImportBatch();
    batch->Memo = memo;
    batch->Tally = tally;
    if (!batch->Index.Read(memo)) {
        FreeBatch(batch);
        return nullptr;
    }
    return batch;
}

int EndMemoImport(MemoImportBatch* batch)
{
    if (!batch)
        return 0;
    SaveAll(batch);
    int failed = 0;
    for (int i = 0; i < batch->DayCount; i++) {
        const MemoImportBatch::Day& day = batch->Days[i];
        bool saved = batch->Files[day.File].Saved;
        failed += saved ? 0 : 1;
        if (!batch->Tally)
            continue;
        batch->Tally->Written += saved ? 1 : 0;
        batch->Tally->Failed += saved ? 0 : 1;
        batch->Tally->Cut += saved && day.Cut ? 1 : 0;
    }
    if (batch->ScratchText)
        WriteWholeFile(batch->ScratchPath, batch->ScratchText, (DWORD)strlen(batch->ScratchText), nullptr);
    FreeBatch(batch);
    return failed == 0 ? 1 : 0;
}

const MemoSettings* MemoImportStore(const MemoImportBatch* batch)
{
    return batch ? batch->Memo : nullptr;
}

MemoImportTally* MemoImportTallyOf(MemoImportBatch* batch)
{
    return batch ? batch->Tally : nullptr;
}

char* ReadImportedDayMemo(MemoImportBatch* batch, int year, int month, int day, DayMemoRecord* out)
{
    MemoStoreSettings store = MemoStoreOf(batch->Memo);
    char section[32];
    DayMemoSectionName(year, month, day, section, sizeof(section));
    int written = batch->DayKeys.Find(DateKey(year, month, day));
    if (written != kNone)
        return DayMemoOfSection(FindProfileFileSection(batch->Days[written].ReadBack, section), &store, out, 0);
    int index = FileOf(batch, year, month, day);
    if (index == kNone)
        return ReadDayMemoText(nullptr, year, month, day, &store, out, 0);
    MemoImportBatch::File& file = batch->Files[index];
    LoadFile(&file);
    if (file.Unreadable)
        return ReadDayMemoText(nullptr, year, month, day, &store, out, 0);
    return DayMemoOfSection(FindProfileFileSection(file.Parsed, section), &store, out, 0);
}

int WriteImportedDayMemo(MemoImportBatch* batch, int year, int month, int day, const char* text,
                         const DayMemoRecord* record)
{
    // An empty text would remove the day's memo, which no import does.
    if (!text || !text[0]) {
        CountFailure(batch->Tally);
        return 0;
    }
    int index = FileOf(batch, year, month, day);
    if (index != kNone)
        LoadFile(&batch->Files[index]);
    if (index == kNone || batch->Files[index].Unreadable)
        return WriteImportedMemo(batch->Memo, year, month, day, text, record, batch->Tally);

    size_t length = strlen(text), storable = StorableMemoPrefix(text);
    char* cut = storable < length ? (char*)AllocZeroed(storable) : nullptr;
    if (cut)
        memcpy(cut, text, storable);
    // A memo without a record of its own takes the style of a new memo and no time.
    DayMemoRecord fallback = {batch->Memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    char* section = storable == length || cut ? FormatDayMemoSection(record ? record : &fallback, cut ? cut : text)
                                              : nullptr;
    if (cut)
        HeapFree(GetProcessHeap(), 0, cut);
    size_t size = section ? LinesSize(section) : 0;
    char* lines = section ? (char*)AllocZeroed(size) : nullptr;
    if (lines)
        memcpy(lines, section, size);
    if (section)
        HeapFree(GetProcessHeap(), 0, section);
    char name[32];
    DayMemoSectionName(year, month, day, name, sizeof(name));
    ProfileFile* readBack = lines ? ReadBackOf(name, lines) : nullptr;
    if (!readBack || !TakeDay(batch, index, year, month, day, lines, readBack, storable < length)) {
        if (lines)
            HeapFree(GetProcessHeap(), 0, lines);
        FreeProfileFile(readBack);
        CountFailure(batch->Tally);
        return 0;
    }
    return 1;
}

int KeepMemoMergeText(MemoImportBatch* batch, const char* text)
{
    if (!batch->ScratchWritten) {
        // Memo data that could not even reach the scratch file is lost as a whole: one failure.
        if (!FindScratchPath(batch->ScratchPath, sizeof(batch->ScratchPath)) ||
            !WriteWholeFile(batch->ScratchPath, text, (DWORD)strlen(text), nullptr)) {
            CountFailure(batch->Tally);
            return 0;
        }
        batch->ScratchWritten = true;
        return 1;
    }
    char* copy = StrDupHeap(text);
    if (!copy) {
        CountFailure(batch->Tally);
        return 0;
    }
    if (batch->ScratchText)
        HeapFree(GetProcessHeap(), 0, batch->ScratchText);
    batch->ScratchText = copy;
    return 1;
}
