// The settings pages フォントと色 to その他 in the running program: a change on each reaches the calendar on Apply
// and the settings file on OK, the Startup box makes and removes the shortcut, every control has its help tooltip,
// and every tab opens its page without overlapping controls or a message box.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <limits.h>

#include "DaylensIds.h"
#include "ProgramDriver.h"
#include "SettingsDialogIds.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "Daylens 環境設定";
const int kPageCount = 14;

struct ToolTipWindow {
    HWND Tip;
    HWND Control;
};

class SettingsPagesTest : public ProgramTest {
protected:
    void OpenDialog()
    {
        Process = Start("");
        Calendar = WaitForShownCalendar();
        ASSERT_NE(nullptr, Calendar);
        PostMessageA(Calendar, WM_COMMAND, IDM_SETTINGS, 0);
        ASSERT_TRUE(WaitUntil([&] { return (Dialog = ShownDialog()) != nullptr; }));
        // The pages after the shown one come a moment after the dialog.
        ASSERT_TRUE(WaitUntil([&] {
            Pages.clear();
            for (HWND child = GetWindow(Dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char name[32] = "";
                GetClassNameA(child, name, sizeof(name));
                if (std::string(name) == "#32770")
                    Pages.push_back(child);
            }
            return Pages.size() == (size_t)kPageCount;
        }));
        // The last page made may still be setting its controls: a message sent meanwhile can reach it before then,
        // and what it set is overwritten. Its version line comes last.
        ASSERT_TRUE(WaitUntil([&] { return GetWindowTextLengthA(Control(IDC_ENVOTHER_LABEL_VERSION)) > 0; }));
    }

    HWND Page(int id)
    {
        for (HWND page : Pages) {
            if (GetDlgItem(page, id))
                return page;
        }
        return nullptr;
    }
    HWND Control(int id) { return GetDlgItem(Page(id), id); }
    void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    void Type(int id, const char* text) { SendMessageA(Control(id), WM_SETTEXT, 0, (LPARAM)text); }
    void Press(int id) { SendMessageA(Dialog, WM_COMMAND, (WPARAM)id, 0); }
    bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Turns an automatic box over and tells its page, as a click does, without waiting for the page: a handler that
    // shows a message box would hold a sent click. The box's own mouse handling (focus, capture) is left out.
    void PostToggle(int id)
    {
        HWND box = Control(id);
        SendMessageA(box, BM_SETCHECK, Checked(id) ? BST_UNCHECKED : BST_CHECKED, 0);
        PostMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)box);
    }

    // Selects the tab as the arrow keys on the tab control do, which tells the dialog of the change.
    void SelectTab(int tab)
    {
        HWND tabs = GetDlgItem(Dialog, IDC_SETTINGS_TAB);
        SendMessageA(tabs, TCM_SETCURSEL, (WPARAM)(tab == 0 ? 1 : tab - 1), 0);
        SendMessageA(tabs, WM_KEYDOWN, tab == 0 ? VK_LEFT : VK_RIGHT, 0);
    }

    // The dialog's tooltip windows with the control each of their tools helps with.
    std::vector<ToolTipWindow> ToolTips()
    {
        std::vector<ToolTipWindow> tips;
        for (HWND tip : TipsOwnedBy(Dialog)) {
            for (const TOOLINFOA& tool : ToolsOf(Process, tip))
                tips.push_back({tip, tool.hwnd});
        }
        return tips;
    }

    // How many controls of window (a page or the dialog) have a tooltip, and how many of those are balloons.
    int ToolTipCount(HWND window, int* balloons = nullptr)
    {
        int count = 0;
        if (balloons)
            *balloons = 0;
        for (const ToolTipWindow& tip : ToolTips()) {
            if (GetParent(tip.Control) != window)
                continue;
            count++;
            if (balloons && (GetWindowLongA(tip.Tip, GWL_STYLE) & TTS_BALLOON))
                (*balloons)++;
        }
        return count;
    }

    int ReadAny(const char* key)
    {
        for (const char* section : {"Daylens00", "Daylens", "Daylens01"}) {
            int value = ReadInt(section, key);
            if (value != -9999)
                return value;
        }
        return -9999;
    }

    // The settings dialog of the program once it shows, or null. Other programs on the desktop may show dialogs of
    // the same caption: only the program's own windows count, here and below.
    HWND ShownDialog()
    {
        HWND dialog = FindProcessWindow(Process, "#32770", kCaption);
        return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
    }

    // A message box the program shows, or null.
    HWND MessageBoxWindow()
    {
        DWORD id = GetProcessId(Process);
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == id && window != Dialog && GetWindow(window, GW_OWNER) && IsWindowVisible(window) &&
                GetDlgItem(window, 0xFFFF))
                return window;
        }
        return nullptr;
    }

    std::string WindowText(HWND window)
    {
        char text[256] = "";
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    bool WaitForClosed()
    {
        return WaitUntil([&] { return FindProcessWindow(Process, "#32770", kCaption) == nullptr; });
    }

    HANDLE Process = nullptr;
    HWND Calendar = nullptr;
    HWND Dialog = nullptr;
    std::vector<HWND> Pages;
};

