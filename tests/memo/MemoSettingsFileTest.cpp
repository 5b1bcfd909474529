// The memo section of the settings file: defaults, older keys and sections, clamps, the resolved memo folder and a
// round trip of every key in its padded line.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "FileUtil.h"
#include "HeapUtil.h"
#include "MemoSettingsFile.h"
#include "TempFolder.h"

namespace {

class MemoSettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-memo-settings"));
        ini_ = temp_.Path("Daylens.ini");
        memset(&memo_, 0, sizeof(memo_));
    }
    void TearDown() override { FreeMemoSearchHistory(&memo_); }

    // Writes the file: the new layout's placement section and the given memo section text.
    void Write(const std::string& memoSection, bool legacy = false)
    {
        std::string text = legacy ? "[Daylens]\r\nWindowX=1\r\n" : "[Daylens00]\r\nVersion=1.20.01\r\n";
        text += (legacy ? "" : "[DaylensMemo]\r\n") + memoSection;
        ASSERT_TRUE(WriteWholeFile(ini_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    void Load(int dialogFont = 0) { ASSERT_EQ(1, LoadMemoSettings(&memo_, ini_.c_str(), "Daylens", dialogFont)); }
    std::string Folder(const char* name) const { return temp_.Path(name); }

    TempFolder temp_;
    std::string ini_;
    MemoSettings memo_;
};

TEST_F(MemoSettingsFileTest, MissingKeysGiveTheDefaultsAndOlderKeysAreRead)
{
    Write("MemoDir=" + Folder("store") + "\\\r\nMemoMarkRGB=255\r\nMemoNoUseStrRGB=0\r\nMemoStrRGB=123\r\n"
          "MemoStrColor=77\r\nMemoOnToolTip=0\r\n");
    Load(1);
    EXPECT_EQ(Folder("store"), memo_.MemoDir);  // no trailing backslash, and made
    EXPECT_TRUE(FolderExists(memo_.MemoDir, 0));
    EXPECT_EQ(255u, memo_.MemoStyle.MarkColor);
    EXPECT_EQ(0, memo_.MemoStyle.NoUseStrColor);
    EXPECT_EQ(77u, memo_.MemoStyle.StrColor);  // the current key wins over the older one
    EXPECT_EQ(0, memo_.MemoShowToolTip);
    EXPECT_EQ(1, memo_.MemoMark);
    EXPECT_EQ(1, memo_.MemoTaskTray);
    EXPECT_EQ(1, memo_.MemoStyle.ShadowWidth);
    EXPECT_EQ(4, memo_.MemoStyle.ShadowDirection);
    EXPECT_EQ(-1, memo_.TodayMemoWindowWidth);
    EXPECT_EQ(MEMO_TIME_UNSET, memo_.MemoPopupTimeHour);
    EXPECT_EQ(MEMO_TIME_UNSET, memo_.MemoTomorrowMinute);
    EXPECT_EQ(3600, memo_.MemoSleepCheckInterval);
    EXPECT_EQ(1, memo_.WeekMemoMode);
    EXPECT_EQ(12, memo_.MemoFontSize);
    EXPECT_EQ(1, memo_.MemoDialogFont);  // the calendar's dialog font
    EXPECT_EQ(nullptr, memo_.MemoSearch[0]);
}

TEST_F(MemoSettingsFileTest, LegacyLayoutReadsTheProgramSection)
{
    Write("MemoMarkColor=4660\r\nMemoDir=" + Folder("old") + "\r\n", true);
    Load();
    EXPECT_EQ(4660u, memo_.MemoStyle.MarkColor);
    EXPECT_EQ(Folder("old"), memo_.MemoDir);
}

TEST_F(MemoSettingsFileTest, OddValuesAreHeldToWhatTheProgramCanUse)
{
    Write("MemoDir=" + Folder("store") + "\r\nMemoFontSize=5\r\nMemoPopupTimeHour=25\r\nMemoPopupTimeMinute=10\r\n"
          "MemoTomorrowHour=7\r\nMemoTomorrowMinute=-1\r\nWeekMemoMode=9\r\nMemoSearch00=a\r\nMemoSearch02=c\r\n"
          "MemoShadowWidth=4294967295\r\n");
    Load();
    EXPECT_EQ(MEMO_FONT_SIZE_MIN, memo_.MemoFontSize);
    EXPECT_EQ(SHADOW_WIDTH_MAX, memo_.MemoStyle.ShadowWidth);  // a wider one would cover the calendar
    // A time that is no time of day is unset in both parts.
    EXPECT_EQ(MEMO_TIME_UNSET, memo_.MemoPopupTimeHour);
    EXPECT_EQ(MEMO_TIME_UNSET, memo_.MemoPopupTimeMinute);
    EXPECT_EQ(MEMO_TIME_UNSET, memo_.MemoTomorrowHour);
    EXPECT_EQ(4, memo_.WeekMemoMode);
    // The history ends at the first missing number.
    ASSERT_NE(nullptr, memo_.MemoSearch[0]);
    EXPECT_STREQ("a", memo_.MemoSearch[0]);
    EXPECT_EQ(nullptr, memo_.MemoSearch[1]);
}

TEST_F(MemoSettingsFileTest, PerUserStoreIgnoresTheConfiguredFolder)
{
    Write("MemoIndividual=1\r\nMemoDir=" + Folder("shared") + "\r\n");
    Load();
    char user[256] = "";
    DWORD size = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &size));
    std::string folder = memo_.MemoDir;
    EXPECT_EQ(std::string("Memo-") + user, folder.substr(folder.rfind('\\') + 1));
    EXPECT_FALSE(FolderExists(Folder("shared").c_str(), 0));
    RemoveDirectoryA(memo_.MemoDir);
}

