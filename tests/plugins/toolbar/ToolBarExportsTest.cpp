// The built toolbar plug-in as the host sees it before its bar is shown: its menu items, versions, run-once answer
// and the plug-in table it takes, and the position exports, which report and move nothing without a bar.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "PlugInModule.h"
#include "PlugInSlot.h"
#include "ToolBarModule.h"

namespace {

class ToolBarExportsTest : public testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA(DAYLENS_DIST_DIR "\\PlugIn\\DaylensToolBar.dll");
        ASSERT_NE(nullptr, module_);
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }
    std::string Items(const char* language)
    {
        auto menu = FindExport(module_, PlugInModule::kLxPlugInMenuInfoLang);
        int size = -1;
        EXPECT_EQ(0, menu(nullptr, &size, language));
        std::string list((size_t)size, '\x7f');
        EXPECT_EQ(2, menu(&list[0], &size, language));
        return list;
    }

    HMODULE module_ = nullptr;
};

TEST_F(ToolBarExportsTest, MenuItemsVersionsAndStayingLoaded)
{
    EXPECT_EQ(std::string("ツールバー表示\0ツールバー設定\0\0", 31), Items("Japanese"));
    EXPECT_EQ(std::string("ToolBar Show\0ToolBar Set\0\0", 26), Items("English"));
    EXPECT_EQ(104, FindExport(module_, PlugInModule::kGetMajorVersion)());
    EXPECT_EQ(0, FindExport(module_, PlugInModule::kGetMinorVersion)());
    EXPECT_EQ(0, FindExport(module_, PlugInModule::kLxGetOnce)());
    EXPECT_STREQ("12/04/2013", FindExport(module_, PlugInModule::kGetDate)());
    // The plug-in table is taken, also when there is none: the shared exports are done either way.
    auto setPlugIn = FindExport(module_, PlugInModule::kLxSetPlugIn);
    ASSERT_NE(nullptr, setPlugIn);
    PlugInSlot table[PLUGIN_SLOT_COUNT] = {};
    EXPECT_EQ(1, setPlugIn(table));
    EXPECT_EQ(1, setPlugIn(nullptr));
}

TEST_F(ToolBarExportsTest, WithoutABarThePositionIsZeroAndNothingMoves)
{
    auto getPos = FindExport(module_, ToolBarModule::kToolBarGetWindowPos);
    auto setPos = FindExport(module_, ToolBarModule::kToolBarSetWindowPos);
    ASSERT_NE(nullptr, getPos);
    ASSERT_NE(nullptr, setPos);
    EXPECT_EQ(0, getPos(nullptr));
    int position[2] = {-5, -5};
    EXPECT_EQ(1, getPos(position));
    EXPECT_EQ(0, position[0]);
    EXPECT_EQ(0, position[1]);
    EXPECT_EQ(1, setPos(100, 200));
    EXPECT_EQ(1, getPos(position));
    EXPECT_EQ(0, position[0]);
    // Activation and the settings item do nothing without a bar.
    EXPECT_EQ(1, FindExport(module_, PlugInModule::kLxActivate)());
    EXPECT_EQ(1, FindExport(module_, PlugInModule::kLxPlugInRunMenu)(nullptr, 1));
    EXPECT_EQ(1, FindExport(module_, PlugInModule::kLxClose)());
}

}  // namespace
