#include "TimerTick.h"

#include "CalendarRender.h"
#include "EnvData.h"
#include "MainWindow.h"
#include "Memo.h"
#include "MiniMemoModule.h"
#include "Program.h"
#include "RuntimeCalls.h"
#include "TickRules.h"
#include "TodayMemo.h"
#include "TrayIcon.h"

namespace {

// Today and the shown month move on; the memo watcher gets today's alarm.
void FollowNewDay(HWND window, EnvData* env, const SYSTEMTIME& now)
{
    env->Today = now;
    env->ShownMonth = now;
    RefreshTodayAlarm(&g_memoSettings, &now);
    SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
    RedrawForNewDay(window, env);
}

void RaiseAtHotSpot(HWND window, const EnvData* env)
{
    RECT desktop;
    POINT cursor;
    if (!GetClientRect(GetDesktopWindow(), &desktop) || !GetCursorPos(&cursor))
        return;
    if (HotSpotToRaise(cursor, &desktop, env->HotSpot, env->WindowOrder) != HOT_SPOT_NONE)
        BringToFrontPastLock(window);
}

}  // namespace

int OnTimerTick(EnvData* env)
{
    HWND window = env ? env->MainWindow : nullptr;
    if (!window)
        return 1;
    SYSTEMTIME now;
    GetLocalTime(&now);
    TickChange change = DecideTick(&now, &env->Today, env->HourAlarm && env->HourAlarm[0]);
    if (change.Chime)
        PlaySoundFile(env->HourAlarm);
    if (change.NewDay)
        FollowNewDay(window, env, now);
    else
        UpdateTrayIcon(env, 0);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &g_program.WorkArea, 0);
    env->Today = now;
    RaiseAtHotSpot(window, env);
    return 1;
}

void RedrawForNewDay(HWND window, EnvData* env)
{
    // Nobody looks while no window has the foreground (a locked screen): the next visit redraws.
    if (!GetForegroundWindow()) {
        env->RepaintFlag = 1;
        SetTimer(window, TIMER_DAY_CHANGE, TIMER_DAY_CHANGE_MS, nullptr);
        return;
    }
    RefreshCalendar(0);
    RedrawMiniMemo(env);
}

void BringToFrontPastLock(HWND window)
{
    DWORD own = GetWindowThreadProcessId(window, nullptr);
    HWND foreground = GetForegroundWindow();
    DWORD other = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    bool attached = other && other != own && AttachThreadInput(own, other, TRUE);
    DWORD timeout = 0;
    bool haveTimeout = SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0) != FALSE;
    // The user's time-out is ours only for this moment, and this repeats every tick while the pointer rests:
    // nothing goes to the profile and no change is announced.
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (void*)0, 0);
    SetForegroundWindow(window);
    if (haveTimeout)
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (void*)(UINT_PTR)timeout, 0);
    if (attached)
        AttachThreadInput(own, other, FALSE);
}
