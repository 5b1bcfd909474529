#include "ModuleExport.h"

#include "Trace.h"

FARPROC FindModuleExport(HMODULE module, const char* name)
{
    if (!module || !name)
        return nullptr;
    FARPROC proc = GetProcAddress(module, name);
    if (!proc) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(module, path, sizeof(path));
        Trace("%s has no export %s; the step that needs it is skipped", path, name);
    }
    return proc;
}
