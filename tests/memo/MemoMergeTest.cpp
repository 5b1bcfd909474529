// Merging memo texts line by line, importing memo data in the store's INI form, the dates of memo file names and a
// memo dropped onto another day.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <string>

#include "FileUtil.h"
#include "MemoMerge.h"
#include "MemoTestStore.h"
#include "MemoWriter.h"
#include "TempFolder.h"

namespace {

class MemoMergeTest : public MemoTestStore {
protected:
    void TearDown() override
    {
        // The scratch file of the imports lies beside the test program.
        char* folder = nullptr;
        GetModulePathParts(nullptr, &folder, nullptr);
        DeleteFileA((std::string(folder) + MEMO_MERGE_FILE).c_str());
        HeapFree(GetProcessHeap(), 0, folder);
    }
    void Write(int year, int month, int day, const char* text, int hour = DAY_MEMO_NO_TIME, int minute = 0)
    {
        DayMemoRecord record = Record(hour, minute);
        ASSERT_EQ(1, WriteDayMemo(&memo_, year, month, day, text, &record));
    }
    std::string Merge(const char* existing, const char* added)
    {
        return TakeHeapText(MergeMemoText(&memo_, existing, added, nullptr));
    }
    std::string WriteIni(const std::string& text)
    {
        std::string path = Path("import.ini");
        EXPECT_TRUE(WriteWholeFile(path.c_str(), text.data(), (DWORD)text.size(), nullptr));
        return path;
    }
};

TEST_F(MemoMergeTest, NewLinesOfTheAddedTextAreAppended)
{
    struct Case {
        const char* existing;
        const char* added;
        const char* merged;
    } cases[] = {
        {"A\r\nB", "B\r\nC", "A\r\nB\r\nC"},
        {"A", "%秘密\r\nC", "A\r\nC"},              // "%" lines never come in
        {"会議室で打合せ", "打合せ", "会議室で打合せ"},  // part of an existing line
        {"A", "\r\n\nX\nX\r", "A\r\nX\r\nX"},       // empty lines dropped, a repeated new line twice
        {"表", "\\", "表\r\n\\"},                  // 表 ends in 0x5C, which is no "\" of the text
        {"A", "[会議] 10時", "A\r\n[会議] 10時"},     // a bracket alone is an ordinary memo
        {"A", "[20260520] 旅行", "A\r\n[20260520] 旅行"},
        {nullptr, "X", "X"},
        {"X", "", "X"},
        {"", nullptr, "(null)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.merged, Merge(c.existing, c.added)) << c.added;
}

// Memo data handed to the merge goes day by day into the store, merged with what a day already holds.
TEST_F(MemoMergeTest, MemoDataInTheStoreFormIsImported)
{
    Write(2026, 5, 20, "予定");
    EXPECT_EQ("(null)", Merge("A", "[20260520]\r\nMemo=旅行\r\nTime=07:05\r\n[20260521]\nMemo=会議&n出張\n"
                                   "Time=10:30\nMarkType=6\n"));
    DayMemoRecord record = {};
    EXPECT_EQ("予定\r\n旅行", Read(2026, 5, 20));
    EXPECT_EQ("会議\n出張", Read(2026, 5, 21, &record));
    EXPECT_EQ(6, record.Style.MarkType);
    EXPECT_EQ(10, record.Hour);
    EXPECT_EQ(30, record.Minute);
}

// Only sections that name a real date come in, however many names the file holds; a section text that looks like
// memo data again is merged as text, not imported once more.
TEST_F(MemoMergeTest, IniImportTakesRealDatesOnly)
{
    Write(2026, 5, 22, "既存");
    std::string ini = "[20260230]\r\nMemo=a\r\n[20261301]\r\nMemo=b\r\n[2026052]\r\nMemo=c\r\n[abcdefgh]\r\nMemo=d\r\n"
                      "[20260522]\r\nMemo=[20260523]&r&nMemo=入れ子\r\n";
    // Over 8 KB of section names before the last one.
    for (int i = 0; i < 1000; i++) {
        char name[32];
        snprintf(name, sizeof(name), "[2%07d]\r\n", i);
        ini += name;
    }
    ini += "[20261231]\r\nMemo=大晦日\r\n";
    EXPECT_EQ(1, ImportMemoIniFile(&memo_, WriteIni(ini).c_str(), nullptr));
    EXPECT_EQ("既存\r\n[20260523]\r\nMemo=入れ子", Read(2026, 5, 22));
    EXPECT_EQ("(null)", Read(2026, 5, 23));
    EXPECT_EQ("大晦日", Read(2026, 12, 31));
    for (const char* stray : {"20260230.txt", "20261301.txt", "2026052.txt", "abcdefgh.txt"})
        EXPECT_FALSE(FileExists(Path(stray).c_str())) << stray;
    EXPECT_EQ(0, ImportMemoIniFile(&memo_, WriteIni("[20260524]\r\nTime=07:00\r\n").c_str(), nullptr));
}

TEST(ParseMemoFileDateTest, OnlyRealDatesAreTaken)
{
    struct Case {
        const char* path;
        int year, month, day;
    } cases[] = {
        {"C:\\memo\\20191231.txt", 2019, 12, 31}, {"201912.txt", 2019, 12, 0},  {"20200229.txt", 2020, 2, 29},
        {"表\\20190101.txt", 2019, 1, 1},         {"20192231.txt", 0, 0, 0},    {"repeat.txt", 0, 0, 0},
        {"20190229.txt", 0, 0, 0},                 {"20191232.txt", 0, 0, 0},    {"20190400.txt", 0, 0, 0},
        {"201913.txt", 0, 0, 0},                   {"201900.txt", 0, 0, 0},      {"2019123.txt", 0, 0, 0},
    };
    for (const Case& c : cases) {
        int y = -1, m = -1, d = -1;
        EXPECT_EQ(1, ParseMemoFileDate(c.path, &y, &m, &d));
        EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, y * 10000 + m * 100 + d) << c.path;
    }
    EXPECT_EQ(1, ParseMemoFileDate("20191231.txt", nullptr, nullptr, nullptr));
}

TEST_F(MemoMergeTest, ScratchFileGoesToTheUserFolderWhenTheProgramFolderIsNotWritable)
{
    std::string program = Path("program\\"), user = Path("user\\");
    ASSERT_TRUE(CreateDirectoryA(program.c_str(), nullptr));
    char path[MAX_PATH];
    ASSERT_EQ(1, MemoMergeScratchPath(program.c_str(), user.c_str(), path, sizeof(path)));
    EXPECT_EQ(program + MEMO_MERGE_FILE, path);
    std::string missing = Path("missing\\");
    ASSERT_EQ(1, MemoMergeScratchPath(missing.c_str(), user.c_str(), path, sizeof(path)));
    EXPECT_EQ(user + MEMO_MERGE_FILE, path);
    EXPECT_TRUE(FolderExists(user.c_str(), 0));
}

// A dropped memo joins the target's, takes its time when it has none, and leaves its own day only once the target
// holds it.
TEST_F(MemoMergeTest, DroppedMemoMovesOrCopiesAndIsNeverLost)
{
    SYSTEMTIME from = {2026, 5, 0, 20}, to = {2026, 5, 0, 21}, other = {2026, 5, 0, 22};
    Write(2026, 5, 20, "A");
    Write(2026, 5, 21, "B", 8, 15);
    EXPECT_EQ(1, MoveDayMemo(&memo_, &from, &to, 0));
    DayMemoRecord record = {};
    EXPECT_EQ("B\r\nA", Read(2026, 5, 21, &record));
    EXPECT_EQ(8, record.Hour);
    EXPECT_EQ("(null)", Read(2026, 5, 20));

    EXPECT_EQ(1, MoveDayMemo(&memo_, &to, &other, 1));
    EXPECT_EQ("B\r\nA", Read(2026, 5, 21));
    EXPECT_EQ("B\r\nA", Read(2026, 5, 22));

    // A target that cannot be written keeps the source where it is; so does a drop onto the same day.
    SYSTEMTIME blocked = {2026, 5, 0, 23};
    ASSERT_TRUE(CreateDirectoryA(Path("20260523.txt").c_str(), nullptr));
    Write(2026, 5, 20, "C");
    EXPECT_EQ(0, MoveDayMemo(&memo_, &from, &blocked, 0));
    EXPECT_EQ(0, MoveDayMemo(&memo_, &from, &from, 0));
    EXPECT_EQ("C", Read(2026, 5, 20));

    // A memo that is memo data goes onto the day it names, which is no failure; both days stay as they were. A
    // day it names that cannot be written is.
    Write(2026, 5, 24, "[20260525]\r\nMemo=旅行");
    SYSTEMTIME data = {2026, 5, 0, 24};
    EXPECT_EQ(1, MoveDayMemo(&memo_, &data, &to, 0));
    EXPECT_EQ("旅行", Read(2026, 5, 25));
    EXPECT_EQ("[20260525]\r\nMemo=旅行", Read(2026, 5, 24));
    EXPECT_EQ("B\r\nA", Read(2026, 5, 21));
    Write(2026, 5, 24, "[20260523]\r\nMemo=旅行");
    EXPECT_EQ(0, MoveDayMemo(&memo_, &data, &to, 0));
}

}  // namespace
