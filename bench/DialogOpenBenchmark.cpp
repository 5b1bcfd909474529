// How long the settings dialog and the day-memo window of a running Daylens.exe take from their command to their
// painted window, against the version dialog opened the same way, the three taking turns round by round:
//   dialog_open_benchmark.exe <dist folder> [rounds]
// Daylens runs from a copy of the dist folder with a prepared settings file. A first opening of each window, not
// counted, loads what stays loaded and shows what the painted window looks like at a grid of points; a measured
// opening counts as painted once every grid point that the opening changes shows that again.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "DaylensIds.h"
#include "ProgramRuns.h"
#include "TempFolder.h"

namespace {

const int kDefaultRounds = 10;
const DWORD kTimeoutMs = 20000;
const DWORD kSettleMs = 1000;
const DWORD kCalmMs = 200;
const int kGrid = 6;  // points across and down, inside the client area

struct Subject {
    const char* Name;
    int Command;
    RECT Client;                     // the window's client area on the screen, from the first opening
    std::vector<POINT> Points;       // the grid
    std::vector<COLORREF> Painted;   // the grid of the painted window
    std::vector<double> Times;
};

struct TopSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindShownDialog(HWND window, LPARAM param)
{
    TopSearch* search = reinterpret_cast<TopSearch*>(param);
    char name[16] = "";
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->ProcessId || !IsWindowVisible(window) || !GetClassNameA(window, name, sizeof(name)) ||
        lstrcmpA(name, "#32770") != 0)
        return TRUE;
    search->Found = window;
    return FALSE;
}

// The shown top-level dialog of the process, or null.
HWND ShownDialog(DWORD processId)
{
    TopSearch search = {processId, nullptr};
    EnumWindows(FindShownDialog, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND WaitForCalendar(DWORD processId)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, DAYLENS_WINDOW_CLASS, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        Sleep(10);
    }
    return nullptr;
}

bool WaitForNoDialog(DWORD processId)
{
    DWORD start = GetTickCount();
    while (ShownDialog(processId)) {
        if (GetTickCount() - start > kTimeoutMs)
            return false;
        Sleep(1);
    }
    return true;
}

std::vector<COLORREF> ReadPoints(HDC screen, const std::vector<POINT>& points)
{
    std::vector<COLORREF> colours;
    for (const POINT& point : points)
        colours.push_back(GetPixel(screen, point.x, point.y));
    return colours;
}

// Cancel closes each of the three windows without a question.
bool Close(HWND dialog, DWORD processId)
{
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (!WaitForNoDialog(processId))
        return false;
    Sleep(kCalmMs);
    return true;
}

// The first opening: where the window stands and how it looks once painted.
bool Learn(HWND calendar, DWORD processId, HDC screen, Subject* subject)
{
    PostMessageA(calendar, WM_COMMAND, (WPARAM)subject->Command, 0);
    DWORD start = GetTickCount();
    HWND dialog;
    while (!(dialog = ShownDialog(processId))) {
        if (GetTickCount() - start > kTimeoutMs)
            return false;
        Sleep(10);
    }
    Sleep(kSettleMs);
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, (POINT*)&client, 2);
    subject->Client = client;
    int width = client.right - client.left, height = client.bottom - client.top;
    for (int row = 1; row <= kGrid; row++) {
        for (int column = 1; column <= kGrid; column++)
            subject->Points.push_back({client.left + width * column / (kGrid + 1),
                                       client.top + height * row / (kGrid + 1)});
    }
    subject->Painted = ReadPoints(screen, subject->Points);
    return Close(dialog, processId);
}

// One measured opening: milliseconds from the command to the painted window, or -1.
double MeasureOne(HWND calendar, DWORD processId, HDC screen, const Subject& subject)
{
    std::vector<COLORREF> before = ReadPoints(screen, subject.Points);
    std::vector<size_t> changing;
    for (size_t i = 0; i < before.size(); i++) {
        if (before[i] != subject.Painted[i])
            changing.push_back(i);
    }
    if (changing.empty())
        return -1;
    LARGE_INTEGER from = Now();
    PostMessageA(calendar, WM_COMMAND, (WPARAM)subject.Command, 0);
    double painted = -1;
    DWORD start = GetTickCount();
    while (painted < 0 && GetTickCount() - start < kTimeoutMs) {
        bool all = true;
        for (size_t i : changing) {
            const POINT& point = subject.Points[i];
            if (GetPixel(screen, point.x, point.y) != subject.Painted[i]) {
                all = false;
                break;
            }
        }
        if (all)
            painted = Milliseconds(from, Now());
    }
    HWND dialog = ShownDialog(processId);
    if (!dialog || !Close(dialog, processId))
        return -1;
    return painted;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: dialog_open_benchmark <dist folder> [rounds]\n");
        return 2;
    }
    int rounds = CountArgument(argc, argv, 2, kDefaultRounds);
    std::string folder = FreshTempFolder("daylens-dialog-benchmark");
    RunningProgram run;
    if (!CopyProgram(argv[1], folder, 40, 30))
        return 1;
    if (!StartProgram(folder + "\\Daylens.exe", folder, &run)) {
        printf("cannot start %s\\Daylens.exe\n", folder.c_str());
        return 1;
    }
    const PROCESS_INFORMATION& process = run.Process;
    // The pointer stays away from the windows: a tip or a hover must not change what is painted.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Subject subjects[] = {
        {"version", IDM_VERSION, {}, {}, {}, {}},
        {"settings", IDM_SETTINGS, {}, {}, {}, {}},
        {"day memo", IDM_DAY_MEMO, {}, {}, {}, {}},
    };
    HDC screen = GetDC(nullptr);
    int result = 1;
    HWND calendar = WaitForCalendar(process.dwProcessId);
    bool learned = calendar != nullptr;
    for (Subject& subject : subjects)
        learned = learned && Learn(calendar, process.dwProcessId, screen, &subject);
    if (learned) {
        result = 0;
        for (int round = 0; round < rounds && result == 0; round++) {
            for (Subject& subject : subjects) {
                double ms = MeasureOne(calendar, process.dwProcessId, screen, subject);
                if (ms < 0) {
                    printf("%s: no painted window in round %d\n", subject.Name, round + 1);
                    result = 1;
                    break;
                }
                subject.Times.push_back(ms);
            }
        }
        printf("from the command to the painted window, %d rounds (ms):\n", rounds);
        for (const Subject& subject : subjects) {
            printf("%-9s", subject.Name);
            for (double t : subject.Times)
                printf(" %5.0f", t);
            printf("   best %.0f, median %.0f\n", Best(subject.Times), Median(subject.Times));
        }
        const Subject& floor = subjects[0];
        for (size_t i = 1; i < sizeof(subjects) / sizeof(subjects[0]); i++)
            printf("%s against version: %.1f x the best, %.1f x the median\n", subjects[i].Name,
                   Best(subjects[i].Times) / Best(floor.Times), Median(subjects[i].Times) / Median(floor.Times));
    } else {
        printf("the calendar or one of its windows did not come\n");
    }
    ReleaseDC(nullptr, screen);
    if (calendar)
        PostMessageA(calendar, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RemoveFolder(folder);
    return result;
}
