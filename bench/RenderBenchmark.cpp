// How long the calendar takes to render a 3 x 4 and a 4 x 3 view of months, with and without tooltips, and how
// long Daylens.exe takes from its start to the first painted calendar.
//   render_benchmark.exe <dist folder>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "CalendarRender.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "Holiday.h"
#include "ModuleBinding.h"
#include "PlugInSlot.h"
#include "Program.h"
#include "SettingsFile.h"

namespace {

const int kRuns = 20;
const DWORD kStartTimeoutMs = 30000;
const char kWindowClass[] = DAYLENS_WINDOW_CLASS;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
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
            std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Average of DrawCalendar and of RefreshCalendarMonth for a view of rows x lines months.
void MeasureRender(const char* dist, int rows, int lines)
{
    std::string ini = std::string(dist) + "\\render-benchmark.ini";
    DeleteFileA(ini.c_str());
    SettingsFile file = {ini.c_str(), "Daylens", dist, {0, 0, 1920, 1080}, nullptr, nullptr};
    EnvData* env = new EnvData;
    PlugInSlot slots[PLUGIN_SLOT_COUNT] = {};
    COLORREF colors[CUSTOM_COLOR_COUNT] = {};
    env->PlugInSlots = slots;
    env->CustomColors = colors;
    env->DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    env->UserMarks = (UserMark*)AllocZeroed(USER_STYLE_MIN * sizeof(UserMark));
    env->UserStyleMax = USER_STYLE_MIN;
    LoadEnv(&file, env, nullptr);
    DeleteFileA(ini.c_str());
    env->DisplayRows = (BYTE)rows;
    env->DisplayLines = (BYTE)lines;
    GetLocalTime(&env->Today);
    env->ShownMonth = env->Today;
    env->ShowToolTip = 1;

    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "RenderBenchmark", "Daylens", WS_POPUP | WS_VISIBLE, 0, 0,
                                  100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    env->MainWindow = window;
    g_program.Env = env;

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);  // warm-up, and sizes the window
    LARGE_INTEGER from = Now();
    for (int i = 0; i < kRuns; i++)
        DrawCalendar(window, env->MemoryDC, env->ShownMonth.wYear, env->ShownMonth.wMonth, env, nullptr, nullptr,
                     1);
    double draw = Milliseconds(from, Now(), frequency) / kRuns;
    from = Now();
    for (int i = 0; i < kRuns; i++)
        DrawMonths(env->MemoryDC, env->ShownMonth.wYear, env->ShownMonth.wMonth, env, nullptr, nullptr, 0, 0);
    double months = Milliseconds(from, Now(), frequency) / kRuns;
    from = Now();
    for (int i = 0; i < kRuns; i++)
        RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);
    double refresh = Milliseconds(from, Now(), frequency) / kRuns;
    env->ShowToolTip = 0;
    RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);  // drops the tooltip control
    from = Now();
    for (int i = 0; i < kRuns; i++)
        RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);
    double plainRefresh = Milliseconds(from, Now(), frequency) / kRuns;
    printf("%d x %d months (%d x %d px, %d cells): DrawCalendar %.1f ms, DrawMonths without tooltips "
           "%.1f ms, RefreshCalendar %.1f ms, RefreshCalendar without tooltips %.1f ms\n",
           rows, lines, env->WindowWidth, env->WindowHeight, env->DayCellCount, draw, months, refresh, plainRefresh);

    g_program.Env = nullptr;
    DestroyWindow(window);
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    delete env;
}

HWND FindCalendar(DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kWindowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

// Starts Daylens.exe from a copy of dist and polls until its window shows calendar pixels.
void MeasureStart(const char* dist)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string folder = std::string(temp) + "daylens-render-benchmark";
    RemoveFolder(folder);
    if (!CopyFolder(dist, folder)) {
        printf("start-up: cannot copy %s\n", dist);
        return;
    }
    char user[256] = "";
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    std::string ini = folder + "\\Daylens-" + user + ".ini";
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini.c_str());
    WritePrivateProfileStringA("Daylens00", "WindowX", "40", ini.c_str());
    WritePrivateProfileStringA("Daylens00", "WindowY", "30", ini.c_str());
    WritePrivateProfileStringA("Daylens01", "DelayedStart", "0", ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());

    HDC screen = GetDC(nullptr);
    COLORREF before = GetPixel(screen, 42, 32);
    std::string exe = folder + "\\Daylens.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER from = Now();
    if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        printf("start-up: cannot start %s\n", exe.c_str());
        ReleaseDC(nullptr, screen);
        return;
    }
    double windowMs = -1, paintMs = -1;
    DWORD started = GetTickCount();
    while (GetTickCount() - started < kStartTimeoutMs) {
        HWND window = FindCalendar(process.dwProcessId);
        if (window && IsWindowVisible(window)) {
            if (windowMs < 0)
                windowMs = Milliseconds(from, Now(), frequency);
            RECT rect;
            GetWindowRect(window, &rect);
            if (GetPixel(screen, rect.left + 2, rect.top + 2) != before) {
                paintMs = Milliseconds(from, Now(), frequency);
                break;
            }
        }
        Sleep(1);
    }
    ReleaseDC(nullptr, screen);
    printf("start-up: window visible after %.0f ms, first painted calendar after %.0f ms\n", windowMs, paintMs);
    HWND window = FindCalendar(process.dwProcessId);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RemoveFolder(folder);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: render_benchmark <dist folder>\n");
        return 2;
    }
    const char* dist = argv[1];
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RenderBenchmark";
    RegisterClassA(&windowClass);

    SetCurrentDirectoryA(dist);
    if (!ResourceDllAcquire(1)) {
        printf("the language module does not load from %s\n", dist);
        return 1;
    }
    unsigned int count = 0;
    std::string holidayPath = std::string(dist) + "\\Holiday.txt";
    g_program.Holidays = LoadHoliday(0, holidayPath.c_str(), &count);
    g_program.HolidayCount = count;
    MeasureRender(dist, 3, 4);
    MeasureRender(dist, 4, 3);
    FreeHolidayList(g_program.Holidays, (int)g_program.HolidayCount);
    g_program.Holidays = nullptr;
    ResourceDllAcquire(0);
    MeasureStart(dist);
    return 0;
}
