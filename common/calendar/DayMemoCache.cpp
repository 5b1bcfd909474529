#include "DayMemoCache.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "DateUtil.h"
#include "HeapUtil.h"
#include "ProfileFile.h"
#include "ShownMonth.h"
#include "StrUtil.h"

namespace {

const int kMonthDays = 31;
// Months kept: those of the largest view with a month on either side, twice over, so that a step back to the view
// before finds its months.
const int kCachedMonths = 2 * (DISPLAY_COUNT_MAX * DISPLAY_COUNT_MAX + 2);
// Years listed in one pass: those of the largest view and a year on either side.
const int kListedYears = DISPLAY_COUNT_MAX + 2;
// Months read ahead on either side of the view: a year step of a view of a year.
const int kReadAheadSide = 12;
const int kReadAheadMonths = 2 * kReadAheadSide;
// The read-ahead waits this long after a pass, so that the refresh the pass belongs to ends first.
const DWORD kReadAheadDelayMs = 50;
// A file written less than this before it was read (in FILETIME units) is read again at the next check: FAT keeps
// write times in steps of two seconds.
const ULONGLONG kRacyAge = 3ULL * 10000000ULL;
const size_t kPathSize = MEMO_DIR_SIZE + MAX_PATH;

DWORD DefaultPause(HANDLE wake, DWORD milliseconds)
{
    return WaitForSingleObject(wake, milliseconds);
}

DayMemoPauseProc g_pause = DefaultPause;

struct FileStamp {
    ULONGLONG Written;
    ULONGLONG Size;
};

struct CachedFile {
    bool Present;         // the file was there at the last look
    bool Racy;            // read too soon after its last write, or not read at all: read it again
    FileStamp Stamp;
    ProfileFile* Parsed;  // null when the file could not be read
};

struct CachedMonth {
    int Year;  // 0 for a free slot
    int Month;
    bool Listed;       // the month's day files were looked for at least once
    unsigned Checked;  // the pass in which the month was last checked against its files
    unsigned Used;     // the pass in which it was last used
    CachedFile Files[kMonthDays];  // by day - 1; the month file is the first
};

// A file read ahead: the stamp it had before the read, and what the read found.
struct StagedFile {
    int Key;  // MonthKey * 32 + day (0 for the month file)
    FileStamp Stamp;
    bool Racy;
    ProfileFile* Parsed;
};

// The reader of the files of the months around the view, on a thread of its own. The thread reads the files of the
// months asked for into Staged; a pass takes them over for its months and checks them like any file it holds.
struct ReadAhead {
    HANDLE Thread;
    HANDLE Wake;  // a request or the stop
    CRITICAL_SECTION Lock;
    // Under Lock:
    bool Stop;
    unsigned Request;  // counts the requests; a newer one ends the reading of an older
    bool Busy;         // reading for Request
    char* Dir;         // the store of the months asked for and of Staged
    int MonthFiles;
    int Months[kReadAheadMonths];  // by MonthKey, to be read
    int MonthCount;
    int Done[kReadAheadMonths];  // by MonthKey, read into Staged
    int DoneCount;
    StagedFile* Staged;
    int StagedCount;
    int StagedSize;
};

// The day files of one year as one listing of the folder found them in a pass.
struct YearListing {
    int Year;  // 0 for a free slot
    unsigned Pass;
    bool Present[12][kMonthDays];
    FileStamp Stamps[12][kMonthDays];
};

ULONGLONG FromFileTime(const FILETIME& time)
{
    return ((ULONGLONG)time.dwHighDateTime << 32) | time.dwLowDateTime;
}

FileStamp StampOf(const FILETIME& written, DWORD sizeHigh, DWORD sizeLow)
{
    FileStamp stamp = {FromFileTime(written), ((ULONGLONG)sizeHigh << 32) | sizeLow};
    return stamp;
}

void Drop(CachedFile* file)
{
    FreeProfileFile(file->Parsed);
    memset(file, 0, sizeof(*file));
}

// Reads the file at path, whose stamp before the read was stamp.
void Load(const char* path, const FileStamp& stamp, CachedFile* file)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    FreeProfileFile(file->Parsed);
    file->Parsed = ReadProfileFile(path);
    file->Present = true;
    file->Stamp = stamp;
    file->Racy = !file->Parsed || stamp.Written + kRacyAge > FromFileTime(now);
}

