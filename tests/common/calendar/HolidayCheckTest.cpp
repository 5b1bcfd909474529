#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "DateUtil.h"
#include "HolidayCheck.h"

namespace {

// A parsed list; Check and Memorial leave their text in name.
struct List {
    HolidayRecord* records = nullptr;
    unsigned int count = 0;
    char name[HOLIDAY_NAME_SIZE + 8];

    explicit List(const std::string& text, unsigned char kind = HOLIDAY_KIND_NATIONAL)
    {
        records = ParseHolidayText(kind, text.c_str(), &count);
    }
    ~List() { FreeHolidayList(records, (int)count); }

    int Check(int year, int month, int day, int substitute = 1)
    {
        memset(name, 'z', sizeof(name));
        return CheckHoliday(records, (int)count, year, month, day, name, substitute);
    }
    int Memorial(int year, int month, int day, int ageFlag = 1)
    {
        memset(name, 'z', sizeof(name));
        return CheckMemorial(records, (int)count, year, month, day, DayOfWeek(year, month, day), ageFlag, name);
    }
};

} // namespace

TEST(MatchHolidayDateTest, RulesAndKinds)
{
    List list("- 1 1 元日\n- 1 2月 成人の日\n2019 5 1 即位の日\nb1999 1 15 旧成人の日\na2020 7 24 スポーツの日\n"
              "- 3 3 ひな祭り\n");
    list.records[5].kind = HOLIDAY_KIND_MEMORIAL;
    struct { int y, m, d, holiday; } cases[] = {
        {2019, 1, 1, 1},  {2019, 1, 14, 1}, {2019, 1, 7, 0},  {2019, 5, 1, 1},  {2020, 5, 1, 0},
        {1999, 1, 15, 1}, {1960, 1, 15, 1}, {2000, 1, 15, 0}, {2019, 7, 24, 0}, {2031, 7, 24, 1},
        {2019, 3, 3, 0},
        {2019, 5, -9, 0}, // a day before the first (21 April, a Sunday) is in no week of May
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.holiday, MatchHolidayDate(list.records, list.count, c.y, c.m, c.d, nullptr)) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(1, list.Check(2019, 1, 14));
    EXPECT_STREQ("成人の日", list.name);
    EXPECT_EQ(0, MatchHolidayDate(nullptr, 5, 2019, 1, 1, nullptr));
}

TEST(MatchHolidayDateTest, JoinedNamesAreLimited)
{
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += "- 8 1 n" + std::to_string(i) + "\n";
    List twelve(text);
    EXPECT_EQ(1, twelve.Check(2019, 8, 1));
    EXPECT_STREQ("n1\r\nn2\r\nn3\r\nn4\r\nn5\r\nn6\r\nn7\r\nn8\r\nn9\r\nn10", twelve.name);
}

// Ten names of 202 bytes: the fifth name fills the text up to 1,022 bytes, and the
// double-byte character after that would not fit.
TEST(MatchHolidayDateTest, LongTextStaysInsideTheBuffer)
{
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text += "1990 8 1 ab";
        for (int j = 0; j < 100; ++j)
            text += "日";
        text += "\n";
    }
    List holidays(text), memorials(text, HOLIDAY_KIND_MEMORIAL);
    EXPECT_EQ(1, holidays.Check(1990, 8, 1));
    EXPECT_EQ(1022u, strlen(holidays.name));
    EXPECT_EQ('z', holidays.name[HOLIDAY_NAME_SIZE]);
    EXPECT_EQ(30, memorials.Memorial(2020, 8, 1));
    EXPECT_EQ(1022u, strlen(memorials.name));
    EXPECT_EQ('z', memorials.name[HOLIDAY_NAME_SIZE]);
}

