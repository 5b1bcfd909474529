// Reads the rows of a key table from one section held in memory: numbers with their legacy keys, defaults and
// clamps, texts, style texts and fonts; custom rows go to the table owner's routine.
#pragma once

#include <windows.h>

#include "ProfileSection.h"
#include "SettingKey.h"

// Every text is read into this many bytes (longer values are cut on a character boundary): no written line is longer.
#define SETTINGS_READ_SIZE 32768

struct SettingSource;
typedef void (*SettingCustomRead)(const SettingSource& source, void* block, const SettingKey& key, int number);

// Where the rows are read from.
struct SettingSource {
    const ProfileSection* Section;  // null reads every default
    const void* Defaults;           // the record that rows with a DefaultField take their default from
    SettingCustomRead Custom;       // reads SETTING_CUSTOM rows; null skips them
    void* Context;                  // the custom routine's own data
    char* Text;                     // SETTINGS_READ_SIZE bytes shared by every text read
};

// The value of key, or def when it is missing, as the profile functions give it; valid until the next text read.
const char* ReadSettingText(const SettingSource& source, const char* key, const char* def);
// The number of key, or def when it is missing or empty. Values beyond 32 bits are held at the limit of the type
// (colours read as unsigned) rather than wrapped.
long ReadSettingNumber(const SettingSource& source, const char* key, long def, SettingType type);
// 1 when section appName"00" of the file at iniPath holds no Version: the file is in the legacy layout, where the
// program and its memo and memorial settings were all kept in the single section appName.
int IsLegacyIniLayout(const char* iniPath, const char* appName);
// Reads every row of table into block; number fills the %d of numbered rows (an array row numbers its elements).
void ReadSettingKeys(const SettingSource& source, void* block, SettingKeyTable table, int number);
