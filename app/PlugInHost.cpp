#include "PlugInHost.h"

#include <stdio.h>
#include <string.h>

#include "ContextMenu.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "MainWindow.h"
#include "MiniMemoModule.h"
#include "PlugInMenuTable.h"
#include "PlugInModule.h"
#include "PopupWatch.h"
#include "Program.h"
#include "StrUtil.h"
#include "ToolBarModule.h"
#include "Trace.h"

namespace {

using namespace PlugInModule;

const DWORD kSettleAfterLoadMs = 100;  // lets a plug-in's own window thread come up
const DWORD kSettleAfterCloseMs = 10;

// The start-up steps after the slots.
enum StartStep {
    STEP_MENU = 101,
    STEP_TOOLBAR,
    STEP_RUN_ONCE,
    STEP_WATCHER,
    STEP_DONE,
};

// One plug-in's item list as it last answered while loaded: the menu keeps the items of a plug-in that is loaded
// only for calls.
struct ItemList {
    char FileName[PLUGIN_FILE_NAME_SIZE];  // empty: a free entry
    char* Texts;                           // heap; null when the plug-in has no items
    int Size;
    int Count;
};

struct Host {
    Host() { InitializeCriticalSection(&Lock); }
    CRITICAL_SECTION Lock;
    int Users[PLUGIN_SLOT_COUNT];           // references handed out by AcquirePlugIn
    HMODULE CallModule[PLUGIN_SLOT_COUNT];  // the library those references hold
    ItemList Lists[PLUGIN_SLOT_COUNT];
    int Step;
};

Host& TheHost()
{
    static Host host;
    return host;
}

class SlotLock {
public:
    SlotLock() { EnterCriticalSection(&TheHost().Lock); }
    ~SlotLock() { LeaveCriticalSection(&TheHost().Lock); }
    SlotLock(const SlotLock&) = delete;
    SlotLock& operator=(const SlotLock&) = delete;
};

PlugInSlot* Slots()
{
    return g_program.PlugInSlots;
}

int SlotIndex(const PlugInSlot* slot)
{
    ptrdiff_t index = slot - Slots();
    return slot && index >= 0 && index < PLUGIN_SLOT_COUNT ? (int)index : -1;
}

bool HasName(int index)
{
    return index < PLUGIN_SLOT_COUNT && Slots()[index].FileName[0] != '\0';
}

int FindSlot(const char* fileName)
{
    for (int i = 0; HasName(i); i++) {
        if (StrEqual(Slots()[i].FileName, fileName, 1))
            return i;
    }
    return -1;
}

// The plug-in folder first, then the library search by the bare name.
HMODULE LoadSlotLibrary(const PlugInSlot* slot)
{
    HMODULE module = nullptr;
    char path[MAX_PATH * 2];
    int length = snprintf(path, sizeof(path), "%s\\%s", NonNullStr(g_program.PlugInDir), slot->FileName);
    if (g_program.PlugInDir && length > 0 && length < (int)sizeof(path))
        module = LoadLibraryA(path);
    if (!module)
        module = LoadLibraryA(slot->FileName);
    if (!module)
        Trace("plug-in %s does not load (error %lu)", slot->FileName, GetLastError());
    return module;
}

// With close, the plug-in's LxClose first: it is the library's last reference.
void CloseAndFree(HMODULE module, bool close)
{
    auto closePlugIn = close ? FindExport(module, kLxClose) : nullptr;
    if (closePlugIn) {
        closePlugIn();
        Sleep(kSettleAfterCloseMs);
    }
    FreeLibrary(module);
}

// Under the slot lock: gives up the slot's own reference.
void UnloadSlotLocked(int index)
{
    PlugInSlot& slot = Slots()[index];
    HMODULE module = slot.Module;
    slot.Module = nullptr;
    if (module)
        CloseAndFree(module, TheHost().Users[index] == 0);
}

void ForgetModule(EnvData* env, HMODULE module)
{
    if (env && env->ToolBarModule == module)
        env->ToolBarModule = nullptr;
    if (env && env->MiniMemoModule == module)
        env->MiniMemoModule = nullptr;
}

ItemList* FindList(const char* fileName)
{
    for (ItemList& list : TheHost().Lists) {
        if (list.FileName[0] && StrEqual(list.FileName, fileName, 1))
            return &list;
    }
    return nullptr;
}

void FreeList(ItemList* list)
{
    if (list->Texts)
        HeapFree(GetProcessHeap(), 0, list->Texts);
    memset(list, 0, sizeof(*list));
}

// Asks the loaded plug-in for its items and keeps the answer under its file name, replacing an earlier one.
void KeepItemList(const PlugInSlot* slot, HMODULE module, const char* language)
{
    auto infoLang = FindExport(module, kLxPlugInMenuInfoLang);
    auto info = infoLang ? nullptr : FindExport(module, kLxPlugInMenuInfo);
    ItemList* list = FindList(slot->FileName);
    for (ItemList& unused : TheHost().Lists) {
        if (!list && !unused.FileName[0])
            list = &unused;
    }
    if (!list)
        return;
    FreeList(list);
    SafeStrCpy(list->FileName, sizeof(list->FileName), slot->FileName);
    if (!infoLang && !info)
        return;
    int size = -1;
    if (infoLang)
        infoLang(nullptr, &size, language);
    else
        info(nullptr, &size);
    if (size <= 0)
        return;
    // Two more NUL bytes than asked for: a list without its closing NUL still ends.
    char* texts = (char*)AllocZeroed((size_t)size + 2);
    if (!texts)
        return;
    int count = infoLang ? infoLang(texts, &size, language) : info(texts, &size);
    if (count <= 0) {
        HeapFree(GetProcessHeap(), 0, texts);
        return;
    }
    list->Texts = texts;
    list->Size = size;
    list->Count = count;
}

void LoadStartSlot(EnvData* env, int index)
{
    PlugInSlot& slot = Slots()[index];
    if (slot.Use != 1)
        return;
    HMODULE module = PlugInSlotLoad(&slot, 1);
    if (strcmp(slot.FileName, kToolBar) == 0)
        env->ToolBarModule = module;
    else if (strcmp(slot.FileName, kPopupView) == 0)
        env->PopupViewSlot = index;
    else if (strcmp(slot.FileName, kMiniMemo) == 0)
        env->MiniMemoModule = module;
}

// Plug-ins that answer LxGetOnce with 1 are unloaded and from now on loaded only around each call.
void UnloadRunOncePlugIns(EnvData* env)
{
    for (int i = 0; HasName(i); i++) {
        PlugInSlot& slot = Slots()[i];
        if (slot.Use != 1 || !slot.Module)
            continue;
        slot.RunOnce = 0;
        auto getOnce = FindExport(slot.Module, kLxGetOnce);
        if (!getOnce || getOnce() != 1)
            continue;
        slot.RunOnce = 1;
        HMODULE module = slot.Module;
        {
            SlotLock lock;
            UnloadSlotLocked(i);
        }
        ForgetModule(env, module);
    }
}

// Loading the mini memo shows it: the plug-in starts its window when told so, never while it is being loaded.
void StartLoadedMiniMemo(const PlugInSlot* slot, HMODULE module)
{
    if (!StrEqual(slot->FileName, kMiniMemo, 1))
        return;
    auto start = FindExport(module, MiniMemoModule::kMiniMemoStart);
    if (start)
        start(nullptr);
}

void ArmNextStep(HWND window, UINT delayMs)
{
    SetTimer(window, TIMER_PLUGIN_START, delayMs, nullptr);
}

}  // namespace

