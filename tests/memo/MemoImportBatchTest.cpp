// An import that saves each memo file once at its end leaves the store exactly as importing the memos one by one
// did, also over memo files that are oddly written; and a file made new is never made over one that appeared.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <map>
#include <string>

#include "DurableSave.h"
#include "FileUtil.h"
#include "IniDocument.h"
#include "MemoExchange.h"
#include "MemoImportBatch.h"
#include "MemoImportExport.h"
#include "MemoMerge.h"
#include "MemoWriter.h"
#include "StrUtil.h"
#include "TempFolder.h"

namespace {

// The files of folder with their content ("<folder>" for a folder).
std::map<std::string, std::string> FolderContent(const std::string& folder)
{
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[name] = "<folder>";
            continue;
        }
        DWORD size = 0;
        char* text = ReadWholeFile((folder + "\\" + name).c_str(), &size);
        files[name] = text ? std::string(text, size) : "";
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// How a CSV import went before imports were gathered: each record read, merged and written at once.
void ImportRecordAtOnce(void* context, int year, int month, int day, const char* text, const DayMemoRecord* record)
{
    const MemoSettings* memo = (const MemoSettings*)context;
    MemoStoreSettings store = MemoStoreOf(memo);
    DayMemoRecord stored = *record;
    char* existing = ReadDayMemoText(nullptr, year, month, day, &store, &stored, 0);
    if (!existing) {
        WriteImportedMemo(memo, year, month, day, text, record, nullptr);
        return;
    }
    char* merged = MergeMemoText(memo, existing, text, nullptr);
    if (merged) {
        WriteImportedMemo(memo, year, month, day, merged, &stored, nullptr);
        HeapFree(GetProcessHeap(), 0, merged);
    }
    HeapFree(GetProcessHeap(), 0, existing);
}

class MemoImportBatchTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        char* folder = nullptr;
        GetModulePathParts(nullptr, &folder, nullptr);
        DeleteFileA((std::string(folder) + MEMO_MERGE_FILE).c_str());
        HeapFree(GetProcessHeap(), 0, folder);
    }

    // A store in a new folder holding files (name and content; a content of "<folder>" makes a folder).
    std::string MakeStore(TempFolder* folder, const std::map<std::string, std::string>& files)
    {
        EXPECT_TRUE(folder->Create("daylens-import-batch"));
        for (const auto& file : files) {
            std::string path = folder->Path(file.first.c_str());
            if (file.second == "<folder>")
                EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
            else
                EXPECT_TRUE(WriteWholeFile(path.c_str(), file.second.data(), (DWORD)file.second.size(), nullptr));
        }
        return folder->Dir();
    }

    // The CSV imported into two copies of a store, once through the import and once record by record: both
    // stores end byte for byte alike.
    void ExpectImportAsAtOnce(int monthFiles, const std::map<std::string, std::string>& files, const std::string& csv)
    {
        TempFolder gathered, atOnce;
        static MemoSettings memoA, memoB;
        memoA = memoB = MemoSettings();
        for (MemoSettings* memo : {&memoA, &memoB}) {
            memo->MemoSaveOneMonth = monthFiles;
            memo->MemoStyle.MarkType = 3;
            memo->MemoStyle.MarkColor = 0x123456;
        }
        SafeStrCpy(memoA.MemoDir, sizeof(memoA.MemoDir), MakeStore(&gathered, files).c_str());
        SafeStrCpy(memoB.MemoDir, sizeof(memoB.MemoDir), MakeStore(&atOnce, files).c_str());
        std::string path = gathered.Path("import.csv");
        ASSERT_TRUE(WriteWholeFile(path.c_str(), csv.data(), (DWORD)csv.size(), nullptr));
        MemoExchangePlace place = {&memoA, nullptr, nullptr};
        ImportMemoFile(&place, path.c_str(), nullptr);
        DeleteFileA(path.c_str());
        ParseMemoCsv(csv.c_str(), ImportRecordAtOnce, &memoB);
        std::map<std::string, std::string> a = FolderContent(gathered.Dir()), b = FolderContent(atOnce.Dir());
        EXPECT_EQ(b.size(), a.size());
        for (const auto& file : b)
            EXPECT_EQ(file.second, a[file.first]) << file.first << (monthFiles ? " (month files)" : "");
    }
};

