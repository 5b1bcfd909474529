// Stand-in for the calendar renderer: sizes the window through the language module and fills the back buffer with
// the background colour, so that the window works until the renderer joins.
#include "CalendarRender.h"

#include "EnvData.h"
#include "MainWindowRules.h"
#include "ModuleBinding.h"
#include "Program.h"

namespace {

typedef int (*CalcWindowSizeProc)(int year, int month, int* width, int* height, EnvData* env);

void ResizeWindow(EnvData* env, int year, int month, int keepPosition)
{
    ResourceDllAcquire(1);
    CalcWindowSizeProc calcWindowSize = (CalcWindowSizeProc)ResourceDllProc("CalcWindowSize");
    int width = env->WindowWidth;
    int height = env->WindowHeight;
    if (calcWindowSize && calcWindowSize(year, month, &width, &height, env)) {
        env->WindowWidth = width;
        env->WindowHeight = height;
    }
    ResourceDllAcquire(0);
    RECT rect;
    if (!keepPosition && GetWindowRect(env->MainWindow, &rect)) {
        env->WindowX = rect.left;
        env->WindowY = rect.top;
    }
    UINT flags = SWP_NOACTIVATE;
    if (env->WindowWidth > 0 && env->WindowHeight > 0)
        SetWindowPos(env->MainWindow, ZOrderInsertAfter(env->WindowOrder), env->WindowX, env->WindowY,
                     env->WindowWidth, env->WindowHeight, flags);
}

}  // namespace

int RefreshCalendar(int keepPosition)
{
    EnvData* env = g_program.Env;
    if (!env)
        return 0;
    return RefreshCalendarMonth(env->ShownMonth.wYear, env->ShownMonth.wMonth, keepPosition);
}

int RefreshCalendarMonth(int year, int month, int keepPosition)
{
    EnvData* env = g_program.Env;
    if (!env || !env->MainWindow)
        return 0;
    env->DisplayPreYear = year;
    env->DisplayPreMonth = month;
    ResizeWindow(env, year, month, keepPosition);
    HDC windowDC = GetDC(env->MainWindow);
    if (!windowDC)
        return 0;
    // A fresh pair each time: the old bitmap stays selected in the old DC until both go.
    if (env->MemoryDC)
        DeleteDC(env->MemoryDC);
    if (env->BackBitmap)
        DeleteObject(env->BackBitmap);
    env->MemoryDC = CreateCompatibleDC(windowDC);
    env->BackBitmap = CreateCompatibleBitmap(windowDC, env->WindowWidth, env->WindowHeight);
    ReleaseDC(env->MainWindow, windowDC);
    if (!env->MemoryDC || !env->BackBitmap)
        return 0;
    SelectObject(env->MemoryDC, env->BackBitmap);
    RECT all = {0, 0, env->WindowWidth, env->WindowHeight};
    HBRUSH brush = CreateSolidBrush(env->BackColor);
    if (brush) {
        FillRect(env->MemoryDC, &all, brush);
        env->Transparency.KeyColor = GetPixel(env->MemoryDC, 0, 0);
        DeleteObject(brush);
    }
    InvalidateRect(env->MainWindow, nullptr, FALSE);
    return 1;
}

int DrawCalendar(HWND, HDC, int, int, EnvData*, MemoSettings*, MemorialSettings*, int)
{
    return 1;
}

int DrawMonths(HDC, int, int, EnvData*, MemoSettings*, MemorialSettings*, int, int)
{
    return 1;
}
