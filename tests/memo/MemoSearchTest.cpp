// The memo search over a prepared memo folder: which memos and lines each option finds, the date limits, and the
// history of searched words.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <string>

#include "HeapUtil.h"
#include "MemoSearch.h"
#include "MemoSettingsFile.h"
#include "MemoTestStore.h"

namespace {

// "ア" in code page 932: its trail byte is the letter A.
const char kKatakanaA[] = "\x83\x41";

class MemoSearchTest : public MemoTestStore {
protected:
    void SetUp() override
    {
        MemoTestStore::SetUp();
        DayMemoRecord record = Record();
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 1, "apple pie\r\nbanana", &record));
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 2, "an apple a day\r\nred apple\r\ngreen apple", &record));
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 3, "apple tree\r\nthe tree of apple", &record));
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 4, "banana\r\napple", &record));
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 5, "apple", &record));
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 6, kKatakanaA, &record));
        // June in one month file, with a line far longer than a line buffer of old.
        memo_.MemoSaveOneMonth = 1;
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 10, (std::string(3000, 'x') + "apple").c_str(), &record));
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 6, 11, "pineapple", &record));
        memo_.MemoSaveOneMonth = 0;
        // Files that are no memo files.
        WritePrivateProfileStringA("20260507", "Memo", "apple", Path("repeat.txt").c_str());
        WritePrivateProfileStringA("20260508", "Memo", "apple", Path("2026.txt").c_str());
    }
    void TearDown() override { FreeMemoSearchHistory(&memo_); }

    // The hits as "month/day=text", a day's further hits as "+text", joined by "|"; long texts by their length.
    std::string Search(const char* word, int atStart, int atEnd, int byLine, int first = 0, int end = 0)
    {
        MemoSearchQuery query = {word, atStart, atEnd, byLine, first, end};
        std::string shown;
        for (const MemoSearchHit& hit : SearchMemoStore(&memo_, query)) {
            char date[32];
            snprintf(date, sizeof(date), "%d/%d=", hit.Month, hit.Day);
            std::string text = hit.Text.size() > 100 ? "long" + std::to_string(hit.Text.size()) : hit.Text;
            shown += (shown.empty() ? "" : "|") + (hit.FirstOfDay ? date : std::string("+")) + text;
        }
        return shown;
    }
};

TEST_F(MemoSearchTest, LineByLineFindsEveryMatchingLineWithTheDateOnlyOnTheFirst)
{
    EXPECT_EQ("5/1=apple pie|5/2=an apple a day|+red apple|+green apple|5/3=apple tree|+the tree of apple|"
              "5/4=apple|5/5=apple|6/10=long3005|6/11=pineapple",
              Search("apple", 0, 0, 1));
    EXPECT_EQ("5/1=apple pie|5/3=apple tree|5/4=apple|5/5=apple", Search("apple", 1, 0, 1));
    EXPECT_EQ("5/2=red apple|+green apple|5/3=the tree of apple|5/4=apple|5/5=apple|6/10=long3005|6/11=pineapple",
              Search("apple", 0, 1, 1));
    EXPECT_EQ("5/4=apple|5/5=apple", Search("apple", 1, 1, 1));
    // A line ends with a character, never with the trail byte of one.
    EXPECT_EQ("", Search("A", 0, 1, 1));
    EXPECT_EQ(std::string("5/6=") + kKatakanaA, Search(kKatakanaA, 1, 1, 1));
}

TEST_F(MemoSearchTest, PerMemoFindsEachMatchingMemoOnceOnOneLine)
{
    EXPECT_EQ("5/1=apple pie  banana|5/2=an apple a day  red apple  green apple|5/3=apple tree  the tree of apple|"
              "5/4=banana  apple|5/5=apple|6/10=long3005|6/11=pineapple",
              Search("apple", 0, 0, 0));
    EXPECT_EQ("5/1=apple pie  banana|5/3=apple tree  the tree of apple|5/4=banana  apple|5/5=apple",
              Search("apple", 1, 0, 0));
    // The memo of 5/3 ends with the word that also begins it.
    EXPECT_EQ("5/2=an apple a day  red apple  green apple|5/3=apple tree  the tree of apple|5/4=banana  apple|"
              "5/5=apple|6/10=long3005|6/11=pineapple",
              Search("apple", 0, 1, 0));
    EXPECT_EQ("5/4=banana  apple|5/5=apple", Search("apple", 1, 1, 0));
    EXPECT_EQ("", Search("A", 0, 1, 0));
}

