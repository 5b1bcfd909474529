#include "TodayMemo.h"

#include "DayMemoStore.h"
#include "MemoWriter.h"

namespace {

// The alarm is two fields apart from its date; without the lock the watcher could take yesterday's date with
// today's time. One lock serves every record: only the live one is shared between threads.
SRWLOCK s_alarmLock = SRWLOCK_INIT;

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
