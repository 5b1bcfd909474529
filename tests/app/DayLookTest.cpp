// The look of one day by the mark order: colours, marks and their boxes, tooltip lines; and the day facts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <initializer_list>
#include <string>

#include "CalendarRenderParts.h"
#include "DayColor.h"
#include "DayLook.h"
#include "DayMemoStore.h"
#include "EnvData.h"
#include "Holiday.h"
#include "HolidayCheck.h"

namespace {

const RECT kBox = {10, 20, 30, 36};

// A style of its own colour and mark kind, so that every entry can be told apart.
FontStyle Style(int n)
{
    FontStyle style = {};
    style.StrColor = RGB(n, 0, 0);
    style.ShadowColor = RGB(0, n, 0);
    style.MarkType = (BYTE)(MARK_CIRCLE + n);
    style.MarkColor = RGB(0, 0, n);
    return style;
}

class DayLookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Order({1, 2, 3, 4, 5, 6, 7});
        env.WeekStyles[3] = Style(1);  // 20 May 2026 is a Wednesday
        env.HolidayStyle = Style(2);
        env.TodayStyle = Style(3);
        env.MyHolidayStyle = Style(5);
        env.ShowHolidayTip = env.ShowMyHolidayTip = 1;
        env.ShowRepeatMemoTip = 1;
        env.UserMarks = marks;
        env.UserStyleMax = USER_STYLE_MIN;

        facts.Year = 2026;
        facts.Month = 5;
        facts.Day = 20;
        facts.IsToday = 1;
        facts.IsHoliday = facts.IsListedHoliday = 1;
        strcpy(facts.HolidayName, "祝日");
        facts.IsMyHoliday = 1;
        strcpy(facts.MyHolidayName, "創立記念日");
        facts.MemorialText = "誕生日";
        facts.MemorialStyle = Style(4);
        facts.MemorialTipOn = 1;
        facts.RepeatMemoText = "[定例]\r\n会議";
        facts.RepeatMemoStyle = Style(6);
        facts.MemoMarksOn = facts.MemoTipOn = 1;
        facts.DayMemoText = "旅行";
        facts.DayMemoStyle = Style(7);
        facts.DayMemoHour = facts.DayMemoMinute = DAY_MEMO_NO_TIME;
    }
    void TearDown() override { env.UserMarks = nullptr; }

    void Order(std::initializer_list<int> kinds)
    {
        memset(env.MarkOrder, 0, sizeof(env.MarkOrder));
        memcpy(env.MarkOrder, kinds.begin(), kinds.size() * sizeof(int));
    }

    DayLook Decide(int withTip = 1)
    {
        DayLook look;
        DecideDayLook(env, facts, kBox, withTip, &look);
        return look;
    }

    EnvData env;
    UserMark marks[USER_STYLE_MIN] = {};
    DayFacts facts = {};
};

TEST_F(DayLookTest, EveryEntryMarksInOrderInTheSameBoxAndTheLastColours)
{
    DayLook look = Decide();
    ASSERT_EQ(7, look.MarkCount);
    for (int i = 0; i < 7; i++) {
        EXPECT_EQ(MARK_CIRCLE + i + 1, look.MarkStyles[i].MarkType) << i;
        EXPECT_EQ(0, memcmp(&kBox, &look.MarkBoxes[i], sizeof(RECT))) << "the marks of a day never nest";
    }
    EXPECT_EQ(RGB(7, 0, 0), look.TextColor);
    EXPECT_EQ(RGB(0, 7, 0), look.ShadowColor);
    EXPECT_STREQ("2026年5月20日\r\n祝日\r\n今日\r\n誕生日\r\n創立記念日\r\n[定例]\r\n会議\r\n旅行", look.Tip);

    Order({7, 6, 5, 4, 3, 2, 1});
    look = Decide();
    EXPECT_EQ(RGB(1, 0, 0), look.TextColor);
    EXPECT_EQ(MARK_CIRCLE + 7, look.MarkStyles[0].MarkType);
    EXPECT_STREQ("2026年5月20日\r\n旅行\r\n[定例]\r\n会議\r\n創立記念日\r\n誕生日\r\n今日\r\n祝日", look.Tip);
}

