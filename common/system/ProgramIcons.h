// The program's icons, shared by Daylens.exe and the language module: each from "<program folder>Icon\<name>.ico"
// when that file loads, else from a module's resources, and each loaded only when first asked for.
#pragma once

#include <windows.h>

// Icon slots: the program's own (large and small), the two memo-blink pictures and the months (file only).
enum ProgramIconSlot {
    PROGRAM_ICON_LARGE = 0,
    PROGRAM_ICON_SMALL = 1,
    PROGRAM_ICON_BLINK_A = 2,
    PROGRAM_ICON_BLINK_B = 3,
    PROGRAM_ICON_MONTH_FIRST = 4,  // January; December is slot 15
    PROGRAM_ICON_SLOTS = 20
};

// The resources of Module that stand in for icon files the Icon folder lacks.
struct ProgramIconFallback {
    HMODULE Module;  // null: no stand-ins
    UINT Large;      // at 32 x 32, when Daylens00.ico does not load
    UINT Small;      // at 16 x 16, likewise
    UINT BlinkA;     // at 16 x 16, when Daylens00a.ico does not load
    UINT BlinkB;     // at 16 x 16, when Daylens00b.ico does not load
};

// A set of the program's icons, owned by one module. Zero-initialised, it is empty.
struct ProgramIconSet {
    const char* ProgramDir;  // ends in "\"; the caller keeps it alive
    ProgramIconFallback Fallback;
    HICON Icons[PROGRAM_ICON_SLOTS];
    LONG Loaded[PROGRAM_ICON_SLOTS];  // 1 once the slot was asked for (it may still be empty)
    LONG LargeFromFile;               // the large icon came from its file, so the small one does too
};

// Destroys the icons of set, then has it load from programDir and fallback again when asked.
void ResetProgramIcons(ProgramIconSet* set, const char* programDir, const ProgramIconFallback& fallback);
// The icon of slot, loaded on the first call: the large one from Daylens00.ico at 32 x 32; the small one from
// Daylens00s.ico, else Daylens00.ico at 16 x 16 when the large one came from its file, else from the resources;
// the blink pictures from Daylens00a.ico and Daylens00b.ico at 16 x 16; the months from DaylensMM.ico at 16 x 16.
// Null for an empty or unknown slot. Safe on any thread; the set keeps the icon.
HICON GetProgramIcon(ProgramIconSet* set, int slot);
