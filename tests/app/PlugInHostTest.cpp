// The plug-in host against stand-in plug-ins that write down every call: the staged start, the menu table, the
// plug-in commands, the references of calls and the unloading at shut-down.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <fstream>
#include <string>
#include <vector>

#include "EnvData.h"
#include "HeapUtil.h"
#include "MainWindow.h"
#include "PlugInHost.h"
#include "PlugInMenuTable.h"
#include "Program.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

using Lines = std::vector<std::string>;

const char kPrint[] = "DaylensPrint.dll";
const char kPopupView[] = "DaylensPopupView.dll";
const char kMiniMemo[] = "DaylensMiniMemo.dll";
const char kToolBar[] = "DaylensToolBar.dll";
const char kPrintItem[] = "カレンダー印刷";
const std::string kToolBarShow = std::string(kToolBar) + " 表示";
const std::string kToolBarSet = std::string(kToolBar) + " 設定";

// The host's two calls of a plug-in's menu export: the size query, then the list.
Lines MenuCalls(const char* plugIn, int size, int count)
{
    std::string name = std::string(plugIn) + " menu ";
    return {name + "-1 null -> 0 " + std::to_string(size),
            name + std::to_string(size) + " buffer -> " + std::to_string(count) + " " + std::to_string(size)};
}

