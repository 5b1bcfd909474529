#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DateUtil.h"
#include "DayMemoStore.h"
#include "FileUtil.h"
#include "MemoEscape.h"
#include "TempFolder.h"

namespace {

// "MarkType MarkColor NoUseStrColor StrColor ShadowColor ShadowWidth ShadowDirection Gradation".
std::string StyleOf(const FontStyle& s)
{
    char text[128];
    snprintf(text, sizeof(text), "%d %lx %d %lx %lx %d %d %d", s.MarkType, s.MarkColor, s.NoUseStrColor,
             s.StrColor, s.ShadowColor, s.ShadowWidth, s.ShadowDirection, s.Gradation);
    return text;
}

TEST(MemoEscapeTest, UnescapesEveryForm)
{
    struct Case {
        const char* stored;
        int singleLine;
        const char* text;
    } cases[] = {
        {"a&nb&rc", 0, "a\nb\rc"},
        {"a&nb&rc", 1, "a b c"},
        {"&t&&", 1, "\t&"},
        {"&&n", 0, "&n"},
        {"&x&", 0, "&x&"},   // unknown escape and a lone "&" at the end stay
        {"表&n示", 0, "表\n示"},  // 表 ends in 0x5C
        {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, TakeHeapText(UnescapeMemoText(c.stored, c.singleLine))) << c.stored;
    EXPECT_EQ("(null)", TakeHeapText(UnescapeMemoText(nullptr, 0)));
    EXPECT_EQ("(null)", TakeHeapText(EscapeMemoText(nullptr)));
}

TEST(MemoEscapeTest, EscapedTextIsOneLineAndReadsBack)
{
    EXPECT_EQ("a&t&n&r&&b", TakeHeapText(EscapeMemoText("a\t\n\r&b")));
    for (const char* text : {"", "&", "&&n", "\r\n\r\n", "予定表&\t会議\n", "x&ty"}) {
        std::string escaped = TakeHeapText(EscapeMemoText(text));
        EXPECT_EQ(std::string::npos, escaped.find_first_of("\t\r\n")) << text;
        EXPECT_EQ(text, TakeHeapText(UnescapeMemoText(escaped.c_str(), 0))) << text;
    }
}

class DayMemoStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daymemo"));
        settings_.MemoDir = folder_.Dir().c_str();
    }
    void Write(const char* name, const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile(folder_.Path(name).c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    std::string Read(const char* path, int y, int m, int d, int singleLine = 0)
    {
        return TakeHeapText(ReadDayMemoText(path, y, m, d, &settings_, &record_, singleLine));
    }

    TempFolder folder_;
    MemoStoreSettings settings_ = {};
    DayMemoRecord record_ = {};
};

TEST_F(DayMemoStoreTest, ReadsEveryKeyOfADay)
{
    Write("20190415.txt",
          "[20190415]\r\nMarkType        = 7\r\nMarkColor       = 255\r\nNoUseStrColor   = 0\r\n"
          "StrColor        = 65280\r\nShadowColor     = 128\r\nShadowWidth     = 3\r\n"
          "ShadowDirection = 255\r\nShadowGradation = 1\r\nTime            = 7:05\r\n"
          "Memo            = 会議&n資料&t持参&&\r\n");
    record_.Style.Gradation = 42;
    EXPECT_EQ("会議\n資料\t持参&", Read(nullptr, 2019, 4, 15));
    EXPECT_EQ("7 ff 0 ff00 80 3 255 42", StyleOf(record_.Style));  // the gradation is stored only
    EXPECT_EQ(7, record_.Hour);
    EXPECT_EQ(5, record_.Minute);
    EXPECT_EQ("会議 資料\t持参&", Read(nullptr, 2019, 4, 15, 1));
}

TEST_F(DayMemoStoreTest, MissingKeysTakeTheDefaults)
{
    Write("20190416.txt", "[20190416]\r\nMemo = a\r\n");
    EXPECT_EQ("a", Read(nullptr, 2019, 4, 16));
    EXPECT_EQ("1 ff0000 1 ffffff 0 1 4 0", StyleOf(record_.Style));
    EXPECT_EQ(99, record_.Hour);
    EXPECT_EQ(99, record_.Minute);

    FontStyle defaults = {};
    defaults.MarkColor = 11, defaults.StrColor = 22, defaults.ShadowColor = 33;
    defaults.ShadowWidth = 4, defaults.ShadowDirection = 8;
    settings_.DefaultStyle = &defaults;
    EXPECT_EQ("a", Read(nullptr, 2019, 4, 16));
    EXPECT_EQ("1 b 1 16 21 4 8 0", StyleOf(record_.Style));
}

TEST_F(DayMemoStoreTest, ShadowWidthIsHeldToTheMarkDialogs)
{
    // A width beyond the dialog's, however large, would shadow the whole calendar.
    struct Case {
        const char* stored;
        int width;
    } cases[] = {{"4294967295", 99}, {"256", 99}, {"100", 99}, {"99", 99}, {"-1", 0}};
    for (const Case& c : cases) {
        Write("20190418.txt", std::string("[20190418]\r\nShadowWidth = ") + c.stored + "\r\nMemo = a\r\n");
        EXPECT_EQ("a", Read(nullptr, 2019, 4, 18));
        EXPECT_EQ(c.width, record_.Style.ShadowWidth) << c.stored;
    }
}

TEST_F(DayMemoStoreTest, TimeValues)
{
    struct Case {
        const char* stored;
        int hour, minute;
    } cases[] = {{"99:99", 99, 99}, {"23:59", 23, 59}, {"7:05", 7, 5}, {"0:0", 0, 0},
                 // Anything but an hour 0-23 and a minute 0-59 is no time.
                 {"noon", 99, 99}, {"9", 99, 99}, {"-1:-1", 99, 99}, {"25:-6", 99, 99}, {"24:00", 99, 99},
                 {"12:60", 99, 99}, {"7:05pm", 99, 99}};
    std::string file = "[20190417]\r\nMemo = a\r\n";
    for (const Case& c : cases) {
        Write("20190417.txt", file + "Time = " + c.stored + "\r\n");
        EXPECT_EQ("a", Read(nullptr, 2019, 4, 17));
        EXPECT_EQ(c.hour, record_.Hour) << c.stored;
        EXPECT_EQ(c.minute, record_.Minute) << c.stored;
    }
}

TEST_F(DayMemoStoreTest, EmptyMemoIsNoMemoAndLeavesTheRecord)
{
    Write("20190418.txt", "[20190418]\r\nMarkType = 5\r\nMemo =\r\n[20190419]\r\nMarkType = 5\r\n");
    record_.Hour = 12;
    record_.Style.MarkType = 3;
    EXPECT_EQ("(null)", Read(folder_.Path("20190418.txt").c_str(), 2019, 4, 18));
    EXPECT_EQ("(null)", Read(folder_.Path("20190418.txt").c_str(), 2019, 4, 19));
    EXPECT_EQ(12, record_.Hour);
    EXPECT_EQ(3, record_.Style.MarkType);
}

// Memos written plain, and written inside one pair of double quotes because they begin
// or end with a blank or a quote, read back as they were.
TEST_F(DayMemoStoreTest, PlainAndQuotedValues)
{
    struct Case {
        const char* stored;
        const char* text;
    } cases[] = {
        {"plain text", "plain text"},
        {"say \"hi\" now", "say \"hi\" now"},
        {"\" leading\"", " leading"},
        {"\"trailing  \"", "trailing  "},
        {"\"\"quoted\"\"", "\"quoted\""},
        {"\"'single'\"", "'single'"},
        {"\"\"\"", "\""},
        {"\" &tx&n \"", " \tx\n "},
        {"\" 表 \"", " 表 "},
    };
    std::string file;
    for (int i = 0; i < (int)(sizeof(cases) / sizeof(cases[0])); i++)
        file += "[201905" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1) + "]\r\nMemo            = " +
                cases[i].stored + "\r\n";
    Write("201905.txt", file);
    settings_.MemoSaveOneMonth = 1;
    for (int i = 0; i < (int)(sizeof(cases) / sizeof(cases[0])); i++)
        EXPECT_EQ(cases[i].text, Read(nullptr, 2019, 5, i + 1)) << cases[i].stored;
}

TEST_F(DayMemoStoreTest, ChoosesTheFileAndSection)
{
    Write("201904.txt", "[20190415]\r\nMemo = month file\r\n[20190400]\r\nMemo = month zero\r\n");
    Write("20190415.txt", "[20190415]\r\nMemo = day file\r\n[20190416]\r\nMemo = other day\r\n");
    EXPECT_EQ("day file", Read(nullptr, 2019, 4, 15));
    EXPECT_EQ("month zero", Read(nullptr, 2019, 4, 0));  // no day: the month file
    EXPECT_EQ("(null)", Read(nullptr, 2019, 4, 16));      // no day file of the 16th
    settings_.MemoSaveOneMonth = 1;
    EXPECT_EQ("month file", Read(nullptr, 2019, 4, 15));
    // A given file with year 0 takes the date from its name.
    EXPECT_EQ("day file", Read(folder_.Path("20190415.txt").c_str(), 0, 0, 16));
    EXPECT_EQ("month file", Read(folder_.Path("201904.txt").c_str(), 0, 0, 15));
    EXPECT_EQ("other day", Read(folder_.Path("20190415.txt").c_str(), 2019, 4, 16));
    EXPECT_EQ("(null)", TakeHeapText(ReadDayMemoText(nullptr, 2019, 4, 15, nullptr, &record_, 0)));
    EXPECT_EQ("(null)", Read(folder_.Path("missing.txt").c_str(), 2019, 4, 15));
}

TEST_F(DayMemoStoreTest, FileNamesThatAreNoDateGiveNoMemo)
{
    for (const char* name : {"notes.txt", "00000415.txt", "20191301.txt", "20190431.txt", "2019.txt"}) {
        Write(name, "[00000000]\r\nMemo = x\r\n[00000415]\r\nMemo = x\r\n[20191301]\r\nMemo = x\r\n"
                    "[20190431]\r\nMemo = x\r\n[20190400]\r\nMemo = x\r\n");
        EXPECT_EQ("(null)", Read(folder_.Path(name).c_str(), 0, 0, 0)) << name;
    }
}

TEST_F(DayMemoStoreTest, TodayAndTomorrow)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    char name[32];
    for (const char* text : {"today", "tomorrow"}) {
        snprintf(name, sizeof(name), "%04d%02d%02d", st.wYear, st.wMonth, st.wDay);
        Write((std::string(name) + ".txt").c_str(), "[" + std::string(name) + "]\r\nMemo = " + text + "\r\n");
        AddDays(&st, 1);
    }
    EXPECT_EQ("today", TakeHeapText(GetTodayMemo(&settings_, nullptr, 0)));
    EXPECT_EQ("tomorrow", TakeHeapText(GetTomorrowMemo(&settings_, nullptr, 0)));
    EXPECT_EQ("(null)", TakeHeapText(GetTodayMemo(nullptr, nullptr, 0)));
}

TEST(MemoDirTest, FolderRule)
{
    char dir[MEMO_DIR_SIZE];
    EXPECT_EQ(0, GetMemoDir(nullptr, "C:\\x", 0));
    ASSERT_EQ(1, GetMemoDir(dir, "D:\\メモ表", 1));
    EXPECT_STREQ("D:\\メモ表", dir);

    char* folder = nullptr;
    GetModulePathParts(nullptr, &folder, nullptr);
    ASSERT_NE(nullptr, folder);
    std::string program = TakeHeapText(folder);
    ASSERT_EQ(1, GetMemoDir(dir, "", 0));
    EXPECT_EQ(program + "Memo", dir);
    char user[256];
    DWORD size = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &size));
    ASSERT_EQ(1, GetMemoDir(dir, nullptr, 1));
    EXPECT_EQ(program + "Memo-" + user, dir);
}

}  // namespace
