#include "FileUtil.h"

#include <shellapi.h>
#include <string.h>

#include "DurableSave.h"
#include "HeapUtil.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

const char kDefaultLockFolder[] = ".\\lxlock";

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Offset of the last path separator in path, walking characters so a trail byte 0x5C is skipped; -1 when none.
ptrdiff_t LastSeparator(const char* path)
{
    ptrdiff_t last = -1;
    for (const char* p = path; *p;) {
        if (IsSjisLeadByte((unsigned char)*p) && p[1] != '\0') {
            p += 2;
            continue;
        }
        if (IsSeparator(*p))
            last = p - path;
        p++;
    }
    return last;
}

// Root of path's drive as GetDriveTypeA and GetDiskFreeSpaceA want it: "X:\" or "\\server\share\".
void GetDriveRoot(const char* path, char* root, size_t rootSize)
{
    root[0] = '\0';
    if (path[0] != '\0' && path[1] == ':') {
        char drive[4] = {path[0], ':', '\\', '\0'};
        SafeStrCpy(root, rootSize, drive);
        return;
    }
    if (IsSeparator(path[0]) && IsSeparator(path[1])) {
        // "\\server\share" up to the separator after the share name.
        const char* p = path + 2;
        int separators = 0;
        while (*p) {
            if (IsSjisLeadByte((unsigned char)*p) && p[1] != '\0') {
                p += 2;
                continue;
            }
            if (IsSeparator(*p) && ++separators == 2)
                break;
            p++;
        }
        size_t len = (size_t)(p - path);
        if (len + 2 <= rootSize) {
            memcpy(root, path, len);
            root[len] = '\\';
            root[len + 1] = '\0';
        }
    }
}

bool IsDriveLetterOnly(const char* path)
{
    char c = path[0];
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return letter && path[1] == ':' && (path[2] == '\0' || (path[2] == '\\' && path[3] == '\0'));
}

UINT DriveTypeOf(const char* path)
{
    char root[MAX_PATH];
    GetDriveRoot(path, root, sizeof(root));
    return GetDriveTypeA(root[0] ? root : nullptr);
}

// A probe file proves that the folder takes new files.
bool CanCreateFileIn(const char* folder)
{
    char probe[MAX_PATH];
    if (!GetTempFileNameA(folder, "dl", 0, probe))
        return false;
    return DeleteFileA(probe) != 0;
}

