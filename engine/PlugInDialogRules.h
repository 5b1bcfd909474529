// The decisions of the plug-in information dialog, apart from its window: the version text of a plug-in, moving a
// slot in the load order, and the use flags taken from the rows' check boxes.
#pragma once

#include <stddef.h>

#include "PlugInSlot.h"

// Size of a version text; "--" when the plug-in tells no version.
#define PLUGIN_VERSION_TEXT_SIZE 64

// "%.2f.%d" of major / 100 and minor: 105 and 0 give "1.05.0".
void FormatPlugInVersion(char* out, size_t size, int major, int minor);
// Named slots from the start of the table, up to the first empty name (at most PLUGIN_SLOT_COUNT).
int NamedPlugInSlots(const PlugInSlot* table);
// Swaps the slot of row with the one above (step -1) or below (step 1), whole entries, when both are named; the row
// the slot then stands in, or -1 when nothing moved.
int MovePlugInSlot(PlugInSlot* table, int row, int step);
// The caller's table becomes work, each named slot's use flag that of its row's check box (checked[i] non-zero).
void ApplyPlugInChoices(PlugInSlot* table, const PlugInSlot* work, const int* checked);
