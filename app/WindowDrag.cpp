// The pointer on the calendar: dragging the window (with the toolbar in tow), and dragging a day's memo onto
// another day while the window is fixed.
#include "MainWindow.h"

#include "CalendarRender.h"
#include "EnvData.h"
#include "MainWindowRules.h"
#include "Memo.h"
#include "MemoMerge.h"
#include "MemoWriter.h"
#include "Program.h"
#include "ToolBarModule.h"
#include "TrayIcon.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const int FADE_WHEN_INACTIVE = 1;

void SetCursorOf(EnvData* env, int index)
{
    if (env->Cursors[index])
        SetCursor(env->Cursors[index]);
}

// The toolbar keeps its distance to the calendar; WindowX and WindowY still hold the place before the drag.
void ToolBarFollows(EnvData* env, int left, int top)
{
    auto setPos = FindExport(env->ToolBarModule, ToolBarModule::kToolBarSetWindowPos);
    if (setPos)
        setPos(left + g_mainWindow.ToolBarStart.x - env->WindowX, top + g_mainWindow.ToolBarStart.y - env->WindowY);
}

// Where the button went down or up, not where the pointer is by the time the message is handled: queued input
// read with GetCursorPos would take the grip from a later point, and the window would lag or jump by the difference.
POINT PressOrReleasePoint()
{
    DWORD position = GetMessagePos();
    return {(short)LOWORD(position), (short)HIWORD(position)};
}

void StartWindowDrag(HWND window, EnvData* env)
{
    g_mainWindow.WindowDrag = 1;
    SetCapture(window);
    SetCursorOf(env, CURSOR_MOVE);
    UpdateTrayIcon(env, 0);
    POINT cursor = PressOrReleasePoint();
    RECT rect;
    GetWindowRect(window, &rect);
    g_mainWindow.DragOffset.x = cursor.x - rect.left;
    g_mainWindow.DragOffset.y = cursor.y - rect.top;
    if (env->Transparency.TransparentAlphaMode == FADE_WHEN_INACTIVE) {
        env->Transparency.Alpha = 255;
        ApplyCurrentAlpha(window, env);
        KillTimer(window, TIMER_FADE_OUT);
    }
    auto getPos = FindExport(env->ToolBarModule, ToolBarModule::kToolBarGetWindowPos);
    int position[2] = {0, 0};
    if (getPos && getPos(position)) {
        g_mainWindow.ToolBarStart.x = position[0];
        g_mainWindow.ToolBarStart.y = position[1];
    }
}

// Only a day that has a memo starts a memo drag.
bool DayHasMemo(const SYSTEMTIME* date)
{
    MemoStoreSettings store = MemoStoreOf(&g_memoSettings);
    char* text = ReadDayMemoText(nullptr, date->wYear, date->wMonth, date->wDay, &store, nullptr, 0);
    if (!text)
        return false;
    HeapFree(GetProcessHeap(), 0, text);
    return true;
}

void StartMemoDrag(HWND window, EnvData* env, WPARAM keys)
{
    SYSTEMTIME date = env->ClickedDate;
    ReadClickedDate(window, env, &date);
    if (!IsDaySet(&date))
        return;
    env->ClickedDate = date;
    if (!DayHasMemo(&date))
        return;
    g_mainWindow.MemoDrag = 1;
    g_mainWindow.MemoDragCopy = (keys & MK_CONTROL) ? 1 : 0;
    if (g_mainWindow.MemoDragCopy)
        SetCursorOf(env, CURSOR_COPY);
    SetCapture(window);
}

void EndWindowDrag(HWND window, EnvData* env)
{
    POINT cursor = PressOrReleasePoint();
    int left = cursor.x - g_mainWindow.DragOffset.x;
    int top = cursor.y - g_mainWindow.DragOffset.y;
    ApplyZOrder(window, env, left, top, SWP_NOSIZE | SWP_SHOWWINDOW);
    ToolBarFollows(env, left, top);
    KillTimer(window, TIMER_DRAG_STEP);
    SetCursorOf(env, CURSOR_NORMAL);
    ReleaseCapture();
    RECT rect;
    if (GetWindowRect(window, &rect)) {
        env->WindowX = rect.left;
        env->WindowY = rect.top;
    }
    SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_PLACEMENT);
    if (env->Transparency.TransparentAlphaMode == FADE_WHEN_INACTIVE)
        ArmFadeOutUnlessActive(window, env);
}

