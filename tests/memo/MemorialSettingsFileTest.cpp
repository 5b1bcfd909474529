// The memorial section of the settings file: the memorial file's path, the chains of older key names, the legacy
// layout, and the section as it is written.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "FileUtil.h"
#include "MemorialSettingsFile.h"
#include "TempFolder.h"

namespace {

const MemorialShadowDefaults kShadow = {RGB(1, 2, 3), 2, 6};

class MemorialSettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-memorial-settings"));
        ini_ = temp_.Path("Daylens.ini");
        dir_ = temp_.Dir() + "\\";
        memset(&memorial_, 0, sizeof(memorial_));
    }

    // Writes the file: the new layout's placement section and the memorial section, or the legacy single section.
    void Write(const std::string& section, bool legacy = false)
    {
        std::string text = legacy ? "[Daylens]\r\nWindowX=1\r\n" : "[Daylens00]\r\nVersion=1.20.01\r\n";
        text += (legacy ? "" : "[DaylensMemorial]\r\n") + section;
        ASSERT_TRUE(WriteWholeFile(ini_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    void Load() { ASSERT_EQ(1, LoadMemorialSettings(&memorial_, ini_.c_str(), "Daylens", dir_.c_str(), kShadow)); }

    TempFolder temp_;
    std::string ini_;
    std::string dir_;
    MemorialSettings memorial_;
};

TEST(MemorialPathTest, PerUserFileOnlyWithAUserName)
{
    char path[MEMORIAL_PATH_SIZE];
    ASSERT_EQ(1, FormatMemorialPath(path, sizeof(path), "C:\\Daylens\\", 1, "花子"));
    EXPECT_STREQ("C:\\Daylens\\MemorialDay-花子.txt", path);
    FormatMemorialPath(path, sizeof(path), "C:\\Daylens\\", 1, "");
    EXPECT_STREQ("C:\\Daylens\\MemorialDay.txt", path);
    FormatMemorialPath(path, sizeof(path), "C:\\Daylens\\", 0, "花子");
    EXPECT_STREQ("C:\\Daylens\\MemorialDay.txt", path);
    // A path that does not fit is cut, never written past its buffer.
    char small[12];
    FormatMemorialPath(small, sizeof(small), "C:\\Daylens\\", 0, nullptr);
    EXPECT_STREQ("C:\\Daylens\\", small);
}

TEST_F(MemorialSettingsFileTest, MissingKeysGiveTheDefaultsAndThePathFollowsTheUser)
{
    Write("");
    Load();
    EXPECT_EQ(0xFF80FFu, memorial_.MemorialStyle.StrColor);
    EXPECT_EQ(RGB(1, 2, 3), memorial_.MemorialStyle.ShadowColor);  // the calendar's shadow
    EXPECT_EQ(2, memorial_.MemorialStyle.ShadowWidth);
    EXPECT_EQ(6, memorial_.MemorialStyle.ShadowDirection);
    EXPECT_EQ(1, memorial_.MemorialShowToolTip);
    EXPECT_EQ(0, memorial_.MemorialCount + memorial_.MemorialPopup + memorial_.MemorialIndividual);
    EXPECT_EQ(dir_ + "MemorialDay.txt", memorial_.MemorialPath);

    Write("MemorialIndividual=1\r\n");
    Load();
    char user[1024] = "";
    DWORD size = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &size));
    EXPECT_EQ(dir_ + "MemorialDay-" + user + ".txt", memorial_.MemorialPath);
}

TEST_F(MemorialSettingsFileTest, ShadowWiderThanTheMarkDialogsIsHeldToItsWidest)
{
    Write("MemorialShadowWidth=4294967295\r\n");
    Load();
    EXPECT_EQ(SHADOW_WIDTH_MAX, memorial_.MemorialStyle.ShadowWidth);
}

// Each older name is the default of the next one: the newest key present wins.
TEST_F(MemorialSettingsFileTest, OlderKeyNamesAreReadInTheirChains)
{
    Write("MemorialRGB=100\r\nMemorialMarkRGB=7\r\nMemorialNoUseRGB=1\r\nMemorialToolTip=0\r\n");
    Load();
    EXPECT_EQ(100u, memorial_.MemorialStyle.StrColor);
    EXPECT_EQ(7u, memorial_.MemorialStyle.MarkColor);
    EXPECT_EQ(1, memorial_.MemorialStyle.NoUseStrColor);
    EXPECT_EQ(0, memorial_.MemorialShowToolTip);

    Write("MemorialRGB=100\r\nMemorialColor=200\r\nMemorialMarkRGB=7\r\nMemorialMarkColor=8\r\n"
          "MemorialToolTip=0\r\nMemorialShowToolTip=1\r\n");
    Load();
    EXPECT_EQ(200u, memorial_.MemorialStyle.StrColor);
    EXPECT_EQ(8u, memorial_.MemorialStyle.MarkColor);
    EXPECT_EQ(1, memorial_.MemorialShowToolTip);

    Write("MemorialRGB=100\r\nMemorialColor=200\r\nMemorialStrColor=300\r\n");
    Load();
    EXPECT_EQ(300u, memorial_.MemorialStyle.StrColor);

    // The legacy layout keeps every key in the program's own section.
    Write("MemorialColor=400\r\nMemorialCount=1\r\n", true);
    Load();
    EXPECT_EQ(400u, memorial_.MemorialStyle.StrColor);
    EXPECT_EQ(1, memorial_.MemorialCount);
}

// The writer writes the current names only, in the new section, and the reader reads back every value.
TEST_F(MemorialSettingsFileTest, SectionIsWrittenWholeUnderTheCurrentNames)
{
    Write("MemorialRGB=100\r\nMemorialColor=200\r\n", true);
    Load();
    memorial_.MemorialIndividual = 1;
    BuildMemorialPath(&memorial_, dir_.c_str());
    memorial_.MemorialStyle.MarkType = MARK_SQUARE;
    memorial_.MemorialStyle.Gradation = 3;
    memorial_.MemorialPopup = 1;
    memorial_.MemorialCount = 1;
    ASSERT_EQ(1, SaveMemorialSettings(&memorial_, ini_.c_str(), "Daylens"));

    char section[4096] = "";
    DWORD size = GetPrivateProfileSectionA("DaylensMemorial", section, sizeof(section), ini_.c_str());
    std::string keys;
    for (const char* line = section; line < section + size && *line; line += strlen(line) + 1) {
        std::string key(line, strcspn(line, "="));
        keys += key.substr(0, key.find_last_not_of(' ') + 1) + ";";
    }
    EXPECT_EQ("MemorialIndividual;MemorialMarkColor;MemorialMarkType;MemorialNoUseColor;MemorialStrColor;"
              "MemorialShadowColor;MemorialShadowWidth;MemorialShadowDirection;MemorialGradation;MemorialPopup;"
              "MemorialShowToolTip;MemorialCount;",
              keys);

    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini_.c_str());
    MemorialSettings read;
    memset(&read, 0, sizeof(read));
    ASSERT_EQ(1, LoadMemorialSettings(&read, ini_.c_str(), "Daylens", dir_.c_str(), {}));
    EXPECT_EQ(0, memcmp(&read, &memorial_, sizeof(read)));
}

}  // namespace
