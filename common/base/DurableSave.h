// The one way a file the user owns is saved: the whole new content goes to a temporary file beside it, is flushed to
// the disk and only then put in place, so that a kill, a power cut or a full disk leaves the old content or the new,
// never a part of either.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// What ends the name of a save's temporary file ("<file>.<process>-<run>-<number>.dlsave", the run being the
// process's start time, so that a name is never one that an ended run of the same process number left); no reader
// takes such a file.
#define DURABLE_SAVE_SUFFIX ".dlsave"

// Puts size bytes in place as the whole content of path. 1 when path holds them; 0 with path untouched, the
// temporary file removed and GetLastError saying why (ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ...).
int SaveFileDurably(const char* path, const void* data, DWORD size);
// SaveFileDurably for a file that a listing of its folder just showed missing: put in place only while no file is
// at path, so that the name is looked for once (under Wine each look for a missing name reads the whole folder). 0
// with ERROR_FILE_EXISTS and the file that appeared untouched, else as SaveFileDurably. The temporary file is made
// in tempFolder, a folder of CreateSaveFolder beside path (beside path itself when tempFolder is null). Many new
// files saved into one folder are made faster so: under Wine each new name reads the whole folder it is made in.
int SaveNewFileDurablyVia(const char* path, const void* data, DWORD size, const char* tempFolder);
// A new empty folder in folder ("saves.<process>-<run>-<number>.dlsave") for the temporary files of the saves of
// many new files into folder; null when it cannot be made. The caller ends with RemoveSaveFolder, which frees the
// name.
char* CreateSaveFolder(const char* folder);
void RemoveSaveFolder(char* saveFolder);
// The name of a new temporary file beside path for a file that another writer fills (an archiver), ending in
// extension when given; null without memory. The caller frees it with HeapFree and hands the filled file to
// PlaceFileDurably.
char* DurableSaveTempName(const char* path, const char* extension);
// Flushes the whole file at temp to the disk and puts it in place of path as SaveFileDurably does; on failure temp
// is removed and path untouched. 1 when path holds temp's content.
int PlaceFileDurably(const char* temp, const char* path);
// Deletes path and checks that it is gone; 1 when no file is left at path (also when there was none).
int DeleteFileChecked(const char* path);
// Removes the temporary files and save folders that saves of an ended run left in folder, also those whose process
// number a live process has again (a save in progress is left alone); the number of temporary files removed.
int RemoveLeftoverSaves(const char* folder);

#ifdef __cplusplus
}
#endif