TEST_F(MemoSearchTest, DateLimitsBoundDayFilesAndTheDaysOfMonthFiles)
{
    EXPECT_EQ("5/4=apple|5/5=apple|6/10=long3005",
              Search("apple", 0, 0, 1, MemoDateKey(2026, 5, 4), MemoDateKey(2026, 6, 10)));
    EXPECT_EQ("5/1=apple pie|5/2=an apple a day|+red apple|+green apple", Search("apple", 0, 0, 1, 0,
                                                                                MemoDateKey(2026, 5, 2)));
    EXPECT_EQ("6/11=pineapple", Search("apple", 0, 0, 1, MemoDateKey(2026, 6, 11), 0));
}

TEST_F(MemoSearchTest, NothingIsFoundInAMissingFolderOrForAnEmptyWord)
{
    EXPECT_EQ("", Search("", 0, 0, 1));
    SafeStrCpy(memo_.MemoDir, sizeof(memo_.MemoDir), Path("missing").c_str());
    EXPECT_EQ("", Search("apple", 0, 0, 1));
}

TEST(SearchMemoTextTest, LineByLineStartsAtTheGivenLineAndHandsOutTheLine)
{
    std::string line;
    EXPECT_EQ(2, SearchMemoText("a\r\nb\r\nab\r\n", "a", 0, 0, 1, &line));
    EXPECT_EQ("ab", line);
    EXPECT_EQ(-1, SearchMemoText("a\r\nb\r\nab\r\n", "a", 0, 0, 3, &line));
    EXPECT_EQ(1, SearchMemoText("x\nb\n", "b", 1, 1, 0, nullptr));
    EXPECT_EQ(-1, SearchMemoText(nullptr, "a", 0, 0, 0, &line));
    EXPECT_EQ(-1, SearchMemoText("a", nullptr, 0, 0, -1, &line));
}

// The word's history: most recent first, a word searched again moves to the front, a full history drops its
// oldest word.
TEST_F(MemoSearchTest, HistoryKeepsTheLastHundredWordsMostRecentFirst)
{
    EXPECT_EQ(0, AddMemoSearchHistory(&memo_, ""));
    EXPECT_EQ(nullptr, memo_.MemoSearch[0]);
    for (const char* word : {"one", "two", "three"})
        ASSERT_EQ(1, AddMemoSearchHistory(&memo_, word));
    ASSERT_EQ(1, AddMemoSearchHistory(&memo_, "two"));
    EXPECT_STREQ("two", memo_.MemoSearch[0]);
    EXPECT_STREQ("three", memo_.MemoSearch[1]);
    EXPECT_STREQ("one", memo_.MemoSearch[2]);
    EXPECT_EQ(nullptr, memo_.MemoSearch[3]);
    // Case matters.
    ASSERT_EQ(1, AddMemoSearchHistory(&memo_, "Two"));
    EXPECT_STREQ("Two", memo_.MemoSearch[0]);
    EXPECT_STREQ("two", memo_.MemoSearch[1]);

    FreeMemoSearchHistory(&memo_);
    for (int i = 1; i <= MEMO_SEARCH_HISTORY_COUNT + 1; i++)
        ASSERT_EQ(1, AddMemoSearchHistory(&memo_, ("w" + std::to_string(i)).c_str()));
    EXPECT_STREQ("w101", memo_.MemoSearch[0]);
    EXPECT_STREQ("w2", memo_.MemoSearch[MEMO_SEARCH_HISTORY_COUNT - 1]);
    ASSERT_EQ(1, AddMemoSearchHistory(&memo_, "w2"));
    EXPECT_STREQ("w2", memo_.MemoSearch[0]);
    EXPECT_STREQ("w101", memo_.MemoSearch[1]);
    EXPECT_STREQ("w3", memo_.MemoSearch[MEMO_SEARCH_HISTORY_COUNT - 1]);
}

}  // namespace