TEST_F(DayLookTest, OnlyApplicableEntriesThatColourTheTextWin)
{
    facts.DayMemoText = nullptr;
    facts.RepeatMemoText = nullptr;
    facts.IsMyHoliday = 0;
    facts.MemorialText = nullptr;
    DayLook look = Decide();
    EXPECT_EQ(3, look.MarkCount);
    EXPECT_EQ(RGB(3, 0, 0), look.TextColor);  // today, the last entry that applies

    env.TodayStyle.NoUseStrColor = 1;
    look = Decide();
    EXPECT_EQ(RGB(2, 0, 0), look.TextColor);  // today keeps the holiday's colour, but still marks and tips
    EXPECT_EQ(3, look.MarkCount);
    EXPECT_STREQ("2026年5月20日\r\n祝日\r\n今日", look.Tip);

    // The weekday colours even with its keep-colour flag; nothing at all leaves black text.
    env.WeekStyles[3].NoUseStrColor = 1;
    facts.IsHoliday = facts.IsListedHoliday = facts.IsToday = 0;
    EXPECT_EQ(RGB(1, 0, 0), Decide().TextColor);
    Order({});
    look = Decide();
    EXPECT_EQ(RGB(0, 0, 0), look.TextColor);
    EXPECT_EQ(0, look.MarkCount);
}

TEST_F(DayLookTest, TooltipLinesFollowTheirSettings)
{
    env.ShowHolidayTip = env.ShowMyHolidayTip = 0;
    facts.MemoTipOn = facts.MemorialTipOn = 0;
    env.ShowWeekTip = 1;
    env.ShowPassedDays = env.ShowPassedWeeks = env.ShowRestDays = 1;
    // 20 May 2026 is day 140 of the year, in its 21st week (1 January was a Thursday).
    EXPECT_STREQ("2026年5月20日(水)\r\n年初から140日 年初から21週目 来年まで226日 \r\n今日\r\n[定例]\r\n会議",
                 Decide().Tip);
    EXPECT_STREQ("", Decide(0).Tip);

    // Without memo marks and the repeating-memo tip a repeating memo only marks the day.
    env.ShowRepeatMemoTip = 0;
    facts.MemoMarksOn = 0;
    Order({1, 6});
    DayLook look = Decide();
    EXPECT_EQ(2, look.MarkCount);
    EXPECT_EQ(RGB(1, 0, 0), look.TextColor);
    EXPECT_EQ(nullptr, strstr(look.Tip, "会議"));
    facts.MemoMarksOn = 1;
    EXPECT_EQ(RGB(6, 0, 0), Decide().TextColor);
}

TEST_F(DayLookTest, UserMarkColoursOnlyADayMemo)
{
    marks[2].Style = Style(9);
    facts.RepeatMemoStyle.MarkType = MARK_KIND_USER_BASE + 2;
    facts.DayMemoStyle.MarkType = MARK_KIND_USER_BASE + 2;
    Order({6});
    DayLook look = Decide();
    EXPECT_EQ(RGB(6, 0, 0), look.TextColor);
    EXPECT_EQ(MARK_KIND_USER_BASE + 2, look.MarkStyles[0].MarkType);  // the mark itself resolves when drawn
    Order({7});
    EXPECT_EQ(RGB(9, 0, 0), Decide().TextColor);
}