HMODULE AcquirePlugIn(int index, int load)
{
    if (index < 0 || index >= PLUGIN_SLOT_COUNT)
        return nullptr;
    Host& host = TheHost();
    SlotLock lock;
    PlugInSlot& slot = Slots()[index];
    HMODULE held = slot.Module ? slot.Module : host.CallModule[index];
    HMODULE module = nullptr;
    if (held) {
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, (LPCSTR)held, &module))
            module = nullptr;
    } else if (load == 1 && slot.Use == 1 && slot.FileName[0]) {
        module = LoadSlotLibrary(&slot);
    }
    if (module) {
        host.Users[index]++;
        host.CallModule[index] = module;
    }
    return module;
}

void ReleasePlugIn(int index, HMODULE module)
{
    if (index < 0 || index >= PLUGIN_SLOT_COUNT || !module)
        return;
    Host& host = TheHost();
    SlotLock lock;
    bool last = false;
    if (--host.Users[index] <= 0) {
        host.Users[index] = 0;
        host.CallModule[index] = nullptr;
        last = Slots()[index].Module == nullptr;
    }
    CloseAndFree(module, last);
}

HMODULE PlugInSlotLoad(PlugInSlot* slot, int load)
{
    int index = SlotIndex(slot);
    if (index < 0)
        return nullptr;
    HMODULE loaded = nullptr;
    HMODULE result = nullptr;
    {
        SlotLock lock;
        if (load == 1 && slot->Use == 1 && !slot->Module)
            slot->Module = loaded = LoadSlotLibrary(slot);
        else if (slot->Module && (load != 1 || slot->Use != 1))
            UnloadSlotLocked(index);
        result = slot->Module;
    }
    if (loaded) {
        StartLoadedMiniMemo(slot, loaded);
        Sleep(kSettleAfterLoadMs);
    }
    return result;
}

