// The built plug-in loaded and started as the host does it: the memo window shows at its saved place, the menu
// commands save their flags, a redraw from the host's thread reads the file again, and LxClose ends the window
// thread so that the DLL unloads, also after a second load in the same process.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <functional>
#include <string>

#include "DaylensIds.h"
#include "MiniMemoModule.h"
#include "PlugInModule.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

const char kDll[] = DAYLENS_DIST_DIR "\\PlugIn\\DaylensMiniMemo.dll";
const char kSection[] = "DaylensMiniMemo";
const DWORD kTimeoutMs = 10000;

bool Poll(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpMessages(20);
    }
    return true;
}


class MiniMemoPlugInTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ini_ = HostIniPath();
        DeleteFileA(ini_.c_str());
        Write("MiniMemoWindowX", "120");
        Write("MiniMemoWindowY", "90");
        Write("MiniMemoWindowWidth", "220");
        Write("MiniMemoWindowHeight", "150");
    }

    void TearDown() override
    {
        if (dll_) {
            Close();
            FreeLibrary(dll_);
        }
        DeleteFileA(ini_.c_str());
    }

    void Write(const char* key, const char* value)
    {
        WritePrivateProfileStringA(kSection, key, value, ini_.c_str());
    }

    int Read(const char* key) { return (int)GetPrivateProfileIntA(kSection, key, -99, ini_.c_str()); }

    // Loaded and started as the host does it.
    HWND Load()
    {
        dll_ = LoadLibraryA(kDll);
        if (!dll_)
            return nullptr;
        auto start = FindExport(dll_, MiniMemoModule::kMiniMemoStart);
        if (start)
            start(nullptr);
        HWND window = nullptr;
        Poll([&] {
            window = FindOwnWindow(MINIMEMO_WINDOW_CLASS, nullptr);
            return window && IsWindowVisible(window);
        });
        return window;
    }

    // LxClose as the host calls it before the unload.
    void Close()
    {
        auto close = FindExport(dll_, PlugInModule::kLxClose);
        if (close)
            close();
    }

    std::string ini_;
    HMODULE dll_ = nullptr;
};

TEST_F(MiniMemoPlugInTest, LoadingShowsTheMemoAtItsPlaceAndTheFixCommandsAreSaved)
{
    HWND window = Load();
    ASSERT_NE(nullptr, window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(120, rect.left);
    EXPECT_EQ(90, rect.top);
    EXPECT_EQ(220, rect.right - rect.left);
    EXPECT_TRUE(IsWindowVisible(window));

    PostMessageA(window, WM_COMMAND, 674, 0);
    EXPECT_TRUE(Poll([&] { return Read("MiniMemoFixPos") == 1; }));
    PostMessageA(window, WM_COMMAND, 675, 0);
    EXPECT_TRUE(Poll([&] { return Read("MiniMemoFixSize") == 1; }));
    PostMessageA(window, WM_COMMAND, 674, 0);
    EXPECT_TRUE(Poll([&] { return Read("MiniMemoFixPos") == 0; }));
    EXPECT_EQ(1, Read("MiniMemoFixSize"));
}

TEST_F(MiniMemoPlugInTest, RedrawFromTheHostReadsTheFileAgainOnTheWindowThread)
{
    HWND window = Load();
    ASSERT_NE(nullptr, window);
    auto redraw = FindExport(dll_, MiniMemoModule::kMiniMemoRedraw);
    ASSERT_NE(nullptr, redraw);
    // Many redraws while the window paints: each is only a message to the window's thread.
    for (int i = 0; i < 50; i++)
        redraw();
    Write("MiniMemoFixSize", "1");
    redraw();
    // The toggle turns the reloaded flag off again and saves it; without the reload it would turn it on.
    PostMessageA(window, WM_COMMAND, 675, 0);
    EXPECT_TRUE(Poll([&] { return Read("MiniMemoFixSize") == 0; }));
}

TEST_F(MiniMemoPlugInTest, CloseEndsTheThreadAndTheDllUnloadsAndLoadsAgain)
{
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round);
        HWND window = Load();
        ASSERT_NE(nullptr, window);
        HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(window, nullptr));
        ASSERT_NE(nullptr, thread);
        // The close returns once the thread has ended, not at the end of its limit with the thread still running.
        Close();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
        CloseHandle(thread);
        FreeLibrary(dll_);
        dll_ = nullptr;
        EXPECT_EQ(nullptr, GetModuleHandleA("DaylensMiniMemo.dll"));
        EXPECT_EQ(120, Read("MiniMemoWindowX"));
    }
}

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return (double)(k.QuadPart + u.QuadPart) / 10000.0;
}

