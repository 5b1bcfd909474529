// Font records, measurement with the real (IPA-substituted) fonts, the dialog-face swap and chooser set-up.
#include <windows.h>
#include <gtest/gtest.h>

#include <string.h>
#include <string>

#include "Choosers.h"
#include "FontUtil.h"
#include "StrUtil.h"

namespace {

struct FaceCase {
    const char* given;
    const char* stored;
    int charSet;
    int pitch;
};

TEST(FontRecordTest, KnownFacesFixFaceCharacterSetAndPitch)
{
    const FaceCase cases[] = {
        {nullptr, "ＭＳ Ｐ明朝", 128, 18},   {"", "ＭＳ Ｐ明朝", 128, 18},
        {"CENTURY", "Century", 0, 18},       {"tahoma", "Tahoma", 0, 34},
        {"ＭＳ ゴシック", "ＭＳ ゴシック", 128, 49}, {"ｍｓ Ｐゴシック", "ＭＳ Ｐゴシック", 128, 50},
        {"ＭＳ Ｐ明朝", "ＭＳ Ｐ明朝", 128, 18}, {"ＭＳ 明朝", "ＭＳ 明朝", 128, 17},
        {"Arial", "Arial", 77, 99},
    };
    for (const FaceCase& c : cases) {
        LOGFONTA font;
        memset(&font, 0xAB, sizeof(font));
        ASSERT_EQ(1, SetFontRecord(&font, c.given, -20, 600, 1, 77, 99));
        EXPECT_STREQ(c.stored, font.lfFaceName) << (c.given ? c.given : "(null)");
        EXPECT_EQ(c.charSet, font.lfCharSet) << c.stored;
        EXPECT_EQ(c.pitch, font.lfPitchAndFamily) << c.stored;
        // Nothing of the old contents survives.
        EXPECT_EQ(0, font.lfWidth + font.lfEscapement + font.lfOrientation + font.lfUnderline + font.lfStrikeOut);
    }
}

TEST(FontRecordTest, UnknownFaceWithNegativeSetOrPitchFallsBackToMincho)
{
    LOGFONTA font;
    SetFontRecord(&font, "Unknown", -12, 400, 0, -1, 0);
    EXPECT_STREQ("ＭＳ 明朝", font.lfFaceName);
    EXPECT_EQ(128, font.lfCharSet);
    EXPECT_EQ(17, font.lfPitchAndFamily);
    SetFontRecord(&font, "Unknown", -12, 400, 0, 0, -1);
    EXPECT_STREQ("ＭＳ 明朝", font.lfFaceName);
    EXPECT_EQ(0, SetFontRecord(nullptr, "Tahoma", -12, 400, 0, 0, 0));
}

TEST(FontRecordTest, LongFacesAreCutOnCharacterBoundariesInsideTheRecord)
{
    struct {
        LOGFONTA font;
        char guard[16];
    } block;
    memset(&block, '#', sizeof(block));
    SetFontRecord(&block.font, std::string(40, 'x').c_str(), -12, 400, 0, 0, 0);
    EXPECT_EQ(std::string(LF_FACESIZE - 1, 'x'), block.font.lfFaceName);
    EXPECT_EQ('#', block.guard[0]);

    // Sixteen double-byte characters take 32 bytes: the sixteenth does not fit whole.
    std::string wide;
    for (int i = 0; i < 16; i++)
        wide += "あ";
    SetFontRecord(&block.font, wide.c_str(), -12, 400, 0, 128, 50);
    EXPECT_EQ(wide.substr(0, 30), block.font.lfFaceName);
    SetFontRecord(&block.font, ("a" + wide).c_str(), -12, 400, 0, 128, 50);
    EXPECT_EQ(("a" + wide).substr(0, 31), block.font.lfFaceName);
}

TEST(FontRecordTest, DoubleByteCharacterNeedsLeadAndTrail)
{
    EXPECT_EQ(1, IsDoubleByteChar("あ"));
    EXPECT_EQ(0, IsDoubleByteChar("\x82"));      // a lead byte alone
    EXPECT_EQ(0, IsDoubleByteChar("\x82\x7F"));  // not a trail byte
    EXPECT_EQ(0, IsDoubleByteChar("\xB1\xB1"));  // half-width kana
    EXPECT_EQ(0, IsDoubleByteChar(nullptr));
}

// Measurement on the screen DC with a Japanese font made by the font rule.
class FontMeasureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitLogFont(&record, "ＭＳ Ｐゴシック", -16, 0, 0, 128, 50);
        font = CreateFontIndirectA(&record);
        ASSERT_NE(nullptr, font);
    }
    void TearDown() override { DeleteObject(font); }

    SIZE Measure(HFONT with, const char* text)
    {
        SIZE size = {};
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, with);
        GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return size;
    }

    std::string Split(int width, const char* text, std::string* rest)
    {
        char head[SPLIT_TEXT_SIZE], tail[SPLIT_TEXT_SIZE];
        EXPECT_EQ(1, SplitTextToWidth(nullptr, font, width, text, head, tail));
        *rest = tail;
        return head;
    }

    LOGFONTA record;
    HFONT font = nullptr;
};

