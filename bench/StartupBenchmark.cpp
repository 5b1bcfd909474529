// How long Daylens.exe takes from its start to the first painted calendar, against a minimal window program
// started the same way, several runs each, taking turns:
//   startup_benchmark.exe <dist folder> [runs]
// Daylens runs from a copy of the dist folder; a first run writes the full settings file that every measured
// run then reads. The minimal program (minimal_window.exe) is looked for beside this program.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "DaylensIds.h"
#include "TempFolder.h"

namespace {

const int kDefaultRuns = 10;
const DWORD kStartTimeoutMs = 30000;
const DWORD kSettleMs = 300;
const char kMinimalClass[] = "DaylensMinimalWindow";
// Both windows are placed here; the pixel inside their top-left corner tells when they are painted.
const int kWindowX = 40;
const int kWindowY = 30;

HWND FindProcessWindow(const char* windowClass, DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

// Starts exe in folder and polls until its window of windowClass shows other pixels than the screen did before;
// the milliseconds from the start, or -1. The program is closed again and waited for.
double MeasureOne(const std::string& exe, const std::string& folder, const char* windowClass)
{
    Sleep(kSettleMs);
    HDC screen = GetDC(nullptr);
    COLORREF before = GetPixel(screen, kWindowX + 2, kWindowY + 2);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER from = Now();
    if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        ReleaseDC(nullptr, screen);
        return -1;
    }
    double painted = -1;
    HWND window = nullptr;
    DWORD started = GetTickCount();
    while (painted < 0 && GetTickCount() - started < kStartTimeoutMs) {
        if (!window)
            window = FindProcessWindow(windowClass, process.dwProcessId);
        RECT rect;
        if (window && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
            GetPixel(screen, rect.left + 2, rect.top + 2) != before)
            painted = Milliseconds(from, Now());
        else
            Sleep(1);
    }
    ReleaseDC(nullptr, screen);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return painted;
}

// The settings a user has after a first run: placement, no delayed start, then everything the program writes.
bool PrepareSettings(const std::string& folder)
{
    char user[256] = "";
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    std::string ini = folder + "\\Daylens-" + user + ".ini";
    char x[16], y[16];
    snprintf(x, sizeof(x), "%d", kWindowX);
    snprintf(y, sizeof(y), "%d", kWindowY);
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini.c_str());
    WritePrivateProfileStringA("Daylens00", "WindowX", x, ini.c_str());
    WritePrivateProfileStringA("Daylens00", "WindowY", y, ini.c_str());
    WritePrivateProfileStringA("Daylens01", "DelayedStart", "0", ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    // Daylens writes every key when it is closed.
    if (MeasureOne(folder + "\\Daylens.exe", folder, DAYLENS_WINDOW_CLASS) < 0)
        return false;
    return (int)GetPrivateProfileIntA("Daylens01", "DayWidth", -1, ini.c_str()) >= 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Best(const std::vector<double>& values)
{
    return values.empty() ? -1 : *std::min_element(values.begin(), values.end());
}

void PrintTimes(const char* name, const std::vector<double>& times)
{
    printf("%-8s", name);
    for (double t : times)
        printf(" %5.0f", t);
    printf("   median %.0f ms, best %.0f ms\n", Median(times), Best(times));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: startup_benchmark <dist folder> [runs]\n");
        return 2;
    }
    int runs = argc > 2 ? atoi(argv[2]) : kDefaultRuns;
    if (runs < 1)
        runs = kDefaultRuns;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string minimal = self;
    minimal = minimal.substr(0, minimal.find_last_of('\\') + 1) + "minimal_window.exe";
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string folder = std::string(temp) + "daylens-startup-benchmark";
    RemoveFolder(folder);
    if (!CopyFolder(argv[1], folder) || !PrepareSettings(folder)) {
        printf("cannot prepare Daylens in %s from %s\n", folder.c_str(), argv[1]);
        RemoveFolder(folder);
        return 1;
    }
    std::vector<double> daylens, floor;
    for (int i = 0; i < runs; i++) {
        floor.push_back(MeasureOne(minimal, folder, kMinimalClass));
        daylens.push_back(MeasureOne(folder + "\\Daylens.exe", folder, DAYLENS_WINDOW_CLASS));
    }
    RemoveFolder(folder);
    printf("time from start to the first painted window, %d runs each (ms):\n", runs);
    PrintTimes("minimal", floor);
    PrintTimes("Daylens", daylens);
    // Other programs running beside the benchmark slow single runs; the best runs show what start-up itself costs.
    printf("ratio %.2f of the medians, %.2f of the best runs\n", Median(daylens) / Median(floor),
           Best(daylens) / Best(floor));
    return 0;
}
