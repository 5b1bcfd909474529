// The keys of the main program's settings file, one row per key (the rows and their reader and writer are in
// common/settings). The same rows drive the reader and the writer, so a key is always written under the name it
// is read by.
#pragma once

#include "SettingKey.h"
#include "SettingsReader.h"

class EnvData;

// The main program's custom rows (SettingKey::Custom).
enum ProgramSettingKind {
    SETTING_KIND_USER_MARKS = 1,  // the mark count (int field UserStyleMax), then UserMarkSettingKeys for every mark
    SETTING_KIND_PLUGINS,         // the PlugInSlot table (key names in PlugInTable.h)
    SETTING_KIND_VERSION,         // written only: the settings-file version
    SETTING_KIND_WALLPAPER,       // the remembered wallpaper (heap char*), checked against the program's own picture
};

// Section N"00" (and its legacy copy N), in write order.
SettingKeyTable PlacementSettingKeys();
// The section of one desktop size.
SettingKeyTable ScreenSettingKeys();
// Section N"01", in write order.
SettingKeyTable MainSettingKeys();
// The keys of one user mark, fields relative to UserMark, names numbered from 1.
SettingKeyTable UserMarkSettingKeys();
// The user marks of env: the array resized to the count that countKey reads from display (the old array stays when
// memory is short), then every mark read from display when it holds the first mark's name, else from the section
// memoSection of the file at iniPath, where older files kept them. The reads share display's text buffer.
void ReadUserMarkKeys(EnvData* env, const SettingKey& countKey, const SettingSource& display, const char* iniPath,
                      const char* memoSection);
// Puts every mark kind 1-7 missing from order (MARK_ORDER_COUNT entries) into its first 0 entry, in kind order.
void CompleteMarkOrder(int* order);

#define YEAR_STYLE_COUNT 15
#define MONTH_STYLE_COUNT 9
#define WEEK_STYLE_COUNT 8
extern const char* const YearStyleNames[YEAR_STYLE_COUNT];
extern const char* const MonthStyleNames[MONTH_STYLE_COUNT];
extern const char* const WeekStyleNames[WEEK_STYLE_COUNT];
