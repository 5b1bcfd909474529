// Exporting a range of the memo store into files and importing files into it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "FileUtil.h"
#include "MemoImportExport.h"
#include "MemoMerge.h"
#include "MemoTestStore.h"
#include "MemoWriter.h"
#include "UserMessage.h"

namespace {

std::vector<std::string> g_told;

int RecordMessage(HWND, const char* text, const char*, UINT)
{
    g_told.push_back(text);
    return IDOK;
}

class MemoImportExportTest : public MemoTestStore {
protected:
    void SetUp() override
    {
        MemoTestStore::SetUp();
        g_told.clear();
        previous_ = SetMessageBoxHook(RecordMessage);
        place_ = {&memo_, nullptr, nullptr};
    }
    void TearDown() override
    {
        SetMessageBoxHook(previous_);
        // The scratch file of the imports lies beside the test program.
        char* folder = nullptr;
        GetModulePathParts(nullptr, &folder, nullptr);
        DeleteFileA((std::string(folder) + MEMO_MERGE_FILE).c_str());
        HeapFree(GetProcessHeap(), 0, folder);
    }

    // 3 May 2026 with a two-line memo holding quotes and a time, 10 May with a memo without time.
    void WriteMay()
    {
        DayMemoRecord timed = Record(10, 5);
        timed.Style.MarkColor = 255;
        timed.Style.MarkType = 6;
        timed.Style.StrColor = 65280;
        timed.Style.NoUseStrColor = 0;
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 3, "会議\r\n\"資料\"", &timed));
        DayMemoRecord untimed = Record();
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 10, "旅行", &untimed));
    }
    std::string Export(int format, int firstDay = 1, int lastDay = 31)
    {
        SYSTEMTIME first = {2026, 5, 0, (WORD)firstDay}, last = {2026, 5, 0, (WORD)lastDay};
        std::string path = Path("export.out");
        EXPECT_EQ(1, ExportMemoToFile(&place_, path.c_str(), &first, &last, format));
        return TakeHeapText(ReadWholeFile(path.c_str(), nullptr));
    }
    std::string WriteFile(const char* name, const std::string& content)
    {
        std::string path = Path(name);
        EXPECT_TRUE(WriteWholeFile(path.c_str(), content.data(), (DWORD)content.size(), nullptr));
        return path;
    }

    MemoExchangePlace place_;
    MessageBoxHook previous_ = nullptr;
};

TEST_F(MemoImportExportTest, TheTextFormatsHoldEveryMemoDayOfTheRange)
{
    WriteMay();
    EXPECT_EQ("2026年 5月 3日(日),\"会議 \n\"\"資料\"\"\",255,6,65280,0,10,5\r\n"
              "2026年 5月10日(日),\"旅行\",0,1,0,1,99,99\r\n",
              Export(MEMO_EXPORT_CSV));
    EXPECT_EQ("件名,開始日,開始時刻,終了日,終了時刻,内容\r\n"
              "\"会議\r\n\"\"資料\"\"\",2026/5/3,10:05:00,2026/5/3,00:00:00,\r\n"
              "\"旅行\",2026/5/10,00:00:00,2026/5/10,00:00:00,\r\n",
              Export(MEMO_EXPORT_OUTLOOK));
    EXPECT_EQ("2026年 5月10日(日)\r\n旅行\r\n\r\n", Export(MEMO_EXPORT_TEXT, 4, 10));
    EXPECT_EQ(std::vector<std::string>(3, "メモを書き出しました"), g_told);
}

TEST_F(MemoImportExportTest, ARangeWithoutMemosWritesNothing)
{
    WriteMay();
    for (int format : {MEMO_EXPORT_CSV, MEMO_EXPORT_OUTLOOK, MEMO_EXPORT_TEXT}) {
        g_told.clear();
        EXPECT_EQ("(null)", Export(format, 11, 31));
        EXPECT_EQ(std::vector<std::string>{"指定の期間にメモはありません"}, g_told);
    }
}

