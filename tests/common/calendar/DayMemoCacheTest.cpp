// The calendar's memo cache gives every day what the store gives, reads a file once in a pass, and sees a changed,
// new or removed file at the next pass.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <string>

#include "DayMemoCache.h"
#include "DayMemoStore.h"
#include "FileUtil.h"
#include "TempFolder.h"

namespace {

// A write time an hour before now: older than any step of a file system's clock.
FILETIME HourAgo(int seconds = 0)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG t = (((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime) - 3600ULL * 10000000ULL +
                  (ULONGLONG)seconds * 10000000ULL;
    FILETIME old = {(DWORD)t, (DWORD)(t >> 32)};
    return old;
}

// The pauses the read-ahead made for requests that might follow.
volatile LONG g_pauses = 0;

DWORD CountedPause(HANDLE wake, DWORD milliseconds)
{
    InterlockedIncrement(&g_pauses);
    return WaitForSingleObject(wake, milliseconds);
}

class DayMemoCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daylens-memo-cache"));
        settings_.MemoDir = folder_.Dir().c_str();
        cache_ = CreateDayMemoCache();
        ASSERT_NE(nullptr, cache_);
    }
    void TearDown() override
    {
        FreeDayMemoCache(cache_);
        SetDayMemoPauseProc(nullptr);
    }

    // Writes the file with a write time of time (now when null).
    void Write(const char* name, const std::string& text, const FILETIME* time = nullptr)
    {
        std::string path = folder_.Path(name);
        ASSERT_TRUE(WriteWholeFile(path.c_str(), text.data(), (DWORD)text.size(), nullptr));
        if (time) {
            HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, file);
            SetFileTime(file, nullptr, nullptr, time);
            CloseHandle(file);
        }
    }
    // Waits up to five seconds for the read-ahead to end; true when it has.
    bool ReadAheadEnded()
    {
        for (int i = 0; i < 500 && DayMemoReadAheadBusy(cache_); i++)
            Sleep(10);
        return DayMemoReadAheadBusy(cache_) == 0;
    }
    std::string Cached(int y, int m, int d, DayMemoRecord* record = nullptr, int singleLine = 0)
    {
        return TakeHeapText(CachedDayMemoText(cache_, &settings_, y, m, d, record, singleLine));
    }
    std::string Stored(int y, int m, int d, DayMemoRecord* record = nullptr, int singleLine = 0)
    {
        return TakeHeapText(ReadDayMemoText(nullptr, y, m, d, &settings_, record, singleLine));
    }

    TempFolder folder_;
    MemoStoreSettings settings_ = {};
    DayMemoCache* cache_ = nullptr;
};

TEST_F(DayMemoCacheTest, EveryDayReadsAsTheStoreGivesIt)
{
    FontStyle defaults = {};
    defaults.MarkColor = 11, defaults.StrColor = 22, defaults.ShadowWidth = 3;
    settings_.DefaultStyle = &defaults;
    Write("20190415.txt", "[20190415]\r\nMarkType = 7\r\nTime = 7:05\r\nMemo = 会議&n資料\r\n");
    Write("20190416.txt", "[20190416]\r\nMemo =\r\n");
    Write("20190417.txt", "[20190416]\r\nMemo = another day's section\r\n");
    Write("20190418.txt", "[20190418]\r\nMemo = \" quoted \"\r\n[20190418]\r\nMemo = second\r\n");
    Write("20190501.txt", "");
    Write("201904.txt", "[20190415]\r\nMemo = month file\r\nShadowWidth = 400\r\n[20190430]\r\nMemo=last\r\n");
    for (int monthFiles : {0, 1}) {
        settings_.MemoSaveOneMonth = monthFiles;
        BeginDayMemoPass(cache_);
        for (int month : {4, 5}) {
            for (int day = 1; day <= 31; day++) {
                for (int singleLine : {0, 1}) {
                    DayMemoRecord cached = {}, stored = {};
                    cached.Hour = stored.Hour = 42;
                    EXPECT_EQ(Stored(2019, month, day, &stored, singleLine), Cached(2019, month, day, &cached, singleLine))
                        << month << "/" << day;
                    EXPECT_EQ(0, memcmp(&stored, &cached, sizeof(stored))) << month << "/" << day;
                }
            }
        }
    }
    EXPECT_EQ("(null)", TakeHeapText(CachedDayMemoText(cache_, nullptr, 2019, 4, 15, nullptr, 0)));
}