TEST_F(MiniMemoPlugInTest, APaintDroppedForABusyMutexDoesNotComeBackAtOnce)
{
    // The translucent kind paints only through the guarded path; another painter holds the mutex throughout.
    Write("MiniMemoTransMode", "3");
    char name[64];
    snprintf(name, sizeof(name), "Velmora-Daylens-MiniMemo-Draw-%08lx", GetCurrentProcessId());
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    ASSERT_NE(nullptr, mutex);
    HWND window = Load();
    ASSERT_NE(nullptr, window);
    InvalidateRect(window, nullptr, TRUE);
    PumpMessages(1500);
    double before = ProcessCpuMs();
    PumpMessages(1500);
    double used = ProcessCpuMs() - before;
    EXPECT_LT(used, 500.0) << "the window thread kept painting";
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

TEST_F(MiniMemoPlugInTest, TheMenuItemsAndVersionsAreTheMiniMemos)
{
    dll_ = LoadLibraryA(kDll);
    ASSERT_NE(nullptr, dll_);
    auto menu = FindExport(dll_, PlugInModule::kLxPlugInMenuInfoLang);
    auto once = FindExport(dll_, PlugInModule::kLxGetOnce);
    auto version = FindExport(dll_, PlugInModule::kGetMajorVersion);
    ASSERT_TRUE(menu && once && version);
    char items[64] = "";
    int size = sizeof(items);
    EXPECT_EQ(2, menu(items, &size, "Eng"));
    EXPECT_STREQ("MiniMemo Show", items);
    EXPECT_STREQ("MiniMemo Set", items + strlen(items) + 1);
    EXPECT_EQ(0, once());
    EXPECT_EQ(104, version());
    // Closed before its window was made: the thread has ended when the close returns, so the unload frees the DLL,
    // which the thread holds while it runs.
    Close();
    FreeLibrary(dll_);
    dll_ = nullptr;
    EXPECT_EQ(nullptr, GetModuleHandleA("DaylensMiniMemo.dll"));
}

// The calendar's "ミニメモ表示" right after the memo closed itself from its menu, while its thread is still ending:
// the memo shows again, and the call returns at once.
TEST_F(MiniMemoPlugInTest, ShowRightAfterTheMemoClosedItselfShowsItAgain)
{
    HWND window = Load();
    ASSERT_NE(nullptr, window);
    auto runMenu = FindExport(dll_, PlugInModule::kLxPlugInRunMenu);
    ASSERT_NE(nullptr, runMenu);
    const int kMemoClose = 673;
    for (int round = 0; round < 20; round++) {
        SCOPED_TRACE(round);
        SendMessageA(window, WM_COMMAND, kMemoClose, 0);
        // The show waits for the ending thread, up to 10 s: half of that is a thread that did not end at once.
        DWORD start = GetTickCount();
        EXPECT_EQ(1, runMenu(nullptr, 0));
        EXPECT_LT(GetTickCount() - start, 5000u);
        HWND shown = nullptr;
        ASSERT_TRUE(Poll([&] {
            shown = FindOwnWindow(MINIMEMO_WINDOW_CLASS, nullptr);
            return shown && shown != window && IsWindowVisible(shown);
        }));
        window = shown;
    }
}

}  // namespace
