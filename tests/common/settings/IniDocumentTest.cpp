// The INI document changes only the sections it is asked to, reads back through the profile functions as written,
// and loses nobody's changes when threads write sections of one file at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "FileUtil.h"
#include "IniDocument.h"
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
    return TakeHeapText(ReadWholeFile(path.c_str(), &size));
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

TEST_F(IniDocumentTest, AFileThatStartsWithAByteOrderMarkIsRewrittenInTheCodePage)
{
    // A byte-order mark, then "[Daylens01]", "MonthUserStr=睦月" in UTF-8.
    const std::string text = "\xEF\xBB\xBF[Daylens01]\r\nMonthUserStr=\xE7\x9D\xA6\xE6\x9C\x88\r\n";
    ASSERT_EQ(1, WriteWholeFile(path_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    ASSERT_EQ(1, WriteIniSection(path_.c_str(), "Other", "A = 1\0"));
    EXPECT_EQ("睦月", Profile(path_, "Daylens01", "MonthUserStr"));
    EXPECT_EQ("1", Profile(path_, "Other", "A"));
    // A header ends at its last "]", as the profile functions read it.
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