TEST_F(DayMemoCacheTest, AFileIsReadOnceInAPassAndLookedAtAgainInTheNext)
{
    FILETIME old = HourAgo();
    Write("20190415.txt", "[20190415]\r\nMemo=first\r\n", &old);
    Write("20190416.txt", "[20190416]\r\nMemo=kept\r\n", &old);
    BeginDayMemoPass(cache_);
    EXPECT_EQ("first", Cached(2019, 4, 15));
    EXPECT_EQ("(null)", Cached(2019, 4, 17));

    FILETIME later = HourAgo(1);
    Write("20190415.txt", "[20190415]\r\nMemo=changed\r\n", &later);
    Write("20190417.txt", "[20190417]\r\nMemo=new\r\n", &old);
    ASSERT_TRUE(DeleteFileA(folder_.Path("20190416.txt").c_str()));
    EXPECT_EQ("first", Cached(2019, 4, 15));  // the pass keeps what it read
    EXPECT_EQ("kept", Cached(2019, 4, 16));

    BeginDayMemoPass(cache_);
    EXPECT_EQ("changed", Cached(2019, 4, 15));
    EXPECT_EQ("(null)", Cached(2019, 4, 16));
    EXPECT_EQ("new", Cached(2019, 4, 17));
}

// A month with a file for every day is checked file by file; a change or a removal is seen all the same.
TEST_F(DayMemoCacheTest, AMonthWithAMemoOnEveryDayIsCheckedFileByFile)
{
    FILETIME old = HourAgo();
    char name[32], text[64];
    for (int day = 1; day <= 28; day++) {
        snprintf(name, sizeof(name), "201902%02d.txt", day);
        snprintf(text, sizeof(text), "[201902%02d]\r\nMemo=day %d\r\n", day, day);
        Write(name, text, &old);
    }
    BeginDayMemoPass(cache_);
    EXPECT_EQ("day 3", Cached(2019, 2, 3));
    BeginDayMemoPass(cache_);
    EXPECT_EQ("day 4", Cached(2019, 2, 4));
    FILETIME later = HourAgo(1);
    Write("20190203.txt", "[20190203]\r\nMemo=third day\r\n", &later);
    ASSERT_TRUE(DeleteFileA(folder_.Path("20190204.txt").c_str()));
    BeginDayMemoPass(cache_);
    EXPECT_EQ("third day", Cached(2019, 2, 3));
    EXPECT_EQ("(null)", Cached(2019, 2, 4));
    EXPECT_EQ("day 28", Cached(2019, 2, 28));
}

// A file read within seconds of its last write is read again, so that a change on a file system whose clock steps
// by seconds is seen even with the same size and write time.
TEST_F(DayMemoCacheTest, AFileWrittenJustBeforeItWasReadIsReadAgain)
{
    for (int monthFiles : {0, 1}) {
        settings_.MemoSaveOneMonth = monthFiles;
        const char* name = monthFiles ? "201904.txt" : "20190415.txt";
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        Write(name, "[20190415]\r\nMemo=one\r\n", &now);
        BeginDayMemoPass(cache_);
        EXPECT_EQ("one", Cached(2019, 4, 15));
        Write(name, "[20190415]\r\nMemo=two\r\n", &now);
        BeginDayMemoPass(cache_);
        EXPECT_EQ("two", Cached(2019, 4, 15));
    }
}

