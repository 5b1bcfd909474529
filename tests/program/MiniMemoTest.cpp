// The mini-memo plug-in in the running program: the memo closed from its own menu and shown again from the
// calendar's plug-in menu, also in quick bursts, and the program ending in the middle of one.
#include "ProgramDriver.h"

#include <stdio.h>

#include "DaylensIds.h"
#include "PlugInModule.h"

namespace {

// The memo window's own menu item "ミニメモ閉じる".
const int kMemoClose = 673;
// The mini memo's first menu item ("ミニメモ表示") when it is the only plug-in loaded.
const int kShowMiniMemo = IDM_PLUGIN_FIRST;
// A show or close waits up to 10 s for the memo's old thread: one that takes half of that waited for a thread that did
// not end, however busy the machine.
const long kWaitedForTheMemoMs = 5000;

class MiniMemoTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        PrepareSettings(0);
        WritePrivateProfileStringA("Daylens01", "PlugInOrder00", PlugInModule::kMiniMemo, IniPath.c_str());
        WriteSetting("Daylens01", "PlugInUse00", 1);
        WriteSetting("DaylensMiniMemo", "MiniMemoWindowX", 300);
        WriteSetting("DaylensMiniMemo", "MiniMemoWindowY", 40);
        WriteSetting("DaylensMiniMemo", "MiniMemoWindowWidth", 200);
        WriteSetting("DaylensMiniMemo", "MiniMemoWindowHeight", 120);
    }
    HWND WaitForMemo(HANDLE process, DWORD timeoutMs = kTimeoutMs)
    {
        HWND memo = nullptr;
        WaitUntil([&] {
            memo = FindProcessWindow(process, MINIMEMO_WINDOW_CLASS, nullptr);
            return memo && IsWindowVisible(memo);
        }, timeoutMs);
        return memo;
    }
    // Closes the memo from its own menu and shows it from the calendar's; the memo shows at start, before the
    // calendar has its plug-in menu, so the show is asked for until the menu has it.
    HWND CloseAndShow(HANDLE process, HWND calendar, HWND memo)
    {
        PostMessageA(memo, WM_COMMAND, kMemoClose, 0);
        if (!WaitUntil([&] { return !IsWindow(memo); }, 5000))
            return nullptr;
        for (int i = 0; i < 20; i++) {
            PostMessageA(calendar, WM_COMMAND, kShowMiniMemo, 0);
            if ((memo = WaitForMemo(process, 500)) != nullptr)
                return memo;
        }
        return nullptr;
    }
};

TEST_F(MiniMemoTest, AMemoClosedFromItsMenuShowsAgainFromTheCalendarMenu)
{
    HANDLE process = Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND memo = WaitForMemo(process);
    ASSERT_NE(nullptr, memo);
    memo = CloseAndShow(process, calendar, memo);
    ASSERT_NE(nullptr, memo);
    EXPECT_EQ(300, TopLeft(memo).x);
    EXPECT_EQ(40, TopLeft(memo).y);
}

// Each round closes the memo from its menu and shows it from the calendar's at once: never more than one memo, no
// command holds the calendar, and no thread is left over. The program also ends in such a burst.
TEST_F(MiniMemoTest, QuickClosesAndShowsLeaveOneMemoAndNeverHoldTheCalendar)
{
    DebugOutput output;
    ASSERT_TRUE(output.Listening());
    HANDLE process = Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND memo = WaitForMemo(process);
    ASSERT_NE(nullptr, memo);
    ASSERT_NE(nullptr, CloseAndShow(process, calendar, memo));
    DWORD pid = GetProcessId(process);
    size_t shownBefore = output.NumbersAfter(pid, " ran ").size();
    int threads = SettledThreadCount(process);
    int month = SavedShownMonth(calendar);
    const int kRounds = 100;
    int most = 0;
    DWORD start = GetTickCount();
    for (int i = 0; i < kRounds; i++) {
        HWND memo = FindProcessWindow(process, MINIMEMO_WINDOW_CLASS, nullptr);
        if (memo)
            PostMessageA(memo, WM_COMMAND, kMemoClose, 0);
        PostMessageA(calendar, WM_COMMAND, kShowMiniMemo, 0);
        int memos = WindowCount(process, MINIMEMO_WINDOW_CLASS);
        most = memos > most ? memos : most;
    }
    PostMessageA(calendar, WM_COMMAND, IDM_MONTH_NEXT, 0);
    EXPECT_TRUE(WaitUntil([&] {
        int memos = WindowCount(process, MINIMEMO_WINDOW_CLASS);
        most = memos > most ? memos : most;
        return SavedShownMonth(calendar) == month + 1;
    }, 30000));
    printf("%d rounds done in %lu ms\n", kRounds, GetTickCount() - start);
    EXPECT_LE(most, 1);
    EXPECT_TRUE(WaitUntil([&] { return output.NumbersAfter(pid, " ran ").size() >= shownBefore + kRounds; }));
    long longest = 0;
    for (long time : output.NumbersAfter(pid, " ran "))
        longest = time > longest ? time : longest;
    printf("longest show %ld ms\n", longest);
    EXPECT_LT(longest, kWaitedForTheMemoMs);
    // Whichever of the last close and show came first, one more show leaves one memo.
    PostMessageA(calendar, WM_COMMAND, kShowMiniMemo, 0);
    ASSERT_NE(nullptr, WaitForMemo(process));
    EXPECT_EQ(1, WindowCount(process, MINIMEMO_WINDOW_CLASS));
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount(process) == threads; }, 5000))
        << ThreadCount(process) << " threads, " << threads << " before";

    for (int i = 0; i < kRounds / 2; i++) {
        HWND memo = FindProcessWindow(process, MINIMEMO_WINDOW_CLASS, nullptr);
        if (memo)
            PostMessageA(memo, WM_COMMAND, kMemoClose, 0);
        PostMessageA(calendar, WM_COMMAND, kShowMiniMemo, 0);
    }
    PostMessageA(calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    std::vector<long> unloads = output.NumbersAfter(pid, "DaylensMiniMemo.dll unloaded in ");
    ASSERT_EQ(1u, unloads.size());
    printf("mini memo unloaded in %ld ms at exit\n", unloads[0]);
    EXPECT_LT(unloads[0], kWaitedForTheMemoMs);
}

}  // namespace
