// Day memos on the calendar: the mark and tooltip line of a memo file put into the memo folder before the start,
// and a memo dragged from day to day on a fixed window. Memorial days, marked the same way from the memorial file.
#include "ProgramDriver.h"

#include <stdio.h>
#include <string.h>

#include "FileUtil.h"
#include "TestWindow.h"

namespace {

// The default layout: the day rows start under the heading (30) and the weekday row (20), 16 pixels apart, in
// columns 20 pixels wide from Sunday.
const int kGridTop = 50;
const int kDayWidth = 20;
const int kDayHeight = 16;
// The number of a day stands in the upper part of its row.
const int kNumberMiddle = 6;
const COLORREF kMarkColor = RGB(255, 0, 255);

class MemoTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        GetLocalTime(&today_);
        memoDir_ = Folder + "\\Memo";
        ASSERT_TRUE(CreateDirectoryA(memoDir_.c_str(), nullptr));
        PrepareSettings(0);
        // Opaque: the pixels read back from the tests' desktop are the calendar's own.
        WriteSetting("Daylens01", "TransMode", 2);
    }
    void TearDown() override
    {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        ProgramTest::TearDown();
    }

    std::string Section(int day) const
    {
        char name[16];
        snprintf(name, sizeof(name), "%04d%02d%02d", today_.wYear, today_.wMonth, day);
        return name;
    }
    std::string DayFile(int day) const { return memoDir_ + "\\" + Section(day) + ".txt"; }
    void WriteMemo(int day, const std::string& keys)
    {
        std::string text = "[" + Section(day) + "]\r\n" + keys;
        ASSERT_TRUE(WriteWholeFile(DayFile(day).c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    // The day's stored memo text (escaped), "" for none.
    std::string StoredMemo(int day) const
    {
        char text[256] = "";
        GetPrivateProfileStringA(Section(day).c_str(), "Memo", "", text, sizeof(text), DayFile(day).c_str());
        return text;
    }

    // A point on the number of day of today's month, on the screen.
    POINT DayPoint(HWND window, int day) const
    {
        int firstWeekday = (today_.wDayOfWeek - (today_.wDay - 1) % 7 + 7) % 7;
        int index = firstWeekday + day - 1;
        POINT at = TopLeft(window);
        return {at.x + (index % 7) * kDayWidth + kDayWidth / 2, at.y + kGridTop + (index / 7) * kDayHeight + kNumberMiddle};
    }
    // Pixels of the memo mark's colour in the middle of day's cell (a mark may reach a pixel into the next column).
    int MarkPixels(HWND window, int day) const
    {
        POINT centre = DayPoint(window, day);
        HDC screen = GetDC(nullptr);
        int count = 0;
        for (int x = centre.x - kDayWidth / 2 + 2; x < centre.x + kDayWidth / 2 - 2; x++) {
            for (int y = centre.y - kNumberMiddle; y < centre.y - kNumberMiddle + kDayHeight; y++)
                count += GetPixel(screen, x, y) == kMarkColor ? 1 : 0;
        }
        ReleaseDC(nullptr, screen);
        return count;
    }
    static HWND CaptureOf(HWND window)
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndCapture : nullptr;
    }
    // Presses on the day from and waits until the calendar has taken the press as a memo drag.
    void Press(HWND window, int from)
    {
        POINT start = DayPoint(window, from);
        PlacePointer(start.x, start.y);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(WaitUntil([window] { return CaptureOf(window) == window; }, 5000)) << "no memo drag from " << from;
    }
    // The calendar takes the drop's day from where the pointer is when it handles the release.
    void Release(POINT to)
    {
        PlacePointer(to.x, to.y);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    void Drag(HWND window, int from, POINT to)
    {
        Press(window, from);
        Release(to);
    }
    static HCURSOR CurrentCursor()
    {
        CURSORINFO info = {};
        info.cbSize = sizeof(info);
        return GetCursorInfo(&info) ? info.hCursor : nullptr;
    }

    // The text of the tip that shows while the pointer rests on day, once it holds part; else the last text seen.
    std::string TipOf(HWND window, int day, const std::string& part)
    {
        POINT at = DayPoint(window, day);
        SetCursorPos(at.x - 1, at.y);
        SetCursorPos(at.x, at.y);
        std::string tip;
        WaitUntil(
            [&] {
                HWND shown = ShownTipOf(window);
                char text[1024] = "";
                DWORD_PTR length = 0;
                if (shown)
                    SendMessageTimeoutA(shown, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_BLOCK, 1000, &length);
                tip = text;
                return tip.find(part) != std::string::npos;
            },
            5000);
        return tip;
    }

    SYSTEMTIME today_ = {};
    std::string memoDir_;
};

// The memo mark in the memo's own colour on its day only, and its time and text (tabs as blanks) in the day's tip.
TEST_F(MemoTest, MemoFileShowsItsMarkAndTooltipLine)
{
    WriteSetting("Daylens01", "ShowToolTip", 1);
    WriteMemo(15, "MarkType=8\r\nMarkColor=16711935\r\nTime=07:05\r\nMemo=会議&t資料\r\n");
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(WaitUntil([&] { return MarkPixels(window, 15) > 20; }, 5000)) << MarkPixels(window, 15);
    EXPECT_EQ(0, MarkPixels(window, 16));

    POINT day = DayPoint(window, 15);
    SetCursorPos(day.x - 1, day.y);
    SetCursorPos(day.x, day.y);
    std::string tip;
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND shown = ShownTipOf(window);
            char text[1024] = "";
            DWORD_PTR length = 0;
            if (shown)
                SendMessageTimeoutA(shown, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_BLOCK, 1000, &length);
            tip = text;
            return tip.find("\r\n07:05 会議 資料") != std::string::npos;
        },
        5000))
        << tip;
}

