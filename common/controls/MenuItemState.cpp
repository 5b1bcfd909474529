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

}  // extern "C"
