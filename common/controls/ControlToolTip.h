// Tooltips for dialog controls. The program's manifest selects Common Controls 6 (CommonControls6.manifest).
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Tooltip window owned by the control (controlId 0 or less: the dialog itself) showing text over its client
// area, balloon-shaped when balloon is 1; null for a null text, a missing control or failure.
// The tooltip is destroyed with its owner, or earlier by DestroyWindow.
HWND CreateControlToolTip(HINSTANCE instance, HWND dialog, int controlId, const char* text, int balloon);
// The same with the text from instance's string table; null when the string is missing.
HWND CreateControlToolTipFromResource(HINSTANCE instance, HWND dialog, int controlId, UINT stringId, int balloon);

#ifdef __cplusplus
}
#endif
