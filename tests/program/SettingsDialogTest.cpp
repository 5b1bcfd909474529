// The settings dialog of command 501: its tabs and Apply button, the preview of the working copy, and what Apply,
// OK and Cancel leave in the calendar window and the settings file.
#include <windows.h>
#include <commctrl.h>

#include "DaylensIds.h"
#include "FileUtil.h"
#include "ProgramDriver.h"
#include "SettingsDialogIds.h"

#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kCaption[] = "Daylens 環境設定";
const int kPageCount = 14;

class SettingsDialogTest : public ProgramTest {
protected:
    // Starts the calendar and opens the dialog on it; with allPages, waits until the pages that the dialog makes after
    // it shows are there.
    void OpenDialog(bool allPages = true)
    {
        PrepareSettings(0);
        Process = Start("");
        Calendar = WaitForShownCalendar();
        ASSERT_NE(nullptr, Calendar);
        PostMessageA(Calendar, WM_COMMAND, IDM_SETTINGS, 0);
        ASSERT_TRUE(WaitUntil([&] { return (Dialog = ShownDialog()) != nullptr; }));
        if (allPages) {
            ASSERT_TRUE(WaitUntil([&] { return PageCount() == kPageCount; }));
            // The last page made may still be setting its controls: a message sent meanwhile can reach it before then,
            // and what it set is overwritten. Its version line comes last.
            ASSERT_TRUE(WaitUntil([&] { return GetWindowTextLengthA(Control(IDC_ENVOTHER_LABEL_VERSION)) > 0; }));
        }
    }

    // The settings dialog of the program once it shows, or null. Other programs on the desktop may show dialogs of
    // the same caption: only the program's own windows count, here and below.
    HWND ShownDialog()
    {
        HWND dialog = FindProcessWindow(Process, "#32770", kCaption);
        return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
    }

    int PageCount()
    {
        int count = 0;
        for (HWND child = GetWindow(Dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = "";
            GetClassNameA(child, name, sizeof(name));
            count += lstrcmpA(name, "#32770") == 0;
        }
        return count;
    }

    // The page that holds the control id.
    HWND Page(int id)
    {
        struct Search {
            int Id;
            HWND Found;
        } search = {id, nullptr};
        EnumChildWindows(
            Dialog,
            [](HWND child, LPARAM param) -> BOOL {
                Search* s = (Search*)param;
                if (GetParent(child) == GetAncestor(child, GA_ROOT) && GetDlgItem(child, s->Id)) {
                    s->Found = child;
                    return FALSE;
                }
                return TRUE;
            },
            (LPARAM)&search);
        return search.Found;
    }

    HWND Control(int id) { return GetDlgItem(Page(id), id); }

    // The preview window the dialog owns, or null.
    HWND Preview()
    {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
            if (window != Dialog && GetWindow(window, GW_OWNER) == Dialog && IsWindowVisible(window))
                return window;
        }
        return nullptr;
    }

    bool ApplyEnabled() { return IsWindowEnabled(GetDlgItem(Dialog, IDC_SETTINGS_BTN_APPLY)) != FALSE; }

    // Types text into a page's edit control (the edit tells its page at once).
    void Type(int id, const char* text) { SendMessageA(Control(id), WM_SETTEXT, 0, (LPARAM)text); }

