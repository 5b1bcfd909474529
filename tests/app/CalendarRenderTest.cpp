// The rendered calendar, read back pixel by pixel: colours of holidays, Sundays and today, and the cells; and the
// calendar window's size, region and tooltips across refreshes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <string>

#include "CalendarFrame.h"
#include "CalendarRender.h"
#include "CalendarRenderParts.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "Holiday.h"
#include "MainWindow.h"
#include "MemoryBitmap.h"
#include "ModuleBinding.h"
#include "PlugInSlot.h"
#include "Program.h"
#include "SettingsFile.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

const COLORREF kTodayMark = RGB(0, 0, 200);
const BYTE kFilledSquareMark = 8;

class CalendarRenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof(savedDir_), savedDir_);
        SetCurrentDirectoryA(DAYLENS_DIST_DIR);
        ASSERT_NE(nullptr, ResourceDllAcquire(1));
        ASSERT_TRUE(folder_.Create("daylens-render"));
        std::string ini = folder_.Path("Daylens.ini");
        std::string dir = folder_.Dir() + "\\";
        SettingsFile file = {ini.c_str(), "Daylens", dir.c_str(), {0, 0, 1280, 1024}, nullptr, nullptr};
        env_.PlugInSlots = slots_;
        env_.CustomColors = colors_;
        env_.DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
        env_.UserMarks = (UserMark*)AllocZeroed(USER_STYLE_MIN * sizeof(UserMark));
        env_.UserStyleMax = USER_STYLE_MIN;
        ASSERT_TRUE(env_.DayCells && env_.UserMarks);
        LoadEnv(&file, &env_, nullptr);
        env_.Today = {2026, 5, 3, 20};  // Wednesday 20 May 2026
        env_.TodayStyle.MarkType = kFilledSquareMark;
        env_.TodayStyle.MarkColor = kTodayMark;

        holidays_ = LoadHoliday(0, DAYLENS_DIST_DIR "\\Holiday.txt", &holidayCount_);
        ASSERT_NE(nullptr, holidays_);
        CalendarSources sources = {};
        sources.Holidays = holidays_;
        sources.HolidayCount = (int)holidayCount_;
        SetCalendarSources(&sources);
    }

    void TearDown() override
    {
        SetCalendarSources(nullptr);
        FreeHolidayList(holidays_, (int)holidayCount_);
        ResourceDllAcquire(0);
        SetCurrentDirectoryA(savedDir_);
    }

    // Renders May 2026 and answers the drawn cell of the day.
    RECT Render(MemoryBitmap& bitmap, int day)
    {
        bitmap.Fill(env_.BackColor);
        EXPECT_EQ(1, DrawMonths(bitmap.Dc(), 2026, 5, &env_, nullptr, nullptr, 0, 0));
        for (int i = 0; i < env_.DayCellCount; i++) {
            const DayCell& cell = env_.DayCells[i];
            if (cell.Year == 2026 && cell.Month == 5 && cell.Day == day)
                return cell.Rect;
        }
        ADD_FAILURE() << "no cell for 2026-05-" << day;
        return RECT{};
    }

    // Pixels of color inside rect.
    static int CountIn(const MemoryBitmap& bitmap, const RECT& rect, COLORREF color)
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom && y < bitmap.Height(); y++)
            for (int x = rect.left; x < rect.right && x < bitmap.Width(); x++)
                count += bitmap.Pixel(x, y) == color;
        return count;
    }

    EnvData env_;
    PlugInSlot slots_[PLUGIN_SLOT_COUNT] = {};
    COLORREF colors_[CUSTOM_COLOR_COUNT] = {};
    HolidayRecord* holidays_ = nullptr;
    unsigned int holidayCount_ = 0;
    TempFolder folder_;
    char savedDir_[MAX_PATH] = "";
};

TEST_F(CalendarRenderTest, HolidaySundayAndTodayTakeTheirColours)
{
    MemoryBitmap bitmap(400, 300);
    ASSERT_TRUE(bitmap.Valid());
    RECT holiday = Render(bitmap, 4);  // Greenery Day, a Monday
    EXPECT_GT(CountIn(bitmap, holiday, env_.HolidayStyle.StrColor), 0);
    RECT workday = Render(bitmap, 7);
    EXPECT_EQ(0, CountIn(bitmap, workday, env_.HolidayStyle.StrColor));
    RECT sunday = Render(bitmap, 10);
    EXPECT_GT(CountIn(bitmap, sunday, env_.WeekStyles[0].StrColor), 0);
    EXPECT_EQ(0, CountIn(bitmap, sunday, env_.HolidayStyle.StrColor));
    RECT today = Render(bitmap, 20);
    EXPECT_GT(CountIn(bitmap, today, env_.TodayStyle.StrColor), 0);
    EXPECT_GT(CountIn(bitmap, today, kTodayMark), 0);
    EXPECT_EQ(0, CountIn(bitmap, holiday, kTodayMark));
}

