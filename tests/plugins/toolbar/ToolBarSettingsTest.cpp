// The toolbar's section of the settings file: the background colour's older keys, the position per desktop size,
// the default buttons, the padded lines, and buttons whose plug-in is missing, which are neither lost nor lose the
// ones after them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <fstream>
#include <iterator>
#include <string>

#include "TempFolder.h"
#include "ToolBarSettings.h"

namespace {

const SIZE kDesktop = {1280, 1024};
const SIZE kOtherDesktop = {1920, 1080};

class ToolBarSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("toolbar-settings"));
        ini_ = temp_.Path("Daylens.ini");
        memset(table_, 0, sizeof(table_));
    }
    void Write(const char* key, const char* value, const char* section = kToolBarSection)
    {
        WritePrivateProfileStringA(section, key, value, ini_.c_str());
    }
    std::string Read(const char* key, const char* section = kToolBarSection)
    {
        char value[256];
        GetPrivateProfileStringA(section, key, "(none)", value, sizeof(value), ini_.c_str());
        return value;
    }
    // The host's menu table with one plug-in of two items at entry index.
    void AddPlugIn(int index, const char* file)
    {
        for (int i = index; i < index + 2; i++) {
            strcpy(table_[i].FileName, file);
            strcpy(table_[i].Text, i == index ? "表示" : "設定");
            table_[i].Command = (DWORD)(8001 + i);
        }
    }
    ToolBarFile Load(SIZE desktop = kDesktop)
    {
        ToolBarFile file;
        EXPECT_EQ(1, LoadToolBarSetting(&file, ini_.c_str(), desktop, table_));
        return file;
    }

    TempFolder temp_;
    std::string ini_;
    PlugInMenuItem table_[PLUGIN_MENU_ITEM_COUNT];
};

TEST_F(ToolBarSettingsTest, NoFileGivesTheDefaultsAndTheSevenDefaultButtons)
{
    ToolBarFile file = Load();
    EXPECT_EQ(1, file.Setting.AutoStart);
    EXPECT_EQ(1, file.Setting.ShowIcon);
    EXPECT_EQ(16, file.Setting.ButtonSize);
    EXPECT_EQ(4, file.Setting.ButtonSpace);
    EXPECT_EQ(0x004040u, file.Setting.BackColor);
    EXPECT_EQ(TOOLBAR_ALPHA_NEVER, file.Setting.AlphaMode);
    EXPECT_EQ(-1, file.ButtonWindowX);
    const int codes[] = {1001, 1003, 1004, 1005, 1006, 1007, 1009};
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(codes[i], file.Buttons[i + 1].Code) << i;
    EXPECT_EQ(5, file.Buttons[4].Mark);
    EXPECT_EQ(4, file.Buttons[4].Color);
    EXPECT_EQ(0, file.Buttons[8].Code);
    EXPECT_EQ(7, CheckToolBarButtons(file.Buttons));
}

TEST_F(ToolBarSettingsTest, OlderBackgroundKeysAreReadInTurnAndGoneAfterTheFirstSave)
{
    Write("ToolBarBgColor", "255");
    EXPECT_EQ(255u, Load().Setting.BackColor);
    Write("ToolBarBackGroundColor", "65280");
    EXPECT_EQ(65280u, Load().Setting.BackColor);
    Write("ToolBarBackColor", "16711680");
    ToolBarFile file = Load();
    EXPECT_EQ(16711680u, file.Setting.BackColor);

    ASSERT_EQ(1, SaveToolBarFile(&file, ini_.c_str(), kDesktop, table_));
    EXPECT_EQ("(none)", Read("ToolBarBgColor"));
    EXPECT_EQ("(none)", Read("ToolBarBackGroundColor"));
    EXPECT_EQ("16711680", Read("ToolBarBackColor"));
}

TEST_F(ToolBarSettingsTest, EachDesktopSizeKeepsItsOwnPosition)
{
    Write("ToolBarWindowX", "10");
    Write("ToolBarWindowY", "20");
    ToolBarFile file = Load();
    EXPECT_EQ(10, file.Setting.WindowX);
    file.Setting.WindowX = 300;
    file.Setting.WindowY = 400;
    ASSERT_EQ(1, SaveToolBarFile(&file, ini_.c_str(), kDesktop, table_));
    file = Load(kOtherDesktop);
    file.Setting.WindowX = 500;
    file.Setting.WindowY = 600;
    ASSERT_EQ(1, SaveToolBarFile(&file, ini_.c_str(), kOtherDesktop, table_));

    EXPECT_EQ("300", Read("ToolBarWindowX", "DaylensToolBar1280x1024"));
    EXPECT_EQ("600", Read("ToolBarWindowY", "DaylensToolBar1920x1080"));
    EXPECT_EQ(300, Load(kDesktop).Setting.WindowX);
    EXPECT_EQ(400, Load(kDesktop).Setting.WindowY);
    EXPECT_EQ(500, Load(kOtherDesktop).Setting.WindowX);
}

