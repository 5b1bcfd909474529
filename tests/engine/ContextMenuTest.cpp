// The context menu read back as the user meets it: the tree by the settings, its default item and check marks, the
// plug-in items with their table, and each menu destroyed once when the menu is built again.
#include <windows.h>
#include <gtest/gtest.h>

#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "ContextMenu.h"
#include "ContextMenuRules.h"
#include "DaylensIds.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "MenuItemState.h"
#include "PlugInSlot.h"
#include "TempFolder.h"

namespace {

std::string MenuText(HMENU menu, int position)
{
    char text[1024] = "";
    GetMenuStringA(menu, (UINT)position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

std::string ModuleString(UINT id)
{
    char text[1024] = "";
    LoadStringA(EngineInstance(), id, text, sizeof(text));
    return text;
}

// The menu as "command", "-" (separator) and "[...]" (submenu) words, a default item marked "*" and a checked one
// "v"; every item's text is checked against its string on the way.
std::string Describe(HMENU menu)
{
    std::string words;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        if (!words.empty())
            words += " ";
        UINT state = GetMenuState(menu, (UINT)i, MF_BYPOSITION);
        if (HMENU submenu = GetSubMenu(menu, i)) {
            words += MenuText(menu, i) + "[" + Describe(submenu) + "]";
            continue;
        }
        if (state & MF_SEPARATOR) {
            words += "-";
            continue;
        }
        UINT id = GetMenuItemID(menu, i);
        if (id < IDM_PLUGIN_FIRST) {
            EXPECT_EQ(ModuleString((UINT)MenuTextId((int)id)), MenuText(menu, i)) << "item " << id;
        }
        words += std::to_string(id) + ((state & MFS_DEFAULT) ? "*" : "") + ((state & MF_CHECKED) ? "v" : "");
    }
    return words;
}

class ContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources = LoadLibraryExA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll", nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(resources, nullptr);
        ASSERT_TRUE(temp.Create("daylens-menu"));
        SetUpEngine(resources, (temp.Dir() + "\\").c_str());
        env = new EnvData();
        env->PlugInSlots = slots;
        env->PlugInMenuItems = table;
    }

    void TearDown() override
    {
        HMENU* submenus[] = {&env->ToolsMenu, &env->OptionsMenu, &env->PowerMenu, &env->PlugInMenu, &env->TrayMenu};
        DestroyMenuTree(&env->ContextMenu, submenus, 5);
        delete env;
        ReleaseEngine();
        FreeLibrary(resources);
    }

    HMODULE resources = nullptr;
    TempFolder temp;
    EnvData* env = nullptr;
    PlugInSlot slots[PLUGIN_SLOT_COUNT] = {};
    PlugInMenuItem table[PLUGIN_MENU_ITEM_COUNT] = {};
};

TEST_F(ContextMenuTest, DefaultSettingsGiveTheWholeTree)
{
    const std::string expected =
        "513 514 515 - 501* - ツール[541 - 551 552 - 533 - 534 535] プラグイン[506 507 505] "
        "オプション[516 518 519 520 521 522 524 - 525 526 527 - 510 901] - 502 503 509 - 512";
    ASSERT_EQ(1, DaylensCreatePopup(env));
    EXPECT_EQ(expected, Describe(env->ContextMenu));
    EXPECT_EQ(nullptr, env->TrayMenu);

    // A power submenu is asked for, but its plug-in is not there: the tree stays as it was, and the old menus are
    // gone once, not twice.
    HMENU oldMenus[] = {env->ContextMenu, env->ToolsMenu, env->OptionsMenu, env->PlugInMenu};
    strcpy(slots[0].FileName, "LxPower.dll");
    slots[0].Use = 1;
    env->UseShutdownMenu = 1;
    env->PowerSlot = 0;
    ASSERT_EQ(1, DaylensCreatePopup(env));
    EXPECT_EQ(expected, Describe(env->ContextMenu));
    EXPECT_EQ(nullptr, env->PowerMenu);
    for (HMENU old : oldMenus)
        EXPECT_FALSE(IsMenu(old));
    EXPECT_EQ(0, DaylensCreatePopup(nullptr));
    EXPECT_EQ(0, DaylensCheckMenuAll(nullptr));
}

// Default items anywhere in the tree.
void CollectDefaults(HMENU menu, std::vector<UINT>* found)
{
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        if (HMENU submenu = GetSubMenu(menu, i))
            CollectDefaults(submenu, found);
        else if (GetMenuState(menu, (UINT)i, MF_BYPOSITION) & MFS_DEFAULT)
            found->push_back(GetMenuItemID(menu, i));
    }
}

