// Modules that no part of Daylens provides but that the calendar takes when a user has them: a power plug-in that
// brings the shut-down submenu and a launcher that brings its own submenu. Every export is optional.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

#define POWER_MODULE_EXPORTS(X)                                              \
    /* The power submenu; its commands are 9001 onward. */                   \
    X(CreatePowerPopup, HMENU, (void))

#define LAUNCHER_MODULE_EXPORTS(X)                                           \
    /* The launcher submenu; its commands are 10101, 10102 and 20000 on. */  \
    X(LauncherCreate, HMENU, (void))

namespace PowerModule {
POWER_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
}  // namespace PowerModule

namespace LauncherModule {
LAUNCHER_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
}  // namespace LauncherModule
