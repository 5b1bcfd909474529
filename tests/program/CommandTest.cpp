// Commands of the calendar window that answer with a message box and leave the program running.
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

}  // namespace