    void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }

    void Press(int id) { SendMessageA(Dialog, WM_COMMAND, (WPARAM)id, 0); }

    void SelectYearStyle(int index)
    {
        HWND combo = Control(IDC_ENVYEAR_COMBO_STYLE);
        SendMessageA(combo, CB_SETCURSEL, (WPARAM)index, 0);
        SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(IDC_ENVYEAR_COMBO_STYLE, CBN_SELCHANGE), (LPARAM)combo);
    }

    std::string ReadText(const char* section, const char* key)
    {
        char text[256] = "";
        GetPrivateProfileStringA(section, key, "", text, sizeof(text), IniPath.c_str());
        return text;
    }

    std::string FileBytes()
    {
        std::ifstream in(IniPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool WaitForClosed()
    {
        return WaitUntil([&] { return FindProcessWindow(Process, "#32770", kCaption) == nullptr; });
    }

    HANDLE Process = nullptr;
    HWND Calendar = nullptr;
    HWND Dialog = nullptr;
};

SIZE SizeOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

// The dialog opens on fourteen tabs with Apply disabled; a second opening while it is up is refused.
TEST_F(SettingsDialogTest, OpensWithFourteenTabsOnceAtATime)
{
    OpenDialog();
    EXPECT_EQ(14, (int)SendDlgItemMessageA(Dialog, IDC_SETTINGS_TAB, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_FALSE(ApplyEnabled());
    // The save posted after the second opening is served after it: once the file is back, the opening has run.
    DeleteFileA(IniPath.c_str());
    PostMessageA(Calendar, WM_COMMAND, IDM_SETTINGS, 0);
    PostMessageA(Calendar, WM_COMMAND, IDM_SAVE, 0);
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesA(IniPath.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(1, CountProcessWindows(Process, "#32770", kCaption));
    EXPECT_EQ(Dialog, FindProcessWindow(Process, "#32770", kCaption));
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
}

// Changes on the pages enable Apply and redraw the preview at the working copy's size; Apply gives the calendar that
// size and the file the new values.
TEST_F(SettingsDialogTest, ChangesShowInThePreviewAndApplyReachesCalendarAndFile)
{
    OpenDialog();
    Press(IDC_SETTINGS_BTN_PREVIEW);
    HWND preview = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (preview = Preview()) != nullptr; }));
    SIZE before = SizeOf(preview);
    EXPECT_EQ(SizeOf(Calendar).cx, before.cx);

    Type(IDC_ENVGENERAL_EDIT_ACROSS, "3");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_GT(SizeOf(preview).cx, before.cx * 2);
    Type(IDC_ENVGENERAL_EDIT_DOWN, "2");
    EXPECT_GT(SizeOf(preview).cy, before.cy);
    EXPECT_EQ(before.cx, SizeOf(Calendar).cx) << "the calendar changes only on Apply";

    Press(IDC_SETTINGS_BTN_APPLY);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(SizeOf(preview).cx, SizeOf(Calendar).cx);
    EXPECT_EQ(SizeOf(preview).cy, SizeOf(Calendar).cy);
    EXPECT_EQ(3, ReadInt("Daylens01", "DisplayRows"));
    EXPECT_EQ(2, ReadInt("Daylens01", "DisplayLines"));

    // One horizontal line: months across and the order have no say any more, on this page at once and the weekday
    // names may stand above or below the dates.
    Click(IDC_ENVGENERAL_RADIO_HORIZONTAL);
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_ENVGENERAL_EDIT_ACROSS)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_ENVGENERAL_RADIO_DOWN_RIGHT)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_ENVWEEK_RADIO_ABOVE)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_ENVDATE_CHECK_FILL)));
    SelectYearStyle(8);
    Press(IDC_SETTINGS_BTN_APPLY);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(SizeOf(preview).cx, SizeOf(Calendar).cx);
    EXPECT_EQ(SizeOf(preview).cy, SizeOf(Calendar).cy);
    EXPECT_EQ(1, ReadInt("Daylens01", "DisplayType"));
    EXPECT_EQ("00年", ReadText("Daylens01", "YearType"));

    Press(IDOK);
    EXPECT_TRUE(WaitForClosed());
    EXPECT_EQ(nullptr, Preview());
}

