// The INI document changes only the sections it is asked to, reads back through the profile functions as written,
// and loses nobody's changes when threads write sections of one file at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>
#include <thread>
#include <vector>

#include "FileUtil.h"
#include "IniDocument.h"
#include "ProfileFile.h"
#include "ProfileSection.h"
#include "TempFolder.h"

namespace {

std::string Profile(const std::string& path, const char* section, const char* key)
{
    char out[256] = "";
    GetPrivateProfileStringA(section, key, "(none)", out, sizeof(out), path.c_str());
    return out;
}

std::string Content(const std::string& path)
{
    DWORD size = 0;
    char* text = ReadWholeFile(path.c_str(), &size);
    std::string content(text ? text : "", text ? size : 0);
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return content;
}

class IniDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daylens-ini"));
        path_ = folder_.Path("Daylens.ini");
    }

    TempFolder folder_;
    std::string path_;
};

TEST_F(IniDocumentTest, ReplacesAddsAndRemovesSectionsAndLeavesTheRestByteForByte)
{
    const std::string kept = "[Daylens00]\r\n; the user's note\r\nVersion=1.0\r\n\r\n";
    const std::string text = kept + "[DaylensMemo]\nOld = 1\n[daylensmemo]\nRepeat=2\n[Gone]\r\nX=1\r\n[Last]\r\nTail=end";
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), text.data(), (DWORD)text.size(), nullptr));

    IniDocument* doc = OpenIniDocument(path_.c_str());
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(5, CountIniSections(doc));
    const char memo[] = "MemoDir         = C:\\メモ\0Quoted          = \" spaced \"\0";
    ASSERT_TRUE(SetIniSection(doc, "DAYLENSMEMO", memo));
    ASSERT_TRUE(SetIniSection(doc, "Gone", nullptr));
    ASSERT_TRUE(SetIniSection(doc, "New", "Key = 表示\0"));
    ASSERT_TRUE(SetIniKey(doc, "Last", "Added", "yes"));
    ASSERT_TRUE(SetIniKey(doc, "Daylens00", "version", "2.0"));
    ASSERT_TRUE(SetIniKey(doc, "Fresh", "Only", "1"));
    ASSERT_EQ(1, SaveIniDocument(doc));
    CloseIniDocument(doc);

    EXPECT_EQ("[Daylens00]\r\n; the user's note\r\nversion=2.0\r\n\r\n"
              "[DaylensMemo]\nMemoDir         = C:\\メモ\r\nQuoted          = \" spaced \"\r\n"
              "[Last]\r\nTail=end\r\nAdded=yes\r\n[New]\r\nKey = 表示\r\n[Fresh]\r\nOnly=1\r\n",
              Content(path_));
    EXPECT_EQ("C:\\メモ", Profile(path_, "DaylensMemo", "MemoDir"));
    EXPECT_EQ(" spaced ", Profile(path_, "DaylensMemo", "Quoted"));
    EXPECT_EQ("(none)", Profile(path_, "DaylensMemo", "Old"));
    EXPECT_EQ("表示", Profile(path_, "New", "Key"));
    EXPECT_EQ("end", Profile(path_, "Last", "Tail"));
    EXPECT_EQ("yes", Profile(path_, "Last", "Added"));
    EXPECT_EQ("1", Profile(path_, "Fresh", "Only"));
    EXPECT_EQ("(none)", Profile(path_, "Gone", "X"));
}

