// The memo watcher at start: with a memo for today and the popup asked for, the popup view comes up with today's
// memo, and closing the program while the popup is open ends it cleanly, also under the popup's own settings
// dialog.
#include "ProgramDriver.h"

#include <stdio.h>

#include <string>

#include "FileUtil.h"

namespace {

// The popup's own menu item "ポップアップ設定", and the title of the dialog it opens.
const int kPopupSettings = 603;
const char kPopupSettingsTitle[] = "PopupView - Daylens";

class PopupWatchTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        PrepareSettings(0);
        WritePrivateProfileStringA("Daylens01", "PlugInOrder00", "DaylensPopupView.dll", IniPath.c_str());
        WriteSetting("Daylens01", "PlugInUse00", 1);
        WriteSetting("DaylensMemo", "MemoPopup", 1);
        SYSTEMTIME today;
        GetLocalTime(&today);
        char section[16];
        snprintf(section, sizeof(section), "%04d%02d%02d", today.wYear, today.wMonth, today.wDay);
        std::string memoDir = Folder + "\\Memo";
        ASSERT_TRUE(CreateDirectoryA(memoDir.c_str(), nullptr));
        std::string text = std::string("[") + section + "]\r\nMemo=会議の資料\r\n";
        std::string file = memoDir + "\\" + section + ".txt";
        ASSERT_TRUE(WriteWholeFile(file.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    HWND WaitForPopup(HANDLE process)
    {
        HWND popup = nullptr;
        WaitUntil([&] {
            popup = FindProcessWindow(process, nullptr, "DaylensPopupView");
            return popup && IsWindowVisible(popup);
        });
        return popup;
    }
};

TEST_F(PopupWatchTest, StartShowsTodaysMemoAndTheProgramEndsCleanlyUnderAnOpenPopup)
{
    DebugOutput output;
    ASSERT_TRUE(output.Listening());
    HANDLE process = Start("");
    ASSERT_NE(nullptr, process);
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);

    HWND popup = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        popup = FindProcessWindow(process, nullptr, "DaylensPopupView");
        return popup && IsWindowVisible(popup);
    })) << "no popup came up";
    DWORD pid = 0;
    GetWindowThreadProcessId(popup, &pid);
    EXPECT_EQ(GetProcessId(process), pid);
    EXPECT_NE(0, GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(WaitUntil([&] { return output.Contains(pid, "今日のメモ: 会議の資料"); }, 5000));

    // Well within the 10 s the shut-down would wait for a watcher that its popup kept.
    PostMessageA(calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 8000)) << "the program did not end";
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(IsWindow(popup));
}

// The settings dialog that the popup opened runs inside the popup's own modal loop: closing the popup closes it
// first, so the memo watcher stops at once.
TEST_F(PopupWatchTest, TheProgramEndsAtOnceUnderThePopupsOwnSettingsDialog)
{
    DebugOutput output;
    ASSERT_TRUE(output.Listening());
    HANDLE process = Start("");
    ASSERT_NE(nullptr, process);
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    HWND popup = WaitForPopup(process);
    ASSERT_NE(nullptr, popup) << "no popup came up";
    PostMessageA(popup, WM_COMMAND, kPopupSettings, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        dialog = FindProcessWindow(process, "#32770", kPopupSettingsTitle);
        return dialog && IsWindowVisible(dialog);
    }));
    EXPECT_EQ(popup, GetWindow(dialog, GW_OWNER));

    // Well within the 10 s that the popup's close would wait for its dialog, and the watcher stopped rather than
    // being given up.
    PostMessageA(calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 8000)) << "the program did not end";
    DWORD pid = GetProcessId(process);
    std::vector<long> stops = output.NumbersAfter(pid, "memo watcher stopped in ");
    ASSERT_EQ(1u, stops.size());
    printf("memo watcher stopped in %ld ms\n", stops[0]);
}

}  // namespace