Lines operator+(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class PlugInHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("plugin-host"));
        SetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", folder_.Path("calls.txt").c_str());
        savedEnv_ = g_program.Env;
        savedDir_ = g_program.PlugInDir;
        env_ = new EnvData();
        g_program.Env = env_;
        g_program.PlugInDir = StrDupHeap(STUB_PLUGIN_DIR);
        memset(g_program.PlugInSlots, 0, sizeof(g_program.PlugInSlots));
        memset(g_program.PlugInMenuItems, 0, sizeof(g_program.PlugInMenuItems));
        env_->PlugInSlots = g_program.PlugInSlots;
        env_->PlugInMenuItems = g_program.PlugInMenuItems;
        env_->LanguageName = language_;
        env_->PopupViewSlot = -1;
        window_ = CreateTestWindow(WS_POPUP, 0, 0, 100, 100);
        ASSERT_NE(nullptr, window_);
    }

    void TearDown() override
    {
        ShutdownPlugIns();
        DestroyWindow(window_);
        delete env_;
        HeapFree(GetProcessHeap(), 0, g_program.PlugInDir);
        g_program.Env = savedEnv_;
        g_program.PlugInDir = savedDir_;
        memset(g_program.PlugInSlots, 0, sizeof(g_program.PlugInSlots));
        SetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", nullptr);
    }

    void AddSlot(const char* name, DWORD use)
    {
        for (PlugInSlot& slot : g_program.PlugInSlots) {
            if (!slot.FileName[0]) {
                strcpy(slot.FileName, name);
                slot.Use = use;
                return;
            }
        }
    }

    // Every step of the start, without waiting for the timer.
    void StartAll()
    {
        for (int i = 0; i < PLUGIN_SLOT_COUNT + 10; i++)
            StartPlugInsStep(window_, env_);
        KillTimer(window_, TIMER_PLUGIN_START);
    }

    // The calls written down since the last look.
    Lines TakeCalls()
    {
        Lines lines;
        std::ifstream in(folder_.Path("calls.txt"));
        std::string line;
        while (std::getline(in, line))
            lines.push_back(line);
        in.close();
        DeleteFileA(folder_.Path("calls.txt").c_str());
        return lines;
    }

    TempFolder folder_;
    char language_[16] = "Japanese";
    EnvData* env_ = nullptr;
    EnvData* savedEnv_ = nullptr;
    char* savedDir_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(PlugInHostTest, StartLoadsInUseSlotsBuildsTheTableStartsTheToolBarAndUnloadsRunOncePlugIns)
{
    AddSlot(kPopupView, 1);
    AddSlot(kMiniMemo, 0);
    AddSlot(kToolBar, 1);
    AddSlot(kPrint, 1);
    StartAll();

    int toolBarSize = (int)(kToolBarShow.size() + 1 + kToolBarSet.size() + 1 + 1);
    std::string table = std::string("DaylensToolBar.dll setmenu 4") + " 8001/0/" + kPrintItem + "/" + kPopupView +
                        "/slot" + " 8002/0/" + kToolBarShow + "/" + kToolBar + "/slot" + " 8003/1/" + kToolBarSet +
                        "/" + kToolBar + "/slot" + " 8004/0/" + kPrintItem + "/" + kPrint + "/slot";
    Lines want = Lines{"DaylensPopupView.dll attach", "DaylensToolBar.dll attach", "DaylensPrint.dll attach"} +
                 MenuCalls(kPopupView, 16, 1) + MenuCalls(kToolBar, toolBarSize, 2) + MenuCalls(kPrint, 16, 1) +
                 Lines{table, "DaylensToolBar.dll autostart window",
                       // Run-once plug-ins are closed (when they have LxClose) and freed.
                       "DaylensPopupView.dll getonce 1", "DaylensPopupView.dll close", "DaylensPopupView.dll detach",
                       "DaylensToolBar.dll getonce 0", "DaylensPrint.dll getonce 1", "DaylensPrint.dll detach"};
    EXPECT_EQ(want, TakeCalls());
    EXPECT_EQ(nullptr, g_program.PlugInSlots[0].Module);
    EXPECT_EQ(1, g_program.PlugInSlots[0].RunOnce);
    EXPECT_EQ(nullptr, g_program.PlugInSlots[1].Module);
    EXPECT_NE(nullptr, g_program.PlugInSlots[2].Module);
    EXPECT_EQ(g_program.PlugInSlots[2].Module, env_->ToolBarModule);
    EXPECT_EQ(0, env_->PopupViewSlot);

    // A rebuilt table still lists the items of the unloaded run-once plug-ins, without loading them.
    BuildPlugInMenu(env_);
    EXPECT_EQ(MenuCalls(kToolBar, toolBarSize, 2) + Lines{table}, TakeCalls());

    // A run-once plug-in is loaded around its item, closed and freed; a kept one is called directly.
    RunPlugInCommand(window_, env_, 8001);
    EXPECT_EQ((Lines{"DaylensPopupView.dll attach", "DaylensPopupView.dll run 0 window", "DaylensPopupView.dll close",
                     "DaylensPopupView.dll detach"}),
              TakeCalls());
    RunPlugInCommand(window_, env_, 8004);
    RunPlugInCommand(window_, env_, 8003);
    RunPlugInCommand(window_, env_, 8005);
    EXPECT_EQ((Lines{"DaylensPrint.dll attach", "DaylensPrint.dll run 0 window", "DaylensPrint.dll detach",
                     "DaylensToolBar.dll run 1 window"}),
              TakeCalls());

    // Activation reaches the loaded plug-ins; shut-down closes and frees them.
    ActivatePlugIns();
    ShutdownPlugIns();
    EXPECT_EQ((Lines{"DaylensToolBar.dll activate", "DaylensToolBar.dll close", "DaylensToolBar.dll detach"}),
              TakeCalls());
    EXPECT_EQ(nullptr, g_program.PlugInSlots[2].Module);
    EXPECT_EQ(nullptr, env_->ToolBarModule);
}

TEST_F(PlugInHostTest, EveryCommandUpTo8256IsServedAndAnUnusedSlotNeverLoads)
{
    AddSlot(kMiniMemo, 0);
    AddSlot(kToolBar, 1);
    StartAll();
    TakeCalls();
    // An entry of the last number, and one of the unused plug-in.
    PlugInMenuItem& last = g_program.PlugInMenuItems[PLUGIN_MENU_ITEM_COUNT - 1];
    last.Slot = &g_program.PlugInSlots[1];
    last.Item = 1;
    last.Command = IDM_PLUGIN_LAST;
    strcpy(last.FileName, kToolBar);
    PlugInMenuItem& unused = g_program.PlugInMenuItems[10];
    unused.Slot = &g_program.PlugInSlots[0];
    unused.Command = 8011;
    strcpy(unused.FileName, kMiniMemo);

    OnCommand(window_, IDM_PLUGIN_LAST, 0);
    OnCommand(window_, 8011, 0);
    OnCommand(window_, IDM_PLUGIN_ACTIVATE, 0);
    EXPECT_EQ((Lines{"DaylensToolBar.dll run 1 window", "DaylensToolBar.dll activate"}), TakeCalls());
}