std::string StartupShortcut()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Daylens.lnk";
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

// One change on each of the eight pages: Apply gives the calendar its frame region, alpha and z-order and saves the
// file; OK saves every change again.
TEST_F(SettingsPagesTest, EachPageChangeReachesCalendarOnApplyAndFileOnOk)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "TransMode", 0);
    OpenDialog();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(Calendar, region)) << "a rectangle frame has no region";

    Click(IDC_ENVFONTCOLOR_RADIO_UP_LEFT);
    SendMessageA(Calendar, WM_COMMAND, IDM_SAVE, 0);
    int first = ReadAny("MarkOrder00"), second = ReadAny("MarkOrder01");
    ASSERT_NE(first, second);
    SendMessageA(Control(IDC_ENVMARK_LIST_ORDER), LB_SETCURSEL, 0, 0);
    Click(IDC_ENVMARK_BTN_DOWN);
    Click(IDC_ENVWINDOW_RADIO_ELLIPSE);
    Click(IDC_ENVTRANSPARENT_RADIO_TEMPORARY);
    Type(IDC_ENVTRANSPARENT_EDIT_ALPHA, "90");
    Click(IDC_ENVHOTSPOT_RADIO_BOTTOM_RIGHT);
    Click(IDC_ENVHOTSPOT_RADIO_ACTIVATE);
    Click(IDC_ENVACTION_RADIO_CLICK_DAY_MEMO);
    if (Checked(IDC_ENVTOOLTIP_CHECK_SHOW))
        Click(IDC_ENVTOOLTIP_CHECK_SHOW);
    Click(IDC_ENVOTHER_CHECK_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Dialog, IDC_SETTINGS_BTN_APPLY)));
    EXPECT_FALSE(GetWindowLongA(Calendar, GWL_EXSTYLE) & WS_EX_TOPMOST) << "nothing reaches the calendar before Apply";

    Press(IDC_SETTINGS_BTN_APPLY);
    EXPECT_NE(ERROR, GetWindowRgn(Calendar, region)) << "the ellipse cuts the window";
    DeleteObject(region);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Calendar, nullptr, &alpha, &flags));
    EXPECT_TRUE(flags & LWA_ALPHA);
    EXPECT_EQ(90, alpha);
    EXPECT_TRUE(GetWindowLongA(Calendar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Type(IDC_ENVTRANSPARENT_EDIT_ALPHA, "300");

    DeleteFileA(IniPath.c_str());
    Press(IDOK);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ(8, ReadAny("ShadowDirection"));
    EXPECT_EQ(second, ReadAny("MarkOrder00"));
    EXPECT_EQ(first, ReadAny("MarkOrder01"));
    EXPECT_EQ(1, ReadAny("FrameShape"));
    EXPECT_EQ(1, ReadAny("TransparentAlphaMode"));
    EXPECT_EQ(255, ReadAny("TransparentAlpha")) << "the alpha edit keeps to 0-255";
    EXPECT_EQ(1, ReadAny("HotSpot003"));
    EXPECT_EQ(0, ReadAny("HotSpot000"));
    EXPECT_EQ(2, ReadAny("DoubleClick"));
    EXPECT_EQ(0, ReadAny("ShowToolTip"));
    EXPECT_EQ(1, ReadAny("WindowOrder"));
}

// A graded frame far wider than the window, typed beyond INT_MAX, is stored as INT_MAX and drawn at once: the
// calendar answers right after Apply.
TEST_F(SettingsPagesTest, FrameFarWiderThanTheWindowIsDrawnAtOnce)
{
    PrepareSettings(0);
    OpenDialog();
    Click(IDC_ENVWINDOW_RADIO_ELLIPSE);
    HWND combo = Control(IDC_ENVWINDOW_COMBO_GRADATION);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(IDC_ENVWINDOW_COMBO_GRADATION, CBN_SELCHANGE), (LPARAM)combo);
    Type(IDC_ENVWINDOW_EDIT_FRAME_WIDTH, "4294967295");
    Type(IDC_ENVWINDOW_EDIT_ROUND_WIDTH, "3000000000");
    // The page took the changes when they enabled Apply.
    bool taken = IsWindowEnabled(GetDlgItem(Dialog, IDC_SETTINGS_BTN_APPLY)) != FALSE;
    // Apply and the calendar's answer after it come within seconds: a band drawn as deep as typed takes minutes.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(Dialog, WM_COMMAND, IDC_SETTINGS_BTN_APPLY, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_TRUE(SendMessageTimeoutA(Calendar, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer));
    if (ReadAny("FrameWidth") != INT_MAX) {
        std::ifstream file(IniPath);
        std::stringstream text;
        text << file.rdbuf();
        ADD_FAILURE() << "Apply " << (taken ? "was" : "was not") << " enabled by the changes; the file after Apply:\n"
                      << text.str();
    }
    EXPECT_EQ(INT_MAX, ReadAny("FrameWidth"));
    EXPECT_EQ(INT_MAX, ReadAny("RoundWidth"));
    EXPECT_EQ(1, ReadAny("FrameGradation"));
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
}