// The file as it is now at path, with stamp: read again when it is new, changed or was racy.
void Refresh(const char* path, const FileStamp& stamp, CachedFile* file)
{
    bool same = file->Present && !file->Racy && file->Stamp.Written == stamp.Written && file->Stamp.Size == stamp.Size;
    if (!same)
        Load(path, stamp, file);
}

// Looks at the file at path again.
void CheckFile(const char* path, CachedFile* file)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Drop(file);
        return;
    }
    Refresh(path, StampOf(data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow), file);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The month and day of a day file's name "YYYYMMDD.txt" of the year (a day of the calendar); false for any other.
bool DateOfFileName(const char* name, const char* year, int* month, int* day)
{
    for (int i = 4; i < 8; i++) {
        if (!IsDigit(name[i]))
            return false;
    }
    if (strncmp(name, year, 4) != 0 || !StrEqual(name + 8, ".txt", 1))
        return false;
    *month = (name[4] - '0') * 10 + (name[5] - '0');
    *day = (name[6] - '0') * 10 + (name[7] - '0');
    return *month >= 1 && *month <= 12 && *day >= 1 && *day <= DaysInMonth(atoi(year), *month);
}

int MonthKey(int year, int month)
{
    return year * 12 + month - 1;
}

// The day files of a year in the memo folder dir, found by one listing, into listing.
void ListYear(const char* dir, int year, YearListing* listing)
{
    memset(listing, 0, sizeof(*listing));
    listing->Year = year;
    char pattern[kPathSize], yearText[16];
    snprintf(yearText, sizeof(yearText), "%04d", year);
    snprintf(pattern, sizeof(pattern), "%s\\%s????.txt", dir, yearText);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        int month, day;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !DateOfFileName(found.cFileName, yearText, &month, &day))
            continue;
        listing->Present[month - 1][day - 1] = true;
        listing->Stamps[month - 1][day - 1] = StampOf(found.ftLastWriteTime, found.nFileSizeHigh, found.nFileSizeLow);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

struct DayMemoCache {
    char* Dir;  // the memo folder the months are of
    int MonthFiles;
    unsigned Pass;
    CachedMonth* Last;  // the month looked up last
    CachedMonth Months[kCachedMonths];
    YearListing Listings[kListedYears];
    ReadAhead* Ahead;  // null until the first read-ahead
};

