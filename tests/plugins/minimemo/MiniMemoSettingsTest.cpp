// The mini memo's settings section: older key names, the three text styles with their shared and numbered keys,
// the clamps, the whole-section writer and the memo store's place read from the memo section.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "MiniMemoSettings.h"
#include "TempFolder.h"

namespace {

class MiniMemoSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daylens-minimemo-settings"));
        ini_ = folder_.Path("Daylens.ini");
    }

    void Write(const char* section, const char* key, const char* value)
    {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, ini_.c_str()));
    }

    std::string FileText() const
    {
        std::ifstream in(ini_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempFolder folder_;
    std::string ini_;
    MiniMemoSettings settings_;
    MiniMemoStore store_;
};

TEST_F(MiniMemoSettingsTest, MissingFileGivesTheDefaults)
{
    ASSERT_EQ(1, LoadMiniMemoSettings(&settings_, &store_, ini_.c_str()));
    EXPECT_EQ(-1, settings_.WindowWidth);
    EXPECT_EQ(0x80FFFFu, settings_.BackColor);
    EXPECT_EQ(0x8080FFu, settings_.FrameColor1);
    EXPECT_EQ(2, settings_.Trans.TransMode);
    EXPECT_EQ(128, settings_.Trans.TransparentAlpha);
    EXPECT_EQ(1, settings_.BeforeDays);
    EXPECT_EQ(10, settings_.PopupSpeed);
    for (const MiniMemoTextStyle& s : settings_.Styles) {
        EXPECT_EQ(0xFF0000u, s.ForeColor);
        EXPECT_EQ(SHADOW_DOWN_RIGHT, s.ShadowDirection);
        EXPECT_EQ(SHIFTJIS_CHARSET, s.Font.lfCharSet);
    }
}

TEST_F(MiniMemoSettingsTest, LegacyKeysAndSharedStyleKeysReadAndVanishAtTheFirstSave)
{
    Write("DaylensMiniMemo", "MiniMemoFrameColor", "1193046");  // 0x123456
    Write("DaylensMiniMemo", "MiniMemoGradation", "3");
    Write("DaylensMiniMemo", "MiniMemoFontName", "ＭＳ ゴシック");
    Write("DaylensMiniMemo", "MiniMemoForeColor", "255");
    Write("DaylensMiniMemo", "MiniMemoShadowDirection", "255");
    Write("DaylensMiniMemo", "MiniMemoFontName01", "Arial");
    Write("DaylensMiniMemo", "MiniMemoFontCharSet01", "0");
    Write("DaylensMiniMemo", "MiniMemoForeColor02", "-16777216");  // written signed: 0xFF000000
    ASSERT_EQ(1, LoadMiniMemoSettings(&settings_, &store_, ini_.c_str()));
    EXPECT_EQ(0x123456u, settings_.FrameColor1);
    EXPECT_EQ(3, settings_.FrameGradation);
    EXPECT_STREQ("ＭＳ ゴシック", settings_.Styles[0].Font.lfFaceName);
    EXPECT_STREQ("ＭＳ ゴシック", settings_.Styles[2].Font.lfFaceName);
    EXPECT_STREQ("Arial", settings_.Styles[1].Font.lfFaceName);
    EXPECT_EQ(ANSI_CHARSET, settings_.Styles[1].Font.lfCharSet);
    EXPECT_EQ(SHIFTJIS_CHARSET, settings_.Styles[0].Font.lfCharSet);
    EXPECT_EQ(255u, settings_.Styles[1].ForeColor);
    EXPECT_EQ(0xFF000000u, settings_.Styles[2].ForeColor);
    EXPECT_EQ(SHADOW_OUTLINE, settings_.Styles[0].ShadowDirection);

    settings_.WindowX = 40;
    settings_.WindowY = 50;
    settings_.WindowWidth = 300;
    settings_.WindowHeight = 120;
    ASSERT_EQ(1, SaveMiniMemoSettings(&settings_, nullptr, ini_.c_str()));
    std::string text = FileText();
    EXPECT_EQ(std::string::npos, text.find("MiniMemoFrameColor ")) << text;
    EXPECT_EQ(std::string::npos, text.find("MiniMemoGradation")) << text;
    // Keys padded to their column (the blank after "=" is the file functions' business).
    EXPECT_NE(std::string::npos, text.find("MiniMemoShow                 =")) << text;
    EXPECT_NE(std::string::npos, text.find("MiniMemoFontName01              =")) << text;
    EXPECT_NE(std::string::npos, text.find("MiniMemoStringGradation02       =")) << text;
    EXPECT_STREQ("Arial", settings_.Styles[1].Font.lfFaceName);

    MiniMemoSettings again;
    ASSERT_EQ(1, LoadMiniMemoSettings(&again, &store_, ini_.c_str()));
    EXPECT_EQ(0, memcmp(&settings_, &again, sizeof(again)));
}

TEST_F(MiniMemoSettingsTest, OutOfRangeValuesAreHeldToWhatTheControlsAllow)
{
    Write("DaylensMiniMemo", "MiniMemoBeforeDays", "400");
    Write("DaylensMiniMemo", "MiniMemoAfterDays", "-3");
    Write("DaylensMiniMemo", "MiniMemoAlphaTime", "300");
    Write("DaylensMiniMemo", "MiniMemoTransMode", "9");
    Write("DaylensMiniMemo", "MiniMemoLineMargin", "1000");
    ASSERT_EQ(1, LoadMiniMemoSettings(&settings_, &store_, ini_.c_str()));
    EXPECT_EQ(MINIMEMO_DAYS_MAX, settings_.BeforeDays);
    EXPECT_EQ(0, settings_.AfterDays);
    // 300 is not 44, as its low byte would be.
    EXPECT_EQ(255, settings_.Trans.TransparentAlphaTime);
    EXPECT_EQ(3, settings_.Trans.TransMode);
    EXPECT_EQ(255, settings_.LineMargin);
}

TEST_F(MiniMemoSettingsTest, TheWindowRectangleIsSavedFromTheWindow)
{
    LoadMiniMemoSettings(&settings_, &store_, ini_.c_str());
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 33, 44, 210, 90, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(1, SaveMiniMemoSettings(&settings_, window, ini_.c_str()));
    DestroyWindow(window);
    EXPECT_EQ(33, GetPrivateProfileIntA("DaylensMiniMemo", "MiniMemoWindowX", 0, ini_.c_str()));
    EXPECT_EQ(90, GetPrivateProfileIntA("DaylensMiniMemo", "MiniMemoWindowHeight", 0, ini_.c_str()));
}

TEST_F(MiniMemoSettingsTest, TheMemoStoreComesFromTheMemoSection)
{
    Write("Daylens00", "Version", "120");
    Write("DaylensMemo", "MemoDir", "C:\\Memos\\");
    Write("DaylensMemo", "MemoSaveOneMonth", "1");
    LoadMiniMemoSettings(&settings_, &store_, ini_.c_str());
    EXPECT_STREQ("C:\\Memos", store_.Folder);
    EXPECT_EQ(1, store_.MemoSaveOneMonth);
    // A store per user ignores the configured folder.
    Write("DaylensMemo", "MemoIndividual", "1");
    LoadMiniMemoSettings(&settings_, &store_, ini_.c_str());
    EXPECT_EQ(nullptr, strstr(store_.Folder, "C:\\Memos"));
    EXPECT_NE(nullptr, strstr(store_.Folder, "Memo-"));
}

}  // namespace
