// The popup-view plug-in (PlugIn\DaylensPopupView.dll): its own exports besides the common plug-in set. The
// program's memo watcher opens one popup at a time through PopupViewOpen, which runs modally on its thread.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

#define POPUPVIEW_MODULE_EXPORTS(X)                                                                              \
    /* A popup of up to two headed texts for date (null: no date title); returns when it is closed. */           \
    X(PopupViewOpen, int,                                                                                        \
      (HWND host, const char* heading1, const char* body1, const char* heading2, const char* body2,              \
       const SYSTEMTIME* date))                                                                                  \
    X(PopupViewSetData, int, (const char* heading, const char* body))                                            \
    X(PopupViewSet, int, (HWND owner))                                                                           \
    X(PopupViewClose, int, (void))

namespace PopupViewModule {

POPUPVIEW_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(POPUPVIEW_MODULE_EXPORTS)

}  // namespace PopupViewModule