namespace {

void ForgetMonth(CachedMonth* month)
{
    for (CachedFile& file : month->Files)
        Drop(&file);
    memset(month, 0, sizeof(*month));
}

// The months are of the store of settings from now on.
bool TakeStore(DayMemoCache* cache, const MemoStoreSettings* settings)
{
    const char* dir = NonNullStr(settings->MemoDir);
    int monthFiles = settings->MemoSaveOneMonth == 1;
    if (cache->Dir && strcmp(cache->Dir, dir) == 0 && cache->MonthFiles == monthFiles)
        return true;
    for (CachedMonth& month : cache->Months)
        ForgetMonth(&month);
    memset(cache->Listings, 0, sizeof(cache->Listings));
    cache->Last = nullptr;
    if (cache->Dir)
        HeapFree(GetProcessHeap(), 0, cache->Dir);
    cache->Dir = (char*)AllocZeroed(strlen(dir));
    if (cache->Dir)
        strcpy(cache->Dir, dir);
    cache->MonthFiles = monthFiles;
    return cache->Dir != nullptr;
}

// The month's slot: the one holding it, else a free one or the one used longest ago.
CachedMonth* SlotOf(DayMemoCache* cache, int year, int month)
{
    if (cache->Last && cache->Last->Year == year && cache->Last->Month == month)
        return cache->Last;
    CachedMonth* oldest = &cache->Months[0];
    for (CachedMonth& slot : cache->Months) {
        if (slot.Year == year && slot.Month == month)
            return &slot;
        if (slot.Year == 0 ? oldest->Year != 0 : oldest->Year != 0 && slot.Used < oldest->Used)
            oldest = &slot;
    }
    ForgetMonth(oldest);
    oldest->Year = year;
    oldest->Month = month;
    return oldest;
}

// The day files of the year, listed once in the pass: under Wine each look for a missing name reads the whole
// folder, and so does each listing, whatever it matches.
const YearListing& ListingOf(DayMemoCache* cache, int year)
{
    YearListing* slot = &cache->Listings[0];
    for (YearListing& listing : cache->Listings) {
        if (listing.Year == year && listing.Pass == cache->Pass)
            return listing;
        if (listing.Pass < slot->Pass)
            slot = &listing;
    }
    ListYear(cache->Dir, year, slot);
    slot->Pass = cache->Pass;
    return *slot;
}

// The month's day files as the year's listing found them.
void ListDayFiles(DayMemoCache* cache, CachedMonth* month)
{
    const YearListing& listing = ListingOf(cache, month->Year);
    char path[kPathSize];
    for (int day = 1; day <= kMonthDays; day++) {
        if (!listing.Present[month->Month - 1][day - 1]) {
            Drop(&month->Files[day - 1]);
            continue;
        }
        DayMemoFilePath(cache->Dir, 0, month->Year, month->Month, day, path, sizeof(path));
        Refresh(path, listing.Stamps[month->Month - 1][day - 1], &month->Files[day - 1]);
    }
    month->Listed = true;
}

void DropStaged(ReadAhead* ahead, int index)
{
    FreeProfileFile(ahead->Staged[index].Parsed);
    ahead->Staged[index] = ahead->Staged[--ahead->StagedCount];
}

// Keeps a file read ahead for request; false when a newer request came (the caller frees the file then).
bool Stage(ReadAhead* ahead, unsigned request, int key, const FileStamp& stamp, bool racy, ProfileFile* parsed)
{
    EnterCriticalSection(&ahead->Lock);
    bool current = ahead->Request == request && !ahead->Stop;
    if (current && ahead->StagedCount == ahead->StagedSize) {
        int size = ahead->StagedSize ? ahead->StagedSize * 2 : 256;
        StagedFile* grown = (StagedFile*)ReAllocZeroed(ahead->Staged, (size_t)size * sizeof(StagedFile));
        current = grown != nullptr;
        if (grown) {
            ahead->Staged = grown;
            ahead->StagedSize = size;
        }
    }
    if (current)
        ahead->Staged[ahead->StagedCount++] = {key, stamp, racy, parsed};
    LeaveCriticalSection(&ahead->Lock);
    return current;
}

// Reads one file ahead; false when a newer request or the stop came.
bool ReadFileAhead(ReadAhead* ahead, unsigned request, const char* path, int key, const FileStamp& stamp)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ProfileFile* parsed = ReadProfileFile(path);
    bool racy = !parsed || stamp.Written + kRacyAge > FromFileTime(now);
    if (Stage(ahead, request, key, stamp, racy, parsed))
        return true;
    FreeProfileFile(parsed);
    return false;
}

// Reads the files of one month ahead; false when a newer request or the stop came.
bool ReadMonthAhead(ReadAhead* ahead, unsigned request, const char* dir, int monthFiles, int monthKey,
                    YearListing* listing)
{
    int year = monthKey / 12, month = monthKey % 12 + 1;
    char path[kPathSize];
    if (monthFiles) {
        DayMemoFilePath(dir, 1, year, month, 0, path, sizeof(path));
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
        return ReadFileAhead(ahead, request, path, monthKey * 32,
                             StampOf(data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow));
    }
    if (listing->Year != year)
        ListYear(dir, year, listing);
    for (int day = 1; day <= kMonthDays; day++) {
        if (!listing->Present[month - 1][day - 1])
            continue;
        DayMemoFilePath(dir, 0, year, month, day, path, sizeof(path));
        if (!ReadFileAhead(ahead, request, path, monthKey * 32 + day, listing->Stamps[month - 1][day - 1]))
            return false;
    }
    return true;
}

