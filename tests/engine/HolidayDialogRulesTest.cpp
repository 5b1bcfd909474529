// The holiday dialog's texts and edits: the list's date column, the file's lines read back by the holiday reader,
// the coupling of the date boxes, and the working list, whose refused edits and failed hand-over must leave the
// records where they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>

#include "FileUtil.h"
#include "HeapUtil.h"
#include "HolidayDialogRules.h"
#include "TempFolder.h"
#include "UserMessage.h"

namespace {

HolidayRecord DayRule(int year, int month, int day, const char* name)
{
    HolidayRecord record = {};
    record.kind = HOLIDAY_KIND_OWN;
    record.year = year;
    record.month = month;
    record.day = day;
    record.name = StrDupHeap(name);
    return record;
}

HolidayRecord WeekdayRule(int month, int week, int weekday, const char* name)
{
    HolidayRecord record = {};
    record.kind = HOLIDAY_KIND_OWN;
    record.month = month;
    record.week = week;
    record.weekday = weekday;
    record.name = StrDupHeap(name);
    return record;
}

std::string DateText(const HolidayRecord& record)
{
    char text[HOLIDAY_DATE_TEXT_SIZE];
    HolidayDateText(&record, text, sizeof(text));
    return text;
}

std::string FileLine(const HolidayRecord& record)
{
    char line[HOLIDAY_FILE_LINE_SIZE];
    HolidayFileLine(&record, line, sizeof(line));
    return line;
}

std::string Names(const HolidayWorkList& list)
{
    std::string names;
    for (int i = 0; i < list.Count; i++)
        names += std::string(list.Records[i].name) + ";";
    return names;
}

int s_boxes = 0;
int CountBox(HWND, const char*, const char*, UINT)
{
    s_boxes++;
    return IDOK;
}

class HolidayWorkTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetMessageBoxHook(CountBox);
        s_boxes = 0;
    }
    void TearDown() override
    {
        HolidayWorkFree(&list_);
        SetMessageBoxHook(previous_);
        SetHolidayWorkAllocProc(nullptr);
    }
    void Add(HolidayRecord record) { HolidayWorkAdd(&list_, &record); }

    HolidayWorkList list_ = {};
    MessageBoxHook previous_ = nullptr;
};

void* NoMemory(size_t)
{
    return nullptr;
}

TEST(HolidayDialogRulesTest, RowDateShowsTheYearOrBlanksThenTheDayOrTheWeekday)
{
    HolidayRecord wedding = DayRule(1970, 5, 3, "Wedding Day");
    HolidayRecord adults = WeekdayRule(1, 2, 1, "成人の日");
    adults.year = 2005;
    EXPECT_EQ("1970年 5月 3日", DateText(wedding));
    EXPECT_EQ("2005年 1月第2月曜日", DateText(adults));
    adults.year = 0;
    wedding.year = 0;
    wedding.month = 12;
    EXPECT_EQ("       1月第2月曜日", DateText(adults));
    EXPECT_EQ("      12月 3日", DateText(wedding));
    HeapFree(GetProcessHeap(), 0, wedding.name);
    HeapFree(GetProcessHeap(), 0, adults.name);
}

// Every line the writer makes, with each year rule, reads back as the same record.
TEST(HolidayDialogRulesTest, FileLinesReadBackAsTheSameRecords)
{
    // A rule's letter stands right before its year, however short the year (a blank would make it another field).
    HolidayRecord records[] = {WeekdayRule(1, 2, 1, "成人の日"), DayRule(1970, 5, 3, "Wedding Day"),
                               DayRule(2001, 7, 20, "最後の年"), DayRule(2030, 12, 31, "始まり"),
                               WeekdayRule(11, 4, 6, "Last Sat"), DayRule(999, 1, 15, "Old"),
                               DayRule(0, 2, 3, "From the start")};
    records[2].yearRule = HOLIDAY_YEAR_UP_TO;
    records[3].yearRule = HOLIDAY_YEAR_FROM;
    records[4].year = 1999;
    records[5].yearRule = HOLIDAY_YEAR_UP_TO;
    records[6].yearRule = HOLIDAY_YEAR_FROM;
    EXPECT_EQ("- 1 2Mon 成人の日\r\n", FileLine(records[0]));
    EXPECT_EQ("1970 5 3 Wedding Day\r\n", FileLine(records[1]));
    EXPECT_EQ("b2001 7 20 最後の年\r\n", FileLine(records[2]));
    EXPECT_EQ("a2030 12 31 始まり\r\n", FileLine(records[3]));
    EXPECT_EQ("1999 11 4Sat Last Sat\r\n", FileLine(records[4]));
    EXPECT_EQ("b999 1 15 Old\r\n", FileLine(records[5]));
    EXPECT_EQ("a0 2 3 From the start\r\n", FileLine(records[6]));

    std::string text;
    for (const HolidayRecord& record : records)
        text += FileLine(record);
    unsigned int count = 0;
    HolidayRecord* parsed = ParseHolidayText(HOLIDAY_KIND_OWN, text.c_str(), &count);
    ASSERT_EQ(std::size(records), count);
    for (size_t i = 0; i < std::size(records); i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].yearRule, parsed[i].yearRule);
        EXPECT_EQ(records[i].year, parsed[i].year);
        EXPECT_EQ(records[i].month, parsed[i].month);
        EXPECT_EQ(records[i].day, parsed[i].day);
        EXPECT_EQ(records[i].week, parsed[i].week);
        EXPECT_EQ(records[i].week ? records[i].weekday : 0, parsed[i].weekday);
        EXPECT_STREQ(records[i].name, parsed[i].name);
    }
    FreeHolidayList(parsed, (int)count);
    for (HolidayRecord& record : records)
        HeapFree(GetProcessHeap(), 0, record.name);
}