// A day memo marks and colours with the memo marks and adds its tooltip line with the memo text in the tooltip,
// its time first when it has one.
TEST_F(DayLookTest, DayMemoFollowsTheMemoSettings)
{
    Order({1, 7});
    facts.MemoTipOn = 0;
    DayLook look = Decide();
    EXPECT_EQ(2, look.MarkCount);
    EXPECT_EQ(RGB(7, 0, 0), look.TextColor);
    EXPECT_STREQ("2026年5月20日", look.Tip);

    facts.MemoMarksOn = 0;
    facts.MemoTipOn = 1;
    facts.DayMemoHour = 7;
    facts.DayMemoMinute = 5;
    facts.DayMemoText = "旅行\t準備";
    look = Decide();
    EXPECT_EQ(1, look.MarkCount);
    EXPECT_EQ(RGB(1, 0, 0), look.TextColor);
    EXPECT_STREQ("2026年5月20日\r\n07:05 旅行 準備", look.Tip);
    EXPECT_STREQ("", Decide(0).Tip);

    struct TimeCase {
        int hour, minute;
    };
    for (TimeCase t : {TimeCase{DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME}, TimeCase{24, 0}, TimeCase{23, 60}}) {
        facts.DayMemoHour = t.hour;
        facts.DayMemoMinute = t.minute;
        EXPECT_STREQ("2026年5月20日\r\n旅行 準備", Decide().Tip) << t.hour << ":" << t.minute;
    }

    // The text is cut to 256 bytes, never inside a character.
    std::string longText = "x";
    for (int i = 0; i < 200; i++)
        longText += "表";
    facts.DayMemoText = longText.c_str();
    EXPECT_EQ("2026年5月20日\r\n" + longText.substr(0, 255), Decide().Tip);

    facts.MemoTipOn = 0;
    look = Decide();
    EXPECT_EQ(1, look.MarkCount);
    EXPECT_STREQ("2026年5月20日", look.Tip);
}

TEST_F(DayLookTest, NeighbouringMonthsLightenOrDarkenTheText)
{
    facts.OtherMonth = 1;
    env.FillLightColor = 1;
    EXPECT_EQ(RGB(131, 127, 127), Decide().TextColor);
    EXPECT_EQ(OtherMonthColor(RGB(0, 7, 0), 1, 0), Decide().ShadowColor);
    env.FillLightColor = 0;
    env.FillDarkColor = 1;
    EXPECT_EQ(RGB(3, 0, 0), Decide().TextColor);
}

TEST(MemoTextStyleTest, UserMarkBeyondTheRecordFallsBackToTheMemoStyle)
{
    EnvData env;
    UserMark marks[USER_STYLE_MIN] = {};
    marks[2].Style.StrColor = RGB(1, 2, 3);
    env.UserMarks = marks;
    env.UserStyleMax = USER_STYLE_MIN;
    FontStyle own = {};
    own.MarkType = MARK_KIND_USER_BASE + 2;
    EXPECT_EQ(&marks[2].Style, MemoTextStyle(&env, &own));
    own.MarkType = MARK_KIND_USER_BASE + USER_STYLE_MIN;
    EXPECT_EQ(&own, MemoTextStyle(&env, &own));
    own.MarkType = 255;
    EXPECT_EQ(&own, MemoTextStyle(&env, &own));
    env.UserMarks = nullptr;
}

TEST(DayFactsTest, WithoutTheHolidayCheckNoDayIsAHoliday)
{
    unsigned int count = 0;
    HolidayRecord* holidays = LoadHoliday(0, DAYLENS_DIST_DIR "\\Holiday.txt", &count);
    ASSERT_NE(nullptr, holidays);
    CalendarSources sources = {};
    sources.Holidays = holidays;
    sources.HolidayCount = (int)count;
    sources.MyHolidays = holidays;
    sources.MyHolidayCount = (int)count;
    EnvData env;
    env.HolidayStyle.MarkType = MARK_CIRCLE;
    env.MarkOrder[0] = MARK_ORDER_HOLIDAY;
    env.MarkOrder[1] = MARK_ORDER_MY_HOLIDAY;
    DayFacts facts;
    GatherDayFacts(env, sources, CheckHoliday, 2026, 5, 4, 0, nullptr, nullptr, &facts);
    EXPECT_EQ(1, facts.IsHoliday);
    EXPECT_STREQ("みどりの日", facts.HolidayName);
    EXPECT_EQ(1, facts.IsMyHoliday);
    FreeDayFacts(&facts);

    // A substitute holiday takes the holiday's colours and tooltip line, but only listed days carry the mark.
    env.MarkOrder[1] = 0;
    env.HolidayStyle.StrColor = RGB(255, 0, 255);
    GatherDayFacts(env, sources, CheckHoliday, 2027, 3, 22, 0, nullptr, nullptr, &facts);
    EXPECT_EQ(1, facts.IsHoliday);
    EXPECT_EQ(0, facts.IsListedHoliday);
    DayLook derived;
    DecideDayLook(env, facts, kBox, 1, &derived);
    EXPECT_EQ(RGB(255, 0, 255), derived.TextColor);
    EXPECT_EQ(0, derived.MarkCount);
    FreeDayFacts(&facts);
    env.MarkOrder[1] = MARK_ORDER_MY_HOLIDAY;

    GatherDayFacts(env, sources, nullptr, 2026, 5, 4, 0, nullptr, nullptr, &facts);
    DayLook look;
    DecideDayLook(env, facts, kBox, 1, &look);
    EXPECT_EQ(0, facts.IsHoliday + facts.IsMyHoliday);
    EXPECT_EQ(0, look.MarkCount);
    FreeDayFacts(&facts);
    FreeHolidayList(holidays, (int)count);
}