TEST_F(FontMeasureTest, SizesFollowTheSelectedFont)
{
    SIZE size;
    ASSERT_EQ(1, GetTextSizeWithFont(nullptr, font, "日本語のテキスト", &size));
    SIZE expected = Measure(font, "日本語のテキスト");
    EXPECT_EQ(expected.cx, size.cx);
    EXPECT_EQ(expected.cy, size.cy);
    EXPECT_GT(size.cx, Measure(font, "日本語").cx);

    HFONT stock = (HFONT)GetStockObject(SYSTEM_FONT);
    ASSERT_EQ(1, GetTextSize(nullptr, "Daylens", &size));
    EXPECT_EQ(Measure(stock, "Daylens").cx, size.cx);

    EXPECT_EQ(0, GetTextSizeWithFont(nullptr, font, nullptr, &size));
    EXPECT_EQ(0, size.cx);
}

TEST_F(FontMeasureTest, MetricsGrowWithTheFontAndBoldIsNotNarrower)
{
    int width = 0, height = 0;
    ASSERT_EQ(1, GetFontMetrics(nullptr, &record, &width, &height));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(metrics.tmAveCharWidth, width);
    EXPECT_EQ(metrics.tmHeight + metrics.tmExternalLeading, height);

    LOGFONTA larger = record;
    larger.lfHeight = -32;
    int largerWidth = 0, largerHeight = 0;
    ASSERT_EQ(1, GetFontMetrics(nullptr, &larger, &largerWidth, &largerHeight));
    EXPECT_GT(largerWidth, width);
    EXPECT_GT(largerHeight, height);
    EXPECT_EQ(0, GetFontMetrics(nullptr, &record, &width, nullptr));

    LOGFONTA boldRecord = record;
    boldRecord.lfWeight = FONT_WEIGHT_BOLD;
    HFONT bold = CreateFontIndirectA(&boldRecord);
    EXPECT_GE(Measure(bold, "Daylens 日本語").cx, Measure(font, "Daylens 日本語").cx);
    DeleteObject(bold);
}

TEST_F(FontMeasureTest, SplitStopsAtTheWidthOrTheFirstLineBreak)
{
    std::string rest;
    EXPECT_EQ("ab", Split(10000, "ab\ncd", &rest));
    EXPECT_EQ("cd", rest);
    EXPECT_EQ("ab", Split(10000, "ab\r\n\r\ncd", &rest));
    EXPECT_EQ("cd", rest);
    EXPECT_EQ("abcd", Split(10000, "abcd", &rest));
    EXPECT_EQ("", rest);

    int two = Measure(font, "あい").cx;
    EXPECT_EQ("あい", Split(two, "あいうえ", &rest));
    EXPECT_EQ("うえ", rest);
    EXPECT_EQ("あ", Split(two - 1, "あいうえ", &rest));
    EXPECT_EQ("いうえ", rest);
    // A first character wider than the width still goes to the head.
    EXPECT_EQ("あ", Split(1, "あい", &rest));
    EXPECT_EQ("い", rest);

    char head[SPLIT_TEXT_SIZE] = "x", tail[SPLIT_TEXT_SIZE] = "x";
    EXPECT_EQ(0, SplitTextToWidth(nullptr, font, 100, "", head, tail));
    EXPECT_STREQ("", head);
    EXPECT_STREQ("", tail);
}

