#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "DialogTheme.h"
#include "ListViewHit.h"
#include "MenuItemState.h"
#include "TestWindow.h"
#include "UpDownControl.h"

namespace {

const int kUpDownId = 201;
const int kListId = 202;

void InitControls()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
}

TEST(UpDownControl, RangeAndPositionBeyondSixteenBits)
{
    InitControls();
    ScopedWindow dialog(CreateTestWindow(WS_POPUP | WS_VISIBLE, 50, 50, 200, 100));
    HWND upDown = CreateTestChild(dialog, UPDOWN_CLASSA, kUpDownId, 0, 10, 10, 20, 24);
    ASSERT_NE(nullptr, upDown);

    EXPECT_EQ(1, SetUpDownItem(dialog, kUpDownId, -5, 100000, 70000));
    int low = 0, high = 0;
    SendMessageA(upDown, UDM_GETRANGE32, (WPARAM)&low, (LPARAM)&high);
    EXPECT_EQ(-5, low);
    EXPECT_EQ(100000, high);
    EXPECT_EQ(70000, SendMessageA(upDown, UDM_GETPOS32, 0, 0));

    EXPECT_EQ(1, SetUpDownPos(dialog, kUpDownId, -3));
    EXPECT_EQ(-3, SendMessageA(upDown, UDM_GETPOS32, 0, 0));
    EXPECT_EQ(1, SetUpDownRange(upDown, 0, 1800, 15));
    EXPECT_EQ(15, SendMessageA(upDown, UDM_GETPOS32, 0, 0));
}

class ListViewHitTestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        ASSERT_NE(nullptr, (HWND)frame_);
        list_ = CreateTestChild(frame_, WC_LISTVIEWA, kListId, LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 300, 200);
        ASSERT_NE(nullptr, list_);
        const char* columns[] = {"日付", "メモ"};
        for (int i = 0; i < 2; i++) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 120;
            column.pszText = const_cast<char*>(columns[i]);
            SendMessageA(list_, LVM_INSERTCOLUMNA, i, (LPARAM)&column);
        }
        for (int i = 0; i < 5; i++) {
            char text[16];
            wsprintfA(text, "%d", i);
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = text;
            SendMessageA(list_, LVM_INSERTITEMA, 0, (LPARAM)&item);
        }
        PumpMessages(50);
    }

    // Puts the cursor in the middle of a cell.
    bool PointAt(int item, int subItem)
    {
        RECT cell = {};
        cell.top = subItem;
        cell.left = LVIR_BOUNDS;
        if (!SendMessageA(list_, LVM_GETSUBITEMRECT, item, (LPARAM)&cell))
            return false;
        POINT p = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        if (subItem == 0)
            p.x = cell.left + 20;  // the first column's bounds span the whole row
        ClientToScreen(list_, &p);
        return SetCursorPos(p.x, p.y) != FALSE;
    }

    void Select(int item)
    {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageA(list_, LVM_SETITEMSTATE, item, (LPARAM)&state);
    }

    ScopedWindow frame_{CreateTestWindow(WS_POPUP | WS_VISIBLE, 120, 100, 300, 200)};
    HWND list_ = nullptr;
};

TEST_F(ListViewHitTestTest, ItemAndColumnUnderTheCursor)
{
    ASSERT_TRUE(PointAt(2, 1));
    EXPECT_EQ(2, ListViewHitTest(list_));
    EXPECT_EQ(1, ListViewHitTestSubItem(list_));
    ASSERT_TRUE(PointAt(4, 0));
    EXPECT_EQ(4, ListViewHitTest(list_));
    EXPECT_EQ(0, ListViewHitTestSubItem(list_));

    // Below the last row.
    POINT empty = {40, 190};
    ClientToScreen(list_, &empty);
    ASSERT_TRUE(SetCursorPos(empty.x, empty.y));
    EXPECT_EQ(-1, ListViewHitTest(list_));
    EXPECT_EQ(-1, ListViewHitTestSubItem(list_));
}

