// The memo store's writer: the section's lines, memos read back as written, removal in both file modes, failed
// writes and memos too long for one stored line.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "FileUtil.h"
#include "MemoEscape.h"
#include "MemoTestStore.h"
#include "MemoWriter.h"
#include "Sjis.h"

namespace {

// The NUL-ended lines of a formatted section, each followed by "|".
std::string Lines(char* section)
{
    std::string lines;
    for (const char* line = section; *line; line += strlen(line) + 1)
        lines += std::string(line) + "|";
    HeapFree(GetProcessHeap(), 0, section);
    return lines;
}

TEST(MemoSectionTest, LinesHaveTheStoreFormatAndAMemoWithoutTimeIs9999)
{
    DayMemoRecord record = {};
    record.Style.MarkType = 52;
    record.Style.MarkColor = RGB(0, 0, 255);
    record.Style.NoUseStrColor = 0;
    record.Style.StrColor = 0x123456;
    record.Style.ShadowColor = 7;
    record.Style.ShadowWidth = 2;
    record.Style.ShadowDirection = 255;
    record.Style.Gradation = 3;
    record.Hour = 7;
    record.Minute = 5;
    EXPECT_EQ("MarkType        = 52|MarkColor       = 16711680|NoUseStrColor   = 0|StrColor        = 1193046|"
              "ShadowColor     = 7|ShadowWidth     = 2|ShadowDirection = 255|ShadowGradation = 3|"
              "Time            = 07:05|Memo            = 会議&t&&&r&n表|",
              Lines(FormatDayMemoSection(&record, "会議\t&\r\n表")));
    for (int hour : {DAY_MEMO_NO_TIME, 24}) {
        record.Hour = hour;
        std::string lines = Lines(FormatDayMemoSection(&record, "x"));
        EXPECT_NE(std::string::npos, lines.find("|Time            = 99:99|")) << hour;
    }
}

class MemoWriterTest : public MemoTestStore {};

// Texts the profile reader would change on the way back (blanks and quotes at the ends) read back as written.
TEST_F(MemoWriterTest, MemosReadBackAsWrittenInBothModes)
{
    DayMemoRecord record = Record(9, 30);
    record.Style.MarkType = 6;
    for (int oneMonth : {0, 1}) {
        memo_.MemoSaveOneMonth = oneMonth;
        for (const char* text : {"会議\t&\r\n表", " leading", "trailing ", "\"quoted\"", "'single'", "\"", "a&nb"}) {
            ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 20, text, &record)) << text;
            DayMemoRecord read = {};
            EXPECT_EQ(text, Read(2026, 5, 20, &read)) << oneMonth << " " << text;
            EXPECT_EQ(6, read.Style.MarkType);
            EXPECT_EQ(9, read.Hour);
            EXPECT_EQ(30, read.Minute);
        }
    }
}

TEST_F(MemoWriterTest, RemovalDeletesTheDayFileOrTheMonthFileWithItsLastSection)
{
    DayMemoRecord record = Record();
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 20, "a", &record));
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 21, "b", &record));
    EXPECT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 20, "", nullptr));
    EXPECT_FALSE(FileExists(Path("20260520.txt").c_str()));
    EXPECT_EQ("b", Read(2026, 5, 21));
    EXPECT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 20, nullptr, nullptr));  // nothing left to remove

    memo_.MemoSaveOneMonth = 1;
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 1, "c", &record));
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 2, "d", &record));
    EXPECT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 1, nullptr, nullptr));
    EXPECT_EQ("(null)", Read(2026, 6, 1));
    EXPECT_EQ("d", Read(2026, 6, 2));
    EXPECT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 3, nullptr, nullptr));  // a day without memo in a month file
    EXPECT_EQ("d", Read(2026, 6, 2));
    EXPECT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 2, nullptr, nullptr));
    EXPECT_FALSE(FileExists(Path("202606.txt").c_str()));
}

// The caller keeps the user's text when the store could not take it: a missing memo folder, or a day file that
// cannot be made. (Wine run as root writes read-only files all the same, so no test can rely on that attribute.)
TEST_F(MemoWriterTest, FailedWriteAnswersZero)
{
    DayMemoRecord record = Record();
    ASSERT_TRUE(CreateDirectoryA(Path("20260520.txt").c_str(), nullptr));
    EXPECT_EQ(0, WriteDayMemo(&memo_, 2026, 5, 20, "a", &record));
    // A day file that a delete leaves in place (open elsewhere; a read-only mount answers a delete with success and
    // keeps the file) is no removed memo.
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 22, "kept", &record));
    HANDLE held = CreateFileA(Path("20260522.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, WriteDayMemo(&memo_, 2026, 5, 22, nullptr, nullptr));
    CloseHandle(held);
    strcat(memo_.MemoDir, "\\missing");
    EXPECT_EQ(0, WriteDayMemo(&memo_, 2026, 5, 21, "b", &record));
}

// A memo whose escaped form would not fit one stored line is cut on a character boundary, never inside an escape
// or a double-byte character, and as little as the line needs.
TEST_F(MemoWriterTest, LongMemoIsCutToOneStoredLine)
{
    // Cut at the bare line bound, the first would end inside a 表 and the second inside a "&t".
    std::string kanji = "abcd", tabs(20000, '\t');
    while (kanji.size() < 40000)
        kanji += "表&";
    DayMemoRecord record = Record();
    for (const std::string& text : {kanji, tabs}) {
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 20, text.c_str(), &record));
        std::string read = Read(2026, 5, 20);
        EXPECT_EQ(text.substr(0, read.size()), read);
        size_t boundary = 0;
        while (boundary < read.size())
            boundary += IsSjisLeadByte((unsigned char)text[boundary]) ? 2 : 1;
        EXPECT_EQ(boundary, read.size()) << "a double-byte character was split";
        char* escaped = EscapeMemoText(read.c_str());
        size_t stored = strlen(escaped);
        HeapFree(GetProcessHeap(), 0, escaped);
        EXPECT_LT(stored, (size_t)DAY_MEMO_VALUE_SIZE - strlen("Memo            = "));
        EXPECT_GT(stored, (size_t)DAY_MEMO_VALUE_SIZE - 30);
    }
}

}  // namespace
