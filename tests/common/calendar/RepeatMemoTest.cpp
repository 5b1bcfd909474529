#include <gtest/gtest.h>

#include <windows.h>

#include <limits.h>

#include <string>
#include <vector>

#include "DateUtil.h"
#include "FileUtil.h"
#include "Holiday.h"
#include "RepeatMemo.h"
#include "TempFolder.h"

namespace {

// A list as its owner keeps it.
struct RepeatList {
    RepeatMemoRecord* records = nullptr;
    char* texts[REPEAT_MEMO_MAX];
    int count = 0;

    RepeatList() { InitRepeatMemos(&records, texts, &count); }
    ~RepeatList() { FreeRepeatMemos(&records, texts, &count); }
    int Load(const std::string& dir) { return LoadRepeatMemos(&records, texts, &count, dir.c_str()); }
};

RepeatMemoRecord Rule(int type, int day = 0, int month = 0, int week = 0, int dayBit = 0, int shift = 0)
{
    RepeatMemoRecord r;
    memset(&r, 0, sizeof(r));
    r.Use = 1, r.Type = (uint8_t)type, r.Day = day, r.Month = month, r.Week = week;
    r.DayBit = (uint8_t)dayBit, r.HolidayShift = shift;
    r.Style.NoUseStrColor = 1;
    return r;
}

class RepeatMemoFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.Create("repeat")); }
    void Write(const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile(Path().c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    std::string Path() const { return folder_.Path("repeat.txt"); }

    TempFolder folder_;
};

TEST_F(RepeatMemoFileTest, ReadsUpToTheFirstGap)
{
    Write("[0000]\r\nUse = 1\r\nType = 258\r\nDay = 32\r\nDateBit = 65\r\nMarkType = 5\r\nMemo = 定例会議\r\n"
          "[0001]\r\nType = x\r\nDayBit = 2\r\nDateBit = 65\r\nShadowWidth = 300\r\nMemo = 表示\r\n"
          "[0003]\r\nUse = 1\r\nMemo = never read\r\n");
    RepeatList list;
    ASSERT_EQ(1, list.Load(folder_.Dir()));
    ASSERT_EQ(2, list.count);
    EXPECT_STREQ("定例会議", list.texts[0]);
    EXPECT_STREQ("表示", list.texts[1]);
    EXPECT_EQ(nullptr, list.texts[2]);
    const RepeatMemoRecord& a = list.records[0];
    EXPECT_EQ(1, a.Use);
    EXPECT_EQ(2, a.Type);  // low 8 bits
    EXPECT_EQ(32, a.Day);
    EXPECT_EQ(65, a.DayBit);  // from the older key
    EXPECT_EQ(5, a.Style.MarkType);
    const RepeatMemoRecord& b = list.records[1];
    EXPECT_EQ(0, b.Use);
    EXPECT_EQ(0, b.Type);  // not a number
    EXPECT_EQ(2, b.DayBit);
    // Style defaults; a shadow wider than the mark dialog's is held to its widest, as it would cover the calendar.
    const FontStyle& s = b.Style;
    EXPECT_EQ((std::vector<int>{0x80FF80, 0, 1, 0, 0xFFFF00, SHADOW_WIDTH_MAX, 2, 0}),
              (std::vector<int>{(int)s.MarkColor, s.MarkType, s.NoUseStrColor, (int)s.StrColor,
                                (int)s.ShadowColor, s.ShadowWidth, s.ShadowDirection, s.Gradation}));

    // Reading again replaces the list; a missing file reads as an empty list.
    ASSERT_TRUE(DeleteFileA(Path().c_str()));
    ASSERT_EQ(1, list.Load(folder_.Dir()));
    EXPECT_EQ(0, list.count);
    EXPECT_EQ(nullptr, list.records);
    EXPECT_EQ(nullptr, list.texts[0]);
    EXPECT_EQ(0, LoadRepeatMemos(&list.records, nullptr, &list.count, folder_.Dir().c_str()));
}

TEST_F(RepeatMemoFileTest, WrittenListReadsBackTheSame)
{
    const char* texts[] = {"定例会議", " leading blank", "trailing blank ", "\"quoted\"", "'single'", "a = b"};
    RepeatList saved;
    saved.records = (RepeatMemoRecord*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(RepeatMemoRecord) * 6);
    ASSERT_NE(nullptr, saved.records);
    for (int i = 0; i < 6; i++) {
        RepeatMemoRecord& r = saved.records[i];
        r = Rule(i + 1, 32 - i, i + 7, i, 0x7F - i, i % 3);
        r.Use = i % 2;
        r.FromYear = 2000 + i, r.FromMonth = i + 1, r.FromDay = i + 10;
        r.ToYear = 2100, r.ToMonth = 12, r.ToDay = 31 - i;
        r.Style.MarkColor = 0x123456 + (COLORREF)i, r.Style.MarkType = (BYTE)(50 + i);
        r.Style.NoUseStrColor = i % 2, r.Style.StrColor = 0xFFFFFF, r.Style.ShadowColor = (COLORREF)i;
        r.Style.ShadowWidth = (BYTE)(SHADOW_WIDTH_MAX - i), r.Style.ShadowDirection = SHADOW_OUTLINE;
        r.Style.Gradation = i;
        saved.texts[i] = (char*)HeapAlloc(GetProcessHeap(), 0, strlen(texts[i]) + 1);
        strcpy(saved.texts[i], texts[i]);
    }
    saved.count = 6;
    ASSERT_EQ(1, SaveRepeatMemoFile(saved.records, saved.texts, saved.count, folder_.Dir().c_str()));

    RepeatList read;
    ASSERT_EQ(1, read.Load(folder_.Dir()));
    ASSERT_EQ(6, read.count);
    for (int i = 0; i < 6; i++) {
        EXPECT_STREQ(texts[i], read.texts[i]);
        EXPECT_EQ(0, memcmp(&saved.records[i], &read.records[i], sizeof(RepeatMemoRecord))) << i;
    }
}

TEST_F(RepeatMemoFileTest, ShorterListClearsTheOldSections)
{
    RepeatList list;
    list.records = (RepeatMemoRecord*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(RepeatMemoRecord) * 8);
    ASSERT_NE(nullptr, list.records);
    for (int i = 0; i < 8; i++) {
        list.texts[i] = (char*)HeapAlloc(GetProcessHeap(), 0, 8);
        snprintf(list.texts[i], 8, "m%d", i);
    }
    list.count = 8;
    ASSERT_EQ(1, SaveRepeatMemoFile(list.records, list.texts, 8, folder_.Dir().c_str()));
    ASSERT_EQ(1, SaveRepeatMemoFile(list.records, list.texts, 5, folder_.Dir().c_str()));
    RepeatList read;
    ASSERT_EQ(1, read.Load(folder_.Dir()));
    EXPECT_EQ(5, read.count);
    char use[8];
    EXPECT_EQ(0u, GetPrivateProfileStringA("0007", "Use", "", use, sizeof(use), Path().c_str()));

    // Without a list the file goes.
    EXPECT_EQ(0, SaveRepeatMemoFile(nullptr, list.texts, 5, folder_.Dir().c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Path().c_str()));
}

int g_allocationsLeft;

void* FailingReAlloc(void* block, size_t size)
{
    if (g_allocationsLeft-- <= 0)
        return nullptr;
    return block ? HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, size)
                 : HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

TEST_F(RepeatMemoFileTest, LackOfMemoryKeepsWhatWasRead)
{
    Write("[0000]\r\nMemo = a\r\n[0001]\r\nMemo = b\r\n[0002]\r\nDay = 3\r\nMemo = c\r\n[0003]\r\nMemo = d\r\n");
    RepeatList list;
    g_allocationsLeft = 3;
    RepeatMemoReAllocProc previous = SetRepeatMemoReAllocProc(FailingReAlloc);
    int loaded = list.Load(folder_.Dir());
    SetRepeatMemoReAllocProc(previous);
    EXPECT_EQ(0, loaded);
    ASSERT_EQ(3, list.count);
    ASSERT_NE(nullptr, list.records);
    EXPECT_EQ(3, list.records[2].Day);
    EXPECT_STREQ("c", list.texts[2]);
    EXPECT_EQ(nullptr, list.texts[3]);
}

class RepeatMatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        holidays_ = LoadHoliday(HOLIDAY_KIND_NATIONAL, DAYLENS_DIST_DIR "/Holiday.txt", &holidayCount_);
        ASSERT_NE(nullptr, holidays_);
    }
    static void TearDownTestSuite()
    {
        FreeHolidayList(holidays_, (int)holidayCount_);
        holidays_ = nullptr;
    }

    std::string Match(const RepeatMemoRecord* records, char** texts, int count, int y, int m, int d,
                      FontStyle* style = nullptr, int oneLine = 0)
    {
        return TakeHeapText(GetRepeatMemoText(records, texts, count, holidays_, (int)holidayCount_, y, m, d, style,
                                      oneLine));
    }
    // "MMDD" of every date of the year the rule falls on, and their number.
    std::string Year(const RepeatMemoRecord& r, int year, int* count = nullptr)
    {
        char text[] = "x";
        char* texts[] = {text};
        std::string dates;
        int n = 0;
        for (int y = year, m = 1, d = 1; y == year; AddDaysInt(&y, &m, &d, 1)) {
            if (Match(&r, texts, 1, y, m, d) == "(null)")
                continue;
            char date[8];
            snprintf(date, sizeof(date), "%02d%02d", m, d);
            dates += (dates.empty() ? "" : " ") + std::string(date);
            n++;
        }
        if (count)
            *count = n;
        return dates;
    }

    static HolidayRecord* holidays_;
    static unsigned int holidayCount_;
};