TEST_F(MemoImportExportTest, TheOwnCsvMergesWithTheStoredMemoAndRestoresItsOwnDays)
{
    WriteMay();
    std::string csv = Export(MEMO_EXPORT_CSV);
    DayMemoRecord stored = Record(8, 30);
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 3, "会議\r\n昼食", &stored));
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 10, nullptr, nullptr));
    std::string path = WriteFile("memo.CSV", csv);

    EXPECT_EQ(1, ImportMemoFile(&place_, path.c_str(), nullptr));
    DayMemoRecord record = {};
    EXPECT_EQ("会議\r\n昼食\r\n\"資料\"", Read(2026, 5, 3, &record));
    EXPECT_EQ(memo_.MemoStyle.MarkType, record.Style.MarkType);
    EXPECT_EQ(8, record.Hour);
    EXPECT_EQ(30, record.Minute);
    EXPECT_EQ("旅行", Read(2026, 5, 10, &record));
    EXPECT_EQ(99, record.Hour);
    // Nothing new arrives the second time, and nothing stored goes.
    EXPECT_EQ(1, ImportMemoFile(&place_, path.c_str(), nullptr));
    EXPECT_EQ("会議\r\n昼食\r\n\"資料\"", Read(2026, 5, 3));
    // Memo data of the store's form goes to its own day, and the day of the record keeps its memo.
    path = WriteFile("data.csv", "2026年 5月 3日(日),\"[20260504] \nMemo=別の日\"\r\n");
    ImportMemoFile(&place_, path.c_str(), nullptr);
    EXPECT_EQ("会議\r\n昼食\r\n\"資料\"", Read(2026, 5, 3));
    EXPECT_EQ("別の日", Read(2026, 5, 4));
}

TEST_F(MemoImportExportTest, AMemoFileOfADayIsImportedWhenItHoldsAMemo)
{
    std::string day = WriteFile("20260503.txt", "[20260503]\r\nMemo=会議\r\nTime=09:15\r\n");
    std::string empty = WriteFile("20260504.txt", "[20260504]\r\nTime=09:15\r\n");
    EXPECT_EQ(1, ImportMemoFile(&place_, day.c_str(), nullptr));
    EXPECT_EQ(0, ImportMemoFile(&place_, empty.c_str(), nullptr));
    DayMemoRecord record = {};
    EXPECT_EQ("会議", Read(2026, 5, 3, &record));
    EXPECT_EQ(9, record.Hour);
    EXPECT_EQ("(null)", Read(2026, 5, 4));
}

// A day the memo folder cannot take is counted, whichever way its memo came in, and told with the number of days not
// written; a memo too long for the store's line is cut on a character boundary and told too.
TEST_F(MemoImportExportTest, ImportsTellTheDaysNotWrittenAndTheMemosCut)
{
    // A folder in the place of 3 May's file: no write can make it.
    ASSERT_TRUE(CreateDirectoryA(Path("20260503.txt").c_str(), nullptr));
    // "&" is stored as two bytes, and each 表 is two: the text is cut after the last whole 表 that fits.
    std::string fits = "&";
    for (size_t i = 0; i < (StorableMemoLength() - 2) / 2; i++)
        fits += "表";
    std::string csv = "2026年 5月 3日(日),\"会議\",0,1,0,1,99,99\r\n"
                      "2026年 5月10日(日),\"" + fits + "表表\",0,1,0,1,99,99\r\n"
                      "2026年 5月11日(月),\"昼食\",0,1,0,1,99,99\r\n"
                      "2026年 5月11日(月),\"買物\",0,1,0,1,99,99\r\n";
    MemoImportTally tally = {};
    EXPECT_EQ(1, ImportMemoFile(&place_, WriteFile("memo.csv", csv).c_str(), &tally));
    EXPECT_EQ(fits, Read(2026, 5, 10));
    EXPECT_EQ("昼食\r\n買物", Read(2026, 5, 11));
    // Memo data for the day, from a file of sections and from an archive's entry alike.
    EXPECT_EQ(0, ImportMemoFile(&place_, WriteFile("data.txt", "[20260503]\r\nMemo=旅行\r\n").c_str(), &tally));
    EXPECT_EQ(0, ImportMemoText(&memo_, "[20260503]\r\nMemo=旅行\r\n", &tally));
    EXPECT_EQ(2, tally.Written);  // the 10th and the 11th, each once
    EXPECT_EQ(3, tally.Failed);
    EXPECT_EQ(1, tally.Cut);

    const char done[] = "メモをインポートしました";
    EXPECT_EQ(1, TellMemoImport(nullptr, 1, &tally, done, MB_ICONINFORMATION));
    MemoImportTally whole = {2, 0, 0}, none = {};
    EXPECT_EQ(1, TellMemoImport(nullptr, 1, &whole, done, MB_ICONINFORMATION));
    EXPECT_EQ(0, TellMemoImport(nullptr, 0, &none, done, MB_ICONINFORMATION));
    EXPECT_EQ((std::vector<std::string>{"メモを保存できません\r\n保存できなかったメモ: 3日分\r\n長すぎるメモは途中まで保存しました",
                                        done}),
              g_told);
}

