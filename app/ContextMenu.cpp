#include "ContextMenu.h"

#include "EnvData.h"
#include "MenuItemState.h"
#include "ModuleBinding.h"

void RebuildContextMenu(EnvData* env)
{
    if (!env)
        return;
    ResourceDllAcquire(1);
    auto createPopup = LanguageProc(LanguageModule::kDaylensCreatePopup);
    if (createPopup) {
        DestroyContextMenu(env);
        createPopup(env);
    }
    ResourceDllAcquire(0);
}

void RefreshContextMenuChecks(EnvData* env)
{
    if (!env)
        return;
    ResourceDllAcquire(1);
    auto checkMenu = LanguageProc(LanguageModule::kDaylensCheckMenuAll);
    if (checkMenu)
        checkMenu(env);
    ResourceDllAcquire(0);
}

// The submenus go with the root that holds them; only one the root does not hold is destroyed on its own.
void DestroyContextMenu(EnvData* env)
{
    if (!env)
        return;
    HMENU* submenus[] = {&env->ToolsMenu, &env->OptionsMenu, &env->PowerMenu, &env->PlugInMenu, &env->TrayMenu};
    DestroyMenuTree(&env->ContextMenu, submenus, (int)(sizeof(submenus) / sizeof(submenus[0])));
}