HolidayRecord* RepeatMatchTest::holidays_ = nullptr;
unsigned int RepeatMatchTest::holidayCount_ = 0;

const int kSun = 1, kMon = 2, kThu = 16, kFri = 32, kSat = 64;

TEST_F(RepeatMatchTest, DatesOfAYear)
{
    struct Case {
        const char* name;
        RepeatMemoRecord rule;
        int year;
        const char* dates;
    } cases[] = {
        {"day 31", Rule(REPEAT_MONTH_DAY, 31), 2019, "0131 0331 0531 0731 0831 1031 1231"},
        {"last day", Rule(REPEAT_MONTH_DAY, 32), 2020,
         "0131 0229 0331 0430 0531 0630 0731 0831 0930 1031 1130 1231"},
        {"last Monday", Rule(REPEAT_MONTH_WEEKDAYS, 0, 0, REPEAT_WEEK_LAST, kMon), 2019,
         "0128 0225 0325 0429 0527 0624 0729 0826 0930 1028 1125 1230"},
        {"fifth Monday", Rule(REPEAT_MONTH_WEEKDAYS, 0, 0, 5, kMon), 2019, "0429 0729 0930 1230"},
        {"second Friday", Rule(REPEAT_MONTH_WEEKDAYS, 0, 0, 2, kFri), 2019,
         "0111 0208 0308 0412 0510 0614 0712 0809 0913 1011 1108 1213"},
        {"28 Feb each year", Rule(REPEAT_YEAR_DAY, 32, 2), 2019, "0228"},
        {"29 Feb each year", Rule(REPEAT_YEAR_DAY, 32, 2), 2020, "0229"},
        {"Christmas", Rule(REPEAT_YEAR_DAY, 25, 12), 2019, "1225"},
        {"fourth Thursday of November", Rule(REPEAT_YEAR_WEEKDAYS, 0, 11, 4, kThu), 2019, "1128"},
        {"Fridays of November", Rule(REPEAT_YEAR_WEEKDAYS, 0, 11, 0, kFri), 2019, "1101 1108 1115 1122 1129"},
        {"last Sunday of March", Rule(REPEAT_YEAR_WEEKDAYS, 0, 3, REPEAT_WEEK_LAST, kSun), 2019, "0331"},
        {"unknown type", Rule(7, 1, 1, 0, 0x7F), 2019, ""},
        {"unknown shift", Rule(REPEAT_MONTH_DAY, 10, 0, 0, 0, 3), 2019, ""},
        // The 10th; 10 May 2020 a Sunday, 10 Aug a holiday, 10 Oct a Saturday.
        {"10th as it is", Rule(REPEAT_MONTH_DAY, 10), 2020,
         "0110 0210 0310 0410 0510 0610 0710 0810 0910 1010 1110 1210"},
        {"10th or the working day before", Rule(REPEAT_MONTH_DAY, 10, 0, 0, 0, REPEAT_SHIFT_BEFORE), 2020,
         "0110 0210 0310 0410 0508 0610 0710 0807 0910 1009 1110 1210"},
        {"10th or the working day after", Rule(REPEAT_MONTH_DAY, 10, 0, 0, 0, REPEAT_SHIFT_AFTER), 2020,
         "0110 0210 0310 0410 0511 0610 0710 0811 0910 1012 1110 1210"},
        // Across month and year ends; 1 Jan 2021 shows on 31 Dec 2020.
        {"1st or the working day before", Rule(REPEAT_MONTH_DAY, 1, 0, 0, 0, REPEAT_SHIFT_BEFORE), 2020,
         "0131 0228 0401 0501 0601 0701 0731 0901 1001 1030 1201 1231"},
        // The last day of the month walked into counts, not that of the asked date.
        {"last day or the working day after", Rule(REPEAT_MONTH_DAY, 32, 0, 0, 0, REPEAT_SHIFT_AFTER), 2020,
         "0131 0302 0331 0430 0601 0630 0731 0831 0930 1102 1130 1231"},
        // 3 May 2020 a Sunday, then two holidays and a substitute holiday.
        {"3 May or the working day before", Rule(REPEAT_YEAR_DAY, 3, 5, 0, 0, REPEAT_SHIFT_BEFORE), 2020, "0501"},
        {"3 May or the working day after", Rule(REPEAT_YEAR_DAY, 3, 5, 0, 0, REPEAT_SHIFT_AFTER), 2020, "0507"},
        {"1 Jan or the working day after", Rule(REPEAT_YEAR_DAY, 1, 1, 0, 0, REPEAT_SHIFT_AFTER), 2022, "0103"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.dates, Year(c.rule, c.year)) << c.name;
}

TEST_F(RepeatMatchTest, CountsOfAYear)
{
    struct Case {
        const char* name;
        RepeatMemoRecord rule;
        int count;
    } cases[] = {
        {"every day", Rule(REPEAT_EVERY_DAY), 365},
        {"weekends", Rule(REPEAT_WEEKDAYS, 0, 0, 0, kSun | kSat), 104},
        {"no weekday", Rule(REPEAT_WEEKDAYS), 0},
        {"Mondays and Fridays of the first week", Rule(REPEAT_MONTH_WEEKDAYS, 0, 0, 1, kMon | kFri), 24},
        {"every Monday", Rule(REPEAT_MONTH_WEEKDAYS, 0, 0, 0, kMon), 52},
    };
    for (const Case& c : cases) {
        int n = -1;
        Year(c.rule, 2019, &n);
        EXPECT_EQ(c.count, n) << c.name;
    }
    RepeatMemoRecord unused = Rule(REPEAT_EVERY_DAY);
    unused.Use = 0;
    EXPECT_EQ("", Year(unused, 2019));
}

TEST_F(RepeatMatchTest, Period)
{
    RepeatMemoRecord r = Rule(REPEAT_EVERY_DAY);
    r.FromYear = 2019, r.FromMonth = 3, r.FromDay = 15;
    r.ToYear = 2019, r.ToMonth = 3, r.ToDay = 17;
    EXPECT_EQ("0315 0316 0317", Year(r, 2019));
    r.ToDay = 0;  // an incomplete end is no end
    int n = 0;
    Year(r, 2020, &n);
    EXPECT_EQ(366, n);
    r.FromYear = 2020, r.FromMonth = 3, r.FromDay = 15;
    char text[] = "x";
    char* texts[] = {text};
    EXPECT_EQ("(null)", Match(&r, texts, 1, 2020, 3, 14));
    EXPECT_EQ("[定例]x", Match(&r, texts, 1, 2021, 3, 10));
    // The largest years a file may hold are compared as they are, without overflow.
    r.ToYear = INT_MAX, r.ToMonth = 12, r.ToDay = 31;
    EXPECT_EQ("[定例]x", Match(&r, texts, 1, 2021, 3, 10));
    r.FromYear = INT_MAX;
    EXPECT_EQ("(null)", Match(&r, texts, 1, 2021, 3, 10));
}

TEST_F(RepeatMatchTest, JoinsTextsAndStyles)
{
    RepeatMemoRecord records[4] = {Rule(REPEAT_EVERY_DAY), Rule(REPEAT_EVERY_DAY), Rule(REPEAT_EVERY_DAY),
                                   Rule(REPEAT_EVERY_DAY)};
    records[1].Style.MarkType = 5, records[1].Style.MarkColor = 0x111111;
    records[2].Style.MarkType = 6, records[2].Style.MarkColor = 0x222222;
    records[2].Style.NoUseStrColor = 0, records[2].Style.StrColor = 0x333333;
    records[2].Style.ShadowWidth = 9, records[2].Style.Gradation = 1;
    records[3].Style.NoUseStrColor = 0, records[3].Style.StrColor = 0x444444;
    char a[] = "会議\r\n", b[] = "a\tb", c[] = "c", d[] = "d";
    char* texts[REPEAT_MEMO_MAX] = {a, b, c, d};

    FontStyle style = {};
    style.MarkType = 9, style.NoUseStrColor = 7, style.Font.lfHeight = 12;
    EXPECT_EQ("[定例]会議\r\n[定例]a\tb\r\n[定例]c\r\n[定例]d", Match(records, texts, 4, 2019, 1, 1, &style));
    EXPECT_EQ(5, style.MarkType);
    EXPECT_EQ(0x111111u, style.MarkColor);
    EXPECT_EQ(0, style.NoUseStrColor);
    EXPECT_EQ(0x333333u, style.StrColor);
    EXPECT_EQ(9, style.ShadowWidth);
    EXPECT_EQ(1, style.Gradation);
    EXPECT_EQ(12, style.Font.lfHeight);

    EXPECT_EQ("[定例]会議  [定例]a b", Match(records, texts, 2, 2019, 1, 1, nullptr, 1));
    // A memo without a mark after none with one clears the caller's mark.
    style.MarkType = 9, style.NoUseStrColor = 7;
    EXPECT_EQ("[定例]会議", Match(records, texts, 1, 2019, 1, 1, &style));
    EXPECT_EQ(0, style.MarkType);
    EXPECT_EQ(1, style.NoUseStrColor);
    // The walk stops at the first empty slot.
    texts[1] = nullptr;
    EXPECT_EQ("[定例]会議", Match(records, texts, 4, 2019, 1, 1));
    EXPECT_EQ("(null)", Match(nullptr, texts, 4, 2019, 1, 1));
}

}  // namespace
