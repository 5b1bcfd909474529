// Month pages drawn into an enhanced metafile and read back as text records: where the day numbers stand on an A4
// page in both orientations, the holiday, today and memo lines of a day, the column's colours, and the pages of a
// range.
#include <gtest/gtest.h>

#include <windows.h>

#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "EngineMain.h"
#include "EnvData.h"
#include "Holiday.h"
#include "MemoSettings.h"
#include "MemoWriter.h"
#include "PrintPage.h"
#include "PrintPages.h"
#include "PrintPlugIn.h"
#include "SettingsKeys.h"
#include "SettingsReader.h"
#include "StrUtil.h"
#include "TempFolder.h"

namespace {

struct TextRecord {
    std::string Text;  // code page 932
    POINT At;
    COLORREF Color;
};

struct Recording {
    std::vector<TextRecord> Texts;
    COLORREF Color = 0;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param)
{
    Recording* r = (Recording*)param;
    if (record->iType == EMR_SETTEXTCOLOR) {
        r->Color = ((const EMRSETTEXTCOLOR*)record)->crColor;
    } else if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* out = (const EMREXTTEXTOUTW*)record;
        const WCHAR* wide = (const WCHAR*)((const BYTE*)record + out->emrtext.offString);
        char text[1024] = "";
        WideCharToMultiByte(932, 0, wide, (int)out->emrtext.nChars, text, sizeof(text) - 1, nullptr, nullptr);
        r->Texts.push_back({text, {out->emrtext.ptlReference.x, out->emrtext.ptlReference.y}, r->Color});
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const EMREXTTEXTOUTA* out = (const EMREXTTEXTOUTA*)record;
        const char* text = (const char*)((const BYTE*)record + out->emrtext.offString);
        r->Texts.push_back({std::string(text, out->emrtext.nChars),
                            {out->emrtext.ptlReference.x, out->emrtext.ptlReference.y}, r->Color});
    }
    return 1;
}

// The last record of text: the day number itself, drawn over its shadow.
const TextRecord* Last(const Recording& r, const std::string& text)
{
    const TextRecord* found = nullptr;
    for (const TextRecord& t : r.Texts) {
        if (t.Text == text)
            found = &t;
    }
    return found;
}

class PrintPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnvInitialize(&env_);
        static char text[SETTINGS_READ_SIZE];
        SettingSource defaults = {nullptr, &env_, nullptr, nullptr, text};
        ReadSettingKeys(defaults, &env_, MainSettingKeys(), -1);
        CompleteMarkOrder(env_.MarkOrder);
        env_.YMSpace = 10;
        marks_[2].Style.StrColor = RGB(255, 0, 0);
        env_.UserMarks = marks_;
        env_.UserStyleMax = 10;
        options_ = {1, 1, 1, 1, 0};
        options_.CommentFont = env_.DayFont;
        options_.MemoFont = env_.DayFont;
        ASSERT_TRUE(folder_.Create("daylens-print-page"));
        memset(&memo_, 0, sizeof(memo_));
        SafeStrCpy(memo_.MemoDir, sizeof(memo_.MemoDir), folder_.Dir().c_str());
        memo_.MemoStyle.NoUseStrColor = 1;
        holidays_ = LoadHoliday(HOLIDAY_KIND_NATIONAL, DAYLENS_DIST_DIR "\\Holiday.txt", &holidayCount_);
        ASSERT_NE(nullptr, holidays_);
        sources_ = {};
        sources_.Env = &env_;
        sources_.Memo = &memo_;
        sources_.Options = &options_;
        sources_.Holidays = holidays_;
        sources_.HolidayCount = (int)holidayCount_;
        sources_.Today = {2026, 1, 1, 12};
    }
    void TearDown() override
    {
        env_.UserMarks = nullptr;
        FreeHolidayList(holidays_, (int)holidayCount_);
    }

    void WriteMemo(int day, const char* text, int mark)
    {
        DayMemoRecord record = {memo_.MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
        record.Style.MarkType = (BYTE)mark;
        ASSERT_EQ(1, WriteDayMemo(&memo_, 2026, 1, day, text, &record));
    }

    Recording Draw(const PageMetrics& metrics, int year, int month)
    {
        HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        RECT page = {0, 0, metrics.Width, metrics.Height};
        EXPECT_EQ(1, DrawPrintPage(dc, sources_, metrics, year, month, &page));
        HENHMETAFILE file = CloseEnhMetaFile(dc);
        Recording r;
        EnumEnhMetaFile(nullptr, file, CollectText, &r, nullptr);
        DeleteEnhMetaFile(file);
        return r;
    }

    EnvData env_;
    UserMark marks_[10] = {};
    PrintOptions options_;
    MemoSettings memo_;
    TempFolder folder_;
    HolidayRecord* holidays_ = nullptr;
    unsigned int holidayCount_ = 0;
    PageSources sources_;
};

