#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include <limits.h>

#include "WindowPlacement.h"

namespace {

const RECT kArea = {0, 0, 1280, 984};

TEST(FitRectAroundPoint, CentresOnThePointInsideTheArea)
{
    POINT pos = FitRectAroundPoint({640, 500}, 200, 100, &kArea, 5);
    EXPECT_EQ(540, pos.x);
    EXPECT_EQ(450, pos.y);
}

TEST(FitRectAroundPoint, CrossedEdgesMoveMarginInside)
{
    POINT corner = FitRectAroundPoint({1279, 983}, 200, 100, &kArea, 5);
    EXPECT_EQ(1280 - 5, corner.x + 200);
    EXPECT_EQ(984 - 5, corner.y + 100);

    RECT secondary = {-1024, 100, 0, 868};
    POINT origin = FitRectAroundPoint({-1024, 100}, 200, 100, &secondary, 8);
    EXPECT_EQ(-1024 + 8, origin.x);
    EXPECT_EQ(100 + 8, origin.y);
}

// A window larger than the area keeps its top-left (title bar) on screen.
TEST(FitRectAroundPoint, OversizedWindowKeepsItsTopLeftInside)
{
    POINT pos = FitRectAroundPoint({1000, 900}, 1500, 1200, &kArea, 5);
    EXPECT_EQ(5, pos.x);
    EXPECT_EQ(5, pos.y);
}

// A box off the area comes to its nearest edge, a box inside stays, and one larger than the area keeps its
// top-left edges on the area's.
TEST(KeepBoxInArea, MovesTheLeastThatBringsTheBoxInside)
{
    struct Case {
        RECT Box;
        LONG X, Y;
    } const cases[] = {
        {{-99999, -99999, 400, 300}, 0, 0},     {{5000, 3000, 400, 300}, 880, 684},
        {{100, 50, 400, 300}, 100, 50},         {{-50, 700, 400, 300}, 0, 684},
        {{200, 200, 2000, 1200}, 0, 0},         {{INT_MAX - 10, INT_MIN, 400, 300}, 880, 0},
    };
    for (const Case& c : cases) {
        RECT box = c.Box;
        EXPECT_EQ(1, KeepBoxInArea(&box, &kArea));
        EXPECT_EQ(c.X, box.left) << c.Box.left;
        EXPECT_EQ(c.Y, box.top) << c.Box.top;
        EXPECT_EQ(c.Box.right, box.right);
        EXPECT_EQ(c.Box.bottom, box.bottom);
    }
    RECT empty = {10, 10, 10, 10};
    RECT box = {-5, -5, 4, 4};
    EXPECT_EQ(0, KeepBoxInArea(&box, &empty));
    EXPECT_EQ(-5, box.left);
}

TEST(WrapRectIntoArea, MovesByWholeAreaSizes)
{
    RECT twoRight = {100 + 2 * 1280, 50, 300, 200};
    ASSERT_EQ(1, WrapRectIntoArea(&twoRight, &kArea));
    EXPECT_EQ(100, twoRight.left);
    EXPECT_EQ(50, twoRight.top);
    EXPECT_EQ(300, twoRight.right);
    EXPECT_EQ(200, twoRight.bottom);

    RECT aboveLeft = {-1280 - 400, -984 * 3 + 10, 300, 200};
    WrapRectIntoArea(&aboveLeft, &kArea);
    EXPECT_EQ(-1280 - 400 + 2 * 1280, aboveLeft.left);
    EXPECT_EQ(10, aboveLeft.top);

    // The centre decides: a box hanging off the right edge with its centre inside stays.
    RECT hanging = {1100, 0, 300, 200};
    WrapRectIntoArea(&hanging, &kArea);
    EXPECT_EQ(1100, hanging.left);
    RECT centreOff = {1200, 0, 200, 200};
    WrapRectIntoArea(&centreOff, &kArea);
    EXPECT_EQ(1200 - 1280, centreOff.left);
}

TEST(WrapRectIntoArea, AreaWithAnOffsetOrigin)
{
    RECT desktop = {-1280, 0, 1920, 1080};
    RECT box = {1920 + 3200 + 10, 20, 100, 100};
    WrapRectIntoArea(&box, &desktop);
    EXPECT_EQ(1920 + 10 - 3200, box.left);
}

// An empty desktop (metrics not available) must not loop: the box is left as it is.
TEST(WrapRectIntoArea, EmptyAreaLeavesTheBox)
{
    RECT box = {5000, -5000, 300, 200};
    RECT empty = {0, 0, 0, 1024};
    RECT negative = {0, 0, 1280, -1};
    EXPECT_EQ(0, WrapRectIntoArea(&box, &empty));
    EXPECT_EQ(0, WrapRectIntoArea(&box, &negative));
    EXPECT_EQ(0, WrapRectIntoArea(nullptr, &kArea));
    EXPECT_EQ(5000, box.left);
    EXPECT_EQ(-5000, box.top);
}

int g_placements = 0;
WNDPROC g_staticProc = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGING)
        g_placements++;
    return CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}