bool StopAsked(ReadAhead* ahead)
{
    EnterCriticalSection(&ahead->Lock);
    bool stop = ahead->Stop;
    LeaveCriticalSection(&ahead->Lock);
    return stop;
}

DWORD WINAPI ReadAheadThread(void* context)
{
    ReadAhead* ahead = (ReadAhead*)context;
    YearListing* listing = (YearListing*)AllocZeroed(sizeof(YearListing));
    char* dir = nullptr;
    for (;;) {
        WaitForSingleObject(ahead->Wake, INFINITE);
        // Requests that follow each other closely: only the last is read. The stop is not held up by that wait.
        while (!StopAsked(ahead) && g_pause(ahead->Wake, kReadAheadDelayMs) == WAIT_OBJECT_0) {
        }
        EnterCriticalSection(&ahead->Lock);
        bool stop = ahead->Stop;
        unsigned request = ahead->Request;
        int months[kReadAheadMonths];
        int count = ahead->MonthCount;
        memcpy(months, ahead->Months, sizeof(months));
        int monthFiles = ahead->MonthFiles;
        if (dir)
            HeapFree(GetProcessHeap(), 0, dir);
        dir = StrDupHeap(ahead->Dir);
        ahead->Busy = !stop;
        LeaveCriticalSection(&ahead->Lock);
        if (stop)
            break;
        if (listing)
            listing->Year = 0;
        for (int i = 0; i < count && dir && listing; i++) {
            if (!ReadMonthAhead(ahead, request, dir, monthFiles, months[i], listing))
                break;
            EnterCriticalSection(&ahead->Lock);
            if (ahead->Request == request && ahead->DoneCount < kReadAheadMonths)
                ahead->Done[ahead->DoneCount++] = months[i];
            LeaveCriticalSection(&ahead->Lock);
        }
        EnterCriticalSection(&ahead->Lock);
        if (ahead->Request == request)
            ahead->Busy = false;
        LeaveCriticalSection(&ahead->Lock);
    }
    if (dir)
        HeapFree(GetProcessHeap(), 0, dir);
    if (listing)
        HeapFree(GetProcessHeap(), 0, listing);
    return 0;
}

// The read-ahead thread, started at its first use; null when it cannot be had.
ReadAhead* StartReadAhead()
{
    ReadAhead* ahead = (ReadAhead*)AllocZeroed(sizeof(ReadAhead));
    if (!ahead)
        return nullptr;
    InitializeCriticalSection(&ahead->Lock);
    ahead->Wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ahead->Thread = ahead->Wake ? CreateThread(nullptr, 0, ReadAheadThread, ahead, 0, nullptr) : nullptr;
    if (!ahead->Thread) {
        if (ahead->Wake)
            CloseHandle(ahead->Wake);
        DeleteCriticalSection(&ahead->Lock);
        HeapFree(GetProcessHeap(), 0, ahead);
        return nullptr;
    }
    SetThreadPriority(ahead->Thread, THREAD_PRIORITY_BELOW_NORMAL);
    return ahead;
}

void StopReadAhead(ReadAhead* ahead)
{
    if (!ahead)
        return;
    EnterCriticalSection(&ahead->Lock);
    ahead->Stop = true;
    LeaveCriticalSection(&ahead->Lock);
    SetEvent(ahead->Wake);
    WaitForSingleObject(ahead->Thread, INFINITE);
    CloseHandle(ahead->Thread);
    CloseHandle(ahead->Wake);
    while (ahead->StagedCount > 0)
        DropStaged(ahead, 0);
    if (ahead->Staged)
        HeapFree(GetProcessHeap(), 0, ahead->Staged);
    if (ahead->Dir)
        HeapFree(GetProcessHeap(), 0, ahead->Dir);
    DeleteCriticalSection(&ahead->Lock);
    HeapFree(GetProcessHeap(), 0, ahead);
}

