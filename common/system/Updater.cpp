#include "Updater.h"

#include <shellapi.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "AppInfo.h"
#include "FileType.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

const char kWritableProbe[] = "__velmora_check_writable.txt";

// A heap text that grows line by line; Failed stays set after the first failed allocation.
class TextBuilder {
public:
    TextBuilder() = default;
    ~TextBuilder()
    {
        if (text_)
            HeapFree(GetProcessHeap(), 0, text_);
    }
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;

    void Append(const char* part, size_t length)
    {
        if (failed_ || !Reserve(length))
            return;
        memcpy(text_ + length_, part, length);
        length_ += length;
        text_[length_] = '\0';
    }
    void Append(const char* part) { Append(part, strlen(part)); }
    // The text, handed over to the caller; null after a failure.
    char* Take()
    {
        if (failed_ || !Reserve(0))
            return nullptr;
        char* text = text_;
        text_ = nullptr;
        return text;
    }

private:
    bool Reserve(size_t more)
    {
        if (text_ && length_ + more < capacity_)
            return true;
        size_t capacity = (length_ + more + 1) * 2;
        char* grown = (char*)ReAllocZeroed(text_, capacity);
        if (!grown) {
            failed_ = true;
            return false;
        }
        text_ = grown;
        capacity_ = capacity;
        return true;
    }

    char* text_ = nullptr;
    size_t length_ = 0;
    size_t capacity_ = 0;
    bool failed_ = false;
};

// Web paths use "/"; a trail byte 0x5C inside a double-byte character stays as it is.
void AppendWebPath(TextBuilder& out, const char* path)
{
    for (const char* p = path; *p;) {
        size_t size = (IsSjisLeadByte((unsigned char)*p) && p[1] != '\0') ? 2 : 1;
        out.Append(size == 1 && *p == '\\' ? "/" : p, size);
        p += size;
    }
}

void AppendDownloads(TextBuilder& out, const char* list, const char* base, const char* programDir)
{
    for (const char* path = list; path && *path; path = NextMultiString(path)) {
        out.Append("--download \"");
        out.Append(base);
        out.Append("/");
        AppendWebPath(out, path);
        out.Append(";");
        out.Append(programDir);
        out.Append(path);
        out.Append("\"\n");
    }
}

bool CopyPath(char* out, const char* path)
{
    if (SafeStrLen(path) >= MAX_PATH)
        return false;
    CopyStr(out, NonNullStr(path));
    return true;
}

// From Vista on the program folder under Program Files is read-only for the user; a real file tells.
bool ProgramDirWritable(const char* programDir)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwMajorVersion < 6)
        return true;
    char probe[MAX_PATH];
    int length = snprintf(probe, sizeof(probe), "%s%s", programDir, kWritableProbe);
    if (length <= 0 || length >= (int)sizeof(probe))
        return false;
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    DeleteFileA(probe);
    return true;
}

void RunElevated(const char* file, const char* parameters)
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    // The program ends right after the hand-off: the start must be complete when the call returns.
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = "runas";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

void CloseOwner(HWND window)
{
    if (window)
        SendMessageA(window, WM_CLOSE, 0, 0);
}

// The tool always gets the command file where it was written: in the per-user folder when the program folder
// could not be written, and then elevated, as it installs into the program folder.
void LaunchUpdater(const UpdaterPlace* place, HWND window, const char* commandPath)
{
    if (IsUpdateFormatRegistered()) {
        CloseOwner(window);
        if (place->UseUserDir)
            RunElevated(commandPath, nullptr);
        else
            ShellExecuteA(nullptr, "open", commandPath, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    char tool[MAX_PATH];
    char parameters[MAX_PATH + 2];
    int toolLength = snprintf(tool, sizeof(tool), "%s%s", place->ProgramDir, UPDATER_TOOL_NAME);
    int parametersLength = snprintf(parameters, sizeof(parameters), "\"%s\"", commandPath);
    if (toolLength <= 0 || toolLength >= (int)sizeof(tool) || parametersLength <= 0 ||
        parametersLength >= (int)sizeof(parameters) || !FileExists(tool))
        return;
    CloseOwner(window);
    if (place->UseUserDir)
        RunElevated(tool, parameters);
    else
        ShellExecuteA(nullptr, "open", tool, parameters, nullptr, SW_SHOWNORMAL);
}

}  // namespace

extern "C" {

int GetUpdaterPlace(UpdaterPlace* place)
{
    if (!place)
        return 0;
    memset(place, 0, sizeof(*place));
    char* exePath = nullptr;
    char* programDir = nullptr;
    char* baseName = nullptr;
    GetModulePathParts(&exePath, &programDir, &baseName);
    char appData[MAX_PATH] = "";
    char* userDir = nullptr;
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData)))
        userDir = BuildUserDataDir(appData, baseName);
    bool ok = exePath && programDir && CopyPath(place->ExePath, exePath) &&
              CopyPath(place->ProgramDir, programDir) && CopyPath(place->UserDir, userDir ? userDir : programDir);
    for (char* text : {exePath, programDir, baseName, userDir}) {
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
    }
    if (!ok)
        return 0;
    place->UseUserDir = ProgramDirWritable(place->ProgramDir) ? 0 : 1;
    return 1;
}

