// The calendar window's tooltip control across passes: kept while its balloon style and width still fit and only
// emptied of the last pass's tools, made anew (CreateToolTip) otherwise, and fed the window's mouse messages.
#pragma once

#include <windows.h>

class EnvData;

// Readies the control for a pass that adds tools: ToolCount and ToolIds start empty.
void BeginToolTipPass(EnvData* env);
// Removes the control and its tools.
void DropToolTips(EnvData* env);
// Hands a mouse message of the calendar window to the control, which shows the tip of the tool under the pointer.
void RelayToolTipMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
