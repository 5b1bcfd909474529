// Check marks and enabled state of menu items, by command id.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Checks (checked 1) or clears the item's check mark, keeping its other state; 0 for a null menu or a missing item.
int SetMenuItemCheck(HMENU menu, UINT commandId, int checked);
// Enables (enabled 1) or disables the item, keeping its check mark; 0 for a null menu or a missing item.
int SetMenuItemEnable(HMENU menu, UINT commandId, int enabled);

#ifdef __cplusplus
}
#endif
