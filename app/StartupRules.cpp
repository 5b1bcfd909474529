#include "StartupRules.h"

#include <stdio.h>
#include <string.h>

#include "EnvData.h"
#include "HeapUtil.h"
#include "ProgramResource.h"
#include "StrUtil.h"

namespace {

bool Is(const char* commandLine, const char* word)
{
    return commandLine && strcmp(commandLine, word) == 0;
}

}  // namespace

int DecideStartup(const char* commandLine, int otherRunning, int doubleStart)
{
    if (!otherRunning)
        return STARTUP_RUN;
    if (Is(commandLine, "restart"))
        return STARTUP_WAIT;
    if (Is(commandLine, "confirm"))
        return STARTUP_CONFIRM;
    if (Is(commandLine, "force") || Is(commandLine, "walldown") || Is(commandLine, "wallrestore"))
        return STARTUP_RUN;
    if (Is(commandLine, "activate"))
        return STARTUP_ACTIVATE;
    if (doubleStart == 2)
        return STARTUP_RUN;
    return doubleStart == 1 ? STARTUP_ACTIVATE : STARTUP_ACTIVATE_SHOW;
}

int WallpaperModeFromCommandLine(const char* commandLine)
{
    if (Is(commandLine, "walldown"))
        return 1;
    return Is(commandLine, "wallrestore") ? 2 : 0;
}

int AcceleratorTableId(int moveWithKeyUD, int moveWithKeyRL)
{
    if (moveWithKeyUD == 1)
        return moveWithKeyRL == 1 ? IDR_ACCEL_ARROWS : IDR_ACCEL_UP_DOWN;
    return moveWithKeyRL == 1 ? IDR_ACCEL_LEFT_RIGHT : IDR_ACCEL_SPACE;
}

int ApplyStartMonth(EnvData* env)
{
    // A month outside 1-12 from a hand-edited file would show a month that does not exist.
    if (!env || env->DisplayStart != 6 || env->DisplayPreYear <= 0 || env->DisplayPreMonth <= 0 ||
        env->DisplayPreMonth > 12)
        return 0;
    env->ShownMonth.wYear = (WORD)env->DisplayPreYear;
    env->ShownMonth.wMonth = (WORD)env->DisplayPreMonth;
    return 1;
}

char* FormatMyHolidayPath(const char* programDir, int individual, const char* userName)
{
    char path[MAX_PATH * 2];
    if (individual == 1 && userName && userName[0])
        snprintf(path, sizeof(path), "%s%s-%s.txt", NonNullStr(programDir), "MyHoliday", userName);
    else
        snprintf(path, sizeof(path), "%s%s.txt", NonNullStr(programDir), "MyHoliday");
    return StrDupHeap(path);
}

DWORD DelayedStartWait(int seconds)
{
    if (seconds <= 0)
        return 0;
    unsigned long long wait = (unsigned long long)seconds * 1000ULL;
    const unsigned long long longest = INFINITE - 1;
    return (DWORD)(wait > longest ? longest : wait);
}
