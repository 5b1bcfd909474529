#include <gtest/gtest.h>

#include <string.h>

#include "MemoSettings.h"
#include "PopupWatchRules.h"

namespace {

SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second = 0)
{
    SYSTEMTIME time = {};
    time.wYear = (WORD)year;
    time.wMonth = (WORD)month;
    time.wDay = (WORD)day;
    time.wHour = (WORD)hour;
    time.wMinute = (WORD)minute;
    time.wSecond = (WORD)second;
    return time;
}

PopupWatchSettings Settings()
{
    PopupWatchSettings settings = {};
    settings.MemoPopup = 1;
    settings.MemoPopupTimeHour = MEMO_TIME_UNSET;
    settings.MemoPopupTimeMinute = MEMO_TIME_UNSET;
    settings.MemoTomorrowHour = MEMO_TIME_UNSET;
    settings.MemoTomorrowMinute = MEMO_TIME_UNSET;
    settings.MemorialPopup = 1;
    return settings;
}

// A running watcher whose previous pass was at last, with nothing announced yet.
PopupWatchState Running(const SYSTEMTIME& last)
{
    PopupWatchState state = {};
    state.LastPass = last;
    return state;
}

bool IsDate(const SYSTEMTIME& date, int year, int month, int day)
{
    return date.wYear == year && date.wMonth == month && date.wDay == day;
}

}  // namespace

TEST(PopupWatchRulesTest, StartPopupShowsTodayOrTomorrowByTheSetTime)
{
    PopupWatchSettings settings = Settings();
    settings.MemoPopupTime = 1;
    settings.MemoPopupTimeHour = 20;
    settings.MemoPopupTimeMinute = 0;
    PopupWatchState start = {};
    start.Request = 1;

    SYSTEMTIME evening = Time(2024, 12, 31, 21, 0);
    start.LastPass = evening;
    PopupWatchDecision late = DecidePopupWatch(&evening, &start, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET);
    ASSERT_EQ(1, late.Count);
    const PopupWatchPopup& tomorrow = late.Popups[0];
    EXPECT_EQ(POPUP_WATCH_START_TOMORROW, tomorrow.Kind);
    EXPECT_TRUE(IsDate(tomorrow.Date, 2025, 1, 1));
    EXPECT_EQ(1, tomorrow.PassDate);
    EXPECT_STREQ("明日のメモ", tomorrow.MemoHeading);
    EXPECT_STREQ("明日は何の日？", tomorrow.MemorialHeading);
    EXPECT_EQ(1, tomorrow.WithDayMemo);
    EXPECT_EQ(1, tomorrow.WithMemorial);
    EXPECT_EQ(0, late.After.Request);
    EXPECT_EQ(1, late.RefreshTodayAlarm);

    // 20:00 itself is not past the set time.
    SYSTEMTIME atTime = Time(2024, 12, 31, 20, 0, 30);
    start.LastPass = atTime;
    PopupWatchDecision onTime = DecidePopupWatch(&atTime, &start, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET);
    EXPECT_EQ(POPUP_WATCH_START_TODAY, onTime.Popups[0].Kind);
    EXPECT_TRUE(IsDate(onTime.Popups[0].Date, 2024, 12, 31));
    EXPECT_STREQ("今日のメモ", onTime.Popups[0].MemoHeading);
    EXPECT_STREQ("今日は何の日？", onTime.Popups[0].MemorialHeading);

    // An unset time never switches to tomorrow.
    settings.MemoPopupTimeHour = MEMO_TIME_UNSET;
    settings.MemoPopupTimeMinute = MEMO_TIME_UNSET;
    start.LastPass = evening;
    EXPECT_EQ(POPUP_WATCH_START_TODAY,
              DecidePopupWatch(&evening, &start, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET).Popups[0].Kind);
}

TEST(PopupWatchRulesTest, StartPopupLeavesOutAPassedMemoButKeepsTheRest)
{
    PopupWatchSettings settings = Settings();
    settings.MemoPopupNoShow = 1;
    PopupWatchState start = {};
    start.Request = 1;
    SYSTEMTIME ten = Time(2024, 5, 10, 10, 0);
    start.LastPass = ten;

    PopupWatchPopup passed = DecidePopupWatch(&ten, &start, &settings, 8, 0).Popups[0];
    EXPECT_EQ(0, passed.WithDayMemo);  // the repeating memos of the day still show
    EXPECT_EQ(1, passed.WithMemorial);
    EXPECT_EQ(1, DecidePopupWatch(&ten, &start, &settings, 10, 0).Popups[0].WithDayMemo);
    EXPECT_EQ(1, DecidePopupWatch(&ten, &start, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET).Popups[0].WithDayMemo);

    settings.MemoPopupNoShow = 0;
    EXPECT_EQ(1, DecidePopupWatch(&ten, &start, &settings, 8, 0).Popups[0].WithDayMemo);
    settings.MemoPopup = 0;
    settings.MemorialPopup = 0;
    PopupWatchDecision quiet = DecidePopupWatch(&ten, &start, &settings, 8, 0);
    ASSERT_EQ(1, quiet.Count);
    EXPECT_EQ(0, quiet.Popups[0].WithDayMemo);
    EXPECT_EQ(0, quiet.Popups[0].WithMemorial);
}

