// The plug-in table that the main program owns (the language module's plug-in dialog rewrites it in place) and the
// plug-in menu table that maps the menu commands from 8001 on to the plug-ins' own items.
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

#define PLUGIN_MENU_TEXT_SIZE 260

// One plug-in command of the context menu; PLUGIN_MENU_ITEM_COUNT of them make the plug-in menu table, which the
// toolbar plug-in copies whole, so the layout is part of the plug-in interface.
struct PlugInMenuItem {
    PlugInSlot* Slot;                          // the plug-in's entry in the plug-in table
    DWORD Item;                                // the plug-in's own item number, from 0
    DWORD Command;                             // 8001 + the entry's index
    char Text[PLUGIN_MENU_TEXT_SIZE];          // the item text as the plug-in gave it, cut on a character boundary
    char FileName[PLUGIN_MENU_TEXT_SIZE];      // the plug-in's file name, from its slot
};
static_assert(sizeof(PlugInMenuItem) == 536, "PlugInMenuItem tables are shared between modules");
static_assert(sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT == 137216, "the toolbar copies the whole table");
