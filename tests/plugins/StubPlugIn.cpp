// A stand-in plug-in that writes down every call the host makes: one line "<file name> <call> ..." per call,
// appended to the file that DAYLENS_PLUGIN_LOG names, or to "PlugInCalls.txt" beside the DLL. Its exports are the
// shared ones of the plug-in interface, each wrapped by a Stub function that writes the line (the .def file exports
// LxClose=StubLxClose and so on), so that the interface library answers as in every plug-in.
//
// STUB_NAME: the file name; STUB_RUN_ONCE: LxGetOnce's answer; STUB_ITEMS: 1 or 2 menu items.
#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "PlugInInterface.h"

namespace {

HMODULE g_self;

void Log(const char* format, ...)
{
    char path[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", path, sizeof(path));
    if (length == 0 || length >= sizeof(path)) {
        length = GetModuleFileNameA(g_self, path, sizeof(path));
        char* slash = strrchr(path, '\\');
        if (!slash || length >= sizeof(path) - 20)
            return;
        strcpy(slash + 1, "PlugInCalls.txt");
    }
    char line[4096];
    int used = snprintf(line, sizeof(line), "%s ", STUB_NAME);
    va_list args;
    va_start(args, format);
    used += vsnprintf(line + used, sizeof(line) - used - 2, format, args);
    va_end(args);
    if (used < 0 || used > (int)sizeof(line) - 2)
        used = (int)sizeof(line) - 2;
    line[used++] = '\n';
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, (DWORD)used, &written, nullptr);
    CloseHandle(file);
}

#if STUB_ITEMS == 2
const char* const kJapanese[] = {STUB_NAME " 表示", STUB_NAME " 設定"};
const char* const kEnglish[] = {STUB_NAME " Show", STUB_NAME " Set"};
#else
const char* const kJapanese[] = {"カレンダー印刷"};
const char* const kEnglish[] = {"Print Calendar"};
#endif

void RunMenu(HWND calendar, int item)
{
    Log("run %d %s", item, calendar ? "window" : "none");
}

void Activate()
{
    Log("activate");
}

const PlugInDescription kDescription = {
    kJapanese, kEnglish, STUB_ITEMS, 105, 0, STUB_RUN_ONCE, "stand-in", RunMenu, Activate, nullptr,
};

// A menu table entry's fields read at the offsets the toolbar relies on.
void LogMenuTable(const unsigned char* table)
{
    char text[4000] = "";
    size_t used = 0;
    int count = 0;
    for (int i = 0; i < PLUGIN_MENU_ITEM_COUNT; i++) {
        const unsigned char* entry = table + i * 536;
        DWORD item = 0;
        DWORD command = 0;
        void* slot = nullptr;
        memcpy(&slot, entry, sizeof(slot));
        memcpy(&item, entry + 8, 4);
        memcpy(&command, entry + 12, 4);
        if (!command)
            continue;
        count++;
        if (used < sizeof(text) - 600)
            used += (size_t)snprintf(text + used, sizeof(text) - used, " %lu/%lu/%s/%s/%s", command, item,
                                     (const char*)entry + 16, (const char*)entry + 276, slot ? "slot" : "none");
    }
    Log("setmenu %d%s", count, text);
}

}  // namespace

const PlugInDescription* ThisPlugIn()
{
    return &kDescription;
}

extern "C" {

int StubLxPlugInMenuInfoLang(char* buffer, int* size, const char* language)
{
    int given = size ? *size : 0;
    int result = LxPlugInMenuInfoLang(buffer, size, language);
    Log("menu %d %s -> %d %d", given, buffer ? "buffer" : "null", result, size ? *size : 0);
    return result;
}

int StubLxPlugInRunMenu(HWND calendar, int item)
{
    return LxPlugInRunMenu(calendar, item);
}

int StubLxActivate(void)
{
    return LxActivate();
}

int StubLxGetOnce(void)
{
    int once = LxGetOnce();
    Log("getonce %d", once);
    return once;
}

int StubLxClose(void)
{
    Log("close");
    return LxClose();
}

int StubGetMajorVersion(void)
{
    Log("version");
    return GetMajorVersion();
}

int StubGetMinorVersion(void)
{
    return GetMinorVersion();
}

int StubLxSetPlugInMenu(PlugInMenuItem* table)
{
    LogMenuTable((const unsigned char*)table);
    return 1;
}

int StubToolBarAutoStart(HWND calendar)
{
    Log("autostart %s", calendar ? "window" : "none");
    return 1;
}

}  // extern "C"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        Log("attach");
    } else if (reason == DLL_PROCESS_DETACH) {
        Log("detach");
    }
    return TRUE;
}
