#include "EngineMain.h"

#include <stdio.h>

#include <new>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "StrUtil.h"
#include "resource.h"

namespace {

HINSTANCE g_instance;
char g_programDir[MAX_PATH];
AppInfo* g_appInfo;
char* g_plugInDir;
HICON g_icons[ENGINE_ICON_COUNT];

HICON LoadIconFile(const char* path, int size)
{
    if (!FileExists(path))
        return nullptr;
    return static_cast<HICON>(LoadImageA(nullptr, path, IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

HICON LoadIconResource(UINT id, int size)
{
    return static_cast<HICON>(
        LoadImageA(g_instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// "<program folder>Icon\<name>.ico"
void IconPath(char* path, size_t size, const char* name)
{
    snprintf(path, size, "%sIcon\\%s.ico", g_programDir, name);
}

void LoadIcons()
{
    for (HICON& icon : g_icons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
    char path[MAX_PATH + 32];
    IconPath(path, sizeof(path), "Daylens00");
    g_icons[ENGINE_ICON_LARGE] = LoadIconFile(path, 32);
    if (g_icons[ENGINE_ICON_LARGE]) {
        char small[MAX_PATH + 32];
        IconPath(small, sizeof(small), "Daylens00s");
        g_icons[ENGINE_ICON_SMALL] = LoadIconFile(FileExists(small) ? small : path, 16);
    } else {
        g_icons[ENGINE_ICON_LARGE] = LoadIconResource(IDI_PROGRAM, 32);
        g_icons[ENGINE_ICON_SMALL] = LoadIconResource(IDI_PROGRAM_SMALL, 16);
    }
    IconPath(path, sizeof(path), "Daylens00a");
    g_icons[ENGINE_ICON_A] = LoadIconFile(path, 16);
    if (!g_icons[ENGINE_ICON_A])
        g_icons[ENGINE_ICON_A] = LoadIconResource(IDI_PROGRAM_A, 16);
    IconPath(path, sizeof(path), "Daylens00b");
    g_icons[ENGINE_ICON_B] = LoadIconFile(path, 16);
    if (!g_icons[ENGINE_ICON_B])
        g_icons[ENGINE_ICON_B] = LoadIconResource(IDI_PROGRAM_B, 16);
    for (int month = 1; month <= 12; month++) {
        char name[16];
        snprintf(name, sizeof(name), "Daylens%02d", month);
        IconPath(path, sizeof(path), name);
        g_icons[ENGINE_ICON_MONTH_FIRST + month - 1] = LoadIconFile(path, 16);
    }
}

void CreatePlugInDir()
{
    char path[MAX_PATH + 16];
    snprintf(path, sizeof(path), "%sPlugIn", g_programDir);
    g_plugInDir = StrDupHeap(path);
    if (g_plugInDir && !FolderExists(g_plugInDir, 0))
        CreateDirectoryTree(g_plugInDir);
}

} // namespace

// Runs under the loader lock when called from DllMain: only kernel32, user32,
// comctl32 and shell32, which the module imports statically, are called here.
void SetUpEngine(HINSTANCE resourceModule, const char* programDir)
{
    g_instance = resourceModule;
    if (!g_appInfo)
        g_appInfo = new (std::nothrow) AppInfo();
    if (!g_appInfo)
        return;
    g_appInfo->SetNames(DAYLENS_PROGRAM_NAME, DAYLENS_PROGRAM_TITLE, DAYLENS_WINDOW_CLASS, DAYLENS_VERSION,
                        DAYLENS_REVISION, 0, DAYLENS_MAKER, DAYLENS_YEARS, DAYLENS_RELEASE_DATE, nullptr);
    SafeStrCpy(g_programDir, sizeof(g_programDir),
               programDir ? programDir : NonNullStr(g_appInfo->GetProgramDir()));
    CreatePlugInDir();
    LoadIcons();
}

void ReleaseEngine()
{
    if (g_plugInDir)
        HeapFree(GetProcessHeap(), 0, g_plugInDir);
    g_plugInDir = nullptr;
}

HINSTANCE EngineInstance()
{
    return g_instance;
}

AppInfo* EngineAppInfo()
{
    return g_appInfo;
}

const char* EnginePlugInDir()
{
    return g_plugInDir;
}

HICON EngineIcon(int slot)
{
    return slot >= 0 && slot < ENGINE_ICON_COUNT ? g_icons[slot] : nullptr;
}

