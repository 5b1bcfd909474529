// The print plug-in (PlugIn\DaylensPrint.dll): its own exports besides the common plug-in set. The host reaches
// the print dialog through the plug-in's menu item.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

class EnvData;
struct MemoSettings;
struct MemorialSettings;

#define PRINT_MODULE_EXPORTS(X)                                                                                  \
    /* The modal print dialog; the arguments are not used. */                                                   \
    X(PrintOpen, int, (void* unused, int unused2, int unused3))                                                  \
    /* Copies the records that are given, then opens the print dialog. */                                        \
    X(PrintOpen2, int, (void* unused, EnvData* env, MemoSettings* memo, MemorialSettings* memorial))            \
    X(PrintSetEnv, int, (EnvData * env, MemoSettings* memo))

namespace PrintModule {

PRINT_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(PRINT_MODULE_EXPORTS)

// Every name the DLL exports: its own, the shared plug-in exports it has, and the holiday and era routines of the
// calendar engine that it carries for other plug-ins.
constexpr const char* kDllExportNames[] = {
    "PrintOpen", "PrintOpen2", "PrintSetEnv", "CheckHoliday", "LoadHoliday", "GetWareki", "YearString",
    "GetCreator", "GetDate", "GetMajorVersion", "GetMinorVersion", "LxActivate", "LxGetOnce", "LxPlugInMenuInfo",
    "LxPlugInMenuInfoLang", "LxPlugInRunMenu", "LxSetPlugIn",
};
constexpr int kDllExportCount = (int)(sizeof(kDllExportNames) / sizeof(kDllExportNames[0]));

}  // namespace PrintModule
