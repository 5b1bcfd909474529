// How long the calendar takes to render a 3 x 4 and a 4 x 3 view of months, with and without tooltips, and how long
// a refresh takes until the screen has it, in a plain window and in a layered window with the colour key of the
// default transparency. The time from start to the first painted calendar is the start-up benchmark's.
//   render_benchmark.exe <dist folder>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CalendarRender.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "Holiday.h"
#include "ModuleBinding.h"
#include "PlugInSlot.h"
#include "Program.h"
#include "SettingsFile.h"
#include "Transparency.h"

namespace {

const int kRuns = 20;
const int kScreenRuns = 10;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Lets the window system put what was drawn on the screen: the message queue runs empty, which has Wine hand the
// window's picture (and a colour key's shape) to the X server, and a pixel read from the screen waits until the
// server has done so.
void ShowOnScreen()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
}

// Minimum and median of RefreshCalendarMonth until the screen shows the picture, alternating two months.
void MeasureShownRefresh(EnvData* env, const char* kind)
{
    std::vector<double> times;
    for (int i = 0; i < kScreenRuns; i++) {
        LARGE_INTEGER from = Now();
        RefreshCalendarMonth(env->ShownMonth.wYear + i % 2, env->ShownMonth.wMonth, 1);
        ShowOnScreen();
        times.push_back(Milliseconds(from, Now()));
    }
    std::sort(times.begin(), times.end());
    printf("    RefreshCalendar until on the screen, %s: min %.1f ms, median %.1f ms\n", kind, times[0],
           (times[kScreenRuns / 2 - 1] + times[kScreenRuns / 2]) / 2);
}

// Average of DrawCalendar and of RefreshCalendarMonth for a view of rows x lines months; then the refresh until
// the screen shows it, in the plain window and layered with the colour key.
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

    RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);  // warm-up, and sizes the window
    LARGE_INTEGER from = Now();
    for (int i = 0; i < kRuns; i++)
        DrawCalendar(window, env->MemoryDC, env->ShownMonth.wYear, env->ShownMonth.wMonth, env, nullptr, nullptr,
                     1);
    double draw = Milliseconds(from, Now()) / kRuns;
    from = Now();
    for (int i = 0; i < kRuns; i++)
        DrawMonths(env->MemoryDC, env->ShownMonth.wYear, env->ShownMonth.wMonth, env, nullptr, nullptr, 0, 0);
    double months = Milliseconds(from, Now()) / kRuns;
    from = Now();
    for (int i = 0; i < kRuns; i++)
        RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);
    double refresh = Milliseconds(from, Now()) / kRuns;
    env->ShowToolTip = 0;
    RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);  // drops the tooltip control
    from = Now();
    for (int i = 0; i < kRuns; i++)
        RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, 1);
    double plainRefresh = Milliseconds(from, Now()) / kRuns;
    printf("%d x %d months (%d x %d px, %d cells): DrawCalendar %.1f ms, DrawMonths without tooltips "
           "%.1f ms, RefreshCalendar %.1f ms, RefreshCalendar without tooltips %.1f ms\n",
           rows, lines, env->WindowWidth, env->WindowHeight, env->DayCellCount, draw, months, refresh, plainRefresh);

    env->ShowToolTip = 1;
    env->Transparency.TransMode = TRANS_MODE_OPAQUE;
    MeasureShownRefresh(env, "plain window");
    env->Transparency.TransMode = TRANS_MODE_KEY_AND_ALPHA;
    env->Transparency.TransparentAlphaMode = 0;
    ApplyTransparency(window, &env->Transparency, 0);
    MeasureShownRefresh(env, "layered with the colour key");

    g_program.Env = nullptr;
    DestroyWindow(window);
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    delete env;
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
    return 0;
}