HWND CountedWindow(int x, DWORD style)
{
    HWND window = CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | style, x, 10, 100, 80, nullptr, nullptr,
                                  nullptr, nullptr);
    g_staticProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)CountingProc);
    return window;
}

// The top-level windows other than a and b, from the top.
std::vector<HWND> OtherWindows(HWND a, HWND b)
{
    std::vector<HWND> others;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window != a && window != b)
            others.push_back(window);
    }
    return others;
}

// A placement that would change nothing is not made; one that moves, sizes, shows or reorders the window is, once.
// The desktop's own programs may still be making windows: a round during which another window came or moved is run
// again, since it changed what "on top" means.
TEST(SetWindowPosIfChanged, MakesOnlyPlacementsThatChangeSomething)
{
    const UINT keep = SWP_NOACTIVATE;
    struct Step {
        const char* What;
        HWND After;
        int X, Width;
        UINT Flags;
        int Placements;
    } steps[] = {
        {"the same place, not topmost", HWND_NOTOPMOST, 10, 100, keep, 0},
        {"moved", HWND_NOTOPMOST, 20, 100, keep, 1},
        {"sized", HWND_NOTOPMOST, 20, 120, keep, 1},
        {"shown while shown", HWND_NOTOPMOST, 20, 120, keep | SWP_SHOWWINDOW, 0},
        {"to the top from under another", HWND_TOP, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE, 1},
        {"to the top again", HWND_TOP, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE, 0},
        {"made topmost", HWND_TOPMOST, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE, 1},
        {"topmost again", HWND_TOPMOST, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE, 0},
        {"no longer topmost", HWND_NOTOPMOST, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE, 1},
        {"hidden", HWND_NOTOPMOST, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW, 1},
        {"shown", HWND_NOTOPMOST, 0, 0, keep | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW, 1},
    };
    std::string faults;
    bool undisturbed = false;
    for (int round = 0; round < 5 && !undisturbed; round++) {
        HWND below = CountedWindow(10, WS_VISIBLE);
        HWND above = CountedWindow(200, WS_VISIBLE);
        ASSERT_TRUE(below && above);
        std::vector<HWND> others = OtherWindows(below, above);
        faults.clear();
        for (const Step& step : steps) {
            g_placements = 0;
            if (SetWindowPosIfChanged(below, step.After, step.X, 10, step.Width, 80, step.Flags) != 1)
                faults += std::string(step.What) + ": failed; ";
            if (g_placements != step.Placements)
                faults += std::string(step.What) + ": " + std::to_string(g_placements) + " placements; ";
        }
        RECT rect = {};
        GetWindowRect(below, &rect);
        if (rect.left != 20 || rect.right - rect.left != 120 || !IsWindowVisible(below))
            faults += "not left moved, sized and shown; ";
        undisturbed = OtherWindows(below, above) == others;
        DestroyWindow(above);
        DestroyWindow(below);
    }
    EXPECT_TRUE(undisturbed) << "other windows came or moved in every round";
    EXPECT_EQ("", faults);
}

// A window made topmost while a popup it owns lies above it (a tooltip made after it) is topmost.
TEST(SetWindowPosIfChanged, MakesAnOwnerOfPopupsTopmost)
{
    HWND owner = CountedWindow(10, WS_VISIBLE);
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr,
                                 nullptr);
    ASSERT_TRUE(owner && popup);
    EXPECT_EQ(1, SetWindowPosIfChanged(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_TRUE(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(owner, GetWindow(popup, GW_OWNER));
    EXPECT_EQ(1, SetWindowPosIfChanged(owner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    EXPECT_FALSE(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    DestroyWindow(owner);
}

}  // namespace
