// The exports every plug-in may have, with their function types, and the plug-ins the program accepts. Every
// export is optional: the host and the language module look each up by name when they use it.
#pragma once

#include <windows.h>

#include "ModuleExport.h"
#include "PlugInSlot.h"

struct PlugInMenuItem;

#define PLUGIN_EXPORTS(X)                                                                                        \
    /* The plug-in's menu items as NUL-separated texts ending in an empty one; *size < 0 asks for the size. */   \
    X(LxPlugInMenuInfoLang, int, (char* buffer, int* size, const char* language))                               \
    X(LxPlugInMenuInfo, int, (char* buffer, int* size))                                                          \
    /* The whole plug-in menu table (PLUGIN_MENU_ITEM_COUNT entries), for plug-ins that send its commands. */    \
    X(LxSetPlugInMenu, int, (PlugInMenuItem * table))                                                            \
    /* Runs the plug-in's own menu item (from 0) for the calendar window. */                                     \
    X(LxPlugInRunMenu, int, (HWND calendar, int item))                                                           \
    X(LxActivate, int, (void))                                                                                   \
    /* 1: load the plug-in only around each use. */                                                              \
    X(LxGetOnce, int, (void))                                                                                    \
    X(LxClose, int, (void))                                                                                      \
    /* Version x 100, and the minor version. */                                                                  \
    X(GetMajorVersion, int, (void))                                                                              \
    X(GetMinorVersion, int, (void))                                                                              \
    X(LxSetPlugIn, int, (PlugInSlot * table))                                                                    \
    X(LxStart, int, (HWND reference))                                                                            \
    X(LxSet, int, (HWND owner))                                                                                  \
    X(LxCloseOnce, int, (int* closed))                                                                           \
    X(GetCreator, const char*, (void))                                                                           \
    X(GetDate, const char*, (void))

namespace PlugInModule {

PLUGIN_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(PLUGIN_EXPORTS)

// The plug-in folder under the program folder, and the only file names the settings file may list.
constexpr const char kFolder[] = "PlugIn";
constexpr const char kPrint[] = "DaylensPrint.dll";
constexpr const char kPopupView[] = "DaylensPopupView.dll";
constexpr const char kMiniMemo[] = "DaylensMiniMemo.dll";
constexpr const char kToolBar[] = "DaylensToolBar.dll";
constexpr const char kMailCheck[] = "LxMailCheck.dll";  // an outside plug-in

}  // namespace PlugInModule
