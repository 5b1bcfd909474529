#include "FuzzFence.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <utility>
#include <vector>

namespace {

// Access rights that change a file.
const DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                           FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER;

std::string g_root;
std::string g_programDir;

// The real functions, taken from kernel32 before any import is fenced.
decltype(&CreateFileA) g_createFile;
decltype(&CreateDirectoryA) g_createDirectory;
decltype(&RemoveDirectoryA) g_removeDirectory;
decltype(&DeleteFileA) g_deleteFile;
decltype(&MoveFileExA) g_moveFileEx;
decltype(&MoveFileA) g_moveFile;
decltype(&CopyFileA) g_copyFile;
decltype(&ReplaceFileA) g_replaceFile;
decltype(&SetFileAttributesA) g_setFileAttributes;
decltype(&WritePrivateProfileStringA) g_writeProfileString;
decltype(&WritePrivateProfileSectionA) g_writeProfileSection;

bool Within(const std::string& path, const std::string& folder)
{
    return !folder.empty() && path.size() >= folder.size() &&
           _strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

std::string FullPath(const char* path)
{
    char full[2 * MAX_PATH];
    DWORD length = path && *path ? GetFullPathNameA(path, sizeof(full), full, nullptr) : 0;
    return length > 0 && length < sizeof(full) ? full : "";
}

bool MayWrite(const char* path)
{
    std::string full = FullPath(path);
    return Within(full, g_root) || Within(full, g_programDir);
}

// Files on a drive only: no device, pipe or network path, whose reading could wait.
bool MayRead(const char* path)
{
    std::string full = FullPath(path);
    return full.size() >= 3 && full[1] == ':' && full[2] == '\\';
}

// The profile functions take a name without a folder as a file of the Windows folder.
bool MayWriteProfile(const char* path)
{
    return path && strpbrk(path, "\\/") && MayWrite(path);
}

template <typename Result>
Result Refuse(Result result)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return result;
}

HANDLE WINAPI FencedCreateFile(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE model)
{
    bool writes = (access & kWriteAccess) || disposition != OPEN_EXISTING || (flags & FILE_FLAG_DELETE_ON_CLOSE);
    if (writes ? !MayWrite(path) : !MayRead(path))
        return Refuse(INVALID_HANDLE_VALUE);
    return g_createFile(path, access, share, security, disposition, flags, model);
}

BOOL WINAPI FencedCreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES security)
{
    return MayWrite(path) ? g_createDirectory(path, security) : Refuse(FALSE);
}

BOOL WINAPI FencedRemoveDirectory(LPCSTR path)
{
    return MayWrite(path) ? g_removeDirectory(path) : Refuse(FALSE);
}

BOOL WINAPI FencedDeleteFile(LPCSTR path)
{
    return MayWrite(path) ? g_deleteFile(path) : Refuse(FALSE);
}

BOOL WINAPI FencedMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags)
{
    return MayWrite(from) && (!to || MayWrite(to)) ? g_moveFileEx(from, to, flags) : Refuse(FALSE);
}

BOOL WINAPI FencedMoveFile(LPCSTR from, LPCSTR to)
{
    return MayWrite(from) && MayWrite(to) ? g_moveFile(from, to) : Refuse(FALSE);
}

BOOL WINAPI FencedCopyFile(LPCSTR from, LPCSTR to, BOOL failIfExists)
{
    return MayRead(from) && MayWrite(to) ? g_copyFile(from, to, failIfExists) : Refuse(FALSE);
}

BOOL WINAPI FencedReplaceFile(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID exclude,
                              LPVOID reserved)
{
    bool may = MayWrite(replaced) && MayWrite(replacement) && (!backup || MayWrite(backup));
    return may ? g_replaceFile(replaced, replacement, backup, flags, exclude, reserved) : Refuse(FALSE);
}

BOOL WINAPI FencedSetFileAttributes(LPCSTR path, DWORD attributes)
{
    return MayWrite(path) ? g_setFileAttributes(path, attributes) : Refuse(FALSE);
}

