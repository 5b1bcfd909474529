#include "FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <string.h>

#include "CommonDialogLibrary.h"
#include "HeapUtil.h"
#include "StrUtil.h"

namespace {

// Literals carry their own terminator, so each filter ends in a double NUL.
const char kOpenTitle[] = "ファイルを開く";
const char kOpenFilter[] = "すべてのファイル(*.*)\0*.*\0";
const char kSaveTitle[] = "ファイルを保存";
const char kSaveFilter[] = "すべてのファイル\0*.*\0";
const char kFolderTitle[] = "フォルダを選択してください";

int RunFileDialog(HWND owner, const char* title, char* path, const char* filter, char* folder, int save)
{
    if (!filter || !*filter)
        filter = save ? kSaveFilter : kOpenFilter;
    if (!title)
        title = save ? kSaveTitle : kOpenTitle;

    char file[MAX_PATH] = "";
    SafeStrCpy(file, sizeof(file), path);
    char ext[MAX_PATH];
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrInitialDir = (folder && *folder) ? folder : nullptr;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = FilterDefaultExt(filter, ofn.nFilterIndex, ext, sizeof(ext)) ? ext : nullptr;
    ofn.Flags = FileDialogFlags(save);

    auto run = CommonDialogProc<BOOL(WINAPI*)(OPENFILENAMEA*)>(save ? "GetSaveFileNameA" : "GetOpenFileNameA");
    if (!run || !run(&ofn))
        return 0;
    SafeStrCpy(path, MAX_PATH, file);
    if (folder) {
        file[ofn.nFileOffset < sizeof(file) ? ofn.nFileOffset : 0] = '\0';
        SafeStrCpy(folder, MAX_PATH, file);
    }
    return 1;
}

}  // namespace

extern "C" {

int FilterDefaultExt(const char* filter, int index, char* ext, size_t extSize)
{
    SafeStrCpy(ext, extSize, "");
    if (!filter || !*filter || index < 1)
        return 0;
    // Pairs of description and pattern: the pattern is the (2 * index)-th string.
    const char* pattern = filter;
    for (int i = 1; pattern && i < 2 * index; i++)
        pattern = NextMultiString(pattern);
    if (!pattern || strncmp(pattern, "*.", 2) != 0)
        return 0;
    const char* start = pattern + 2;
    size_t len = strcspn(start, "; ");
    if (len == 0 || len >= extSize || strcspn(start, "*?") < len)
        return 0;
    memcpy(ext, start, len);
    ext[len] = '\0';
    return 1;
}

DWORD FileDialogFlags(int save)
{
    if (save)
        return OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS;
}

int OpenFileDialog(HWND owner, const char* title, char* path, const char* filter, char* folder)
{
    return RunFileDialog(owner, title, path, filter, folder, 0);
}

int SaveFileDialog(HWND owner, const char* title, char* path, const char* filter, char* folder)
{
    return RunFileDialog(owner, title, path, filter, folder, 1);
}

int CALLBACK BrowseForFolderProc(HWND window, UINT message, LPARAM param, LPARAM data)
{
    const char* start = (const char*)data;
    if (message == BFFM_INITIALIZED && start && *start)
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

int BrowseForFolder(HWND owner, char* path, const char* title)
{
    char display[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title ? title : kFolderTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseForFolderProc;
    info.lParam = (LPARAM)path;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item)
        return 0;
    char chosen[MAX_PATH] = "";
    BOOL isFolder = SHGetPathFromIDListA(item, chosen);
    CoTaskMemFree(item);
    if (!isFolder)
        return 0;
    SafeStrCpy(path, MAX_PATH, chosen);
    return 1;
}

}  // extern "C"
