// A section read once and looked up in memory gives every value as the profile functions give it, key by key.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "FileUtil.h"
#include "ProfileSection.h"
#include "Sjis.h"
#include "TempFolder.h"

namespace {

// The profile function's value, its last lead byte dropped when a cut left it alone (as every reader takes it).
std::string ProfileString(const char* path, const char* section, const char* key, const char* def, DWORD size)
{
    std::string out(size, '\0');
    GetPrivateProfileStringA(section, key, def, &out[0], size, path);
    out.resize(strlen(out.c_str()));
    size_t i = 0;
    while (i < out.size() && !(IsSjisLeadByte((unsigned char)out[i]) && i + 1 == out.size()))
        i += IsSjisLeadByte((unsigned char)out[i]) ? 2 : 1;
    return out.substr(0, i);
}

std::string SectionString(const ProfileSection* section, const char* key, const char* def, size_t size)
{
    std::string out(size, '\0');
    GetSectionString(section, key, def, &out[0], size);
    return out.c_str();
}

class ProfileSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-profile"));
        path_ = temp_.Path("Daylens.ini");
    }

    void Write(const std::string& text)
    {
        ASSERT_EQ(1, WriteWholeFile(path_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }

    // Every key with every default and buffer size reads the same from the section as from the file.
    void ExpectSameValues(const char* section, const char* const* keys, size_t keyCount)
    {
        ProfileSection* read = ReadProfileSection(path_.c_str(), section);
        ASSERT_NE(nullptr, read);
        const char* defaults[] = {"", "def", "def  ", "\"quoted\"", "表"};
        const DWORD sizes[] = {64, 9, 8, 7, 4, 2, 1};
        for (size_t k = 0; k < keyCount; k++) {
            for (const char* def : defaults) {
                for (DWORD size : sizes) {
                    EXPECT_EQ(ProfileString(path_.c_str(), section, keys[k], def, size),
                              SectionString(read, keys[k], def, size))
                        << "[" << section << "] " << keys[k] << " default '" << def << "' size " << size;
                }
            }
        }
        FreeProfileSection(read);
    }

    TempFolder temp_;
    std::string path_;
};

TEST_F(ProfileSectionTest, ValuesMatchTheProfileFunctions)
{
    Write("[Daylens01]\r\n"
          "Plain=1\r\n"
          "  Blanks   =   two words   \r\n"
          "DisplayType                = 0\r\n"
          "Tab\t=\ttabbed\t\r\n"
          "Quoted=\"a b\"\r\n"
          "Single='x'\r\n"
          "Open=\"abc\r\n"
          "Mixed=\"abc'\r\n"
          "Pair=\"\"\r\n"
          "Lone=\"\r\n"
          "Exact=\"abcdef\"\r\n"
          "Inner=\"a\"b\"\r\n"
          "NoEquals\r\n"
          "Empty=\r\n"
          "Case=first\r\n"
          "CASE=second\r\n"
          "Twice=first\r\n"
          "Twice=second\r\n"
          ";Comment=x\r\n"
          "=nameless\r\n"
          "Equals=a=b\r\n"
          "Kanji=表示される\r\n"
          "表キー=漢字の名前\r\n"
          "[daylens01]\r\n"
          "Plain=the second section of that name\r\n"
          "Later=2\r\n"
          "[Daylens1920x1080]\r\n"
          "WindowX = -30\r\n");
    const char* keys[] = {"Plain", "Blanks", "DisplayType", "Tab", "Quoted", "Single", "Open", "Mixed", "Pair",
                          "Lone", "Exact", "Inner", "NoEquals", "noequals", "Empty", "Case", "case", "Twice",
                          "Equals", "Kanji", "表キー", "Later", "Missing"};
    ExpectSameValues("Daylens01", keys, sizeof(keys) / sizeof(keys[0]));
    const char* screen[] = {"WindowX", "windowx", "WindowY"};
    ExpectSameValues("Daylens1920x1080", screen, 3);
    ExpectSameValues("DaylensMemo", screen, 3);
}

// Sections longer than the first buffer are read whole, also when only their double-byte text overflows it.
TEST_F(ProfileSectionTest, LongSectionsAreReadWhole)
{
    std::string text = "[Many]\r\n";
    for (int i = 0; i < 5000; i++)
        text += "Key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
    std::string kanji;
    for (int i = 0; i < 20000; i++)
        kanji += "表";
    text += "[Wide]\r\nA=" + kanji + "\r\nB=" + kanji + "\r\nLast=end\r\n";
    Write(text);
    const char* many[] = {"Key0", "Key4999"};
    ExpectSameValues("Many", many, 2);
    const char* wide[] = {"Last"};
    ExpectSameValues("Wide", wide, 1);
}

TEST(ProfileSectionParseTest, AnyBytesEndAtTheSizeOrAnEmptyLine)
{
    const char text[] = "a=1\0b\0\0c=3";
    ProfileSection* section = ParseProfileSection(text, 5);
    ASSERT_NE(nullptr, section);
    char out[16];
    EXPECT_STREQ("1", GetSectionString(section, "A", "", out, sizeof(out)));
    EXPECT_STREQ("d", GetSectionString(section, "b", "d", out, sizeof(out)));
    FreeProfileSection(section);
    section = ParseProfileSection(text, sizeof(text));
    EXPECT_STREQ("d", GetSectionString(section, "c", "d", out, sizeof(out)));
    FreeProfileSection(section);
    section = ParseProfileSection(nullptr, 0);
    EXPECT_STREQ("d", GetSectionString(section, "a", "d", out, sizeof(out)));
    FreeProfileSection(section);
}

}  // namespace
