// Whole-file reading and writing, folder tests and creation, and file-system odds and ends.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Size of the buffer that GetParentFolder fills.
#define PARENT_FOLDER_SIZE 8192

// Whole file, NUL-terminated (size + 2 zeroed bytes), size in *size; null when missing, empty or unreadable; the caller frees it with HeapFree.
char* ReadWholeFile(const char* path, DWORD* size);
// As ReadWholeFile for a file already open; closes the handle on every path; the caller frees it with HeapFree.
char* ReadOpenFile(HANDLE file, DWORD* size);
// Saves size bytes as the whole content of path through the durable save (the old file stays whole on failure),
// then sets its three times to time (UTC) when given; 1 when path holds them.
int WriteWholeFile(const char* path, const void* data, DWORD size, const SYSTEMTIME* time);
// The program's full path, drive and folder (ending in "\"), and base name, each replacing the heap text at a non-null out; the caller frees them with HeapFree.
void GetModulePathParts(char** path, char** folder, char** base);
// The file name of path after its last "\\", "/" or ":" (a trail byte 0x5C is no separator); path itself when
// it has none.
const char* PathFileName(const char* path);
// 1 when path is an existing file (not a folder).
int FileExists(const char* path);
// 1 when path is an existing folder; with driveRoot 1, "X:" and "X:\" count without asking the file system.
int FolderExists(const char* path, int driveRoot);
// Creates the folder and every missing parent (trailing blanks, CR, LF and "\" ignored); 1 when the folder itself was created.
int CreateDirectoryTree(const char* path);
// 1 when path is empty or one of the logical drive roots ("C:\").
int IsDriveRoot(const char* path);
// Folder part of path without trailing separators into out (PARENT_FOLDER_SIZE bytes); "" when path has no folder.
void GetParentFolder(const char* path, char* out);
// 1 when path is an existing folder on a removable, fixed, remote or RAM drive and, with probe 1, a file can be created in it.
int IsWritableFolder(const char* path, int probe);
// 1 when path is an existing folder on a removable, fixed, remote, CD-ROM or RAM drive.
int IsUsableDriveFolder(const char* path);
// Moves a file or folder to the recycle bin without asking; 1 when it was moved.
int MoveToRecycleBin(const char* path);
// When file a was written earlier than b, gives b a's three times; 1 when the write times differed.
int SyncFileTime(const char* a, const char* b);
// Bytes per sector of path's drive, at least 512.
DWORD GetSectorSize(const char* path);
// Creates the lock folder (".\lxlock" for null); 1 when it was created.
int CreateLockFolder(const char* folder);
// Removes the lock folder (".\lxlock" for null); 1 when it was removed.
int RemoveLockFolder(const char* folder);
// "base-user.ini" when perUser is 1 and the Windows user name is known, else "base.ini", in a static buffer.
const char* IniFileName(const char* base, int perUser);

#ifdef __cplusplus
}
#endif
