// The built mini memo's window thread as the host drives it: started, redrawn and closed from the host's thread
// again and again, with closes that come while the window is still being made, and redrawn a thousand times while
// it draws, with its day tooltips kept in one control.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include <string>

#include "DaylensIds.h"
#include "MiniMemoModule.h"
#include "PlugInModule.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

const char kDll[] = DAYLENS_DIST_DIR "\\PlugIn\\DaylensMiniMemo.dll";
const char kSection[] = "DaylensMiniMemo";
const DWORD kLimitMs = 10000;


template <typename Condition>
bool Poll(Condition condition)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > kLimitMs)
            return false;
        PumpMessages(10);
    }
    return true;
}

class MiniMemoThreadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ini_ = HostIniPath();
        DeleteFileA(ini_.c_str());
        Write("MiniMemoWindowX", "120");
        Write("MiniMemoWindowY", "90");
        Write("MiniMemoWindowWidth", "220");
        Write("MiniMemoWindowHeight", "150");
        Write("MiniMemoBeforeDays", "3");
        Write("MiniMemoAfterDays", "2");
        Write("MiniMemoBackColor", "1193046");
        // Drawn straight onto the window, so that every rebuild draws whether or not a window is in front.
        Write("MiniMemoTransMode", "1");
        dll_ = LoadLibraryA(kDll);
        ASSERT_NE(nullptr, dll_);
        start_ = FindExport(dll_, MiniMemoModule::kMiniMemoStart);
        redraw_ = FindExport(dll_, MiniMemoModule::kMiniMemoRedraw);
        close_ = FindExport(dll_, PlugInModule::kLxClose);
        ASSERT_TRUE(start_ && redraw_ && close_);
    }

    void TearDown() override
    {
        if (close_)
            close_();
        if (dll_)
            FreeLibrary(dll_);
        DeleteFileA(ini_.c_str());
    }

    void Write(const char* key, const char* value) { WritePrivateProfileStringA(kSection, key, value, ini_.c_str()); }
    int Read(const char* key) { return (int)GetPrivateProfileIntA(kSection, key, -99, ini_.c_str()); }

    HWND ShownMemo()
    {
        HWND window = nullptr;
        Poll([&] {
            window = FindOwnWindow(MINIMEMO_WINDOW_CLASS, nullptr);
            return window && IsWindowVisible(window);
        });
        return window;
    }

    std::string ini_;
    HMODULE dll_ = nullptr;
    MiniMemoModule::MiniMemoStart start_ = nullptr;
    MiniMemoModule::MiniMemoRedraw redraw_ = nullptr;
    PlugInModule::LxClose close_ = nullptr;
};

// Loaded only, as the plug-in information dialog loads it to read its version: nothing starts, so nothing holds the
// library, and it unloads at once.
TEST(MiniMemoLoadTest, LoadingAloneStartsNothing)
{
    HMODULE dll = LoadLibraryA(kDll);
    ASSERT_NE(nullptr, dll);
    EXPECT_EQ(104, FindExport(dll, PlugInModule::kGetMajorVersion)());
    FreeLibrary(dll);
    EXPECT_EQ(nullptr, GetModuleHandleA("DaylensMiniMemo.dll"));
    EXPECT_EQ(nullptr, FindOwnWindow(MINIMEMO_WINDOW_CLASS, nullptr));
}

// Each round starts the memo, redraws it a few times and closes it, mostly before its window is up: every close
// ends the thread with its window, and the settings the memo saved at each close are the ones it read.
TEST_F(MiniMemoThreadTest, StartRedrawAndCloseOverAndOverEndEveryWindowAndKeepTheSettings)
{
    // Each close saves the settings: a few dozen rounds.
    const int kRounds = 30;
    int left = 0;
    for (int round = 0; round < kRounds; round++) {
        ASSERT_EQ(1, start_(nullptr));
        for (int i = 0; i < round % 4; i++)
            redraw_();
        ASSERT_EQ(1, close_());
        if (FindOwnWindow(MINIMEMO_WINDOW_CLASS, nullptr))
            left++;
    }
    EXPECT_EQ(0, left) << "memo windows left after their close";
    EXPECT_EQ(120, Read("MiniMemoWindowX"));
    EXPECT_EQ(90, Read("MiniMemoWindowY"));
    EXPECT_EQ(220, Read("MiniMemoWindowWidth"));
    EXPECT_EQ(3, Read("MiniMemoBeforeDays"));
    EXPECT_EQ(2, Read("MiniMemoAfterDays"));
    EXPECT_EQ(1193046, Read("MiniMemoBackColor"));
    EXPECT_EQ(1, Read("MiniMemoTransMode"));
}

