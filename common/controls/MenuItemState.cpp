#include "MenuItemState.h"

namespace {

// MIIM_STATE sets the whole state, so the other bits are read first and kept.
int ChangeState(HMENU menu, UINT commandId, UINT bits, bool set)
{
    if (!menu)
        return 0;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(menu, commandId, FALSE, &info))
        return 0;
    info.fState = set ? (info.fState | bits) : (info.fState & ~bits);
    return SetMenuItemInfoA(menu, commandId, FALSE, &info) ? 1 : 0;
}

// 1 when menu is root or one of the submenus under it.
bool HoldsMenu(HMENU root, HMENU menu, int depth)
{
    if (!root || depth > 16)
        return false;
    if (root == menu)
        return true;
    int count = GetMenuItemCount(root);
    for (int i = 0; i < count; i++) {
        if (HoldsMenu(GetSubMenu(root, i), menu, depth + 1))
            return true;
    }
    return false;
}

}  // namespace

extern "C" {

int SetMenuItemCheck(HMENU menu, UINT commandId, int checked)
{
    return ChangeState(menu, commandId, MFS_CHECKED, checked != 0);
}

int SetMenuItemEnable(HMENU menu, UINT commandId, int enabled)
{
    return ChangeState(menu, commandId, MFS_DISABLED, enabled == 0);
}

void DestroyMenuTree(HMENU* root, HMENU* const* others, int count)
{
    HMENU tree = root ? *root : nullptr;
    for (int i = 0; i < count; i++) {
        HMENU menu = *others[i];
        if (!menu || HoldsMenu(tree, menu, 0))
            continue;
        bool earlier = false;
        for (int j = 0; j < i; j++)
            earlier = earlier || *others[j] == menu;
        if (!earlier)
            DestroyMenu(menu);
    }
    if (tree)
        DestroyMenu(tree);
    for (int i = 0; i < count; i++)
        *others[i] = nullptr;
    if (root)
        *root = nullptr;
}

}  // extern "C"