// In a rounded frame, stepping to a month with one week row more, the window shows the whole new picture: the new
// last row begins with a Sunday in its red, in the strip the old shape did not hold.
TEST_F(SettingsPagesTest, RoundedFrameShowsTheWholePictureAfterEachStep)
{
    PrepareSettings(0);
    OpenDialog();
    Click(IDC_ENVWINDOW_RADIO_ROUNDED);
    Type(IDC_ENVWINDOW_EDIT_ROUND_WIDTH, "20");
    Press(IDOK);
    ASSERT_TRUE(WaitForClosed());
    bool grown = false;
    for (int step = 0; step < 12 && !grown; step++) {
        RECT before = {}, after = {};
        GetWindowRect(Calendar, &before);
        SendMessageA(Calendar, WM_COMMAND, IDM_MONTH_NEXT, 0);
        GetWindowRect(Calendar, &after);
        grown = after.bottom - after.top > before.bottom - before.top;
        if (!grown)
            continue;
        // The Sunday of the new row, in the strip the window gained at its bottom-left.
        int gained = after.bottom - before.bottom;
        int red = 0;
        EXPECT_TRUE(WaitUntil([&] {
            HDC screen = GetDC(nullptr);
            red = 0;
            for (int y = after.bottom - gained - 4; y < after.bottom; y++)
                for (int x = after.left; x < after.left + 40; x++)
                    red += GetPixel(screen, x, y) == RGB(255, 0, 0);
            ReleaseDC(nullptr, screen);
            return red > 5;
        }, 3000)) << red;
    }
    EXPECT_TRUE(grown) << "no month with more week rows within a year";
}