TEST_F(ToolBarSettingsTest, AButtonOfAMissingPlugInKeepsItsPlaceAndComesBackWithItsPlugIn)
{
    Write("ToolBarButtonFunction01", "前の月");
    Write("ToolBarButtonMarkType01", "左矢印");
    Write("ToolBarButtonColor01", "青");
    Write("ToolBarButtonFunction02", "DaylensMiniMemo.dll");
    Write("ToolBarButtonMarkType02", "丸");
    Write("ToolBarButtonColor02", "ピンク");
    Write("ToolBarButtonFunction03", "次の月");
    Write("ToolBarButtonMarkType03", "右矢印");
    Write("ToolBarButtonColor03", "白");
    ToolBarFile file = Load();
    EXPECT_EQ(1004, file.Buttons[1].Code);
    EXPECT_EQ(0, file.Buttons[2].Code);
    EXPECT_STREQ("DaylensMiniMemo.dll", file.Buttons[2].Function);
    EXPECT_EQ(1006, file.Buttons[3].Code);
    EXPECT_EQ(8, file.Buttons[3].Color);
    // The bar shows two buttons; the list keeps all three.
    EXPECT_EQ(2, CheckToolBarButtons(file.Buttons));
    EXPECT_EQ(3, ToolBarRowCount(file.Buttons));

    ASSERT_EQ(1, SaveToolBarFile(&file, ini_.c_str(), kDesktop, table_));
    EXPECT_EQ("DaylensMiniMemo.dll", Read("ToolBarButtonFunction02"));
    EXPECT_EQ("丸", Read("ToolBarButtonMarkType02"));
    EXPECT_EQ("次の月", Read("ToolBarButtonFunction03"));

    // With the plug-in loaded again the button stands for its first menu item.
    AddPlugIn(0, "DaylensPrint.dll");
    AddPlugIn(2, "DaylensMiniMemo.dll");
    file = Load();
    EXPECT_EQ(8003, file.Buttons[2].Code);
    EXPECT_EQ(6, file.Buttons[2].Mark);
    EXPECT_EQ(3, CheckToolBarButtons(file.Buttons));
    // And when the menu is rebuilt without it, the button waits under its name.
    memset(table_, 0, sizeof(table_));
    ResolveToolBarButtons(file.Buttons, table_);
    EXPECT_EQ(0, file.Buttons[2].Code);
    EXPECT_STREQ("DaylensMiniMemo.dll", ToolBarFunctionName(&file.Buttons[2], table_));
}

TEST_F(ToolBarSettingsTest, SavedButtonsAreNumberedWithoutGapsAndAMissingNumberEndsTheList)
{
    ToolBarFile file = Load();
    // An emptied record in the middle of the array.
    memset(&file.Buttons[2], 0, sizeof(file.Buttons[2]));
    ASSERT_EQ(1, SaveToolBarFile(&file, ini_.c_str(), kDesktop, table_));
    // Each key stands in 29 columns before "= ".
    std::ifstream in(ini_, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(std::string::npos, bytes.find("\r\nToolBarAutoStart             = ")) << bytes;
    EXPECT_NE(std::string::npos, bytes.find("\r\nToolBarButtonWindowHeight    = "));
    EXPECT_NE(std::string::npos, bytes.find("\r\nToolBarButtonFunction02      = 前の月\r\n"));
    EXPECT_EQ("前の月", Read("ToolBarButtonFunction02"));
    EXPECT_EQ("一年後", Read("ToolBarButtonFunction06"));
    EXPECT_EQ("(none)", Read("ToolBarButtonFunction07"));
    EXPECT_EQ(6, CheckToolBarButtons(Load().Buttons));

    // Written by hand with a gap: the buttons after the gap are not read.
    Write("ToolBarButtonFunction02", nullptr);
    file = Load();
    EXPECT_EQ(1001, file.Buttons[1].Code);
    EXPECT_EQ(1, CheckToolBarButtons(file.Buttons));
}

}  // namespace
