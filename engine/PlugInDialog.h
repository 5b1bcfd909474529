// The plug-in information dialog of the language module (template 119): the plug-in table as a checked list with
// each plug-in's version, the load order moved up and down, "設定" and "アップデート".
#pragma once

#include <windows.h>

#include "PlugInSlot.h"

class EnvData;

// Results of ShowPlugInDlg.
#define PLUGIN_DLG_SET 1
#define PLUGIN_DLG_CLOSED 2
#define PLUGIN_DLG_UPDATE 4

extern "C" {
// Shows the caller's table over owner. PLUGIN_DLG_SET after "設定" and PLUGIN_DLG_UPDATE after "アップデート" (the
// table then holds the new order and use flags; for the update, command 505 is posted to the main window);
// PLUGIN_DLG_CLOSED after "キャンセル", for a null table or record, or while the dialog is open already.
int ShowPlugInDlg(HWND owner, EnvData* env, PlugInSlot* table);
}
