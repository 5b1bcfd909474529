// Commands of the calendar window that answer with a dialog or a message box and leave the program running.
#include "DaylensIds.h"
#include "ProgramDriver.h"

namespace {

// The message box of the process under the program's name, or null.
HWND FindMessageBox()
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindWindowA("#32770", "Daylens")) != nullptr; });
    return box;
}

std::string MessageText(HWND box)
{
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

TEST_F(ProgramTest, UpdateCommandsSayTheUpdateIsNotAvailableAndKeepRunning)
{
    PrepareSettings(0);
    // With the update tool in the program folder an update could be asked for.
    ASSERT_TRUE(CopyFileA(FAKE_UPDATE_TOOL, (Folder + "\\LxUpdate.exe").c_str(), FALSE));
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    for (int command : {IDM_UPDATE, IDM_UPDATE_ALL, IDM_PLUGIN_UPDATE}) {
        SCOPED_TRACE(command);
        PostMessageA(window, WM_COMMAND, (WPARAM)command, 0);
        HWND box = FindMessageBox();
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("アップデートは利用できません", MessageText(box));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([] { return FindWindowA("#32770", "Daylens") == nullptr; }));
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
        EXPECT_TRUE(IsWindow(window));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
}

const char kMemoSettingsCaption[] = "Daylens メモ設定";

int CountMemoSettingsDialogs()
{
    int count = 0;
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, "#32770", kMemoSettingsCaption)) != nullptr)
        count++;
    return count;
}

// The memo settings open once however often they are asked for; OK writes the memo section, here its defaults.
TEST_F(ProgramTest, MemoSettingsOpenOnceAndOkSavesTheMemoSection)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MEMO_SETTINGS, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowA("#32770", kMemoSettingsCaption)) != nullptr; }));
    // A second opening returns at once instead of running a dialog of its own.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_COMMAND, (WPARAM)IDM_MEMO_SETTINGS, 0, SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(1, CountMemoSettingsDialogs());
    EXPECT_EQ(-9999, ReadInt("DaylensMemo", "MemoFontSize"));

    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([] { return CountMemoSettingsDialogs() == 0; }));
    EXPECT_EQ(12, ReadInt("DaylensMemo", "MemoFontSize"));
    EXPECT_EQ(0x80FF80, ReadInt("DaylensMemo", "MemoMarkColor"));
    EXPECT_EQ(3600, ReadInt("DaylensMemo", "MemoSleepCheckInterval"));
    EXPECT_EQ(99, ReadInt("DaylensMemo", "MemoTomorrowHour"));
    EXPECT_EQ(1, ReadInt("DaylensMemo", "WeekMemoMode"));
    char folder[MAX_PATH] = "";
    GetPrivateProfileStringA("DaylensMemo", "MemoDir", "", folder, sizeof(folder), IniPath.c_str());
    EXPECT_EQ(0, lstrcmpiA((Folder + "\\Memo").c_str(), folder)) << folder;
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
}

}  // namespace
