// The memorial-day settings of the main program: whether each Windows user keeps a memorial file of their own, the
// path of that file, how memorial days show in the start popup and the day tooltip, and their mark and text style.
// Kept in the section "DaylensMemorial"; the print plug-in reads that section and may be handed a copy of the record.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "SettingsTypes.h"

#define MEMORIAL_PATH_SIZE 8192
// The memorial file's name in the program folder, with "-<user>" before ".txt" for a per-user file.
#define MEMORIAL_FILE_BASE "MemorialDay"

struct MemorialSettings {
    int MemorialIndividual;                  // 1: one memorial file per Windows user
    char MemorialPath[MEMORIAL_PATH_SIZE];   // full path of the memorial file (run time, from the settings)
    int MemorialPopup;                       // the day's memorial days in the start popup
    int MemorialShowToolTip;                 // memorial names in the calendar's day tooltip
    int MemorialCount;                       // the years elapsed (the age) after a memorial name
    FontStyle MemorialStyle;                 // mark and text style of memorial days
};
static_assert(offsetof(MemorialSettings, MemorialPath) == 4, "the path follows the per-user flag");
static_assert(offsetof(MemorialSettings, MemorialStyle) == 8208, "the style closes the record");
static_assert(sizeof(MemorialSettings) == 8296, "MemorialSettings is shared between modules");
