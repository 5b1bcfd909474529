// The repeating-memo list's row texts and its edits: where an added memo goes, moves, deletes, the limit of 100
// memos and the hand-over that must leave the caller's list alone until the new one exists.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HeapUtil.h"
#include "RepeatMemoRules.h"

namespace {

RepeatMemoRecord Rule(int type, int month, int day, int week, int dayBit)
{
    RepeatMemoRecord memo = NewRepeatMemo();
    memo.Type = (uint8_t)type;
    memo.Month = month;
    memo.Day = day;
    memo.Week = week;
    memo.DayBit = (uint8_t)dayBit;
    return memo;
}

std::string RuleText(const RepeatMemoRecord& memo)
{
    char text[REPEAT_RULE_TEXT_SIZE];
    RepeatMemoRuleText(&memo, text, sizeof(text));
    return text;
}

const int kMonFri = (1 << 1) | (1 << 5);

TEST(RepeatMemoRowText, NamesEveryRuleWithItsDaysAndWeekdays)
{
    EXPECT_EQ("毎日", RuleText(Rule(1, 0, 0, 0, 0)));
    EXPECT_EQ("毎週月金曜", RuleText(Rule(2, 0, 0, 0, kMonFri)));
    EXPECT_EQ("毎週日月火水木金土曜", RuleText(Rule(2, 0, 0, 0, 0x7F)));
    EXPECT_EQ("毎月15日", RuleText(Rule(3, 0, 15, 0, 0)));
    EXPECT_EQ("毎月月末", RuleText(Rule(3, 0, 32, 0, 0)));
    EXPECT_EQ("毎月月末", RuleText(Rule(3, 0, 33, 0, 0)));
    EXPECT_EQ("毎月最終月金曜", RuleText(Rule(4, 0, 0, 6, kMonFri)));
    EXPECT_EQ("毎月第2水曜", RuleText(Rule(4, 0, 0, 2, 1 << 3)));
    EXPECT_EQ("毎月水曜", RuleText(Rule(4, 0, 0, 0, 1 << 3)));
    EXPECT_EQ("毎年4月1日", RuleText(Rule(5, 4, 1, 0, 0)));
    EXPECT_EQ("毎年2月月末", RuleText(Rule(5, 2, 32, 0, 0)));
    EXPECT_EQ("毎年11月第4木曜", RuleText(Rule(6, 11, 0, 4, 1 << 4)));
    EXPECT_EQ("毎年5月最終月曜", RuleText(Rule(6, 5, 0, 6, 1 << 1)));
    EXPECT_EQ("毎年9月土曜", RuleText(Rule(6, 9, 0, 0, 1 << 6)));
    EXPECT_EQ("特殊", RuleText(Rule(7, 0, 0, 0, 0)));
    EXPECT_EQ("--", RuleText(Rule(0, 0, 0, 0, 0)));
    EXPECT_EQ("--", RuleText(Rule(200, 0, 0, 0, 0)));
}

TEST(RepeatMemoRowText, UseColumnSwitchesBetweenCircleAndDashes)
{
    RepeatMemoWorkList list = {};
    RepeatMemoRecord memo = NewRepeatMemo();
    ASSERT_EQ(0, RepeatWorkListInsert(&list, -1, &memo, "会議"));
    EXPECT_STREQ("○", RepeatMemoUseText(&list.Records[0]));
    EXPECT_EQ(1, RepeatWorkListToggleUse(&list, 0));
    EXPECT_STREQ("--", RepeatMemoUseText(&list.Records[0]));
    EXPECT_EQ(1, RepeatWorkListToggleUse(&list, 0));
    EXPECT_STREQ("○", RepeatMemoUseText(&list.Records[0]));
    EXPECT_EQ(0, RepeatWorkListToggleUse(&list, 1));
    RepeatWorkListFree(&list);
}

class RepeatWorkListTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* text : {"A", "B", "C"}) {
            RepeatMemoRecord memo = Rule(1, 0, 0, 0, 0);
            memo.Month = text[0];  // marks which record travels with which text
            ASSERT_GE(RepeatWorkListInsert(&list_, -1, &memo, text), 0);
        }
    }
    void TearDown() override { RepeatWorkListFree(&list_); }

    // The texts in order, each followed by whether its record still belongs to it.
    std::string Order() const
    {
        std::string order;
        for (int i = 0; i < list_.Count; i++)
            order += std::string(list_.Texts[i]) + (list_.Records[i].Month == list_.Texts[i][0] ? "" : "!");
        return order;
    }
    int Add(int before, const char* text)
    {
        RepeatMemoRecord memo = NewRepeatMemo();
        memo.Month = text[0];
        return RepeatWorkListInsert(&list_, before, &memo, text);
    }

    RepeatMemoWorkList list_ = {};
};

TEST_F(RepeatWorkListTest, AddedMemoGoesBeforeTheSelectedRowOrAtTheEnd)
{
    EXPECT_EQ(2, Add(2, "X"));
    EXPECT_EQ("ABXC", Order());
    EXPECT_EQ(0, Add(0, "Y"));
    EXPECT_EQ("YABXC", Order());
    // No selection, or a row past the memos: the end.
    EXPECT_EQ(5, Add(-1, "Z"));
    EXPECT_EQ(6, Add(40, "W"));
    EXPECT_EQ("YABXCZW", Order());
    EXPECT_EQ(-1, Add(0, ""));
    EXPECT_EQ(7, list_.Count);
}

