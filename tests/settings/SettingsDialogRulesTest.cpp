// What Apply hands from the working copy to the live record, the working copy itself, the count limits, the user's
// name lists and the help topics of the tabs.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "EnvData.h"
#include "HeapUtil.h"
#include "NameSets.h"
#include "SettingsRules.h"

namespace {

HWND FakeHandle(UINT_PTR value)
{
    return (HWND)value;
}

// A live record with run-time state the dialog must never touch.
void FillRunTime(EnvData* env)
{
    env->MainWindow = FakeHandle(0x100);
    env->PreviewWindow = FakeHandle(0x104);
    env->ToolTipWindow = FakeHandle(0x108);
    env->ToolCount = 5;
    env->MemoryDC = (HDC)0x10c;
    env->BackBitmap = (HBITMAP)0x110;
    env->WindowRegion = (HRGN)0x114;
    env->ContextMenu = (HMENU)0x118;
    env->TrayMenu = (HMENU)0x11c;
    env->DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    env->DayCellCount = 3;
    env->ShownMonth.wYear = 2031;
    env->WindowWidth = 300;
    env->Transparency.Alpha = 77;
}

}  // namespace

TEST(SettingsApplyTest, CopiesSettingsAndKeepsTheLiveRunTimePart)
{
    EnvData live;
    FillRunTime(&live);
    DayCell* cells = live.DayCells;
    live.MonthUserStr = StrDupHeap("a,b");
    EnvData* work = NewWorkingCopy(&live);
    ASSERT_NE(nullptr, work);
    // The copy shares nothing that drawing it could destroy.
    EXPECT_EQ(nullptr, work->ToolTipWindow);
    EXPECT_EQ(nullptr, work->PreviewWindow);
    EXPECT_EQ(nullptr, work->ContextMenu);
    EXPECT_EQ(nullptr, work->WindowRegion);
    EXPECT_NE(live.DayCells, work->DayCells);
    EXPECT_NE(live.MonthUserStr, work->MonthUserStr);

    work->DisplayRows = 3;
    work->YearType = 8;
    work->WindowWidth = 999;
    work->Transparency.TransMode = 2;
    work->Transparency.Alpha = 1;
    work->MonthUserStr = StrReplaceHeap(work->MonthUserStr, "x,y,z");
    work->UserStyleMax = 2;
    work->UserMarks = (UserMark*)AllocZeroed(2 * sizeof(UserMark));
    strcpy(work->UserMarks[1].Name, "mark");
    // Apply twice: the second must not hand back anything of the first.
    for (int pass = 0; pass < 2; pass++) {
        ASSERT_EQ(1, CopyPersistedSettings(&live, work));
        EXPECT_EQ(3, live.DisplayRows);
        EXPECT_EQ(8, live.YearType);
        EXPECT_EQ(2, live.Transparency.TransMode);
        EXPECT_STREQ("x,y,z", live.MonthUserStr);
        EXPECT_NE(work->MonthUserStr, live.MonthUserStr);
        ASSERT_EQ(2, live.UserStyleMax);
        EXPECT_NE(work->UserMarks, live.UserMarks);
        EXPECT_STREQ("mark", live.UserMarks[1].Name);
        EXPECT_EQ(FakeHandle(0x100), live.MainWindow);
        EXPECT_EQ(FakeHandle(0x104), live.PreviewWindow);
        EXPECT_EQ(FakeHandle(0x108), live.ToolTipWindow);
        EXPECT_EQ(5, live.ToolCount);
        EXPECT_EQ((HRGN)0x114, live.WindowRegion);
        EXPECT_EQ((HMENU)0x118, live.ContextMenu);
        EXPECT_EQ(cells, live.DayCells);
        EXPECT_EQ(3, live.DayCellCount);
        EXPECT_EQ(2031, live.ShownMonth.wYear);
        EXPECT_EQ(300, live.WindowWidth);
        EXPECT_EQ(77, live.Transparency.Alpha);
    }
    DeleteWorkingCopy(work);
    EXPECT_STREQ("x,y,z", live.MonthUserStr);
    EXPECT_EQ(0, CopyPersistedSettings(nullptr, &live));
    EXPECT_EQ(0, CopyPersistedSettings(&live, nullptr));
}