// A4 at 600 dots per inch.
const PageMetrics kPortrait = {4960, 7016, 210, 297};
const PageMetrics kLandscape = {7016, 4960, 297, 210};

// January 2026 begins on a Thursday: with Sunday first, the 1st stands in column 4 of row 0 and the 4th opens row 1.
void ExpectJanuaryGrid(const Recording& r, const PageMetrics& m)
{
    double marginMm = 2 * sqrt(210.0 * 297.0) * 0.01;
    double margin = marginMm * m.Width / m.WidthMm;
    double column = (m.Width - 2 * (int)margin) / 7.0;
    const TextRecord* first = Last(r, "1");
    const TextRecord* fourth = Last(r, "4");
    const TextRecord* fifth = Last(r, "5");
    const TextRecord* eleventh = Last(r, "11");
    const TextRecord* last = Last(r, "31");
    ASSERT_TRUE(first && fourth && fifth && eleventh && last);
    EXPECT_GT(fourth->At.x, (int)margin);
    EXPECT_LT(fourth->At.x, (int)(margin + column / 4));
    EXPECT_NEAR(column, fifth->At.x - fourth->At.x, 2);
    EXPECT_NEAR(4 * column, first->At.x - fourth->At.x, 2);
    EXPECT_NEAR(6 * column, last->At.x - fourth->At.x, 2);
    int row = eleventh->At.y - fourth->At.y;
    EXPECT_GT(row, 0);
    EXPECT_NEAR(fourth->At.y - row, first->At.y, 1);
    EXPECT_NEAR(4 * row, last->At.y - first->At.y, 4);
    // Six rows fit above the bottom margin.
    EXPECT_LT(first->At.y + 6 * row, m.Height);
    EXPECT_EQ(nullptr, Last(r, "32"));
    EXPECT_NE(nullptr, Last(r, "2026年"));
    EXPECT_NE(nullptr, Last(r, "1月"));
}

TEST_F(PrintPageTest, DayNumbersStandInTheirColumnsOnPortraitAndLandscapeA4)
{
    {
        SCOPED_TRACE("portrait");
        ExpectJanuaryGrid(Draw(kPortrait, 2026, 1), kPortrait);
    }
    {
        SCOPED_TRACE("landscape");
        ExpectJanuaryGrid(Draw(kLandscape, 2026, 1), kLandscape);
    }
}

