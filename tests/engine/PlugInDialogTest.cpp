// The plug-in information dialog: the version text, moving slots in the load order, and the dialog itself listing
// the built plug-ins with their versions and handing back the use flags its check boxes give.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "EngineMain.h"
#include "EnvData.h"
#include "PlugInDialog.h"
#include "PlugInDialogRules.h"
#include "PlugInModule.h"
#include "StrUtil.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

const char kCaption[] = "Daylens プラグイン情報";

void Name(PlugInSlot* slot, const char* name, DWORD use)
{
    SafeStrCpy(slot->FileName, sizeof(slot->FileName), name);
    slot->Use = use;
}

TEST(PlugInDialogRulesTest, VersionTextAndMovesWithinTheNamedSlots)
{
    char text[PLUGIN_VERSION_TEXT_SIZE];
    FormatPlugInVersion(text, sizeof(text), 105, 0);
    EXPECT_STREQ("1.05.0", text);
    FormatPlugInVersion(text, sizeof(text), 120, 3);
    EXPECT_STREQ("1.20.3", text);

    PlugInSlot table[PLUGIN_SLOT_COUNT] = {};
    Name(&table[0], "A.dll", 1);
    Name(&table[1], "B.dll", 0);
    Name(&table[2], "C.dll", 1);
    EXPECT_EQ(3, NamedPlugInSlots(table));
    EXPECT_EQ(-1, MovePlugInSlot(table, 0, -1)) << "row 0 cannot move up";
    EXPECT_EQ(-1, MovePlugInSlot(table, 2, 1)) << "the last named slot cannot move down";
    EXPECT_EQ(-1, MovePlugInSlot(table, -1, 1)) << "no selection";
    EXPECT_EQ(1, MovePlugInSlot(table, 2, -1));
    EXPECT_STREQ("C.dll", table[1].FileName);
    EXPECT_EQ(1u, table[1].Use) << "the use flag moves with its slot";
    EXPECT_STREQ("B.dll", table[2].FileName);

    PlugInSlot caller[PLUGIN_SLOT_COUNT] = {};
    int checked[PLUGIN_SLOT_COUNT] = {0, 1, 1};
    ApplyPlugInChoices(caller, table, checked);
    EXPECT_STREQ("C.dll", caller[1].FileName);
    EXPECT_EQ(0u, caller[0].Use);
    EXPECT_EQ(1u, caller[2].Use);
}

std::string Cell(HWND view, int row, int column)
{
    char text[260] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(view, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    return text;
}

bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 400 && !condition(); i++)
        Sleep(50);
    return condition();
}

class PlugInDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources_ = LoadLibraryExA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll", nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, resources_);
        SetUpEngine(resources_, DAYLENS_DIST_DIR "\\");
        Name(&table_[0], PlugInModule::kPrint, 1);
        Name(&table_[1], PlugInModule::kMiniMemo, 1);
        Name(&table_[2], PlugInModule::kToolBar, 0);  // not in use: never loaded
        Name(&table_[3], PlugInModule::kPopupView, 1);
    }
    void TearDown() override { ReleaseEngine(); }

    HMODULE resources_ = nullptr;
    EnvData env_;
    PlugInSlot table_[PLUGIN_SLOT_COUNT] = {};
};