// A stored value beyond its up-down's range shows as it is, and a value typed again as it stands is no change. Month
// names typed into their page show in the preview at once; Cancel leaves the file and the calendar as they were.
TEST_F(SettingsDialogTest, CancelLeavesFileAndWindowAsTheyWere)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "RoundWidth", 2000);
    OpenDialog();
    SendMessageA(Calendar, WM_COMMAND, IDM_SAVE, 0);
    std::string saved = FileBytes();
    RECT rect;
    GetWindowRect(Calendar, &rect);
    char text[16] = "";
    SendMessageA(Control(IDC_ENVWINDOW_EDIT_ROUND_WIDTH), WM_GETTEXT, sizeof(text), (LPARAM)text);
    EXPECT_STREQ("2000", text);
    Type(IDC_ENVGENERAL_EDIT_ACROSS, "1");
    EXPECT_FALSE(ApplyEnabled()) << "1 is what is stored";

    Press(IDC_SETTINGS_BTN_PREVIEW);
    HWND preview = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (preview = Preview()) != nullptr; }));
    LONG narrow = SizeOf(preview).cx;
    Click(IDC_ENVMONTH_RADIO_USER);
    EXPECT_TRUE(ApplyEnabled());
    std::string names = "いろはにほへとちりぬるをわかよ";
    for (int month = 2; month <= 12; month++)
        names += ",いろはにほへとちりぬるをわかよ";
    Type(IDC_ENVMONTH_EDIT_USER, names.c_str());
    EXPECT_GT(SizeOf(preview).cx, narrow) << "a long month name widens the month block";
    Type(IDC_ENVGENERAL_EDIT_ACROSS, "4");
    Press(IDCANCEL);
    ASSERT_TRUE(WaitForClosed());
    RECT after;
    GetWindowRect(Calendar, &after);
    EXPECT_TRUE(EqualRect(&rect, &after));
    EXPECT_EQ(saved, FileBytes());
    SendMessageA(Calendar, WM_COMMAND, IDM_SAVE, 0);
    EXPECT_EQ(1, ReadInt("Daylens01", "DisplayRows"));
    EXPECT_EQ("", ReadText("Daylens01", "MonthUserStr"));
    EXPECT_EQ("1月", ReadText("Daylens01", "MonthType"));
}

// Apply twice and then OK leave the calendar running with a menu that still works: its settings item opens the
// dialog again.
TEST_F(SettingsDialogTest, ApplyTwiceThenOkLeavesAWorkingMenu)
{
    OpenDialog();
    Type(IDC_ENVGENERAL_EDIT_ACROSS, "2");
    Press(IDC_SETTINGS_BTN_APPLY);
    Type(IDC_ENVLAYOUT_EDIT_DAY_WIDTH, "30");
    Press(IDC_SETTINGS_BTN_APPLY);
    Press(IDOK);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ(30, ReadInt("Daylens01", "DayWidth"));

    ASSERT_TRUE(BringToForeground(Calendar));
    POINT at = TopLeft(Calendar);
    SetCursorPos(at.x + 30, at.y + 30);
    ASSERT_TRUE(WaitUntil([] {
        SendMouse(MOUSEEVENTF_RIGHTDOWN);
        SendMouse(MOUSEEVENTF_RIGHTUP);
        return WaitUntil([] { return ShownMenuCount() == 1; }, 1000);
    }));
    // The settings item follows the three memo items.
    for (int i = 0; i < 4; i++)
        SendKey(VK_DOWN);
    SendKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return (Dialog = ShownDialog()) != nullptr; }));
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
    EXPECT_EQ(1u, CalendarWindows().size());
}

// Apply pressed as soon as the dialog shows, before the pages after the first have been made, still stores what every
// page stores and what the pages take into the working copy at opening: the tooltip page's memo flag, the colour
// page's shadow direction and the date page's fill box. (On a very busy machine the pages may all be made before the
// press comes; what Apply stores is the same then.)
TEST_F(SettingsDialogTest, ApplyAtOnceCoversEveryPage)
{
    PrepareSettings(0);
    WriteSetting("DaylensMemo", "MemoShowToolTip", 0);
    WriteSetting("Daylens01", "ShowMemoTip", 1);
    WriteSetting("Daylens01", "ShadowDirection", 3);
    WriteSetting("Daylens01", "FillSpace", 2);
    OpenDialog(false);
    Press(IDC_SETTINGS_BTN_APPLY);
    EXPECT_EQ(kPageCount, PageCount());
    EXPECT_EQ(0, ReadInt("Daylens01", "ShowMemoTip"));
    EXPECT_EQ(4, ReadInt("Daylens01", "ShadowDirection"));
    EXPECT_EQ(0, ReadInt("Daylens01", "FillSpace"));
    Press(IDCANCEL);
    EXPECT_TRUE(WaitForClosed());
}
