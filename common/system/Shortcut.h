// Shortcuts (.lnk files) to the program in the user's special folders, and the paths of those folders.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// The special folder's path into path (at least MAX_PATH bytes); 1 on success, 0 otherwise.
int GetSpecialFolderPath(HWND window, char* path, int csidl);
// Saves a shell link at shortcutPath to target; the icon is the target's when iconFile is null. COM must be
// initialised. The COM result.
HRESULT CreateShortcut(const char* shortcutPath, const char* target, const char* description, const char* arguments,
                       const char* workingFolder, const char* iconFile, int iconIndex, int showCommand);
// "<special folder>\<name>.lnk" to the running program, shown normally; 1 when it was saved, 0 for an empty name
// or any failure.
int CreateFolderShortcut(int csidl, const char* name, const char* description, const char* arguments,
                         const char* workingFolder);
// Deletes "<special folder>\<name>.lnk"; 1 when it was deleted, 0 for an empty name or a missing shortcut.
int DeleteFolderShortcut(int csidl, const char* name);
// Reads every value whose output is given (text outputs of bufferSize bytes) from a saved shell link. COM must be
// initialised. The COM result.
HRESULT ReadShortcut(const char* shortcutPath, char* path, char* arguments, char* workingFolder, int* showCommand,
                     char* iconFile, int* iconIndex, int bufferSize, WIN32_FIND_DATAA* findData);

// CreateFolderShortcut and DeleteFolderShortcut bound to the desktop, Startup, My Documents and Send To folders.
// The program's Startup shortcut is named after the program (AppInfo::GetAppName) and described by its
// descriptive title, so that it is found again by the same name.
int CreateDesktopShortcut(const char* name, const char* description, const char* workingFolder);
int CreateDesktopShortcutArgs(const char* name, const char* description, const char* arguments,
                              const char* workingFolder);
int DeleteDesktopShortcut(const char* name);
int CreateStartupShortcut(const char* name, const char* description, const char* workingFolder);
int CreateStartupShortcutArgs(const char* name, const char* description, const char* arguments,
                              const char* workingFolder);
int DeleteStartupShortcut(const char* name);
int CreateDocumentsShortcut(const char* name, const char* description, const char* workingFolder);
int CreateDocumentsShortcutArgs(const char* name, const char* description, const char* arguments,
                                const char* workingFolder);
int DeleteDocumentsShortcut(const char* name);
int CreateSendToShortcut(const char* name, const char* description, const char* workingFolder);
int CreateSendToShortcutArgs(const char* name, const char* description, const char* arguments,
                             const char* workingFolder);
int DeleteSendToShortcut(const char* name);
// The same in "<application data>\Microsoft\Internet Explorer\Quick Launch".
int CreateQuickLaunchShortcut(const char* name, const char* description, const char* arguments,
                              const char* workingFolder);
int DeleteQuickLaunchShortcut(const char* name);

#ifdef __cplusplus
}
#endif