TEST(PopupWatchRulesTest, ResumeAfterSleepCountsTheWholeDateAndTime)
{
    PopupWatchSettings settings = Settings();
    settings.MemoSleepCheckInterval = 3600;
    struct Case {
        SYSTEMTIME Last;
        SYSTEMTIME Now;
        int Resumed;
    } cases[] = {
        {Time(2024, 5, 10, 8, 0), Time(2024, 5, 10, 10, 0), 1},             // two hours
        {Time(2024, 5, 10, 8, 0, 1), Time(2024, 5, 10, 9, 0), 0},           // a second short of an hour
        {Time(2024, 5, 10, 8, 0), Time(2024, 5, 10, 9, 0), 1},              // exactly the interval
        {Time(2024, 5, 10, 23, 30), Time(2024, 5, 11, 0, 10), 0},           // 40 minutes over midnight
        {Time(2024, 5, 10, 23, 30), Time(2024, 5, 11, 0, 40), 1},           // 70 minutes over midnight
        {Time(2024, 2, 29, 23, 50), Time(2024, 3, 1, 1, 0), 1},             // over a month end
        {Time(2024, 12, 31, 23, 59, 59), Time(2025, 1, 1, 0, 0, 1), 0},     // over a year end, two seconds
        {Time(2024, 5, 10, 10, 0), Time(2024, 5, 10, 8, 0), 0},             // the clock went back
        {Time(2024, 5, 10, 10, 0), Time(2024, 5, 11, 9, 0), 1},             // 23 hours: the hour of day went down
    };
    for (const Case& c : cases) {
        PopupWatchState state = Running(c.Last);
        PopupWatchDecision decision = DecidePopupWatch(&c.Now, &state, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET);
        EXPECT_EQ(c.Resumed, decision.Count) << c.Last.wDay << " " << c.Last.wHour << ":" << c.Last.wMinute;
        EXPECT_TRUE(memcmp(&decision.After.LastPass, &c.Now, sizeof(SYSTEMTIME)) == 0);
    }

    settings.MemoSleepCheckInterval = 0;
    PopupWatchState state = Running(Time(2024, 5, 1, 8, 0));
    SYSTEMTIME weekLater = Time(2024, 5, 8, 8, 0);
    EXPECT_EQ(0, DecidePopupWatch(&weekLater, &state, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET).Count);
}