TEST_F(PlugInHostTest, EveryCallHoldsItsOwnReferenceAndTheLastOneCloses)
{
    AddSlot(kPopupView, 1);
    AddSlot(kToolBar, 1);
    AddSlot(kMiniMemo, 0);

    // Two calls of a plug-in that is not loaded share one load; the last one out closes it.
    HMODULE first = AcquirePlugIn(0, 1);
    HMODULE second = AcquirePlugIn(0, 1);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);
    ReleasePlugIn(0, first);
    EXPECT_EQ(Lines{"DaylensPopupView.dll attach"}, TakeCalls());
    ReleasePlugIn(0, second);
    EXPECT_EQ((Lines{"DaylensPopupView.dll close", "DaylensPopupView.dll detach"}), TakeCalls());

    // A loaded plug-in unloaded during a call stays until the call gives its reference back.
    ASSERT_NE(nullptr, PlugInSlotLoad(&g_program.PlugInSlots[1], 1));
    HMODULE call = AcquirePlugIn(1, 0);
    ASSERT_NE(nullptr, call);
    EXPECT_EQ(nullptr, PlugInSlotLoad(&g_program.PlugInSlots[1], 0));
    EXPECT_EQ(Lines{"DaylensToolBar.dll attach"}, TakeCalls());
    ReleasePlugIn(1, call);
    EXPECT_EQ((Lines{"DaylensToolBar.dll close", "DaylensToolBar.dll detach"}), TakeCalls());

    // A slot not in use is loaded neither for a call nor by the slot loader.
    EXPECT_EQ(nullptr, AcquirePlugIn(2, 1));
    EXPECT_EQ(nullptr, PlugInSlotLoad(&g_program.PlugInSlots[2], 1));
    EXPECT_TRUE(TakeCalls().empty());
}

TEST(PlugInMenuRulesTest, EntriesNumberOnFromThePreviousPlugInUpTo8256)
{
    static PlugInMenuItem table[PLUGIN_MENU_ITEM_COUNT];
    memset(table, 0, sizeof(table));
    PlugInSlot first = {nullptr, 1, 0, "First.dll"};
    PlugInSlot second = {nullptr, 1, 0, "Second.dll"};
    // The count bounds the walk, and so does an empty text.
    const char list[] = "a\0b\0c\0";
    EXPECT_EQ(2, AddPlugInMenuItems(table, 0, &first, list, sizeof(list), 2));
    EXPECT_EQ(3, AddPlugInMenuItems(table, 2, &second, list + 4, sizeof(list) - 4, 9));
    EXPECT_EQ(8003u, table[2].Command);
    EXPECT_EQ(0u, table[2].Item);
    EXPECT_STREQ("c", table[2].Text);
    EXPECT_STREQ("Second.dll", table[2].FileName);
    EXPECT_EQ(&second, table[2].Slot);

    // A list without its closing NUL ends at its last whole text.
    const char unended[] = {'x', '\0', 'y', 'z'};
    EXPECT_EQ(4, AddPlugInMenuItems(table, 3, &first, unended, sizeof(unended), 5));

    // A text longer than an entry is cut on a character boundary.
    std::string longText;
    for (int i = 0; i < 200; i++)
        longText += "あ";
    std::string longList = longText + std::string(2, '\0');
    EXPECT_EQ(5, AddPlugInMenuItems(table, 4, &first, longList.data(), (int)longList.size(), 1));
    EXPECT_EQ(258u, strlen(table[4].Text));

    // The table ends at its last entry, command 8256.
    std::string many;
    for (int i = 0; i < 300; i++)
        many += std::string("m") + '\0';
    many += '\0';
    EXPECT_EQ(PLUGIN_MENU_ITEM_COUNT, AddPlugInMenuItems(table, 5, &second, many.data(), (int)many.size(), 300));
    EXPECT_EQ((DWORD)IDM_PLUGIN_LAST, table[PLUGIN_MENU_ITEM_COUNT - 1].Command);
    EXPECT_EQ(250u, table[PLUGIN_MENU_ITEM_COUNT - 1].Item);
}

}  // namespace
