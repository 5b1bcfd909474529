// The mini memo drawn into a memory bitmap from a prepared memo store: the memos stand on the lines the layout
// gives them, in their day group's colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MemoryBitmap.h"
#include "MiniMemoPaint.h"
#include "MiniMemoState.h"
#include "TempFolder.h"

namespace {

const COLORREF kToday = RGB(255, 0, 0);
const COLORREF kAfter = RGB(0, 0, 255);
const int kWidth = 240;
const int kHeight = 200;

class MiniMemoDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daylens-minimemo-draw"));
        LoadMiniMemoSettings(&g_miniMemo.Settings, &g_miniMemo.Store, nullptr);
        strcpy(g_miniMemo.Store.Folder, folder_.Dir().c_str());
        MiniMemoSettings& s = g_miniMemo.Settings;
        s.BeforeDays = 0;
        s.AfterDays = 1;
        s.MultiLine = 1;
        s.AllMemo = 1;
        s.UseToolTip = 0;
        s.FrameWidth = 0;
        s.BackColor = RGB(255, 255, 255);
        s.Trans.TransMode = TRANS_MODE_ALPHA;
        for (MiniMemoTextStyle& style : s.Styles) {
            style.ShadowWidth = 0;
            strcpy(style.Font.lfFaceName, "IPAGothic");
        }
        s.Styles[MINIMEMO_STYLE_TODAY].ForeColor = kToday;
        s.Styles[MINIMEMO_STYLE_AFTER].ForeColor = kAfter;
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr,
                                  nullptr);
        ASSERT_NE(nullptr, window_);
    }

    void TearDown() override
    {
        if (window_)
            DestroyWindow(window_);
    }

    void WriteMemo(int daysFromToday, const char* memo)
    {
        SYSTEMTIME day;
        GetLocalTime(&day);
        FILETIME file;
        SystemTimeToFileTime(&day, &file);
        ULARGE_INTEGER t = {{file.dwLowDateTime, file.dwHighDateTime}};
        t.QuadPart += (ULONGLONG)daysFromToday * 24 * 3600 * 10000000ULL;
        file = {t.LowPart, t.HighPart};
        FileTimeToSystemTime(&file, &day);
        char name[32];
        snprintf(name, sizeof(name), "%04d%02d%02d", day.wYear, day.wMonth, day.wDay);
        std::string path = folder_.Path((std::string(name) + ".txt").c_str());
        ASSERT_TRUE(WritePrivateProfileStringA(name, "Memo", memo, path.c_str()));
    }

    // Rows in which the colour appears, as first and last row.
    static void Rows(const MemoryBitmap& bitmap, COLORREF color, int* first, int* last)
    {
        RECT box;
        *first = *last = -1;
        if (bitmap.Count(color, &box) == 0)
            return;
        *first = box.top;
        *last = box.bottom - 1;
    }

    int LineHeight()
    {
        HDC dc = GetDC(nullptr);
        HFONT font = CreateFontIndirectA(&g_miniMemo.Settings.Styles[0].Font);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, "月", 2, &size);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
        return size.cy;
    }

    TempFolder folder_;
    HWND window_ = nullptr;
};

TEST_F(MiniMemoDrawTest, TodaysLinesInTodaysColourThenTomorrowBelowThem)
{
    WriteMemo(0, "一行目&r&n二行目");
    WriteMemo(1, "明日のメモ");
    MemoryBitmap bitmap(kWidth, kHeight, RGB(255, 255, 255));
    ASSERT_TRUE(bitmap.Valid());
    ASSERT_EQ(1, DrawMiniMemo(window_, bitmap.Dc(), 0));
    int h = LineHeight();
    int firstToday, lastToday, firstAfter, lastAfter;
    Rows(bitmap, kToday, &firstToday, &lastToday);
    Rows(bitmap, kAfter, &firstAfter, &lastAfter);
    ASSERT_GE(firstToday, 0);
    ASSERT_GE(firstAfter, 0);
    // Header, then two memo lines below it (margin 2 and line margin 2 between).
    EXPECT_GE(firstToday, 2);
    EXPECT_LT(firstToday, 2 + h);
    EXPECT_GE(lastToday, 2 + h + 2 + h);
    EXPECT_LT(lastToday, 2 + h + 2 + 2 * h);
    // Tomorrow's header follows after the line margin, its memo on the line below.
    EXPECT_GT(firstAfter, lastToday);
    EXPECT_GE(firstAfter, 2 + h + 2 + 2 * h + 2);
    EXPECT_GE(lastAfter, firstAfter + h + 2);
}

TEST_F(MiniMemoDrawTest, TheMaskIsWhiteTextOnBlack)
{
    WriteMemo(0, "メモ");
    g_miniMemo.Settings.Trans.TransMode = TRANS_MODE_OPAQUE;
    MemoryBitmap mask(kWidth, kHeight, RGB(0, 0, 0));
    ASSERT_EQ(1, DrawMiniMemo(window_, mask.Dc(), 1));
    EXPECT_GT(mask.Count(RGB(255, 255, 255)), 20);
    EXPECT_EQ(0, mask.Count(kToday));
}

}  // namespace

namespace {

struct Holder {
    HANDLE Mutex;
    HANDLE Taken;
    HANDLE Go;
};

// Takes the mutex, says so, waits for the word and ends without releasing it.
DWORD WINAPI HoldAndVanish(void* context)
{
    Holder* h = (Holder*)context;
    WaitForSingleObject(h->Mutex, INFINITE);
    SetEvent(h->Taken);
    WaitForSingleObject(h->Go, INFINITE);
    return 0;
}

DWORD WINAPI TryFromAnotherThread(void* mutex)
{
    DWORD result = WaitForSingleObject((HANDLE)mutex, 0);
    if (result == WAIT_OBJECT_0)
        ReleaseMutex((HANDLE)mutex);
    return result;
}

TEST(MiniMemoDrawMutexTest, ABusyMutexDropsThePaintAndAnAbandonedOneIsTakenOver)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    g_miniMemo.Thread.Window = window;
    ASSERT_EQ(1, CreateDrawMutex(window));
    Holder h = {g_miniMemo.DrawMutex, CreateEventA(nullptr, TRUE, FALSE, nullptr),
                CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, HoldAndVanish, &h, 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(h.Taken, 5000));
    EXPECT_EQ(0, TryLockDraw(0));
    HDC dc = GetDC(window);
    EXPECT_EQ(0, PaintMiniMemo(window, dc));
    ReleaseDC(window, dc);

    SetEvent(h.Go);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    // The holder died with it: ours now, and released like any other.
    EXPECT_EQ(1, TryLockDraw(0));
    UnlockDraw();
    thread = CreateThread(nullptr, 0, TryFromAnotherThread, g_miniMemo.DrawMutex, 0, nullptr);
    WaitForSingleObject(thread, 5000);
    DWORD other = 99;
    GetExitCodeThread(thread, &other);
    CloseHandle(thread);
    EXPECT_EQ(WAIT_OBJECT_0, other);

    CloseDrawMutex();
    EXPECT_EQ(nullptr, g_miniMemo.DrawMutex);
    g_miniMemo.Thread.Window = nullptr;
    CloseHandle(h.Taken);
    CloseHandle(h.Go);
    DestroyWindow(window);
}

}  // namespace
