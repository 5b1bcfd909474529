// Day cells, the hit test, the calendar's tooltips and LimitString.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "DayCells.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "HostWindow.h"

namespace {

DayCell Cell(int year, int month, int day, int left, int top, int right, int bottom)
{
    DayCell cell = {year, month, day, {left, top, right, bottom}};
    return cell;
}

// Two cells touching at x = 10, a gap, and a third cell.
const DayCell kCells[] = {
    Cell(2026, 1, 1, 0, 0, 10, 10),
    Cell(2026, 1, 2, 10, 0, 20, 10),
    Cell(2026, 1, 0, 30, 0, 40, 10),
};

TEST(DayCellsTest, HitTestTakesTheFirstCellWithEdgesInside)
{
    struct Case {
        int x, y, day;  // day -1: no cell
    } const cases[] = {
        {0, 0, 1},   {10, 5, 1},  {11, 5, 2},  {20, 10, 2}, {21, 5, -1},
        {25, 5, -1}, {40, 10, 0}, {41, 10, -1}, {5, 11, -1}, {5, -1, -1},
    };
    for (const Case& c : cases) {
        const DayCell* cell = FindDayCell(kCells, 3, POINT{c.x, c.y});
        if (c.day < 0)
            EXPECT_EQ(nullptr, cell) << c.x << "," << c.y;
        else
            EXPECT_TRUE(cell && cell->Day == c.day) << c.x << "," << c.y;
    }
    EXPECT_EQ(nullptr, FindDayCell(nullptr, 3, POINT{0, 0}));
    EXPECT_EQ(nullptr, FindDayCell(kCells, 0, POINT{0, 0}));
}

TEST(DayCellsTest, CellsKeepLowSixteenBitsAndStopAtTheTableSize)
{
    DayCell* table = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    ASSERT_NE(nullptr, table);
    int count = 0;
    RECT rect = {1, 2, 3, 4};
    EXPECT_EQ(1, SetToolTip(table, &count, "x", &rect, nullptr, 0x12026, 0x10003, 31, 0));
    ASSERT_EQ(1, count);
    EXPECT_EQ(0x2026, table[0].Year);
    EXPECT_EQ(3, table[0].Month);
    EXPECT_EQ(31, table[0].Day);
    EXPECT_EQ(4, table[0].Rect.bottom);

    count = DAY_CELL_MAX;
    SetToolTip(table, &count, "x", &rect, nullptr, 2026, 1, 1, 0);
    EXPECT_EQ(DAY_CELL_MAX, count);
    // No table or no counter: nothing is recorded and nothing breaks.
    count = 0;
    SetToolTip(nullptr, &count, "x", &rect, nullptr, 2026, 1, 1, 0);
    SetToolTip(table, nullptr, "x", &rect, nullptr, 2026, 1, 1, 0);
    EXPECT_EQ(0, count);
    HeapFree(GetProcessHeap(), 0, table);
}

TEST(DayCellsTest, ToolIdPacksTheDate)
{
    EXPECT_EQ((UINT_PTR)1037727, DayToolId(2026, 12, 31));
    EXPECT_EQ((UINT_PTR)(INT_PTR)-32, DayToolId(0, -1, 0));
}

// A visible calendar window at a known place, with the cursor moved over it.
class ClickedDateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, host_.Handle());
        env_.DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
        ASSERT_NE(nullptr, env_.DayCells);
        for (const DayCell& cell : kCells)
            SetToolTip(env_.DayCells, &env_.DayCellCount, "", &cell.Rect, &env_, cell.Year, cell.Month, cell.Day, 0);
    }

    void PointAt(int x, int y)
    {
        POINT point = {x, y};
        ClientToScreen(host_.Handle(), &point);
        SetCursorPos(point.x, point.y);
        host_.Pump(20);
    }

    HostWindow host_{100, 100, 200, 100};
    EnvData env_;
};

TEST_F(ClickedDateTest, AllThreeFormsGiveTheCellUnderTheCursor)
{
    PointAt(10, 5);
    long year = 0, month = 0, day = 0;
    EXPECT_EQ(1, GetClickedDatelong(host_.Handle(), &year, &month, &day, &env_));
    EXPECT_EQ(2026, year);
    EXPECT_EQ(1, month);
    EXPECT_EQ(1, day);

    PointAt(35, 5);  // a month heading
    WORD wYear = 0, wMonth = 0, wDay = 9;
    GetClickedDateWORD(host_.Handle(), &wYear, &wMonth, &wDay, &env_);
    EXPECT_EQ(2026, wYear);
    EXPECT_EQ(1, wMonth);
    EXPECT_EQ(0, wDay);
    EXPECT_EQ(1, GetClickedDateWORD(host_.Handle(), nullptr, nullptr, nullptr, &env_));
}