// Records of several days in turn, with texts that read back otherwise than written (a vertical tab at the end, a
// lone lead byte, bytes of no character), too long for a stored line, lines already there, memo data for other
// days; over files that read as written, oddly written ones (blanks inside brackets, a header ending at its last
// "]", a repeated section, a last line without its line break), an empty file and a folder in the place of a file.
std::string MixedCsv()
{
    std::string longText(20000, 'x');
    longText += "&&&&";
    std::string csv;
    const char* records[] = {
        "2026年 5月 1日(金),\"会議\",255,4,0,1,9,30",
        "2026年 5月 2日(土),\"追加\",255,4,0,1,99,99",
        "2026年 5月 3日(日),\"昼食\"",
        "2026年 5月 1日(金),\"会議\n資料 \n%秘密\",16,5,65280,0,10,0",
        "2026年 5月 4日(月),\"縦\vタブ\v\"",
        "2026年 5月 5日(火),\"空\x81\"",
        "2026年 5月 6日(水),\"通らない\"",
        "2026年 5月 7日(木),\"\x80\xA0\xFD\"",
        "2026年 5月 2日(土),\"[20260503]\nMemo=データ\n[20260509]\nMemo=別の日\"",
        "2026年 5月 3日(日),\"\"\"引用\"\"\"",
        "2026年 5月 8日(金),\" 前後の空白 \"",
        "2026年 5月 4日(月),\"縦\vタブ\v\"",
        "2026年 5月 1日(金),\"会議\",0,1,0,1,7,5",
        "2026年 5月 2日(土),\"再追加\"",
    };
    for (const char* record : records)
        csv += std::string(record) + "\r\n";
    csv += "2026年 5月 8日(金),\"" + longText + "\"\r\n";
    csv += "2026年 5月 8日(金),\"後\"\r\n";
    return csv;
}

TEST_F(MemoImportBatchTest, ACsvImportLeavesTheStoreAsImportingRecordByRecordDid)
{
    ExpectImportAsAtOnce(0,
                         {{"20260501.txt", "[20260501]\r\nMarkType = 7\r\nTime = 08:00\r\nMemo = 朝\r\n"},
                          {"20260502.txt", "\v[20260502]\r\nMemo=縦タブの後\r\n"},
                          {"20260503.txt", "[20260503]x]\r\nMemo=かっこ\r\n[20260503]\r\nMemo=二つ目\r\n"},
                          {"20260504.txt", "[20260504]\r\nMemo=abc\x81\r\n"},
                          {"20260505.txt", ""},
                          {"20260506.txt", "<folder>"},
                          {"20260508.txt", "[20260508]\r\nMemo=八日"}},
                         MixedCsv());
    ExpectImportAsAtOnce(1,
                         {{"202605.txt", "[20260501]\r\nMemo = 朝\r\n[20260504]\r\nMemo=abc\x81\r\n[20260501]\r\nMemo=重複\r\n"
                                         "[20260508]\r\nMemo=八日"},
                          {"202606.txt", "[20260601]\nMemo=改行だけ\n  [ 20260602 ]\r\nMemo=空白\r\n"}},
                         MixedCsv() + "2026年 6月 2日(火),\"六月\"\r\n2026年 6月 3日(水),\"六月三日\"\r\n");
}

// A file made new at the end of an import is made only while its name is still free: a file that appeared in the
// meantime keeps its content, and the import's days are added to it.
TEST_F(MemoImportBatchTest, ANewFileIsNeverMadeOverOneThatAppeared)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("daylens-new-file"));
    std::string path = folder.Path("20260501.txt");
    ASSERT_EQ(1, SaveNewFileDurablyVia(path.c_str(), "[a]\r\n", 5, nullptr));
    EXPECT_EQ(0, SaveNewFileDurablyVia(path.c_str(), "[b]\r\n", 5, nullptr));
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
    IniDocument* doc = OpenNewIniDocument(path.c_str());
    ASSERT_NE(nullptr, doc);
    ASSERT_TRUE(SetIniSection(doc, "c", "K=1\0"));
    EXPECT_EQ(0, SaveIniDocument(doc));
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
    CloseIniDocument(doc);
    EXPECT_EQ((std::map<std::string, std::string>{{"20260501.txt", "[a]\r\n"}}), FolderContent(folder.Dir()));

    static MemoSettings memo;
    SafeStrCpy(memo.MemoDir, sizeof(memo.MemoDir), folder.Dir().c_str());
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    MemoImportTally tally = {};
    MemoImportBatch* batch = BeginMemoImport(&memo, &tally);  // the folder is listed empty
    ASSERT_NE(nullptr, batch);
    DayMemoRecord record = {memo.MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    EXPECT_EQ(1, WriteImportedDayMemo(batch, 2026, 5, 1, "取込", &record));
    const char appeared[] = "[20260430]\r\nMemo=前から\r\n";
    ASSERT_EQ(1, SaveFileDurably(path.c_str(), appeared, (DWORD)strlen(appeared)));
    EXPECT_EQ(1, EndMemoImport(batch));
    EXPECT_EQ(1, tally.Written);
    std::string content = FolderContent(folder.Dir())["20260501.txt"];
    EXPECT_EQ(0u, content.find("[20260430]\r\nMemo=前から\r\n[20260501]\r\n")) << content;
}

}  // namespace
