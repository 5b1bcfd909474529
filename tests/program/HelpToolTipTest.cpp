// The help tooltips of the running program's dialogs show under a resting pointer: each dialog hands its one tooltip
// control the mouse messages of its controls, the settings dialog also those of its pages' controls.
#include "ProgramDriver.h"

#include <string>

#include "DaylensIds.h"
#include "MemoDialogIds.h"
#include "SettingsDialogIds.h"

namespace {

HWND WaitForShownDialog(const char* caption)
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDaylensWindow("#32770", caption)) != nullptr && IsWindowVisible(dialog); });
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// The text that the tooltip of owner shows once the pointer rests in the middle of control: expected as soon as it
// shows that, else the last text seen ("" when no tip showed).
std::string TipOver(HWND owner, HWND control, const std::string& expected)
{
    RECT box = {};
    GetWindowRect(control, &box);
    int x = (box.left + box.right) / 2, y = (box.top + box.bottom) / 2;
    SetCursorPos(x - 1, y);
    SetCursorPos(x, y);
    std::string tip;
    WaitUntil(
        [&] {
            HWND shown = ShownTipOf(owner);
            char text[1024] = "";
            DWORD_PTR length = 0;
            if (shown)
                SendMessageTimeoutA(shown, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_BLOCK, 1000, &length);
            tip = text;
            return tip == expected;
        },
        5000);
    return tip;
}

void PointerAway()
{
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

// The control of the settings dialog's pages with the id.
HWND PageControl(HWND dialog, int id)
{
    for (HWND page = GetWindow(dialog, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT)) {
        if (HWND control = GetDlgItem(page, id))
            return control;
    }
    return nullptr;
}

// Resting on a button shows its help, and moving on to the next button shows that one's.
TEST_F(ProgramTest, DayMemoWindowShowsTheHelpOfTheControlUnderThePointer)
{
    PrepareSettings(0);
    Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    PostMessageA(calendar, WM_COMMAND, IDM_DAY_MEMO, 0);
    HWND dialog = WaitForShownDialog("Daylens 一日メモ");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("メモを保存し，一日メモウィンドウを閉じます．", TipOver(dialog, GetDlgItem(dialog, IDOK),
                                                                  "メモを保存し，一日メモウィンドウを閉じます．"));
    EXPECT_EQ("メモを保存せずに，一日メモウィンドウを閉じます．",
              TipOver(dialog, GetDlgItem(dialog, IDCANCEL), "メモを保存せずに，一日メモウィンドウを閉じます．"));
    PointerAway();
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
}

// A control of the shown page and a button of the dialog itself each show their help.
TEST_F(ProgramTest, SettingsDialogShowsTheHelpOfPageControlsAndButtons)
{
    PrepareSettings(0);
    Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    PostMessageA(calendar, WM_COMMAND, IDM_SETTINGS, 0);
    HWND dialog = WaitForShownDialog("Daylens 環境設定");
    ASSERT_NE(nullptr, dialog);
    HWND grid = PageControl(dialog, IDC_ENVGENERAL_RADIO_GRID);
    ASSERT_NE(nullptr, grid);
    ASSERT_TRUE(IsWindowVisible(grid));
    EXPECT_EQ("七曜カレンダーに設定します", TipOver(dialog, grid, "七曜カレンダーに設定します"));
    EXPECT_EQ("ヘルプを表示します",
              TipOver(dialog, GetDlgItem(dialog, IDC_SETTINGS_BTN_HELP), "ヘルプを表示します"));
    PointerAway();
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
}

}  // namespace
