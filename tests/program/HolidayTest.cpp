// The own-holiday dialog of command 533: what it saves into the own-holiday file of the program folder, its help
// tooltips, and the mark dialog it opens.
#include <windows.h>
#include <commctrl.h>

#include "DaylensIds.h"
#include "EngineDialogIds.h"
#include "FileUtil.h"
#include "ProgramDriver.h"
#include "TestWindow.h"

#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "Daylens マイホリデイ設定";

HWND WaitForDialog(const char* caption)
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDaylensWindow("#32770", caption)) != nullptr && IsWindowVisible(dialog); });
    return dialog;
}

HWND WaitForHolidayDialog()
{
    return WaitForDialog(kCaption);
}

bool WaitForClosed()
{
    return WaitUntil([] { return FindDaylensWindow("#32770", kCaption) == nullptr; });
}

int Rows(HWND dialog)
{
    return (int)SendDlgItemMessageA(dialog, IDC_HOLIDAY_LIST, LVM_GETITEMCOUNT, 0, 0);
}

std::string FileBytes(const std::string& path)
{
    DWORD size = 0;
    char* data = ReadWholeFile(path.c_str(), &size);
    std::string bytes = data ? std::string(data, size) : std::string();
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
    return bytes;
}

// Fills the boxes (the year empty for every year; indexes: "--" 0) and presses "↑ 追加", waiting until the dialog
// has handled it.
void AddEntry(HWND dialog, const char* name, int month, int day, int week, int weekday, const char* year = "")
{
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_YEAR, year);
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_NAME, name);
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_COMBO_MONTH, CB_SETCURSEL, (WPARAM)month, 0);
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_COMBO_DAY, CB_SETCURSEL, (WPARAM)day, 0);
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_COMBO_WEEK, CB_SETCURSEL, (WPARAM)week, 0);
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_COMBO_WEEKDAY, CB_SETCURSEL, (WPARAM)weekday, 0);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, WM_COMMAND, IDC_HOLIDAY_BTN_ADD, 0, SMTO_NORMAL, kTimeoutMs, &result);
}

// Selects row of the list inside process: the item state goes through the other process's memory.
bool SelectRow(HANDLE process, HWND dialog, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(item), MEM_COMMIT, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process, remote, &item, sizeof(item), nullptr))
        return false;
    bool done = SendDlgItemMessageA(dialog, IDC_HOLIDAY_LIST, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)remote) != 0;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return done;
}

// Selects the first row, presses "× 削除" and answers the question with yes.
bool DeleteFirstRow(HANDLE process, HWND dialog)
{
    if (!SelectRow(process, dialog, 0))
        return false;
    int rows = Rows(dialog);
    PostMessageA(dialog, WM_COMMAND, IDC_HOLIDAY_BTN_DELETE, 0);
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindDaylensWindow("#32770", "Daylens")) != nullptr; }))
        return false;
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    return WaitUntil([&] { return Rows(dialog) == rows - 1; });
}