TEST_F(ListViewHitTestTest, SelectedItemsInTurn)
{
    EXPECT_EQ(-1, GetSelectedListItem(list_, -1));
    Select(1);
    Select(3);
    EXPECT_EQ(1, GetSelectedListItem(list_, -1));
    EXPECT_EQ(3, GetSelectedListItem(list_, 1));
    EXPECT_EQ(-1, GetSelectedListItem(list_, 3));
}

UINT ItemState(HMENU menu, UINT id)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, id, FALSE, &info);
    return info.fState;
}

// Checking must not enable a disabled item, nor enabling clear a check mark.
TEST(MenuItemState, ChangesOnlyItsOwnBit)
{
    HMENU menu = CreatePopupMenu();
    ASSERT_NE(nullptr, menu);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 525, "ウィンドウ固定");
    AppendMenuA(menu, MF_STRING, 526, "最前面");

    EXPECT_EQ(1, SetMenuItemCheck(menu, 525, 1));
    EXPECT_TRUE(ItemState(menu, 525) & MFS_CHECKED);
    EXPECT_TRUE(ItemState(menu, 525) & MFS_GRAYED);
    EXPECT_EQ(1, SetMenuItemEnable(menu, 525, 1));
    EXPECT_EQ((UINT)MFS_CHECKED, ItemState(menu, 525) & (MFS_CHECKED | MFS_DISABLED));
    EXPECT_EQ(1, SetMenuItemEnable(menu, 525, 0));
    EXPECT_EQ((UINT)(MFS_CHECKED | MFS_DISABLED), ItemState(menu, 525) & (MFS_CHECKED | MFS_DISABLED));
    EXPECT_EQ(1, SetMenuItemCheck(menu, 525, 0));
    EXPECT_EQ((UINT)MFS_DISABLED, ItemState(menu, 525) & (MFS_CHECKED | MFS_DISABLED));
    EXPECT_EQ(0u, ItemState(menu, 526) & (MFS_CHECKED | MFS_DISABLED));

    EXPECT_EQ(0, SetMenuItemCheck(menu, 999, 1));
    EXPECT_EQ(0, SetMenuItemCheck(nullptr, 525, 1));
    EXPECT_EQ(0, SetMenuItemEnable(nullptr, 525, 1));
    DestroyMenu(menu);
}

// The submenus a root holds go with it; one it does not hold is destroyed on its own, named twice or not.
TEST(MenuItemState, MenuTreeGoesWholeAndEveryFieldIsCleared)
{
    HMENU root = CreatePopupMenu();
    HMENU held = CreatePopupMenu();
    HMENU loose = CreatePopupMenu();
    HMENU other = CreatePopupMenu();
    ASSERT_TRUE(root && held && loose && other);
    AppendMenuA(root, MF_POPUP | MF_STRING, (UINT_PTR)held, "ツール");
    HMENU heldField = held, looseField = loose, sameField = loose, noField = nullptr;
    HMENU* fields[] = {&heldField, &looseField, &sameField, &noField};
    DestroyMenuTree(&root, fields, 4);

    EXPECT_EQ(nullptr, root);
    for (HMENU* field : fields)
        EXPECT_EQ(nullptr, *field);
    EXPECT_FALSE(IsMenu(held));
    EXPECT_FALSE(IsMenu(loose));
    EXPECT_TRUE(IsMenu(other));
    DestroyMenu(other);
    DestroyMenuTree(nullptr, fields, 0);
}

// Windows numbers itself 6.x and 10.0 (Wine says 10.0): both have visual styles.
TEST(DialogTheme, EnabledOnCurrentSystems)
{
    ScopedWindow dialog(CreateTestWindow(WS_POPUP, 0, 0, 100, 100));
    EXPECT_EQ(1, EnableDialogTheme(dialog));
}

}  // namespace