// What the test sees on the memo's thread: the tooltip controls made there, and how far the thread has taken the
// messages the test posted after each redraw.
struct MemoWatch {
    volatile LONG TipsMade;
    DWORD TipStyle;  // of the last tooltip control made, as it was asked for
    UINT Barrier;
    volatile LONG Passed;
};
MemoWatch g_memo;

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = ((const CBT_CREATEWNDA*)lParam)->lpcs;
        if (!IS_INTRESOURCE(create->lpszClass) && lstrcmpiA(create->lpszClass, TOOLTIPS_CLASSA) == 0) {
            g_memo.TipStyle = (DWORD)create->style;
            InterlockedIncrement(&g_memo.TipsMade);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A barrier taken from the queue means that the redraw posted before it has been done.
LRESULT CALLBACK WatchQueue(int code, WPARAM removed, LPARAM lParam)
{
    const MSG* message = (const MSG*)lParam;
    if (code == HC_ACTION && removed == PM_REMOVE && message->message == g_memo.Barrier)
        InterlockedExchange(&g_memo.Passed, (LONG)message->wParam);
    return CallNextHookEx(nullptr, code, removed, lParam);
}

struct OwnedTip {
    HWND Owner;
    HWND Tip;
};

BOOL CALLBACK FindOwnedTip(HWND window, LPARAM context)
{
    OwnedTip* found = (OwnedTip*)context;
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == found->Owner)
        found->Tip = window;
    return TRUE;
}

HWND TipOf(HWND memo)
{
    OwnedTip found = {memo, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(memo, nullptr), FindOwnedTip, (LPARAM)&found);
    return found.Tip;
}

// The host redraws the memo (which reads its settings again and draws everything) a thousand times while the memo
// draws: each redraw is done in its turn, the day tooltips' control is made once, as a popup from the start, and
// kept, and its tools do not subclass the memo. Under Wine a window made without WS_POPUP is taken for one with a
// caption and handed, with its owner the memo, to the window manager; a tool that subclasses the memo costs it
// server round trips at every message.
TEST_F(MiniMemoThreadTest, RedrawsFromTheHostAreDoneInTurnWithOneKeptPopupTooltip)
{
    const int kRounds = 1000;
    Write("MiniMemoUseToolTip", "0");
    ASSERT_EQ(1, start_(nullptr));
    HWND memo = ShownMemo();
    ASSERT_NE(nullptr, memo);
    g_memo = {};
    g_memo.Barrier = RegisterWindowMessageA("DaylensTestRedrawBarrier");
    DWORD thread = GetWindowThreadProcessId(memo, nullptr);
    HHOOK creation = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, thread);
    HHOOK queue = SetWindowsHookExA(WH_GETMESSAGE, WatchQueue, nullptr, thread);
    ASSERT_TRUE(creation && queue);
    Write("MiniMemoUseToolTip", "1");
    int rounds = 0;
    for (; rounds < kRounds; rounds++) {
        redraw_();
        PostMessageA(memo, g_memo.Barrier, (WPARAM)(rounds + 1), 0);
        DWORD start = GetTickCount();
        while (g_memo.Passed != rounds + 1 && GetTickCount() - start < kLimitMs)
            Sleep(1);
        if (g_memo.Passed != rounds + 1)
            break;
    }
    UnhookWindowsHookEx(queue);
    UnhookWindowsHookEx(creation);
    EXPECT_EQ(kRounds, rounds) << "the memo stopped taking its redraws";
    EXPECT_EQ(1, g_memo.TipsMade);
    EXPECT_EQ((DWORD)WS_POPUP, g_memo.TipStyle & WS_POPUP);
    HWND tip = TipOf(memo);
    ASSERT_NE(nullptr, tip);
    LRESULT tools = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
    // One band per listed day: three before today, today and two after.
    EXPECT_EQ(6, tools);
    for (LRESULT i = 0; i < tools; i++) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)i, (LPARAM)&tool));
        EXPECT_EQ(0u, tool.uFlags & TTF_SUBCLASS) << "tool " << tool.uId;
    }
}

}  // namespace