// A null section only flushes the profile cache.
BOOL WINAPI FencedWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path)
{
    return !section || MayWriteProfile(path) ? g_writeProfileString(section, key, value, path) : Refuse(FALSE);
}

BOOL WINAPI FencedWriteProfileSection(LPCSTR section, LPCSTR lines, LPCSTR path)
{
    return MayWriteProfile(path) ? g_writeProfileSection(section, lines, path) : Refuse(FALSE);
}

struct Fenced {
    const char* Name;
    void* Replacement;
    void** Real;
};

const Fenced kFenced[] = {
    {"CreateFileA", (void*)FencedCreateFile, (void**)&g_createFile},
    {"CreateDirectoryA", (void*)FencedCreateDirectory, (void**)&g_createDirectory},
    {"RemoveDirectoryA", (void*)FencedRemoveDirectory, (void**)&g_removeDirectory},
    {"DeleteFileA", (void*)FencedDeleteFile, (void**)&g_deleteFile},
    {"MoveFileExA", (void*)FencedMoveFileEx, (void**)&g_moveFileEx},
    {"MoveFileA", (void*)FencedMoveFile, (void**)&g_moveFile},
    {"CopyFileA", (void*)FencedCopyFile, (void**)&g_copyFile},
    {"ReplaceFileA", (void*)FencedReplaceFile, (void**)&g_replaceFile},
    {"SetFileAttributesA", (void*)FencedSetFileAttributes, (void**)&g_setFileAttributes},
    {"WritePrivateProfileStringA", (void*)FencedWriteProfileString, (void**)&g_writeProfileString},
    {"WritePrivateProfileSectionA", (void*)FencedWriteProfileSection, (void**)&g_writeProfileSection},
};

void* FencedImport(const char* name)
{
    for (const Fenced& f : kFenced) {
        if (strcmp(f.Name, name) == 0)
            return f.Replacement;
    }
    return nullptr;
}

// Points every fenced import of module at its fenced version.
void FenceModule(HMODULE module)
{
    BYTE* base = (BYTE*)module;
    const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return;
    for (const IMAGE_IMPORT_DESCRIPTOR* dll = (const IMAGE_IMPORT_DESCRIPTOR*)(base + imports.VirtualAddress);
         dll->Name; dll++) {
        if (!dll->OriginalFirstThunk)
            continue;
        const IMAGE_THUNK_DATA* names = (const IMAGE_THUNK_DATA*)(base + dll->OriginalFirstThunk);
        IMAGE_THUNK_DATA* slots = (IMAGE_THUNK_DATA*)(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; names++, slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            void* fenced = FencedImport((const char*)((const IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData))->Name);
            DWORD old = 0;
            if (!fenced || !VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old))
                continue;
            slots->u1.Function = (ULONG_PTR)fenced;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
        }
    }
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, length < sizeof(path) ? length : 0);
    return folder.substr(0, folder.rfind('\\') == std::string::npos ? 0 : folder.rfind('\\'));
}

}  // namespace

void FenceFileWrites(const std::string& root)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    for (const Fenced& f : kFenced)
        *f.Real = (void*)GetProcAddress(kernel, f.Name);
    g_root = FullPath(root.c_str());
    g_programDir = ProgramFolder();
    FenceModule(GetModuleHandleA(nullptr));
}

const std::string& FenceRoot()
{
    return g_root;
}

const std::string& DistFolder()
{
    static const std::string folder = [] {
        const char* build = getenv("DAYLENS_BUILD_DIR");
        std::string path = build && *build ? std::string("Z:") + build + "/dist/" : "";
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        return path;
    }();
    return folder;
}

HMODULE DistLibrary(const char* name)
{
    static std::vector<std::pair<std::string, HMODULE>> loaded;
    for (const auto& library : loaded) {
        if (library.first == name)
            return library.second;
    }
    HMODULE module = DistFolder().empty() ? nullptr : LoadLibraryA((DistFolder() + name).c_str());
    if (!module) {
        fprintf(stderr, "cannot load %s%s: DAYLENS_BUILD_DIR names the build folder\n", DistFolder().c_str(), name);
        exit(2);
    }
    FenceModule(module);
    loaded.push_back({name, module});
    return module;
}