HANDLE OpenForTimes(const char* path, DWORD access)
{
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

extern "C" {

char* ReadWholeFile(const char* path, DWORD* size)
{
    if (SafeStrLen(path) == 0)
        return nullptr;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    return ReadOpenFile(file, size);
}

char* ReadOpenFile(HANDLE file, DWORD* size)
{
    if (file == INVALID_HANDLE_VALUE || !file)
        return nullptr;
    char* data = nullptr;
    LARGE_INTEGER length;
    // The size must leave room for the two terminating bytes in a DWORD.
    if (GetFileSizeEx(file, &length) && length.QuadPart > 0 && length.QuadPart < MAXDWORD - 2) {
        DWORD want = (DWORD)length.QuadPart;
        DWORD got = 0;
        data = (char*)AllocZeroed(want + 1);
        if (data && (!ReadFile(file, data, want, &got, nullptr) || got != want)) {
            HeapFree(GetProcessHeap(), 0, data);
            data = nullptr;
        }
        if (data && size)
            *size = want;
    }
    CloseHandle(file);
    return data;
}

int WriteWholeFile(const char* path, const void* data, DWORD size, const SYSTEMTIME* time)
{
    if (!SaveFileDurably(path, data, size))
        return 0;
    FILETIME ft;
    if (time && SystemTimeToFileTime(time, &ft)) {
        HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            SetFileTime(file, &ft, &ft, &ft);
            CloseHandle(file);
        }
    }
    return 1;
}

void GetModulePathParts(char** path, char** folder, char** base)
{
    char full[PARENT_FOLDER_SIZE];
    DWORD len = GetModuleFileNameA(nullptr, full, sizeof(full));
    if (len == 0 || len >= sizeof(full))
        return;
    if (path)
        *path = StrReplaceHeap(*path, full);
    // Split by hand: the CRT's _splitpath would cut at a trail byte 0x5C.
    size_t nameStart = (size_t)(LastSeparator(full) + 1);
    if (base) {
        char name[PARENT_FOLDER_SIZE];
        SafeStrCpy(name, sizeof(name), full + nameStart);
        char* dot = strrchr(name, '.');  // a trail byte is never '.'
        if (dot)
            *dot = '\0';
        *base = StrReplaceHeap(*base, name);
    }
    if (folder) {
        full[nameStart] = '\0';
        *folder = StrReplaceHeap(*folder, full);
    }
}

const char* PathFileName(const char* path)
{
    const char* name = path;
    for (const char* p = path; p && *p; p++) {
        if (IsSjisLeadByte((unsigned char)p[0]) && p[1])
            p++;  // a trail byte may be 0x5C
        else if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    return name;
}

int FileExists(const char* path)
{
    if (!path || !*path)
        return 0;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int FolderExists(const char* path, int driveRoot)
{
    size_t len = SafeStrLen(path);
    if (len < 2)
        return 0;
    if (driveRoot && IsDriveLetterOnly(path))
        return 1;
    if (len < 3)
        return 0;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CreateDirectoryTree(const char* path)
{
    char folder[PARENT_FOLDER_SIZE];
    if (SafeStrLen(path) >= sizeof(folder))
        return 0;
    SafeStrCpy(folder, sizeof(folder), path);
    TrimRightChars(folder, " \r\n\\");
    char parent[PARENT_FOLDER_SIZE];
    GetParentFolder(folder, parent);
    if (strlen(parent) > 2 && !FolderExists(parent, 1))
        CreateDirectoryTree(parent);
    return CreateDirectoryA(folder, nullptr) != 0;
}

int IsDriveRoot(const char* path)
{
    if (SafeStrLen(path) == 0)
        return 1;
    char drives[4 * 26 + 2];
    DWORD len = GetLogicalDriveStringsA(sizeof(drives), drives);
    if (len == 0 || len >= sizeof(drives))
        return 0;
    for (const char* d = drives; d; d = NextMultiString(d)) {
        if (*d && StrEqual(d, path, 1))
            return 1;
    }
    return 0;
}

void GetParentFolder(const char* path, char* out)
{
    if (!out)
        return;
    out[0] = '\0';
    SafeStrCpy(out, PARENT_FOLDER_SIZE, path);
    ptrdiff_t last = LastSeparator(out);
    out[last < 0 ? 0 : last] = '\0';
    TrimRightChars(out, "\\/");
}

int IsWritableFolder(const char* path, int probe)
{
    if (SafeStrLen(path) == 0)
        return 0;
    UINT type = DriveTypeOf(path);
    if (type != DRIVE_REMOVABLE && type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_RAMDISK)
        return 0;
    if (!FolderExists(path, 1))
        return 0;
    return !probe || CanCreateFileIn(path);
}

int IsUsableDriveFolder(const char* path)
{
    if (SafeStrLen(path) == 0)
        return 0;
    UINT type = DriveTypeOf(path);
    if (type != DRIVE_REMOVABLE && type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_CDROM &&
        type != DRIVE_RAMDISK)
        return 0;
    return FolderExists(path, 1);
}

int MoveToRecycleBin(const char* path)
{
    size_t len = SafeStrLen(path);
    if (len == 0 || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    // pFrom is a double-NUL list; the recycle bin wants a full path.
    char from[PARENT_FOLDER_SIZE + 1] = "";
    DWORD fullLen = GetFullPathNameA(path, PARENT_FOLDER_SIZE, from, nullptr);
    if (fullLen == 0 || fullLen >= PARENT_FOLDER_SIZE)
        return 0;
    from[fullLen + 1] = '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from;
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
    int result = SHFileOperationA(&op);
    return result == 0 && !op.fAnyOperationsAborted;
}

int SyncFileTime(const char* a, const char* b)
{
    if (SafeStrLen(a) == 0 || SafeStrLen(b) == 0)
        return 0;
    HANDLE fa = OpenForTimes(a, GENERIC_READ);
    if (fa == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE fb = OpenForTimes(b, GENERIC_READ | FILE_WRITE_ATTRIBUTES);
    if (fb == INVALID_HANDLE_VALUE) {
        CloseHandle(fa);
        return 0;
    }
    int differ = 0;
    FILETIME created, accessed, written, createdB, accessedB, writtenB;
    if (GetFileTime(fa, &created, &accessed, &written) && GetFileTime(fb, &createdB, &accessedB, &writtenB)) {
        int order = CompareFileTime(&written, &writtenB);
        differ = order != 0;
        if (order < 0)
            SetFileTime(fb, &created, &accessed, &written);
    }
    CloseHandle(fb);
    CloseHandle(fa);
    return differ;
}

DWORD GetSectorSize(const char* path)
{
    if (SafeStrLen(path) < 3)
        return 512;
    char root[MAX_PATH];
    GetDriveRoot(path, root, sizeof(root));
    DWORD sectorsPerCluster, bytesPerSector = 0, freeClusters, clusters;
    if (!root[0] || !GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return 512;
    return bytesPerSector < 512 ? 512 : bytesPerSector;
}

int CreateLockFolder(const char* folder)
{
    return CreateDirectoryA(folder ? folder : kDefaultLockFolder, nullptr) != 0;
}

int RemoveLockFolder(const char* folder)
{
    return RemoveDirectoryA(folder ? folder : kDefaultLockFolder) != 0;
}

const char* IniFileName(const char* base, int perUser)
{
    static char name[8192];
    char user[256 + 1] = "";
    DWORD userSize = sizeof(user);
    SafeStrCpy(name, sizeof(name), NonNullStr(base));
    if (perUser == 1 && GetUserNameA(user, &userSize) && user[0]) {
        SafeStrCat(name, sizeof(name), "-");
        SafeStrCat(name, sizeof(name), user);
    }
    SafeStrCat(name, sizeof(name), ".ini");
    return name;
}

}  // extern "C"
