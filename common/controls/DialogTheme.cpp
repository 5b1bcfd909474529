#include "DialogTheme.h"

namespace {

const DWORD kEnableTabTexture = 6;  // ETDT_ENABLETAB

typedef HRESULT(WINAPI* EnableThemeDialogTextureProc)(HWND, DWORD);

// Visual styles came with 5.1; later versions all have them, whatever number they report.
bool HasVisualStyles()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return false;
    return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

}  // namespace

extern "C" {

int EnableDialogTheme(HWND dialog)
{
    if (!HasVisualStyles())
        return 0;
    // Looked up at run time: the program still starts where uxtheme is missing. It stays loaded, as the
    // themed pages keep calling into it.
    HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
    if (!uxtheme)
        uxtheme = LoadLibraryA("uxtheme.dll");
    if (!uxtheme)
        return 0;
    auto enable = (EnableThemeDialogTextureProc)GetProcAddress(uxtheme, "EnableThemeDialogTexture");
    if (!enable)
        return 0;
    enable(dialog, kEnableTabTexture);
    return 1;
}

}  // extern "C"