// Added entries are saved in date order in the holiday file's own lines, a repeated one is refused, and a list
// emptied row by row and saved leaves no file behind.
TEST_F(ProgramTest, OwnHolidayCommandWritesTheListAndDeletesTheFileWhenEmptied)
{
    PrepareSettings(0);
    std::string path = Folder + "\\MyHoliday.txt";
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);

    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MY_HOLIDAY, 0);
    HWND dialog = WaitForHolidayDialog();
    ASSERT_NE(nullptr, dialog);
    AddEntry(dialog, "成人の日", 1, 0, 2, 2);  // January, second Monday
    ASSERT_EQ(1, Rows(dialog));
    RECT first = {};
    GetWindowRect(dialog, &first);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ("- 1 2Mon 成人の日\r\n", FileBytes(path));

    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MY_HOLIDAY, 0);
    dialog = WaitForHolidayDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, Rows(dialog)) << "the saved list is kept";
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_COMMAND, (WPARAM)IDM_MY_HOLIDAY, 0, SMTO_NORMAL, 5000, &result))
        << "a second opening returns at once";
    RECT again = {};
    GetWindowRect(dialog, &again);
    EXPECT_EQ(first.left, again.left) << "the remembered rectangle";
    EXPECT_EQ(first.right - first.left, again.right - again.left);
    EXPECT_EQ(first.bottom - first.top, again.bottom - again.top);
    AddEntry(dialog, "憲法記念日", 5, 3, 0, 0);
    AddEntry(dialog, "元日の前", 1, 0, 1, 1);
    EXPECT_EQ(3, Rows(dialog));
    AddEntry(dialog, "成人の日", 1, 0, 2, 2);
    EXPECT_EQ(3, Rows(dialog)) << "a repeated entry is refused";
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ("- 1 1Sun 元日の前\r\n- 1 2Mon 成人の日\r\n- 5 3 憲法記念日\r\n", FileBytes(path));

    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MY_HOLIDAY, 0);
    dialog = WaitForHolidayDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_EQ(3, Rows(dialog));
    for (int i = 0; i < 3; i++)
        ASSERT_TRUE(DeleteFirstRow(process, dialog)) << i;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForClosed());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    EXPECT_FALSE(FindDaylensWindow("#32770", "Daylens")) << "no message box";
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
}

// Command 552 edits the memorial days: an entry left in the boxes is added on saving when the user agrees, a dated
// entry is written with its year, and the calendar keeps the saved list for the next opening.
TEST_F(ProgramTest, MemorialAddCommandWritesTheMemorialFile)
{
    PrepareSettings(0);
    std::string path = Folder + "\\MemorialDay.txt";
    const char caption[] = "Daylens 記念日設定";
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MEMORIAL_ADD, 0);
    HWND dialog = WaitForDialog(caption);
    ASSERT_NE(nullptr, dialog);
    // An entry left in the boxes is offered for adding when the list is saved.
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_YEAR, "1970");
    SetDlgItemTextA(dialog, IDC_HOLIDAY_EDIT_NAME, "Wedding Day");
    SendDlgItemMessageA(dialog, IDC_HOLIDAY_COMBO_DAY, CB_SETCURSEL, 3, 0);
    HWND month = GetDlgItem(dialog, IDC_HOLIDAY_COMBO_MONTH);
    SendMessageA(month, CB_SETCURSEL, 5, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HOLIDAY_COMBO_MONTH, CBN_SELCHANGE), (LPARAM)month);
    ASSERT_EQ(0, Rows(dialog));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindDaylensWindow("#32770", "Daylens")) != nullptr; }));
    char question[128] = "";
    GetDlgItemTextA(box, 0xFFFF, question, sizeof(question));
    EXPECT_STREQ("内容が変更されています\r\n追加しますか？", question);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindDaylensWindow("#32770", caption) == nullptr; }));
    EXPECT_EQ("1970 5 3 Wedding Day\r\n", FileBytes(path));

    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MEMORIAL_ADD, 0);
    dialog = WaitForDialog(caption);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, Rows(dialog));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindDaylensWindow("#32770", caption) == nullptr; }));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
}

// The help tools of dialog: the tools of the tooltip windows it owns that lie over its controls (a tooltip that a
// control makes for itself has none of those), by control.
std::vector<TOOLINFOA> HelpTools(HANDLE process, HWND dialog)
{
    std::vector<TOOLINFOA> help;
    for (HWND tip : TipsOwnedBy(dialog)) {
        for (const TOOLINFOA& tool : ToolsOf(process, tip)) {
            if (GetParent(tool.hwnd) == dialog)
                help.push_back(tool);
        }
    }
    std::sort(help.begin(), help.end(), [](const TOOLINFOA& a, const TOOLINFOA& b) { return a.hwnd < b.hwnd; });
    return help;
}

std::vector<HWND> ControlsOf(const std::vector<TOOLINFOA>& tools)
{
    std::vector<HWND> controls;
    for (const TOOLINFOA& tool : tools)
        controls.push_back(tool.hwnd);
    return controls;
}