// A spacing typed beyond INT_MAX is a wide one, stored as the widest the page takes; any notification of the
// transparency page's number boxes, not only a change of their text, counts as a change of the page.
TEST_F(SettingsPagesTest, HugeSpacingIsTheWidestAndTransparencyBoxesReportEveryNotification)
{
    PrepareSettings(0);
    OpenDialog();
    HWND apply = GetDlgItem(Dialog, IDC_SETTINGS_BTN_APPLY);
    Type(IDC_ENVLAYOUT_EDIT_YM_SPACE, "3000000000");
    EXPECT_TRUE(IsWindowEnabled(apply));
    Press(IDC_SETTINGS_BTN_APPLY);
    EXPECT_EQ(200, ReadAny("YMSpace"));
    for (int id : {IDC_ENVTRANSPARENT_EDIT_ALPHA, IDC_ENVTRANSPARENT_EDIT_TIME}) {
        ASSERT_FALSE(IsWindowEnabled(apply)) << id;
        HWND edit = Control(id);
        SendMessageA(GetParent(edit), WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), (LPARAM)edit);
        EXPECT_TRUE(IsWindowEnabled(apply)) << id;
        Press(IDC_SETTINGS_BTN_APPLY);
    }
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
}

// The memo and memorial flags of the tooltip page are saved in their own sections and read back at the next start;
// a stored value beyond an up-down's range shows as it is, and Down without a selection moves nothing.
TEST_F(SettingsPagesTest, TooltipPageFlagsSurviveARestart)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "FrameWidth", 2000);
    OpenDialog();
    char text[16] = "";
    SendMessageA(Control(IDC_ENVWINDOW_EDIT_FRAME_WIDTH), WM_GETTEXT, sizeof(text), (LPARAM)text);
    EXPECT_STREQ("2000", text);
    SendMessageA(Control(IDC_ENVMARK_LIST_ORDER), LB_SETCURSEL, (WPARAM)-1, 0);
    Click(IDC_ENVMARK_BTN_DOWN);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Dialog, IDC_SETTINGS_BTN_APPLY))) << "Down without a selection";

    ASSERT_TRUE(Checked(IDC_ENVTOOLTIP_CHECK_MEMO));
    ASSERT_TRUE(Checked(IDC_ENVTOOLTIP_CHECK_MEMORIAL));
    Click(IDC_ENVTOOLTIP_CHECK_MEMO);
    Click(IDC_ENVTOOLTIP_CHECK_MEMORIAL);
    Press(IDOK);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ(0, ReadInt("DaylensMemo", "MemoShowToolTip"));
    EXPECT_EQ(0, ReadInt("DaylensMemorial", "MemorialShowToolTip"));

    // The next start finds no other run only once this one has ended, not only its window.
    PostMessageA(Calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(Process, kTimeoutMs));
    OpenDialog();
    EXPECT_FALSE(Checked(IDC_ENVTOOLTIP_CHECK_MEMO));
    EXPECT_FALSE(Checked(IDC_ENVTOOLTIP_CHECK_MEMORIAL));
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
}

// The Startup box makes "<Startup>\Daylens.lnk" at once and says so, and removes it again; the box shows the file.
TEST_F(SettingsPagesTest, StartupBoxMakesAndRemovesTheShortcut)
{
    std::string shortcut = StartupShortcut();
    DeleteFileA(shortcut.c_str());
    PrepareSettings(0);
    OpenDialog();
    EXPECT_FALSE(Checked(IDC_ENVOTHER_CHECK_STARTUP));

    PostToggle(IDC_ENVOTHER_CHECK_STARTUP);
    HWND box = nullptr;
    // Should no box come, the message tells a shortcut that could not be made (box unchecked by the page, no
    // shortcut) or a notice never handled (box still checked) from a program that hangs.
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxWindow()) != nullptr; }))
        << "box " << (Checked(IDC_ENVOTHER_CHECK_STARTUP) ? "checked" : "unchecked") << ", shortcut "
        << (Exists(shortcut) ? "made" : "not made") << ", calendar "
        << (SendMessageTimeoutA(Calendar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) ? "answers" : "does not answer");
    EXPECT_EQ("スタートアップに登録しました", WindowText(GetDlgItem(box, 0xFFFF)));
    EXPECT_TRUE(Exists(shortcut));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxWindow() == nullptr; }));
    EXPECT_TRUE(Checked(IDC_ENVOTHER_CHECK_STARTUP));

    PostToggle(IDC_ENVOTHER_CHECK_STARTUP);
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxWindow()) != nullptr; }));
    EXPECT_EQ("スタートアップから削除しました", WindowText(GetDlgItem(box, 0xFFFF)));
    EXPECT_FALSE(Exists(shortcut));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return MessageBoxWindow() == nullptr; }));
    EXPECT_FALSE(Checked(IDC_ENVOTHER_CHECK_STARTUP));
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
    DeleteFileA(shortcut.c_str());
}