// The caption: left, right, centred or at both ends, the month after the year or before it.
TEST_F(PrintPageTest, CaptionStandsByAlignmentAndOrder)
{
    double margin = 2 * sqrt(210.0 * 297.0) * 0.01 * kPortrait.Width / kPortrait.WidthMm;
    auto caption = [&](int alignment, int monthFirst, int* yearX, int* monthX) {
        env_.DisplayYMStyle = (BYTE)alignment;
        env_.DisplayYMChange = monthFirst;
        Recording r = Draw(kPortrait, 2026, 1);
        const TextRecord* year = Last(r, "2026年");
        const TextRecord* month = Last(r, "1月");
        ASSERT_TRUE(year && month);
        *yearX = year->At.x;
        *monthX = month->At.x;
    };
    // The text stands centred with its shadow, a few pixels off the margin.
    int yearX = 0, monthX = 0;
    caption(0, 0, &yearX, &monthX);
    EXPECT_NEAR(margin, yearX, 6);
    EXPECT_GT(monthX, yearX);
    int leftYear = yearX, leftMonth = monthX;
    caption(1, 0, &yearX, &monthX);
    EXPECT_GT(yearX, kPortrait.Width / 2) << "right-aligned";
    EXPECT_EQ(monthX - yearX, leftMonth - leftYear);
    caption(2, 0, &yearX, &monthX);
    EXPECT_GT(yearX, leftYear);
    EXPECT_LT(yearX, kPortrait.Width / 2) << "centred";
    caption(0, 1, &yearX, &monthX);
    EXPECT_NEAR(margin, monthX, 6) << "the month first";
    EXPECT_GT(yearX, monthX);
    caption(3, 0, &yearX, &monthX);
    EXPECT_NEAR(margin, yearX, 6);
    EXPECT_GT(monthX, kPortrait.Width * 3 / 4) << "the month flush with the right margin";
    // A space as wide as an int holds: right-aligned, the month stays at the right margin and the year, far beyond
    // the page's left edge, is left out; left-aligned, the month is the one left out.
    caption(1, 0, &yearX, &monthX);
    int rightMonth = monthX;
    env_.YMSpace = INT_MAX;
    Recording right = Draw(kPortrait, 2026, 1);
    ASSERT_NE(nullptr, Last(right, "1月"));
    EXPECT_EQ(rightMonth, Last(right, "1月")->At.x);
    EXPECT_EQ(nullptr, Last(right, "2026年"));
    env_.DisplayYMStyle = 0;
    Recording left = Draw(kPortrait, 2026, 1);
    EXPECT_EQ(nullptr, Last(left, "1月"));
    ASSERT_NE(nullptr, Last(left, "2026年"));
    EXPECT_NEAR(margin, Last(left, "2026年")->At.x, 6);
}

// Filled blanks: six whole weeks from the first weekday, the neighbouring months' days lightened (each channel
// halfway to white, rounded down) and their comments grey.
// The day numbers in drawing order: the last record of each run of one number (the text over its shadow copies).
std::vector<TextRecord> DayNumbers(const Recording& r)
{
    std::vector<TextRecord> numbers;
    for (size_t i = 0; i < r.Texts.size(); i++) {
        const std::string& text = r.Texts[i].Text;
        bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
        if (digits && (i + 1 == r.Texts.size() || r.Texts[i + 1].Text != text))
            numbers.push_back(r.Texts[i]);
    }
    return numbers;
}

TEST_F(PrintPageTest, FilledBlanksShowSixWeeksWithTheNeighbouringDaysLightened)
{
    env_.FillSpace = 1;
    env_.FillLightColor = 1;
    env_.StartDate = 1;  // Monday first: January 2026 opens with 29 December
    std::vector<TextRecord> days = DayNumbers(Draw(kPortrait, 2026, 1));
    ASSERT_EQ(42u, days.size());
    EXPECT_EQ("29", days[0].Text);
    EXPECT_EQ("5", days[7].Text);
    EXPECT_EQ("8", days[41].Text) << "8 February ends the sixth row";
    EXPECT_EQ(days[0].At.x, days[7].At.x);
    EXPECT_LT(days[35].At.y, days[41].At.y + 1);
    COLORREF monday = env_.WeekStyles[1].StrColor;
    COLORREF light = RGB((GetRValue(monday) + 255) / 2, (GetGValue(monday) + 255) / 2, (GetBValue(monday) + 255) / 2);
    EXPECT_EQ(light, days[0].Color);
    EXPECT_EQ(monday, days[7].Color);
}