// A memorial day of the memorial file carries the memorial mark, and its tip names it with the years since its year.
TEST_F(MemoTest, MemorialDayShowsItsMarkAndAgeInTheTooltip)
{
    WriteSetting("Daylens01", "ShowToolTip", 1);
    WriteSetting("DaylensMemorial", "MemorialMarkType", 8);
    WriteSetting("DaylensMemorial", "MemorialMarkColor", (int)kMarkColor);
    WriteSetting("DaylensMemorial", "MemorialCount", 1);
    char line[64];
    snprintf(line, sizeof(line), "%d %d 15 誕生日\r\n", today_.wYear - 50, today_.wMonth);
    std::string file = Folder + "\\MemorialDay.txt";
    ASSERT_TRUE(WriteWholeFile(file.c_str(), line, (DWORD)strlen(line), nullptr));
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(WaitUntil([&] { return MarkPixels(window, 15) > 20; }, 5000)) << MarkPixels(window, 15);
    EXPECT_EQ(0, MarkPixels(window, 16));
    std::string tip = TipOf(window, 15, "\r\n誕生日(50歳)");
    EXPECT_NE(std::string::npos, tip.find("\r\n誕生日(50歳)")) << tip;
}

// On a fixed window a memo dragged onto another day moves there, with Ctrl it is copied, and dropped beside every
// day it stays.
TEST_F(MemoTest, DraggedMemoMovesOrIsCopied)
{
    WriteSetting("Daylens00", "WindowFix", 1);
    // No tip may cover the days whose pixels are read.
    WriteSetting("Daylens01", "ShowToolTip", 0);
    WriteMemo(15, "MarkType=8\r\nMarkColor=16711935\r\nMemo=移動\r\n");
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(BringToForeground(window));

    Drag(window, 15, DayPoint(window, 16));
    EXPECT_TRUE(WaitUntil([&] { return StoredMemo(16) == "移動" && GetFileAttributesA(DayFile(15).c_str()) ==
                                                                         INVALID_FILE_ATTRIBUTES; }, 5000));

    // Ctrl pressed during the drag shows the copy cursor; it is held until the calendar shows the copy, which it
    // draws after it has written both days.
    EXPECT_TRUE(WaitUntil([&] { return MarkPixels(window, 16) > 20; }, 5000));
    Press(window, 16);
    HCURSOR moving = CurrentCursor();
    SendKeyState(VK_CONTROL, true);
    EXPECT_TRUE(WaitUntil([moving] { return CurrentCursor() != moving; }, 5000));
    Release(DayPoint(window, 17));
    EXPECT_TRUE(WaitUntil([&] { return MarkPixels(window, 17) > 20; }, 5000));
    SendKeyState(VK_CONTROL, false);
    EXPECT_EQ("移動", StoredMemo(17));
    EXPECT_EQ("移動", StoredMemo(16));

    // The heading is no day: once the release has been handled, every memo is where it was.
    POINT heading = TopLeft(window);
    Drag(window, 17, {heading.x + 4, heading.y + 4});
    EXPECT_TRUE(WaitUntil([window] { return CaptureOf(window) == nullptr; }, 5000));
    EXPECT_EQ("移動", StoredMemo(16));
    EXPECT_EQ("移動", StoredMemo(17));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(DayFile(15).c_str()));
}

}  // namespace
