// How long the calendar takes to render a 3 x 4 and a 4 x 3 view of months, with and without tooltips; then a year
// step of the 3 x 4 view over a memo store with a memo on every day of ten years, with the memo marks and memo
// tooltips on against the same steps with both off, in interleaved rounds: into years whose memos were never read,
// into years not shown before at the pace of clicks (the months around the view are read ahead meanwhile), and back
// and forth between two years. The time from start to the first painted calendar is the start-up benchmark's.
//   render_benchmark.exe <dist folder> [rounds]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CalendarRender.h"
#include "CalendarRenderParts.h"
#include "EnvData.h"
#include "DateUtil.h"
#include "HeapUtil.h"
#include "Holiday.h"
#include "Memo.h"
#include "MemoWriter.h"
#include "ModuleBinding.h"
#include "PlugInSlot.h"
#include "Program.h"
#include "SettingsFile.h"
#include "StrUtil.h"
#include "TempFolder.h"

namespace {

const int kRuns = 20;
const int kDefaultRounds = 9;
// The memo store of the year steps: a memo on every day of these years.
const int kFirstMemoYear = 2016;
const int kMemoYears = 10;
// The memo files are this old when the steps start, as a user's memo files are: a file written within seconds is
// read again at each look.
const DWORD kStoreAgeMs = 4000;
// The pause before a step at the pace of clicks.
const DWORD kClickPauseMs = 500;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// The settings of a fresh settings file for a view of rows x lines months, with tooltips, in a window of its own.
EnvData* MakeCalendar(const char* dist, int rows, int lines)
{
    std::string ini = std::string(dist) + "\\render-benchmark.ini";
    DeleteFileA(ini.c_str());
    SettingsFile file = {ini.c_str(), "Daylens", dist, {0, 0, 1920, 1080}, nullptr, nullptr};
    EnvData* env = new EnvData;
    env->PlugInSlots = new PlugInSlot[PLUGIN_SLOT_COUNT]();
    env->CustomColors = new COLORREF[CUSTOM_COLOR_COUNT]();
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
    return env;
}

void FreeCalendar(EnvData* env)
{
    g_program.Env = nullptr;
    DestroyWindow(env->MainWindow);
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    delete[] env->PlugInSlots;
    delete[] env->CustomColors;
    HeapFree(GetProcessHeap(), 0, env->DayCells);
    HeapFree(GetProcessHeap(), 0, env->UserMarks);
    delete env;
}

// Average of DrawCalendar and of RefreshCalendarMonth for a view of rows x lines months.
void MeasureRender(const char* dist, int rows, int lines)
{
    EnvData* env = MakeCalendar(dist, rows, lines);
    HWND window = env->MainWindow;
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
    FreeCalendar(env);
}

// A memo of a few lines on every day of the memo years, one file a day, written as the store writes them.
bool FillMemoStore(const std::string& folder)
{
    DayMemoRecord record = {};
    record.Style.MarkType = MARK_CIRCLE;
    record.Style.MarkColor = 0x4080FF;
    record.Style.NoUseStrColor = 1;
    record.Hour = record.Minute = DAY_MEMO_NO_TIME;
    int year = kFirstMemoYear, month = 1, day = 1;
    for (; year < kFirstMemoYear + kMemoYears; AddDaysInt(&year, &month, &day, 1)) {
        std::string text = "会議 " + std::to_string(day) + "\r\n買い物リスト 牛乳 卵 パン\r\nメモ " + std::to_string(month);
        char* lines = FormatDayMemoSection(&record, text.c_str());
        if (!lines)
            return false;
        char name[32];
        snprintf(name, sizeof(name), "%04d%02d%02d", year, month, day);
        std::string content = "[" + std::string(name) + "]\r\n";
        for (const char* line = lines; *line; line += strlen(line) + 1)
            content += std::string(line) + "\r\n";
        HeapFree(GetProcessHeap(), 0, lines);
        HANDLE file = CreateFileA((folder + "\\" + name + ".txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        bool ok = file != INVALID_HANDLE_VALUE && WriteFile(file, content.data(), (DWORD)content.size(), &written, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (!ok)
            return false;
    }
    return true;
}

// One year step of the view to January of year, in milliseconds.
double StepTo(EnvData* env, int year)
{
    LARGE_INTEGER from = Now();
    RefreshCalendarMonth(year, 1, 1);
    double ms = Milliseconds(from, Now());
    env->ShownMonth.wYear = (WORD)year;
    env->ShownMonth.wMonth = 1;
    return ms;
}

void ShowMemos(bool on)
{
    g_memoSettings.MemoMark = on ? 1 : 0;
    g_memoSettings.MemoShowToolTip = on ? 1 : 0;
}

void ReportSteps(const char* title, const Timings& memos, const Timings& plain)
{
    printf("%s, %zu rounds\n", title, memos.Times.size());
    printf("  %-34s min %7.1f ms   median %7.1f ms   +%.1f ms (min), +%.1f ms (median)\n", "memo marks and tooltips on",
           memos.Min(), memos.Median(), memos.Min() - plain.Min(), memos.Median() - plain.Median());
    printf("  %-34s min %7.1f ms   median %7.1f ms\n", "memo marks and tooltips off", plain.Min(), plain.Median());
}

// Year steps of a 3 x 4 view over the memo store, each step with the memos shown followed by the same step with them
// hidden.
void MeasureYearSteps(const char* dist, int rounds)
{
    TempFolder store;
    if (!store.Create("daylens-render-memos") || !FillMemoStore(store.Dir())) {
        printf("the memo store could not be made\n");
        return;
    }
    Sleep(kStoreAgeMs);
    SafeStrCpy(g_memoSettings.MemoDir, sizeof(g_memoSettings.MemoDir), store.Dir().c_str());
    g_memoSettings.MemoSaveOneMonth = 0;
    g_memoSettings.MemoStyle.MarkType = MARK_CIRCLE;
    g_memoSettings.MemoStyle.MarkColor = 0x4080FF;
    g_memoSettings.MemoStyle.NoUseStrColor = 1;
    EnvData* env = MakeCalendar(dist, 3, 4);
    const int lastYear = kFirstMemoYear + kMemoYears - 1;
    Timings cold, coldPlain, paced, pacedPlain, back, backPlain;

    // Straight on, each step with no memo read before.
    ShowMemos(true);
    StepTo(env, kFirstMemoYear);  // warm-up, and sizes the window
    int year = kFirstMemoYear;
    for (int round = 0; round < rounds && year < lastYear; round++) {
        year++;
        FreeDayMemoLookups();
        ShowMemos(true);
        cold.Times.push_back(StepTo(env, year));
        ShowMemos(false);
        coldPlain.Times.push_back(StepTo(env, year + (round % 2 ? 1 : -1)));
    }

    // At the pace of clicks into years not shown before.
    FreeDayMemoLookups();
    ShowMemos(true);
    StepTo(env, kFirstMemoYear);
    year = kFirstMemoYear;
    for (int round = 0; round < rounds && year < lastYear; round++) {
        year++;
        Sleep(kClickPauseMs);
        ShowMemos(true);
        paced.Times.push_back(StepTo(env, year));
        Sleep(kClickPauseMs);
        ShowMemos(false);
        pacedPlain.Times.push_back(StepTo(env, year + (round % 2 ? 1 : -1)));
    }

    for (int round = 0; round < rounds; round++) {
        int to = round % 2 ? year : year - 1;
        ShowMemos(true);
        back.Times.push_back(StepTo(env, to));
        ShowMemos(false);
        backPlain.Times.push_back(StepTo(env, to == year ? year - 1 : year));
    }
    printf("Year steps of a 3 x 4 view (%d cells), a memo on every day of %d-%d in day files\n", env->DayCellCount,
           kFirstMemoYear, lastYear);
    ReportSteps("  straight on into years whose memos were never read", cold, coldPlain);
    ReportSteps("  into years not shown before, a click every 0.5 s", paced, pacedPlain);
    ReportSteps("  back and forth between two years", back, backPlain);
    ShowMemos(false);
    FreeDayMemoLookups();
    FreeCalendar(env);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: render_benchmark <dist folder> [rounds]\n");
        return 2;
    }
    const char* dist = argv[1];
    int rounds = argc > 2 ? atoi(argv[2]) : kDefaultRounds;
    if (rounds < 1)
        rounds = 1;
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
    MeasureYearSteps(dist, rounds);
    FreeHolidayList(g_program.Holidays, (int)g_program.HolidayCount);
    g_program.Holidays = nullptr;
    ResourceDllAcquire(0);
    return 0;
}
