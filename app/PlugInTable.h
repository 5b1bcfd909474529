// The plug-in table as the settings file keeps it: only the known plug-ins, each once.
#pragma once

#include <windows.h>

#include "PlugInSlot.h"

// Keys of entry i of the table, numbered from 0 in table order.
#define PLUGIN_USE_KEY "PlugInUse%02d"
#define PLUGIN_ORDER_KEY "PlugInOrder%02d"

// One plug-in as the settings file lists it.
struct PlugInEntry {
    const char* FileName;
    DWORD Use;
};

// 1 when name is exactly (case-sensitively) the file name of a known plug-in.
int IsKnownPlugIn(const char* name);
// Fills table (PLUGIN_SLOT_COUNT slots, zeroed first) with the known plug-ins of entries in their order, each once
// (its first listing counts), then with every known plug-in not listed, with use 0.
void NormalizePlugInTable(PlugInSlot* table, const PlugInEntry* entries, int count);
