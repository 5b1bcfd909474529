#include "ModuleBinding.h"

#include "LibrarySearch.h"
#include "ImgctlModule.h"
#include "Trace.h"

namespace {

HMODULE g_resourceDll;
int g_resourceUses;
HMODULE g_imageDll;
int g_imageUses;

}  // namespace

HMODULE ResourceDllAcquire(int acquire)
{
    if (!acquire) {
        if (g_resourceUses > 1)
            g_resourceUses--;
        return g_resourceDll;
    }
    if (!g_resourceDll) {
        for (const char* name : LanguageModule::kFileNames) {
            if (!g_resourceDll)
                g_resourceDll = LoadLibrarySearch(name);
        }
        if (!g_resourceDll)
            Trace("no language module loads");
        if (!g_resourceDll)
            return nullptr;
    }
    g_resourceUses++;
    return g_resourceDll;
}

HMODULE ResourceDll()
{
    return g_resourceDll;
}

void FreeResourceDll()
{
    if (g_resourceDll)
        FreeLibrary(g_resourceDll);
    g_resourceDll = nullptr;
    g_resourceUses = 0;
}

HMODULE ImageDllAcquire(int acquire)
{
    if (acquire) {
        if (!g_imageDll)
            g_imageDll = LoadLibrarySearch(ImgctlModule::kFileName);
        if (g_imageDll)
            g_imageUses++;
    } else if (g_imageUses > 0 && --g_imageUses == 0) {
        FreeLibrary(g_imageDll);
        g_imageDll = nullptr;
    }
    return g_imageDll;
}
