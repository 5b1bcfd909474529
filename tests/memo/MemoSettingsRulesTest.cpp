// Rules of the memo settings dialog: popup times from the time pickers, the default memo mark's choice between its
// own style and a user mark, and the user marks' names and count.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "HeapUtil.h"
#include "MemoSettingsRules.h"

namespace {

TEST(MemoSettingsRules, APickerWithoutATimeGivesAnUnsetTime)
{
    SYSTEMTIME time = {};
    time.wHour = 21;
    time.wMinute = 45;
    int hour = 0, minute = 0;
    PickerTime(GDT_VALID, &time, &hour, &minute);
    EXPECT_EQ(21, hour);
    EXPECT_EQ(45, minute);
    PickerTime(GDT_NONE, &time, &hour, &minute);
    EXPECT_EQ(MEMO_TIME_UNSET, hour);
    EXPECT_EQ(MEMO_TIME_UNSET, minute);
    PickerTime(GDT_ERROR, &time, &hour, &minute);
    EXPECT_EQ(MEMO_TIME_UNSET, hour);

    EXPECT_TRUE(IsPopupTimeSet(0, 0));
    EXPECT_TRUE(IsPopupTimeSet(23, 59));
    EXPECT_FALSE(IsPopupTimeSet(24, 0));
    EXPECT_FALSE(IsPopupTimeSet(12, 60));
    EXPECT_FALSE(IsPopupTimeSet(MEMO_TIME_UNSET, MEMO_TIME_UNSET));
}

class DefaultMarkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < kCount; i++) {
            marks_[i].Style.MarkColor = RGB(i, 0, 0);
            marks_[i].Style.MarkType = MARK_CIRCLE;
        }
        own_.MarkColor = RGB(0, 0, 255);
        own_.MarkType = MARK_SQUARE;
    }
    static const int kCount = 10;
    UserMark marks_[kCount] = {};
    FontStyle own_ = {};
};

TEST_F(DefaultMarkTest, OpeningTakesTheNamedUserMarkOrKeepsTheOwnStyle)
{
    int chosen = UserMarkKind(5);
    FontStyle style = own_;
    EXPECT_EQ(0, OpenDefaultMark(&style, &chosen, marks_, kCount));
    EXPECT_EQ(own_.MarkColor, style.MarkColor);
    EXPECT_EQ(UserMarkKind(5), chosen);

    style.MarkType = (BYTE)UserMarkKind(2);
    EXPECT_EQ(1, OpenDefaultMark(&style, &chosen, marks_, kCount));
    EXPECT_EQ(UserMarkKind(2), chosen);
    EXPECT_EQ(marks_[2].Style.MarkColor, style.MarkColor);
    EXPECT_EQ(UserMarkKind(2), style.MarkType);

    // A mark beyond the count (the count was lowered) falls back to the first.
    style.MarkType = (BYTE)UserMarkKind(kCount + 3);
    EXPECT_EQ(1, OpenDefaultMark(&style, &chosen, marks_, kCount));
    EXPECT_EQ(UserMarkKind(0), chosen);
    EXPECT_EQ(UserMarkKind(0), style.MarkType);
}

TEST_F(DefaultMarkTest, ChoosingSwitchesBetweenTheUserMarkAndItsOwnLook)
{
    FontStyle style = own_;
    ChooseUserMark(&style, UserMarkKind(3), marks_, kCount);
    EXPECT_EQ(marks_[3].Style.MarkColor, style.MarkColor);
    EXPECT_EQ(UserMarkKind(3), style.MarkType);
    // Back to an own style: the user mark's look with its own kind, no longer a reference to the mark.
    ChooseOwnMark(&style, UserMarkKind(3), marks_, kCount);
    EXPECT_EQ(marks_[3].Style.MarkColor, style.MarkColor);
    EXPECT_EQ(MARK_CIRCLE, style.MarkType);
    // An own style stays as it is.
    style = own_;
    ChooseOwnMark(&style, UserMarkKind(3), marks_, kCount);
    EXPECT_EQ(own_.MarkColor, style.MarkColor);
    EXPECT_EQ(MARK_SQUARE, style.MarkType);
}

TEST(MemoSettingsRules, UserMarkNamesAndCount)
{
    UserMark mark = {};
    RenameUserMark(&mark, 3, "");
    EXPECT_STREQ("ユーザ 3", mark.Name);
    RenameUserMark(&mark, 3, "abcdefghijklmnopqrst");
    EXPECT_STREQ("abcdefghijklmno", mark.Name);
    // Eight double-byte characters are 16 bytes: the eighth does not fit and is not split.
    RenameUserMark(&mark, 3, "一二三四五六七八");
    EXPECT_STREQ("一二三四五六七", mark.Name);

    int count = 12;
    UserMark* marks = (UserMark*)AllocZeroed(count * sizeof(UserMark));
    ASSERT_NE(nullptr, marks);
    RenameUserMark(&marks[9], 10, "tenth");
    ASSERT_EQ(1, ResizeUserMarks(&marks, &count, 10));
    EXPECT_EQ(10, count);
    EXPECT_STREQ("tenth", marks[9].Name);
    ASSERT_EQ(1, ResizeUserMarks(&marks, &count, 13));
    EXPECT_EQ(13, count);
    EXPECT_STREQ("tenth", marks[9].Name);
    EXPECT_STREQ("ユーザ11", marks[10].Name);
    EXPECT_STREQ("ユーザ13", marks[12].Name);
    EXPECT_EQ(0u, marks[12].Style.MarkColor);
    HeapFree(GetProcessHeap(), 0, marks);
}

}  // namespace
