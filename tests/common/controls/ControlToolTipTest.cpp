#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

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

// The tools of a dialog's one tooltip control: the window each lies over and its text, in their order.
std::vector<std::pair<HWND, std::string>> ToolsOf(HWND tip)
{
    std::vector<std::pair<HWND, std::string>> tools;
    int count = (int)SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        if (!SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)i, (LPARAM)&tool))
            break;
        char text[INFOTIPSIZE + 1] = "";
        tool.lpszText = text;
        SendMessageA(tip, TTM_GETTEXTA, sizeof(text), (LPARAM)&tool);
        tools.push_back({tool.hwnd, text});
    }
    return tools;
}

// One tooltip control for the whole dialog: a tool per listed control that exists (the dialog itself for id 0),
// over its client area, in the form of the single tooltips, and none that subclasses its control (the dialog
// relays); moving from one control to the next waits as long as a first tip.
TEST_F(ControlToolTipTest, DialogToolTipsHoldOneRelayedToolPerControl)
{
    HWND second = CreateTestChild(dialog_, "EDIT", kButtonId + 1, WS_BORDER, 10, 60, 120, 24);
    ASSERT_NE(nullptr, second);
    const ControlToolTipText texts[] = {
        {kButtonId, "ボタンの説明です"}, {999, "ないコントロール"}, {kButtonId + 1, "入力欄の説明です"}, {0, "ダイアログ"}};
    HWND tip = nullptr;
    EXPECT_EQ(3, SetDialogToolTips(GetModuleHandleA(nullptr), dialog_, &tip, texts, 4, 0));
    ASSERT_NE(nullptr, tip);
    char className[64] = "";
    GetClassNameA(tip, className, sizeof(className));
    EXPECT_STREQ("tooltips_class32", className);
    EXPECT_EQ((HWND)dialog_, GetWindow(tip, GW_OWNER));
    EXPECT_EQ(TTS_ALWAYSTIP | TTS_NOPREFIX,
              GetWindowLongPtrA(tip, GWL_STYLE) & (TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON));
    EXPECT_EQ(360, SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    RECT margin = {};
    SendMessageA(tip, TTM_GETMARGIN, 0, (LPARAM)&margin);
    EXPECT_TRUE(margin.left == 2 && margin.top == 2 && margin.right == 2 && margin.bottom == 2);
    EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), SendMessageA(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0));

    std::vector<std::pair<HWND, std::string>> expected = {
        {button_, "ボタンの説明です"}, {second, "入力欄の説明です"}, {dialog_, "ダイアログ"}};
    EXPECT_EQ(expected, ToolsOf(tip));
    for (int i = 0; i < 3; i++) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)i, (LPARAM)&tool));
        EXPECT_EQ((UINT)TTF_TRANSPARENT, tool.uFlags & (TTF_SUBCLASS | TTF_TRANSPARENT | TTF_IDISHWND)) << i;
        RECT client;
        GetClientRect(tool.hwnd, &client);
        EXPECT_TRUE(EqualRect(&client, &tool.rect)) << i;
    }
    DestroyDialogToolTips(&tip);
    EXPECT_EQ(nullptr, tip);
}

// Setting the tools again keeps the control and replaces its tools; another balloon form makes a new control.
TEST_F(ControlToolTipTest, DialogToolTipsSetAgainReplaceTheirTools)
{
    const ControlToolTipText first[] = {{kButtonId, "最初の説明"}};
    const ControlToolTipText again[] = {{kButtonId, "次の説明"}};
    HWND tip = nullptr;
    ASSERT_EQ(1, SetDialogToolTips(GetModuleHandleA(nullptr), dialog_, &tip, first, 1, 0));
    HWND kept = tip;
    ASSERT_EQ(1, SetDialogToolTips(GetModuleHandleA(nullptr), dialog_, &tip, again, 1, 0));
    EXPECT_EQ(kept, tip);
    std::vector<std::pair<HWND, std::string>> expected = {{button_, "次の説明"}};
    EXPECT_EQ(expected, ToolsOf(tip));

    ASSERT_EQ(1, SetDialogToolTips(GetModuleHandleA(nullptr), dialog_, &tip, again, 1, 1));
    EXPECT_FALSE(IsWindow(kept));
    EXPECT_TRUE(GetWindowLongPtrA(tip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(expected, ToolsOf(tip));
    HWND balloon = tip;
    DestroyDialogToolTips(&tip);
    EXPECT_FALSE(IsWindow(balloon));
    EXPECT_EQ(0, SetDialogToolTips(GetModuleHandleA(nullptr), nullptr, &tip, again, 1, 0));
    EXPECT_EQ(nullptr, tip);
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