TEST_F(MemoSettingsFileTest, EveryKeySurvivesARoundTripInTheNewSection)
{
    Write("MemoDir=" + Folder("store") + "\r\n", true);
    Load();
    memo_.TodayMemoWindowX = 10, memo_.TodayMemoWindowY = 20, memo_.WeekMemoWindowHeight = 300;
    memo_.MemoSelectedTab = 2, memo_.MemoMark = 0, memo_.MemoStyle.MarkType = 52;
    memo_.MemoStyle.Gradation = 3, memo_.MemoSaveOneMonth = 1, memo_.MemoPopup = 1;
    memo_.MemoPopupTimeHour = 8, memo_.MemoPopupTimeMinute = 30, memo_.MemoTomorrowHour = 21;
    memo_.MemoTomorrowMinute = 0, memo_.MemoSleepCheckInterval = 0, memo_.WeekMemoMode = 4;
    memo_.MemoFontSize = 99, memo_.MemoDialogFont = 1;
    strcpy(memo_.MemoPopupAlarm, "C:\\音\\表.wav");
    memo_.MemoSearch[0] = StrDupHeap("会議");
    memo_.MemoSearch[1] = StrDupHeap("旅行");
    ASSERT_EQ(1, SaveMemoSettings(&memo_, ini_.c_str(), "Daylens"));
    // Each key stands in 23 columns before "= ", the longest with one blank.
    DWORD size = 0;
    char* data = ReadWholeFile(ini_.c_str(), &size);
    ASSERT_NE(nullptr, data);
    std::string bytes(data, size);
    HeapFree(GetProcessHeap(), 0, data);
    EXPECT_NE(std::string::npos, bytes.find("\r\nMemoIndividual         = 0\r\n")) << bytes;
    EXPECT_NE(std::string::npos, bytes.find("\r\nMemoSleepCheckInterval = 0\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("\r\nMemoSearch01           = 旅行\r\n"));

    // The writer always writes the new layout; the next start reads it from there.
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini_.c_str());
    MemoSettings read = {};
    ASSERT_EQ(1, LoadMemoSettings(&read, ini_.c_str(), "Daylens", 0));
    const size_t from = offsetof(MemoSettings, MemoSelectedTab), to = offsetof(MemoSettings, MemoSearch);
    EXPECT_EQ(0, memcmp((BYTE*)&read + from, (BYTE*)&memo_ + from, to - from));
    EXPECT_STREQ(memo_.MemoDir, read.MemoDir);
    EXPECT_STREQ("会議", read.MemoSearch[0]);
    EXPECT_STREQ("旅行", read.MemoSearch[1]);
    EXPECT_EQ(nullptr, read.MemoSearch[2]);
    FreeMemoSearchHistory(&read);
}

TEST_F(MemoSettingsFileTest, CopyTakesTheSettingsAndOwnHistoryAndKeepsTheRunTimePart)
{
    MemoSettings from = {};
    strcpy(from.MemoDir, "C:\\メモ");
    from.MemoFontSize = 20;
    from.MemoYear = 1999;
    from.MemoSearch[0] = StrDupHeap("語");
    memo_.MemoYear = 2026;
    memo_.MemoSearch[0] = StrDupHeap("old");
    ASSERT_EQ(1, CopyMemoSettings(&memo_, &from));
    EXPECT_STREQ("C:\\メモ", memo_.MemoDir);
    EXPECT_EQ(20, memo_.MemoFontSize);
    EXPECT_EQ(2026, memo_.MemoYear);
    ASSERT_NE(nullptr, memo_.MemoSearch[0]);
    EXPECT_NE(from.MemoSearch[0], memo_.MemoSearch[0]);
    EXPECT_STREQ("語", memo_.MemoSearch[0]);
    FreeMemoSearchHistory(&from);
}

}  // namespace
