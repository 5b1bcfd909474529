// The mini-memo plug-in (PlugIn\DaylensMiniMemo.dll): its own exports besides the common plug-in set. The host
// calls MiniMemoRedraw after every change of memos, repeating memos or memo settings.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

#define MINIMEMO_MODULE_EXPORTS(X)                                                                               \
    X(MiniMemoStart, int, (HWND reference))                                                                      \
    X(MiniMemoSet, int, (void))                                                                                  \
    X(MiniMemoClose, int, (void))                                                                                \
    /* Reads the memo settings and repeating memos again and repaints. */                                        \
    X(MiniMemoRedraw, int, (void))

namespace MiniMemoModule {

MINIMEMO_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(MINIMEMO_MODULE_EXPORTS)

}  // namespace MiniMemoModule

class EnvData;

// Tells the mini memo to read the memos again and repaint, when that plug-in is loaded.
void RedrawMiniMemo(const EnvData* env);
