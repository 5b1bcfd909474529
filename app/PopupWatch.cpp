#include "PopupWatch.h"

#include <process.h>
#include <stdio.h>
#include <string.h>

#include "DateUtil.h"
#include "DayMemoStore.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "HolidayCheck.h"
#include "Memo.h"
#include "MemoWriter.h"
#include "MemorialDays.h"
#include "PlugInHost.h"
#include "PlugInModule.h"
#include "PopupViewModule.h"
#include "PopupWatchRules.h"
#include "Program.h"
#include "RepeatMemo.h"
#include "TodayMemo.h"
#include "Trace.h"

namespace {

const DWORD kPassMs = 500;          // at least one pass falls in every minute
const DWORD kStopWaitMs = 10000;    // how long the shut-down waits for the thread
const DWORD kCloseRetryMs = 250;    // a popup may open just as the watcher is told to stop

struct Watcher {
    HANDLE Thread;
    HANDLE Stop;   // set: the thread ends after its pass
    EnvData* Env;
    bool GaveUp;   // the thread did not end within the wait; it is not waited for again
};

Watcher s_watcher;

PopupWatchSettings WatchSettings()
{
    const MemoSettings& memo = g_memoSettings;
    PopupWatchSettings settings = {};
    settings.MemoPopup = memo.MemoPopup;
    settings.MemoPopupNoShow = memo.MemoPopupNoShow;
    settings.MemoPopupTime = memo.MemoPopupTime;
    settings.MemoPopupTimeHour = memo.MemoPopupTimeHour;
    settings.MemoPopupTimeMinute = memo.MemoPopupTimeMinute;
    settings.MemoTomorrowHour = memo.MemoTomorrowHour;
    settings.MemoTomorrowMinute = memo.MemoTomorrowMinute;
    settings.MemoSleepCheckInterval = memo.MemoSleepCheckInterval;
    settings.MemorialPopup = g_memorialSettings.MemorialPopup;
    return settings;
}

// The day memo of date (when asked for) followed by its repeating memos; null when there is neither. The caller
// frees it with HeapFree.
char* MemoText(const PopupWatchPopup& popup)
{
    const SYSTEMTIME& date = popup.Date;
    char* memo = nullptr;
    if (popup.WithDayMemo) {
        MemoStoreSettings store = MemoStoreOf(&g_memoSettings);
        memo = ReadDayMemoText(nullptr, date.wYear, date.wMonth, date.wDay, &store, nullptr, 0);
    }
    AcquireRepeatMemosShared();
    char* repeats = GetRepeatMemoText(g_repeatMemos.Records, (char**)g_repeatMemos.Texts, g_repeatMemos.Count,
                                      g_program.Holidays, (int)g_program.HolidayCount, date.wYear, date.wMonth,
                                      date.wDay, nullptr, 0);
    ReleaseRepeatMemosShared();
    if (!memo || !memo[0] || !repeats) {
        char* kept = memo && memo[0] ? memo : repeats;
        char* dropped = kept == memo ? repeats : memo;
        if (dropped)
            HeapFree(GetProcessHeap(), 0, dropped);
        return kept;
    }
    size_t size = strlen(memo) + 2 + strlen(repeats) + 1;
    char* joined = (char*)AllocZeroed(size);
    if (joined)
        snprintf(joined, size, "%s\r\n%s", memo, repeats);
    HeapFree(GetProcessHeap(), 0, memo);
    HeapFree(GetProcessHeap(), 0, repeats);
    return joined;
}

// Opens one popup through the popup-view plug-in, loaded for the call when it is not; returns when it closes.
void ShowPopup(const EnvData* env, const PopupWatchPopup& popup)
{
    char memorial[HOLIDAY_NAME_SIZE] = "";
    if (popup.WithMemorial) {
        const SYSTEMTIME& date = popup.Date;
        CheckMemorialDay(date.wYear, date.wMonth, date.wDay, DayOfWeek(date.wYear, date.wMonth, date.wDay),
                         g_memorialSettings.MemorialCount == 1 ? 1 : 0, memorial);
    }
    char* memo = MemoText(popup);
    int slot = env->PopupViewSlot;
    if ((memo && memo[0]) || memorial[0]) {
        HMODULE module = AcquirePlugIn(slot, 1);
        auto open = FindExport(module, PopupViewModule::kPopupViewOpen);
        if (open)
            Trace("memo watcher: %s: %s", popup.MemoHeading, memo ? memo : "");
        if (open)
            open(env->MainWindow, popup.MemoHeading, memo ? memo : "", popup.MemorialHeading,
                 popup.MemorialHeading ? memorial : nullptr, popup.PassDate ? &popup.Date : nullptr);
        else
            Trace("memo watcher: no popup view in slot %d", slot);
        ReleasePlugIn(slot, module);
    }
    if (memo)
        HeapFree(GetProcessHeap(), 0, memo);
}

bool Stopping()
{
    return WaitForSingleObject(s_watcher.Stop, 0) == WAIT_OBJECT_0;
}

unsigned __stdcall PopupWatchThreadProc(void*)
{
    EnvData* env = s_watcher.Env;
    PopupWatchState state = {};
    state.Request = 1;
    GetLocalTime(&state.LastPass);
    while (!Stopping()) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        PopupWatchSettings settings = WatchSettings();
        // The day-memo window forgets today's announcement when it saves today's memo with a new time.
        TodayWatch seen = ReadTodayWatch(&g_memoSettings);
        state.TodayAnnounced = seen.TodayAnnounced;
        state.TomorrowAnnounced = seen.TomorrowAnnounced;
        PopupWatchDecision decision =
            DecidePopupWatch(&now, &state, &settings, seen.Alarm.wHour, seen.Alarm.wMinute);
        state = decision.After;
        StoreAnnouncements(&g_memoSettings, &seen, &state.TodayAnnounced, &state.TomorrowAnnounced);
        for (int i = 0; i < decision.Count && env->PopupViewSlot >= 0 && !Stopping(); i++) {
            ShowPopup(env, decision.Popups[i]);
            // A popup may stay open for hours: the gap to the next pass counts from its close, not as a sleep.
            GetLocalTime(&state.LastPass);
        }
        if (decision.RefreshTodayAlarm)
            RefreshTodayAlarm(&g_memoSettings, &now);
        WaitForSingleObject(s_watcher.Stop, kPassMs);
    }
    return 0;
}

