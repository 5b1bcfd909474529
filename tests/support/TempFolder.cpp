#include "TempFolder.h"

#include <windows.h>

#include <shellapi.h>

bool TempFolder::Create(const char* prefix)
{
    static int serial = 0;
    Remove();
    char temp[MAX_PATH];
    if (!GetTempPathA(sizeof(temp), temp))
        return false;
    // A folder of an earlier run that ended before it could clean up may hold the name (process ids come back).
    for (int tries = 0; tries < 100; tries++) {
        std::string dir = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(++serial);
        if (CreateDirectoryA(dir.c_str(), nullptr)) {
            dir_ = dir;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

void TempFolder::Remove()
{
    if (dir_.empty())
        return;
    std::string from = dir_ + '\0';  // the list ends with two zeros
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
    dir_.clear();
}

bool CopyFolder(const std::string& from, const std::string& to)
{
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = data.cFileName;
        // build/dist may hold the settings of an earlier run of the program.
        if (name == "." || name == ".." || name.rfind("Daylens-", 0) == 0)
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyFolder(from + "\\" + name, to + "\\" + name) && ok;
        else
            ok = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && ok;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return ok;
}

void RemoveFolder(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

std::string TakeHeapText(char* text)
{
    std::string copy = text ? text : "(null)";
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return copy;
}

std::string HostIniPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string file = path;
    file = file.substr(0, file.rfind('.'));
    char user[256] = "";
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    return file + "-" + user + ".ini";
}