TEST_F(CalendarRenderTest, LaterMarkOrderEntryWinsOnAHolidayThatIsToday)
{
    MemoryBitmap bitmap(400, 300);
    env_.Today = {2026, 5, 1, 4};
    int holidayLast[] = {1, 3, 2, 0, 0, 0, 0, 0, 0, 0};
    memcpy(env_.MarkOrder, holidayLast, sizeof(holidayLast));
    RECT day = Render(bitmap, 4);
    EXPECT_GT(CountIn(bitmap, day, env_.HolidayStyle.StrColor), 0);
    EXPECT_EQ(0, CountIn(bitmap, day, env_.TodayStyle.StrColor));

    int todayLast[] = {1, 2, 3, 0, 0, 0, 0, 0, 0, 0};
    memcpy(env_.MarkOrder, todayLast, sizeof(todayLast));
    day = Render(bitmap, 4);
    EXPECT_GT(CountIn(bitmap, day, env_.TodayStyle.StrColor), 0);
    EXPECT_EQ(0, CountIn(bitmap, day, env_.HolidayStyle.StrColor));
}

TEST_F(CalendarRenderTest, TheMarksOfADayDoNotNest)
{
    // Two square frames on today, a Wednesday: the later one covers the earlier one exactly.
    const COLORREF weekdayMark = RGB(0, 200, 0);
    env_.WeekStyles[3].MarkType = MARK_SQUARE_FRAME;
    env_.WeekStyles[3].MarkColor = weekdayMark;
    env_.TodayStyle.MarkType = MARK_SQUARE_FRAME;
    MemoryBitmap bitmap(400, 300);
    RECT today = Render(bitmap, 20);
    // The rows of the day's marks: from where its number stands, half the shadow below the top of its cell, to
    // above the next week's marks.
    today.top += env_.ShadowWidth / 2;
    today.bottom = today.top + env_.DayHeight - 2;
    EXPECT_GT(CountIn(bitmap, today, kTodayMark), 0);
    EXPECT_EQ(0, CountIn(bitmap, today, weekdayMark));
}

TEST_F(CalendarRenderTest, ScratchPassLeavesTheWindowCellsAlone)
{
    MemoryBitmap bitmap(400, 300);
    Render(bitmap, 1);
    int count = env_.DayCellCount;
    ASSERT_GT(count, 28);
    DayCell first = env_.DayCells[0];
    DayCell* scratch = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    ASSERT_NE(nullptr, scratch);
    DayCellTarget target = {scratch, 0};
    env_.WindowX = 300;
    EXPECT_EQ(1, DrawMonthsInto(bitmap.Dc(), 2026, 6, &env_, nullptr, nullptr, 1, &target));
    EXPECT_EQ(count, env_.DayCellCount);
    EXPECT_EQ(0, memcmp(&first, &env_.DayCells[0], sizeof(first)));
    EXPECT_GT(target.Count, 28);
    EXPECT_EQ(6, scratch[target.Count - 1].Month);
    EXPECT_GE(scratch[target.Count - 1].Rect.left, 300);
    HeapFree(GetProcessHeap(), 0, scratch);
}

TEST_F(CalendarRenderTest, StartDateIsReadModuloSeven)
{
    MemoryBitmap bitmap(400, 300);
    env_.StartDate = 1;
    env_.FillSpace = 1;
    Render(bitmap, 1);
    int count = env_.DayCellCount;
    DayCell* mondayFirst = (DayCell*)AllocZeroed(count * sizeof(DayCell));
    ASSERT_NE(nullptr, mondayFirst);
    memcpy(mondayFirst, env_.DayCells, count * sizeof(DayCell));
    env_.StartDate = 8;
    Render(bitmap, 1);
    EXPECT_EQ(count, env_.DayCellCount);
    EXPECT_EQ(0, memcmp(mondayFirst, env_.DayCells, count * sizeof(DayCell)));
    HeapFree(GetProcessHeap(), 0, mondayFirst);
}

