#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>

#include <string>

#include "HeapUtil.h"

namespace {

std::string Joined(char** list)
{
    std::string all;
    for (char** p = list; p && *p; p++)
        all += std::string(*p) + "|";
    return all;
}

TEST(HeapUtilTest, BlocksAndStrings)
{
    EXPECT_EQ(nullptr, AllocZeroed(0));
    char* block = (char*)AllocZeroed(5);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(6u, HeapSize(GetProcessHeap(), 0, block));
    memset(block, 'x', 6);
    block = (char*)ReAllocZeroed(block, 10);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0, memcmp(block, "xxxxxx\0\0\0\0", 10));
    HeapFree(GetProcessHeap(), 0, block);

    EXPECT_EQ(nullptr, StrDupHeap(""));
    EXPECT_EQ(nullptr, StrAppendHeap(nullptr, ""));
    char* text = StrAppendHeap(nullptr, "予定");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(text, StrAppendHeap(text, nullptr));
    text = StrAppendHeap(text, "表");
    EXPECT_STREQ("予定表", text);
    EXPECT_EQ(nullptr, StrReplaceHeap(text, ""));
}

TEST(HeapUtilTest, StringListAddPopAndFree)
{
    char** list = nullptr;
    EXPECT_EQ(0, StringListPop(list));
    EXPECT_EQ(1, StringListAdd(&list, "a", 1));
    EXPECT_EQ(1, StringListAdd(&list, "", 0));
    EXPECT_EQ(1, StringListAdd(&list, "a", 1));
    EXPECT_EQ(2, StringListAdd(&list, "a", 0));
    EXPECT_EQ(3, StringListAdd(&list, "b", 1));
    EXPECT_EQ(2, StringListPop(list));
    EXPECT_EQ(3, StringListAdd(&list, "c", 1));
    EXPECT_EQ("a|a|c|", Joined(list));
    StringListFree(&list);
    EXPECT_EQ(nullptr, list);
}

TEST(HeapUtilTest, SplitTokensHonoursSeparatorsAndQuotes)
{
    int count = -1;
    char** list = SplitTokens(" one\ttwo\r\nthree  ", &count, 0);
    EXPECT_EQ(3, count);
    EXPECT_EQ("one|two|three|", Joined(list));
    StringListFree(&list);

    list = SplitTokens("\"two words\" 'it is' it's \"\" 'open", &count, 0);
    EXPECT_EQ(4, count);
    EXPECT_EQ("two words|it is|it's|'open|", Joined(list));
    StringListFree(&list);

    list = SplitTokens("予定 x 予定 x", &count, 1);
    EXPECT_EQ("予定|x|", Joined(list));
    StringListFree(&list);

    EXPECT_EQ(nullptr, SplitTokens(" \r\n", &count, 0));
    EXPECT_EQ(0, count);
}

TEST(HeapUtilTest, SplitTokensCutsLongTokensOnCharacterBoundaries)
{
    // 1,022 ASCII bytes then double-byte characters: only the 1,022 bytes fit whole.
    std::string text(1022, 'a');
    int count = 0;
    char** list = SplitTokens((text + "表表 next").c_str(), &count, 0);
    EXPECT_EQ(text + "|next|", Joined(list));
    StringListFree(&list);

    // A stray lead byte before a closing quote must not swallow the quote.
    list = SplitTokens("\"a\x81\" b", &count, 0);
    EXPECT_EQ("a\x81|b|", Joined(list));
    StringListFree(&list);
}

TEST(HeapUtilTest, NextMultiStringWalksADoubleNulList)
{
    const char list[] = "C:\\\0D:\\\0";
    EXPECT_EQ(list + 4, NextMultiString(list));
    EXPECT_EQ(nullptr, NextMultiString(list + 4));
}

}  // namespace
