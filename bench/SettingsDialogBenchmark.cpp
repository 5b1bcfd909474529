// Opens and closes the settings dialog of a running Daylens.exe many times, each time with the preview and a change
// on a page, and reads the program's private memory before and after:
//   settings_dialog_benchmark.exe <dist folder> [cycles [plain]]
// With "plain" the dialog is only opened and cancelled. Daylens runs from a copy of the dist folder with a prepared settings file.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "BenchClock.h"
#include "DaylensIds.h"
#include "SettingsDialogIds.h"
#include "ProgramRuns.h"
#include "TempFolder.h"

namespace {

const int kDefaultCycles = 100;
const DWORD kTimeoutMs = 20000;
const char kCaption[] = "Daylens 環境設定";

HWND FindProcessWindow(const char* windowClass, const char* caption, DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, windowClass, caption)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// Polls for the window; null after the time-out.
HWND WaitForWindow(const char* windowClass, const char* caption, DWORD processId)
{
    DWORD start = GetTickCount();
    HWND window;
    while (!(window = FindProcessWindow(windowClass, caption, processId))) {
        if (GetTickCount() - start > kTimeoutMs)
            return nullptr;
        Sleep(1);
    }
    return window;
}

bool WaitForGone(const char* caption, DWORD processId)
{
    DWORD start = GetTickCount();
    while (FindProcessWindow("#32770", caption, processId)) {
        if (GetTickCount() - start > kTimeoutMs)
            return false;
        Sleep(1);
    }
    return true;
}

struct MemoryFigures {
    SIZE_T Private;     // PrivateUsage, or the page-file usage where the system gives no private figure
    SIZE_T WorkingSet;
    DWORD GdiObjects;
    DWORD UserObjects;
};

MemoryFigures ReadFigures(HANDLE process)
{
    MemoryFigures figures = {};
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS*)&counters, sizeof(counters))) {
        figures.Private = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        figures.WorkingSet = counters.WorkingSetSize;
    }
    figures.GdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    figures.UserObjects = GetGuiResources(process, GR_USEROBJECTS);
    return figures;
}

void PrintFigures(const char* when, const MemoryFigures& figures)
{
    printf("%-7s private %lu KB, working set %lu KB, GDI objects %lu, USER objects %lu\n", when,
           (unsigned long)(figures.Private / 1024), (unsigned long)(figures.WorkingSet / 1024),
           (unsigned long)figures.GdiObjects, (unsigned long)figures.UserObjects);
}

// The page of the dialog that holds the control.
HWND PageControl(HWND dialog, int id)
{
    HWND page = nullptr;
    while ((page = FindWindowExA(dialog, page, "#32770", nullptr)) != nullptr) {
        if (HWND control = GetDlgItem(page, id))
            return control;
    }
    return nullptr;
}

bool s_plain = false;  // only open and cancel, without the preview and the change

// One opening: the preview, a change of the months across, then Cancel. False when a window did not come or go.
bool OneCycle(HWND calendar, DWORD processId, int cycle)
{
    PostMessageA(calendar, WM_COMMAND, IDM_SETTINGS, 0);
    HWND dialog = WaitForWindow("#32770", kCaption, processId);
    if (!dialog)
        return false;
    if (!s_plain) {
        SendMessageA(dialog, WM_COMMAND, IDC_SETTINGS_BTN_PREVIEW, 0);
        SendMessageA(PageControl(dialog, IDC_ENVGENERAL_EDIT_ACROSS), WM_SETTEXT, 0,
                     (LPARAM)(cycle % 2 ? "2" : "3"));
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return WaitForGone(kCaption, processId);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: settings_dialog_benchmark <dist folder> [cycles]\n");
        return 2;
    }
    int cycles = CountArgument(argc, argv, 2, kDefaultCycles);
    s_plain = argc > 3 && strcmp(argv[3], "plain") == 0;
    std::string folder = FreshTempFolder("daylens-settings-benchmark");
    RunningProgram run;
    if (!CopyProgram(argv[1], folder, 40, 30))
        return 1;
    if (!StartProgram(folder + "\\Daylens.exe", folder, &run)) {
        printf("cannot start %s\\Daylens.exe\n", folder.c_str());
        return 1;
    }
    const PROCESS_INFORMATION& process = run.Process;
    int result = 1;
    HWND calendar = WaitForWindow(DAYLENS_WINDOW_CLASS, nullptr, process.dwProcessId);
    // The first opening loads what stays loaded (fonts, the tab control's classes).
    if (calendar && OneCycle(calendar, process.dwProcessId, 0)) {
        MemoryFigures before = ReadFigures(process.hProcess);
        LARGE_INTEGER from = Now();
        int done = 0;
        while (done < cycles && OneCycle(calendar, process.dwProcessId, done + 1))
            done++;
        double ms = Milliseconds(from, Now());
        MemoryFigures after = ReadFigures(process.hProcess);
        printf("%d openings and closings in %.0f ms (%.1f ms each)\n", done, ms, done ? ms / done : 0.0);
        PrintFigures("before", before);
        PrintFigures("after", after);
        result = done == cycles ? 0 : 1;
    } else {
        printf("the calendar or its settings dialog did not come\n");
    }
    if (calendar)
        PostMessageA(calendar, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RemoveFolder(folder);
    return result;
}
