#include "ContextMenu.h"

#include <stdio.h>
#include <string.h>

#include "ContextMenuRules.h"
#include "DaylensIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "LanguageResources.h"
#include "MenuItemState.h"
#include "OutsideModule.h"
#include "PlugInMenuTable.h"
#include "PlugInModule.h"
#include "StrUtil.h"
#include "Trace.h"

namespace {

const int kSeparator = 0;
const int kMenuTextSize = 1024;

const int kToolsItems[] = {IDM_MEMO_SETTINGS, kSeparator, IDM_MEMORIAL, IDM_MEMORIAL_ADD, kSeparator, IDM_MY_HOLIDAY,
                           kSeparator, IDM_WALLPAPER, IDM_WALLPAPER_EXIT};
const int kOptionsItems[] = {IDM_YEAR_BACK, IDM_3MONTHS_BACK, IDM_MONTH_BACK, IDM_THIS_MONTH, IDM_MONTH_NEXT,
                             IDM_3MONTHS_NEXT, IDM_YEAR_NEXT, kSeparator, IDM_WINDOW_FIX, IDM_TOPMOST, IDM_BOTTOMMOST,
                             kSeparator, IDM_INITIAL_POSITION, IDM_REDRAW};
const int kPlugInTailItems[] = {IDM_PLUGIN_INFO, IDM_PLUGIN_ACTIVATE, IDM_PLUGIN_UPDATE};
const int kMainHeadItems[] = {IDM_DAY_MEMO, IDM_REPEAT_MEMO, IDM_PERIOD_MEMO, kSeparator, IDM_SETTINGS, kSeparator};
const int kMainTailItems[] = {kSeparator, IDM_VERSION, IDM_UPDATE, IDM_HELP, kSeparator, IDM_EXIT};
const int kPlacementItems[] = {IDM_WINDOW_FIX, IDM_TOPMOST, IDM_BOTTOMMOST};

template <int N>
constexpr int CountOf(const int (&)[N])
{
    return N;
}

void AppendText(HMENU menu, UINT command, const char* text, int isDefault)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
    info.fType = MFT_STRING;
    info.fState = isDefault ? MFS_DEFAULT : 0;
    info.wID = command;
    info.dwTypeData = const_cast<char*>(text);
    InsertMenuItemA(menu, (UINT)GetMenuItemCount(menu), TRUE, &info);
}

// Items by command number, 0 for a separator; the one that is defaultCommand is the menu's default.
void AppendItems(HMENU menu, const int* items, int count, int defaultCommand)
{
    for (int i = 0; i < count; i++) {
        if (items[i] == kSeparator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        char text[kMenuTextSize] = "";
        LoadStringA(EngineInstance(), (UINT)MenuTextId(items[i]), text, sizeof(text));
        AppendText(menu, (UINT)items[i], text, items[i] == defaultCommand);
    }
}

void AppendSubmenu(HMENU menu, HMENU submenu, int textId)
{
    if (!submenu)
        return;
    char text[kMenuTextSize] = "";
    LoadStringA(EngineInstance(), (UINT)textId, text, sizeof(text));
    AppendMenuA(menu, MF_POPUP | MF_STRING, (UINT_PTR)submenu, text);
}

HMENU CreateItemMenu(const int* items, int count, int defaultCommand)
{
    HMENU menu = CreatePopupMenu();
    if (menu)
        AppendItems(menu, items, count, defaultCommand);
    return menu;
}

// The power plug-in's submenu, from its slot's module or from the module loaded for the moment.
HMENU CreatePowerMenu(const EnvData* env)
{
    if (env->UseShutdownMenu != 1 || !env->PlugInSlots || env->PowerSlot < 0 || env->PowerSlot >= PLUGIN_SLOT_COUNT)
        return nullptr;
    const PlugInSlot* slot = &env->PlugInSlots[env->PowerSlot];
    if (slot->Use != 1 || !slot->FileName[0])
        return nullptr;
    HMODULE module = slot->Module;
    HMODULE loaded = nullptr;
    if (!module) {
        char path[MAX_PATH + PLUGIN_FILE_NAME_SIZE];
        snprintf(path, sizeof(path), "%s\\%s", NonNullStr(EnginePlugInDir()), slot->FileName);
        module = loaded = LoadLibraryA(path);
        if (!module)
            Trace("context menu: the power plug-in %s does not load", path);
    }
    auto create = FindExport(module, PowerModule::kCreatePowerPopup);
    HMENU menu = create ? create() : nullptr;
    if (loaded)
        FreeLibrary(loaded);
    return menu;
}

void HandTableToPlugIns(PlugInSlot* slots, PlugInMenuItem* table)
{
    if (!slots || !table)
        return;
    for (int i = 0; i < PLUGIN_SLOT_COUNT && slots[i].FileName[0]; i++) {
        auto setMenu = FindExport(slots[i].Module, PlugInModule::kLxSetPlugInMenu);
        if (setMenu)
            setMenu(table);
    }
}

HMENU CreateLauncherMenu(const EnvData* env)
{
    auto create = FindExport(env->LauncherModule, LauncherModule::kLauncherCreate);
    return create ? create() : nullptr;
}

void DestroyMenus(EnvData* env)
{
    HMENU* submenus[] = {&env->ToolsMenu, &env->OptionsMenu, &env->PowerMenu, &env->PlugInMenu, &env->TrayMenu};
    DestroyMenuTree(&env->ContextMenu, submenus, (int)(sizeof(submenus) / sizeof(submenus[0])));
}

HMENU CreateMainMenu(const EnvData* env, int defaultCommand)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    AppendItems(menu, kMainHeadItems, CountOf(kMainHeadItems), defaultCommand);
    AppendSubmenu(menu, env->ToolsMenu, IDS_SUBMENU_TOOLS);
    AppendSubmenu(menu, env->PlugInMenu, IDS_SUBMENU_PLUGIN);
    AppendSubmenu(menu, env->OptionsMenu, IDS_SUBMENU_OPTIONS);
    if (env->UseShutdownMenu == 1)
        AppendSubmenu(menu, env->PowerMenu, IDS_SUBMENU_POWER);
    AppendSubmenu(menu, env->TrayMenu, IDS_SUBMENU_LAUNCHER);
    AppendItems(menu, kMainTailItems, CountOf(kMainTailItems), defaultCommand);
    return menu;
}

}  // namespace