TEST_F(PlugInDialogTest, ListsThePlugInsWithVersionsAndSetHandsBackTheUseFlags)
{
    std::string rows[4][2];
    bool listed = false;
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindOwnWindow("#32770", kCaption)) != nullptr; }))
            return;
        // The dialog is found as soon as it exists; its list is filled while it starts.
        HWND view = nullptr;
        listed = WaitFor([&] {
            view = GetDlgItem(dialog, 1501);
            return view && SendMessageA(view, LVM_GETITEMCOUNT, 0, 0) == 4;
        });
        for (int row = 0; row < 4; row++) {
            for (int column = 0; column < 2; column++)
                rows[row][column] = Cell(view, row, column);
        }
        ListView_SetCheckState(view, 0, FALSE);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(PLUGIN_DLG_SET, ShowPlugInDlg(nullptr, &env_, table_));
    driver.join();
    EXPECT_TRUE(listed);
    EXPECT_EQ("DaylensPrint.dll", rows[0][0]);
    EXPECT_EQ("1.05.0", rows[0][1]);
    EXPECT_EQ("DaylensMiniMemo.dll", rows[1][0]);
    EXPECT_EQ("1.04.0", rows[1][1]);
    EXPECT_EQ("--", rows[2][1]);
    EXPECT_EQ("1.07.0", rows[3][1]);
    EXPECT_EQ(0u, table_[0].Use);
    EXPECT_EQ(1u, table_[1].Use);
    EXPECT_EQ(0u, table_[2].Use);
    EXPECT_EQ(nullptr, table_[0].Module) << "a plug-in loaded only for its version is freed";
    EXPECT_EQ(nullptr, GetModuleHandleA("DaylensPrint.dll"));
    EXPECT_GT(env_.PlugInWindowWidth, 5);
}

TEST_F(PlugInDialogTest, CancelKeepsTheTableAndUpdatePostsTheUpdateCommand)
{
    std::thread cancel([&] {
        HWND dialog = nullptr;
        if (WaitFor([&] { return (dialog = FindOwnWindow("#32770", kCaption)) != nullptr; })) {
            ListView_SetCheckState(GetDlgItem(dialog, 1501), 0, FALSE);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    EXPECT_EQ(PLUGIN_DLG_CLOSED, ShowPlugInDlg(nullptr, &env_, table_));
    cancel.join();
    EXPECT_EQ(1u, table_[0].Use);

    HWND main = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    env_.MainWindow = main;
    std::thread update([&] {
        HWND dialog = nullptr;
        if (WaitFor([&] { return (dialog = FindOwnWindow("#32770", kCaption)) != nullptr; }))
            PostMessageA(dialog, WM_COMMAND, 4, 0);
    });
    EXPECT_EQ(PLUGIN_DLG_UPDATE, ShowPlugInDlg(nullptr, &env_, table_));
    update.join();
    MSG message = {};
    EXPECT_TRUE(PeekMessageA(&message, main, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(505u, LOWORD(message.wParam)) << "posted, to run once the dialog has gone";
    DestroyWindow(main);
}

// A plug-in that is not loaded is loaded only to read its version and gets its close call before it is freed.
TEST_F(PlugInDialogTest, PlugInLoadedForItsVersionIsClosedBeforeItIsFreed)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("daylens-plugin-info"));
    ASSERT_TRUE(CreateDirectoryA(folder.Path("PlugIn").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(STUB_PLUGIN_DIR "\\DaylensPopupView.dll",
                          (folder.Path("PlugIn") + "\\DaylensPopupView.dll").c_str(), FALSE));
    SetUpEngine(resources_, (folder.Dir() + "\\").c_str());
    std::string log = folder.Path("calls.txt");
    SetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", log.c_str());
    PlugInSlot table[PLUGIN_SLOT_COUNT] = {};
    Name(&table[0], PlugInModule::kPopupView, 1);
    std::string version;
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindOwnWindow("#32770", kCaption)) != nullptr; }))
            return;
        // The list is filled while the dialog starts.
        WaitFor([&] { return !(version = Cell(GetDlgItem(dialog, 1501), 0, 1)).empty(); });
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(PLUGIN_DLG_CLOSED, ShowPlugInDlg(nullptr, &env_, table));
    driver.join();
    SetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", nullptr);
    EXPECT_EQ("1.05.0", version);
    std::ifstream in(log);
    std::stringstream calls;
    calls << in.rdbuf();
    EXPECT_EQ("DaylensPopupView.dll attach\nDaylensPopupView.dll version\nDaylensPopupView.dll close\n"
              "DaylensPopupView.dll detach\n",
              calls.str());
    EXPECT_EQ(nullptr, GetModuleHandleA("DaylensPopupView.dll"));
}

}  // namespace
