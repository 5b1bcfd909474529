#include "DurableSave.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "FileUtil.h"
#include "HeapUtil.h"
#include "StrUtil.h"
#include "Trace.h"

namespace {

// A reader that has the file open for a moment (the profile functions, another thread's read) blocks the rename
// and the delete; they are tried again for about a second before the save counts as failed.
const int kPlaceTries = 12;
const DWORD kFirstPause = 5;
const DWORD kLongestPause = 200;
// A leftover whose process still runs is removed only when it is this old: that save cannot still be going on.
const ULONGLONG kStaleAge = 10ULL * 60 * 1000 * 10000;  // ten minutes, in FILETIME units
const size_t kExtraName = 64;
// A name that a file or folder already holds (a leftover a kill left) is passed over for the next; after this many
// such names the save gives up.
const int kNameTries = 16;
// The save folder's name before "<process>-<run>-<number>.dlsave".
const char kSaveFolderName[] = "saves";

volatile LONG g_saveNumber = 0;

// The creation time of process: with the process number it tells one run from another, as the number alone does not
// (Windows gives a number again once its process has ended, and under Wine the first program after the server
// starts always has the same one). 0 when it cannot be read.
ULONGLONG RunOfProcess(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return ((ULONGLONG)created.dwHighDateTime << 32) | created.dwLowDateTime;
}

ULONGLONG OwnRun()
{
    static ULONGLONG run = 0;
    if (!run)
        run = RunOfProcess(GetCurrentProcess());
    return run;
}

// "<path>.<process>-<run>-<number>.dlsave<extension>" in a heap block; the caller frees it with HeapFree.
char* TemporaryName(const char* path, const char* extension)
{
    size_t size = strlen(path) + strlen(NonNullStr(extension)) + kExtraName;
    char* name = (char*)AllocZeroed(size);
    if (name) {
        snprintf(name, size, "%s.%lx-%llx-%lx" DURABLE_SAVE_SUFFIX "%s", path, (unsigned long)GetCurrentProcessId(),
                 (unsigned long long)OwnRun(), (unsigned long)InterlockedIncrement(&g_saveNumber),
                 NonNullStr(extension));
    }
    return name;
}

bool IsNameTaken(DWORD error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// Creates a new temporary file for a save of path (its name, a heap block the caller frees with HeapFree, in *temp);
// INVALID_HANDLE_VALUE with the error kept and *temp null. The name is our own and exact, so it is created as spelt:
// Wine then need not read the whole folder for a name spelt otherwise, and Windows compares names without regard to
// case all the same.
HANDLE CreateTemporary(const char* path, DWORD access, DWORD flags, char** temp)
{
    *temp = nullptr;
    for (int tries = 0; tries < kNameTries; tries++) {
        char* name = TemporaryName(path, nullptr);
        if (!name) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE file = CreateFileA(name, access, 0, nullptr, CREATE_NEW, flags | FILE_FLAG_POSIX_SEMANTICS, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            *temp = name;
            return file;
        }
        DWORD error = GetLastError();
        HeapFree(GetProcessHeap(), 0, name);
        if (!IsNameTaken(error)) {
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
    }
    // Not ERROR_FILE_EXISTS, which tells the callers of a new file's save that the file itself appeared.
    SetLastError(ERROR_CANNOT_MAKE);
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const void* data, DWORD size)
{
    const BYTE* at = (const BYTE*)data;
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, at, size, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        at += written;
        size -= written;
    }
    return true;
}

// Writes the new content into a new temporary file for path and flushes it to the disk (its name in *temp, as
// CreateTemporary gives it); false with the error kept.
bool WriteTemporary(const char* path, const void* data, DWORD size, char** temp)
{
    HANDLE file = CreateTemporary(path, GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL, temp);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(file, data, size) && FlushFileBuffers(file);
    DWORD error = GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    SetLastError(error);
    return ok;
}

bool IsBusyError(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The rename that puts temp in place of path in one step: the file system replaces the directory entry as a whole,
// so path names the old file or the new one at every moment. ReplaceFileA would keep more of the old file's
// metadata, but in some implementations it takes the old file away before the new one is renamed.
bool PlaceFile(const char* temp, const char* path)
{
    DWORD old = GetFileAttributesA(path);
    if (old != INVALID_FILE_ATTRIBUTES) {
        if (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
            SetLastError(ERROR_ACCESS_DENIED);  // a read-only file is the user's wish not to change it
            return false;
        }
        // The new file keeps what the user could see of the old one (a hidden settings file stays hidden).
        DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        if (kept)
            SetFileAttributesA(temp, kept);
    }
    DWORD pause = kFirstPause;
    for (int tries = 1;; tries++) {
        if (MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DWORD error = GetLastError();
        if (!IsBusyError(error) || tries == kPlaceTries) {
            SetLastError(error);
            return false;
        }
        Sleep(pause);
        pause = pause * 2 < kLongestPause ? pause * 2 : kLongestPause;
    }
}

// Renames the open file to path, never over a file there, as MoveFileExA does it (through the file's handle, which
// was opened with write-through). Tried again like PlaceFile; false with ERROR_FILE_EXISTS when a file is there.
bool RenameOpenFileNew(HANDLE file, const char* path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    size_t size = sizeof(FILE_RENAME_INFO) + (size_t)(length > 0 ? length : 0) * sizeof(WCHAR);
    FILE_RENAME_INFO* rename = length > 0 ? (FILE_RENAME_INFO*)AllocZeroed(size) : nullptr;
    if (!rename) {
        SetLastError(length > 0 ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_NAME);
        return false;
    }
    MultiByteToWideChar(CP_ACP, 0, path, -1, rename->FileName, length);
    rename->ReplaceIfExists = FALSE;
    rename->FileNameLength = (DWORD)(length - 1) * sizeof(WCHAR);
    bool renamed = false;
    DWORD error = ERROR_SUCCESS;
    DWORD pause = kFirstPause;
    for (int tries = 1;; tries++) {
        renamed = SetFileInformationByHandle(file, FileRenameInfo, rename, (DWORD)size) != 0;
        if (renamed)
            break;
        error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS)
            error = ERROR_FILE_EXISTS;
        if (!IsBusyError(error) || tries == kPlaceTries)
            break;
        Sleep(pause);
        pause = pause * 2 < kLongestPause ? pause * 2 : kLongestPause;
    }
    HeapFree(GetProcessHeap(), 0, rename);
    SetLastError(error);
    return renamed;
}

// The save of a new file through one handle: the temporary file (made for base, path itself or its name in a save
// folder) is created, written, flushed and renamed to path while it stays open, and removed through the same handle
// when that fails. Each name looked up that is not there costs a read of its whole folder under Wine; this way only
// path is, once.
bool WriteAndPlaceNew(const char* base, const char* path, const void* data, DWORD size)
{
    char* temp = nullptr;
    HANDLE file = CreateTemporary(base, GENERIC_WRITE | DELETE, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, &temp);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(file, data, size) && FlushFileBuffers(file) && RenameOpenFileNew(file, path);
    DWORD error = GetLastError();
    FILE_DISPOSITION_INFO remove = {TRUE};
    bool removed = !ok && SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof(remove));
    // The content was on the disk before the rename: a failing close changes nothing of the new file.
    CloseHandle(file);
    if (!ok && !removed)
        DeleteFileA(temp);
    HeapFree(GetProcessHeap(), 0, temp);
    SetLastError(error);
    return ok;
}

// Whether the leftover name may belong to a save still going on: one of this run, or of the run of a live process
// that the name names. "<file>.<process>-<run>-<number>.dlsave"; names of older builds lack the run, and one of
// them that carries our own number is of an ended run as well.
bool IsOwnSaveRunning(const char* name, const FILETIME& written)
{
    // The process number follows the dot before the last dash; process and run are hexadecimal, without dots.
    const char* dash = strrchr(name, '-');
    const char* dot = dash ? dash : name;
    while (dot > name && dot[-1] != '.')
        dot--;
    if (!dash || dot == name)
        return false;
    char* end = nullptr;
    DWORD process = (DWORD)strtoul(dot, &end, 16);
    bool hasRun = end < dash && *end == '-';
    ULONGLONG run = hasRun ? strtoull(end + 1, nullptr, 16) : 0;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG age = (((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime) -
                    (((ULONGLONG)written.dwHighDateTime << 32) | written.dwLowDateTime);
    if (age > kStaleAge)
        return false;
    if (process == GetCurrentProcessId())
        return hasRun && run == OwnRun();
    HANDLE running = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!running)
        return false;
    DWORD code = 0;
    bool alive = GetExitCodeProcess(running, &code) && code == STILL_ACTIVE;
    // A live process of that number that did not start at the leftover's run is another run; one whose start
    // cannot be read may still be writing.
    ULONGLONG liveRun = alive && hasRun ? RunOfProcess(running) : 0;
    CloseHandle(running);
    return alive && (!liveRun || liveRun == run);
}

}  // namespace

namespace {

// Writes the whole content to a temporary file beside path and puts it in place with place; on failure the temporary
// file goes and the error stays for the caller.
int SaveThrough(bool (*place)(const char*, const char*), const char* path, const void* data, DWORD size)
{
    if (SafeStrLen(path) == 0 || (!data && size)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char* temp = nullptr;
    bool ok = WriteTemporary(path, data, size, &temp) && place(temp, path);
    if (!ok) {
        DWORD error = GetLastError();
        if (temp)
            DeleteFileA(temp);
        if (error != ERROR_FILE_EXISTS)
            Trace("the save of %s failed (error %lu); the old file is kept", path, (unsigned long)error);
        SetLastError(error);
    }
    if (temp)
        HeapFree(GetProcessHeap(), 0, temp);
    return ok ? 1 : 0;
}

}  // namespace

int SaveFileDurably(const char* path, const void* data, DWORD size)
{
    return SaveThrough(PlaceFile, path, data, size);
}

int SaveNewFileDurablyVia(const char* path, const void* data, DWORD size, const char* tempFolder)
{
    if (SafeStrLen(path) == 0 || (!data && size)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char* inFolder = nullptr;
    if (SafeStrLen(tempFolder) > 0) {
        size_t length = strlen(tempFolder) + strlen(PathFileName(path)) + 2;
        inFolder = (char*)AllocZeroed(length);
        if (!inFolder) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        snprintf(inFolder, length, "%s\\%s", tempFolder, PathFileName(path));
    }
    bool ok = WriteAndPlaceNew(inFolder ? inFolder : path, path, data, size);
    if (!ok) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS)
            Trace("the save of %s failed (error %lu); nothing was put in its place", path, (unsigned long)error);
        SetLastError(error);
    }
    if (inFolder)
        HeapFree(GetProcessHeap(), 0, inFolder);
    return ok ? 1 : 0;
}

char* CreateSaveFolder(const char* folder)
{
    if (SafeStrLen(folder) == 0)
        return nullptr;
    size_t length = strlen(folder) + sizeof(kSaveFolderName) + 1;
    char* base = (char*)AllocZeroed(length);
    if (!base)
        return nullptr;
    snprintf(base, length, "%s\\%s", folder, kSaveFolderName);
    char* made = nullptr;
    for (int tries = 0; tries < kNameTries && !made; tries++) {
        made = TemporaryName(base, nullptr);
        if (!made)
            break;
        if (!CreateDirectoryA(made, nullptr)) {
            DWORD error = GetLastError();
            HeapFree(GetProcessHeap(), 0, made);
            made = nullptr;
            if (!IsNameTaken(error))
                break;
        }
    }
    HeapFree(GetProcessHeap(), 0, base);
    return made;
}

void RemoveSaveFolder(char* saveFolder)
{
    if (!saveFolder)
        return;
    // Every save through it renamed or removed its file; what a kill leaves is for RemoveLeftoverSaves.
    RemoveDirectoryA(saveFolder);
    HeapFree(GetProcessHeap(), 0, saveFolder);
}

char* DurableSaveTempName(const char* path, const char* extension)
{
    return SafeStrLen(path) ? TemporaryName(path, extension) : nullptr;
}

int PlaceFileDurably(const char* temp, const char* path)
{
    if (SafeStrLen(temp) == 0 || SafeStrLen(path) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    SetLastError(error);
    ok = ok && PlaceFile(temp, path);
    if (!ok) {
        error = GetLastError();
        DeleteFileA(temp);
        Trace("%s was not put in place of %s (error %lu); the old file is kept", temp, path, (unsigned long)error);
        SetLastError(error);
    }
    return ok ? 1 : 0;
}

int DeleteFileChecked(const char* path)
{
    if (SafeStrLen(path) == 0)
        return 0;
    DWORD pause = kFirstPause;
    for (int tries = 1;; tries++) {
        DeleteFileA(path);
        // Some file systems answer a delete with success and keep the file (a read-only mount under Wine).
        DWORD attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                return 1;
        }
        if (tries == kPlaceTries || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
        Sleep(pause);
        pause = pause * 2 < kLongestPause ? pause * 2 : kLongestPause;
    }
}

int RemoveLeftoverSaves(const char* folder)
{
    if (SafeStrLen(folder) == 0)
        return 0;
    size_t size = strlen(folder) + MAX_PATH + 8;
    char* pattern = (char*)AllocZeroed(size);
    char* file = (char*)AllocZeroed(size);
    int removed = 0;
    if (pattern && file) {
        size_t length = strlen(folder);
        const char* separator = length && (folder[length - 1] == '\\' || folder[length - 1] == '/') ? "" : "\\";
        snprintf(pattern, size, "%s%s*" DURABLE_SAVE_SUFFIX, folder, separator);
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(pattern, &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                if (IsOwnSaveRunning(found.cFileName, found.ftLastWriteTime))
                    continue;
                snprintf(file, size, "%s%s%s", folder, separator, found.cFileName);
                if (isFolder) {
                    // A save folder of a killed run, with the temporary files of its new files.
                    removed += RemoveLeftoverSaves(file);
                    RemoveDirectoryA(file);
                } else if (DeleteFileA(file)) {
                    removed++;
                }
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
    }
    if (pattern)
        HeapFree(GetProcessHeap(), 0, pattern);
    if (file)
        HeapFree(GetProcessHeap(), 0, file);
    return removed;
}