// The code-page text in the form of a file that starts with a byte-order mark (UTF-8, UTF-16 LE or BE), the mark
// left out.
std::string InForm(const char* form, const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &wide[0], (int)wide.size()));
    if (strcmp(form, "UTF-8") == 0) {
        std::string utf8(wide.size() * 3, '\0');
        utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0], (int)utf8.size(),
                                        nullptr, nullptr));
        return utf8;
    }
    std::string bytes;
    for (wchar_t c : wide) {
        char low = (char)(c & 0xFF), high = (char)(c >> 8);
        bytes += strcmp(form, "UTF-16 LE") == 0 ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

// Values as the program's readers give them: the file read whole, and the section of a document.
std::string FileValue(const std::string& path, const char* section, const char* key)
{
    char out[256] = "";
    ProfileFile* file = ReadProfileFile(path.c_str());
    GetSectionString(FindProfileFileSection(file, section), key, "(none)", out, sizeof(out));
    FreeProfileFile(file);
    return out;
}

std::string DocumentValue(const std::string& path, const char* section, const char* key)
{
    char out[256] = "";
    IniDocument* doc = OpenIniDocument(path.c_str());
    ProfileSection* parsed = ParseIniSection(doc, section);
    GetSectionString(parsed, key, "(none)", out, sizeof(out));
    FreeProfileSection(parsed);
    CloseIniDocument(doc);
    return out;
}

// Files edited by hand take the saves of the settings and memo writers: a section replaced, a key set, a section
// removed and one added read back as saved through the profile functions and through the program's readers, and
// the file keeps its form (its byte-order mark, the bytes of the sections left alone, its encoding).
TEST_F(IniDocumentTest, FilesEditedByHandTakeSavesThatEveryReaderReads)
{
    const std::string kept = "[Kept]\r\nK=表示\r\n";
    const std::string plain = "[Daylens00]\r\nWindowOrder=0\r\n[Daylens01]\r\nDisplayPreMonth=3\r\n[Gone]\r\nK=1\r\n";
    struct OddFile {
        const char* Kind;
        std::string Kept;  // the file's start, left alone by the saves
        std::string Rest;
    };
    std::vector<OddFile> files = {
        {"blanks inside brackets", kept, "[ Daylens00 ]\r\nWindowOrder=0\r\n[\tDaylens01 ]\r\nDisplayPreMonth=3\r\n"
                                         "[ Gone\t]\r\nK=1\r\n"},
        {"CR alone", "[Kept]\rK=表示\r", "[Daylens00]\rWindowOrder=0\r[Daylens01]\rDisplayPreMonth=3\r[Gone]\rK=1\r"},
        {"LF alone, blanks and a note", "[Kept]\nK=表示\n", "  [Daylens00] ; placement\nWindowOrder = 0\n"
                                                            "[Daylens01]\nDisplayPreMonth=3\n[Gone]\nK=1"},
        {"header on an unended last line", kept, "[Gone]\r\nK=1\r\n[Daylens01]\r\nDisplayPreMonth=3\r\n[Daylens00]"},
        {"keys without a value", kept, "[Daylens00]\r\nWindowOrder\r\n[Daylens01]\r\nDisplayPreMonth\r\n"
                                       "DisplayPreMonth=3\r\n[Gone]\r\nK=1"},
        {"lead byte before a line feed", kept, "[Note]\r\nK=\x82\n[Daylens00]\r\nWindowOrder=0\r\n[Daylens01]\r\n"
                                               "DisplayPreMonth=3\r\n[Gone]\r\nK=1\r\n"},
        {"UTF-8", "\xEF\xBB\xBF" + InForm("UTF-8", kept), InForm("UTF-8", plain)},
        {"UTF-16 LE", "\xFF\xFE" + InForm("UTF-16 LE", kept), InForm("UTF-16 LE", plain)},
        {"UTF-16 BE", "\xFE\xFF" + InForm("UTF-16 BE", kept),
         InForm("UTF-16 BE", "[ Daylens00 ]\r" + plain.substr(13))},
        {"UTF-16 BE of an odd length", "\xFE\xFF" + InForm("UTF-16 BE", kept), InForm("UTF-16 BE", plain) + "\r"},
    };
    int made = 0;
    for (const OddFile& file : files) {
        // A new file each time: the profile functions keep the files they read.
        std::string path = folder_.Path(("odd" + std::to_string(++made) + ".ini").c_str());
        std::string text = file.Kept + file.Rest;
        ASSERT_EQ(1, WriteWholeFile(path.c_str(), text.data(), (DWORD)text.size(), nullptr));
        IniDocument* doc = OpenIniDocument(path.c_str());
        ASSERT_NE(nullptr, doc);
        EXPECT_TRUE(SetIniSection(doc, "Daylens00", "WindowOrder      = 1\0"));
        EXPECT_TRUE(SetIniKey(doc, "Daylens01", "DisplayPreMonth", "7"));
        EXPECT_TRUE(SetIniSection(doc, "Gone", nullptr));
        EXPECT_TRUE(SetIniSection(doc, "Added", "K = 新\0"));
        EXPECT_EQ(1, SaveIniDocument(doc));
        CloseIniDocument(doc);

        struct Expected {
            const char* Section;
            const char* Key;
            const char* Value;
        } expected[] = {{"Daylens00", "WindowOrder", "1"}, {"Daylens01", "DisplayPreMonth", "7"},
                        {"Gone", "K", "(none)"}, {"Added", "K", "新"}, {"Kept", "K", "表示"}};
        for (const Expected& e : expected) {
            std::string where = std::string(file.Kind) + ": [" + e.Section + "] " + e.Key;
            EXPECT_EQ(e.Value, Profile(path, e.Section, e.Key)) << where;
            EXPECT_EQ(e.Value, FileValue(path, e.Section, e.Key)) << where;
            EXPECT_EQ(e.Value, DocumentValue(path, e.Section, e.Key)) << where;
        }
        std::string saved = Content(path);
        EXPECT_EQ(file.Kept, saved.substr(0, file.Kept.size())) << file.Kind;
        const char* form = file.Kept[0] == '\xEF' ? "UTF-8" : file.Kept[0] == '\xFF' ? "UTF-16 LE"
                         : file.Kept[0] == '\xFE' ? "UTF-16 BE" : nullptr;
        std::string line = "WindowOrder      = 1\r\n";
        EXPECT_NE(std::string::npos, saved.find(form ? InForm(form, line) : line)) << file.Kind;
    }
}

// A header ends at its last "]", as the profile functions read it.
TEST_F(IniDocumentTest, ASectionNameRunsToTheLastBracketOfItsLine)
{
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), "[a]x]\r\nK=old\r\n", 16, nullptr));
    ASSERT_EQ(1, WriteIniSection(path_.c_str(), "a]x", "K=new\0"));
    EXPECT_EQ("new", Profile(path_, "a]x", "K"));
    EXPECT_EQ("[a]x]\r\nK=new\r\n", Content(path_));
}

TEST_F(IniDocumentTest, ThreadsWritingSectionsOfOneFileLoseNothing)
{
    const int kWrites = 1000;
    auto writer = [&](const char* section) {
        for (int i = 0; i < kWrites; i++) {
            char lines[64];
            int n = snprintf(lines, sizeof(lines), "Count = %d", i);
            lines[n + 1] = '\0';
            IniDocument* doc = OpenIniDocument(path_.c_str());
            if (!doc || !SetIniSection(doc, section, lines) || !SaveIniDocument(doc))
                ADD_FAILURE() << section << " write " << i;
            CloseIniDocument(doc);
        }
    };
    std::thread one(writer, "One");
    std::thread two(writer, "Two");
    one.join();
    two.join();
    EXPECT_EQ("999", Profile(path_, "One", "Count"));
    EXPECT_EQ("999", Profile(path_, "Two", "Count"));
    std::string saved = Content(path_);
    EXPECT_EQ(saved.find("[One]"), saved.rfind("[One]"));
}

}  // namespace
