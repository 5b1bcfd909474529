// A file read whole and split into sections in memory gives every section name and every value as the profile
// functions give them, however oddly the file is written.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>
#include <vector>

#include "FileUtil.h"
#include "ProfileFile.h"
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

std::vector<std::string> ProfileNames(const char* path)
{
    std::vector<char> names(65536);
    DWORD length = GetPrivateProfileSectionNamesA(names.data(), (DWORD)names.size(), path);
    std::vector<std::string> list;
    for (const char* name = names.data(); name < names.data() + length && *name; name += strlen(name) + 1)
        list.push_back(name);
    return list;
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp_.Create("daylens-profile-file")); }

    // The file written with content reads the same through the profile functions and from memory: its section
    // names, and every key of keys in every section (and in the sections of asked) with every default and buffer.
    void ExpectSameAsProfile(const std::string& content, const std::vector<std::string>& asked = {})
    {
        // A new file each time: the profile functions keep the files they read.
        path_ = temp_.Path(("file" + std::to_string(++files_) + ".ini").c_str());
        ASSERT_EQ(1, WriteWholeFile(path_.c_str(), content.data(), (DWORD)content.size(), nullptr));
        ProfileFile* file = ReadProfileFile(path_.c_str());
        ASSERT_NE(nullptr, file);
        std::vector<std::string> names = ProfileNames(path_.c_str());
        std::vector<std::string> read;
        for (int i = 0; i < ProfileFileSectionCount(file); i++)
            read.push_back(ProfileFileSectionName(file, i));
        EXPECT_EQ(names, read) << content;

        const char* keys[] = {"K", "k", "Memo", "Z", "x", "表キー", "Missing"};
        const char* defaults[] = {"", "def  ", "表"};
        const DWORD sizes[] = {64, 7, 4, 2};
        std::vector<std::string> sections = names;
        sections.insert(sections.end(), asked.begin(), asked.end());
        for (const std::string& section : sections) {
            const ProfileSection* parsed = FindProfileFileSection(file, section.c_str());
            for (const char* key : keys) {
                for (const char* def : defaults) {
                    for (DWORD size : sizes) {
                        std::string out(size, '\0');
                        GetSectionString(parsed, key, def, &out[0], size);
                        EXPECT_EQ(ProfileString(path_.c_str(), section.c_str(), key, def, size), out.c_str())
                            << "[" << section << "] " << key << " default '" << def << "' size " << size << " in\n"
                            << content;
                    }
                }
            }
        }
        FreeProfileFile(file);
    }

    TempFolder temp_;
    std::string path_;
    int files_ = 0;
};

TEST_F(ProfileFileTest, SectionHeadersAreFoundAsTheProfileFunctionsFindThem)
{
    ExpectSameAsProfile("K=before any section\r\n  [a]  \r\nK=1\r\n[b]x]\r\nK=2\r\n\v[c]\r\nK=3\r\n[ d ]\r\nK=4\r\n[\td\t]\r\nK=4b\r\n"
                        "[e\r\nK=5\r\n[]\r\nK=6\r\n[f] ; note\r\nK=7\r\n[A]\r\nK=again\r\nZ=1\r\n[表示]\r\n表キー=値\r\n"
                        "[ゾ]\r\nK=ゾ\r\n",
                        {"A", " a ", "b", "b]x", "d", " d ", "e", "f", "ゾ", "missing"});
}

TEST_F(ProfileFileTest, LinesAndValuesAreCutAsTheProfileFunctionsCutThem)
{
    ExpectSameAsProfile("[a]\nK=1\rZ=2\n[b]\rK=3\n[c]\r\n;C=comment\r\n=nameless\r\nK\r\nK=second\r\nx = \"quoted\" \r\n"
                        "Memo = ' a '\r\n[d]\r\nK=1\x81\nZ=after a lone lead byte\r\nx=\x80\xA0\xFD|\x81\r\n"
                        "Memo=\x81\x40wide blanks\x81\x40\r\n[e]\r\nK=\v\x1A" "tabbed\t\f\r\nZ=1",
                        {"C", "D"});
    std::string nul = "[a]\r\nK";
    nul += '\0';
    nul += "Z=1\r\nZ=2";
    nul += '\0';
    nul += "x\r\n[b";
    nul += '\0';
    nul += "c]\r\nK=3\r\n";
    ExpectSameAsProfile(nul, {"b"});
}

TEST_F(ProfileFileTest, ByteOrderMarksChooseTheTextForm)
{
    ExpectSameAsProfile("\xEF\xBB\xBF[a]\r\nK=\xE7\x9D\xA6\xE6\x9C\x88\r\nZ=\xC3\xA9\xC2\xA0\r\n[\xE8\xA1\xA8]\r\nK=2\r\n",
                        {"表"});
    const wchar_t wide[] = L"[a]\r\nK=\u8868\r\n[\u8868]\r\nZ= 2 \r\n";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (const wchar_t* c = wide; *c; c++) {
        little += (char)(*c & 0xFF), little += (char)(*c >> 8);
        big += (char)(*c >> 8), big += (char)(*c & 0xFF);
    }
    ExpectSameAsProfile(little, {"表"});
    ExpectSameAsProfile(big, {"表"});
}

TEST_F(ProfileFileTest, MissingAndEmptyFiles)
{
    EXPECT_EQ(nullptr, ReadProfileFile(temp_.Path("missing.ini").c_str()));
    EXPECT_EQ(nullptr, ReadProfileFile(temp_.Dir().c_str()));
    ExpectSameAsProfile("", {"a"});
    ProfileFile* empty = ParseProfileFile(nullptr, 0);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0, ProfileFileSectionCount(empty));
    EXPECT_EQ(nullptr, FindProfileFileSection(empty, "a"));
    FreeProfileFile(empty);
}

}  // namespace
