// Modules that no part of Daylens provides but that the calendar takes when a user has them: a power plug-in that
// brings the shut-down submenu and runs its commands, a launcher that brings its own submenu, runs and draws its
// items, and a handler of files dropped on the calendar. Every export is optional.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "ModuleExport.h"

#define POWER_MODULE_EXPORTS(X)                                              \
    /* The power submenu; its commands are 9001 onward. */                   \
    X(CreatePowerPopup, HMENU, (void))                                      \
    /* Runs power item 0-8 (shut down, restart, standby, ...). */            \
    X(LxPlugInRunMenuEx, int, (HWND window, int item))

#define LAUNCHER_MODULE_EXPORTS(X)                                           \
    /* The launcher submenu; its commands are 10101, 10102 and 20000 on. */  \
    X(LauncherCreate, HMENU, (void))                                         \
    /* Its settings; 1 when something changed. */                            \
    X(LauncherSet, int, (HWND window))                                       \
    X(LauncherOpenBox, int, (HWND window, int flags))                        \
    X(LauncherEnv, int, (HWND window))                                       \
    X(LauncherRun, int, (int command))                                       \
    /* Its owner-drawn menu items. */                                        \
    X(LauncherMeasureItem, int, (LPARAM item))                               \
    X(LauncherMenuDraw, int, (LPARAM item))

#define DROP_MODULE_EXPORTS(X) X(DropFileDropMessage, int, (HWND window, HDROP drop))

namespace PowerModule {
POWER_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
}  // namespace PowerModule

namespace LauncherModule {
LAUNCHER_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
}  // namespace LauncherModule

namespace DropModule {
DROP_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
}  // namespace DropModule
