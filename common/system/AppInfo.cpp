#include "AppInfo.h"

#include <commctrl.h>
#include <htmlhelp.h>
#include <shlobj.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "DaylensIds.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "Sjis.h"
#include "StrUtil.h"
#include "UserMessage.h"
#include "WindowsVersion.h"

namespace {

const char kDefaultWebAddress[] = "https://velmora.example/daylens/";
const char kHelpMissingText[] = "Cannot find help file.";
const char kHelpMissingCaption[] = "Velmora HtmlHelp Error";
// List view, bar, tab, up-down, progress and date controls.
const DWORD kCommonControlClasses = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                    ICC_PROGRESS_CLASS | ICC_DATE_CLASSES;
const size_t kTextSize = 2048;
const int kResourceTextSize = 1024;
const int kDebugTextSize = 4096;

typedef HWND(WINAPI* HtmlHelpProc)(HWND, LPCSTR, UINT, DWORD_PTR);

void ReplaceText(char** field, const char* text)
{
    char* copy = StrDupHeap(text);
    if (*field)
        HeapFree(GetProcessHeap(), 0, *field);
    *field = copy;
}

void FreeText(char** field)
{
    if (*field)
        HeapFree(GetProcessHeap(), 0, *field);
    *field = nullptr;
}

// Walks characters so that a trail byte 0x5C at the end is not taken for a separator.
bool EndsWithSeparator(const char* path)
{
    bool separator = false;
    for (const char* p = path; *p;) {
        if (IsSjisLeadByte((unsigned char)*p) && p[1] != '\0') {
            separator = false;
            p += 2;
            continue;
        }
        separator = *p == '\\' || *p == '/';
        p++;
    }
    return separator;
}

void AppendFolder(char* out, size_t size, const char* folder)
{
    SafeStrCat(out, size, folder);
    if (out[0] && !EndsWithSeparator(out))
        SafeStrCat(out, size, "\\");
}

// "Version 1.20.01 b3" and its shorter forms appended to out.
void AppendVersionNumber(char* out, size_t size, int major, int minor, int build)
{
    char number[128];
    double version = major / 100.0;
    if (build && minor)
        snprintf(number, sizeof(number), "Version %.2f.%02ld b%ld", version, (long)minor, (long)build);
    else if (build)
        snprintf(number, sizeof(number), "Version %.2f b%ld", version, (long)build);
    else if (minor)
        snprintf(number, sizeof(number), "Version %.2f.%02ld", version, (long)minor);
    else
        snprintf(number, sizeof(number), "Version %.2f", version);
    SafeStrCat(out, size, number);
}

// HTML Help lives in hhctrl.ocx, loaded on first use and kept for the process.
HtmlHelpProc LoadHtmlHelp()
{
    HMODULE module = LoadLibraryA("hhctrl.ocx");
    return module ? (HtmlHelpProc)GetProcAddress(module, "HtmlHelpA") : nullptr;
}

HtmlHelpProc HtmlHelpFunction()
{
    static HtmlHelpProc htmlHelp = LoadHtmlHelp();
    return htmlHelp;
}

char* SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0])
        return nullptr;
    return StrDupHeap(path);
}

}  // namespace

AppInfo::AppInfo()
{
    Heap = GetProcessHeap();
    DetectWindowsVersion();
    BuildOsName();
    FindPaths();
}

AppInfo::~AppInfo()
{
    char** texts[] = {&OsName,     &VersionText,    &AppName,    &Description, &WindowClassName, &Creator,
                      &Years,      &ReleaseDate,    &WebAddress, &ModulePath,  &BaseName,        &ProgramDir,
                      &CurrentDir, &ProgramFilesDir, &AppDataDir, &UserDataDir, &IniPath,         &TitleText};
    for (char** text : texts)
        FreeText(text);
    FreeToHeap(WorkArea);
    WorkArea = nullptr;
    HelpUninitialize();
}

