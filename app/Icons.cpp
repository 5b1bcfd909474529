#include "AppInfo.h"
#include "EnvData.h"
#include "LanguageResources.h"
#include "ModuleBinding.h"
#include "Program.h"

namespace {

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
    // The small icon falls back on the large picture at 16 x 16; the language module has a small picture of its own.
    const char* dir = g_program.Info ? g_program.Info->GetProgramDir() : nullptr;
    ResetProgramIcons(&g_program.Icons, dir, {module, IDI_PROGRAM, IDI_PROGRAM, IDI_PROGRAM_A, IDI_PROGRAM_B});
    if (g_program.Env)
        LoadCursors(module, g_program.Env);
    ResourceDllAcquire(0);
    return 1;
}

HICON ProgramIcon(int slot)
{
    return GetProgramIcon(&g_program.Icons, slot);
}