TEST(CheckHolidayTest, SubstituteHolidays)
{
    List list("2019 4 28 日曜の祝日\n"
              "1973 4 8 前\n1973 4 15 後\n"
              "2019 5 5 a\n2019 5 6 b\n2019 5 7 c\n2006 5 7 a\n2006 5 8 b\n2006 5 9 c\n"
              "2019 9 16 月\n2019 9 17 火\n");
    EXPECT_EQ(1, list.Check(2019, 4, 29));
    EXPECT_STREQ("振替休日", list.name);
    EXPECT_EQ(0, list.Check(2019, 4, 29, 0));
    EXPECT_STREQ("", list.name);
    // Not before the law of 12 April 1973.
    EXPECT_EQ(0, list.Check(1973, 4, 9));
    EXPECT_EQ(1, list.Check(1973, 4, 16));
    // From 2007 the day after a run of holidays that began on a Sunday.
    EXPECT_EQ(1, list.Check(2019, 5, 8));
    EXPECT_STREQ("振替休日", list.name);
    EXPECT_EQ(0, list.Check(2019, 5, 8, 0));
    EXPECT_EQ(0, list.Check(2006, 5, 10));
    EXPECT_EQ(0, list.Check(2019, 9, 18));
    EXPECT_STREQ("", list.name);
}

TEST(CheckHolidayTest, CitizensHolidayAndOwnLists)
{
    List national("2015 9 21 敬老の日\n2015 9 23 秋分の日\n2008 9 15 敬老の日\n2008 9 17 x\n");
    EXPECT_EQ(1, national.Check(2015, 9, 22, 0));
    EXPECT_STREQ("国民の休日", national.name);
    EXPECT_EQ(0, national.Check(2008, 9, 16));

    List own("2019 4 28 休み\n2015 9 21 a\n2015 9 23 b\n2019 5 5 a\n2019 5 6 b\n", HOLIDAY_KIND_OWN);
    EXPECT_EQ(1, own.Check(2019, 4, 28));
    EXPECT_EQ(0, own.Check(2019, 4, 29));
    EXPECT_EQ(0, own.Check(2015, 9, 22));
    EXPECT_EQ(0, own.Check(2019, 5, 7));
    strcpy(own.name, "stale");
    EXPECT_EQ(0, CheckHoliday(nullptr, 3, 2019, 4, 28, own.name, 1));
    EXPECT_STREQ("", own.name);
}

TEST(CheckMemorialTest, AgesAndSuffixes)
{
    List list("1970 5 3 誕生日\n1970 8 1 太郎の誕生日\n2000 8 1 開店記念\n- 8 2 記念\n2000 6 1 結婚記念日\n"
              "2019 3 3 Tom's Birthday\n2000 6 3Sun 父の日\n2030 6 2 未来\n",
              HOLIDAY_KIND_MEMORIAL);
    struct { int y, m, d, flag, age; const char* text; } cases[] = {
        {2020, 5, 3, 1, 50, "誕生日(50歳)"},
        {2020, 8, 1, 1, 20, "太郎の誕生日(50歳)\r\n開店記念(20歳)"}, // the search covers both names
        {2020, 8, 2, 1, 0, "記念"},
        {2020, 6, 1, 1, 20, "結婚記念日(20年)"},
        {2020, 3, 3, 1, 1, "Tom's Birthday (1 year old)"},
        {2021, 3, 3, 1, 2, "Tom's Birthday (2 years old)"},
        {2020, 6, 21, 1, 20, "父の日(20年)"},
        {2020, 6, 14, 1, -1, ""},
        {2020, 6, 2, 1, -10, "未来"},
        {2020, 5, 3, 0, 50, "誕生日"},
        {0, 5, 3, 1, 0, "誕生日"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.age, list.Memorial(c.y, c.m, c.d, c.flag)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_STREQ(c.text, list.name);
    }
    EXPECT_EQ(-1, List("1970 5 3 誕生日\n").Memorial(2020, 5, 3)); // not a memorial list
    EXPECT_EQ(-1, CheckMemorial(nullptr, 1, 2020, 5, 3, 0, 1, list.name));
    EXPECT_STREQ("", list.name);
}
