#include "MemorialDays.h"

#include <string.h>

#include "FileUtil.h"
#include "HeapUtil.h"
#include "HolidayCheck.h"
#include "MemorialSettingsFile.h"
#include "StrUtil.h"
#include "Trace.h"

MemorialSettings g_memorialSettings;

namespace {

struct MemorialTable {
    HolidayRecord* Records;
    int Count;
};

MemorialTable s_table = {};
SRWLOCK s_lock = SRWLOCK_INIT;

// The file's records, or none for a missing file or module.
HolidayRecord* ReadMemorialFile(const char* path, LanguageModule::LoadHoliday load, int* count)
{
    *count = 0;
    if (!load || !path || !*path)
        return nullptr;
    unsigned int read = 0;
    HolidayRecord* list = load(HOLIDAY_KIND_MEMORIAL, path, &read);
    if (!list) {
        Trace("no memorial days from %s", path);
        return nullptr;
    }
    *count = (int)read;
    return list;
}

}  // namespace

const HolidayRecord* MemorialDaysOnMainThread(int* count)
{
    if (count)
        *count = s_table.Records ? s_table.Count : 0;
    return s_table.Records;
}

int LoadMemorialDays(const char* programDir, LanguageModule::LoadHoliday load)
{
    g_memorialSettings.MemorialPath[0] = '\0';
    BuildMemorialPath(&g_memorialSettings, programDir);
    int count = 0;
    HolidayRecord* list = ReadMemorialFile(g_memorialSettings.MemorialPath, load, &count);
    ReplaceMemorialDays(list, count);
    return 1;
}

int SwitchMemorialFile(const char* programDir, LanguageModule::LoadHoliday load)
{
    char before[MEMORIAL_PATH_SIZE];
    SafeStrCpy(before, sizeof(before), g_memorialSettings.MemorialPath);
    BuildMemorialPath(&g_memorialSettings, programDir);
    if (lstrcmpiA(before, g_memorialSettings.MemorialPath) == 0 || !FileExists(g_memorialSettings.MemorialPath))
        return 0;
    // Without the module nothing can be read: the table stays rather than vanish.
    if (!load)
        return 0;
    int count = 0;
    HolidayRecord* list = ReadMemorialFile(g_memorialSettings.MemorialPath, load, &count);
    ReplaceMemorialDays(list, count);
    return 1;
}

void ReplaceMemorialDays(HolidayRecord* list, int count)
{
    AcquireSRWLockExclusive(&s_lock);
    MemorialTable old = s_table;
    s_table.Records = list;
    s_table.Count = list ? count : 0;
    ReleaseSRWLockExclusive(&s_lock);
    // No reader holds the old table any more: readers hold the lock for as long as they read.
    FreeHolidayList(old.Records, old.Count);
}

HolidayRecord* CopyMemorialDays(int* count)
{
    *count = 0;
    if (!s_table.Records || s_table.Count < 1)
        return nullptr;
    HolidayRecord* copy = (HolidayRecord*)AllocZeroed((size_t)s_table.Count * sizeof(HolidayRecord));
    if (!copy)
        return nullptr;
    for (int i = 0; i < s_table.Count; i++) {
        CopyHolidayRecord(&copy[i], &s_table.Records[i]);
        if (s_table.Records[i].name && !copy[i].name) {
            FreeHolidayList(copy, i);
            return nullptr;
        }
    }
    *count = s_table.Count;
    return copy;
}

int FreeMemorialDays()
{
    ReplaceMemorialDays(nullptr, 0);
    return 1;
}

int CheckMemorialDay(int year, int month, int day, int weekday, int ageFlag, char* text)
{
    AcquireSRWLockShared(&s_lock);
    int result = CheckMemorial(s_table.Records, s_table.Count, year, month, day, weekday, ageFlag, text);
    ReleaseSRWLockShared(&s_lock);
    return result;
}