void AppInfo::DetectWindowsVersion()
{
    WindowsKind = 0;
    if (!ReadWindowsVersion(&OsVersion))
        return;
    DWORD productType = 0;
    DWORD major = OsVersion.dwMajorVersion;
    int hasType = (major == 6 || major == 10) ? QueryProductType(&OsVersion, &productType) : 0;
    WindowsKind = WindowsKindFromVersion(major, OsVersion.dwMinorVersion, OsVersion.dwPlatformId,
                                         OsVersion.wSuiteMask, hasType, productType);
}

void AppInfo::BuildOsName()
{
    ReplaceText(&OsName, WindowsKindName(WindowsKind));
}

void AppInfo::FindPaths()
{
    GetModulePathParts(&ModulePath, &ProgramDir, &BaseName);
    char current[PARENT_FOLDER_SIZE];
    DWORD length = GetCurrentDirectoryA(sizeof(current), current);
    if (length > 0 && length < sizeof(current))
        ReplaceText(&CurrentDir, current);
    ProgramFilesDir = SpecialFolder(CSIDL_PROGRAM_FILES);
    AppDataDir = SpecialFolder(CSIDL_APPDATA);
    UserDataDir = BuildUserDataDir(AppDataDir, BaseName);
}

void AppInfo::SetNames(const char* appName, const char* description, const char* windowClassName, int majorVersion,
                       int minorVersion, int buildNumber, const char* creator, const char* years,
                       const char* releaseDate, const char* webAddress)
{
    SetStrings(appName, description, windowClassName, creator, majorVersion, minorVersion, buildNumber, years,
               releaseDate, webAddress);
}

void AppInfo::SetStrings(const char* appName, const char* description, const char* windowClassName,
                         const char* creator, int majorVersion, int minorVersion, int buildNumber, const char* years,
                         const char* releaseDate, const char* webAddress)
{
    InitCommonControls();
    INITCOMMONCONTROLSEX classes = {sizeof(classes), kCommonControlClasses};
    InitCommonControlsEx(&classes);
    ReplaceText(&AppName, appName);
    SetMessageCaption(appName);
    ReplaceText(&Description, description);
    ReplaceText(&WindowClassName, windowClassName);
    ReplaceText(&Creator, creator);
    ReplaceText(&Years, years);
    ReplaceText(&ReleaseDate, releaseDate);
    ReplaceText(&WebAddress, webAddress ? webAddress : kDefaultWebAddress);
    MajorVersion = majorVersion;
    MinorVersion = minorVersion;
    BuildNumber = buildNumber;
}

void AppInfo::SetNamesFromResources(HINSTANCE module, UINT appNameId, UINT descriptionId, UINT windowClassNameId,
                                    UINT creatorId, int majorVersion, int minorVersion, int buildNumber,
                                    const char* years, const char* releaseDate, const char* webAddress)
{
    char appName[kResourceTextSize] = "";
    char description[kResourceTextSize] = "";
    char windowClassName[kResourceTextSize] = "";
    char creator[kResourceTextSize] = "";
    LoadStringA(module, appNameId, appName, sizeof(appName));
    LoadStringA(module, descriptionId, description, sizeof(description));
    LoadStringA(module, windowClassNameId, windowClassName, sizeof(windowClassName));
    LoadStringA(module, creatorId, creator, sizeof(creator));
    SetStrings(appName, description, windowClassName, creator, majorVersion, minorVersion, buildNumber, years,
               releaseDate, webAddress);
}

void AppInfo::FormatVersion(const char* prefix, int withOs)
{
    char text[kTextSize] = "";
    SafeStrCpy(text, sizeof(text), prefix);
    AppendVersionNumber(text, sizeof(text), MajorVersion, MinorVersion, BuildNumber);
    if (withOs && SafeStrLen(OsName) > 0) {
        SafeStrCat(text, sizeof(text), " on ");
        SafeStrCat(text, sizeof(text), OsName);
    }
    if (withOs && SafeStrLen(ReleaseDate) > 0) {
        SafeStrCat(text, sizeof(text), " (");
        SafeStrCat(text, sizeof(text), ReleaseDate);
        SafeStrCat(text, sizeof(text), ")");
    }
    ReplaceText(&VersionText, text);
}