TEST(HolidayDialogRulesTest, WritingNoRecordDeletesTheFile)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("holiday"));
    std::string path = folder.Dir() + "\\MyHoliday.txt";
    HolidayRecord record = WeekdayRule(1, 2, 1, "成人の日");
    ASSERT_EQ(1, WriteHolidayFile(path.c_str(), &record, 1));
    DWORD size = 0;
    char* data = ReadWholeFile(path.c_str(), &size);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ("- 1 2Mon 成人の日\r\n", std::string(data, size));
    HeapFree(GetProcessHeap(), 0, data);
    EXPECT_EQ(1, WriteHolidayFile(path.c_str(), nullptr, 0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    EXPECT_EQ(1, WriteHolidayFile(path.c_str(), nullptr, 0)) << "no file to delete is no failure";
    HeapFree(GetProcessHeap(), 0, record.name);
}

TEST(HolidayDialogRulesTest, BoxesCoupleAndAnEntryNeedsMonthAndDayOrWeekAndWeekday)
{
    HolidayBoxes boxes = {1, 15, 0, 0};
    boxes.Weekday = 2;
    CoupleHolidayBoxes(&boxes, HOLIDAY_BOX_WEEKDAY);
    EXPECT_EQ(0, boxes.Day);
    EXPECT_EQ(1, boxes.Week) << "a weekday without a week takes the first";
    EXPECT_EQ(2, boxes.Weekday);
    boxes = {1, 15, 3, 0};
    CoupleHolidayBoxes(&boxes, HOLIDAY_BOX_WEEK);
    EXPECT_EQ(0, boxes.Day);
    EXPECT_EQ(1, boxes.Weekday) << "a week without a weekday takes Sunday";
    boxes.Day = 9;
    CoupleHolidayBoxes(&boxes, HOLIDAY_BOX_DAY);
    EXPECT_EQ(0, boxes.Week);
    EXPECT_EQ(0, boxes.Weekday);

    HolidayBoxes noMonth = {0, 3, 0, 0};
    HolidayBoxes noWeekday = {5, 0, 2, 0};
    HolidayBoxes byDay = {5, 3, 0, 0};
    HolidayBoxes byWeekday = {1, 0, 2, 2};
    EXPECT_STREQ("月が設定されていません", HolidayEntryMessage(CheckHolidayBoxes(&noMonth)));
    EXPECT_STREQ("日付や曜日が設定されていません", HolidayEntryMessage(CheckHolidayBoxes(&noWeekday)));
    EXPECT_EQ(HOLIDAY_ENTRY_OK, CheckHolidayBoxes(&byDay));
    EXPECT_EQ(HOLIDAY_ENTRY_OK, CheckHolidayBoxes(&byWeekday));

    HolidayRecord record = {};
    EXPECT_EQ(0, MakeHolidayEntry(HOLIDAY_KIND_OWN, "", &byWeekday, "", &record)) << "a name is needed";
    ASSERT_EQ(1, MakeHolidayEntry(HOLIDAY_KIND_MEMORIAL, "70000", &byWeekday, "成人の日", &record));
    EXPECT_EQ(HOLIDAY_KIND_MEMORIAL, record.kind);
    EXPECT_EQ(70000 & 0xFFFF, record.year);
    EXPECT_EQ(0, record.day);
    EXPECT_EQ(2, record.week);
    EXPECT_EQ(1, record.weekday) << "the box's Monday";
    EXPECT_EQ(byWeekday.Weekday, HolidayBoxesOf(&record).Weekday);
    HeapFree(GetProcessHeap(), 0, record.name);
}

TEST_F(HolidayWorkTest, AddKeepsOrderAndADuplicateLeavesTheListAlone)
{
    Add(DayRule(0, 5, 3, "憲法記念日"));
    Add(WeekdayRule(1, 2, 1, "成人の日"));
    Add(DayRule(0, 2, 11, "建国記念の日"));
    EXPECT_EQ("成人の日;建国記念の日;憲法記念日;", Names(list_));

    HolidayRecord again = DayRule(0, 2, 11, "建国記念の日");
    EXPECT_EQ(0, HolidayWorkAdd(&list_, &again));
    EXPECT_EQ(nullptr, again.name) << "the refused name is freed";
    EXPECT_EQ(3, list_.Count);
    EXPECT_EQ(1, s_boxes) << "a repeated day is reported";
    HolidayRecord weekdayAgain = WeekdayRule(1, 2, 1, "成人の日");
    EXPECT_EQ(0, HolidayWorkAdd(&list_, &weekdayAgain));
    EXPECT_EQ("成人の日;建国記念の日;憲法記念日;", Names(list_));
}

// A change inserts first: one refused as a duplicate keeps the selected record.
TEST_F(HolidayWorkTest, ChangeMovesTheRecordAndARefusedChangeKeepsIt)
{
    Add(DayRule(0, 5, 3, "憲法記念日"));
    Add(WeekdayRule(1, 2, 1, "成人の日"));
    Add(DayRule(0, 2, 11, "建国記念の日"));
    HolidayRecord moved = DayRule(0, 12, 23, "記念日");
    ASSERT_EQ(1, HolidayWorkChange(&list_, 0, &moved));
    EXPECT_EQ("建国記念の日;憲法記念日;記念日;", Names(list_));
    HolidayRecord renamed = DayRule(0, 5, 3, "憲法の日");
    ASSERT_EQ(1, HolidayWorkChange(&list_, 1, &renamed)) << "the same day under another name";
    EXPECT_EQ("建国記念の日;憲法の日;記念日;", Names(list_));

    HolidayRecord duplicate = DayRule(0, 2, 11, "建国記念の日");
    EXPECT_EQ(0, HolidayWorkChange(&list_, 2, &duplicate));
    EXPECT_EQ("建国記念の日;憲法の日;記念日;", Names(list_));
    HolidayRecord unchanged = DayRule(0, 12, 23, "記念日");
    EXPECT_EQ(0, HolidayWorkChange(&list_, 2, &unchanged)) << "a change to itself is refused";
    EXPECT_EQ("建国記念の日;憲法の日;記念日;", Names(list_));
}

TEST_F(HolidayWorkTest, DeleteEmptiesTheListOnlyAfterTheLastRecord)
{
    Add(DayRule(0, 5, 3, "憲法記念日"));
    Add(DayRule(0, 2, 11, "建国記念の日"));
    EXPECT_EQ(0, HolidayWorkDelete(&list_, 2));
    EXPECT_EQ(2, list_.Count);
    EXPECT_EQ(1, HolidayWorkDelete(&list_, 0));
    EXPECT_EQ("憲法記念日;", Names(list_));
    EXPECT_EQ(1, HolidayWorkDelete(&list_, 0));
    EXPECT_EQ(0, list_.Count);
    EXPECT_EQ(nullptr, list_.Records);
}

// The caller's list is freed only once the new one is complete; without memory it stays as it was.
TEST_F(HolidayWorkTest, HandOverReplacesTheCallersListOnlyWhenTheCopyExists)
{
    unsigned int count = 0;
    HolidayRecord* callers = ParseHolidayText(HOLIDAY_KIND_OWN, "- 1 2Mon 成人の日\r\n", &count);
    ASSERT_EQ(1u, count);
    ASSERT_EQ(1, HolidayWorkCopy(&list_, callers, (int)count));
    Add(DayRule(1970, 5, 3, "Wedding Day"));

    SetHolidayWorkAllocProc(NoMemory);
    EXPECT_EQ(0, HolidayWorkHandOver(&list_, &callers, &count));
    ASSERT_EQ(1u, count);
    EXPECT_STREQ("成人の日", callers[0].name);
    HolidayWorkList failed = {};
    EXPECT_EQ(0, HolidayWorkCopy(&failed, callers, (int)count));
    EXPECT_EQ(0, failed.Count);
    SetHolidayWorkAllocProc(nullptr);

    ASSERT_EQ(1, HolidayWorkHandOver(&list_, &callers, &count));
    ASSERT_EQ(2u, count);
    EXPECT_STREQ("成人の日", callers[0].name);
    EXPECT_STREQ("Wedding Day", callers[1].name);
    EXPECT_NE(list_.Records[1].name, callers[1].name) << "the caller gets names of its own";
    HolidayWorkFree(&list_);
    ASSERT_EQ(1, HolidayWorkHandOver(&list_, &callers, &count));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(nullptr, callers);
}

}  // namespace
