// One entry of the plug-in table that the main program owns and the language
// module's plug-in dialog rewrites in place.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

#define PLUGIN_FILE_NAME_SIZE 264

struct PlugInSlot {
    HMODULE Module;                        // null while not loaded
    DWORD Use;                             // 1: load at start-up and allow loading it for a call
    int RunOnce;                           // 1: loaded only around each use
    char FileName[PLUGIN_FILE_NAME_SIZE];  // "DaylensToolBar.dll"; an empty name ends the table
};
static_assert(sizeof(PlugInSlot) == 280, "PlugInSlot tables are shared between modules");
