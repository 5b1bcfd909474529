#include <gtest/gtest.h>

#include "KanjiNumber.h"

namespace {

TEST(KanjiNumberTest, UnderTenThousand)
{
    EXPECT_STREQ("一千二百三十四", KanjiNumberUnder10000(1234, 1));
    EXPECT_STREQ("一千五", KanjiNumberUnder10000(1005, 1));
    EXPECT_STREQ("一十", KanjiNumberUnder10000(10, 1));
    EXPECT_STREQ("九千九百九十九", KanjiNumberUnder10000(9999, 1));
    EXPECT_STREQ("一〇〇五", KanjiNumberUnder10000(1005, 0));
    EXPECT_STREQ("二〇", KanjiNumberUnder10000(20, 0));
    EXPECT_STREQ("", KanjiNumberUnder10000(0, 1));
    EXPECT_STREQ("", KanjiNumberUnder10000(0, 0));
    EXPECT_STREQ("", KanjiNumberUnder10000(10000, 1));
}

TEST(KanjiNumberTest, GroupWords)
{
    EXPECT_STREQ("〇", KanjiNumber(0, 1));
    EXPECT_STREQ("", KanjiNumber(-5, 1));
    EXPECT_STREQ("一億二万三", KanjiNumber(100020003, 1));
    EXPECT_STREQ("一億二万三", KanjiNumber(100020003, 0));
    EXPECT_STREQ("一万", KanjiNumber(10000, 1));
    EXPECT_STREQ("一兆", KanjiNumber(1000000000000LL, 1));
    // The largest 64-bit value needs all four group words.
    EXPECT_STREQ("九百二十二京三千三百七十二兆三百六十八億五千四百七十七万五千八百七",
                 KanjiNumber(9223372036854775807LL, 1));
}

}  // namespace