TEST_F(ClickedDateTest, NoCellOrNoTableGivesZerosAndLeavesTheTime)
{
    SYSTEMTIME date;
    memset(&date, 0x55, sizeof(date));
    PointAt(25, 5);
    EXPECT_EQ(1, GetClickedDateSYSTEMTIME(host_.Handle(), &date, &env_));
    EXPECT_EQ(0, date.wYear);
    EXPECT_EQ(0, date.wMonth);
    EXPECT_EQ(0, date.wDay);
    EXPECT_EQ(0x5555, date.wHour);
    EXPECT_EQ(0x5555, date.wDayOfWeek);

    PointAt(5, 5);
    HeapFree(GetProcessHeap(), 0, env_.DayCells);
    env_.DayCells = nullptr;
    memset(&date, 0x55, sizeof(date));
    GetClickedDateSYSTEMTIME(host_.Handle(), &date, &env_);
    EXPECT_EQ(0, date.wYear);
    EXPECT_EQ(0, date.wDay);
    EXPECT_EQ(1, GetClickedDateSYSTEMTIME(host_.Handle(), nullptr, &env_));
}

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, host_.Handle());
        host_.Watch(WM_DAYLENS_TOOLTIP_CREATED);
        env_.MainWindow = host_.Handle();
        env_.ToolTipWidth = 240;
        env_.DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
        ASSERT_NE(nullptr, env_.DayCells);
    }

    void TearDown() override
    {
        if (env_.ToolTipWindow)
            DestroyWindow(env_.ToolTipWindow);
    }

    int ToolCount() { return (int)SendMessageA(env_.ToolTipWindow, TTM_GETTOOLCOUNT, 0, 0); }

    std::string ToolText(UINT_PTR id)
    {
        char text[INFOTIPSIZE + 1] = "";
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.hwnd = env_.MainWindow;
        tool.uId = id;
        tool.lpszText = text;
        SendMessageA(env_.ToolTipWindow, TTM_GETTEXTA, sizeof(text), (LPARAM)&tool);
        return text;
    }

    HostWindow host_{100, 100, 200, 100};
    EnvData env_;
};

TEST_F(ToolTipTest, CreationTellsTheCalendarWindowAndReplacesTheOldTip)
{
    EnvData noWindow;
    EXPECT_EQ(0, CreateToolTip(&noWindow));
    EXPECT_EQ(nullptr, noWindow.ToolTipWindow);
    EXPECT_EQ(0, CreateToolTip(nullptr));

    env_.BalloonTip = 1;
    ASSERT_EQ(1, CreateToolTip(&env_));
    HWND first = env_.ToolTipWindow;
    ASSERT_NE(nullptr, first);
    char className[64] = "";
    GetClassNameA(first, className, sizeof(className));
    EXPECT_STREQ("tooltips_class32", className);
    EXPECT_EQ(host_.Handle(), GetWindow(first, GW_OWNER));
    EXPECT_EQ(TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON,
              GetWindowLongPtrA(first, GWL_STYLE) & (TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON));
    EXPECT_EQ(240, SendMessageA(first, TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ(1, host_.Received(WM_DAYLENS_TOOLTIP_CREATED));
    EXPECT_EQ((WPARAM)first, host_.LastWParam(WM_DAYLENS_TOOLTIP_CREATED));

    env_.ToolCount = 5;
    env_.BalloonTip = 0;
    ASSERT_EQ(1, CreateToolTip(&env_));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(0, env_.ToolCount);
    EXPECT_EQ(0, GetWindowLongPtrA(env_.ToolTipWindow, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(2, host_.Received(WM_DAYLENS_TOOLTIP_CREATED));
}

TEST_F(ToolTipTest, ToolsAreAddedOnlyWhenAskedAndTheirIdsKept)
{
    ASSERT_EQ(1, CreateToolTip(&env_));
    RECT rect = {0, 0, 20, 20};
    SetToolTip(env_.DayCells, &env_.DayCellCount, "元日", &rect, &env_, 2026, 1, 1, 1);
    SetToolTip(env_.DayCells, &env_.DayCellCount, "二日", &rect, &env_, 2026, 1, 2, 0);
    SetToolTip(env_.DayCells, &env_.DayCellCount, nullptr, &rect, &env_, 2026, 12, 31, 1);
    EXPECT_EQ(2, ToolCount());
    EXPECT_EQ(3, env_.DayCellCount);
    ASSERT_EQ(2, env_.ToolCount);
    EXPECT_EQ(DayToolId(2026, 1, 1), env_.ToolIds[0]);
    EXPECT_EQ(DayToolId(2026, 12, 31), env_.ToolIds[1]);
    EXPECT_EQ("元日", ToolText(DayToolId(2026, 1, 1)));

    // With the id table full the tool is still added.
    env_.ToolCount = TOOL_ID_MAX;
    SetToolTip(env_.DayCells, &env_.DayCellCount, "三日", &rect, &env_, 2026, 1, 3, 1);
    EXPECT_EQ(3, ToolCount());
    EXPECT_EQ(TOOL_ID_MAX, env_.ToolCount);
}

TEST(LimitStringTest, CutsWithoutSplittingDoubleByteCharacters)
{
    // 62 single bytes then "あ" (bytes 63-64) or 63 then "あ" (bytes 64-65), padded to 70.
    std::string pairAt63 = std::string(62, 'a') + "あ" + std::string(6, 'b');
    std::string pairAt64 = std::string(63, 'a') + "あ" + std::string(5, 'b');
    ASSERT_EQ(70u, pairAt63.size());
    ASSERT_EQ(70u, pairAt64.size());
    struct Case {
        const char* text;
        int limit;
        std::string expected;
    } const cases[] = {
        {pairAt64.c_str(), 64, std::string(63, 'a')},
        {pairAt63.c_str(), 64, pairAt63.substr(0, 64)},
        {"あい", 3, "あ"},
        {"あい", 4, "あい"},
        {"あ", 1, ""},
        {"abc", 10, "abc"},
        {"ab\x82", 3, "ab\x82"},  // a lead byte without its trail stays a byte
        {"abc", 0, ""},
        {"abc", -5, ""},
        {"", 5, ""},
        {nullptr, 5, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, LimitString(c.text, c.limit)) << (c.text ? c.text : "(null)") << " " << c.limit;

    std::string longText(3000, 'x');
    EXPECT_EQ(1023u, strlen(LimitString(longText.c_str(), 5000)));
    std::string longPairs;
    for (int i = 0; i < 600; i++)
        longPairs += "漢";
    const char* cut = LimitString(longPairs.c_str(), 1024);
    EXPECT_EQ(1022u, strlen(cut));
    EXPECT_EQ(longPairs.substr(0, 1022), cut);
}

}  // namespace
