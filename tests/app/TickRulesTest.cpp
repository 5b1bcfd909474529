#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ProgramIcons.h"
#include "SettingsTypes.h"
#include "TickRules.h"

namespace {

SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second, int ms)
{
    SYSTEMTIME time = {};
    time.wYear = (WORD)year;
    time.wMonth = (WORD)month;
    time.wDay = (WORD)day;
    time.wHour = (WORD)hour;
    time.wMinute = (WORD)minute;
    time.wSecond = (WORD)second;
    time.wMilliseconds = (WORD)ms;
    return time;
}

SYSTEMTIME Later(SYSTEMTIME time, int ms)
{
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER value = {{file.dwLowDateTime, file.dwHighDateTime}};
    value.QuadPart += (ULONGLONG)ms * 10000;
    file = {value.LowPart, value.HighPart};
    FileTimeToSystemTime(&file, &time);
    return time;
}

struct TickRun {
    int Chimes;
    int DayChanges;
    SYSTEMTIME FirstChime;
};

// Ticks every 500 ms from start, each keeping its time for the next as the calendar's tick does.
TickRun RunTicks(SYSTEMTIME start, int ticks, int hourAlarmSet)
{
    TickRun run = {0, 0, {}};
    SYSTEMTIME kept = start;
    for (int i = 1; i <= ticks; i++) {
        SYSTEMTIME now = Later(start, 500 * i);
        TickChange change = DecideTick(&now, &kept, hourAlarmSet);
        if (change.Chime && run.Chimes++ == 0)
            run.FirstChime = now;
        run.DayChanges += change.NewDay;
        kept = now;
    }
    return run;
}

// 23:59:59.9 to 00:00:00.4 is one day change; the chime sounds once, at the first tick of an hour, midnight too.
TEST(TickRules, DayChangeAndChimeOnceAtTheFirstTick)
{
    TickRun midnight = RunTicks(Time(2025, 12, 31, 23, 59, 57, 900), 10, 1);
    EXPECT_EQ(1, midnight.DayChanges);
    ASSERT_EQ(1, midnight.Chimes);
    EXPECT_EQ(1, midnight.FirstChime.wDay);
    EXPECT_EQ(400, midnight.FirstChime.wMilliseconds);
    EXPECT_EQ(0, RunTicks(Time(2025, 12, 31, 23, 59, 57, 900), 10, 0).Chimes);

    TickRun hour = RunTicks(Time(2026, 3, 9, 12, 59, 58, 700), 7200, 1);  // an hour of ticks
    EXPECT_EQ(0, hour.DayChanges);
    ASSERT_EQ(1, hour.Chimes);
    EXPECT_EQ(13, hour.FirstChime.wHour);
    EXPECT_EQ(0, hour.FirstChime.wSecond);
    EXPECT_EQ(200, hour.FirstChime.wMilliseconds);
}

TEST(TickRules, CornersWinOverEdges)
{
    const RECT desktop = {0, 0, 1024, 768};
    struct Spot {
        LONG x, y;
        int spot;
    };
    for (const Spot& s : {Spot{0, 0, HOT_SPOT_TOP_LEFT}, Spot{1023, 0, HOT_SPOT_TOP_RIGHT},
                          Spot{1023, 767, HOT_SPOT_BOTTOM_RIGHT}, Spot{0, 767, HOT_SPOT_BOTTOM_LEFT},
                          Spot{500, 0, HOT_SPOT_TOP}, Spot{1023, 1, HOT_SPOT_RIGHT}, Spot{1, 767, HOT_SPOT_BOTTOM},
                          Spot{0, 766, HOT_SPOT_LEFT}, Spot{1, 1, HOT_SPOT_NONE}, Spot{1022, 766, HOT_SPOT_NONE}})
        EXPECT_EQ(s.spot, HotSpotAt({s.x, s.y}, &desktop)) << s.x << "," << s.y;

    // Only the edges beside the corner switched on: the corner raises nothing.
    BYTE spots[HOT_SPOT_COUNT] = {};
    spots[HOT_SPOT_TOP] = spots[HOT_SPOT_LEFT] = 1;
    EXPECT_EQ(HOT_SPOT_NONE, HotSpotToRaise({0, 0}, &desktop, spots, 0));
    EXPECT_EQ(HOT_SPOT_TOP, HotSpotToRaise({9, 0}, &desktop, spots, 0));
    spots[HOT_SPOT_TOP_LEFT] = 1;
    EXPECT_EQ(HOT_SPOT_TOP_LEFT, HotSpotToRaise({0, 0}, &desktop, spots, 1));
    // A bottom-most calendar stays at the bottom.
    EXPECT_EQ(HOT_SPOT_NONE, HotSpotToRaise({0, 0}, &desktop, spots, 2));
}

TEST(TickRules, TrayTipAndBlink)
{
    char tip[TRAY_TIP_SIZE];
    SYSTEMTIME today = Time(2026, 3, 9, 10, 0, 0, 0);
    FormatTrayTip(tip, 1, &today);
    EXPECT_STREQ("Daylens - 2026年3月9日", tip);
    FormatTrayTip(tip, 2, &today);
    EXPECT_STREQ("Daylens", tip);

    // One tick of the second picture, beginning with it, then nine of the first, over and over.
    BYTE counter = 0;
    std::string seen;
    for (int i = 0; i < 1000; i++)
        seen += NextBlinkSlot(&counter) == PROGRAM_ICON_BLINK_B ? 'B' : 'a';
    EXPECT_EQ("BaaaaaaaaaBaaaaaaaaaB", seen.substr(0, 21));
    EXPECT_EQ(100, std::count(seen.begin(), seen.end(), 'B'));
}

}  // namespace