void EndMemoDrag(HWND window, EnvData* env, WPARAM keys)
{
    SYSTEMTIME target = {};
    ReadClickedDate(window, env, &target);
    SetCursorOf(env, CURSOR_NORMAL);
    // Onto the same day, or beside every day, nothing moves.
    if (!IsDaySet(&target) || (target.wYear == env->ClickedDate.wYear && target.wMonth == env->ClickedDate.wMonth &&
                               target.wDay == env->ClickedDate.wDay))
        return;
    env->DropDate = target;
    ReleaseCapture();
    // With Ctrl held the memo is copied, as the cursor shows; without, it leaves its day once the target holds it.
    // Ctrl counts as held by the key messages of the drag as well as by the release, so that a key state taken
    // afresh from elsewhere between the two never turns a copy into a move.
    int copy = (g_mainWindow.MemoDragCopy || (keys & MK_CONTROL)) ? 1 : 0;
    // The drag began on a day with a memo: a failure means that a save failed, and both days are as they were. A
    // memo that is memo data went onto the days it names, which is no failure.
    if (!MoveDayMemo(&g_memoSettings, &env->ClickedDate, &target, copy))
        TellUser(window, MEMO_CANNOT_SAVE_TEXT, MB_OK | MB_ICONWARNING);
    RefreshCalendar(0);
}

}  // namespace

LRESULT OnLeftButtonDown(HWND window, WPARAM keys)
{
    EnvData* env = g_program.Env;
    if (!env)
        return 0;
    if (env->WindowFix == 0 && !g_mainWindow.WindowDrag)
        StartWindowDrag(window, env);
    else if (env->WindowFix != 0)
        StartMemoDrag(window, env, keys);
    return 0;
}

LRESULT OnLeftButtonUp(HWND window, WPARAM keys)
{
    EnvData* env = g_program.Env;
    if (env && g_mainWindow.WindowDrag && env->WindowFix == 0)
        EndWindowDrag(window, env);
    else if (env && g_mainWindow.MemoDrag)
        EndMemoDrag(window, env, keys);
    if (GetCapture() == window)
        ReleaseCapture();
    g_mainWindow.WindowDrag = 0;
    g_mainWindow.MemoDrag = 0;
    g_mainWindow.MemoDragCopy = 0;
    return 0;
}

LRESULT OnMouseMove(HWND window, WPARAM wParam)
{
    EnvData* env = g_program.Env;
    if (!env)
        return 0;
    if (g_mainWindow.WindowDrag && env->WindowFix == 0) {
        POINT cursor;
        if ((wParam & MK_LBUTTON) && GetCursorPos(&cursor) &&
            (env->DenyOutOfDesktop != 1 || PointInArea(cursor, &g_program.WorkArea)))
            SetTimer(window, TIMER_DRAG_STEP, TIMER_DRAG_STEP_MS, nullptr);
        return 0;
    }
    FadeOnMouseMove(window, env);
    if (env->RepaintFlag == 1) {
        RefreshCalendar(0);
        env->RepaintFlag = 0;
    }
    return 0;
}

LRESULT OnDragTimer(HWND window)
{
    EnvData* env = g_program.Env;
    POINT cursor;
    if (!env || !g_mainWindow.WindowDrag || !GetCursorPos(&cursor))
        return 0;
    int left = cursor.x - g_mainWindow.DragOffset.x;
    int top = cursor.y - g_mainWindow.DragOffset.y;
    // A calendar kept at the bottom goes there whatever it is placed after (OnWindowPosChanging).
    HWND after = env->WindowOrder == WINDOW_ORDER_BOTTOM ? HWND_BOTTOM : HWND_TOP;
    SetWindowPosIfChanged(window, after, left, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ToolBarFollows(env, left, top);
    RECT rect;
    if (GetWindowRect(window, &rect)) {
        g_mainWindow.DragOffset.x = cursor.x - rect.left;
        g_mainWindow.DragOffset.y = cursor.y - rect.top;
    }
    return 0;
}

LRESULT OnKeyDown(WPARAM key)
{
    EnvData* env = g_program.Env;
    if (env && g_mainWindow.MemoDrag && !g_mainWindow.WindowDrag && key == VK_CONTROL) {
        g_mainWindow.MemoDragCopy = 1;
        SetCursorOf(env, CURSOR_COPY);
    }
    return 0;
}

LRESULT OnKeyUp(WPARAM key)
{
    EnvData* env = g_program.Env;
    if (env && g_mainWindow.MemoDrag && key == VK_CONTROL) {
        g_mainWindow.MemoDragCopy = 0;
        SetCursorOf(env, CURSOR_NORMAL);
    }
    return 0;
}