// Takes over the files read ahead for the month, which its check then holds against the files as they are.
void TakeReadAhead(DayMemoCache* cache, CachedMonth* month)
{
    ReadAhead* ahead = cache->Ahead;
    if (!ahead)
        return;
    int key = MonthKey(month->Year, month->Month);
    EnterCriticalSection(&ahead->Lock);
    if (ahead->Dir && strcmp(ahead->Dir, cache->Dir) == 0 && ahead->MonthFiles == cache->MonthFiles) {
        for (int i = ahead->StagedCount - 1; i >= 0; i--) {
            StagedFile& staged = ahead->Staged[i];
            if (staged.Key / 32 != key)
                continue;
            CachedFile& file = month->Files[cache->MonthFiles ? 0 : staged.Key % 32 - 1];
            Drop(&file);
            file = {true, staged.Racy, staged.Stamp, staged.Parsed};
            staged.Parsed = nullptr;
            DropStaged(ahead, i);
        }
    }
    LeaveCriticalSection(&ahead->Lock);
}

// The month's files as they are now: the month file looked at; day files looked at one by one while every day has
// one, else listed.
void CheckMonth(DayMemoCache* cache, CachedMonth* month)
{
    TakeReadAhead(cache, month);
    char path[kPathSize];
    if (cache->MonthFiles) {
        DayMemoFilePath(cache->Dir, 1, month->Year, month->Month, 0, path, sizeof(path));
        CheckFile(path, &month->Files[0]);
    } else {
        int days = DaysInMonth(month->Year, month->Month);
        bool everyDay = month->Listed;
        for (int i = 0; i < days && everyDay; i++)
            everyDay = month->Files[i].Present;
        if (!everyDay) {
            ListDayFiles(cache, month);
        } else {
            for (int day = 1; day <= days; day++) {
                DayMemoFilePath(cache->Dir, 0, month->Year, month->Month, day, path, sizeof(path));
                CheckFile(path, &month->Files[day - 1]);
            }
        }
    }
    month->Checked = cache->Pass;
}

}  // namespace

DayMemoCache* CreateDayMemoCache()
{
    DayMemoCache* cache = (DayMemoCache*)AllocZeroed(sizeof(DayMemoCache));
    if (cache)
        cache->Pass = 1;
    return cache;
}

void FreeDayMemoCache(DayMemoCache* cache)
{
    if (!cache)
        return;
    StopReadAhead(cache->Ahead);
    for (CachedMonth& month : cache->Months)
        ForgetMonth(&month);
    if (cache->Dir)
        HeapFree(GetProcessHeap(), 0, cache->Dir);
    HeapFree(GetProcessHeap(), 0, cache);
}

void BeginDayMemoPass(DayMemoCache* cache)
{
    if (cache)
        cache->Pass++;
}

char* CachedDayMemoText(DayMemoCache* cache, const MemoStoreSettings* settings, int year, int month, int day,
                        DayMemoRecord* out, int singleLine)
{
    if (!settings)
        return nullptr;
    // Anything but a day of the calendar is read as the store reads it.
    if (!cache || year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        !TakeStore(cache, settings))
        return ReadDayMemoText(nullptr, year, month, day, settings, out, singleLine);
    CachedMonth* slot = SlotOf(cache, year, month);
    cache->Last = slot;
    if (slot->Checked != cache->Pass)
        CheckMonth(cache, slot);
    slot->Used = cache->Pass;
    const CachedFile& file = slot->Files[cache->MonthFiles ? 0 : day - 1];
    if (!file.Parsed)
        return nullptr;
    char section[32];
    DayMemoSectionName(year, month, day, section, sizeof(section));
    return DayMemoOfSection(FindProfileFileSection(file.Parsed, section), settings, out, singleLine);
}

