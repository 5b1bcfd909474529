// The calendar's context menu: the whole menu tree with its texts from the module's strings, the plug-ins' items
// numbered from 8001 with the plug-in menu table that maps them back, and the check marks of the placement items.
#pragma once

#include <windows.h>

#include "PlugInSlot.h"

class EnvData;

// One plug-in's item texts for the menu (NUL-separated, ending in an empty text) in a zeroed process-heap block of
// at least *size + 1 bytes that the caller frees with HeapFree; *count is the plug-in's item count. Null when the
// plug-in gives no items.
typedef char* (*PlugInMenuTextsFn)(const PlugInSlot* slot, const char* language, int* size, int* count);

// The plug-in texts as a loaded plug-in gives them through LxPlugInMenuInfoLang, else LxPlugInMenuInfo.
char* QueryPlugInMenuTexts(const PlugInSlot* slot, const char* language, int* size, int* count);

// The plug-in submenu: the items of every loaded slot in use (slots read up to the first empty file name), a
// separator between plug-ins, then plug-in information, activation and update. table (PLUGIN_MENU_ITEM_COUNT
// entries) is zeroed and refilled; null slots or table give only the last three items. Null when no menu can be
// made.
HMENU CreatePlugInMenu(PlugInMenuItem* table, PlugInSlot* slots, const char* language, PlugInMenuTextsFn textsOf);

extern "C" {

// Replaces every menu of env (the old tree is destroyed once) and the plug-in menu table, hands the table to the
// plug-ins that take it and sets the check marks; 1, or 0 for a null record.
int DaylensCreatePopup(EnvData* env);
// Sets or clears the check marks of the placement items in the options submenu; 1, or 0 for a null record.
int DaylensCheckMenuAll(EnvData* env);

}