HMODULE PlugInLoadByName(PlugInSlot* table, const char* fileName, int load)
{
    if (table != Slots())
        return nullptr;
    int index = FindSlot(fileName);
    return index >= 0 ? PlugInSlotLoad(&Slots()[index], load) : nullptr;
}

int PlugInLoadAll(int load)
{
    EnvData* env = g_program.Env;
    for (int i = 0; HasName(i); i++) {
        PlugInSlot* slot = &Slots()[i];
        DWORD start = GetTickCount();
        bool unloading = load != 1 && slot->Module;
        if (StrEqual(slot->FileName, kToolBar, 1)) {
            HMODULE module = PlugInSlotLoad(slot, load);
            if (env)
                env->ToolBarModule = module;
        } else if (StrEqual(slot->FileName, kMiniMemo, 1)) {
            HMODULE module = PlugInSlotLoad(slot, load);
            if (env)
                env->MiniMemoModule = module;
        } else if (StrEqual(slot->FileName, kPopupView, 1)) {
            // The memo watcher goes before its plug-in.
            if (load != 1)
                StopPopupWatch();
            PlugInSlotLoad(slot, load);
            if (env)
                env->PopupViewSlot = i;
        } else {
            PlugInSlotLoad(slot, load);
        }
        if (unloading)
            Trace("plug-in %s unloaded in %lu ms", slot->FileName, GetTickCount() - start);
        if (load != 1)
            Sleep(kSettleAfterCloseMs);
    }
    return 1;
}

int ShutdownPlugIns()
{
    // The watcher first, also when its plug-in is not loaded: it loads it for each popup.
    int watcherEnded = StopPopupWatch();
    PlugInLoadAll(0);
    Host& host = TheHost();
    SlotLock lock;
    for (ItemList& list : host.Lists)
        FreeList(&list);
    host.Step = 0;
    return watcherEnded;
}

