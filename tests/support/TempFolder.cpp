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
    std::string dir = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++serial);
    if (!CreateDirectoryA(dir.c_str(), nullptr))
        return false;
    dir_ = dir;
    return true;
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