char* BuildUpdateCommands(const char* const* fileLists, const char* const* baseAddresses, const char* programDir,
                          const char* exePath, int restart, int confirm)
{
    if (!fileLists || !baseAddresses || !fileLists[0])
        return nullptr;
    TextBuilder out;
    for (int i = 0; i < UPDATER_LIST_MAX && fileLists[i]; i++)
        AppendDownloads(out, fileLists[i], NonNullStr(baseAddresses[i]), NonNullStr(programDir));
    if (restart == 1) {
        out.Append("--restart \"");
        out.Append(NonNullStr(exePath));
        out.Append("\"\n");
    }
    if (confirm == 1)
        out.Append("--confirm\n");
    return out.Take();
}

int IsUpdateFormatRegistered(void)
{
    return IsFileTypeRegistered(UPDATER_FILE_TYPE, UPDATER_FILE_EXTENSION);
}

int IsUpdaterAvailable(void)
{
    if (IsUpdateFormatRegistered())
        return 1;
    char* programDir = nullptr;
    GetModulePathParts(nullptr, &programDir, nullptr);
    if (!programDir)
        return 0;
    char tool[MAX_PATH];
    int length = snprintf(tool, sizeof(tool), "%s%s", programDir, UPDATER_TOOL_NAME);
    HeapFree(GetProcessHeap(), 0, programDir);
    return length > 0 && length < (int)sizeof(tool) && FileExists(tool) ? 1 : 0;
}

int StartUpdaterAt(const UpdaterPlace* place, HWND window, const char* const* fileLists,
                   const char* const* baseAddresses, const char* commandFileName, int restart, int confirm)
{
    if (!place || SafeStrLen(commandFileName) == 0)
        return 0;
    const char* folder = place->UseUserDir ? place->UserDir : place->ProgramDir;
    char commandPath[MAX_PATH];
    int length = snprintf(commandPath, sizeof(commandPath), "%s%s", folder, commandFileName);
    if (length <= 0 || length >= (int)sizeof(commandPath))
        return 0;
    char* text = BuildUpdateCommands(fileLists, baseAddresses, place->ProgramDir, place->ExePath, restart, confirm);
    if (!text)
        return 0;
    if (place->UseUserDir)
        CreateDirectoryTree(folder);
    int written = WriteWholeFile(commandPath, text, (DWORD)strlen(text), nullptr);
    HeapFree(GetProcessHeap(), 0, text);
    if (!written)
        return 0;
    LaunchUpdater(place, window, commandPath);
    return 1;
}

int StartUpdater(HWND window, const char* const* fileLists, const char* const* baseAddresses,
                 const char* commandFileName, int restart, int confirm)
{
    UpdaterPlace place;
    if (!fileLists || !baseAddresses || !fileLists[0] || !GetUpdaterPlace(&place))
        return 0;
    return StartUpdaterAt(&place, window, fileLists, baseAddresses, commandFileName, restart, confirm);
}

int StartUpdaterSingle(HWND window, const char* fileList, const char* baseAddress, const char* commandFileName,
                       int restart, int confirm)
{
    const char* lists[] = {fileList, nullptr};
    const char* bases[] = {baseAddress, nullptr};
    return StartUpdater(window, lists, bases, commandFileName, restart, confirm);
}

}  // extern "C"