char* QueryPlugInMenuTexts(const PlugInSlot* slot, const char* language, int* size, int* count)
{
    *size = -1;
    *count = 0;
    auto infoLang = FindExport(slot->Module, PlugInModule::kLxPlugInMenuInfoLang);
    auto info = infoLang ? nullptr : FindExport(slot->Module, PlugInModule::kLxPlugInMenuInfo);
    if (!infoLang && !info)
        return nullptr;
    if (infoLang)
        infoLang(nullptr, size, language);
    else
        info(nullptr, size);
    if (*size <= 0)
        return nullptr;
    // Two zero bytes more than asked for end the list even when the plug-in writes all it asked for.
    char* texts = (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (SIZE_T)*size + 2);
    if (!texts) {
        Trace("context menu: no memory for the items of %s", slot->FileName);
        return nullptr;
    }
    *count = infoLang ? infoLang(texts, size, language) : info(texts, size);
    return texts;
}

HMENU CreatePlugInMenu(PlugInMenuItem* table, PlugInSlot* slots, const char* language, PlugInMenuTextsFn textsOf)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    // A plug-in that runs only for its command is not loaded at a rebuild: its entries come from the table as it
    // stood, so its items stay in the menu.
    PlugInMenuItem* kept = nullptr;
    if (table) {
        kept = (PlugInMenuItem*)HeapAlloc(GetProcessHeap(), 0, sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
        if (kept)
            memcpy(kept, table, sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
        memset(table, 0, sizeof(PlugInMenuItem) * PLUGIN_MENU_ITEM_COUNT);
    }
    int used = 0;
    for (int i = 0; table && slots && i < PLUGIN_SLOT_COUNT && slots[i].FileName[0]; i++) {
        if (slots[i].Use != 1)
            continue;
        int first = used;
        int reported = 0;
        if (slots[i].Module) {
            int size = 0;
            char* texts = textsOf(&slots[i], language, &size, &reported);
            if (!texts)
                continue;
            used = AddPlugInMenuItems(table, used, &slots[i], texts, size, reported);
            HeapFree(GetProcessHeap(), 0, texts);
        } else if (kept) {
            used = KeepPlugInMenuItems(table, used, &slots[i], kept);
            reported = used - first;
        }
        // A plug-in that reports items is set apart from the items before it, even when the table has no room
        // left for its own.
        if (first > 0 && reported > 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        for (int t = first; t < used; t++)
            AppendText(menu, table[t].Command, table[t].Text, 0);
    }
    if (kept)
        HeapFree(GetProcessHeap(), 0, kept);
    if (used > 0)
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendItems(menu, kPlugInTailItems, CountOf(kPlugInTailItems), 0);
    return menu;
}

extern "C" {

int DaylensCreatePopup(EnvData* env)
{
    if (!env)
        return 0;
    DestroyMenus(env);
    int defaultCommand = MenuDefaultCommand(env->DoubleClick);
    env->ToolsMenu = CreateItemMenu(kToolsItems, CountOf(kToolsItems), 0);
    env->OptionsMenu = CreateItemMenu(kOptionsItems, CountOf(kOptionsItems), defaultCommand);
    env->PowerMenu = CreatePowerMenu(env);
    env->PlugInMenu = CreatePlugInMenu(env->PlugInMenuItems, env->PlugInSlots, NonNullStr(env->LanguageName),
                                       QueryPlugInMenuTexts);
    HandTableToPlugIns(env->PlugInSlots, env->PlugInMenuItems);
    env->TrayMenu = CreateLauncherMenu(env);
    env->ContextMenu = CreateMainMenu(env, defaultCommand);
    DaylensCheckMenuAll(env);
    return 1;
}

int DaylensCheckMenuAll(EnvData* env)
{
    if (!env)
        return 0;
    for (int command : kPlacementItems)
        SetMenuItemCheck(env->OptionsMenu, (UINT)command, PlacementChecked(command, env->WindowFix, env->WindowOrder));
    return 1;
}

}  // extern "C"