const char* AppInfo::GetVersionText()
{
    FormatVersion("", 0);
    return VersionText;
}

const char* AppInfo::GetVersionLine()
{
    char prefix[kTextSize] = "";
    SafeStrCpy(prefix, sizeof(prefix), AppName);
    SafeStrCat(prefix, sizeof(prefix), " ");
    FormatVersion(prefix, 1);
    return VersionText;
}

const char* AppInfo::GetTitleWithVersion()
{
    char text[kTextSize] = "";
    SafeStrCpy(text, sizeof(text), AppName);
    SafeStrCat(text, sizeof(text), " ");
    SafeStrCat(text, sizeof(text), GetVersionText());
    ReplaceText(&TitleText, text);
    return TitleText;
}

int AppInfo::SetTitleWithVersion(HWND window, const char* extra)
{
    if (!window)
        return 0;
    char text[kTextSize] = "";
    SafeStrCpy(text, sizeof(text), GetTitleWithVersion());
    if (SafeStrLen(extra) > 0) {
        SafeStrCat(text, sizeof(text), " [");
        SafeStrCat(text, sizeof(text), extra);
        SafeStrCat(text, sizeof(text), "]");
    }
    return SetWindowTextA(window, text) != 0;
}

int AppInfo::SetWindowIcons(HWND window, HICON bigIcon, HICON smallIcon)
{
    if (!window)
        return 0;
    if (bigIcon)
        SendMessageA(window, WM_SETICON, ICON_BIG, (LPARAM)bigIcon);
    if (smallIcon)
        SendMessageA(window, WM_SETICON, ICON_SMALL, (LPARAM)smallIcon);
    return 1;
}

const RECT* AppInfo::GetWorkArea()
{
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!WorkArea)
        WorkArea = (RECT*)AllocFromHeap(sizeof(RECT));
    if (WorkArea && !EqualRect(WorkArea, &area))
        *WorkArea = area;
    return WorkArea;
}

const char* AppInfo::GetIniPath(int perUser)
{
    if (!IniPath)
        IniPath = ResolveIniPath(ProgramDir, AppDataDir, BaseName, OsVersion.dwMajorVersion, perUser);
    return IniPath;
}

void AppInfo::HelpInitialize()
{
    HtmlHelpProc htmlHelp = HtmlHelpFunction();
    if (!htmlHelp)
        return;
    if (HelpInitialized) {
        htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
        return;
    }
    htmlHelp(nullptr, nullptr, HH_INITIALIZE, (DWORD_PTR)&HelpCookie);
    HelpInitialized = 1;
}

void AppInfo::HelpUninitialize()
{
    if (!HelpInitialized)
        return;
    HtmlHelpProc htmlHelp = HtmlHelpFunction();
    if (htmlHelp) {
        htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
        htmlHelp(nullptr, nullptr, HH_UNINITIALIZE, (DWORD_PTR)HelpCookie);
    }
    HelpInitialized = 0;
}

int AppInfo::ShowProgramHelp(HWND owner, const char* topic)
{
    char path[MAX_PATH];
    snprintf(path, sizeof(path), "%s%s", NonNullStr(GetProgramDir()), DAYLENS_HELP_FILE);
    return ShowHelp(owner, path, topic);
}

int AppInfo::ShowHelp(HWND owner, const char* helpFile, const char* topic)
{
    if (!helpFile && !topic) {
        HelpUninitialize();
        return 1;
    }
    if (!helpFile)
        return 0;
    if (!FileExists(helpFile)) {
        TellUserWithCaption(owner, kHelpMissingText, kHelpMissingCaption, MB_OK | MB_ICONWARNING);
        return 1;
    }
    char target[PARENT_FOLDER_SIZE];
    if (!BuildHelpTarget(helpFile, topic, target, sizeof(target)))
        return 0;
    HtmlHelpProc htmlHelp = HtmlHelpFunction();
    if (htmlHelp) {
        HelpInitialize();
        htmlHelp(owner, target, HH_DISPLAY_TOPIC, 0);
    }
    return 1;
}

