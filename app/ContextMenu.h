// The calendar's right-click menu, built from the program's commands and the plug-in menu table.
#pragma once

class EnvData;

// Builds the context menu and its submenus again into env's menu fields, with the plug-in items of
// env->PlugInMenuItems.
void RebuildContextMenu(EnvData* env);
