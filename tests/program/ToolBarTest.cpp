// The toolbar plug-in in the running program: the bar beside the calendar, a click on one of its buttons, the bar
// following a drag of the calendar, the bar closed and shown again from the calendar's plug-in menu (also in quick
// bursts and by a button of its own), and the program ending in the middle of a burst.
#include "ProgramDriver.h"

#include "DaylensIds.h"
#include "PlugInModule.h"

namespace {

const int kBarX = 40;
const int kBarY = 220;
// The default bar: the icon cell, then seven 16-pixel buttons 4 apart.
const int kBarWidth = 16 + 4 + 7 * 20;
const int kBarHeight = 18;
// The toolbar's first menu item ("ツールバー表示") when it is the only plug-in loaded.
const int kShowToolBar = IDM_PLUGIN_FIRST;
// The close waits up to 10 s for the bar's thread: a command or unload that takes half of that waited for a thread
// that did not end, however busy the machine.
const long kWaitedForTheBarMs = 5000;

// The middle of default button number (1-7) in the bar's client area.
POINT ButtonPoint(HWND bar, int button)
{
    POINT at = TopLeft(bar);
    return {at.x + 20 + (button - 1) * 20 + 8, at.y + 8};
}

// The plug-in commands and unloads of pid, in the milliseconds each took, as the program reports them.
std::vector<long> CommandTimes(DebugOutput& output, DWORD pid)
{
    return output.NumbersAfter(pid, " ran ");
}

long Longest(const std::vector<long>& times)
{
    long longest = 0;
    for (long time : times)
        longest = time > longest ? time : longest;
    return longest;
}

class ToolBarTest : public ProgramTest {
protected:
    void PrepareToolBar(int attach)
    {
        PrepareSettings(0);
        // Opaque, so that the pointer reaches every pixel of both windows under Wine.
        WriteSetting("Daylens01", "TransMode", 2);
        WritePrivateProfileStringA("Daylens01", "PlugInOrder00", PlugInModule::kToolBar, IniPath.c_str());
        WriteSetting("Daylens01", "PlugInUse00", 1);
        WriteSetting("DaylensToolBar", "ToolBarWindowX", kBarX);
        WriteSetting("DaylensToolBar", "ToolBarWindowY", kBarY);
        WriteSetting("DaylensToolBar", "ToolBarTransMode", 2);
        WriteSetting("DaylensToolBar", "ToolBarAttach", attach);
    }
    HWND WaitForBar()
    {
        HWND bar = nullptr;
        WaitUntil([&bar] {
            bar = FindDaylensWindow(TOOLBAR_WINDOW_CLASS, nullptr);
            return bar && IsWindowVisible(bar);
        });
        return bar;
    }
    void Click(POINT at, POINT release)
    {
        SetCursorPos(at.x, at.y);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SetCursorPos(release.x, release.y);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
};

TEST_F(ToolBarTest, TheBarStartsBesideTheCalendarAndKeepsItsPlaceWhenTheProgramEnds)
{
    PrepareToolBar(0);
    HANDLE process = Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND bar = WaitForBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(calendar, GetWindow(bar, GW_OWNER));
    RECT rect = {};
    GetWindowRect(bar, &rect);
    EXPECT_EQ(kBarX, rect.left);
    EXPECT_EQ(kBarY, rect.top);
    EXPECT_EQ(kBarWidth, rect.right - rect.left);
    EXPECT_EQ(kBarHeight, rect.bottom - rect.top);

    PostMessageA(calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    EXPECT_EQ(kBarX, ReadInt("DaylensToolBar", "ToolBarWindowX"));
    EXPECT_EQ(kBarY, ReadInt("DaylensToolBar", "ToolBarWindowY"));
}

// The command goes out at the release, for the button under the pointer then.
TEST_F(ToolBarTest, AClickOnAButtonStepsTheCalendar)
{
    PrepareToolBar(0);
    Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND bar = WaitForBar();
    ASSERT_NE(nullptr, bar);
    int month = SavedShownMonth(calendar);
    const int nextMonth = 5, monthBack = 3;
    Click(ButtonPoint(bar, nextMonth), ButtonPoint(bar, nextMonth));
    EXPECT_TRUE(WaitForShownMonth(calendar, month + 1));
    Click(ButtonPoint(bar, nextMonth), ButtonPoint(bar, monthBack));
    EXPECT_TRUE(WaitForShownMonth(calendar, month));
}

TEST_F(ToolBarTest, AnAttachedBarFollowsADragOfTheCalendar)
{
    PrepareToolBar(1);
    Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND bar = WaitForBar();
    ASSERT_NE(nullptr, bar);
    POINT start = TopLeft(calendar);
    const int dx = 120, dy = 80, steps = 4;
    // Windows of tests running beside this one may stand over the calendar for a moment: press only on it.
    POINT press = {start.x + 20, start.y + 20};
    ASSERT_TRUE(WaitUntil([&] {
        BringToForeground(calendar);
        return GetAncestor(WindowFromPoint(press), GA_ROOT) == calendar;
    }, 10000));
    SetCursorPos(press.x, press.y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= steps; i++) {
        SetCursorPos(start.x + 20 + dx * i / steps, start.y + 20 + dy * i / steps);
        WaitUntil([&] { return TopLeft(calendar).x == start.x + dx * i / steps; }, 5000);
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitUntil([&] {
        POINT at = TopLeft(bar);
        return at.x == kBarX + dx && at.y == kBarY + dy;
    }, 5000)) << TopLeft(bar).x << "," << TopLeft(bar).y;
    EXPECT_TRUE(WaitUntil([&] { return ReadInt("DaylensToolBar", "ToolBarWindowX") == kBarX + dx; }, 5000));
}

// The plug-in's menu item closes the bar, its thread ended well within the close's limit, and shows it again.
TEST_F(ToolBarTest, ThePlugInMenuItemClosesTheBarAndShowsItAgain)
{
    PrepareToolBar(0);
    Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    ASSERT_NE(nullptr, WaitForBar());
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(calendar, WM_COMMAND, kShowToolBar, 0, SMTO_BLOCK, kWaitedForTheBarMs, &result));
    EXPECT_EQ(nullptr, FindDaylensWindow(TOOLBAR_WINDOW_CLASS, nullptr));

    PostMessageA(calendar, WM_COMMAND, kShowToolBar, 0);
    HWND bar = WaitForBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(kBarX, TopLeft(bar).x);
}

// Toggles posted faster than a bar can be made: a bar being made counts as shown, so each toggle turns the bar the
// other way, no toggle holds the calendar, and no bar or thread is left over. The program also ends in such a burst.
TEST_F(ToolBarTest, QuickTogglesTurnTheBarEachWayAndNeverHoldTheCalendar)
{
    DebugOutput output;
    ASSERT_TRUE(output.Listening());
    PrepareToolBar(0);
    HANDLE process = Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    ASSERT_NE(nullptr, WaitForBar());
    DWORD pid = GetProcessId(process);
    int threads = SettledThreadCount(process);
    int month = SavedShownMonth(calendar);
    // An odd number: the bar that showed before ends closed.
    const int kToggles = 99;
    DWORD start = GetTickCount();
    for (int i = 0; i < kToggles; i++)
        PostMessageA(calendar, WM_COMMAND, kShowToolBar, 0);
    // Posted behind the toggles: the month steps once they are all done.
    PostMessageA(calendar, WM_COMMAND, IDM_MONTH_NEXT, 0);
    int most = 0;
    EXPECT_TRUE(WaitUntil([&] {
        int bars = WindowCount(process, TOOLBAR_WINDOW_CLASS);
        most = bars > most ? bars : most;
        return SavedShownMonth(calendar) == month + 1;
    }, 30000));
    printf("%d toggles done in %lu ms\n", kToggles, GetTickCount() - start);
    EXPECT_LE(most, 1);
    EXPECT_EQ(0, WindowCount(process, TOOLBAR_WINDOW_CLASS));
    EXPECT_TRUE(WaitUntil([&] { return CommandTimes(output, pid).size() == (size_t)kToggles; }));
    long longest = Longest(CommandTimes(output, pid));
    printf("longest toggle %ld ms\n", longest);
    EXPECT_LT(longest, kWaitedForTheBarMs);
    PostMessageA(calendar, WM_COMMAND, kShowToolBar, 0);
    ASSERT_NE(nullptr, WaitForBar());
    EXPECT_EQ(1, WindowCount(process, TOOLBAR_WINDOW_CLASS));
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount(process) == threads; }, 5000))
        << ThreadCount(process) << " threads, " << threads << " before";

    // An odd burst: the program ends with a bar just asked for.
    for (int i = 0; i < 51; i++)
        PostMessageA(calendar, WM_COMMAND, kShowToolBar, 0);
    PostMessageA(calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    std::vector<long> unloads = output.NumbersAfter(pid, "DaylensToolBar.dll unloaded in ");
    ASSERT_EQ(1u, unloads.size());
    printf("toolbar unloaded in %ld ms at exit\n", unloads[0]);
    EXPECT_LT(unloads[0], kWaitedForTheBarMs);
}

