// Day cells, the hit test, the calendar's tooltips and LimitString.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "DayCells.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "HostWindow.h"
#include "TestWindow.h"

namespace {

// Two cells touching at x = 10, a gap, and a month heading.
const DayCell kCells[] = {
    {2026, 1, 1, {0, 0, 10, 10}},
    {2026, 1, 2, {10, 0, 20, 10}},
    {2026, 1, 0, {30, 0, 40, 10}},
};

TEST(DayCellsTest, HitTestTakesTheFirstCellWithEdgesInside)
{
    struct Case {
        int x, y, day;  // day -1: no cell
    } const cases[] = {
        {0, 0, 1}, {10, 5, 1}, {11, 5, 2}, {20, 10, 2}, {25, 5, -1}, {40, 10, 0}, {41, 10, -1}, {5, 11, -1},
    };
    for (const Case& c : cases) {
        const DayCell* cell = FindDayCell(kCells, 3, POINT{c.x, c.y});
        EXPECT_EQ(c.day, cell ? cell->Day : -1) << c.x << "," << c.y;
    }
    EXPECT_EQ(nullptr, FindDayCell(nullptr, 3, POINT{0, 0}));
}

TEST(DayCellsTest, CellsKeepLowSixteenBitsAndStopAtTheTableSize)
{
    EnvData env;
    env.DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    ASSERT_NE(nullptr, env.DayCells);
    RECT rect = {1, 2, 3, 4};
    SetToolTip(env.DayCells, &env.DayCellCount, "x", &rect, &env, 0x12026, 0x10003, 31, 0);
    ASSERT_EQ(1, env.DayCellCount);
    EXPECT_EQ(0x2026, env.DayCells[0].Year);
    EXPECT_EQ(3, env.DayCells[0].Month);
    EXPECT_EQ(4, env.DayCells[0].Rect.bottom);

    env.DayCellCount = DAY_CELL_MAX;
    SetToolTip(env.DayCells, &env.DayCellCount, "x", &rect, &env, 2026, 1, 1, 0);
    EXPECT_EQ(DAY_CELL_MAX, env.DayCellCount);
    EXPECT_EQ(1, SetToolTip(nullptr, &env.DayCellCount, "x", &rect, &env, 2026, 1, 1, 1));
    EXPECT_EQ((UINT_PTR)1037727, DayToolId(2026, 12, 31));
}

TEST(DayCellsTest, ClickedDateIsTheCellUnderTheCursorOrZero)
{
    HostWindow host(100, 100, 200, 100);
    EnvData env;
    env.DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    ASSERT_NE(nullptr, env.DayCells);
    for (const DayCell& cell : kCells)
        SetToolTip(env.DayCells, &env.DayCellCount, "", &cell.Rect, &env, cell.Year, cell.Month, cell.Day, 0);
    auto pointAt = [&](int x, int y) {
        POINT point = {x, y};
        ClientToScreen(host.Handle(), &point);
        return PlacePointer(point.x, point.y);
    };

    ASSERT_TRUE(pointAt(10, 5));
    long year = 0, month = 0, day = 0;
    EXPECT_EQ(1, GetClickedDatelong(host.Handle(), &year, &month, &day, &env));
    EXPECT_EQ(2026 * 10000 + 101, year * 10000 + month * 100 + day);
    ASSERT_TRUE(pointAt(35, 5));
    WORD wYear = 0, wMonth = 0, wDay = 9;
    GetClickedDateWORD(host.Handle(), &wYear, &wMonth, &wDay, &env);
    EXPECT_EQ(2026 * 10000 + 100, wYear * 10000 + wMonth * 100 + wDay);
    EXPECT_EQ(1, GetClickedDateWORD(host.Handle(), nullptr, nullptr, nullptr, &env));

    // Between cells, and over a cell without a table: zeros, the other fields untouched.
    for (int hasTable = 1; hasTable >= 0; hasTable--) {
        ASSERT_TRUE(pointAt(hasTable ? 25 : 5, 5));
        if (!hasTable) {
            HeapFree(GetProcessHeap(), 0, env.DayCells);
            env.DayCells = nullptr;
        }
        SYSTEMTIME date;
        memset(&date, 0x55, sizeof(date));
        EXPECT_EQ(1, GetClickedDateSYSTEMTIME(host.Handle(), &date, &env));
        EXPECT_EQ(0, date.wYear + date.wMonth + date.wDay) << hasTable;
        EXPECT_EQ(0x5555, date.wHour);
    }
}

TEST(ToolTipTest, CreatedForTheCalendarWindowWithItsTools)
{
    EnvData noWindow;
    EXPECT_EQ(0, CreateToolTip(&noWindow));
    EXPECT_EQ(nullptr, noWindow.ToolTipWindow);

    HostWindow host(100, 100, 200, 100);
    EnvData env;
    env.MainWindow = host.Handle();
    env.ToolTipWidth = 240;
    env.BalloonTip = 1;
    ASSERT_EQ(1, CreateToolTip(&env));
    HWND first = env.ToolTipWindow;
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(host.Handle(), GetWindow(first, GW_OWNER));
    const LONG_PTR styles = TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON;
    EXPECT_EQ(styles, GetWindowLongPtrA(first, GWL_STYLE) & styles);
    EXPECT_EQ(240, SendMessageA(first, TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ((WPARAM)first, host.LastTip());

    RECT rect = {0, 0, 20, 20};
    SetToolTip(env.DayCells, &env.DayCellCount, "元日", &rect, &env, 2026, 1, 1, 1);
    SetToolTip(env.DayCells, &env.DayCellCount, "二日", &rect, &env, 2026, 1, 2, 0);
    SetToolTip(env.DayCells, &env.DayCellCount, nullptr, &rect, &env, 2026, 12, 31, 1);
    env.ToolCount = TOOL_ID_MAX;  // a full id table still adds the tool
    SetToolTip(env.DayCells, &env.DayCellCount, "三日", &rect, &env, 2026, 1, 3, 1);
    EXPECT_EQ(3, SendMessageA(first, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(DayToolId(2026, 12, 31), env.ToolIds[1]);

    env.BalloonTip = 0;
    ASSERT_EQ(1, CreateToolTip(&env));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(0, env.ToolCount);
    EXPECT_EQ(0, GetWindowLongPtrA(env.ToolTipWindow, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(2, host.TipMessages());
    DestroyWindow(env.ToolTipWindow);
}

TEST(LimitStringTest, CutsWithoutSplittingDoubleByteCharacters)
{
    // 70 bytes with "あ" at bytes 63-64 or 64-65 (counting from 1).
    std::string pairAt63 = std::string(62, 'a') + "あ" + std::string(6, 'b');
    std::string pairAt64 = std::string(63, 'a') + "あ" + std::string(5, 'b');
    std::string pairs;
    for (int i = 0; i < 600; i++)
        pairs += "漢";
    struct Case {
        const char* text;
        int limit;
        std::string expected;
    } const cases[] = {
        {pairAt64.c_str(), 64, std::string(63, 'a')},
        {pairAt63.c_str(), 64, pairAt63.substr(0, 64)},
        {"あい", 3, "あ"},
        {"あ", 1, ""},
        {"ab\x82", 3, "ab\x82"},  // a lead byte without its trail stays a byte
        {"abc", 0, ""},
        {"abc", -5, ""},
        {nullptr, 5, ""},
        {pairs.c_str(), 5000, pairs.substr(0, 1022)},  // never more than the buffer
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, LimitString(c.text, c.limit)) << (c.text ? c.text : "(null)") << " " << c.limit;
    EXPECT_EQ(1023u, strlen(LimitString(std::string(3000, 'x').c_str(), 5000)));
}

}  // namespace
