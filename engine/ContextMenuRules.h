// What the context menu shows, decided without any menu: the default item and the check marks of the placement
// items.
#pragma once

#include <windows.h>

#include "PlugInSlot.h"

// The default (bold) item for a DoubleClick setting, the command a plain double click sends; 0 for an unknown one.
int MenuDefaultCommand(int doubleClick);
// 1 when placement command 525, 526 or 527 carries its check mark under these settings; 0 for any other command.
int PlacementChecked(int command, int windowFix, int windowOrder);
// The string number of a menu item's text: its command, except the redraw item's.
int MenuTextId(int command);