// Every tab shows its page with its controls inside it and apart from each other and no message box; once every
// page was shown, each control of the help lists has one tooltip, balloons once the option is on.
TEST_F(SettingsPagesTest, EveryTabOpensItsPageWithHelpOnEveryControl)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "BalloonTip", 0);
    OpenDialog();
    ASSERT_EQ((size_t)kPageCount, Pages.size());
    std::vector<HWND> byTab;
    for (int tab = 0; tab < kPageCount; tab++) {
        SelectTab(tab);
        HWND shown = nullptr;
        for (HWND page : Pages) {
            if (!IsWindowVisible(page))
                continue;
            EXPECT_EQ(nullptr, shown) << "tab " << tab << ": one page at a time";
            shown = page;
        }
        ASSERT_NE(nullptr, shown) << "tab " << tab;
        byTab.push_back(shown);
        RECT client;
        GetClientRect(shown, &client);
        std::vector<RECT> boxes;
        for (HWND child = GetWindow(shown, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = "";
            GetClassNameA(child, name, sizeof(name));
            LONG style = GetWindowLongA(child, GWL_STYLE);
            RECT rect;
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, shown, (POINT*)&rect, 2);
            RECT inside;
            EXPECT_TRUE(IntersectRect(&inside, &rect, &client) && EqualRect(&inside, &rect))
                << "tab " << tab << ": control " << GetDlgCtrlID(child) << " outside the page";
            // Group boxes hold the controls; an up-down sits against its edit.
            if (lstrcmpiA(name, "Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX)
                continue;
            if (lstrcmpiA(name, UPDOWN_CLASSA) == 0)
                continue;
            for (const RECT& other : boxes) {
                RECT overlap;
                EXPECT_FALSE(IntersectRect(&overlap, &rect, &other))
                    << "tab " << tab << ": control " << GetDlgCtrlID(child) << " overlaps another";
            }
            boxes.push_back(rect);
        }
        EXPECT_EQ(nullptr, MessageBoxWindow()) << "tab " << tab;
    }

    const int listed[kPageCount] = {25, 10, 13, 16, 6, 12, 15, 13, 21, 13, 10, 11, 10, 14};
    for (int tab = 0; tab < kPageCount; tab++) {
        int balloons = 0;
        EXPECT_EQ(listed[tab], ToolTipCount(byTab[tab], &balloons)) << "tab " << tab;
        EXPECT_EQ(0, balloons) << "tab " << tab;
    }
    EXPECT_EQ(5, ToolTipCount(Dialog));

    Click(IDC_ENVTOOLTIP_CHECK_BALLOON);
    int balloons = 0;
    EXPECT_EQ(listed[12], ToolTipCount(Page(IDC_ENVTOOLTIP_CHECK_BALLOON), &balloons));
    EXPECT_EQ(listed[12], balloons) << "the page's own tooltips turn into balloons at once";
    Press(IDC_SETTINGS_BTN_APPLY);
    EXPECT_EQ(5, ToolTipCount(Dialog, &balloons));
    EXPECT_EQ(5, balloons);
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
}