// LxClose of the popup view when a popup holds it: the popup ends and PopupViewOpen returns.
void CloseOpenPopup(int slot)
{
    HMODULE module = AcquirePlugIn(slot, 0);
    auto close = FindExport(module, PlugInModule::kLxClose);
    if (close)
        close();
    ReleasePlugIn(slot, module);
}

}  // namespace

int StartPopupWatch(EnvData* env)
{
    if (s_watcher.Thread)
        return 1;
    if (!env)
        return 0;
    s_watcher.Stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!s_watcher.Stop)
        return 0;
    s_watcher.Env = env;
    s_watcher.Thread = (HANDLE)_beginthreadex(nullptr, 0, PopupWatchThreadProc, nullptr, 0, nullptr);
    if (!s_watcher.Thread) {
        CloseHandle(s_watcher.Stop);
        s_watcher.Stop = nullptr;
        return 0;
    }
    return 1;
}

int StopPopupWatch()
{
    if (!s_watcher.Thread)
        return 1;
    if (s_watcher.GaveUp)
        return 0;
    SetEvent(s_watcher.Stop);
    int slot = s_watcher.Env ? s_watcher.Env->PopupViewSlot : -1;
    // The whole stop, closes of the popup included, stays within the one limit.
    DWORD start = GetTickCount();
    DWORD result = WAIT_TIMEOUT;
    for (;;) {
        CloseOpenPopup(slot);
        DWORD spent = GetTickCount() - start;
        DWORD left = spent < kStopWaitMs ? kStopWaitMs - spent : 0;
        result = WaitForSingleObject(s_watcher.Thread, left < kCloseRetryMs ? left : kCloseRetryMs);
        if (result != WAIT_TIMEOUT || left <= kCloseRetryMs)
            break;
    }
    if (result != WAIT_OBJECT_0) {
        Trace("memo watcher did not end within %lu ms", kStopWaitMs);
        s_watcher.GaveUp = true;
        return 0;
    }
    Trace("memo watcher stopped in %lu ms", GetTickCount() - start);
    CloseHandle(s_watcher.Thread);
    CloseHandle(s_watcher.Stop);
    memset(&s_watcher, 0, sizeof(s_watcher));
    return 1;
}