// A button for the toolbar's own menu item closes the bar that holds it: the calendar does not wait for the bar's
// thread while that thread waits for the calendar.
TEST_F(ToolBarTest, AButtonForTheBarsOwnItemClosesItAtOnce)
{
    DebugOutput output;
    ASSERT_TRUE(output.Listening());
    PrepareToolBar(0);
    WritePrivateProfileStringA("DaylensToolBar", "ToolBarButtonFunction01", PlugInModule::kToolBar, IniPath.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath.c_str());
    HANDLE process = Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND bar = WaitForBar();
    ASSERT_NE(nullptr, bar);
    RECT rect = {};
    GetWindowRect(bar, &rect);
    ASSERT_EQ(16 + 4 + 20, rect.right - rect.left) << "one button beside the icon cell";
    DWORD pid = GetProcessId(process);
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round);
        Click(ButtonPoint(bar, 1), ButtonPoint(bar, 1));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(bar); }));
        EXPECT_TRUE(WaitUntil([&] { return CommandTimes(output, pid).size() == (size_t)(2 * round + 1); }));
        EXPECT_LT(Longest(CommandTimes(output, pid)), kWaitedForTheBarMs);
        PostMessageA(calendar, WM_COMMAND, kShowToolBar, 0);
        bar = WaitForBar();
        ASSERT_NE(nullptr, bar);
    }
}

}  // namespace
