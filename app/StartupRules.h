// Decisions of the start-up that need no window: what a start does when another instance runs, the wallpaper mode
// asked for, the language flag, the keyboard table and the month shown first.
#pragma once

#include <windows.h>

#include <stddef.h>

class EnvData;

// What a start does about the single-instance rule.
enum StartupAction {
    STARTUP_RUN = 0,            // go on (as the first instance, or as a further one)
    STARTUP_WAIT = 1,           // "restart": wait until the other instance has gone, then go on
    STARTUP_CONFIRM = 2,        // ask the user; Yes goes on as a further instance, No ends
    STARTUP_ACTIVATE = 3,       // bring the running instance up and end
    STARTUP_ACTIVATE_SHOW = 4,  // bring it up with its settings dialog open and end
};

// The action for a start with commandLine (compared whole and case-sensitively), otherRunning 1 when another
// instance holds the name, and the DoubleStart setting.
int DecideStartup(const char* commandLine, int otherRunning, int doubleStart);
// Wallpaper mode at start: 1 for "walldown", 2 for "wallrestore", else 0.
int WallpaperModeFromCommandLine(const char* commandLine);
// The program's keyboard table (accelerator resource 201-204) for the arrow-key options.
int AcceleratorTableId(int moveWithKeyUD, int moveWithKeyRL);
// With DisplayStart 6 (last month shown at exit) and a remembered year and month, shows that month first; 1 when set.
int ApplyStartMonth(EnvData* env);
// The wait of the delayed start in milliseconds, computed in 64 bits: a negative time waits 0, a time too long
// for a wait waits the longest finite wait.
DWORD DelayedStartWait(int seconds);
// The own-holiday file: "<dir>MyHoliday-<user>.txt" when individual is 1 and user is not empty, else
// "<dir>MyHoliday.txt"; null without memory. The caller frees it with HeapFree.
char* FormatMyHolidayPath(const char* programDir, int individual, const char* userName);
