// The toolbar plug-in (PlugIn\DaylensToolBar.dll): its own exports besides the common plug-in set. The host starts
// it after the plug-ins are loaded and moves it along with the calendar.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

#define TOOLBAR_MODULE_EXPORTS(X)                                                                                \
    /* Prepares the bar and shows it when the user asked for it at start. */                                     \
    X(ToolBarAutoStart, int, (HWND calendar))                                                                    \
    X(ToolBarStart, int, (HWND calendar))                                                                        \
    X(ToolBarClose, int, (void))                                                                                 \
    X(ToolBarSet, int, (HWND owner))                                                                             \
    /* The bar's left and top into position[0] and position[1]; 0 for null. */                                  \
    X(ToolBarGetWindowPos, int, (int* position))                                                                 \
    /* Moves the bar when it exists and follows the calendar. */                                                 \
    X(ToolBarSetWindowPos, int, (int x, int y))

namespace ToolBarModule {

TOOLBAR_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(TOOLBAR_MODULE_EXPORTS)

}  // namespace ToolBarModule