// Every pixel of a day's number and its shadow hits that day, as the hit test takes the cells: the first in drawing
// order whose rectangle holds the point, edges included. The cell of the day above reached down to the first row of
// the digits. Only the Tuesdays of December 2026 (1, 8, 15, 22 and 29, one above the other) are drawn in colours
// other than the background's.
TEST_F(CalendarRenderTest, EveryPixelOfADaysNumberHitsThatDay)
{
    for (int weekday = 0; weekday < 7; weekday++) {
        if (weekday != 2)
            env_.WeekStyles[weekday].StrColor = env_.WeekStyles[weekday].ShadowColor = env_.BackColor;
    }
    MemoryBitmap bitmap(400, 300);
    bitmap.Fill(env_.BackColor);
    ASSERT_EQ(1, DrawMonths(bitmap.Dc(), 2026, 12, &env_, nullptr, nullptr, 0, 0));
    auto hitDay = [&](int x, int y) {
        for (int i = 0; i < env_.DayCellCount; i++) {
            const RECT& r = env_.DayCells[i].Rect;
            if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom)
                return env_.DayCells[i].Month * 100 + env_.DayCells[i].Day;
        }
        return 0;
    };
    // The numbers are the runs of drawn rows below the weekday row, which ends above the cell of the 1st.
    int firstTop = bitmap.Height();
    for (int i = 0; i < env_.DayCellCount; i++) {
        if (env_.DayCells[i].Month == 12 && env_.DayCells[i].Day == 1)
            firstTop = env_.DayCells[i].Rect.top;
    }
    int runs = 0;
    bool inRun = false;
    for (int y = firstTop; y < bitmap.Height(); y++) {
        bool drawn = false;
        for (int x = 0; x < bitmap.Width(); x++) {
            if (bitmap.Pixel(x, y) == env_.BackColor)
                continue;
            drawn = true;
            ASSERT_EQ(1200 + 1 + 7 * runs, hitDay(x, y)) << x << "," << y;
        }
        if (inRun && !drawn)
            runs++;
        inRun = drawn;
    }
    EXPECT_EQ(5, runs);
}

TEST_F(CalendarRenderTest, FontsThatCannotBeMadeLeaveTheDcsOwnFont)
{
    MemoryBitmap bitmap(400, 300);
    HGDIOBJ own = GetCurrentObject(bitmap.Dc(), OBJ_FONT);
    for (BYTE type : {DISPLAY_TYPE_GRID, DISPLAY_TYPE_LINE, DISPLAY_TYPE_COLUMN}) {
        env_.DisplayType = type;
        // Only the headings' fonts, which the language module makes, can be had.
        SetCalendarFontMaker([](const LOGFONTA*) -> HFONT { return nullptr; });
        Render(bitmap, 1);
        SetCalendarFontMaker(nullptr);
        EXPECT_EQ(own, GetCurrentObject(bitmap.Dc(), OBJ_FONT)) << (int)type;
    }
}

// A hidden window standing in for the calendar window.
class CalendarWindowTest : public CalendarRenderTest {
protected:
    void SetUp() override
    {
        CalendarRenderTest::SetUp();
        window_ = CreateTestWindow(WS_POPUP, 0, 0, 100, 100);
        ASSERT_NE(nullptr, window_);
        env_.MainWindow = window_;
        env_.ShownMonth = {2026, 5, 0, 1};
        env_.UseTaskTray = 0;
        // A shown window stays off the shared test display.
        env_.WindowX = -3000;
        env_.WindowY = -3000;
        g_program.Env = &env_;
    }
    void TearDown() override
    {
        g_program.Env = nullptr;
        if (env_.ToolTipWindow)
            DestroyWindow(env_.ToolTipWindow);
        DestroyWindow(window_);
        if (env_.MemoryDC)
            DeleteDC(env_.MemoryDC);
        if (env_.BackBitmap)
            DeleteObject(env_.BackBitmap);
        CalendarRenderTest::TearDown();
    }

    SIZE WindowSize() const
    {
        RECT rect = {};
        GetWindowRect(window_, &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    HWND window_ = nullptr;
};

TEST_F(CalendarWindowTest, AbsurdSizesStayOnTheScreenAndAFailedBufferKeepsThePicture)
{
    env_.DayWidth = env_.DayHeight = 100000;
    ASSERT_EQ(1, RefreshCalendarMonth(2026, 5, 1));
    SIZE size = WindowSize();
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), size.cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), size.cy);
    EXPECT_EQ(size.cx, env_.WindowWidth);

    // A window too narrow for any buffer keeps its size, its buffer and its picture.
    HDC buffer = env_.MemoryDC;
    env_.MarginLeft = -1000000;
    EXPECT_EQ(0, RefreshCalendarMonth(2026, 6, 1));
    EXPECT_EQ(size.cx, WindowSize().cx);
    EXPECT_EQ(size.cy, WindowSize().cy);
    EXPECT_EQ(size.cx, env_.WindowWidth);
    EXPECT_EQ(buffer, env_.MemoryDC);
}

