// The mark dialogs through the language module's export, on the test display: what the caller's block gets back,
// which controls the flags leave open, the one-at-a-time answer and the preview as the screen shows it. With
// DAYLENS_SHOT_DIR set, each form is also saved as a picture (112.bmp, 113.bmp).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>

#include "DialogTemplateReader.h"
#include "EngineDialogIds.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "HostWindow.h"
#include "LanguageModule.h"
#include "LanguageResources.h"
#include "MemoryBitmap.h"
#include "TestWindow.h"

namespace {

const char kCaption[] = "Daylens マーク設定";
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 160, 0);
const int kUserMarks = 4;

std::function<void(HWND)> g_act;

// Acts once on the dialog as soon as it is up; the action ends the dialog.
void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindOwnWindow("#32770", kCaption);
    if (!dialog || !IsWindowVisible(dialog) || !g_act)
        return;
    std::function<void(HWND)> act = g_act;
    g_act = nullptr;
    act(dialog);
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int Selection(HWND dialog, int id)
{
    return (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
}

void Click(HWND dialog, int id)
{
    CheckRadioButton(dialog, IDC_MARK_RADIO_INDIVIDUAL, IDC_MARK_RADIO_USERMARK, id);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

// The preview as the screen shows it, once it has painted.
void ShootPreview(HWND dialog, MemoryBitmap* shot)
{
    HWND preview = GetDlgItem(dialog, IDC_MARK_PREVIEW);
    RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(preview);
    shot->CopyFrom(dc);
    ReleaseDC(preview, dc);
}

RECT PreviewClient(HWND dialog)
{
    RECT client = {};
    GetClientRect(GetDlgItem(dialog, IDC_MARK_PREVIEW), &client);
    return client;
}

FontStyle Style(int kind, COLORREF mark, COLORREF text)
{
    FontStyle style = {};
    style.MarkType = (BYTE)kind;
    style.MarkColor = mark;
    style.StrColor = text;
    style.ShadowColor = kWhite;
    style.ShadowDirection = SHADOW_DOWN_RIGHT;
    lstrcpyA(style.Font.lfFaceName, "ＭＳ Ｐゴシック");
    style.Font.lfHeight = -15;
    style.Font.lfCharSet = SHIFTJIS_CHARSET;
    return style;
}

MarkDlgData Block(const FontStyle& style, const char* name, int plainColor, int mark, int font)
{
    MarkDlgData block = {};
    block.Style = style;
    lstrcpyA(block.Name, name);
    block.EditPlainColor = plainColor;
    block.EditMark = mark;
    block.EditFont = font;
    return block;
}

class MarkDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
        module_ = LoadLibraryA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll");
        setMarkDlg_ = FindExport(module_, LanguageModule::kSetMarkDlg);
    }
    static void TearDownTestSuite() { FreeLibrary(module_); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, setMarkDlg_);
        env_.BackColor = kWhite;
        env_.UserMarks = (UserMark*)AllocZeroed(kUserMarks * sizeof(UserMark));
        ASSERT_NE(nullptr, env_.UserMarks);
        env_.UserStyleMax = kUserMarks;
        for (int i = 0; i < kUserMarks; i++)
            snprintf(env_.UserMarks[i].Name, sizeof(env_.UserMarks[i].Name), "印%d", i + 1);
    }

    int Run(MarkDlgData* block, int variant, const std::function<void(HWND)>& act)
    {
        g_act = act;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, ActOnDialog);
        int result = setMarkDlg_(host_.Handle(), &env_, block, variant);
        KillTimer(nullptr, timer);
        EXPECT_FALSE(g_act) << "the dialog never came up";
        g_act = nullptr;
        return result;
    }

    static HMODULE module_;
    static LanguageModule::SetMarkDlg setMarkDlg_;
    HostWindow host_{0, 0, 40, 40};
    EnvData env_;
};

HMODULE MarkDialogTest::module_;
LanguageModule::SetMarkDlg MarkDialogTest::setMarkDlg_;

