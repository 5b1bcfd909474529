#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
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

// One live repeating memo, read as the watcher reads it: through the list as it is now, never a copy the compiler
// kept from before.
const char* LiveText()
{
    volatile RepeatMemoList* live = &g_repeatMemos;
    return live->Count > 0 ? live->Texts[0] : nullptr;
}

// The live repeating memos change hands while the watcher may read them: the new list goes in only once no reader
// holds the lock, and the old one is freed after that. A reader holding the lock sees one list, whole, throughout.
TEST(TodayMemo, LiveRepeatMemosAreReplacedOnlyWhenNoReaderHoldsThem)
{
    const char* const kTexts[2] = {"朝会", "夕会"};
    RepeatMemoList fresh[2];
    for (int i = 0; i < 2; i++) {
        InitRepeatMemos(&fresh[i].Records, fresh[i].Texts, &fresh[i].Count);
        fresh[i].Records = (RepeatMemoRecord*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(RepeatMemoRecord));
        fresh[i].Records[0].Use = 1;
        fresh[i].Records[0].Type = REPEAT_EVERY_DAY;
        fresh[i].Texts[0] = StrDupHeap(kTexts[i]);
        fresh[i].Count = 1;
    }
    RepeatMemoList copy;
    ASSERT_EQ(1, CopyRepeatMemoList(&fresh[0], &copy));
    EXPECT_NE(fresh[0].Texts[0], copy.Texts[0]);
    ReplaceRepeatMemos(&copy);
    EXPECT_EQ(nullptr, copy.Records);
    EXPECT_EQ(0, copy.Count);

    const int kReplaces = 20000;
    std::atomic<bool> done(false);
    std::thread writer([&] {
        for (int i = 1; i <= kReplaces; i++) {
            RepeatMemoList next;
            if (CopyRepeatMemoList(&fresh[i & 1], &next) != 1)
                break;
            ReplaceRepeatMemos(&next);
        }
        done = true;
    });
    int holds = 0, changed = 0, spoiled = 0;
    while (!done) {
        AcquireRepeatMemosShared();
        const char* text = LiveText();
        for (int look = 0; look < 200; look++) {
            const char* now = LiveText();
            changed += now != text ? 1 : 0;
            spoiled += !now || (strcmp(now, kTexts[0]) != 0 && strcmp(now, kTexts[1]) != 0) ? 1 : 0;
        }
        ReleaseRepeatMemosShared();
        holds++;
    }
    writer.join();
    printf("%d holds of the lock while the list was replaced %d times\n", holds, kReplaces);
    EXPECT_EQ(0, changed);
    EXPECT_EQ(0, spoiled);
    ASSERT_EQ(1, g_repeatMemos.Count);
    EXPECT_STREQ(kTexts[kReplaces & 1], g_repeatMemos.Texts[0]);

    RepeatMemoList none;
    InitRepeatMemos(&none.Records, none.Texts, &none.Count);
    ReplaceRepeatMemos(&none);
    EXPECT_EQ(0, g_repeatMemos.Count);
    for (RepeatMemoList& list : fresh)
        FreeRepeatMemoList(&list);
}

}  // namespace
