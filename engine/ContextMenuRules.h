// What the context menu shows, decided without any menu: the default item, the check marks of the placement items
// and the plug-in menu entries taken from a plug-in's list of item texts.
#pragma once

#include <windows.h>

#include "PlugInSlot.h"

// The default (bold) item for a DoubleClick setting, the command a plain double click sends; 0 for an unknown one.
int MenuDefaultCommand(int doubleClick);
// 1 when placement command 525, 526 or 527 carries its check mark under these settings; 0 for any other command.
int PlacementChecked(int command, int windowFix, int windowOrder);
// The string number of a menu item's text: its command, except the redraw item's.
int MenuTextId(int command);
// Fills the entries of table from used on with slot's item texts: texts holds size bytes of NUL-separated texts,
// of which at most count are taken, up to the first empty one and never past the end of the block; an entry is made
// only while fewer than PLUGIN_MENU_ITEM_COUNT are used. Each text is cut on a character boundary to fit the
// entry. The number of entries used afterwards.
int TakePlugInItems(PlugInMenuItem* table, int used, PlugInSlot* slot, const char* texts, int size, int count);