// The months around the view are read ahead, and what was read ahead is taken over (here a file that cannot be read
// any more when its month is shown) but still held against the files as they are then.
TEST_F(DayMemoCacheTest, MonthsReadAheadAreTakenOverAndCheckedAgainstTheirFiles)
{
    FILETIME old = HourAgo();
    for (const char* name : {"20190501.txt", "20190502.txt", "20190301.txt"})
        Write(name, std::string("[") + std::string(name, 8) + "]\r\nMemo=" + std::string(name, 8) + "\r\n", &old);
    Write("201905.txt", "[20190501]\r\nMemo=month file\r\n", &old);
    SetDayMemoPauseProc(CountedPause);
    for (int monthFiles : {1, 0}) {
        settings_.MemoSaveOneMonth = monthFiles;
        BeginDayMemoPass(cache_);
        EXPECT_EQ("(null)", Cached(2019, 4, 1));
        ReadAheadDayMemos(cache_, &settings_, 2019, 4, 1);
        ASSERT_TRUE(ReadAheadEnded());
        const char* name = monthFiles ? "201905.txt" : "20190501.txt";
        HANDLE held = CreateFileA(folder_.Path(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        FILETIME later = HourAgo(1);
        if (!monthFiles) {
            Write("20190502.txt", "[20190502]\r\nMemo=changed\r\n", &later);
            ASSERT_TRUE(DeleteFileA(folder_.Path("20190301.txt").c_str()));
            Write("20190503.txt", "[20190503]\r\nMemo=new\r\n", &old);
        }
        BeginDayMemoPass(cache_);
        EXPECT_EQ(monthFiles ? "month file" : "20190501", Cached(2019, 5, 1));
        CloseHandle(held);
    }
    EXPECT_EQ("changed", Cached(2019, 5, 2));
    EXPECT_EQ("new", Cached(2019, 5, 3));
    EXPECT_EQ("(null)", Cached(2019, 3, 1));

    // Let go while its reading ahead waits for work, the cache ends at once: the pause that gathers requests
    // following each other closely (50 ms) does not hold up the end of the program.
    InterlockedExchange(&g_pauses, 0);
    FreeDayMemoCache(cache_);
    cache_ = nullptr;
    EXPECT_EQ(0, g_pauses);

    // A cache let go while it reads ahead stops its reading.
    DayMemoCache* other = CreateDayMemoCache();
    ReadAheadDayMemos(other, &settings_, 2019, 1, 12);
    FreeDayMemoCache(other);
}

// Files read ahead in one memo folder are not taken for those of another, even with the same names, sizes and
// write times.
TEST_F(DayMemoCacheTest, FilesReadAheadInAnotherFolderAreNotTakenOver)
{
    FILETIME old = HourAgo();
    Write("20190501.txt", "[20190501]\r\nMemo=where\r\n", &old);
    TempFolder other;
    ASSERT_TRUE(other.Create("daylens-memo-cache-other"));
    std::string otherDir = other.Dir();
    std::string path = other.Path("20190501.txt"), text = "[20190501]\r\nMemo=there\r\n";
    ASSERT_TRUE(WriteWholeFile(path.c_str(), text.data(), (DWORD)text.size(), nullptr));
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
    BeginDayMemoPass(cache_);
    EXPECT_EQ("(null)", Cached(2019, 4, 1));
    ReadAheadDayMemos(cache_, &settings_, 2019, 4, 1);
    ASSERT_TRUE(ReadAheadEnded());

    settings_.MemoDir = otherDir.c_str();
    BeginDayMemoPass(cache_);
    EXPECT_EQ("(null)", Cached(2019, 4, 1));
    ReadAheadDayMemos(cache_, &settings_, 2019, 4, 1);
    ReadAheadEnded();
    BeginDayMemoPass(cache_);
    EXPECT_EQ("there", Cached(2019, 5, 1));
}

TEST_F(DayMemoCacheTest, AnotherMemoFolderIsAnotherStore)
{
    Write("20190415.txt", "[20190415]\r\nMemo=here\r\n");
    TempFolder other;
    ASSERT_TRUE(other.Create("daylens-memo-cache-other"));
    std::string text = "[20190415]\r\nMemo=there\r\n";
    ASSERT_TRUE(WriteWholeFile(other.Path("20190415.txt").c_str(), text.data(), (DWORD)text.size(), nullptr));
    BeginDayMemoPass(cache_);
    EXPECT_EQ("here", Cached(2019, 4, 15));
    settings_.MemoDir = other.Dir().c_str();
    EXPECT_EQ("there", Cached(2019, 4, 15));
}

}  // namespace
