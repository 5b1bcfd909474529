// Check marks and enabled state of menu items, by command id, and the end of a menu tree.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Checks (checked 1) or clears the item's check mark, keeping its other state; 0 for a null menu or a missing item.
int SetMenuItemCheck(HMENU menu, UINT commandId, int checked);
// Enables (enabled 1) or disables the item, keeping its check mark; 0 for a null menu or a missing item.
int SetMenuItemEnable(HMENU menu, UINT commandId, int enabled);
// Destroys *root with every submenu it holds, and each of the count menus *others[i] that the tree does not hold;
// each handle is destroyed once (a menu destroyed twice may already be another menu) and every field becomes null.
void DestroyMenuTree(HMENU* root, HMENU* const* others, int count);

#ifdef __cplusplus
}
#endif
