// The mini memo's listing without windows: headers, the join of day memo and repeating memos, the walk that lays
// the days out (through a painter with fixed metrics) and the per-pixel alpha.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "HeapUtil.h"
#include "MiniMemoRules.h"

namespace {

const int kCharWidth = 8;
const int kLineHeight = 16;

std::string Take(char* text)
{
    std::string result = text ? text : "(null)";
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return result;
}

TEST(MiniMemoHeaderTest, YearWeekdayAndPadding)
{
    char header[MINIMEMO_HEADER_SIZE];
    FormatMiniMemoHeader(header, sizeof(header), 2026, 12, 9, 1);
    EXPECT_STREQ("2026年12月 9日(水)", header);
    FormatMiniMemoHeader(header, sizeof(header), 2027, 1, 3, 0);
    EXPECT_STREQ(" 1月 3日(日)", header);
}

TEST(MiniMemoJoinTest, DayMemoThenRepeatingMemosByTheLineRule)
{
    EXPECT_EQ("会議 [定例]ごみ", Take(JoinMiniMemoTexts(StrDupHeap("会議"), StrDupHeap("[定例]ごみ"), 1)));
    EXPECT_EQ("会議\r\n[定例]ごみ", Take(JoinMiniMemoTexts(StrDupHeap("会議"), StrDupHeap("[定例]ごみ"), 0)));
    EXPECT_EQ("[定例]ごみ", Take(JoinMiniMemoTexts(nullptr, StrDupHeap("[定例]ごみ"), 1)));
    EXPECT_EQ("会議", Take(JoinMiniMemoTexts(StrDupHeap("会議"), nullptr, 0)));
    EXPECT_EQ("(null)", Take(JoinMiniMemoTexts(nullptr, nullptr, 1)));

    MiniMemoSettings s = {};
    s.MultiLine = 1;
    EXPECT_EQ(1, MiniMemoOneLine(&s));
    s.AllMemo = 1;
    EXPECT_EQ(0, MiniMemoOneLine(&s));
}

// What the walk asked to draw, with fixed metrics: 8 pixels a byte, 16 a line, wrapped text one line per "\n".
struct Recorder {
    struct Item {
        std::string Text;
        RECT Box;
        UINT Format;
        int Style;
    };
    std::map<std::string, std::string> Texts;  // "M/D" -> text
    std::vector<int> Styles;
    std::vector<Item> Items;
    std::vector<std::pair<RECT, std::string>> Tips;
    int Style = -1;

    static void Select(void* c, int style)
    {
        Recorder* r = (Recorder*)c;
        r->Style = style;
        r->Styles.push_back(style);
    }
    static SIZE Measure(void*, const char* text) { return SIZE{(LONG)strlen(text) * kCharWidth, kLineHeight}; }
    static int Draw(void* c, const char* text, const RECT* box, UINT format)
    {
        Recorder* r = (Recorder*)c;
        r->Items.push_back({text, *box, format, r->Style});
        int lines = 1;
        for (const char* p = text; (format & DT_WORDBREAK) && *p; p++)
            lines += *p == '\n';
        return lines * kLineHeight;
    }
    static void Tip(void* c, const RECT* band, const char* text) { ((Recorder*)c)->Tips.push_back({*band, text}); }
    static char* DayText(void* c, int, int month, int day, int)
    {
        auto found = ((Recorder*)c)->Texts.find(std::to_string(month) + "/" + std::to_string(day));
        return found == ((Recorder*)c)->Texts.end() ? nullptr : StrDupHeap(found->second.c_str());
    }
    MiniMemoPainter Painter() { return {this, Select, Measure, Draw, Tip, DayText}; }
};

class MiniMemoWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings_.MarginLeft = settings_.MarginTop = settings_.MarginRight = settings_.MarginBottom = 2;
        settings_.LineMargin = 2;
        settings_.LineIndent = 5;
        settings_.BeforeDays = 1;
        settings_.AfterDays = 1;
        for (MiniMemoTextStyle& s : settings_.Styles)
            s.ShadowDirection = SHADOW_DOWN_RIGHT;
    }

    int Walk()
    {
        MiniMemoPainter painter = recorder_.Painter();
        return WalkMiniMemo(&settings_, &today_, &client_, &painter);
    }

    MiniMemoSettings settings_ = {};
    SYSTEMTIME today_ = {2026, 12, 3, 9};
    RECT client_ = {0, 0, 300, 400};
    Recorder recorder_;
};

TEST_F(MiniMemoWalkTest, OneLineTextsStandBesideTheHeaderColumn)
{
    recorder_.Texts["12/8"] = "昨日の予定";
    recorder_.Texts["12/10"] = "明日の予定";
    int end = Walk();
    // Every header is as wide; the column is a sixteenth wider.
    int column = (int)strlen("12月 8日(火)") * kCharWidth * 17 / 16;
    ASSERT_EQ(5u, recorder_.Items.size());
    EXPECT_EQ("12月 8日(火)", recorder_.Items[0].Text);
    EXPECT_EQ(2, recorder_.Items[0].Box.top);
    EXPECT_EQ(0, recorder_.Items[0].Style);
    EXPECT_EQ("昨日の予定", recorder_.Items[1].Text);
    EXPECT_EQ(2 + column, recorder_.Items[1].Box.left);
    EXPECT_EQ(2, recorder_.Items[1].Box.top);
    EXPECT_EQ(298, recorder_.Items[1].Box.right);
    EXPECT_EQ("12月 9日(水)", recorder_.Items[2].Text);
    EXPECT_EQ(2 + 16 + 2, recorder_.Items[2].Box.top);
    EXPECT_EQ(1, recorder_.Items[2].Style);
    EXPECT_EQ(2, recorder_.Items[4].Style);
    EXPECT_EQ(2 + 3 * 16 + 2 * 2, end);
    EXPECT_EQ(MiniMemoAutoHeight(&settings_, end), end + 2);

    ASSERT_EQ(3u, recorder_.Tips.size());
    EXPECT_EQ("12月 8日(火)\r\n昨日の予定", recorder_.Tips[0].second);
    EXPECT_EQ("12月 9日(水)", recorder_.Tips[1].second);
    EXPECT_EQ(20, recorder_.Tips[1].first.top);
    EXPECT_EQ(36, recorder_.Tips[1].first.bottom);
}

