#include <gtest/gtest.h>

#include <windows.h>

#include "TestWindow.h"
#include "WindowPlacement.h"

namespace {

RECT WindowRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT WorkAreaAt(POINT point)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT PrimaryWorkArea()
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

TEST(PlaceWindowAtCursor, BottomRightCornerKeepsTheMargin)
{
    POINT probe = {10, 10};
    RECT work = WorkAreaAt(probe);
    ASSERT_TRUE(SetCursorPos(work.right - 1, work.bottom - 1));
    ScopedWindow window(CreateTestWindow(WS_POPUP, 0, 0, 200, 100));
    ASSERT_EQ(1, PlaceWindowAtCursor(window, 5, 1));
    RECT r = WindowRect(window);
    EXPECT_EQ(work.right - 5, r.right);
    EXPECT_EQ(work.bottom - 5, r.bottom);
    EXPECT_EQ(200, r.right - r.left);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(PlaceWindowAtCursor, CentresOnTheCursorAndShowsOnlyWhenAsked)
{
    ASSERT_TRUE(SetCursorPos(400, 300));
    POINT cursor;
    GetCursorPos(&cursor);
    ScopedWindow window(CreateTestWindow(WS_POPUP, 0, 0, 200, 100));
    ASSERT_EQ(1, PlaceWindowAtCursor(window, 5, 0));
    RECT r = WindowRect(window);
    EXPECT_EQ(cursor.x - 100, r.left);
    EXPECT_EQ(cursor.y - 50, r.top);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(0, PlaceWindowAtCursor(nullptr, 5, 1));
}

TEST(PlaceWindowBeside, WithoutReferenceUsesTheWorkArea)
{
    RECT work = PrimaryWorkArea();
    ScopedWindow window(CreateTestWindow(WS_POPUP, 30, 40, 200, 100));
    ASSERT_EQ(1, PlaceWindowBeside(window, 0, nullptr));
    RECT r = WindowRect(window);
    EXPECT_EQ((work.right - 200) / 2, r.left);
    EXPECT_EQ((work.bottom - 100) / 2, r.top);
    EXPECT_TRUE(IsWindowVisible(window));

    SetWindowPos(window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PlaceWindowBeside(window, PLACE_CENTRE_HORIZONTALLY, nullptr);
    EXPECT_EQ((work.right - 200) / 2, WindowRect(window).left);
    EXPECT_EQ(40, WindowRect(window).top);
    PlaceWindowBeside(window, PLACE_LEFT_OF_MIDDLE, nullptr);
    EXPECT_EQ(work.right / 2 - 200, WindowRect(window).left);
}

TEST(PlaceWindowBeside, ChildOfTheReferenceUsesItsClientArea)
{
    ScopedWindow frame(CreateTestWindow(WS_POPUP | WS_VISIBLE, 100, 80, 400, 300));
    HWND child = CreateTestChild(frame, "STATIC", 1, 0, 30, 20, 100, 60);
    ASSERT_NE(nullptr, child);
    ASSERT_EQ(1, PlaceWindowBeside(child, PLACE_CENTRE_VERTICALLY, frame));
    RECT r = WindowRect(child);
    MapWindowPoints(HWND_DESKTOP, frame, (POINT*)&r, 2);
    EXPECT_EQ(30, r.left);
    EXPECT_EQ((300 - 60) / 2, r.top);
}

// A kept coordinate of an owned (top-level) window stays where it was on the screen.
TEST(PlaceWindowBeside, OwnedWindowKeepsItsScreenPosition)
{
    ScopedWindow frame(CreateTestWindow(WS_POPUP | WS_VISIBLE, 100, 80, 400, 300));
    ScopedWindow owned(CreateTestWindow(WS_POPUP, 500, 450, 100, 60, frame));
    ASSERT_EQ(1, PlaceWindowBeside(owned, PLACE_CENTRE_HORIZONTALLY, frame));
    RECT r = WindowRect(owned);
    POINT origin = {0, 0};
    ClientToScreen(frame, &origin);
    EXPECT_EQ(origin.x + (400 - 100) / 2, r.left);
    EXPECT_EQ(450, r.top);
}

TEST(WrapRectOntoDesktop, BringsTheWindowBackByWholeDesktops)
{
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    ASSERT_GT(width, 0);
    ScopedWindow window(CreateTestWindow(WS_POPUP, 0, 0, 200, 100));
    RECT box = {left + 100 + 2 * width, 50, 300, 150};
    ASSERT_EQ(1, WrapRectOntoDesktop(window, &box, 0));
    EXPECT_EQ(left + 100, box.left);
    RECT r = WindowRect(window);
    EXPECT_EQ(left + 100, r.left);
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(200, r.right - r.left);

    box = {left - width - 250, 60, 300, 150};
    ASSERT_EQ(1, WrapRectOntoDesktop(window, &box, 1));
    r = WindowRect(window);
    EXPECT_EQ(left + width - 250, r.left);
    EXPECT_EQ(300, r.right - r.left);
    EXPECT_EQ(150, r.bottom - r.top);

    EXPECT_EQ(0, WrapRectOntoDesktop(nullptr, &box, 0));
    EXPECT_EQ(0, WrapRectOntoDesktop(window, nullptr, 0));
}

TEST(GetNormalPlacementRect, GivesPositionAndSize)
{
    ScopedWindow window(CreateTestWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 40, 220, 110));
    RECT box;
    ASSERT_EQ(1, GetNormalPlacementRect(window, &box));
    EXPECT_EQ(30, box.left);
    EXPECT_EQ(40, box.top);
    EXPECT_EQ(220, box.right);
    EXPECT_EQ(110, box.bottom);
    EXPECT_EQ(0, GetNormalPlacementRect(nullptr, &box));
}

}  // namespace
