// The main program's state, one of each for the whole process, and its start-up and shut-down.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "DaylensIds.h"
#include "Holiday.h"
#include "PlugInSlot.h"
#include "ProgramIcons.h"
#include "SettingsFile.h"
#include "SettingsTypes.h"

class AppInfo;
class EnvData;

#define LANGUAGE_NAME_SIZE 1024

struct ProgramState {
    HINSTANCE Instance;
    AppInfo* Info;
    EnvData* Env;
    char* IniPath;
    char* PlugInDir;
    SettingsFile Settings;
    HANDLE InstanceMutex;  // null when another instance holds the name
    HACCEL Accelerators;
    RECT Desktop;
    RECT WorkArea;
    HolidayRecord* Holidays;
    unsigned int HolidayCount;
    HolidayRecord* MyHolidays;
    unsigned int MyHolidayCount;
    char* MyHolidayPath;
    int UpdateProgram;
    int UpdatePlugIn;
    int Restart;
    char LanguageName[LANGUAGE_NAME_SIZE];
    COLORREF CustomColors[CUSTOM_COLOR_COUNT];
    PlugInSlot PlugInSlots[PLUGIN_SLOT_COUNT];
    PlugInMenuItem PlugInMenuItems[PLUGIN_MENU_ITEM_COUNT];
    NOTIFYICONDATAA TrayIcon;
    int TrayIconAdded;     // 1 while the tray shows TrayIcon
    ProgramIconSet Icons;  // through ProgramIcon
};

extern ProgramState g_program;

// Start-up up to the shown calendar window; 1 to run the message loop, 0 to end at once.
int InitApplication(const char* commandLine, int showCommand);
// Releases what start-up acquired, the plug-ins first; safe after a start-up that gave up half-way and when called
// again.
void ShutdownApplication();
// Hands the update asked for (UpdateProgram, UpdatePlugIn) to the update tool, which restarts the program after it,
// and clears the flags; 1.
int RunUpdateOnExit();
// Starts the program again when Restart is set (the new instance waits until this one has let go of its name); 1.
int RestartOnExit();
// Starts the program at path with the word "restart", in folder; 1 when it started.
int StartProgramAgain(const char* path, const char* folder);
// Reads every setting (LoadEnv), then rebuilds what follows from them: the keyboard table. 1 on a first run (no
// settings file yet); *versionChanged (may be null) as LoadEnv gives it.
int ReadProgramSettings(int* versionChanged);
// The keyboard table chosen by the arrow-key settings, replacing the previous one; null when it does not load.
HACCEL LoadProgramAccelerators();
// Runs the main thread's messages until WM_QUIT; its wParam, or 0 when GetMessage fails.
int RunMessageLoop();

// Waits in steps of stepMs until no other instance holds name, then returns the held mutex; every failed try closes
// its handle, so the waiting process never keeps the name alive itself. Null at once when no mutex can be made.
HANDLE WaitForSingleInstanceMutex(const char* name, DWORD stepMs);
// The own-holiday path again from the settings, replacing the previous one.
void BuildMyHolidayPath();
// Removes the temporary files of cut-short saves beside the settings file, the memo files and the holiday and
// memorial lists.
void RemoveLeftoverSavesOfFiles();
// With flag 1, has the icons load again from the program's Icon folder and the language module when next asked
// for, and loads the cursors; 1.
int LoadIcons(int flag);
// The icon of slot (ProgramIconSlot), loaded on the first call; null for an empty slot.
HICON ProgramIcon(int slot);

// Registers the calendar window's class and shows the window; 1, or 0 when either fails.
int CreateMainWindow(int showCommand);
// Takes the calendar's icon out of the tray when the window put it there.
void RemoveTrayIcon();
BOOL CALLBACK EnumActivateProc(HWND window, LPARAM param);
BOOL CALLBACK EnumActivateAndShowProc(HWND window, LPARAM param);
