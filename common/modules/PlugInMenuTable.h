// The plug-in menu table from the plug-ins' item lists: entries in slot and item order, commands from 8001 on.
#pragma once

#include "PlugInSlot.h"

// Adds the texts of one plug-in's item list (size bytes of NUL-separated texts ending in an empty one; at most count
// of them) to table after its first used entries, for slot; the number of entries used afterwards. Texts longer than
// an entry holds are cut on a character boundary; entries beyond PLUGIN_MENU_ITEM_COUNT are dropped, and nothing is
// read beyond size.
int AddPlugInMenuItems(PlugInMenuItem* table, int used, PlugInSlot* slot, const char* list, int size, int count);
// Adds the entries of previous (a whole table as it stood before) that belong to slot's plug-in (by file name), in
// their item order, after the first used entries of table, renumbered; the number of entries used afterwards.
int KeepPlugInMenuItems(PlugInMenuItem* table, int used, PlugInSlot* slot, const PlugInMenuItem* previous);