// The default item is what a plain double click does; "this month" is in the options submenu, and then the main
// menu has none.
TEST_F(ContextMenuTest, DefaultItemFollowsTheDoubleClick)
{
    const UINT doubleClickCommands[] = {IDM_SETTINGS, IDM_THIS_MONTH, IDM_DAY_MEMO, IDM_REPEAT_MEMO, IDM_PERIOD_MEMO};
    for (int doubleClick = 0; doubleClick <= 5; doubleClick++) {
        SCOPED_TRACE(doubleClick);
        env->DoubleClick = (BYTE)doubleClick;
        ASSERT_EQ(1, DaylensCreatePopup(env));
        std::vector<UINT> defaults;
        CollectDefaults(env->ContextMenu, &defaults);
        std::vector<UINT> expected;
        if (doubleClick < 5)
            expected.push_back(doubleClickCommands[doubleClick]);
        EXPECT_EQ(expected, defaults);
        UINT mainDefault = doubleClick == 1 || expected.empty() ? (UINT)-1 : expected[0];
        EXPECT_EQ(mainDefault, GetMenuDefaultItem(env->ContextMenu, FALSE, 0));
    }
}

// Built with the settings, then kept up by DaylensCheckMenuAll as they change, checks cleared again included.
TEST_F(ContextMenuTest, PlacementChecksFollowWindowFixAndWindowOrder)
{
    ASSERT_EQ(1, DaylensCreatePopup(env));
    for (int build = 0; build < 2; build++) {
        for (int fix : {1, 0, 2}) {
            for (int order : {1, 2, 0, 3}) {
                SCOPED_TRACE(std::to_string(build) + " fix " + std::to_string(fix) + " order " + std::to_string(order));
                env->WindowFix = fix;
                env->WindowOrder = (BYTE)order;
                ASSERT_EQ(1, build ? DaylensCreatePopup(env) : DaylensCheckMenuAll(env));
                auto checked = [&](UINT command) {
                    return (GetMenuState(env->OptionsMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
                };
                EXPECT_EQ(fix != 0, checked(IDM_WINDOW_FIX));
                EXPECT_EQ(order == 1, checked(IDM_TOPMOST));
                EXPECT_EQ(order == 2, checked(IDM_BOTTOMMOST));
            }
        }
    }
}

// Item texts of the fake plug-ins by file name.
std::map<std::string, std::vector<std::string>> g_plugInTexts;

char* FakePlugInTexts(const PlugInSlot* slot, const char*, int* size, int* count)
{
    auto found = g_plugInTexts.find(slot->FileName);
    if (found == g_plugInTexts.end())
        return nullptr;
    std::string block;
    for (const std::string& text : found->second)
        block += text + '\0';
    *size = (int)block.size() + 1;
    *count = (int)found->second.size();
    char* texts = (char*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block.size() + 2);
    memcpy(texts, block.data(), block.size());
    return texts;
}

struct FakeSlot {
    const char* File;
    int Loaded;
    DWORD Use;
    std::vector<std::string> Texts;
};

struct PlugInCase {
    const char* Name;
    std::vector<FakeSlot> Slots;
    const char* Menu;  // the plug-in submenu as Describe gives it
};

TEST_F(ContextMenuTest, PlugInItemsAreNumberedFrom8001SlotBySlot)
{
    const std::string longAscii(300, 'a');
    // The double-byte character in bytes 258 and 259 would leave no room for the end of the text.
    std::string longKanji = std::string(258, 'b');
    for (int i = 0; i < 20; i++)
        longKanji += "漢";
    std::vector<std::string> many;
    for (int i = 0; i < 300; i++)
        many.push_back("item " + std::to_string(i));
    const PlugInCase cases[] = {
        {"none loaded", {{"DaylensPrint.dll", 0, 1, {"印刷"}}}, "506 507 505"},
        {"print and mini memo",
         {{"DaylensPrint.dll", 1, 1, {"印刷"}}, {"DaylensMiniMemo.dll", 1, 1, {"ミニメモ表示", "ミニメモ設定"}}},
         "8001 - 8002 8003 - 506 507 505"},
        {"unused and unloaded slots keep their places",
         {{"A.dll", 1, 0, {"a"}}, {"B.dll", 0, 1, {"b"}}, {"C.dll", 1, 1, {"c", "", "never"}}, {"D.dll", 1, 1, {}}},
         "8001 - 506 507 505"},
        {"texts cut", {{"Long.dll", 1, 1, {longAscii, longKanji}}}, "8001 8002 - 506 507 505"},
        {"full table", {{"Many.dll", 1, 1, many}, {"More.dll", 1, 1, {"more"}}}, nullptr},
    };
    for (const PlugInCase& test : cases) {
        SCOPED_TRACE(test.Name);
        memset(slots, 0, sizeof(slots));
        g_plugInTexts.clear();
        for (size_t i = 0; i < test.Slots.size(); i++) {
            strcpy(slots[i].FileName, test.Slots[i].File);
            slots[i].Module = test.Slots[i].Loaded ? (HMODULE)resources : nullptr;
            slots[i].Use = test.Slots[i].Use;
            g_plugInTexts[test.Slots[i].File] = test.Slots[i].Texts;
        }
        memset(table, 0xCC, sizeof(table));
        HMENU menu = CreatePlugInMenu(table, slots, "Japanese", FakePlugInTexts);
        ASSERT_NE(nullptr, menu);
        if (test.Menu) {
            EXPECT_EQ(test.Menu, Describe(menu));
        }
        // Every entry in use names its slot, its own item number and its text as the menu shows it.
        int items = 0;
        for (int t = 0; t < PLUGIN_MENU_ITEM_COUNT && table[t].Command; t++, items++) {
            EXPECT_EQ((DWORD)(IDM_PLUGIN_FIRST + t), table[t].Command);
            EXPECT_STREQ(table[t].Slot->FileName, table[t].FileName);
            const std::vector<std::string>& texts = g_plugInTexts[table[t].FileName];
            ASSERT_LT(table[t].Item, texts.size());
            EXPECT_EQ(0u, texts[table[t].Item].rfind(table[t].Text, 0)) << "entry " << t;
            char shown[1024] = "";
            GetMenuStringA(menu, table[t].Command, shown, sizeof(shown), MF_BYCOMMAND);
            EXPECT_STREQ(table[t].Text, shown);
        }
        for (int t = items; t < PLUGIN_MENU_ITEM_COUNT; t++)
            EXPECT_EQ(nullptr, table[t].Slot) << "entry " << t << " is not zeroed";
        if (std::string(test.Name) == "print and mini memo") {
            EXPECT_EQ(&slots[1], table[2].Slot);
            EXPECT_EQ(1u, table[2].Item);
            EXPECT_STREQ("ミニメモ設定", table[2].Text);
        } else if (std::string(test.Name) == "unused and unloaded slots keep their places") {
            EXPECT_EQ(1, items);
            EXPECT_EQ(&slots[2], table[0].Slot);
        } else if (std::string(test.Name) == "texts cut") {
            EXPECT_EQ(259u, strlen(table[0].Text));
            EXPECT_EQ(258u, strlen(table[1].Text));
        } else if (std::string(test.Name) == "full table") {
            // The plug-in after the full table still gets its separator, then the one before the tail.
            EXPECT_EQ(PLUGIN_MENU_ITEM_COUNT, items);
            EXPECT_EQ(PLUGIN_MENU_ITEM_COUNT + 5, GetMenuItemCount(menu));
            EXPECT_EQ((UINT)IDM_PLUGIN_LAST, GetMenuItemID(menu, PLUGIN_MENU_ITEM_COUNT - 1));
            EXPECT_TRUE(GetMenuState(menu, PLUGIN_MENU_ITEM_COUNT, MF_BYPOSITION) & MF_SEPARATOR);
            EXPECT_TRUE(GetMenuState(menu, PLUGIN_MENU_ITEM_COUNT + 1, MF_BYPOSITION) & MF_SEPARATOR);
        }
        DestroyMenu(menu);
    }
}

// A rebuild after the run-once plug-ins were unloaded keeps their items, in slot order and renumbered.
TEST_F(ContextMenuTest, RebuildKeepsTheItemsOfUnloadedPlugIns)
{
    memset(slots, 0, sizeof(slots));
    g_plugInTexts = {{"DaylensPrint.dll", {"印刷"}}, {"DaylensMiniMemo.dll", {"ミニメモ表示", "ミニメモ設定"}}};
    strcpy(slots[0].FileName, "DaylensPrint.dll");
    strcpy(slots[1].FileName, "DaylensMiniMemo.dll");
    for (PlugInSlot& slot : slots)
        slot.Use = 1;
    slots[0].Module = slots[1].Module = (HMODULE)resources;
    memset(table, 0, sizeof(table));
    DestroyMenu(CreatePlugInMenu(table, slots, "Japanese", FakePlugInTexts));
    slots[0].Module = nullptr;
    g_plugInTexts["DaylensMiniMemo.dll"] = {"ミニメモ表示"};
    HMENU menu = CreatePlugInMenu(table, slots, "Japanese", FakePlugInTexts);
    EXPECT_EQ("8001 - 8002 - 506 507 505", Describe(menu));
    EXPECT_STREQ("印刷", table[0].Text);
    EXPECT_EQ(&slots[0], table[0].Slot);
    EXPECT_STREQ("ミニメモ表示", table[1].Text);
    EXPECT_EQ(0u, table[2].Command);
    DestroyMenu(menu);
}

}  // namespace
