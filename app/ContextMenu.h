// The calendar's context menu as the main program keeps it: built through the language module, its check marks
// refreshed after the placement commands, and destroyed once at shut-down.
#pragma once

class EnvData;

// Destroys the old menus (each once) and has the language module build the menus and the plug-in menu table again;
// without the module or its export the old menus stay.
void RebuildContextMenu(EnvData* env);
// The placement items' check marks from WindowFix and WindowOrder.
void RefreshContextMenuChecks(EnvData* env);
// Destroys every menu of env and clears the fields.
void DestroyContextMenu(EnvData* env);
