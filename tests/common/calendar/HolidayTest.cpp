#include <gtest/gtest.h>

#include <limits.h>

#include <string>
#include <vector>

#include "HeapUtil.h"
#include "Holiday.h"
#include "UserMessage.h"

namespace {

// Every line NextTextLine gives, joined by "|".
std::string Lines(const char* text)
{
    std::string lines;
    char line[HOLIDAY_LINE_SIZE];
    for (const char* next = text; next;) {
        bool first = (next == text);
        next = NextTextLine(next, line);
        lines += (first ? "" : "|") + std::string(line);
    }
    return lines;
}

std::string Split(const std::string& line, int maxFields)
{
    std::vector<char> fields((size_t)maxFields * HOLIDAY_LINE_SIZE);
    int n = SplitHolidayLine(line.c_str(), fields.data(), maxFields);
    std::string joined;
    for (int i = 0; i < n; ++i)
        joined += (i ? "|" : "") + std::string(&fields[(size_t)i * HOLIDAY_LINE_SIZE]);
    return joined;
}

// "rule year month day week weekday name" of every record, one a line.
std::string Parsed(const char* text, unsigned char kind = HOLIDAY_KIND_NATIONAL)
{
    unsigned int count = 99;
    HolidayRecord* list = ParseHolidayText(kind, text, &count);
    std::string out;
    for (unsigned int i = 0; i < count; ++i) {
        const HolidayRecord& r = list[i];
        EXPECT_EQ(kind, r.kind);
        for (int v : {(int)r.yearRule, r.year, r.month, r.day, r.week, r.weekday})
            out += std::to_string(v) + " ";
        out += std::string(r.name) + "\n";
    }
    FreeHolidayList(list, (int)count);
    return out;
}

std::vector<std::string> g_alerts;

int RecordAlert(HWND, const char* text, const char* caption, UINT)
{
    g_alerts.push_back(std::string(text) + "|" + caption);
    return IDOK;
}

class HolidayListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_alerts.clear();
        previous_ = SetMessageBoxHook(RecordAlert);
    }
    void TearDown() override
    {
        SetMessageBoxHook(previous_);
        FreeHolidayList(list_, count_);
    }
    // Inserts a fresh record; frees its name when the list did not take it.
    void Insert(int year, int month, int day, int week, int weekday, const char* name)
    {
        HolidayRecord r = {};
        r.year = year, r.month = month, r.day = day, r.week = week, r.weekday = weekday;
        r.name = StrDupHeap(name);
        int count = InsertHolidayRecord(&list_, &r, count_);
        if (count == count_)
            HeapFree(GetProcessHeap(), 0, r.name);
        count_ = count;
    }
    std::string Names() const
    {
        std::string names;
        for (int i = 0; i < count_; ++i)
            names += std::string(list_[i].name) + ";";
        return names;
    }

    MessageBoxHook previous_ = nullptr;
    HolidayRecord* list_ = nullptr;
    int count_ = 0;
};

} // namespace

TEST(HolidayTextTest, NextTextLine)
{
    // An empty first line does not end the text; empty lines vanish.
    EXPECT_EQ("|first|second|third", Lines("\r\nfirst\r\n\r\n\nsecond\rthird\n\n"));

    // Over-long lines are cut to 1,023 bytes, never inside a double-byte character.
    std::string a1022(1022, 'a');
    EXPECT_EQ(a1022 + "|next", Lines((a1022 + "日日\r\nnext").c_str()));
    EXPECT_EQ(std::string(1023, 'b'), Lines(std::string(5000, 'b').c_str()));
}

TEST(HolidayTextTest, SplitHolidayLine)
{
    EXPECT_EQ("2019|5|3|Wedding  Day ", Split("  2019 5  3   Wedding  Day ", 4));
    EXPECT_EQ("-|1|1|元 日", Split("- 1 1 元 日\tnote more", 4)); // a TAB ends the last field
    EXPECT_EQ("a\x01|b\x0b", Split("a\x01 b\x0b", 4));
    EXPECT_EQ(std::string(1022, 'n') + "|tail", Split(std::string(1022, 'n') + "月月 tail", 2));
}

TEST(HolidayTextTest, ParseRecords)
{
    EXPECT_EQ("0 0 1 1 0 0 元日\n"
              "0 0 1 1 0 0 元日\n"
              "0 0 1 1 0 0 元日\n"
              "0 0 1 0 2 1 成人の日\n"
              "1 1999 1 15 0 0 成人の日\n"
              "2 2000 10 0 2 1 体育の日\n"
              "0 1970 5 3 0 0 Wedding Day\n",
              Parsed("- 1 1 元日\n0 1 1 元日\n1 1 元日\n1 2月 成人の日\nB1999 1 15 成人の日\n"
                     "a2000 10 2Mon 体育の日\n1970 5 3 Wedding Day\n"));
    // Weekday names match whole and by case; week 0 is no weekday rule.
    EXPECT_EQ("0 0 9 0 3 1 a\n0 0 9 0 3 1 b\n0 0 9 3 0 0 c\n0 0 9 0 0 0 d\n0 0 9 3 0 0 e\n0 0 9 0 5 6 f\n",
              Parsed("- 9 3Mo a\n- 9 3月 b\n- 9 3mon c\n- 9 0Mon d\n- 9 3Monday e\n- 9 5Sat f\n"));
}