TEST_F(MiniMemoWalkTest, TodayFirstWithoutDaysBeforeAndNothingShownWhenEmptyDaysAreHidden)
{
    settings_.BeforeDays = 0;
    settings_.ExistDraw = 1;
    Walk();
    ASSERT_EQ(1u, recorder_.Items.size());
    EXPECT_EQ(MINIMEMO_NOTHING_TEXT, recorder_.Items[0].Text);
    EXPECT_EQ(2, recorder_.Items[0].Box.top);
    EXPECT_TRUE(recorder_.Tips.empty());
    ASSERT_GE(recorder_.Styles.size(), 2u);
    EXPECT_EQ(MINIMEMO_STYLE_TODAY, recorder_.Styles[0]);
    EXPECT_EQ(MINIMEMO_STYLE_AFTER, recorder_.Styles.back());
}

TEST_F(MiniMemoWalkTest, AllLinesWrapBelowTheHeaderAndPushTheNextDayDown)
{
    settings_.MultiLine = 1;
    settings_.AllMemo = 1;
    settings_.ExistDraw = 1;
    recorder_.Texts["12/9"] = "一行目\r\n二行目\r\n三行目";
    recorder_.Texts["12/10"] = "明日";
    int end = Walk();
    ASSERT_EQ(4u, recorder_.Items.size());
    EXPECT_EQ("12月 9日(水)", recorder_.Items[0].Text);
    EXPECT_EQ(2, recorder_.Items[0].Box.top);
    const auto& text = recorder_.Items[1];
    EXPECT_EQ(2 + 5, text.Box.left);
    EXPECT_EQ(2 + 2 + 16, text.Box.top);
    EXPECT_TRUE(text.Format & DT_WORDBREAK);
    // Three wrapped lines, then the line margin before the next header.
    EXPECT_EQ(20 + 48 + 2, recorder_.Items[2].Box.top);
    EXPECT_EQ(70 + 2 + 16 + 16, end);
}

TEST_F(MiniMemoWalkTest, AnOutlineShadowTakesRoomAboveAndBelow)
{
    for (MiniMemoTextStyle& s : settings_.Styles) {
        s.ShadowDirection = SHADOW_OUTLINE;
        s.ShadowWidth = 3;
    }
    settings_.MultiLine = 1;
    recorder_.Texts["12/9"] = "今日";
    Walk();
    ASSERT_EQ(4u, recorder_.Items.size());
    EXPECT_EQ(2 + 1, recorder_.Items[0].Box.top);
    // Empty day: its line and the outline's width.
    EXPECT_EQ(3 + 16 + 3 + 2, recorder_.Items[1].Box.top);
    EXPECT_FALSE(recorder_.Items[2].Format & DT_WORDBREAK);
    EXPECT_EQ(24 + 2 + 16 + 3, recorder_.Items[2].Box.top);
}

TEST(MiniMemoAlphaTest, MaskGivesAlphaAndColourIsPremultiplied)
{
    // BGRA: a text pixel, a half-covered edge, a background pixel.
    BYTE colour[12] = {200, 100, 50, 0, 200, 100, 50, 0, 90, 90, 90, 0};
    const BYTE mask[12] = {255, 255, 255, 0, 128, 128, 128, 0, 0, 0, 0, 0};
    BYTE faded[12];
    memcpy(faded, colour, sizeof(colour));
    PremultiplyMiniMemo(colour, mask, 3, TRANS_FADE_OFF, 128);
    EXPECT_EQ(255, colour[3]);
    EXPECT_EQ(200, colour[0]);
    EXPECT_EQ(128, colour[7]);
    EXPECT_EQ((129 * 200) >> 8, colour[4]);
    EXPECT_EQ(0, colour[8]);
    EXPECT_EQ(0, colour[11]);
    PremultiplyMiniMemo(faded, mask, 3, 0, 128);
    EXPECT_EQ(128, faded[3]);
    EXPECT_EQ((129 * 200) >> 8, faded[0]);
    EXPECT_EQ(128 * 128 / 255, faded[7]);
}

TEST(MiniMemoPlaceTest, StoredRectangleOrTwoHundredSquareAtTheReference)
{
    MiniMemoSettings s = {};
    s.WindowX = 10;
    s.WindowY = 20;
    s.WindowWidth = 150;
    s.WindowHeight = 4;
    RECT reference = {300, 200, 500, 400};
    RECT box = MiniMemoStartRect(&s, &reference);
    EXPECT_EQ(300, box.left);
    EXPECT_EQ(400, box.bottom);
    s.WindowHeight = 80;
    box = MiniMemoStartRect(&s, &reference);
    EXPECT_EQ(10, box.left);
    EXPECT_EQ(100, box.bottom);
}

}  // namespace
