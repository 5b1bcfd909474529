#include "OutsideHooks.h"

#include "AppInfo.h"
#include "CalendarRender.h"
#include "ContextMenu.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "Memo.h"
#include "MemoImportExport.h"
#include "OutsideModule.h"
#include "PlugInHost.h"
#include "Program.h"

namespace {

const char kImported[] = "メモをインポートしました";
const UINT kDroppedPathSize = 8192;

void AfterLauncherChange(EnvData* env)
{
    RebuildContextMenu(env);
    SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
}

// The module of slot index for one call (loaded when needed), its export called by call, then given back.
template <typename Fn, typename Call>
void CallSlotExport(int index, ExportName<Fn> name, Call call)
{
    HMODULE module = AcquirePlugIn(index, 1);
    Fn function = FindExport(module, name);
    if (function)
        call(function);
    ReleasePlugIn(index, module);
}

}  // namespace

int RunLauncherCommand(HWND window, EnvData* env, int command)
{
    if (!env || !env->LauncherModule)
        return 1;
    HMODULE launcher = env->LauncherModule;
    if (command == IDM_LAUNCHER_OPEN) {
        auto set = FindExport(launcher, LauncherModule::kLauncherSet);
        auto openBox = FindExport(launcher, LauncherModule::kLauncherOpenBox);
        int changed = set ? set(window) : openBox ? openBox(window, 0) : 0;
        if (changed == 1)
            AfterLauncherChange(env);
    } else if (command == IDM_LAUNCHER_SETTINGS) {
        auto settings = FindExport(launcher, LauncherModule::kLauncherEnv);
        if (settings && settings(window) == 1)
            AfterLauncherChange(env);
    } else if (command >= IDM_LAUNCHER_FIRST && command <= IDM_LAUNCHER_LAST) {
        auto run = FindExport(launcher, LauncherModule::kLauncherRun);
        if (run)
            run(command);
    }
    return 1;
}

void OnLauncherMeasureItem(HWND, EnvData* env, WPARAM wParam, LPARAM lParam)
{
    auto measure = env && wParam == 0 ? FindExport(env->LauncherModule, LauncherModule::kLauncherMeasureItem) : nullptr;
    if (measure)
        measure(lParam);
}

void OnLauncherDrawItem(HWND, EnvData* env, WPARAM wParam, LPARAM lParam)
{
    auto draw = env && wParam == 0 ? FindExport(env->LauncherModule, LauncherModule::kLauncherMenuDraw) : nullptr;
    if (draw)
        draw(lParam);
}

int RunPowerCommand(HWND window, EnvData* env, int command)
{
    if (!env || !env->PlugInSlots || env->PowerSlot < 0 || env->PowerSlot >= PLUGIN_SLOT_COUNT ||
        env->PlugInSlots[env->PowerSlot].Use != 1)
        return 1;
    CallSlotExport(env->PowerSlot, PowerModule::kLxPlugInRunMenuEx,
                   [&](PowerModule::LxPlugInRunMenuEx run) { run(window, command - IDM_POWER_FIRST); });
    return 1;
}

int OnDropFiles(HWND window, EnvData* env, HDROP drop)
{
    if (!env || env->DropSlot < 0) {
        DragFinish(drop);
        return 0;
    }
    char* path = (char*)AllocZeroed(kDroppedPathSize);
    int imported = 0;
    UINT count = path ? DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) : 0;
    MemoExchangePlace place = {&g_memoSettings, window, g_program.Info ? g_program.Info->GetProgramDir() : nullptr};
    MemoImportTally tally = {};
    for (UINT i = 0; i < count; i++) {
        if (DragQueryFileA(drop, i, path, kDroppedPathSize) && IsMemoImportFile(path) &&
            ImportMemoFile(&place, path, &tally) == 1)
            imported = 1;
    }
    if (path)
        HeapFree(GetProcessHeap(), 0, path);
    // Memo files the store could not take are the user's to hear about, not the drop handler's.
    if (imported || tally.Failed) {
        if (imported)
            RefreshCalendar(0);
        TellMemoImport(window, imported, &tally, kImported, MB_ICONEXCLAMATION);
    } else {
        CallSlotExport(env->DropSlot, DropModule::kDropFileDropMessage,
                       [&](DropModule::DropFileDropMessage handle) { handle(window, drop); });
    }
    DragFinish(drop);
    return 1;
}