TEST_F(MemoImportExportTest, WithoutTheArchiverAnArchiveChangesNothing)
{
    WriteMay();
    std::string archive = WriteFile("memo.lzh", "not read");
    EXPECT_EQ(0, ImportMemoFile(&place_, archive.c_str(), nullptr));
    SYSTEMTIME first = {2026, 5, 0, 1}, last = {2026, 5, 0, 31};
    EXPECT_EQ(1, ExportMemoToFile(&place_, archive.c_str(), &first, &last, MEMO_EXPORT_LZH));
    EXPECT_EQ(std::vector<std::string>(2, "unlha32.dllがインストールされていません"), g_told);
    EXPECT_EQ("会議\r\n\"資料\"", Read(2026, 5, 3));
    EXPECT_EQ("(null)", Read(2026, 5, 4));
    EXPECT_EQ("not read", TakeHeapText(ReadWholeFile(archive.c_str(), nullptr)));
}

// The archive formats through a stand-in archiver in the plug-in folder of a program folder of the test's own.
class MemoArchiveTest : public MemoImportExportTest {
protected:
    void SetUp() override
    {
        MemoImportExportTest::SetUp();
        ASSERT_TRUE(program_.Create("daylens-memo-program"));
        programDir_ = program_.Dir() + "\\";
        ASSERT_TRUE(CreateDirectoryA((programDir_ + "PlugIn").c_str(), nullptr));
        ASSERT_TRUE(CopyFileA(FAKE_ARCHIVER_DLL, (programDir_ + "PlugIn\\unlha32.dll").c_str(), FALSE));
        place_.ProgramDir = programDir_.c_str();
    }
    std::string ExportArchive(const char* name, int firstMonth, int firstDay, int lastMonth, int lastDay)
    {
        SYSTEMTIME first = {2026, (WORD)firstMonth, 0, (WORD)firstDay}, last = {2026, (WORD)lastMonth, 0, (WORD)lastDay};
        std::string path = Path(name);
        EXPECT_EQ(1, ExportMemoToFile(&place_, path.c_str(), &first, &last, MEMO_EXPORT_LZH));
        return TakeHeapText(ReadWholeFile(path.c_str(), nullptr));
    }

    TempFolder program_;
    std::string programDir_;
};

TEST_F(MemoArchiveTest, AnExportReplacesTheArchiveWithTheMemoFilesOfTheRange)
{
    WriteMay();
    WriteFile("memo.lzh", "old.txt=old\r\n");
    std::string archive = ExportArchive("memo.lzh", 5, 3, 5, 31);
    EXPECT_EQ("20260503.txt=" + Path("20260503.txt") + "\r\n20260510.txt=" + Path("20260510.txt") + "\r\n", archive);
    EXPECT_EQ("(null)", ExportArchive("none.lzh", 5, 11, 5, 31));
    EXPECT_EQ("(null)", ExportArchive("fail.lzh", 5, 1, 5, 31));
    EXPECT_EQ((std::vector<std::string>{"メモを書き出しました", "指定の期間にメモはありません", "メモを書き出せませんでした"}),
              g_told);
}