// The plain form with the memo windows' flags: the font is fixed, an unknown direction opens as down-right, a
// typed width is limited to 99, a second opening is refused, and "設定" hands the working copy back.
TEST_F(MarkDialogTest, PlainFormHandsTheEditedStyleBack)
{
    FontStyle style = Style(MARK_CIRCLE, kRed, kBlue);
    style.ShadowDirection = 3;
    MarkDlgData block = Block(style, "メモマーク", 1, 1, 0);
    int nested = -1;
    int result = Run(&block, MARK_DIALOG_PLAIN, [&](HWND dialog) {
        SaveShot(dialog, IDD_MARK);
        char name[64] = "";
        GetDlgItemTextA(dialog, IDC_MARK_LABEL_NAME, name, sizeof(name));
        EXPECT_STREQ("メモマーク", name);
        EXPECT_TRUE(Checked(dialog, IDC_MARK_RADIO_DOWNRIGHT));
        EXPECT_EQ(MARK_CIRCLE, Selection(dialog, IDC_MARK_COMBO_KIND));
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_BTN_FONT));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_BTN_TEXTCOLOR));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_CHECK_PLAINCOLOR));

        // A filled circle in the mark colour under the text in its own colour; the corners keep the background.
        RECT client = PreviewClient(dialog);
        MemoryBitmap shot(client.right, client.bottom, kBlack);
        ShootPreview(dialog, &shot);
        int area = client.right * client.bottom;
        EXPECT_GT(shot.Count(kRed), area * 2 / 5);
        EXPECT_GT(shot.Count(kBlue), area / 50);
        EXPECT_EQ(kWhite, shot.Pixel(1, 1));
        EXPECT_EQ(kWhite, shot.Pixel(client.right - 2, client.bottom - 2));

        MarkDlgData other = block;
        nested = setMarkDlg_(dialog, &env_, &other, MARK_DIALOG_USER_MARKS);
        SetDlgItemTextA(dialog, IDC_MARK_EDIT_WIDTH, "300");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(IDCANCEL, nested);
    EXPECT_EQ(99, block.Style.ShadowWidth);
    EXPECT_EQ(SHADOW_DOWN_RIGHT, block.Style.ShadowDirection);
    EXPECT_EQ(MARK_CIRCLE, block.Style.MarkType);
    EXPECT_STREQ("ＭＳ Ｐ明朝", block.Style.Font.lfFaceName);
    EXPECT_EQ(-24, block.Style.Font.lfHeight);
}

// An outline mark around text that keeps its normal colour (black in the preview); cancelling leaves the block
// as it was, whatever was changed.
TEST_F(MarkDialogTest, CancelLeavesTheBlockAlone)
{
    FontStyle style = Style(MARK_OUTLINE_1, kGreen, kBlue);
    style.NoUseStrColor = 1;
    style.ShadowDirection = SHADOW_UP_RIGHT;
    MarkDlgData block = Block(style, "", 1, 1, 1);
    MarkDlgData before = block;
    int result = Run(&block, MARK_DIALOG_PLAIN, [&](HWND dialog) {
        char name[64] = "";
        GetDlgItemTextA(dialog, IDC_MARK_LABEL_NAME, name, sizeof(name));
        EXPECT_STREQ("マーク設定", name);
        EXPECT_TRUE(Checked(dialog, IDC_MARK_CHECK_PLAINCOLOR));

        RECT client = PreviewClient(dialog);
        MemoryBitmap shot(client.right, client.bottom, kRed);
        ShootPreview(dialog, &shot);
        RECT green = {}, black = {};
        EXPECT_GT(shot.Count(kGreen, &green), 20);
        EXPECT_GT(shot.Count(kBlack, &black), 20);
        EXPECT_EQ(0, shot.Count(kBlue));
        EXPECT_EQ(0, shot.Count(kRed));
        // The outline rings the text: its box holds the text's box.
        EXPECT_TRUE(green.left < black.left && green.top < black.top && green.right > black.right &&
                    green.bottom > black.bottom);

        SetDlgItemTextA(dialog, IDC_MARK_EDIT_WIDTH, "5");
        CheckDlgButton(dialog, IDC_MARK_CHECK_GRADATION, BST_CHECKED);
        SendMessageA(dialog, WM_COMMAND, IDC_MARK_CHECK_GRADATION, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, memcmp(&before, &block, sizeof(block)));
}

// The form with user marks opens on the user mark of the style; going over to the individual mark opens all its
// controls, the font and the text colour too although the caller's flags closed them, and "設定" keeps the chosen
// user mark.
TEST_F(MarkDialogTest, UserMarkFormFollowsTheChoiceAndTheFlags)
{
    MarkDlgData block = Block(Style(MARK_KIND_USER_BASE + 2, kRed, kBlue), "記念日マーク", 1, 1, 0);
    int result = Run(&block, MARK_DIALOG_USER_MARKS, [&](HWND dialog) {
        SaveShot(dialog, IDD_MARK_EX);
        EXPECT_TRUE(Checked(dialog, IDC_MARK_RADIO_USERMARK));
        EXPECT_FALSE(Checked(dialog, IDC_MARK_RADIO_INDIVIDUAL));
        EXPECT_EQ(2, Selection(dialog, IDC_MARK_COMBO_USERMARK));
        EXPECT_EQ(0, Selection(dialog, IDC_MARK_COMBO_KIND));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_COMBO_USERMARK));
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_COMBO_KIND));
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_EDIT_WIDTH));

        Click(dialog, IDC_MARK_RADIO_INDIVIDUAL);
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_COMBO_KIND));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_BTN_MARKCOLOR));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_CHECK_PLAINCOLOR));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_EDIT_WIDTH));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_BTN_FONT));
        EXPECT_TRUE(Enabled(dialog, IDC_MARK_BTN_TEXTCOLOR));
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_COMBO_USERMARK));

        Click(dialog, IDC_MARK_RADIO_USERMARK);
        EXPECT_FALSE(Enabled(dialog, IDC_MARK_COMBO_KIND));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(MARK_KIND_USER_BASE + 2, block.Style.MarkType);
}

}  // namespace
