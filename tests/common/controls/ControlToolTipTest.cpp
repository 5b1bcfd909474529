#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include <string>

#include "ControlToolTip.h"
#include "TestWindow.h"
#include "UiTestResource.h"

namespace {

const int kButtonId = 101;

class ControlToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, (HWND)dialog_);
        button_ = CreateTestChild(dialog_, "BUTTON", kButtonId, BS_PUSHBUTTON, 10, 10, 120, 30, "OK");
        ASSERT_NE(nullptr, button_);
    }

    // The one tool of tip, with its text through TTM_GETTEXTA.
    static bool GetTool(HWND tip, HWND owner, TOOLINFOA* tool, std::string* text)
    {
        // TTM_GETTOOLINFOA copies the text too, into a buffer it assumes to be this large.
        static char buffer[INFOTIPSIZE + 1];
        *tool = {};
        tool->cbSize = sizeof(*tool);
        tool->hwnd = owner;
        tool->lpszText = buffer;
        if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)tool))
            return false;
        char textBuffer[INFOTIPSIZE + 1] = "";
        TOOLINFOA query = *tool;
        query.lpszText = textBuffer;
        SendMessageA(tip, TTM_GETTEXTA, sizeof(textBuffer), (LPARAM)&query);
        *text = textBuffer;
        return true;
    }

    ScopedWindow dialog_{CreateTestWindow(WS_POPUP | WS_VISIBLE, 50, 50, 300, 200)};
    HWND button_ = nullptr;
};

TEST_F(ControlToolTipTest, CoversTheControlWithItsText)
{
    HWND tip = CreateControlToolTip(GetModuleHandleA(nullptr), dialog_, kButtonId, "ボタンの説明です", 0);
    ASSERT_NE(nullptr, tip);
    char className[64] = "";
    GetClassNameA(tip, className, sizeof(className));
    EXPECT_STREQ("tooltips_class32", className);
    // A child cannot own a window: the tooltip's owner is the control's top-level window.
    EXPECT_EQ((HWND)dialog_, GetWindow(tip, GW_OWNER));
    LONG_PTR style = GetWindowLongPtrA(tip, GWL_STYLE);
    EXPECT_EQ(TTS_ALWAYSTIP | TTS_NOPREFIX, style & (TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON));

    EXPECT_EQ(1, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    TOOLINFOA tool;
    std::string text;
    ASSERT_TRUE(GetTool(tip, button_, &tool, &text));
    EXPECT_EQ((UINT)(TTF_SUBCLASS | TTF_TRANSPARENT), tool.uFlags & (TTF_SUBCLASS | TTF_TRANSPARENT));
    RECT client;
    GetClientRect(button_, &client);
    EXPECT_TRUE(EqualRect(&client, &tool.rect));
    EXPECT_EQ("ボタンの説明です", text);

    EXPECT_EQ(360, SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    RECT margin = {};
    SendMessageA(tip, TTM_GETMARGIN, 0, (LPARAM)&margin);
    EXPECT_EQ(2, margin.left);
    EXPECT_EQ(2, margin.top);
    EXPECT_EQ(2, margin.right);
    EXPECT_EQ(2, margin.bottom);
}

TEST_F(ControlToolTipTest, BalloonAndTheDialogItself)
{
    HWND balloon = CreateControlToolTip(GetModuleHandleA(nullptr), dialog_, kButtonId, "balloon", 1);
    ASSERT_NE(nullptr, balloon);
    EXPECT_TRUE(GetWindowLongPtrA(balloon, GWL_STYLE) & TTS_BALLOON);

    HWND whole = CreateControlToolTip(GetModuleHandleA(nullptr), dialog_, 0, "dialog", 0);
    ASSERT_NE(nullptr, whole);
    EXPECT_EQ((HWND)dialog_, GetWindow(whole, GW_OWNER));
    TOOLINFOA tool;
    std::string text;
    ASSERT_TRUE(GetTool(whole, dialog_, &tool, &text));
    RECT client;
    GetClientRect(dialog_, &client);
    EXPECT_TRUE(EqualRect(&client, &tool.rect));
    EXPECT_EQ("dialog", text);
    EXPECT_NE(nullptr, CreateControlToolTip(GetModuleHandleA(nullptr), dialog_, -1, "dialog", 0));
}

TEST_F(ControlToolTipTest, NothingForMissingTextOrControl)
{
    EXPECT_EQ(nullptr, CreateControlToolTip(GetModuleHandleA(nullptr), dialog_, kButtonId, nullptr, 0));
    EXPECT_EQ(nullptr, CreateControlToolTip(GetModuleHandleA(nullptr), dialog_, 999, "text", 0));
    EXPECT_EQ(nullptr, CreateControlToolTip(GetModuleHandleA(nullptr), nullptr, kButtonId, "text", 0));
}

TEST_F(ControlToolTipTest, TextFromTheStringTable)
{
    HWND tip = CreateControlToolTipFromResource(GetModuleHandleA(nullptr), dialog_, kButtonId, IDS_UITEST_TOOLTIP, 0);
    ASSERT_NE(nullptr, tip);
    TOOLINFOA tool;
    std::string text;
    ASSERT_TRUE(GetTool(tip, button_, &tool, &text));
    EXPECT_EQ("表示とソフトの機能を説明します", text);
    EXPECT_EQ(nullptr,
              CreateControlToolTipFromResource(GetModuleHandleA(nullptr), dialog_, kButtonId, IDS_UITEST_MISSING, 0));
}

// The manifest resource must bring in Common Controls 6 (from the side-by-side store), which the full
// TOOLINFOA needs.
TEST(CommonControls, VersionSixIsLoaded)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(nullptr, comctl);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(comctl, path, sizeof(path));
    CharLowerA(path);
    EXPECT_NE(nullptr, strstr(path, "microsoft.windows.common-controls_6595b64144ccf1df_6.")) << path;
}

}  // namespace