int StartPlugInsStep(HWND window, EnvData* env)
{
    Host& host = TheHost();
    if (!env)
        return 1;
    if (host.Step < STEP_MENU) {
        if (host.Step >= PLUGIN_SLOT_COUNT || !HasName(host.Step)) {
            host.Step = STEP_MENU;
            ArmNextStep(window, TIMER_PLUGIN_MENU_MS);
            return 1;
        }
        LoadStartSlot(env, host.Step);
        host.Step++;
        ArmNextStep(window, TIMER_PLUGIN_START_MS);
        return 1;
    }
    switch (host.Step) {
    case STEP_MENU:
        BuildPlugInMenu(env);
        break;
    case STEP_TOOLBAR: {
        // The menu table exists by now: the toolbar names its plug-in buttons from it.
        auto autoStart = FindExport(env->ToolBarModule, ToolBarModule::kToolBarAutoStart);
        if (autoStart)
            autoStart(window);
        break;
    }
    case STEP_RUN_ONCE:
        UnloadRunOncePlugIns(env);
        break;
    case STEP_WATCHER:
        StartPopupWatch(env);
        host.Step = STEP_DONE;
        return 1;
    default:
        return 1;
    }
    host.Step++;
    ArmNextStep(window, TIMER_PLUGIN_STEP_MS);
    return 1;
}

int BuildPlugInMenu(EnvData* env)
{
    if (!env || !env->PlugInMenuItems)
        return 0;
    PlugInMenuItem* table = env->PlugInMenuItems;
    memset(table, 0, PLUGIN_MENU_ITEM_COUNT * sizeof(PlugInMenuItem));
    int used = 0;
    for (int i = 0; HasName(i); i++) {
        PlugInSlot* slot = &Slots()[i];
        if (slot->Use != 1)
            continue;
        HMODULE module = AcquirePlugIn(i, 0);
        if (module) {
            KeepItemList(slot, module, env->LanguageName);
            ReleasePlugIn(i, module);
        }
        const ItemList* list = FindList(slot->FileName);
        if (list && list->Texts)
            used = AddPlugInMenuItems(table, used, slot, list->Texts, list->Size, list->Count);
    }
    for (int i = 0; HasName(i); i++) {
        HMODULE module = AcquirePlugIn(i, 0);
        auto setMenu = FindExport(module, kLxSetPlugInMenu);
        if (setMenu)
            setMenu(table);
        ReleasePlugIn(i, module);
    }
    RebuildContextMenu(env);
    return 1;
}

int RunPlugInCommand(HWND window, EnvData* env, int command)
{
    if (!env || !env->PlugInMenuItems)
        return 1;
    const PlugInMenuItem* entry = nullptr;
    for (int i = 0; i < PLUGIN_MENU_ITEM_COUNT && !entry; i++) {
        if (env->PlugInMenuItems[i].Command == (DWORD)command)
            entry = &env->PlugInMenuItems[i];
    }
    if (!entry)
        return 1;
    // The call may rebuild the table (the settings applied from a plug-in's dialog).
    int item = (int)entry->Item;
    int index = FindSlot(entry->FileName);
    DWORD start = GetTickCount();
    HMODULE module = AcquirePlugIn(index, 1);
    auto runMenu = FindExport(module, kLxPlugInRunMenu);
    if (runMenu)
        runMenu(window, item);
    ReleasePlugIn(index, module);
    // How long the calendar was held, for a plug-in whose item does not return at once.
    Trace("plug-in command %d ran %lu ms", command, GetTickCount() - start);
    return 1;
}

void FindNamedPlugIns(EnvData* env)
{
    if (!env)
        return;
    int toolBar = FindSlot(kToolBar);
    int miniMemo = FindSlot(kMiniMemo);
    env->ToolBarModule = toolBar >= 0 ? Slots()[toolBar].Module : nullptr;
    env->MiniMemoModule = miniMemo >= 0 ? Slots()[miniMemo].Module : nullptr;
    env->PopupViewSlot = FindSlot(kPopupView);
}

int ActivatePlugIns()
{
    for (int i = 0; HasName(i); i++) {
        HMODULE module = AcquirePlugIn(i, 0);
        auto activate = FindExport(module, kLxActivate);
        if (activate)
            activate();
        ReleasePlugIn(i, module);
    }
    return 1;
}
