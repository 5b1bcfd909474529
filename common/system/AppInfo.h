// The application-information object of one deliverable: Windows kind, paths, names, version texts,
// the settings-file location and HTML Help. Each deliverable creates one with new at start and deletes it at its end.
#pragma once

#include <windows.h>

#include <stddef.h>

// Maker folder under the application-data folder, also the prefix of the settings fallback.
#define APPINFO_MAKER_FOLDER "Velmora"

// Texts are process-heap copies owned by the object; the getters return them, never a copy.
class AppInfo {
public:
    AppInfo();
    ~AppInfo();
    AppInfo(const AppInfo&) = delete;
    AppInfo& operator=(const AppInfo&) = delete;

    // Fills WindowsKind and OsVersion.
    void DetectWindowsVersion();
    // OsName from WindowsKind ("" for an unknown kind).
    void BuildOsName();

    void SetNames(const char* appName, const char* description, const char* windowClassName, int majorVersion,
                  int minorVersion, int buildNumber, const char* creator, const char* years, const char* releaseDate,
                  const char* webAddress);
    // Initialises the common controls, then keeps copies of the texts; a null web address keeps our own.
    void SetStrings(const char* appName, const char* description, const char* windowClassName, const char* creator,
                    int majorVersion, int minorVersion, int buildNumber, const char* years, const char* releaseDate,
                    const char* webAddress);
    // As SetStrings with the name, description, class and creator loaded from module's string table.
    void SetNamesFromResources(HINSTANCE module, UINT appNameId, UINT descriptionId, UINT windowClassNameId,
                               UINT creatorId, int majorVersion, int minorVersion, int buildNumber, const char* years,
                               const char* releaseDate, const char* webAddress);

    int GetWindowsKind() const { return WindowsKind; }
    const char* GetOsName() const { return OsName; }
    const char* GetAppName() const { return AppName; }
    const char* GetDescription() const { return Description; }
    const char* GetWindowClassName() const { return WindowClassName; }
    const char* GetReleaseDate() const { return ReleaseDate; }
    const char* GetYears() const { return Years; }
    const char* GetCreatorText() const { return Creator; }
    const char* GetWebAddress() const { return WebAddress; }
    const char* GetProgramDir() const { return ProgramDir; }

    // "Version 1.20.01 b3" and its shorter forms, kept in VersionText.
    const char* GetVersionText();
    // "<name> Version 1.20.01 on <Windows> (<release date>)", kept in VersionText.
    const char* GetVersionLine();
    // Window text "<name> <version>", followed by " [extra]" when extra is not empty; 0 for a null window.
    int SetTitleWithVersion(HWND window, const char* extra);
    // "<name> <version>", kept in TitleText.
    const char* GetTitleWithVersion();
    // Sends WM_SETICON for each icon that is not null; 0 for a null window. Static, so that a window opened without
    // an AppInfo still gets its icons.
    static int SetWindowIcons(HWND window, HICON bigIcon, HICON smallIcon);
    // The desktop work area, kept in WorkArea; null when out of memory.
    const RECT* GetWorkArea();
    // The settings-file path, fixed by the first call (see ResolveIniPath).
    const char* GetIniPath(int perUser);

    // Closes every help window when initialised, else initialises HTML Help.
    void HelpInitialize();
    // Closes every help window and uninitialises HTML Help when it was initialised.
    void HelpUninitialize();
    // Opens helpFile at topic, or shuts help down when both are null; warns when the file is missing. 1 when handled.
    int ShowHelp(HWND owner, const char* helpFile, const char* topic);
    // ShowHelp with the program's own help file of the program folder.
    int ShowProgramHelp(HWND owner, const char* topic);
    // HH_PRETRANSLATEMESSAGE for message; 0 while help is not initialised.
    int HelpPreTranslate(MSG* message);

    // Zeroed block from Heap; the caller frees it with FreeToHeap.
    void* AllocFromHeap(size_t size);
    // block resized (new bytes zeroed), or a new zeroed block for null; null on failure, block kept.
    void* ReAllocFromHeap(void* block, size_t size);
    void FreeToHeap(void* block);
    // Formats into 4,096 bytes for OutputDebugStringA.
    void DebugPrint(const char* format, ...);

    int WindowsKind = 0;
    OSVERSIONINFOEXA OsVersion = {};
    char* OsName = nullptr;
    char* VersionText = nullptr;
    char* AppName = nullptr;
    char* Description = nullptr;
    char* WindowClassName = nullptr;
    int MajorVersion = 0;  // version x 100: 120 is 1.20
    int MinorVersion = 0;
    int BuildNumber = 0;
    char* Creator = nullptr;
    char* Years = nullptr;
    char* ReleaseDate = nullptr;
    char* WebAddress = nullptr;
    char* ModulePath = nullptr;
    char* BaseName = nullptr;
    char* ProgramDir = nullptr;  // ends in "\"
    char* CurrentDir = nullptr;
    char* ProgramFilesDir = nullptr;
    char* AppDataDir = nullptr;
    char* UserDataDir = nullptr;  // "<AppDataDir>\Velmora\<BaseName>\"
    char* IniPath = nullptr;
    RECT* WorkArea = nullptr;
    char* TitleText = nullptr;
    HANDLE Heap = nullptr;
    int HelpInitialized = 0;
    DWORD HelpCookie = 0;

private:
    void FindPaths();
    void FormatVersion(const char* prefix, int withOs);
};

extern "C" {

// Settings-file path: "<folder><base>-<user>.ini" with perUser 1, else "<folder><base>.ini". The folder is programDir
// unless, from Windows 6 on, it cannot be written: then "<appDataDir>\Velmora\<base>\" (created) without the user
// name, or programDir when appDataDir is unknown. Null when out of memory; the caller frees it with HeapFree.
char* ResolveIniPath(const char* programDir, const char* appDataDir, const char* baseName, DWORD osMajor,
                     int perUser);
// "<appDataDir>\Velmora\<baseName>\"; null when appDataDir is null or empty; the caller frees it with HeapFree.
char* BuildUserDataDir(const char* appDataDir, const char* baseName);
// What HTML Help displays: "<helpFile>::<topic>", or helpFile alone for an empty topic; 0 when it does not fit.
int BuildHelpTarget(const char* helpFile, const char* topic, char* out, size_t outSize);
// 1 when no window has the foreground.
int IsNoForegroundWindow(void);
// x, y, width and height (in left, top, right, bottom) of the normal position with *state 2 (minimised) or
// 3 (maximised), or of the current rectangle with *state 1; 0 for a null window or rectangle.
int GetNormalWindowRect(HWND window, RECT* rect, int* state);

}
