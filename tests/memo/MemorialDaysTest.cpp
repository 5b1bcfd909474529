// The memorial table: read from the memorial file of the settings, kept or read again when the per-user choice
// changes, and replaced whole while another thread reads it.
#include <gtest/gtest.h>

#include <windows.h>
#include <process.h>

#include <string.h>

#include <string>

#include "DateUtil.h"
#include "FileUtil.h"
#include "MemorialDays.h"
#include "TempFolder.h"

namespace {

std::string MemorialOn(int year, int month, int day, int ageFlag = 1)
{
    char text[HOLIDAY_NAME_SIZE] = "?";
    CheckMemorialDay(year, month, day, DayOfWeek(year, month, day), ageFlag, text);
    return text;
}

class MemorialDaysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-memorial-days"));
        dir_ = temp_.Dir() + "\\";
        memset(&g_memorialSettings, 0, sizeof(g_memorialSettings));
        char user[1024] = "";
        DWORD size = sizeof(user);
        ASSERT_TRUE(GetUserNameA(user, &size));
        userFile_ = dir_ + "MemorialDay-" + user + ".txt";
    }
    void TearDown() override
    {
        FreeMemorialDays();
        memset(&g_memorialSettings, 0, sizeof(g_memorialSettings));
    }
    void WriteFile(const std::string& path, const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile(path.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }

    TempFolder temp_;
    std::string dir_;
    std::string userFile_;
};

TEST_F(MemorialDaysTest, TableComesFromTheMemorialFile)
{
    WriteFile(dir_ + "MemorialDay.txt", "# 記念日\r\n1970 5 3 Wedding Day\r\n- 12 2日 誕生日\r\n");
    ASSERT_EQ(1, LoadMemorialDays(dir_.c_str(), LoadHoliday));
    EXPECT_EQ(dir_ + "MemorialDay.txt", g_memorialSettings.MemorialPath);
    int count = 0;
    ASSERT_NE(nullptr, MemorialDaysOnMainThread(&count));
    EXPECT_EQ(2, count);
    EXPECT_EQ("Wedding Day(50年)", MemorialOn(2020, 5, 3));
    EXPECT_EQ("Wedding Day", MemorialOn(2020, 5, 3, 0));
    EXPECT_EQ("誕生日", MemorialOn(2026, 12, 13));  // the second Sunday of December, every year without an age
    EXPECT_EQ("", MemorialOn(2026, 12, 6));

    // Without the language module's reader the table is empty.
    LoadMemorialDays(dir_.c_str(), nullptr);
    EXPECT_EQ(nullptr, MemorialDaysOnMainThread(&count));
    EXPECT_EQ(0, count);
}

// Switching to a per-user file that does not exist yet keeps the days, so that the next save moves them there;
// switching to a file that exists shows that file's days, so that no list is written over another's.
TEST_F(MemorialDaysTest, PerUserSwitchReadsOnlyAFileThatExists)
{
    WriteFile(dir_ + "MemorialDay.txt", "1970 5 3 共有\r\n");
    LoadMemorialDays(dir_.c_str(), LoadHoliday);
    g_memorialSettings.MemorialIndividual = 1;
    EXPECT_EQ(0, SwitchMemorialFile(dir_.c_str(), LoadHoliday));
    EXPECT_EQ(userFile_, g_memorialSettings.MemorialPath);
    EXPECT_EQ("共有", MemorialOn(2020, 5, 3, 0));

    // The same choice again reads nothing.
    EXPECT_EQ(0, SwitchMemorialFile(dir_.c_str(), LoadHoliday));

    g_memorialSettings.MemorialIndividual = 0;
    EXPECT_EQ(1, SwitchMemorialFile(dir_.c_str(), LoadHoliday));
    WriteFile(userFile_, "2000 7 7 個人\r\n");
    g_memorialSettings.MemorialIndividual = 1;
    EXPECT_EQ(1, SwitchMemorialFile(dir_.c_str(), LoadHoliday));
    EXPECT_EQ("", MemorialOn(2020, 5, 3, 0));
    EXPECT_EQ("個人", MemorialOn(2020, 7, 7, 0));
    g_memorialSettings.MemorialIndividual = 0;
    EXPECT_EQ(1, SwitchMemorialFile(dir_.c_str(), LoadHoliday));
    EXPECT_EQ("共有", MemorialOn(2020, 5, 3, 0));
}

// A copy for an editor is the caller's own: the table may be replaced meanwhile, and the copy swapped in later.
TEST_F(MemorialDaysTest, CopyOutlivesTheTableItCameFrom)
{
    WriteFile(dir_ + "MemorialDay.txt", "1970 5 3 結婚記念日\r\n");
    LoadMemorialDays(dir_.c_str(), LoadHoliday);
    int count = 0;
    HolidayRecord* copy = CopyMemorialDays(&count);
    ASSERT_NE(nullptr, copy);
    ASSERT_EQ(1, count);
    FreeMemorialDays();
    EXPECT_STREQ("結婚記念日", copy[0].name);
    ReplaceMemorialDays(copy, count);
    EXPECT_EQ("結婚記念日(50年)", MemorialOn(2020, 5, 3));
    FreeMemorialDays();
    EXPECT_EQ(nullptr, CopyMemorialDays(&count));
    EXPECT_EQ(0, count);
}

struct ReaderState {
    volatile LONG Stop;
    LONG Reads;
    LONG Wrong;
};

unsigned __stdcall ReadMemorials(void* param)
{
    ReaderState* state = (ReaderState*)param;
    while (!state->Stop) {
        std::string text = MemorialOn(2020, 5, 3, 0);
        if (text != "一番目の記念日" && text != "二番目の記念日")
            InterlockedIncrement(&state->Wrong);
        InterlockedIncrement(&state->Reads);
    }
    return 0;
}

// The watcher reads the table on its own thread: while the table is replaced over and over, every read sees one
// whole list, never a freed or half-made one.
TEST_F(MemorialDaysTest, ReaderOnAnotherThreadAlwaysSeesAWholeTable)
{
    const char* texts[] = {"1970 5 3 一番目の記念日\r\n", "1970 5 3 二番目の記念日\r\n"};
    unsigned int count = 0;
    ReplaceMemorialDays(ParseHolidayText(HOLIDAY_KIND_MEMORIAL, texts[0], &count), (int)count);
    ReaderState state = {};
    HANDLE reader = (HANDLE)_beginthreadex(nullptr, 0, ReadMemorials, &state, 0, nullptr);
    ASSERT_NE(nullptr, reader);
    for (int i = 0; i < 20000 || state.Reads < 1000; i++) {
        HolidayRecord* list = ParseHolidayText(HOLIDAY_KIND_MEMORIAL, texts[i % 2], &count);
        ASSERT_NE(nullptr, list);
        ReplaceMemorialDays(list, (int)count);
    }
    state.Stop = 1;
    WaitForSingleObject(reader, INFINITE);
    CloseHandle(reader);
    EXPECT_EQ(0, state.Wrong) << "of " << state.Reads << " reads";
}

}  // namespace
