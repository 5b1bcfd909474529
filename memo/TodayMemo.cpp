#include "TodayMemo.h"

#include <string.h>

#include "DayMemoStore.h"
#include "MemoWriter.h"

namespace {

// The alarm is two fields apart from its date; without the lock the watcher could take yesterday's date with
// today's time, or write back an announcement over the one a save just forgot. One lock and one count of saves
// serve every record: only the live one is shared between threads.
SRWLOCK s_alarmLock = SRWLOCK_INIT;
LONG s_saves = 0;

}  // namespace

int DayHasAnyMemo(const MemoSettings* memo, const RepeatMemoList* repeats, const HolidayRecord* holidays,
                  int holidayCount, const SYSTEMTIME* day)
{
    if (!memo || !day)
        return 0;
    MemoStoreSettings store = MemoStoreOf(memo);
    char* text = ReadDayMemoText(nullptr, day->wYear, day->wMonth, day->wDay, &store, nullptr, 1);
    if (!text && repeats) {
        // The watcher asks from its own thread while the main thread may replace the live list.
        AcquireRepeatMemosShared();
        text = GetRepeatMemoText(repeats->Records, (char**)repeats->Texts, repeats->Count, holidays, holidayCount,
                                 day->wYear, day->wMonth, day->wDay, nullptr, 1);
        ReleaseRepeatMemosShared();
    }
    if (!text)
        return 0;
    HeapFree(GetProcessHeap(), 0, text);
    return 1;
}

void RefreshTodayAlarm(MemoSettings* memo, const SYSTEMTIME* now)
{
    if (!memo || !now)
        return;
    MemoStoreSettings store = MemoStoreOf(memo);
    DayMemoRecord record = {};
    char* text = ReadDayMemoText(nullptr, now->wYear, now->wMonth, now->wDay, &store, &record, 1);
    SYSTEMTIME alarm = {};
    alarm.wHour = MEMO_TIME_UNSET;
    alarm.wMinute = MEMO_TIME_UNSET;
    if (text) {
        alarm.wYear = now->wYear;
        alarm.wMonth = now->wMonth;
        alarm.wDayOfWeek = now->wDayOfWeek;
        alarm.wDay = now->wDay;
        alarm.wHour = (WORD)record.Hour;
        alarm.wMinute = (WORD)record.Minute;
        HeapFree(GetProcessHeap(), 0, text);
    }
    PublishTodayAlarm(memo, &alarm);
}

void PublishTodayAlarm(MemoSettings* memo, const SYSTEMTIME* alarm)
{
    if (!memo || !alarm)
        return;
    AcquireSRWLockExclusive(&s_alarmLock);
    memo->TodayAlarm = *alarm;
    ReleaseSRWLockExclusive(&s_alarmLock);
}

SYSTEMTIME ReadTodayAlarm(const MemoSettings* memo)
{
    SYSTEMTIME alarm = {};
    if (!memo)
        return alarm;
    AcquireSRWLockShared(&s_alarmLock);
    alarm = memo->TodayAlarm;
    ReleaseSRWLockShared(&s_alarmLock);
    return alarm;
}

void PublishSavedTodayAlarm(MemoSettings* memo, const SYSTEMTIME* alarm)
{
    if (!memo || !alarm)
        return;
    AcquireSRWLockExclusive(&s_alarmLock);
    memo->TodayAlarm = *alarm;
    memset(&memo->TodayAnnounced, 0, sizeof(memo->TodayAnnounced));
    s_saves++;
    ReleaseSRWLockExclusive(&s_alarmLock);
}

TodayWatch ReadTodayWatch(const MemoSettings* memo)
{
    TodayWatch watch = {};
    if (!memo)
        return watch;
    AcquireSRWLockShared(&s_alarmLock);
    watch.Alarm = memo->TodayAlarm;
    watch.TodayAnnounced = memo->TodayAnnounced;
    watch.TomorrowAnnounced = memo->TomorrowAnnounced;
    watch.Saves = s_saves;
    ReleaseSRWLockShared(&s_alarmLock);
    return watch;
}

void StoreAnnouncements(MemoSettings* memo, const TodayWatch* seen, const SYSTEMTIME* today,
                        const SYSTEMTIME* tomorrow)
{
    if (!memo || !seen || !today || !tomorrow)
        return;
    AcquireSRWLockExclusive(&s_alarmLock);
    if (s_saves == seen->Saves)
        memo->TodayAnnounced = *today;
    memo->TomorrowAnnounced = *tomorrow;
    ReleaseSRWLockExclusive(&s_alarmLock);
}
