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
// A file written less than this before it was read (in FILETIME units) is read again at the next check: FAT keeps
// write times in steps of two seconds.
const ULONGLONG kRacyAge = 3ULL * 10000000ULL;
const size_t kPathSize = MEMO_DIR_SIZE + MAX_PATH;

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

}  // namespace

struct DayMemoCache {
    char* Dir;  // the memo folder the months are of
    int MonthFiles;
    unsigned Pass;
    CachedMonth* Last;  // the month looked up last
    CachedMonth Months[kCachedMonths];
    YearListing Listings[kListedYears];
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
    memset(slot, 0, sizeof(*slot));
    slot->Year = year;
    slot->Pass = cache->Pass;
    char pattern[kPathSize], yearText[16];
    snprintf(yearText, sizeof(yearText), "%04d", year);
    snprintf(pattern, sizeof(pattern), "%s\\%s????.txt", cache->Dir, yearText);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return *slot;
    do {
        int month, day;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !DateOfFileName(found.cFileName, yearText, &month, &day))
            continue;
        slot->Present[month - 1][day - 1] = true;
        slot->Stamps[month - 1][day - 1] = StampOf(found.ftLastWriteTime, found.nFileSizeHigh, found.nFileSizeLow);
    } while (FindNextFileA(search, &found));
    FindClose(search);
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

// The month's files as they are now: the month file looked at; day files looked at one by one while every day has
// one, else listed.
void CheckMonth(DayMemoCache* cache, CachedMonth* month)
{
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
