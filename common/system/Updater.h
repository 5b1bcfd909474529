// Hand-off to the separate update tool LxUpdate: a command file of "--download", "--restart" and "--confirm"
// lines, written where the program may write, and the tool started on it.
#pragma once

#include <windows.h>

// The update tool in the program folder, and the file type of its command files.
#define UPDATER_TOOL_NAME "LxUpdate.exe"
#define UPDATER_FILE_EXTENSION ".luf"
#define UPDATER_FILE_TYPE "LxUpdateFormat"
// File lists an update may name at most.
#define UPDATER_LIST_MAX 10000

#ifdef __cplusplus
extern "C" {
#endif

// Where the hand-off writes and whom it restarts.
struct UpdaterPlace {
    char ProgramDir[MAX_PATH];  // ends in "\"
    char UserDir[MAX_PATH];     // "<application data>\Velmora\<base name>\", or ProgramDir when that is unknown
    char ExePath[MAX_PATH];     // the program that "--restart" starts again
    int UseUserDir;             // 1 when the program folder cannot be written: the file goes to UserDir and the
                                // tool is started elevated
};

// Fills place from the running program, probing whether its folder can be written (from Windows 6 on);
// 0 when a path does not fit.
int GetUpdaterPlace(struct UpdaterPlace* place);
// The command file's text: per path of each double-NUL list "--download \"<base>/<path with />;<programDir><path>\"",
// then "--restart \"<exePath>\"" and "--confirm" when asked, each line ending in "\n". Null when an array is missing
// or empty, or out of memory; the caller frees it with HeapFree.
char* BuildUpdateCommands(const char* const* fileLists, const char* const* baseAddresses, const char* programDir,
                          const char* exePath, int restart, int confirm);
// 1 when ".luf" and "LxUpdateFormat" with its open command are registered.
int IsUpdateFormatRegistered(void);
// 1 when the command file type is registered or the program folder holds LxUpdate.exe.
int IsUpdaterAvailable(void);
// Writes the command file named commandFileName into place's folder, closes window (WM_CLOSE, when given) and
// starts the tool on the file through its file type or LxUpdate.exe; nothing starts when neither is there.
// 1 when the file was written, 0 when an array is missing or empty or the file cannot be written.
int StartUpdaterAt(const struct UpdaterPlace* place, HWND window, const char* const* fileLists,
                   const char* const* baseAddresses, const char* commandFileName, int restart, int confirm);
// StartUpdaterAt for the running program.
int StartUpdater(HWND window, const char* const* fileLists, const char* const* baseAddresses,
                 const char* commandFileName, int restart, int confirm);
// StartUpdater with one list and one base address.
int StartUpdaterSingle(HWND window, const char* fileList, const char* baseAddress, const char* commandFileName,
                       int restart, int confirm);

#ifdef __cplusplus
}
#endif