TEST(PopupWatchRulesTest, TimedPopupsShowOncePerDate)
{
    PopupWatchSettings settings = Settings();
    settings.MemoTomorrowHour = 21;
    settings.MemoTomorrowMinute = 0;

    // Today's memo at 09:30: once, and not again in the same minute or later that day; again the next day.
    PopupWatchState state = Running(Time(2024, 1, 31, 9, 29, 59));
    SYSTEMTIME first = Time(2024, 1, 31, 9, 30, 0);
    PopupWatchDecision shown = DecidePopupWatch(&first, &state, &settings, 9, 30);
    ASSERT_EQ(1, shown.Count);
    EXPECT_EQ(POPUP_WATCH_TIMED_TODAY, shown.Popups[0].Kind);
    EXPECT_TRUE(IsDate(shown.Popups[0].Date, 2024, 1, 31));
    EXPECT_STREQ("今日のメモ", shown.Popups[0].MemoHeading);
    EXPECT_EQ(nullptr, shown.Popups[0].MemorialHeading);
    EXPECT_EQ(0, shown.Popups[0].WithMemorial);
    EXPECT_EQ(0, shown.Popups[0].PassDate);
    EXPECT_TRUE(IsDate(shown.After.TodayAnnounced, 2024, 1, 31));
    SYSTEMTIME again = Time(2024, 1, 31, 9, 30, 40);
    EXPECT_EQ(0, DecidePopupWatch(&again, &shown.After, &settings, 9, 30).Count);
    SYSTEMTIME nextDay = Time(2024, 2, 1, 9, 30, 0);
    PopupWatchState overnight = shown.After;
    overnight.LastPass = Time(2024, 2, 1, 9, 29, 59);
    EXPECT_EQ(1, DecidePopupWatch(&nextDay, &overnight, &settings, 9, 30).Count);
    // Another minute does not fire.
    SYSTEMTIME wrongMinute = Time(2024, 2, 1, 9, 31, 0);
    EXPECT_EQ(0, DecidePopupWatch(&wrongMinute, &overnight, &settings, 9, 30).Count);

    // Tomorrow's memo at 21:00 on a month end: tomorrow's date under the tomorrow headings, once.
    SYSTEMTIME nine = Time(2024, 1, 31, 21, 0, 10);
    PopupWatchState evening = shown.After;
    evening.LastPass = Time(2024, 1, 31, 21, 0, 9);
    PopupWatchDecision tomorrow = DecidePopupWatch(&nine, &evening, &settings, 9, 30);
    ASSERT_EQ(1, tomorrow.Count);
    const PopupWatchPopup& popup = tomorrow.Popups[0];
    EXPECT_EQ(POPUP_WATCH_TIMED_TOMORROW, popup.Kind);
    EXPECT_TRUE(IsDate(popup.Date, 2024, 2, 1));
    EXPECT_EQ(1, popup.PassDate);
    EXPECT_STREQ("明日のメモ", popup.MemoHeading);
    EXPECT_STREQ("明日は何の日？", popup.MemorialHeading);
    EXPECT_EQ(1, popup.WithMemorial);
    EXPECT_TRUE(IsDate(tomorrow.After.TomorrowAnnounced, 2024, 1, 31));
    EXPECT_TRUE(IsDate(tomorrow.After.TodayAnnounced, 2024, 1, 31));
    EXPECT_EQ(0, DecidePopupWatch(&nine, &tomorrow.After, &settings, 9, 30).Count);

    // Both times in one minute: today's first, then tomorrow's.
    PopupWatchState fresh = Running(Time(2024, 3, 1, 20, 59, 59));
    SYSTEMTIME both = Time(2024, 3, 1, 21, 0, 0);
    PopupWatchDecision pair = DecidePopupWatch(&both, &fresh, &settings, 21, 0);
    ASSERT_EQ(2, pair.Count);
    EXPECT_EQ(POPUP_WATCH_TIMED_TODAY, pair.Popups[0].Kind);
    EXPECT_EQ(POPUP_WATCH_TIMED_TOMORROW, pair.Popups[1].Kind);
}

TEST(PopupWatchRulesTest, UnsetTimesNeverFire)
{
    PopupWatchSettings settings = Settings();
    PopupWatchState state = Running(Time(2024, 5, 10, 0, 0));
    // Every minute of a day, with no memo time and no tomorrow time.
    for (int minute = 0; minute < 24 * 60; minute++) {
        SYSTEMTIME now = Time(2024, 5, 10, minute / 60, minute % 60);
        ASSERT_EQ(0, DecidePopupWatch(&now, &state, &settings, MEMO_TIME_UNSET, MEMO_TIME_UNSET).Count) << minute;
        state.LastPass = now;
    }
}

TEST(PopupWatchRulesTest, StartPassShowsOnlyTheStartPopupAndForgetsTheAnnouncedDates)
{
    PopupWatchSettings settings = Settings();
    settings.MemoTomorrowHour = 9;
    settings.MemoTomorrowMinute = 30;
    settings.MemoSleepCheckInterval = 3600;
    SYSTEMTIME now = Time(2024, 5, 10, 9, 30, 0);
    PopupWatchState state = Running(Time(2024, 5, 10, 7, 0));  // resumed from sleep
    state.TodayAnnounced = Time(2024, 5, 9, 0, 0);
    state.TomorrowAnnounced = Time(2024, 5, 9, 0, 0);

    PopupWatchDecision start = DecidePopupWatch(&now, &state, &settings, 9, 30);
    ASSERT_EQ(1, start.Count);
    EXPECT_EQ(POPUP_WATCH_START_TODAY, start.Popups[0].Kind);
    EXPECT_EQ(0, start.After.TodayAnnounced.wYear);
    EXPECT_EQ(0, start.After.TomorrowAnnounced.wYear);
    EXPECT_EQ(1, start.RefreshTodayAlarm);

    // The next pass, still in the minute, is a timed pass.
    SYSTEMTIME next = Time(2024, 5, 10, 9, 30, 1);
    PopupWatchDecision timed = DecidePopupWatch(&next, &start.After, &settings, 9, 30);
    EXPECT_EQ(2, timed.Count);
    EXPECT_EQ(0, timed.RefreshTodayAlarm);
}