namespace {

bool HasKey(const int* keys, int count, int key)
{
    for (int i = 0; i < count; i++) {
        if (keys[i] == key)
            return true;
    }
    return false;
}

}  // namespace

void ReadAheadDayMemos(DayMemoCache* cache, const MemoStoreSettings* settings, int year, int month, int count)
{
    if (!cache || !settings || !TakeStore(cache, settings))
        return;
    // The months around the view that the cache does not hold, nearest first, in turn after it and before it.
    int first = MonthKey(year, month), side = count < kReadAheadSide ? count : kReadAheadSide;
    int around[kReadAheadMonths], aroundCount = 0;
    for (int i = 0; i < 2 * side; i++) {
        int key = i % 2 ? first - 1 - i / 2 : first + count + i / 2;
        bool held = key < MonthKey(1, 1);
        for (const CachedMonth& slot : cache->Months)
            held = held || (slot.Year && MonthKey(slot.Year, slot.Month) == key && slot.Checked);
        if (!held)
            around[aroundCount++] = key;
    }
    if (aroundCount == 0 && !cache->Ahead)
        return;
    if (!cache->Ahead)
        cache->Ahead = StartReadAhead();
    ReadAhead* ahead = cache->Ahead;
    if (!ahead)
        return;
    EnterCriticalSection(&ahead->Lock);
    if (!ahead->Dir || strcmp(ahead->Dir, cache->Dir) != 0 || ahead->MonthFiles != cache->MonthFiles) {
        if (ahead->Dir)
            HeapFree(GetProcessHeap(), 0, ahead->Dir);
        ahead->Dir = StrDupHeap(cache->Dir);
        ahead->MonthFiles = cache->MonthFiles;
        ahead->DoneCount = 0;
        aroundCount = ahead->Dir ? aroundCount : 0;
        // What was read, or is still being read, is of the other store: a file there of the same name, size and time
        // must not stand for this store's.
        while (ahead->StagedCount > 0)
            DropStaged(ahead, 0);
        ahead->MonthCount = 0;
        ahead->Request++;
        ahead->Busy = false;
    }
    // What was read ahead for months no longer around the view goes; what is still around is not read again.
    for (int i = ahead->StagedCount - 1; i >= 0; i--) {
        if (!HasKey(around, aroundCount, ahead->Staged[i].Key / 32))
            DropStaged(ahead, i);
    }
    int done = 0;
    for (int i = 0; i < ahead->DoneCount; i++) {
        if (HasKey(around, aroundCount, ahead->Done[i]))
            ahead->Done[done++] = ahead->Done[i];
    }
    ahead->DoneCount = done;
    int wanted[kReadAheadMonths], wantedCount = 0;
    for (int i = 0; i < aroundCount; i++) {
        if (!HasKey(ahead->Done, ahead->DoneCount, around[i]))
            wanted[wantedCount++] = around[i];
    }
    // A reading of the same months goes on; another request replaces it.
    bool fresh = wantedCount > 0 && (wantedCount != ahead->MonthCount || !ahead->Busy ||
                                     memcmp(wanted, ahead->Months, sizeof(int) * (size_t)wantedCount) != 0);
    if (fresh) {
        memcpy(ahead->Months, wanted, sizeof(int) * (size_t)wantedCount);
        ahead->MonthCount = wantedCount;
        ahead->Request++;
        ahead->Busy = true;
    }
    LeaveCriticalSection(&ahead->Lock);
    if (fresh)
        SetEvent(ahead->Wake);
}

int DayMemoReadAheadBusy(DayMemoCache* cache)
{
    ReadAhead* ahead = cache ? cache->Ahead : nullptr;
    if (!ahead)
        return 0;
    EnterCriticalSection(&ahead->Lock);
    int busy = ahead->Busy ? 1 : 0;
    LeaveCriticalSection(&ahead->Lock);
    return busy;
}

DayMemoPauseProc SetDayMemoPauseProc(DayMemoPauseProc proc)
{
    DayMemoPauseProc previous = g_pause;
    g_pause = proc ? proc : DefaultPause;
    return previous;
}