TEST_F(FontMeasureTest, SplitOfALongTextKeepsWhatTheHeadCannotHold)
{
    std::string text = "a";
    for (int i = 0; i < 600; i++)
        text += "あ";
    std::string rest;
    std::string head = Split(1000000, text.c_str(), &rest);
    EXPECT_EQ(text.substr(0, 1023), head);  // "a" and 511 whole characters
    EXPECT_EQ(text.substr(1023), rest);
}

TEST(DialogFontTest, JapaneseFacesSwapFamilyAndOtherFacesStay)
{
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, dialog);
    HWND control = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, dialog, (HMENU)101, nullptr, nullptr);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(nullptr, SubstituteDialogFont(dialog, 101));  // no font yet
    EXPECT_EQ(nullptr, SubstituteDialogFont(dialog, 999));

    const FaceCase swaps[] = {
        {"ＭＳ ゴシック", "ＭＳ 明朝", 128, 17}, {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", 128, 18},
        {"ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック", 128, 50}, {"ＭＳ 明朝", "ＭＳ ゴシック", 128, 49},
        {"Tahoma", "Tahoma", 0, 34},
    };
    for (const FaceCase& c : swaps) {
        LOGFONTA record;
        InitLogFont(&record, c.given, -14, 1, 0, 0, 0);
        HFONT original = CreateFontIndirectA(&record);
        SendMessageA(control, WM_SETFONT, (WPARAM)original, FALSE);
        HFONT swapped = SubstituteDialogFont(dialog, 101);
        ASSERT_NE(nullptr, swapped) << c.given;
        EXPECT_NE(original, swapped);
        EXPECT_EQ(swapped, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
        LOGFONTA result;
        ASSERT_EQ((int)sizeof(result), GetObjectA(swapped, sizeof(result), &result));
        EXPECT_STREQ(c.stored, result.lfFaceName);
        EXPECT_EQ(c.pitch, result.lfPitchAndFamily) << c.stored;
        EXPECT_EQ(-14, result.lfHeight);
        SendMessageA(control, WM_SETFONT, 0, FALSE);
        DeleteObject(swapped);
        DeleteObject(original);
    }
    DestroyWindow(dialog);
}

TEST(ChooserTest, SetUpStartsFromTheCallersValuesAndDefaults)
{
    LOGFONTA font = {};
    COLORREF color = RGB(1, 2, 3);
    CHOOSEFONTA fontChooser;
    SetUpFontChooser(&fontChooser, nullptr, &font, 0, &color);
    EXPECT_EQ(65u, fontChooser.Flags);
    EXPECT_EQ(color, fontChooser.rgbColors);
    SetUpFontChooser(&fontChooser, nullptr, &font, CF_SCREENFONTS, nullptr);
    EXPECT_EQ((DWORD)CF_SCREENFONTS, fontChooser.Flags);

    COLORREF custom[16] = {};
    CHOOSECOLORA colorChooser;
    SetUpColorChooser(&colorChooser, nullptr, nullptr, custom);
    EXPECT_EQ(RGB(255, 255, 255), colorChooser.rgbResult);
    SetUpColorChooser(&colorChooser, nullptr, &color, custom);
    EXPECT_EQ(color, colorChooser.rgbResult);

    // Refused before any chooser opens.
    EXPECT_EQ(0, ChooseFontDialog(nullptr, nullptr, 0, &color));
    EXPECT_EQ(0, ChooseColorDialog(nullptr, &color, nullptr));
    EXPECT_EQ(RGB(1, 2, 3), color);
    EXPECT_EQ(1, ShowBuildInfoOnDebug());  // no " --debug" on a test's command line
}

}  // namespace
