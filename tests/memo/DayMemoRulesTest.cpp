// Rules of the day-memo window: its layout for a client size and font, the date steps across month and year ends
// and 29 February, the question asked before a memo goes, the mark list's entries and the memo edit's limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DayMemoRules.h"
#include "HeapUtil.h"
#include "MemoDialogIds.h"
#include "MemoWriter.h"
#include "TempFolder.h"

namespace {

void ExpectBox(const DayMemoBox& box, int x, int y, int width, int height)
{
    EXPECT_EQ(x, box.X);
    EXPECT_EQ(y, box.Y);
    EXPECT_EQ(width, box.Width);
    EXPECT_EQ(height, box.Height);
}

TEST(DayMemoRules, LayoutFollowsClientSizeAndFont)
{
    DayMemoLayoutInput input = {400, 300, 12, 40, {}};
    for (SIZE& step : input.Steps)
        step = {15, 15};
    DayMemoLayout layout = LayoutDayMemo(&input);
    // Row height 12 * 8 / 5 + 4 = 23; the mark row at 300 - 46 - 12.
    ExpectBox(layout.Menu, 4, 273, 96, 23);
    ExpectBox(layout.MarkButton, 4, 242, 96, 23);
    ExpectBox(layout.MarkLabel, 108, 242, 36, 23);
    EXPECT_EQ(152, layout.MarkList.X);
    EXPECT_EQ(242, layout.MarkList.Y);
    ExpectBox(layout.Cancel, 324, 273, 72, 23);
    ExpectBox(layout.Save, 252, 273, 72, 23);
    ExpectBox(layout.Help, 218, 273, 23, 23);
    ExpectBox(layout.TimePicker, 324, 242, 72, 23);
    ExpectBox(layout.TimeLabel, 264, 242, 60, 23);
    ExpectBox(layout.Edit, 4, 40, 392, 198);
    ExpectBox(layout.Steps[0], 381, 21, 15, 15);
    ExpectBox(layout.Steps[DAY_MEMO_STEP_CONTROLS - 1], 216, 21, 15, 15);
    EXPECT_EQ(IDC_MEMO_BTN_DAY_NEXT, DayMemoStepOrder[0]);
    EXPECT_EQ(IDC_MEMO_BTN_YEAR_BACK, DayMemoStepOrder[DAY_MEMO_STEP_CONTROLS - 1]);

    // A small window with a large font: buttons and labels of their own sizes stand edge to edge, bottoms aligned.
    input = {250, 160, 20, 30, {}};
    for (int i = 0; i < DAY_MEMO_STEP_CONTROLS; i++)
        input.Steps[i] = i % 3 == 1 ? SIZE{16, 12} : SIZE{12, 14};
    layout = LayoutDayMemo(&input);
    ExpectBox(layout.Menu, 4, 120, 160, 36);
    ExpectBox(layout.MarkButton, 4, 76, 160, 36);
    ExpectBox(layout.Cancel, 126, 120, 120, 36);
    ExpectBox(layout.Save, 6, 120, 120, 36);
    ExpectBox(layout.Help, -48, 120, 36, 36);
    ExpectBox(layout.Edit, 4, 30, 242, 42);
    ExpectBox(layout.Steps[0], 234, 12, 12, 14);
    ExpectBox(layout.Steps[1], 218, 14, 16, 12);
    ExpectBox(layout.Steps[2], 206, 12, 12, 14);
    EXPECT_EQ(246 - 4 * 16 - 8 * 12, layout.Steps[DAY_MEMO_STEP_CONTROLS - 1].X);
}

struct Step {
    int Command;
    int From[3];
    int To[3];
};

TEST(DayMemoRules, DateStepsKeepTheDayInsideItsMonth)
{
    const Step steps[] = {
        {IDC_MEMO_BTN_YEAR_NEXT, {2024, 2, 29}, {2025, 2, 28}},
        {IDC_MEMO_BTN_YEAR_BACK, {2024, 2, 29}, {2023, 2, 28}},
        {IDC_MEMO_BTN_YEAR_NEXT, {2023, 12, 31}, {2024, 12, 31}},
        {IDC_MEMO_BTN_MONTH_BACK, {2024, 3, 31}, {2024, 2, 29}},
        {IDC_MEMO_BTN_MONTH_NEXT, {2023, 1, 31}, {2023, 2, 28}},
        {IDC_MEMO_BTN_MONTH_NEXT, {2023, 12, 15}, {2024, 1, 15}},
        {IDC_MEMO_BTN_MONTH_BACK, {2024, 1, 15}, {2023, 12, 15}},
        {IDC_MEMO_BTN_WEEK_NEXT, {2023, 12, 28}, {2024, 1, 4}},
        {IDC_MEMO_BTN_WEEK_BACK, {2024, 3, 4}, {2024, 2, 26}},
        {IDC_MEMO_BTN_DAY_NEXT, {2024, 2, 28}, {2024, 2, 29}},
        {IDC_MEMO_BTN_DAY_NEXT, {2023, 12, 31}, {2024, 1, 1}},
        {IDC_MEMO_BTN_DAY_BACK, {2024, 1, 1}, {2023, 12, 31}},
        {IDC_MEMO_BTN_DAY_BACK, {2023, 3, 1}, {2023, 2, 28}},
    };
    for (const Step& step : steps) {
        int y = step.From[0], m = step.From[1], d = step.From[2];
        EXPECT_EQ(1, StepDayMemoDate(step.Command, &y, &m, &d));
        EXPECT_EQ(step.To[0], y) << step.Command << " from " << step.From[0] << "-" << step.From[1];
        EXPECT_EQ(step.To[1], m) << step.Command;
        EXPECT_EQ(step.To[2], d) << step.Command;
    }
    int y = 2024, m = 5, d = 6;
    EXPECT_EQ(0, StepDayMemoDate(IDC_MEMO_LABEL_DAY, &y, &m, &d));
    EXPECT_EQ(2024, y);
    EXPECT_EQ(5, m);
    EXPECT_EQ(6, d);
}

TEST(DayMemoRules, QuestionDependsOnChangeTextAndStoredMemo)
{
    // Nothing changed: nothing asked, whatever the edit holds.
    EXPECT_EQ(DAY_MEMO_ASK_NOTHING, DayMemoQuestionFor(0, 0, 1, 1));
    EXPECT_EQ(DAY_MEMO_ASK_SAVE, DayMemoQuestionFor(1, 0, 1, 0));
    EXPECT_EQ(DAY_MEMO_ASK_SAVE, DayMemoQuestionFor(0, 1, 1, 1));
    EXPECT_EQ(DAY_MEMO_ASK_DELETE, DayMemoQuestionFor(1, 0, 0, 1));
    EXPECT_EQ(DAY_MEMO_ASK_DELETE, DayMemoQuestionFor(0, 1, 0, 1));
    // An emptied memo that never was stored has nothing to delete.
    EXPECT_EQ(DAY_MEMO_ASK_NOTHING, DayMemoQuestionFor(1, 1, 0, 0));
}

TEST(DayMemoRules, MarkListMapsUserMarksAndFallsBackToTheOwnStyle)
{
    const int marks = 3;
    EXPECT_EQ(DAY_MEMO_MARK_OWN, DayMemoMarkEntry(8, marks));
    EXPECT_EQ(2, DayMemoMarkEntry(50, marks));
    EXPECT_EQ(4, DayMemoMarkEntry(52, marks));
    // A user mark beyond the marks there are shows as the memo's own style.
    EXPECT_EQ(DAY_MEMO_MARK_OWN, DayMemoMarkEntry(53, marks));
    EXPECT_EQ(DAY_MEMO_MARK_OWN, DayMemoMarkEntry(50, 0));

    EXPECT_EQ(-1, DayMemoMarkTypeOfEntry(DAY_MEMO_MARK_OWN, marks));
    EXPECT_EQ(-1, DayMemoMarkTypeOfEntry(DAY_MEMO_MARK_SEPARATOR, marks));
    EXPECT_EQ(50, DayMemoMarkTypeOfEntry(2, marks));
    EXPECT_EQ(52, DayMemoMarkTypeOfEntry(4, marks));
    EXPECT_EQ(-1, DayMemoMarkTypeOfEntry(5, marks));
}

// A memo as long as the edit lets it be is stored whole, even when every character is escaped.
TEST(DayMemoRules, LongestMemoOfTheEditIsStoredWhole)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("daymemorules"));
    MemoSettings memo = {};
    snprintf(memo.MemoDir, sizeof(memo.MemoDir), "%s", folder.Dir().c_str());
    MemoStoreSettings store = MemoStoreOf(&memo);
    size_t limit = DayMemoTextLimit();
    ASSERT_GT(limit, 16000u);
    std::string crlf;
    while (crlf.size() + 2 <= limit)
        crlf += "\r\n";
    for (const std::string& text : {std::string(limit, '&'), crlf}) {
        DayMemoRecord record = {};
        record.Hour = record.Minute = DAY_MEMO_NO_TIME;
        ASSERT_EQ(1, WriteDayMemo(&memo, 2024, 2, 29, text.c_str(), &record));
        char* read = ReadDayMemoText(nullptr, 2024, 2, 29, &store, &record, 0);
        ASSERT_NE(nullptr, read);
        EXPECT_EQ(text.size(), strlen(read));
        EXPECT_TRUE(text == read);
        HeapFree(GetProcessHeap(), 0, read);
    }
}

}  // namespace
