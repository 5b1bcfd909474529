// Era years and the year captions of month headings.
#include <windows.h>
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "EraNames.h"
#include "Sjis.h"

namespace {

struct WarekiCase {
    int year, month, day, kanji, withoutEra, withoutNen;
    const char* expected;
};

TEST(GetWarekiTest, EachEraStartsOnItsFirstDay)
{
    const WarekiCase cases[] = {
        {1868, 9, 7, 0, 0, 0, "江戸以前"},
        {1868, 9, 8, 0, 0, 0, "明治元年"},
        {1912, 7, 29, 0, 0, 0, "明治45年"},
        {1912, 7, 30, 0, 0, 0, "大正元年"},
        {1926, 12, 24, 0, 0, 0, "大正15年"},
        {1926, 12, 25, 0, 0, 0, "昭和元年"},
        {1989, 1, 7, 0, 0, 0, "昭和64年"},
        {1989, 1, 8, 0, 0, 0, "平成元年"},
        {2019, 4, 30, 0, 0, 0, "平成31年"},
        {2019, 5, 1, 0, 0, 0, "令和元年"},
    };
    for (const WarekiCase& c : cases)
        EXPECT_STREQ(c.expected, GetWareki(c.year, c.month, c.day, 0, 0, 0)) << c.year << "-" << c.month << "-" << c.day;
}

TEST(GetWarekiTest, OptionsShapeTheNumberButNotTheFirstYearOrTheTimeBeforeEras)
{
    const WarekiCase cases[] = {
        {2026, 6, 1, 0, 0, 0, "令和8年"},
        {2026, 6, 1, 1, 0, 0, "令和八年"},
        {2019, 4, 30, 1, 0, 0, "平成三一年"},
        {1998, 1, 1, 1, 0, 0, "平成一〇年"},
        {2026, 6, 1, 0, 1, 0, "8年"},
        {2026, 6, 1, 0, 1, 1, "8"},
        {2026, 6, 1, 1, 1, 1, "八"},
        {2019, 5, 1, 1, 1, 1, "元年"},
        {1989, 6, 1, 1, 0, 1, "平成元年"},
        {1700, 1, 1, 1, 1, 1, "江戸以前"},
    };
    for (const WarekiCase& c : cases) {
        EXPECT_STREQ(c.expected, GetWareki(c.year, c.month, c.day, c.kanji, c.withoutEra, c.withoutNen))
            << c.year << " " << c.kanji << c.withoutEra << c.withoutNen;
    }
}

TEST(YearStringTest, EveryYearStyleAlone)
{
    const char* const expected[] = {
        "", "令和8年", "8年", "8", "令和八年", "八年", "八", "2026年", "26年", "2026", "26", "'26", "皇紀2686年",
        "2026年 令和8年", "2026年 8年",
    };
    for (int style = 0; style < YEAR_STYLE_COUNT; style++)
        EXPECT_STREQ(expected[style], YearString(2026, 12, (unsigned char)style, 1, 0, 0, "/")) << style;
    EXPECT_STREQ("令和8年", YearString(2026, 12, 15, 1, 0, 0, "/"));
    EXPECT_STREQ("令和8年", YearString(2026, 12, 255, 1, 0, 0, "/"));
    EXPECT_STREQ("05年", YearString(2005, 1, 8, 0, 0, 0, ""));
    // The era is the one of the 1st of the month.
    EXPECT_STREQ("平成31年", YearString(2019, 4, 1, 0, 0, 0, ""));
    EXPECT_STREQ("令和元年", YearString(2019, 5, 1, 0, 0, 0, ""));
}

TEST(YearStringTest, LinkedCaptionsJoinTheMonthOnEitherSide)
{
    struct Case {
        unsigned char style;
        int monthFirst;
        const char* expected;
    } const cases[] = {
        {1, 0, "令和8年/12月"},
        {1, 1, "12月/令和8年"},
        {6, 0, "八/12月"},
        {8, 1, "12月/26年"},
        {11, 0, "'26/12月"},
        {12, 1, "12月/皇紀2686年"},
        {13, 0, "2026年 令和8年/12月"},
        {14, 1, "12月/2026年 8年"},
        {0, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, YearString(2026, 12, c.style, 1, 1, c.monthFirst, "/")) << (int)c.style;
}

TEST(YearStringTest, MonthSetsOutsideTheTableAndMonthsOutsideTheYear)
{
    EXPECT_STREQ("2026年/12月", YearString(2026, 12, 7, 9, 1, 0, "/"));
    EXPECT_STREQ("2026年/12月", YearString(2026, 12, 7, 255, 1, 0, "/"));
    EXPECT_STREQ("2026年/", YearString(2026, 12, 7, 0, 1, 0, "/"));
    // Without a record there are no user names, and nothing another call left behind is used.
    EXPECT_STREQ("2026年/", YearString(2026, 12, 7, 8, 1, 0, "/"));
    EXPECT_STREQ("2027年/January", YearString(2026, 13, 7, 5, 1, 0, "/"));
    EXPECT_STREQ("2025年/Dec", YearString(2026, 0, 7, 4, 1, 0, "/"));
}

TEST(YearStringTest, LongJoinTextIsCutOnACharacterBoundary)
{
    std::string join;
    for (int i = 0; i < 1500; i++)
        join += "あ";
    for (int monthFirst = 0; monthFirst <= 1; monthFirst++) {
        const char* text = YearString(2026, 12, 13, 1, 1, monthFirst, join.c_str());
        size_t len = strlen(text);
        EXPECT_LE(len, (size_t)ERA_TEXT_SIZE - 1);
        EXPECT_GE(len, (size_t)ERA_TEXT_SIZE - 2);
        size_t i = 0;
        while (i < len)
            i += IsSjisLeadByte((unsigned char)text[i]) ? 2 : 1;
        EXPECT_EQ(len, i) << "a double-byte character was split";
        EXPECT_EQ(0, strncmp(text, monthFirst ? "12月" : "2026年 令和8年", monthFirst ? 4 : 14));
    }
}

}  // namespace
