// Shows the built plug-in's popup or settings dialog for a while, for looking at them (screenshots):
//   popupview_show popup|menu|settings|about <seconds> [settings file]
// "menu" opens the popup's menu with a right click in the popup after two seconds; "about" opens the version
// dialog from the settings dialog.
// The settings file, when given, becomes the plug-in's settings file before the plug-in is loaded.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "AppInfo.h"
#include "FileUtil.h"
#include "ModuleExport.h"
#include "PopupViewModule.h"

namespace {

const char kPlugIn[] = DAYLENS_DIST_DIR "\\PlugIn\\DaylensPopupView.dll";
HMODULE g_dll;

DWORD WINAPI ShowPopup(void*)
{
    auto open = FindExport(g_dll, PopupViewModule::kPopupViewOpen);
    return open ? (DWORD)open(nullptr, nullptr, "10時 歯医者の予約\r\n15時 打ち合わせの資料を送る", nullptr,
                              "ほうれん草の日 (1952年)", nullptr)
                : 0;
}

DWORD WINAPI ShowSettings(void*)
{
    auto set = FindExport(g_dll, PopupViewModule::kPopupViewSet);
    return set ? (DWORD)set(nullptr) : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    bool menu = strcmp(argv[1], "menu") == 0;
    bool popup = menu || strcmp(argv[1], "popup") == 0;
    bool about = strcmp(argv[1], "about") == 0;
    DWORD seconds = (DWORD)atoi(argv[2]);
    AppInfo info;
    const char* ini = info.GetIniPath(1);
    DeleteFileA(ini);
    if (argc > 3 && !CopyFileA(argv[3], ini, FALSE))
        return 3;
    g_dll = LoadLibraryA(kPlugIn);
    if (!g_dll)
        return 4;
    HANDLE thread = CreateThread(nullptr, 0, popup ? ShowPopup : ShowSettings, nullptr, 0, nullptr);
    if (menu) {
        Sleep(2000);
        HWND window = FindWindowA("#32770", "DaylensPopupView");
        RECT r = {};
        GetWindowRect(window, &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, click, sizeof(INPUT));
        seconds = seconds > 2 ? seconds - 2 : 0;
    }
    if (about) {
        Sleep(2000);
        PostMessageA(FindWindowA("#32770", "PopupView - Daylens"), WM_COMMAND, 2041, 0);
        seconds = seconds > 2 ? seconds - 2 : 0;
    }
    Sleep(seconds * 1000);
    if (about) {
        HWND version = FindWindowA("#32770", "バージョン情報");
        if (version)
            PostMessageA(version, WM_COMMAND, IDCANCEL, 0);
        Sleep(500);
    }
    if (menu)
        keybd_event(VK_ESCAPE, 0, 0, 0), keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    if (popup) {
        FindExport(g_dll, PopupViewModule::kPopupViewClose)();
    } else {
        HWND dialog = FindWindowA("#32770", "PopupView - Daylens");
        if (dialog)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    FreeLibrary(g_dll);
    return 0;
}