TEST_F(MemoArchiveTest, InMonthFilesAnExportTakesEveryMonthTheRangeTouches)
{
    memo_.MemoSaveOneMonth = 1;
    DayMemoRecord record = Record();
    for (int month : {2, 3, 4, 5, 6})
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, month, 28, "月末", &record));
    std::string archive = ExportArchive("memo.lzh", 3, 15, 5, 2);
    EXPECT_EQ("202603.txt=" + Path("202603.txt") + "\r\n202604.txt=" + Path("202604.txt") + "\r\n202605.txt=" +
                  Path("202605.txt") + "\r\n",
              archive);
}

// Every text entry of an archive is memo data, whatever its name or folder (an archive of the memo folder made by
// another archiver names its entries with the folder): the sections inside place the memos.
TEST_F(MemoArchiveTest, AnImportTakesTheMemosOfEveryTextEntryOfTheArchive)
{
    DayMemoRecord record = Record();
    ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 5, 3, "予定", &record));
    std::string day = WriteFile("day.txt", "[20260503]\r\nMemo=会議\r\n");
    std::string other = WriteFile("other.txt", "[20260504]\r\nMemo=他\r\n");
    std::string notes = WriteFile("notes.txt", "[20260505]\r\nMemo=メモ\r\n[20260503]\r\nMemo=昼食\r\n");
    std::string archive = WriteFile("memo.lzh", "Memo\\20260503.txt=" + day + "\r\nMemo\\sub\\20260504.txt=" + other +
                                                    "\r\nnotes.txt=" + notes + "\r\n");
    EXPECT_EQ(1, ImportMemoFile(&place_, archive.c_str(), nullptr));
    EXPECT_EQ("予定\r\n会議\r\n昼食", Read(2026, 5, 3));
    EXPECT_EQ("他", Read(2026, 5, 4));
    EXPECT_EQ("メモ", Read(2026, 5, 5));
    std::string empty = WriteFile("empty.lzh", "");
    EXPECT_EQ(0, ImportMemoFile(&place_, empty.c_str(), nullptr));
    EXPECT_TRUE(g_told.empty());
}

// With the archiver Daylens installs, an exported store comes back byte for byte into an empty store.
TEST_F(MemoImportExportTest, AnArchiveOfTheRealArchiverImportsBackAsItWasExported)
{
    WriteMay();
    std::string programDir = std::string(DAYLENS_DIST_DIR) + "\\";
    place_.ProgramDir = programDir.c_str();
    std::string archive = Path("memo.lzh");
    SYSTEMTIME first = {2026, 5, 0, 1}, last = {2026, 5, 0, 31};
    ASSERT_EQ(1, ExportMemoToFile(&place_, archive.c_str(), &first, &last, MEMO_EXPORT_LZH));

    TempFolder other;
    ASSERT_TRUE(other.Create("daylens-memo-imported"));
    MemoSettings imported = {};
    SafeStrCpy(imported.MemoDir, sizeof(imported.MemoDir), other.Dir().c_str());
    place_.Memo = &imported;
    EXPECT_EQ(1, ImportMemoFile(&place_, archive.c_str(), nullptr));
    for (const char* name : {"20260503.txt", "20260510.txt"})
        EXPECT_EQ(TakeHeapText(ReadWholeFile(Path(name).c_str(), nullptr)),
                  TakeHeapText(ReadWholeFile(other.Path(name).c_str(), nullptr)))
            << name;
    EXPECT_EQ((std::vector<std::string>{"メモを書き出しました"}), g_told);
}

}  // namespace
