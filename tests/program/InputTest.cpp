// Real pointer and key input through the X server: window drags, the arrow keys,
// the pointer fades and the tooltips of the days.
#include "ProgramDriver.h"

namespace {

bool IsAt(HWND window, int left, int top)
{
    POINT at = TopLeft(window);
    return at.x == left && at.y == top;
}

int CurrentAlpha(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return -1;
    return alpha;
}

class InputTest : public ProgramTest {
protected:
    // A wheel step back over the calendar, after the input sent before it: once
    // the shown month has taken the step, everything before it has been handled
    // too.
    bool WheelBackAndWait(HWND window, int expectedMonth)
    {
        POINT at = TopLeft(window);
        SetCursorPos(at.x + 20, at.y + 20);
        SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
        return WaitForShownMonth(window, expectedMonth);
    }
};

// With the window free every step follows the pointer and the release saves the
// new place; a fixed window stays.
TEST_F(InputTest, LeftDragMovesTheWindowUnlessItIsFixed)
{
    for (int fixed : {0, 1}) {
        SCOPED_TRACE(std::string("WindowFix ") + std::to_string(fixed));
        PrepareSettings(0);
        WriteSetting("Daylens00", "WindowFix", fixed);
        WriteSetting("Daylens01", "MoveWithWheel", 1);
        // Opaque: under Wine the pointer over a colour-keyed hole reaches the desktop
        // even while the calendar holds the capture, so the drag would miss moves.
        WriteSetting("Daylens01", "TransMode", 2);
        HANDLE process = Start("");
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(BringToForeground(window));
        int month = SavedShownMonth(window);
        POINT start = TopLeft(window);
        const int dx = 150, dy = 100, steps = 5;
        SetCursorPos(start.x + 20, start.y + 20);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= steps; i++) {
            int x = dx * i / steps, y = dy * i / steps;
            SetCursorPos(start.x + 20 + x, start.y + 20 + y);
            if (!fixed) {
                EXPECT_TRUE(WaitUntil([&] { return IsAt(window, start.x + x, start.y + y); }, 5000)) << "step " << i;
            }
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(WheelBackAndWait(window, month - 1));

        POINT end = TopLeft(window);
        if (fixed) {
            EXPECT_EQ(start.x, end.x);
            EXPECT_EQ(start.y, end.y);
        } else {
            EXPECT_EQ(start.x + dx, end.x);
            EXPECT_EQ(start.y + dy, end.y);
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
        EXPECT_EQ(end.x, ReadInt("Daylens00", "WindowX"));
        EXPECT_EQ(end.y, ReadInt("Daylens00", "WindowY"));
    }
}

// Right and left step a year, up and down a month, each only when its option is
// on.
TEST_F(InputTest, ArrowKeysStepTheMonthWhenEnabled)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "MoveWithKeyRL", 1);
    WriteSetting("Daylens01", "MoveWithKeyUD", 1);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(BringToForeground(window));
    int today = SavedShownMonth(window);
    struct KeyStep {
        WORD key;
        int months; // from today's month
    };
    for (const KeyStep& step : {KeyStep{VK_RIGHT, 12}, KeyStep{VK_UP, 11}, KeyStep{VK_LEFT, -1}, KeyStep{VK_DOWN, 0}}) {
        SendKey(step.key);
        EXPECT_TRUE(WaitForShownMonth(window, today + step.months)) << "key " << step.key;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));

    PrepareSettings(0);
    WriteSetting("Daylens01", "MoveWithKeyRL", 0);
    WriteSetting("Daylens01", "MoveWithKeyUD", 0);
    WriteSetting("Daylens01", "MoveWithWheel", 1);
    Start("");
    window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(BringToForeground(window));
    today = SavedShownMonth(window);
    // Each pair would change the month by other than the wheel's step after it.
    SendKey(VK_RIGHT);
    SendKey(VK_DOWN);
    EXPECT_TRUE(WheelBackAndWait(window, today - 1));
    SendKey(VK_LEFT);
    SendKey(VK_UP);
    EXPECT_TRUE(WheelBackAndWait(window, today - 2));
}

// Fading when inactive: a pointer visit shows the calendar fully; after the
// pointer has left and the delay has passed it fades back to its own alpha.
TEST_F(InputTest, PointerVisitShowsAnInactiveCalendarUntilTheDelayHasPassed)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "TransMode", 2);
    WriteSetting("Daylens01", "TransparentAlphaMode", 1);
    WriteSetting("Daylens01", "TransparentAlpha", 100);
    WriteSetting("Daylens01", "TransparentAlphaTime", 1);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);

    // A window of our own takes the activation away from the calendar.
    HWND other = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE, 900, 700, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    ASSERT_TRUE(BringToForeground(other));
    EXPECT_TRUE(WaitUntil([window] { return CurrentAlpha(window) == 100; }, 10000)) << CurrentAlpha(window);

    POINT at = TopLeft(window);
    SetCursorPos(at.x + 20, at.y + 20);
    DWORD entered = GetTickCount();
    EXPECT_TRUE(WaitUntil([window] { return CurrentAlpha(window) == 255; }, 5000)) << CurrentAlpha(window);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    EXPECT_TRUE(WaitUntil([window] { return CurrentAlpha(window) == 100; }, 10000)) << CurrentAlpha(window);
    EXPECT_GE(GetTickCount() - entered, 900u);
    DestroyWindow(other);
}

// The calendar hands its mouse messages to its tooltip control: a pointer resting on a day shows the tip.
TEST_F(InputTest, PointerRestingOnADayShowsItsTooltip)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "TransMode", 2);
    WriteSetting("Daylens01", "ShowToolTip", 1);
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    // With the default sizes the third week row stands 82 pixels down, its Wednesday 60 to 80 across.
    POINT at = TopLeft(window);
    SetCursorPos(at.x + 69, at.y + 89);
    SetCursorPos(at.x + 70, at.y + 90);
    EXPECT_TRUE(WaitUntil([window] { return ShownTipOf(window) != nullptr; }, 5000));
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

} // namespace

// A right click on the calendar opens its menu; the options submenu's "next month", chosen with the keys, reaches
// the calendar.
TEST_F(InputTest, RightClickMenuItemReachesTheCalendar)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "TransMode", 2);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(BringToForeground(window));
    int month = SavedShownMonth(window);
    POINT at = TopLeft(window);
    SetCursorPos(at.x + 30, at.y + 30);
    // The menu is built a moment after the window shows.
    ASSERT_TRUE(WaitUntil([] {
        SendMouse(MOUSEEVENTF_RIGHTDOWN);
        SendMouse(MOUSEEVENTF_RIGHTUP);
        return WaitUntil([] { return ShownMenuCount() == 1; }, 1000);
    }));
    // Down to the options submenu (after three memo items, the settings, the tools and the plug-ins), into it, and
    // down from its first item to the fifth.
    for (int i = 0; i < 7; i++)
        SendKey(VK_DOWN);
    SendKey(VK_RIGHT);
    EXPECT_TRUE(WaitUntil([] { return ShownMenuCount() == 2; }, 5000));
    for (int i = 0; i < 4; i++)
        SendKey(VK_DOWN);
    SendKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] { return ShownMenuCount() == 0; }, 5000));
    EXPECT_TRUE(WaitForShownMonth(window, month + 1));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
}