TEST_F(RepeatWorkListTest, MovesSwapWithTheNeighbourAndStopAtTheEnds)
{
    EXPECT_EQ(0, RepeatWorkListMove(&list_, 1, -1));
    EXPECT_EQ("BAC", Order());
    EXPECT_EQ(-1, RepeatWorkListMove(&list_, 0, -1));
    EXPECT_EQ(2, RepeatWorkListMove(&list_, 1, 1));
    EXPECT_EQ("BCA", Order());
    EXPECT_EQ(-1, RepeatWorkListMove(&list_, 2, 1));
    EXPECT_EQ(-1, RepeatWorkListMove(&list_, 3, -1));
    EXPECT_EQ("BCA", Order());
}

TEST_F(RepeatWorkListTest, DeleteClosesTheGapAndChangeNeverEmptiesAText)
{
    EXPECT_EQ(1, RepeatWorkListDelete(&list_, 1));
    EXPECT_EQ("AC", Order());
    EXPECT_EQ(nullptr, list_.Texts[2]);
    EXPECT_EQ(0, RepeatWorkListDelete(&list_, 2));

    RepeatMemoRecord changed = Rule(5, 'C', 3, 0, 0);
    EXPECT_EQ(0, RepeatWorkListReplace(&list_, 1, &changed, ""));
    EXPECT_EQ("AC", Order());
    EXPECT_EQ(1, list_.Records[1].Type);
    EXPECT_EQ(1, RepeatWorkListReplace(&list_, 1, &changed, "Cc"));
    EXPECT_STREQ("Cc", list_.Texts[1]);
    EXPECT_EQ(5, list_.Records[1].Type);
}

TEST_F(RepeatWorkListTest, HoldsAHundredMemosAndRefusesTheNext)
{
    while (list_.Count < REPEAT_MEMO_MAX)
        ASSERT_GE(Add(0, "N"), 0);
    EXPECT_EQ(-1, Add(0, "O"));
    EXPECT_EQ(-1, Add(-1, "O"));
    EXPECT_EQ(REPEAT_MEMO_MAX, list_.Count);
    EXPECT_STREQ("C", list_.Texts[REPEAT_MEMO_MAX - 1]);
}

// The caller's list of two memos, as the main program keeps one.
struct CallerList {
    RepeatMemoRecord* Records = nullptr;
    char* Texts[REPEAT_MEMO_MAX] = {};
    int Count = 0;

    CallerList()
    {
        Records = (RepeatMemoRecord*)AllocZeroed(2 * sizeof(RepeatMemoRecord));
        Records[0] = Rule(2, 0, 0, 0, kMonFri);
        Records[1] = Rule(3, 0, 10, 0, 0);
        Texts[0] = StrDupHeap("old 1");
        Texts[1] = StrDupHeap("old 2");
        Count = 2;
    }
    ~CallerList() { FreeRepeatMemos(&Records, Texts, &Count); }
};

void* NoMemory(size_t)
{
    return nullptr;
}

TEST_F(RepeatWorkListTest, CopyStopsAtTheFirstMemoWithoutText)
{
    CallerList caller;
    HeapFree(GetProcessHeap(), 0, caller.Texts[1]);
    caller.Texts[1] = nullptr;
    RepeatMemoWorkList copy;
    ASSERT_EQ(1, RepeatWorkListCopy(&copy, caller.Records, caller.Texts, caller.Count));
    EXPECT_EQ(1, copy.Count);
    EXPECT_STREQ("old 1", copy.Texts[0]);
    EXPECT_NE(caller.Texts[0], copy.Texts[0]);
    RepeatWorkListFree(&copy);
}

TEST_F(RepeatWorkListTest, HandOverReplacesTheCallersListOnlyWhenTheNewOneExists)
{
    CallerList caller;
    RepeatMemoRecord* oldRecords = caller.Records;
    SetRepeatWorkListAllocProc(NoMemory);
    EXPECT_EQ(0, RepeatWorkListHandOver(&list_, &caller.Records, caller.Texts, &caller.Count));
    SetRepeatWorkListAllocProc(nullptr);
    EXPECT_EQ(oldRecords, caller.Records);
    EXPECT_EQ(2, caller.Count);
    EXPECT_STREQ("old 2", caller.Texts[1]);
    EXPECT_EQ(REPEAT_MONTH_DAY, caller.Records[1].Type);
    EXPECT_EQ("ABC", Order());

    ASSERT_EQ(1, RepeatWorkListHandOver(&list_, &caller.Records, caller.Texts, &caller.Count));
    EXPECT_EQ(3, caller.Count);
    EXPECT_STREQ("C", caller.Texts[2]);
    EXPECT_EQ('B', caller.Records[1].Month);
    EXPECT_EQ(0, list_.Count);
    EXPECT_EQ(nullptr, list_.Texts[0]);

    // An emptied list leaves the caller no array at all.
    ASSERT_EQ(1, RepeatWorkListHandOver(&list_, &caller.Records, caller.Texts, &caller.Count));
    EXPECT_EQ(nullptr, caller.Records);
    EXPECT_EQ(0, caller.Count);
    EXPECT_EQ(nullptr, caller.Texts[0]);
}

}  // namespace
