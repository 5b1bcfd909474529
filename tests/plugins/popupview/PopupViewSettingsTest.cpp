// The popup's section of the settings file: the one-time move of the older section, the padded lines the writer
// gives, the font keys and the ranges held on reading and in the dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "FileUtil.h"
#include "PopupViewSetDialog.h"
#include "PopupViewSettings.h"
#include "TempFolder.h"

namespace {

class PopupViewSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-popupview-settings"));
        ini_ = temp_.Path("Daylens-user.ini");
        memset(&settings_, 0, sizeof(settings_));
    }

    void Write(const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile(ini_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    std::string Value(const char* section, const char* key)
    {
        char value[256];
        GetPrivateProfileStringA(section, key, "(missing)", value, sizeof(value), ini_.c_str());
        return value;
    }
    std::string FileText()
    {
        DWORD size = 0;
        char* text = ReadWholeFile(ini_.c_str(), &size);
        std::string result(text ? text : "", size);
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
        return result;
    }
    void Load() { ASSERT_EQ(1, LoadPopupViewSettings(&settings_, ini_.c_str())); }

    TempFolder temp_;
    std::string ini_;
    PopupViewSettings settings_;
};

TEST_F(PopupViewSettingsTest, OldSectionMovesOnceWhenItHoldsAPlace)
{
    Write("[Daylens]\r\nVersion=1\r\n[DaylensPopupViewDLL]\r\nWindowX=100\r\nWindowY=7\r\nBackColor=255\r\n"
          "Unknown=kept\r\n");
    Load();
    EXPECT_EQ(100, settings_.WindowX);
    EXPECT_EQ(7, settings_.WindowY);
    EXPECT_EQ(RGB(255, 0, 0), settings_.BackColor);
    EXPECT_EQ("100", Value("DaylensPopupView", "WindowX"));
    EXPECT_EQ("kept", Value("DaylensPopupView", "Unknown"));
    EXPECT_EQ("(missing)", Value("DaylensPopupViewDLL", "WindowX"));
    EXPECT_EQ("1", Value("Daylens", "Version"));

    // WindowX 9999 is the mark of no old place: such a section is left where it is.
    Write("[DaylensPopupViewDLL]\r\nWindowX=9999\r\nWindowY=7\r\n");
    Load();
    EXPECT_EQ(-1, settings_.WindowX);
    EXPECT_EQ("7", Value("DaylensPopupViewDLL", "WindowY"));
    EXPECT_EQ("(missing)", Value("DaylensPopupView", "WindowY"));
}

TEST_F(PopupViewSettingsTest, LongOldSectionMovesWhole)
{
    std::string text = "[DaylensPopupViewDLL]\r\nWindowX=5\r\n";
    for (int i = 0; i < 3000; i++)
        text += "Filler" + std::to_string(i) + "=" + std::string(20, 'x') + "\r\n";
    text += "LastKey=last\r\n";
    Write(text);
    Load();
    EXPECT_EQ("last", Value("DaylensPopupView", "LastKey"));
    EXPECT_EQ("(missing)", Value("DaylensPopupViewDLL", "LastKey"));
}

TEST_F(PopupViewSettingsTest, MissingFileGivesTheDefaults)
{
    Load();
    EXPECT_EQ(-1, settings_.WindowWidth);
    EXPECT_EQ(RGB(255, 255, 255), settings_.BackColor);
    EXPECT_EQ((COLORREF)0x404040, settings_.FrameColor);
    EXPECT_EQ((COLORREF)0xC0C0C0, settings_.ShadowColor);
    EXPECT_EQ(8, settings_.FrameWidth);
    EXPECT_EQ(16, settings_.RoundWidth);
    EXPECT_EQ(4, settings_.ShadowDirection);
    EXPECT_EQ(30, settings_.CloseTime);
    EXPECT_EQ(10, settings_.PopupSpeed);
    EXPECT_EQ(16, settings_.Font.lfHeight);
    EXPECT_EQ(400, settings_.Font.lfWeight);
}

TEST_F(PopupViewSettingsTest, SectionIsWrittenWholeInPaddedLines)
{
    Write("[DaylensPopupView]\r\nFontBold=1\r\nFontSize=-20\r\nStale=1\r\n");
    Load();
    EXPECT_EQ(700, settings_.Font.lfWeight);
    EXPECT_EQ(-20, settings_.Font.lfHeight);
    settings_.CloseType = POPUPVIEW_AUTO_CLOSE;
    settings_.CloseTime = 5;
    settings_.WindowX = -12;
    ASSERT_EQ(1, SavePopupViewSettings(&settings_, ini_.c_str()));
    std::string text = FileText();
    // Every key is padded so that "=" stands in column 19; the value follows (Wine drops the blank after "=").
    auto line = [&](const char* key) {
        size_t at = text.find(std::string("\n") + key);
        if (at == std::string::npos)
            return std::string("(missing)");
        std::string rest = text.substr(at + 1, text.find('\r', at + 1) - at - 1);
        if (rest.size() < 20 || rest[19] != '=' || rest.find_first_not_of(' ', strlen(key)) != 19)
            return "(not padded) " + rest;
        return rest.substr(rest[20] == ' ' ? 21 : 20);
    };
    EXPECT_EQ("-12", line("WindowX"));
    EXPECT_EQ("1", line("CloseType"));
    EXPECT_EQ("5", line("CloseTime"));
    EXPECT_EQ("700", line("FontBold"));
    EXPECT_EQ("-20", line("FontSize"));
    EXPECT_EQ(std::string::npos, text.find("Stale"));
    // Keys in the order of the section: the place first, the font last.
    EXPECT_LT(text.find("WindowX"), text.find("PopupSpeed"));
    EXPECT_LT(text.find("PopupSpeed"), text.find("FontName"));
    EXPECT_LT(text.find("FontName"), text.find("FontItalic"));
}

TEST_F(PopupViewSettingsTest, NumbersAreHeldToWhatTheyCanHold)
{
    Write("[DaylensPopupView]\r\nFrameWidth=300\r\nCloseTime=99999999\r\nPopupSpeed=0\r\nShadowDirection=-3\r\n");
    Load();
    EXPECT_EQ(255, settings_.FrameWidth);
    EXPECT_EQ(POPUPVIEW_CLOSE_TIME_MAX, settings_.CloseTime);
    EXPECT_EQ(POPUPVIEW_SPEED_MIN, settings_.PopupSpeed);

    // The dialog holds a typed number to its up-down's range before a byte keeps it.
    EXPECT_EQ(50, ClampDialogValue(300, 1, 50));
    EXPECT_EQ(1, ClampDialogValue(0, 1, 50));
    EXPECT_EQ(99, ClampDialogValue(256, 0, 99));
    EXPECT_EQ(4, DialogShadowDirection(settings_.ShadowDirection));
    EXPECT_EQ(255, DialogShadowDirection(255));
    EXPECT_EQ(8, DialogShadowDirection(8));
}

}  // namespace
