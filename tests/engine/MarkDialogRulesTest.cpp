// The mark dialogs' decisions: which controls the may-edit flags and the chosen side allow, the typed shadow width,
// the working block at opening and the mark kind handed back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MarkDialogRules.h"

namespace {

MarkDlgData Flags(int plainColor, int mark, int font)
{
    MarkDlgData block = {};
    block.EditPlainColor = plainColor;
    block.EditMark = mark;
    block.EditFont = font;
    return block;
}

// Mark (box and colour), font, text colour, plain colour, decoration, choice radios, user-mark list.
std::string StatesOf(const MarkControlStates& s)
{
    std::string text;
    for (bool on : {s.MarkKind, s.Font, s.TextColor, s.PlainColor, s.Decoration, s.Choice, s.UserMark})
        text += on ? '1' : '0';
    return text;
}

TEST(MarkDialogRulesTest, PlainFormFollowsTheFlagsAndTheUserMarkFormTheChosenSide)
{
    struct Case {
        MarkDlgData block;
        int withUserMarks;
        int individual;
        const char* states;
    } const cases[] = {
        // The plain form: the text colour and the decoration are always open.
        {Flags(0, 0, 0), 0, 1, "0010100"},
        {Flags(1, 1, 1), 0, 1, "1111100"},
        {Flags(1, 1, 0), 0, 1, "1011100"},
        // With user marks, the individual side opens all its controls whatever the flags: the own-holiday list
        // (flags 1, 1, 0) can change its text colour and font there.
        {Flags(1, 1, 0), 1, 1, "1111110"},
        {Flags(0, 0, 0), 1, 1, "1111110"},
        // The user-mark side closes the individual controls and opens the list, whatever the flags.
        {Flags(1, 1, 1), 1, 0, "0000011"},
        {Flags(1, 0, 1), 1, 0, "0000011"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.states, StatesOf(MarkControlStatesOf(c.block, c.withUserMarks, c.individual)))
            << "flags " << c.block.EditPlainColor << c.block.EditMark << c.block.EditFont << " form "
            << c.withUserMarks << " individual " << c.individual;
    }
}

TEST(MarkDialogRulesTest, TypedWidthIsLimitedBeforeItIsStored)
{
    struct Case {
        const char* text;
        int width;
    } const cases[] = {{"0", 0}, {"7", 7}, {"99", 99}, {"150", 99}, {"300", 99}, {"256", 99},
                       {"99999999999999999999", 99}, {" 12", 12}, {"012", 12}};
    for (const Case& c : cases) {
        int width = -1;
        EXPECT_EQ(1, ParseShadowWidth(c.text, &width)) << c.text;
        EXPECT_EQ(c.width, width) << c.text;
    }
    // A box without a number stores nothing.
    int width = 5;
    EXPECT_EQ(0, ParseShadowWidth("", &width));
    EXPECT_EQ(0, ParseShadowWidth("-3", &width));
    EXPECT_EQ(5, width);
}

TEST(MarkDialogRulesTest, OpeningFixesTheDirectionAndAFontThatMayNotChange)
{
    struct Case {
        int stored;
        int opened;
    } const cases[] = {{0, 4}, {2, 2}, {3, 4}, {4, 4}, {6, 6}, {8, 8}, {9, 4}, {254, 4}, {255, 255}};
    for (const Case& c : cases) {
        MarkDlgData block = Flags(1, 1, 1);
        block.Style.ShadowDirection = (BYTE)c.stored;
        OpenMarkBlock(&block);
        EXPECT_EQ(c.opened, block.Style.ShadowDirection) << c.stored;
    }

    MarkDlgData fixed = Flags(1, 1, 0);
    lstrcpyA(fixed.Style.Font.lfFaceName, "Arial");
    fixed.Style.Font.lfHeight = -40;
    fixed.Style.Font.lfWeight = FW_BOLD;
    fixed.Style.Font.lfItalic = TRUE;
    MarkDlgData free = fixed;
    free.EditFont = 1;
    OpenMarkBlock(&fixed);
    OpenMarkBlock(&free);
    EXPECT_STREQ(MARK_FIXED_FONT_FACE, fixed.Style.Font.lfFaceName);
    EXPECT_EQ(MARK_FIXED_FONT_HEIGHT, fixed.Style.Font.lfHeight);
    EXPECT_EQ(FW_NORMAL, fixed.Style.Font.lfWeight);
    EXPECT_EQ(0, fixed.Style.Font.lfItalic);
    EXPECT_STREQ("Arial", free.Style.Font.lfFaceName);
    EXPECT_EQ(-40, free.Style.Font.lfHeight);
}

// An empty or unselected list (no mark kinds offered, no user marks) keeps the kind instead of storing garbage.
TEST(MarkDialogRulesTest, ChosenKindComesFromTheChosenListOrStays)
{
    EXPECT_EQ(MARK_SQUARE, ChosenMarkType(1, MARK_SQUARE, 3, 10, 52));
    EXPECT_EQ(MARK_KIND_USER_BASE + 3, ChosenMarkType(0, MARK_SQUARE, 3, 10, MARK_SQUARE));
    EXPECT_EQ(52, ChosenMarkType(1, CB_ERR, 3, 10, 52));
    EXPECT_EQ(MARK_CIRCLE, ChosenMarkType(0, MARK_SQUARE, CB_ERR, 10, MARK_CIRCLE));
    EXPECT_EQ(MARK_CIRCLE, ChosenMarkType(0, MARK_SQUARE, 0, 0, MARK_CIRCLE));
    EXPECT_EQ(MARK_CIRCLE, ChosenMarkType(1, MARK_KIND_COUNT, 0, 10, MARK_CIRCLE));
}

}  // namespace
