#include "ContextMenu.h"

void RebuildContextMenu(EnvData* env)
{
    // LATER: the menus, from the language module's texts and the plug-in menu table.
}