TEST_F(PrintPageTest, DayShowsHolidayNameThenTodayBesideItsNumberAndItsMemoBelow)
{
    WriteMemo(20, "歯医者に行く", 0);
    Recording r = Draw(kPortrait, 2026, 1);
    const TextRecord* twelfth = Last(r, "12");
    const TextRecord* holiday = Last(r, "成人の日");
    const TextRecord* today = Last(r, "今日");
    ASSERT_TRUE(twelfth && holiday && today);
    EXPECT_GT(holiday->At.x, twelfth->At.x);
    EXPECT_EQ(holiday->At.x, today->At.x);
    EXPECT_GT(today->At.y, holiday->At.y);
    EXPECT_EQ(env_.TodayStyle.StrColor, twelfth->Color) << "today's colours win over the holiday's";
    const TextRecord* twentieth = Last(r, "20");
    const TextRecord* memo = Last(r, "歯医者に行く");
    ASSERT_TRUE(twentieth && memo);
    EXPECT_GT(memo->At.y, twentieth->At.y);
    EXPECT_LT(memo->At.y - twentieth->At.y, Last(r, "27")->At.y - twentieth->At.y);

    options_.PrintMemo = 0;
    options_.PrintHoliday = 0;
    Recording plain = Draw(kPortrait, 2026, 1);
    EXPECT_EQ(nullptr, Last(plain, "歯医者に行く"));
    EXPECT_EQ(nullptr, Last(plain, "成人の日"));
}

TEST_F(PrintPageTest, ColumnColoursADayByItsMemoMarkOnlyForAUserMarkThatExists)
{
    options_.Vertical = 1;
    WriteMemo(20, "赤い印", MARK_KIND_USER_BASE + 2);
    WriteMemo(21, "ない印", MARK_KIND_USER_BASE + 15);
    Recording r = Draw(kPortrait, 2026, 1);
    ASSERT_TRUE(Last(r, "20") && Last(r, "21") && Last(r, "31"));
    EXPECT_EQ(RGB(255, 0, 0), Last(r, "20")->Color);
    EXPECT_EQ(env_.WeekStyles[3].StrColor, Last(r, "21")->Color);
    EXPECT_NE(nullptr, Last(r, "ない印"));
    EXPECT_EQ(Last(r, "20")->At.x, Last(r, "31")->At.x);
    EXPECT_GT(Last(r, "31")->At.y, Last(r, "30")->At.y);
}

TEST(PrintRangeTest, OnePagePerMonthOverTheRange)
{
    int year = 2025, month = 12;
    EXPECT_EQ(1, NextPrintMonth(&year, &month, 2026, 1));
    EXPECT_EQ(2026, year);
    EXPECT_EQ(1, month);
    EXPECT_EQ(0, NextPrintMonth(&year, &month, 2026, 1));
    year = 2026, month = 5;
    EXPECT_EQ(0, NextPrintMonth(&year, &month, 2026, 2)) << "an end before the start prints the start month";
}

TEST(PrintRangeTest, WheelDownOnDecemberShowsJanuaryOfTheNextYear)
{
    int year = 2026, month = 12;
    StepShownMonth(&year, &month, -120);
    EXPECT_EQ(2027, year);
    EXPECT_EQ(1, month);
    StepShownMonth(&year, &month, 120);
    EXPECT_EQ(2026, year);
    EXPECT_EQ(12, month);
}

// The default printer comes first; names are compared case-sensitively and the list holds at most its room.
TEST(PrinterListTest, NamesAddedOnceCaseSensitivelyUpToTheLimit)
{
    static char names[PRINT_PRINTER_MAX][PRINTER_NAME_SIZE];
    int count = AddPrinterName(names, 0, PRINT_PRINTER_MAX, "Office");
    count = AddPrinterName(names, count, PRINT_PRINTER_MAX, "Office");
    count = AddPrinterName(names, count, PRINT_PRINTER_MAX, "office");
    count = AddPrinterName(names, count, PRINT_PRINTER_MAX, "");
    EXPECT_EQ(2, count);
    EXPECT_STREQ("office", names[1]);
    for (int i = 0; i < 100; i++) {
        char name[32];
        snprintf(name, sizeof(name), "Printer %d", i);
        count = AddPrinterName(names, count, PRINT_PRINTER_MAX, name);
    }
    EXPECT_EQ(PRINT_PRINTER_MAX, count);
}

TEST(PrintJobTest, DeviceThatRefusesTheDocumentIsNotReportedAsPrinted)
{
    HDC memory = CreateCompatibleDC(nullptr);
    PrintOptions options = {};
    EnvData env;
    PageSources sources = {};
    sources.Env = &env;
    sources.Options = &options;
    EXPECT_EQ(0, PrintMonths(memory, sources, kPortrait, 2026, 1, 2026, 3));
    DeleteDC(memory);
}

}  // namespace