TEST_F(CalendarWindowTest, TheWindowGetsItsRegionFromTheRefreshAlone)
{
    env_.FrameShape = FRAME_SHAPE_ROUNDED;
    for (BYTE mode : {TRANS_MODE_PSEUDO, TRANS_MODE_KEY_AND_ALPHA}) {
        env_.Transparency.TransMode = mode;
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        OnMainWindowCreate(window_, &env_);
        int atCreate = GetWindowRgn(window_, probe);
        ASSERT_EQ(1, RefreshCalendar(1));
        EXPECT_EQ(GetWindowRgn(window_, probe), atCreate) << (int)mode;
        EXPECT_EQ(mode == TRANS_MODE_PSEUDO ? ERROR : COMPLEXREGION, atCreate) << (int)mode;
        DeleteObject(probe);
    }
}

int g_frameChanges = 0;
WNDPROC g_testWindowProc = nullptr;

LRESULT CALLBACK CountFrameChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGING && (((WINDOWPOS*)lParam)->flags & SWP_FRAMECHANGED))
        g_frameChanges++;
    return CallWindowProcA(g_testWindowProc, window, message, wParam, lParam);
}

// A region set again has the window cut and painted anew, and under Wine a colour key's shape taken off and built
// again from every pixel: a refresh of the same size leaves the frame's region as it is.
TEST_F(CalendarWindowTest, ARefreshOfTheSameSizeLeavesTheFramesRegionAlone)
{
    for (BYTE shape : {FRAME_SHAPE_RECTANGLE, FRAME_SHAPE_ROUNDED}) {
        env_.FrameShape = shape;
        ASSERT_EQ(1, RefreshCalendarMonth(2026, 5, 1));
        HRGN held = env_.WindowRegion;
        EXPECT_EQ(shape == FRAME_SHAPE_ROUNDED, held != nullptr);
        g_frameChanges = 0;
        g_testWindowProc = (WNDPROC)SetWindowLongPtrA(window_, GWLP_WNDPROC, (LONG_PTR)CountFrameChanges);
        ASSERT_EQ(1, RefreshCalendarMonth(2026, 5, 1));
        SetWindowLongPtrA(window_, GWLP_WNDPROC, (LONG_PTR)g_testWindowProc);
        EXPECT_EQ(0, g_frameChanges) << (int)shape;
        EXPECT_EQ(held, env_.WindowRegion) << (int)shape;
    }
    // Another size (February 2026 has four weeks, May six) takes the region of its own outline.
    SIZE may = WindowSize();
    ASSERT_EQ(1, RefreshCalendarMonth(2026, 2, 1));
    SIZE february = WindowSize();
    ASSERT_NE(may.cy, february.cy);
    RECT outline = {0, 0, february.cx, february.cy};
    HRGN wanted = FrameShapeRegion(&outline, FRAME_SHAPE_ROUNDED, env_.RoundWidth);
    HRGN inside = CreateRectRgnIndirect(&outline);
    CombineRgn(wanted, wanted, inside, RGN_AND);
    DeleteObject(inside);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(window_, probe));
    EXPECT_TRUE(EqualRgn(wanted, probe));
    DeleteObject(probe);
    DeleteObject(wanted);
}

TEST_F(CalendarWindowTest, RefreshesKeepOneTooltipControlWithATipPerCell)
{
    env_.ShowToolTip = 1;
    env_.ToolTipWidth = 280;
    ASSERT_EQ(1, RefreshCalendarMonth(2026, 5, 1));
    HWND tip = env_.ToolTipWindow;
    ASSERT_NE(nullptr, tip);
    ASSERT_EQ(1, RefreshCalendarMonth(2026, 6, 1));
    ASSERT_EQ(1, RefreshCalendarMonth(2026, 5, 1));
    EXPECT_EQ(tip, env_.ToolTipWindow);
    EXPECT_EQ(280, SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    ASSERT_EQ(env_.DayCellCount, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(env_.DayCellCount, env_.ToolCount);
    std::string holidayTip;
    for (int i = 0; i < env_.DayCellCount; i++) {
        char text[128] = "";
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, i, (LPARAM)&tool));
        EXPECT_EQ(0, memcmp(&env_.DayCells[i].Rect, &tool.rect, sizeof(RECT))) << i;
        const DayCell& cell = env_.DayCells[i];
        if (cell.Month == 5 && cell.Day == 4)
            holidayTip = text;
    }
    EXPECT_EQ("2026年5月4日(月)\r\nみどりの日", holidayTip);

    env_.BalloonTip = 1;
    ASSERT_EQ(1, RefreshCalendar(1));
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_TRUE(GetWindowLongPtrA(env_.ToolTipWindow, GWL_STYLE) & TTS_BALLOON);
    env_.ShowToolTip = 0;
    ASSERT_EQ(1, RefreshCalendar(1));
    EXPECT_EQ(nullptr, env_.ToolTipWindow);
}

}  // namespace
