#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <atomic>
#include <thread>

#include "HeapUtil.h"
#include "TempFolder.h"
#include "TodayMemo.h"

namespace {

SYSTEMTIME Day(int year, int month, int day, int hour, int minute)
{
    SYSTEMTIME time = {};
    time.wYear = (WORD)year;
    time.wMonth = (WORD)month;
    time.wDay = (WORD)day;
    time.wHour = (WORD)hour;
    time.wMinute = (WORD)minute;
    return time;
}

TEST(TodayMemo, AlarmTakesTheDayAndTimeOfTodaysMemo)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("today-memo"));
    std::string file = folder.Path("20260309.txt");
    ASSERT_TRUE(WritePrivateProfileStringA("20260309", "Memo", "歯医者", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("20260309", "Time", "9:30", file.c_str()));
    static MemoSettings memo;
    memset(&memo, 0, sizeof(memo));
    strcpy(memo.MemoDir, folder.Dir().c_str());

    SYSTEMTIME now = Day(2026, 3, 9, 0, 0);
    RefreshTodayAlarm(&memo, &now);
    SYSTEMTIME alarm = ReadTodayAlarm(&memo);
    EXPECT_EQ(2026, alarm.wYear);
    EXPECT_EQ(9, alarm.wDay);
    EXPECT_EQ(9, alarm.wHour);
    EXPECT_EQ(30, alarm.wMinute);
    EXPECT_EQ(1, DayHasAnyMemo(&memo, nullptr, nullptr, 0, &now));

    now = Day(2026, 3, 10, 0, 0);
    RefreshTodayAlarm(&memo, &now);
    alarm = ReadTodayAlarm(&memo);
    EXPECT_EQ(0, alarm.wYear);
    EXPECT_EQ(0, alarm.wDay);
    EXPECT_EQ(MEMO_TIME_UNSET, alarm.wHour);
    EXPECT_EQ(MEMO_TIME_UNSET, alarm.wMinute);
    EXPECT_EQ(0, DayHasAnyMemo(&memo, nullptr, nullptr, 0, &now));
}

// The watcher reads the alarm on its own thread while the day changes it: it gets one alarm or the other, never
// the date of one with the time of the other.
TEST(TodayMemo, AlarmIsReadWholeWhileItChanges)
{
    static MemoSettings memo;
    memset(&memo, 0, sizeof(memo));
    const SYSTEMTIME alarms[2] = {Day(2025, 12, 31, 23, 45), Day(0, 0, 0, MEMO_TIME_UNSET, MEMO_TIME_UNSET)};
    PublishTodayAlarm(&memo, &alarms[0]);
    std::atomic<bool> done(false);
    std::thread writer([&] {
        for (int i = 0; i < 200000; i++)
            PublishTodayAlarm(&memo, &alarms[i & 1]);
        done = true;
    });
    int mixed = 0;
    while (!done) {
        SYSTEMTIME seen = ReadTodayAlarm(&memo);
        if (memcmp(&seen, &alarms[0], sizeof(seen)) != 0 && memcmp(&seen, &alarms[1], sizeof(seen)) != 0)
            mixed++;
    }
    writer.join();
    EXPECT_EQ(0, mixed);
}

// A save of today's memo during a pass of the watcher forgets today's announcement after the pass has read it: the
// pass stores its own announcements then without that one, so that the memo is announced at its new time.
TEST(TodayMemo, ASaveDuringAWatcherPassKeepsTodaysAnnouncementForgotten)
{
    static MemoSettings memo;
    memset(&memo, 0, sizeof(memo));
    const SYSTEMTIME today = Day(2026, 3, 9, 0, 0);
    const SYSTEMTIME tomorrow = Day(2026, 3, 10, 0, 0);
    TodayWatch seen = ReadTodayWatch(&memo);
    StoreAnnouncements(&memo, &seen, &today, &tomorrow);
    EXPECT_EQ(9, ReadTodayWatch(&memo).TodayAnnounced.wDay);

    seen = ReadTodayWatch(&memo);
    const SYSTEMTIME saved = Day(2026, 3, 9, 18, 30);
    PublishSavedTodayAlarm(&memo, &saved);
    StoreAnnouncements(&memo, &seen, &today, &tomorrow);
    TodayWatch after = ReadTodayWatch(&memo);
    EXPECT_EQ(0, after.TodayAnnounced.wDay);
    EXPECT_EQ(10, after.TomorrowAnnounced.wDay);
    EXPECT_EQ(18, after.Alarm.wHour);
    EXPECT_EQ(30, after.Alarm.wMinute);
}

// The live repeating memos change hands while the watcher may read them: the new list goes in only once no reader
// holds the lock, and the old one is freed after that.
TEST(TodayMemo, LiveRepeatMemosAreReplacedOnlyWhenNoReaderHoldsThem)
{
    RepeatMemoList fresh;
    InitRepeatMemos(&fresh.Records, fresh.Texts, &fresh.Count);
    fresh.Records = (RepeatMemoRecord*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(RepeatMemoRecord));
    fresh.Records[0].Use = 1;
    fresh.Records[0].Type = REPEAT_EVERY_DAY;
    fresh.Texts[0] = StrDupHeap("朝会");
    fresh.Count = 1;
    RepeatMemoList copy;
    ASSERT_EQ(1, CopyRepeatMemoList(&fresh, &copy));
    EXPECT_NE(fresh.Texts[0], copy.Texts[0]);

    AcquireRepeatMemosShared();
    std::atomic<bool> replaced{false};
    std::thread writer([&] {
        ReplaceRepeatMemos(&copy);
        replaced = true;
    });
    Sleep(200);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(0, g_repeatMemos.Count);
    ReleaseRepeatMemosShared();
    writer.join();
    ASSERT_EQ(1, g_repeatMemos.Count);
    EXPECT_STREQ("朝会", g_repeatMemos.Texts[0]);
    EXPECT_EQ(nullptr, copy.Records);
    EXPECT_EQ(0, copy.Count);

    RepeatMemoList none;
    InitRepeatMemos(&none.Records, none.Texts, &none.Count);
    ReplaceRepeatMemos(&none);
    EXPECT_EQ(0, g_repeatMemos.Count);
    FreeRepeatMemoList(&fresh);
}

}  // namespace