int AppInfo::HelpPreTranslate(MSG* message)
{
    HtmlHelpProc htmlHelp = HelpInitialized ? HtmlHelpFunction() : nullptr;
    if (!htmlHelp || !message)
        return 0;
    return htmlHelp(nullptr, nullptr, HH_PRETRANSLATEMESSAGE, (DWORD_PTR)message) != nullptr;
}

void* AppInfo::AllocFromHeap(size_t size)
{
    return HeapAlloc(Heap, HEAP_ZERO_MEMORY, size);
}

void* AppInfo::ReAllocFromHeap(void* block, size_t size)
{
    if (!block)
        return AllocFromHeap(size);
    return HeapReAlloc(Heap, HEAP_ZERO_MEMORY, block, size);
}

void AppInfo::FreeToHeap(void* block)
{
    if (block)
        HeapFree(Heap, 0, block);
}

void AppInfo::DebugPrint(const char* format, ...)
{
    if (!format)
        return;
    char text[kDebugTextSize];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    text[sizeof(text) - 1] = '\0';
    OutputDebugStringA(text);
}

extern "C" {

char* ResolveIniPath(const char* programDir, const char* appDataDir, const char* baseName, DWORD osMajor,
                     int perUser)
{
    char path[PARENT_FOLDER_SIZE] = "";
    AppendFolder(path, sizeof(path), NonNullStr(programDir));
    // From Vista on the program folder is usually read-only; each user then keeps the file in his own folder.
    if (osMajor >= 6 && !IsWritableFolder(programDir, 1) && SafeStrLen(appDataDir) > 0) {
        char* userDir = BuildUserDataDir(appDataDir, baseName);
        if (!userDir)
            return nullptr;
        CreateDirectoryTree(userDir);
        SafeStrCpy(path, sizeof(path), userDir);
        HeapFree(GetProcessHeap(), 0, userDir);
        perUser = 0;
    }
    SafeStrCat(path, sizeof(path), IniFileName(baseName, perUser));
    return StrDupHeap(path);
}

char* BuildUserDataDir(const char* appDataDir, const char* baseName)
{
    if (SafeStrLen(appDataDir) == 0)
        return nullptr;
    char path[PARENT_FOLDER_SIZE] = "";
    AppendFolder(path, sizeof(path), appDataDir);
    AppendFolder(path, sizeof(path), APPINFO_MAKER_FOLDER);
    AppendFolder(path, sizeof(path), NonNullStr(baseName));
    return StrDupHeap(path);
}

int BuildHelpTarget(const char* helpFile, const char* topic, char* out, size_t outSize)
{
    if (!out || outSize == 0)
        return 0;
    out[0] = '\0';
    if (SafeStrLen(helpFile) == 0)
        return 0;
    // Some callers already start the topic with the separator; it must not appear twice.
    const char* page = NonNullStr(topic);
    if (page[0] == ':' && page[1] == ':')
        page += 2;
    size_t need = strlen(helpFile) + (page[0] ? 2 + strlen(page) : 0) + 1;
    if (need > outSize)
        return 0;
    CopyStr(out, helpFile);
    if (page[0]) {
        AppendStr(out, "::");
        AppendStr(out, page);
    }
    return 1;
}

int IsNoForegroundWindow(void)
{
    return GetForegroundWindow() == nullptr;
}

int GetNormalWindowRect(HWND window, RECT* rect, int* state)
{
    if (!window || !rect)
        return 0;
    RECT r;
    int show = 1;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if ((IsIconic(window) || IsZoomed(window)) && GetWindowPlacement(window, &placement)) {
        r = placement.rcNormalPosition;
        show = IsIconic(window) ? 2 : 3;
    } else if (!GetWindowRect(window, &r)) {
        return 0;
    }
    SetRect(rect, r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (state)
        *state = show;
    return 1;
}

}  // extern "C"
