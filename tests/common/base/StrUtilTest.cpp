#include <gtest/gtest.h>

#include <string.h>

#include "StrUtil.h"

namespace {

// Literals are code page 932 at run time: 表 is 95 5C (a trail byte '\\'), ア is 83 41 ('A').
TEST(StrUtilTest, CopiesStayInsideTheBufferAndSkipNullSources)
{
    char buffer[8];
    memset(buffer, '#', sizeof(buffer));
    SafeStrCpy(buffer, 4, "abcdef");
    EXPECT_STREQ("abc", buffer);
    SafeStrCat(buffer, 6, "xyz");
    EXPECT_STREQ("abcxy", buffer);
    EXPECT_EQ('#', buffer[6]);

    // A double-byte character that does not fit whole is left out.
    SafeStrCpy(buffer, 4, "a表示");
    EXPECT_STREQ("a表", buffer);
    SafeStrCpy(buffer, 3, "ab表");
    SafeStrCat(buffer, 4, "表");
    EXPECT_STREQ("ab", buffer);

    SafeStrCpy(buffer, sizeof(buffer), nullptr);
    AppendStr(buffer, nullptr);
    EXPECT_STREQ("ab", buffer);
}

TEST(StrUtilTest, FindStrMatchesOnlyOnCharacterBoundaries)
{
    const char text[] = "アA表\\";
    ASSERT_EQ(7u, sizeof(text));
    EXPECT_EQ(text + 2, FindStr(text, "A"));
    EXPECT_EQ(text + 5, FindStr(text, "\\"));
    EXPECT_EQ(text + 3, FindStr(text, "表"));
    EXPECT_EQ(nullptr, FindStr("表", "\\"));
    EXPECT_EQ(nullptr, FindStr(nullptr, "A"));
}

TEST(StrUtilTest, EqualityAndOrderFoldOnlyLetters)
{
    EXPECT_EQ(1, StrEqual(nullptr, "", 0));
    EXPECT_EQ(0, StrEqual(nullptr, "a", 1));
    EXPECT_EQ(0, StrEqual("ABC", "abc", 0));
    EXPECT_EQ(1, StrEqual("ABC表", "abc表", 1));
    // ア (83 41) and ヂ (83 61) differ only by the case of an ASCII-range trail byte.
    EXPECT_EQ(0, StrEqual("ア", "\x83\x61", 1));
    EXPECT_NE(0, StrCompareNoCase("ア", "\x83\x61"));

    EXPECT_EQ(0, StrCompareNoCase("Daylens.INI", "daylens.ini"));
    EXPECT_EQ(0, StrCompareNoCase("ＡＢＣ", "ａｂｃ"));
    EXPECT_LT(StrCompareNoCase("a", "B"), 0);
    EXPECT_GT(StrCompare("abc", "ab"), 0);
    // Half-width ｱ (B1) is one character and sorts before the double-byte ア.
    EXPECT_LT(StrCompare("ｱ", "ア"), 0);
}

TEST(StrUtilTest, TrimRightCharsNeverCutsADoubleByteCharacter)
{
    char text[32] = " \r\n\\";
    TrimRightChars(text, " \r\n\\");
    EXPECT_STREQ("", text);
    strcpy(text, "C:\\表\\\\ ");
    TrimRightChars(text, " \\");
    EXPECT_STREQ("C:\\表", text);
    strcpy(text, "ソア");  // 83 5C, 83 41
    TrimRightChars(text, "\\A");
    EXPECT_STREQ("ソア", text);
    // ＝ is 81 81: its trail byte looks like a lead byte, yet the '\\' after it is trimmed.
    strcpy(text, "＝\\");
    TrimRightChars(text, "\\");
    EXPECT_STREQ("＝", text);
}

TEST(StrUtilTest, CharacterClasses)
{
    EXPECT_EQ(1, IsUrlChars("http://example.jp/a_b-c?x=1&y=%20;z,w+v"));
    EXPECT_EQ(0, IsUrlChars("http://example.jp/a b"));
    EXPECT_EQ(1, IsMailChars("first.last-x_y@example.jp"));
    EXPECT_EQ(0, IsMailChars("a+b@example.jp"));
    EXPECT_EQ(0, IsMailChars("ア@example.jp"));
}

}  // namespace
