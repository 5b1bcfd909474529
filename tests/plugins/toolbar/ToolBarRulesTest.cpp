// The bar's logic without windows: its size, the cells it lays out and hits, the commands its buttons send, and the
// edits of the button dialog's list at both ends.
#include <gtest/gtest.h>

#include <string.h>

#include "ToolBarRules.h"

namespace {

ToolBarShape Shape(int showIcon, int vertical, int size, int space)
{
    return {showIcon, vertical, size, space};
}

TEST(ToolBarRulesTest, WindowSizeAcrossAndDownWithAndWithoutTheIconCell)
{
    // The default bar: icon cell, seven 16-pixel buttons 4 apart.
    SIZE across = ToolBarWindowSize(Shape(1, 0, 16, 4), 7);
    EXPECT_EQ(16 + 4 + 7 * (16 + 4), across.cx);
    EXPECT_EQ(18, across.cy);
    SIZE down = ToolBarWindowSize(Shape(1, 1, 16, 4), 7);
    EXPECT_EQ(18, down.cx);
    EXPECT_EQ(16 + 4 + 7 * (16 + 4), down.cy);
    // Small buttons keep the icon cell's height; without the icon the buttons alone count.
    EXPECT_EQ(18, ToolBarWindowSize(Shape(1, 0, 10, 2), 3).cy);
    EXPECT_EQ(26, ToolBarWindowSize(Shape(1, 0, 24, 2), 3).cy);
    SIZE bare = ToolBarWindowSize(Shape(0, 0, 12, 3), 5);
    EXPECT_EQ(5 * 15, bare.cx);
    EXPECT_EQ(14, bare.cy);
    SIZE bareDown = ToolBarWindowSize(Shape(0, 1, 12, 3), 5);
    EXPECT_EQ(14, bareDown.cx);
    EXPECT_EQ(5 * 15, bareDown.cy);
}

TEST(ToolBarRulesTest, CodesSendTheCalendarsMenuCommandsAndPlugInCodesThemselves)
{
    struct Case {
        int Code;
        int Command;
    };
    const Case cases[] = {{1000, 0},    {1001, 516},  {1006, 521},  {1009, 524},  {1010, 501},  {1015, 901},
                          {1016, 512},  {1020, 533},  {1021, 0},    {1026, 535},  {1032, 541},  {1040, 551},
                          {1054, 532},  {1254, 505},  {1255, 504},  {8001, 8001}, {8256, 8256}, {8257, 0},
                          {999, 0},     {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.Command, ToolBarCommandOf(c.Code)) << c.Code;
    // Every name finds its own code again, byte for byte: the two kinds of small ke are different names.
    for (int code = TOOLBAR_CODE_ICON; code <= TOOLBAR_CODE_LAST; code++) {
        const char* name = ToolBarCommandName(code);
        if (name) {
            EXPECT_EQ(code, FindToolBarCommand(name)) << code;
        }
    }
    EXPECT_EQ(1003, FindToolBarCommand("3ヶ月前"));
    EXPECT_EQ(1007, FindToolBarCommand("3ヵ月後"));
    EXPECT_EQ(0, FindToolBarCommand("3ヵ月前"));
    EXPECT_EQ(0, FindToolBarCommand("3ヶ月後"));
}

TEST(ToolBarRulesTest, CellsFollowTheIconAndAPressHitsTheCellEdgesIncluded)
{
    ToolBarButton records[TOOLBAR_RECORD_COUNT] = {};
    SetDefaultToolBarButtons(records);
    LayoutToolBarCells(records, Shape(1, 0, 12, 4));
    EXPECT_EQ(TOOLBAR_CODE_ICON, records[0].Code);
    EXPECT_EQ(16, records[0].Cell.right);
    // Small buttons are centred on the icon cell's height.
    EXPECT_EQ(20, records[1].Cell.left);
    EXPECT_EQ(2, records[1].Cell.top);
    EXPECT_EQ(36, records[2].Cell.left);
    EXPECT_EQ(1, HitToolBarButton(records, {20, 2}));
    EXPECT_EQ(1, HitToolBarButton(records, {31, 14}));
    EXPECT_EQ(-1, HitToolBarButton(records, {33, 8}));
    EXPECT_EQ(0, HitToolBarButton(records, {0, 0}));

    LayoutToolBarCells(records, Shape(0, 1, 16, 4));
    EXPECT_EQ(0, records[0].Code);
    EXPECT_EQ(0, records[1].Cell.top);
    EXPECT_EQ(20, records[2].Cell.top);
    EXPECT_EQ(0, records[2].Cell.left);
    EXPECT_EQ(-1, HitToolBarButton(records, {0, 200}));
}

class ToolBarListTest : public testing::Test {
protected:
    // count buttons whose mark tells them apart (1, 2, 3 ...).
    void Fill(int count)
    {
        memset(records_, 0, sizeof(records_));
        for (int i = 1; i <= count; i++) {
            records_[i].Code = 1001;
            records_[i].Mark = (BYTE)(i % 8);
            records_[i].Color = (BYTE)(i / 8);
        }
    }
    int Id(int row) const { return records_[row + 1].Color * 8 + records_[row + 1].Mark; }
    ToolBarButton New() const
    {
        ToolBarButton button = {};
        button.Code = 1006;
        return button;
    }

    ToolBarButton records_[TOOLBAR_RECORD_COUNT];
};

TEST_F(ToolBarListTest, AddGoesBeforeTheSelectedRowOrAtTheEndAndIsRefusedWhenTheBarIsFull)
{
    Fill(3);
    EXPECT_EQ(0, AddToolBarButton(records_, 0, New()));
    EXPECT_EQ(1006, records_[1].Code);
    EXPECT_EQ(1, Id(1));
    EXPECT_EQ(3, Id(3));
    EXPECT_EQ(4, AddToolBarButton(records_, -1, New()));
    EXPECT_EQ(5, ToolBarRowCount(records_));

    Fill(TOOLBAR_BUTTON_MAX);
    ToolBarButton before[TOOLBAR_RECORD_COUNT];
    memcpy(before, records_, sizeof(before));
    EXPECT_EQ(-1, AddToolBarButton(records_, 0, New()));
    EXPECT_EQ(-1, AddToolBarButton(records_, 30, New()));
    EXPECT_EQ(-1, AddToolBarButton(records_, -1, New()));
    EXPECT_EQ(0, memcmp(before, records_, sizeof(before)));
}

TEST_F(ToolBarListTest, DeleteAndMoveAtTheFirstAndTheLastRow)
{
    Fill(TOOLBAR_BUTTON_MAX);
    EXPECT_EQ(-1, MoveToolBarButton(records_, 0, true));
    // The last record has nothing below it: the array is never read past.
    EXPECT_EQ(-1, MoveToolBarButton(records_, 30, false));
    EXPECT_EQ(30, MoveToolBarButton(records_, 29, false));
    EXPECT_EQ(31, Id(29));
    EXPECT_EQ(30, Id(30));
    EXPECT_EQ(0, MoveToolBarButton(records_, 1, true));
    EXPECT_EQ(2, Id(0));

    EXPECT_TRUE(DeleteToolBarButton(records_, 30));
    EXPECT_EQ(30, ToolBarRowCount(records_));
    EXPECT_EQ(0, records_[TOOLBAR_BUTTON_MAX].Code);
    EXPECT_TRUE(DeleteToolBarButton(records_, 0));
    EXPECT_EQ(29, ToolBarRowCount(records_));
    EXPECT_EQ(1, Id(0));
    EXPECT_FALSE(DeleteToolBarButton(records_, 29));
    EXPECT_EQ(-1, MoveToolBarButton(records_, 28, false));
}

}  // namespace
