#include "Shortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>

#include "StrUtil.h"

namespace {

const char kQuickLaunchFolder[] = "\\Microsoft\\Internet Explorer\\Quick Launch";
const int kWidePathSize = MAX_PATH * 2;

// COM for the length of one call. A thread already in the multithreaded apartment can use the link object as well.
class ComScope {
public:
    ComScope() : result_(CoInitialize(nullptr)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

bool ToWidePath(const char* path, WCHAR* wide)
{
    return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kWidePathSize) > 0;
}

// The folder of a shortcut: a special folder, or for Quick Launch a folder under application data.
bool ShortcutFolder(int csidl, bool quickLaunch, char* folder)
{
    if (!GetSpecialFolderPath(nullptr, folder, csidl))
        return false;
    if (!quickLaunch)
        return true;
    if (SafeStrLen(folder) + sizeof(kQuickLaunchFolder) > MAX_PATH)
        return false;
    AppendStr(folder, kQuickLaunchFolder);
    return true;
}

// "<folder>\<name>.lnk" into path (MAX_PATH bytes); false for an empty name or a path too long.
bool ShortcutPath(int csidl, bool quickLaunch, const char* name, char* path)
{
    char folder[MAX_PATH];
    if (SafeStrLen(name) == 0 || !ShortcutFolder(csidl, quickLaunch, folder))
        return false;
    int length = snprintf(path, MAX_PATH, "%s\\%s.lnk", folder, name);
    return length > 0 && length < MAX_PATH;
}

int CreateProgramShortcut(int csidl, bool quickLaunch, const char* name, const char* description,
                          const char* arguments, const char* workingFolder)
{
    char path[MAX_PATH];
    char program[MAX_PATH];
    if (!ShortcutPath(csidl, quickLaunch, name, path))
        return 0;
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program));
    if (length == 0 || length >= sizeof(program))
        return 0;
    ComScope com;
    if (!com.Usable())
        return 0;
    HRESULT result =
        CreateShortcut(path, program, description, arguments, workingFolder, nullptr, 0, SW_SHOWNORMAL);
    return SUCCEEDED(result) ? 1 : 0;
}

int DeleteProgramShortcut(int csidl, bool quickLaunch, const char* name)
{
    char path[MAX_PATH];
    if (!ShortcutPath(csidl, quickLaunch, name, path))
        return 0;
    return DeleteFileA(path) ? 1 : 0;
}

}  // namespace

extern "C" {

int GetSpecialFolderPath(HWND window, char* path, int csidl)
{
    if (!path)
        return 0;
    path[0] = '\0';
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(window, csidl, &items)) || !items)
        return 0;
    BOOL found = SHGetPathFromIDListA(items, path);
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
        shellMalloc->Free(items);
        shellMalloc->Release();
    }
    if (!found)
        path[0] = '\0';
    return found ? 1 : 0;
}

HRESULT CreateShortcut(const char* shortcutPath, const char* target, const char* description, const char* arguments,
                       const char* workingFolder, const char* iconFile, int iconIndex, int showCommand)
{
    WCHAR widePath[kWidePathSize];
    if (SafeStrLen(shortcutPath) == 0 || SafeStrLen(target) == 0 || !ToWidePath(shortcutPath, widePath))
        return E_INVALIDARG;
    IShellLinkA* link = nullptr;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link);
    if (FAILED(result))
        return result;
    link->SetPath(target);
    link->SetDescription(NonNullStr(description));
    link->SetArguments(NonNullStr(arguments));
    link->SetWorkingDirectory(NonNullStr(workingFolder));
    link->SetIconLocation(iconFile ? iconFile : target, iconIndex);
    link->SetShowCmd(showCommand);
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, (void**)&file);
    if (SUCCEEDED(result)) {
        result = file->Save(widePath, TRUE);
        file->Release();
    }
    link->Release();
    return result;
}

int CreateFolderShortcut(int csidl, const char* name, const char* description, const char* arguments,
                         const char* workingFolder)
{
    return CreateProgramShortcut(csidl, false, name, description, arguments, workingFolder);
}

int DeleteFolderShortcut(int csidl, const char* name)
{
    return DeleteProgramShortcut(csidl, false, name);
}

HRESULT ReadShortcut(const char* shortcutPath, char* path, char* arguments, char* workingFolder, int* showCommand,
                     char* iconFile, int* iconIndex, int bufferSize, WIN32_FIND_DATAA* findData)
{
    WCHAR widePath[kWidePathSize];
    if (SafeStrLen(shortcutPath) == 0 || !ToWidePath(shortcutPath, widePath))
        return E_INVALIDARG;
    if ((path || arguments || workingFolder || iconFile) && bufferSize <= 0)
        return E_INVALIDARG;
    IShellLinkA* link = nullptr;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link);
    if (FAILED(result))
        return result;
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, (void**)&file);
    if (SUCCEEDED(result)) {
        result = file->Load(widePath, STGM_READ);
        file->Release();
    }
    if (SUCCEEDED(result)) {
        if (path)
            link->GetPath(path, bufferSize, findData, SLGP_UNCPRIORITY);
        if (arguments)
            link->GetArguments(arguments, bufferSize);
        if (workingFolder)
            link->GetWorkingDirectory(workingFolder, bufferSize);
        if (showCommand)
            link->GetShowCmd(showCommand);
        int index = 0;
        if (iconFile)
            link->GetIconLocation(iconFile, bufferSize, &index);
        if (iconIndex)
            *iconIndex = index;
    }
    link->Release();
    return result;
}

int CreateDesktopShortcut(const char* name, const char* description, const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_DESKTOP, name, description, nullptr, workingFolder);
}

int CreateDesktopShortcutArgs(const char* name, const char* description, const char* arguments,
                              const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_DESKTOP, name, description, arguments, workingFolder);
}

int DeleteDesktopShortcut(const char* name)
{
    return DeleteFolderShortcut(CSIDL_DESKTOP, name);
}

int CreateStartupShortcut(const char* name, const char* description, const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_STARTUP, name, description, nullptr, workingFolder);
}

int CreateStartupShortcutArgs(const char* name, const char* description, const char* arguments,
                              const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_STARTUP, name, description, arguments, workingFolder);
}

int DeleteStartupShortcut(const char* name)
{
    return DeleteFolderShortcut(CSIDL_STARTUP, name);
}

int CreateDocumentsShortcut(const char* name, const char* description, const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_PERSONAL, name, description, nullptr, workingFolder);
}

int CreateDocumentsShortcutArgs(const char* name, const char* description, const char* arguments,
                                const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_PERSONAL, name, description, arguments, workingFolder);
}

int DeleteDocumentsShortcut(const char* name)
{
    return DeleteFolderShortcut(CSIDL_PERSONAL, name);
}

int CreateSendToShortcut(const char* name, const char* description, const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_SENDTO, name, description, nullptr, workingFolder);
}

int CreateSendToShortcutArgs(const char* name, const char* description, const char* arguments,
                             const char* workingFolder)
{
    return CreateFolderShortcut(CSIDL_SENDTO, name, description, arguments, workingFolder);
}

int DeleteSendToShortcut(const char* name)
{
    return DeleteFolderShortcut(CSIDL_SENDTO, name);
}

int CreateQuickLaunchShortcut(const char* name, const char* description, const char* arguments,
                              const char* workingFolder)
{
    return CreateProgramShortcut(CSIDL_APPDATA, true, name, description, arguments, workingFolder);
}

int DeleteQuickLaunchShortcut(const char* name)
{
    return DeleteProgramShortcut(CSIDL_APPDATA, true, name);
}

}  // extern "C"
