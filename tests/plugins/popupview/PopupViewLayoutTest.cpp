// The popup's arithmetic: frame ring colours, where the headings and bodies go, the height a layout gives and the
// place of the close button; and the texts table the exports fill.
#include <gtest/gtest.h>

#include <windows.h>

#include "PopupViewEntries.h"
#include "PopupViewLayout.h"

namespace {

TEST(PopupViewLayoutTest, RingsGradeFromTheFrameColourToTheBackColour)
{
    const COLORREF frame = RGB(0, 100, 255);
    const COLORREF back = RGB(255, 200, 15);
    EXPECT_EQ(frame, PopupRingColor(frame, back, 0, 8));
    EXPECT_EQ(back, PopupRingColor(frame, back, 8, 8));
    // Each channel on its own, truncated: (6 * c + 2 * b) / 8.
    EXPECT_EQ(RGB(63, 125, 195), PopupRingColor(frame, back, 2, 8));
    EXPECT_EQ(1, PopupFrameSteps(0));
    EXPECT_EQ(RGB(0, 93, 239), PopupPressedColor(RGB(0, 100, 255)));
}

TEST(PopupViewLayoutTest, TitleNamesTheDateAndItsWeekday)
{
    SYSTEMTIME date = {};
    date.wYear = 2026;
    date.wMonth = 1;
    date.wDay = 9;
    char title[64];
    FormatPopupTitle(title, sizeof(title), &date);
    EXPECT_STREQ("2026年 1月 9日(金)", title);
    date.wMonth = 12;
    date.wDay = 20;
    FormatPopupTitle(title, sizeof(title), &date);
    EXPECT_STREQ("2026年12月20日(日)", title);
    EXPECT_EQ(-20, PopupTitleFontHeight(16));
    EXPECT_EQ(-16, PopupEntryFontHeight(16));
}

int MeasureThirty(void*, int, const RECT*)
{
    return 30;
}

TEST(PopupViewLayoutTest, EntriesFollowEachOtherBelowTheTitle)
{
    const char* headings[] = {"今日のメモ", nullptr, "今日は何の日？"};
    const char* bodies[] = {"一行目\r\n二行目", "見出しなし", nullptr};
    PopupEntryPlace places[3];
    int e = 16;
    int end = WalkPopupEntries(e, 3, headings, bodies, 300, 190, MeasureThirty, nullptr, places);
    // Below the title (2e + 10 = 42): half a line, the heading, one and a half lines, the body.
    EXPECT_EQ(50, places[0].HeadingY);
    EXPECT_EQ(74, places[0].BodyBox.top);
    EXPECT_EQ(30, places[0].BodyBox.left);
    EXPECT_EQ(290, places[0].BodyBox.right);
    EXPECT_EQ(190, places[0].BodyBox.bottom);
    // 74 + e + 30 = 120; the second entry has no heading.
    EXPECT_EQ(-1, places[1].HeadingY);
    EXPECT_EQ(128, places[1].BodyBox.top);
    // 128 + 46 = 174; the third has only a heading.
    EXPECT_EQ(182, places[2].HeadingY);
    EXPECT_TRUE(IsRectEmpty(&places[2].BodyBox));
    EXPECT_EQ(206, end);
    EXPECT_EQ(42, WalkPopupEntries(e, 0, headings, bodies, 300, 190, MeasureThirty, nullptr, nullptr));
}

TEST(PopupViewLayoutTest, FixedSizeKeepsItsHeightAndTheButtonStaysInside)
{
    // The height follows the texts: the button and the frame come below them.
    EXPECT_EQ(206 + 20 + 8 + 2, PopupLayoutHeight(1, 206, 150, 1, 20, 8));
    EXPECT_EQ(206 + 8 + 2, PopupLayoutHeight(1, 206, 150, 0, 20, 8));
    // A fixed size already holds the button: laying it out again never grows it.
    int height = 150;
    for (int i = 0; i < 3; i++)
        height = PopupLayoutHeight(0, height, height, 1, 20, 8);
    EXPECT_EQ(150, height);
    EXPECT_EQ(150 - 20 - 10, PopupBodyBottom(150, 0, 20, 8));
    EXPECT_EQ(140, PopupBodyBottom(150, 1, 20, 8));
    // A frame wider than the margin: the bodies end at the button's top.
    EXPECT_EQ(150 - 20 - 30 - 2, PopupBodyBottom(150, 0, 20, 30));
    POINT at = PopupCloseButtonPos(300, 150, 60, 20, 8);
    EXPECT_EQ(230, at.x);
    EXPECT_EQ(120, at.y);
    // Where the layout puts the button of a height that follows the texts is where resizing keeps it.
    EXPECT_EQ(206, PopupCloseButtonPos(300, PopupLayoutHeight(1, 206, 150, 1, 20, 8), 60, 20, 8).y);
}

TEST(PopupViewEntriesTest, OpeningTextsGetTheirDefaultHeadings)
{
    PopupViewEntries entries = {};
    EXPECT_EQ(1, SetOpeningPopupEntries(&entries, "見出し", "", nullptr, "記念日"));
    EXPECT_STREQ("今日は何の日？", entries.Headings[0]);
    EXPECT_STREQ("記念日", entries.Bodies[0]);
    EXPECT_EQ(2, SetOpeningPopupEntries(&entries, "", "メモ", "記念日の見出し", "記念日"));
    EXPECT_STREQ("今日のメモ", entries.Headings[0]);
    EXPECT_STREQ("記念日の見出し", entries.Headings[1]);
    EXPECT_EQ(0, SetOpeningPopupEntries(&entries, "a", nullptr, "b", ""));
    EXPECT_EQ(nullptr, entries.Headings[0]);
    ClearPopupEntries(&entries);
}

TEST(PopupViewEntriesTest, AppendedTextsStopAtAHundred)
{
    PopupViewEntries entries = {};
    EXPECT_EQ(0, AppendPopupEntry(&entries, "見出し", nullptr));
    EXPECT_EQ(1, AppendPopupEntry(&entries, "見出し", ""));
    EXPECT_EQ(nullptr, entries.Bodies[0]);
    for (int i = 1; i < POPUPVIEW_MAX_ENTRIES; i++)
        ASSERT_EQ(1, AppendPopupEntry(&entries, nullptr, "本文"));
    EXPECT_EQ(0, AppendPopupEntry(&entries, nullptr, "本文"));
    EXPECT_EQ(POPUPVIEW_MAX_ENTRIES, entries.Count);
    ClearPopupEntries(&entries);
    EXPECT_EQ(0, entries.Count);
    EXPECT_EQ(nullptr, entries.Bodies[5]);
}

}  // namespace