TEST(HolidayTextTest, ParseLinesAndNumbers)
{
    EXPECT_EQ("0 0 5 3 0 0 憲法 記念日 \n"
              "0 2019 5 4 0 0 みどりの日\n"
              "0 5 5 0 0 0 の日\n" // without a year field a blank in the name shifts the fields
              "0 4464 0 7 0 0 七夕\n"
              "0 65535 12 31 0 0 大晦日\n",
              Parsed("\r\n- 5 3 憲法 記念日 \n# 1 1 x\n/ 1 1 x\n% 1 1 x\n2019 5 4 みどりの日\t注記\n"
                     "\n5 5 こども の日\n5 6\n70000 x1 7 七夕\n-1 12 31 大晦日",
                     HOLIDAY_KIND_MEMORIAL));
    unsigned int count = 99;
    EXPECT_EQ(nullptr, ParseHolidayText(0, "# only a comment\n", &count));
    EXPECT_EQ(0u, count);
}

TEST(HolidayTextTest, LoadHoliday)
{
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    ASSERT_NE(0u, GetTempFileNameA(dir, "hol", 0, path));
    // A NUL byte reads as a blank: the lines after it count, and the fields beside it stay apart.
    const char text[] = "\r\n# 祝日\r\n- 1 1 元日\r\n\0- 1 2月 成人の日\r\n2019\0" "5 1 即位の日\r\n";
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text, sizeof(text) - 1, &written, nullptr);
    CloseHandle(file);
    unsigned int count = 0;
    HolidayRecord* list = LoadHoliday(HOLIDAY_KIND_OWN, path, &count);
    DeleteFileA(path);
    ASSERT_EQ(3u, count);
    EXPECT_EQ(HOLIDAY_KIND_OWN, list[1].kind);
    EXPECT_STREQ("成人の日", list[1].name);
    EXPECT_EQ(2019, list[2].year);
    EXPECT_EQ(5, list[2].month);
    FreeHolidayList(list, (int)count);
    EXPECT_EQ(nullptr, LoadHoliday(0, path, &count)); // missing: count left alone
    EXPECT_EQ(3u, count);
}

TEST_F(HolidayListTest, InsertAndDelete)
{
    Insert(2020, 1, 1, 0, 0, "f");
    Insert(0, 5, 3, 0, 0, "b");
    Insert(0, 5, 0, 2, 1, "e"); // weekday rules after the day rules of the month
    Insert(0, 1, 1, 0, 0, "a");
    Insert(0, 5, 3, 0, 0, "c"); // same date, other name: after the first
    Insert(0, 5, 0, 2, 0, "d");
    EXPECT_EQ("a;b;c;d;e;f;", Names());
    EXPECT_TRUE(g_alerts.empty());

    Insert(0, 5, 3, 0, 0, "c");
    Insert(0, 5, 0, 2, 1, "e"); // a repeated weekday rule goes without a message
    EXPECT_EQ(6, count_);
    EXPECT_EQ(std::vector<std::string>{"同じデータがあります|Daylens Alert"}, g_alerts);

    count_ = DeleteHolidayRecord(&list_, count_, 1);
    EXPECT_EQ("a;c;d;e;f;", Names());
    EXPECT_EQ(5, DeleteHolidayRecord(&list_, count_, -1));
    while (count_ > 0)
        count_ = DeleteHolidayRecord(&list_, count_, count_ - 1);
    EXPECT_EQ(nullptr, list_);
}

// A count too large to allocate stands in for lack of memory; the walk stops at
// the first record, so no record beyond it is read.
TEST_F(HolidayListTest, LackOfMemoryKeepsTheList)
{
    void* probe = AllocZeroed((size_t)INT_MAX * sizeof(HolidayRecord));
    if (probe) {
        HeapFree(GetProcessHeap(), 0, probe);
        GTEST_SKIP() << "the heap grants the block";
    }
    Insert(2020, 1, 1, 0, 0, "a");
    HolidayRecord* before = list_;
    HolidayRecord r = {};
    r.name = (char*)"b";
    EXPECT_EQ(INT_MAX - 1, InsertHolidayRecord(&list_, &r, INT_MAX - 1));
    EXPECT_EQ(INT_MAX, DeleteHolidayRecord(&list_, INT_MAX, 0));
    EXPECT_EQ(before, list_);
    EXPECT_EQ("a;", Names());
    EXPECT_EQ((std::vector<std::string>{"メモリが足りません|Velmora Alert", "メモリが足りません|Daylens Alert"}),
              g_alerts);
}
