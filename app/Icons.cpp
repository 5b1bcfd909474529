#include <stdio.h>

#include "AppInfo.h"
#include "EnvData.h"
#include "ModuleBinding.h"
#include "Program.h"
#include "StrUtil.h"
#include "FileUtil.h"

namespace {

// Icon slots: 0 and 1 the program (window class, tray), 2 and 3 the memo blink, 4-15 the months.
enum { SLOT_PROGRAM = 0, SLOT_PROGRAM_SMALL = 1, SLOT_BLINK_A = 2, SLOT_BLINK_B = 3, SLOT_MONTH_FIRST = 4 };

void IconPath(char* path, size_t size, const char* name)
{
    const char* dir = g_program.Info ? g_program.Info->GetProgramDir() : nullptr;
    snprintf(path, size, "%sIcon\\%s.ico", NonNullStr(dir), name);
}

HICON FromFile(const char* name, int size)
{
    char path[MAX_PATH * 2];
    IconPath(path, sizeof(path), name);
    if (!FileExists(path))
        return nullptr;
    return (HICON)LoadImageA(nullptr, path, IMAGE_ICON, size, size, LR_LOADFROMFILE);
}

HICON FromModule(HMODULE module, UINT id, int size)
{
    return (HICON)LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
}

void LoadCursors(HMODULE module, EnvData* env)
{
    static const UINT kCursorIds[CURSOR_COUNT] = {51, 52, 53, 54, 58, 56, 57, 55};
    for (int i = 0; i < CURSOR_COUNT; i++)
        env->Cursors[i] = LoadCursorA(module, MAKEINTRESOURCEA(kCursorIds[i]));
}

}  // namespace

int LoadIcons(int flag)
{
    if (flag != 1)
        return 1;
    HMODULE module = ResourceDllAcquire(1);
    if (!module)
        return 1;
    HICON* icons = g_program.Icons;
    for (int i = 0; i < PROGRAM_ICON_COUNT; i++) {
        if (icons[i])
            DestroyIcon(icons[i]);
        icons[i] = nullptr;
    }
    if (g_program.Env)
        LoadCursors(module, g_program.Env);
    icons[SLOT_PROGRAM] = FromFile("Daylens00", 32);
    if (icons[SLOT_PROGRAM]) {
        icons[SLOT_PROGRAM_SMALL] = FromFile("Daylens00s", 16);
        if (!icons[SLOT_PROGRAM_SMALL])
            icons[SLOT_PROGRAM_SMALL] = FromFile("Daylens00", 16);
    } else {
        icons[SLOT_PROGRAM] = FromModule(module, 10, 32);
        icons[SLOT_PROGRAM_SMALL] = FromModule(module, 10, 16);
    }
    icons[SLOT_BLINK_A] = FromFile("Daylens00a", 16);
    if (!icons[SLOT_BLINK_A])
        icons[SLOT_BLINK_A] = FromModule(module, 12, 16);
    icons[SLOT_BLINK_B] = FromFile("Daylens00b", 16);
    if (!icons[SLOT_BLINK_B])
        icons[SLOT_BLINK_B] = FromModule(module, 13, 16);
    for (int month = 1; month <= 12; month++) {
        char name[16];
        snprintf(name, sizeof(name), "Daylens%02d", month);
        icons[SLOT_MONTH_FIRST + month - 1] = FromFile(name, 16);
    }
    ResourceDllAcquire(0);
    return 1;
}
