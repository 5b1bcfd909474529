// The plug-ins of the program: the slots of the plug-in table loaded and unloaded, the staged start on timer 5009,
// the plug-in menu table, the plug-in commands, and the unloading at shut-down.
//
// A slot's module is loaded and unloaded under one lock. Whoever calls into a plug-in holds a reference of its own
// (AcquirePlugIn) for the length of the call, so that no other user can free the library under it; a plug-in that
// was loaded only for calls gets LxClose before its last reference goes.
#pragma once

#include <windows.h>

#include "PlugInSlot.h"

class EnvData;

// Loads (load 1) the slot's plug-in when its use is 1 and it is not loaded, or unloads it (LxClose when exported)
// when it is loaded and load is not 1 or its use is not 1. The slot's module after the call.
HMODULE PlugInSlotLoad(PlugInSlot* slot, int load);
// PlugInSlotLoad for the first slot of table named fileName (ignoring case); null when there is none.
HMODULE PlugInLoadByName(PlugInSlot* table, const char* fileName, int load);
// PlugInSlotLoad for every slot up to the first without a name, keeping the toolbar, mini-memo and popup-view
// fields of the settings record; 1.
int PlugInLoadAll(int load);
// Stops the memo watcher, unloads every plug-in and forgets the item lists and the start-up step. 1; 0 when the
// watcher did not end in time, so that nothing it reads may be freed.
int ShutdownPlugIns();

// One step of the plug-in start on timer TIMER_PLUGIN_START: each in-use slot loaded in turn, then the menu table,
// the toolbar's auto-start, the unloading of the plug-ins that load only for a call and the start of the memo
// watcher. Arms the timer for the next step; 1.
int StartPlugInsStep(HWND window, EnvData* env);
// The plug-in menu table again from the item lists of the in-use plug-ins (kept from their first load when they
// are not loaded now), handed to the plug-ins that take it, then the context menu; 1, 0 without a table.
int BuildPlugInMenu(EnvData* env);
// Commands 8001-8256: the plug-in item of that number, its plug-in loaded for the call when it is not loaded; 1.
int RunPlugInCommand(HWND window, EnvData* env, int command);
// Command 507: LxActivate of every loaded plug-in; 1.
int ActivatePlugIns();
// After the table's order changed: the toolbar, mini-memo and popup-view slots of the record found again by name.
void FindNamedPlugIns(EnvData* env);

// A reference of its own to the plug-in of slot index: its loaded module counted up, or, with load 1 and use 1,
// the library loaded for the call. Null when there is none. Give it back with ReleasePlugIn.
HMODULE AcquirePlugIn(int index, int load);
void ReleasePlugIn(int index, HMODULE module);
