// The processor time a process spends while the mini memo is shown and nobody touches it:
//   minimemo_idle_benchmark.exe <DaylensMiniMemo.dll> [seconds]
// Loads the plug-in as the host does (which shows the memo window), waits for the window, then sleeps the given
// time (60 s unless told) and reads the process's kernel and user time over that span. Ends with LxClose and
// FreeLibrary, as the host's shut-down does.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "BenchClock.h"
#include "DaylensIds.h"
#include "PlugInModule.h"

namespace {

const int kDefaultSeconds = 60;
const DWORD kWindowTimeoutMs = 20000;
// The first full build of the memo runs a second after the window appears; the idle span starts after it.
const DWORD kSettleMs = 2000;

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return (double)(k.QuadPart + u.QuadPart) / 10000.0;
}

HWND WaitForMemoWindow()
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWindowTimeoutMs) {
        HWND window = FindWindowA(MINIMEMO_WINDOW_CLASS, nullptr);
        if (window)
            return window;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: minimemo_idle_benchmark.exe <DaylensMiniMemo.dll> [seconds]\n");
        return 2;
    }
    int seconds = argc > 2 ? atoi(argv[2]) : kDefaultSeconds;
    HMODULE plugIn = LoadLibraryA(argv[1]);
    if (!plugIn) {
        fprintf(stderr, "cannot load %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    HWND window = WaitForMemoWindow();
    printf("memo window: %s\n", window ? "shown" : "missing");
    Sleep(kSettleMs);
    double cpuBefore = ProcessCpuMs();
    LARGE_INTEGER from = Now();
    Sleep((DWORD)seconds * 1000);
    double cpu = ProcessCpuMs() - cpuBefore;
    double wall = Milliseconds(from, Now());
    printf("idle %.1f s: processor time %.1f ms (%.3f %% of one core)\n", wall / 1000.0, cpu, cpu * 100.0 / wall);
    auto close = FindExport(plugIn, PlugInModule::kLxClose);
    if (close)
        close();
    FreeLibrary(plugIn);
    printf("closed and unloaded\n");
    return 0;
}
