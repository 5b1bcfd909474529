// The line forms of the memo export files and the reader of the own CSV.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MemoExchange.h"

namespace {

DayMemoRecord Record(int hour, int minute)
{
    DayMemoRecord record = {};
    record.Style.MarkColor = 255;
    record.Style.MarkType = 6;
    record.Style.StrColor = 65280;
    record.Style.NoUseStrColor = 0;
    record.Hour = hour;
    record.Minute = minute;
    return record;
}

std::string Line(int format, int year, int month, int day, const char* text, const DayMemoRecord& record)
{
    MemoOutput out = {};
    EXPECT_EQ(1, AppendMemoExportDay(&out, format, year, month, day, text, &record));
    std::string line = out.Text ? out.Text : "";
    FreeMemoOutput(&out);
    return line;
}

TEST(MemoExchangeTest, EachFormatWritesItsLine)
{
    DayMemoRecord timed = Record(7, 5);
    DayMemoRecord untimed = Record(99, 99);
    // Line breaks in the own CSV become a blank and a line feed; quotes are doubled in both CSV forms.
    EXPECT_EQ("2026年 5月 3日(日),\"会議 \n\"\"資料\"\"\",255,6,65280,0,7,5\r\n",
              Line(MEMO_EXPORT_CSV, 2026, 5, 3, "会議\r\n\"資料\"", timed));
    EXPECT_EQ("0987年12月31日(月),\"表\",255,6,65280,0,99,99\r\n", Line(MEMO_EXPORT_CSV, 987, 12, 31, "表", untimed));
    EXPECT_EQ("\"会議\r\n\"\"資料\"\"\",2026/5/3,07:05:00,2026/5/3,00:00:00,\r\n",
              Line(MEMO_EXPORT_OUTLOOK, 2026, 5, 3, "会議\r\n\"資料\"", timed));
    EXPECT_EQ("\"旅行\",2026/12/1,00:00:00,2026/12/1,00:00:00,\r\n",
              Line(MEMO_EXPORT_OUTLOOK, 2026, 12, 1, "旅行", untimed));
    EXPECT_EQ("2026年12月 1日(火)\r\n旅行\r\n二行目\r\n\r\n", Line(MEMO_EXPORT_TEXT, 2026, 12, 1, "旅行\r\n二行目", untimed));
}

struct ReadMemo {
    std::string Date;
    std::string Text;
    DayMemoRecord Record;
};

void Collect(void* context, int year, int month, int day, const char* text, const DayMemoRecord* record)
{
    char date[32];
    snprintf(date, sizeof(date), "%d-%d-%d", year, month, day);
    ((std::vector<ReadMemo>*)context)->push_back({date, text, *record});
}

std::vector<ReadMemo> Parse(const char* data, int expectedCount)
{
    std::vector<ReadMemo> read;
    EXPECT_EQ(expectedCount, ParseMemoCsv(data, Collect, &read));
    return read;
}

TEST(MemoExchangeTest, TheOwnCsvReadsBackWhatWasWritten)
{
    std::string written = Line(MEMO_EXPORT_CSV, 2026, 5, 3, "会議 \r\n\"資料\", 3部", Record(7, 5)) +
                          Line(MEMO_EXPORT_CSV, 2026, 5, 4, "表示", Record(99, 99));
    std::vector<ReadMemo> read = Parse(written.c_str(), 2);
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ("2026-5-3", read[0].Date);
    // One blank before a line feed belongs to the line break; a blank before that is the text's own.
    EXPECT_EQ("会議 \r\n\"資料\", 3部", read[0].Text);
    EXPECT_EQ(255u, read[0].Record.Style.MarkColor);
    EXPECT_EQ(6, read[0].Record.Style.MarkType);
    EXPECT_EQ(65280u, read[0].Record.Style.StrColor);
    EXPECT_EQ(0, read[0].Record.Style.NoUseStrColor);
    EXPECT_EQ(7, read[0].Record.Hour);
    EXPECT_EQ(5, read[0].Record.Minute);
    EXPECT_EQ("表示", read[1].Text);
    EXPECT_EQ(99, read[1].Record.Hour);
}

TEST(MemoExchangeTest, RecordsWithoutARealDateOrTextAreSkipped)
{
    std::vector<ReadMemo> read = Parse(
        "2026年 2月29日(日),\"閏なし\",1,2,3,0,10,0\r\n"
        "2024年 2月29日(木),\"閏\",1,2,3,0,10,30\r\n"
        "0年 1月 1日(月),\"零年\"\r\n"
        "10000年 1月 1日(月),\"遠い\"\r\n"
        "2026年13月 1日(月),\"十三月\"\r\n"
        "2026年 4月31日(金),\"四月\"\r\n"
        "2026年 5月 1日(金),\"\"\r\n"
        "日付なし,\"本文\"\r\n"
        "\r\n\r\n"
        "2026年 5月 2日(土),\"短い\",9\r\n"
        "2026年 5月 3日(日),本文 \"引用\"",
        3);
    ASSERT_EQ(3u, read.size());
    EXPECT_EQ("2024-2-29", read[0].Date);
    EXPECT_EQ(10, read[0].Record.Hour);
    // A short record keeps the style of the one before but has no time of its own.
    EXPECT_EQ("2026-5-2", read[1].Date);
    EXPECT_EQ(9u, read[1].Record.Style.MarkColor);
    EXPECT_EQ(2, read[1].Record.Style.MarkType);
    EXPECT_EQ(99, read[1].Record.Hour);
    EXPECT_EQ(99, read[1].Record.Minute);
    // Unquoted text keeps its quotes; the last record needs no line end.
    EXPECT_EQ("本文 \"引用\"", read[2].Text);
}

}  // namespace
