#include "EngineMain.h"

#include <stdio.h>

#include <new>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "ProgramIcons.h"
#include "StrUtil.h"
#include "resource.h"

namespace {

HINSTANCE g_instance;
char g_programDir[MAX_PATH];
AppInfo* g_appInfo;
char* g_plugInDir;
ProgramIconSet g_icons;

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
    // The icons load when a dialog first asks for them, outside the loader lock.
    ResetProgramIcons(&g_icons, g_programDir,
                      {resourceModule, IDI_PROGRAM, IDI_PROGRAM_SMALL, IDI_PROGRAM_A, IDI_PROGRAM_B});
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
    return GetProgramIcon(&g_icons, slot);
}