// Every command, even one that changes nothing, makes the dialog's help tools again, over the controls as they are
// then: one per control as before, none of the old ones left behind, on the one tooltip control the dialog keeps.
TEST_F(ProgramTest, OwnHolidayDialogMakesItsTooltipsAgainAfterEveryCommand)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MY_HOLIDAY, 0);
    HWND dialog = WaitForHolidayDialog();
    ASSERT_NE(nullptr, dialog);
    std::vector<HWND> tips = TipsOwnedBy(dialog);
    std::vector<HWND> controls = ControlsOf(HelpTools(process, dialog));
    // One help tool for each of the fourteen controls the dialog explains.
    EXPECT_EQ(14u, controls.size());
    EXPECT_EQ(controls.end(), std::adjacent_find(controls.begin(), controls.end()));

    // The list made narrower: its tool follows at the next command only.
    HWND list = GetDlgItem(dialog, IDC_HOLIDAY_LIST);
    RECT box;
    GetWindowRect(list, &box);
    SetWindowPos(list, nullptr, 0, 0, (box.right - box.left) / 2, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(list, &client);
    auto listTool = [&] {
        for (const TOOLINFOA& tool : HelpTools(process, dialog)) {
            if (tool.hwnd == list)
                return tool.rect;
        }
        return RECT{};
    };
    RECT old = listTool();
    EXPECT_FALSE(EqualRect(&client, &old));
    HWND month = GetDlgItem(dialog, IDC_HOLIDAY_COMBO_MONTH);
    SendMessageA(month, CB_SETCURSEL, 2, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HOLIDAY_COMBO_MONTH, CBN_SELCHANGE), (LPARAM)month);
    RECT made = listTool();
    EXPECT_TRUE(EqualRect(&client, &made));
    EXPECT_EQ(controls, ControlsOf(HelpTools(process, dialog)));

    SendMessageA(dialog, WM_COMMAND, IDC_HOLIDAY_BTN_DELETE, 0);  // no row selected: nothing to delete
    EXPECT_EQ(controls, ControlsOf(HelpTools(process, dialog)));
    EXPECT_EQ(tips, TipsOwnedBy(dialog));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForClosed());
}

// The own-holiday list's mark opens the form with user marks on the list's own mark: its text colour and font can
// be changed there, although the list does not ask for the font. With DAYLENS_SHOT_DIR set the mark dialog is saved
// there as holiday-mark.bmp.
TEST_F(ProgramTest, OwnHolidayMarkDialogLetsTheTextColourChange)
{
    PrepareSettings(0);
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MY_HOLIDAY, 0);
    HWND dialog = WaitForHolidayDialog();
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_COMMAND, IDC_HOLIDAY_BTN_MARK, 0);
    HWND mark = WaitForDialog("Daylens マーク設定");
    ASSERT_NE(nullptr, mark);
    char name[64] = "";
    GetDlgItemTextA(mark, IDC_MARK_LABEL_NAME, name, sizeof(name));
    EXPECT_STREQ("マイホリデイマーク", name);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(mark, IDC_MARK_RADIO_INDIVIDUAL));
    for (int id : {IDC_MARK_BTN_TEXTCOLOR, IDC_MARK_BTN_FONT, IDC_MARK_COMBO_KIND, IDC_MARK_CHECK_PLAINCOLOR})
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(mark, id))) << id;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(mark, IDC_MARK_COMBO_USERMARK)));
    const char* dir = getenv("DAYLENS_SHOT_DIR");
    if (dir && *dir) {
        // Only a picture to look at: the dialog is given a moment to paint, nothing is checked on it.
        Sleep(500);
        std::string path = std::string(dir[0] == '/' ? "Z:" : "") + dir + "/holiday-mark.bmp";
        EXPECT_TRUE(SaveWindowShot(mark, path.c_str())) << path;
    }
    PostMessageA(mark, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([] { return FindDaylensWindow("#32770", "Daylens マーク設定") == nullptr; }));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForClosed());
}

}  // namespace
