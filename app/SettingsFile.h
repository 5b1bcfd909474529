// The main program's settings file: the placement section N"00" (and its legacy
// copy N), the position per desktop size and the settings section N"01", where N
// is the program name. Older files kept everything in section N alone.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "SettingsReader.h"

#include "SettingsWriter.h"

class AppInfo;
class EnvData;
struct MemoSettings;
struct MemorialSettings;

// What SaveEnv writes: the placement sections only, or everything.
#define SETTINGS_SCOPE_PLACEMENT 1
#define SETTINGS_SCOPE_ALL 255

#define MONTH_USER_NAME_COUNT 12
#define WEEK_USER_NAME_COUNT 7

// Where the settings are and what names their sections.
struct SettingsFile {
    const char* IniPath;
    const char* AppName;     // every section name begins with it
    const char* ProgramDir;  // ends in "\"; holds the program's own wallpaper picture
    RECT Desktop;            // client rectangle of the desktop window; names the per-screen section
    char** MonthUserNames;   // MONTH_USER_NAME_COUNT slots that LoadEnv cuts MonthUserStr into (CutUserNames), or null
    char** WeekUserNames;    // WEEK_USER_NAME_COUNT slots that LoadEnv cuts WeekUserStr into, or null
    // The memo and memorial settings as read at start-up, or null: the save that takes a file out of the legacy
    // layout writes their sections, which the readers then look for.
    const MemoSettings* Memo;
    const MemorialSettings* Memorial;
};

// file from info: iniPath, or info's settings-file path when null; program name and folder; the desktop's rectangle.
void InitSettingsFile(SettingsFile* file, AppInfo* info, const char* iniPath);

// Reads position, fixed flag, z-order, remembered wallpaper and DoubleStart, then the position of this desktop size; 1.
int LoadWindowPlacement(const SettingsFile* file, EnvData* env);
// Reads the position kept for the desktop size, then keeps it on the desktop (KeepWindowOnDesktop); 1.
int LoadWindowPosForScreen(const SettingsFile* file, EnvData* env);
// Moves the position to 0, 0 when DenyOutOfDesktop is 1 and it lies beyond the desktop's right or bottom edge.
void KeepWindowOnDesktop(const SettingsFile* file, EnvData* env);
// Stamps the version and reads every other setting; 1 when the file did not exist before (first run), else 0.
// *versionChanged (may be null) is 1 when the file held another version, which was then replaced.
int LoadEnv(const SettingsFile* file, EnvData* env, int* versionChanged);
// Writes the placement sections and the position of this desktop size, and with a scope above 1 (low byte) every
// setting, hiding the file; 1, or 0 when a section could not be written (no memory, no file). A file in the legacy
// layout gets every section of the new one whatever the scope: the settings, and the memo and memorial sections of
// the records the file names.
int SaveEnv(const SettingsFile* file, EnvData* env, int scope);
// Writes the position into the section of this desktop size; 1, or 0 without memory.
int SaveWindowPosForScreen(const SettingsFile* file, const EnvData* env);
// Tells the user of a new version and offers the list of changes when the help file is there.
void ShowVersionUpNotice(AppInfo* info);

// The version text the file is stamped with, "1.20.01".
void FormatSettingsVersion(char* out, size_t size);
