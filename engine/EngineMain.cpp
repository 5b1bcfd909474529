// The language module's entry: it sets the module up when a process loads it.
#include "EngineMain.h"

extern "C" HINSTANCE GetInstance(void)
{
    return EngineInstance();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        SetUpEngine(instance, nullptr);
    else if (reason == DLL_PROCESS_DETACH)
        ReleaseEngine();
    return TRUE;
}