TEST(SettingsLimitsTest, CountsKeepTheirLowByteWithinTheirRange)
{
    EXPECT_EQ(1, LimitCountByte(0, 30));
    EXPECT_EQ(30, LimitCountByte(45, 30));
    EXPECT_EQ(12, LimitCountByte(300, 12));
    EXPECT_EQ(1, LimitCountByte(256, 12));
    EXPECT_EQ(7, LimitCountByte(7, 12));
    EXPECT_EQ(-60, LimitInt(-75, -60, 60));
    EXPECT_EQ(200, LimitInt(250, 0, 200));

    HWND slots[SETTINGS_PAGE_SLOTS] = {};
    for (int i = 0; i < SETTINGS_PAGE_COUNT; i++)
        slots[i] = FakeHandle(0x200 + i);
    EXPECT_EQ(13, ShownPageSlot(13, slots));
    EXPECT_EQ(0, ShownPageSlot(14, slots));
    EXPECT_EQ(0, ShownPageSlot(20, slots));
    EXPECT_EQ(0, ShownPageSlot(255, slots));

    char topic[128];
    SettingsHelpTopic(0, topic, sizeof(topic));
    EXPECT_STREQ("_RESOURCE/Help-howtouse04.html#tab01", topic);
    SettingsHelpTopic(8, topic, sizeof(topic));
    EXPECT_STREQ("_RESOURCE/Help-howtouse04.html#tab09", topic);
    SettingsHelpTopic(9, topic, sizeof(topic));
    EXPECT_STREQ("_RESOURCE/Help-howtouse04.html", topic);
}

TEST(SettingsNameListTest, ListsAreCutOnACharacterBoundaryAndSplitIntoTheRow)
{
    // One byte too many for the list, made of double-byte characters after one single-byte one: the cut may not
    // keep half a character.
    std::string text = "a";
    while (text.size() < USER_NAME_LIST_MAX + 40)
        text += "\x82\xa0";
    char* list = ReplaceNameList(nullptr, text.c_str());
    ASSERT_NE(nullptr, list);
    size_t length = strlen(list);
    EXPECT_LE(length, (size_t)USER_NAME_LIST_MAX - 1);
    EXPECT_EQ(1u, length % 2) << "the last character is whole";
    EXPECT_EQ(nullptr, ReplaceNameList(list, ""));

    // Without commas the whole text is the first name and the others are empty.
    char* row[MONTH_NAME_COUNT] = {};
    RefillNameRow(row, MONTH_NAME_COUNT, text.c_str());
    ASSERT_NE(nullptr, row[0]);
    EXPECT_LE(strlen(row[0]), (size_t)USER_NAME_LIST_MAX - 1);
    for (int i = 1; i < MONTH_NAME_COUNT; i++)
        EXPECT_EQ(nullptr, row[i]);
    // More pieces than names: the row takes the first ones, and a refill frees the previous names.
    RefillNameRow(row, MONTH_NAME_COUNT, "1,2,3,4,5,6,7,8,9,10,11,12,13");
    EXPECT_STREQ("1", row[0]);
    EXPECT_STREQ("12", row[11]);
    RefillNameRow(row, MONTH_NAME_COUNT, "睦,,弥");
    EXPECT_STREQ("睦", row[0]);
    EXPECT_EQ(nullptr, row[1]);
    EXPECT_STREQ("弥", row[2]);
    EXPECT_EQ(nullptr, row[3]);
    FreeUserNames(row, MONTH_NAME_COUNT);
    RefillNameRow(nullptr, MONTH_NAME_COUNT, "a");
}