// Memorial days of a file: each name with the age in the unit its names ask for, the memorial style's mark, and a
// tooltip line only while the memorial settings show the names there.
TEST(DayFactsTest, MemorialDaysShowTheirAgesInTheTooltip)
{
    const char file[] = "1976 5 20 誕生日\r\n- 5 20 結婚記念日\r\n2030 6 1 開店\r\n1990 6 1 Birthday\r\n";
    unsigned int count = 0;
    HolidayRecord* days = ParseHolidayText(HOLIDAY_KIND_MEMORIAL, file, &count);
    ASSERT_EQ(4u, count);
    CalendarSources sources = {};
    sources.Memorials = days;
    sources.MemorialCount = (int)count;
    MemorialSettings memorial = {};
    memorial.MemorialStyle.MarkType = MARK_SQUARE;
    memorial.MemorialStyle.StrColor = RGB(255, 0, 255);
    memorial.MemorialShowToolTip = 1;
    memorial.MemorialCount = 1;
    EnvData env;
    env.MarkOrder[0] = MARK_ORDER_MEMORIAL;

    auto look = [&](int year, int month, int day, DayLook* out) {
        DayFacts facts;
        GatherDayFacts(env, sources, nullptr, year, month, day, 0, nullptr, &memorial, &facts);
        DecideDayLook(env, facts, kBox, 1, out);
        FreeDayFacts(&facts);
    };
    DayLook day;
    look(2026, 5, 20, &day);
    // The second name has no year, so no age of its own, but the first one's unit covers the date.
    EXPECT_STREQ("2026年5月20日\r\n誕生日(50歳)\r\n結婚記念日", day.Tip);
    ASSERT_EQ(1, day.MarkCount);
    EXPECT_EQ(MARK_SQUARE, day.MarkStyles[0].MarkType);
    EXPECT_EQ(RGB(255, 0, 255), day.TextColor);

    // A memorial day before its year still falls on its date, without an age; a birthday in English counts years.
    look(2026, 6, 1, &day);
    EXPECT_STREQ("2026年6月1日\r\n開店\r\nBirthday (36 years old)", day.Tip);
    look(2026, 6, 2, &day);
    EXPECT_EQ(0, day.MarkCount);

    memorial.MemorialCount = 0;
    look(2026, 5, 20, &day);
    EXPECT_STREQ("2026年5月20日\r\n誕生日\r\n結婚記念日", day.Tip);
    memorial.MemorialShowToolTip = 0;
    look(2026, 5, 20, &day);
    EXPECT_STREQ("2026年5月20日", day.Tip);
    EXPECT_EQ(1, day.MarkCount);

    // Without the memorial settings no memorial day is looked up.
    DayFacts facts;
    GatherDayFacts(env, sources, nullptr, 2026, 5, 20, 0, nullptr, nullptr, &facts);
    EXPECT_EQ(nullptr, facts.MemorialText);
    FreeDayFacts(&facts);
    FreeHolidayList(days, (int)count);
}

}  // namespace
