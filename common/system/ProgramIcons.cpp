#include "ProgramIcons.h"

#include <stdio.h>

#include "FileUtil.h"
#include "StrUtil.h"

namespace {

const int kLargeSize = 32;
const int kSmallSize = 16;

HICON FromFile(const ProgramIconSet* set, const char* name, int size)
{
    char path[MAX_PATH * 2];
    snprintf(path, sizeof(path), "%sIcon\\%s.ico", NonNullStr(set->ProgramDir), name);
    if (!FileExists(path))
        return nullptr;
    return (HICON)LoadImageA(nullptr, path, IMAGE_ICON, size, size, LR_LOADFROMFILE);
}

HICON FromModule(const ProgramIconSet* set, UINT id, int size)
{
    if (!set->Fallback.Module || !id)
        return nullptr;
    return (HICON)LoadImageA(set->Fallback.Module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
}

HICON LoadSlot(ProgramIconSet* set, int slot)
{
    switch (slot) {
    case PROGRAM_ICON_LARGE: {
        HICON icon = FromFile(set, "Daylens00", kLargeSize);
        InterlockedExchange(&set->LargeFromFile, icon ? 1 : 0);
        return icon ? icon : FromModule(set, set->Fallback.Large, kLargeSize);
    }
    case PROGRAM_ICON_SMALL: {
        GetProgramIcon(set, PROGRAM_ICON_LARGE);
        if (!set->LargeFromFile)
            return FromModule(set, set->Fallback.Small, kSmallSize);
        HICON icon = FromFile(set, "Daylens00s", kSmallSize);
        return icon ? icon : FromFile(set, "Daylens00", kSmallSize);
    }
    case PROGRAM_ICON_BLINK_A: {
        HICON icon = FromFile(set, "Daylens00a", kSmallSize);
        return icon ? icon : FromModule(set, set->Fallback.BlinkA, kSmallSize);
    }
    case PROGRAM_ICON_BLINK_B: {
        HICON icon = FromFile(set, "Daylens00b", kSmallSize);
        return icon ? icon : FromModule(set, set->Fallback.BlinkB, kSmallSize);
    }
    default: {
        char name[16];
        snprintf(name, sizeof(name), "Daylens%02d", slot - PROGRAM_ICON_MONTH_FIRST + 1);
        return FromFile(set, name, kSmallSize);
    }
    }
}

}  // namespace

void ResetProgramIcons(ProgramIconSet* set, const char* programDir, const ProgramIconFallback& fallback)
{
    for (int i = 0; i < PROGRAM_ICON_SLOTS; i++) {
        if (set->Icons[i])
            DestroyIcon(set->Icons[i]);
        set->Icons[i] = nullptr;
        set->Loaded[i] = 0;
    }
    set->LargeFromFile = 0;
    set->ProgramDir = programDir;
    set->Fallback = fallback;
}

HICON GetProgramIcon(ProgramIconSet* set, int slot)
{
    if (!set || slot < 0 || slot >= PROGRAM_ICON_MONTH_FIRST + 12)
        return nullptr;
    if (set->Loaded[slot])
        return set->Icons[slot];
    HICON icon = LoadSlot(set, slot);
    // Another thread may have loaded the slot meanwhile: the first icon stored stays.
    if (icon && InterlockedCompareExchangePointer((void**)&set->Icons[slot], icon, nullptr) != nullptr)
        DestroyIcon(icon);
    InterlockedExchange(&set->Loaded[slot], 1);
    return set->Icons[slot];
}
