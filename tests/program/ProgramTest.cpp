// Starts the built Daylens.exe from a copy of the install folder with a prepared settings file and drives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {

const char kWindowClass[] = "Velmora Daylens";
const DWORD kTimeoutMs = 20000;

bool CopyFolder(const std::string& from, const std::string& to)
{
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyFolder(from + "\\" + name, to + "\\" + name) && ok;
        else
            ok = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && ok;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return ok;
}

void RemoveFolder(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

BOOL CALLBACK CollectCalendar(HWND window, LPARAM param)
{
    char name[256];
    if (GetClassNameA(window, name, sizeof(name)) && strcmp(name, kWindowClass) == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> CalendarWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectCalendar, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Polls until the number of calendar windows is count; 1 when it came within the time-out.
bool WaitForWindowCount(size_t count, DWORD timeoutMs = kTimeoutMs)
{
    DWORD start = GetTickCount();
    while (CalendarWindows().size() != count) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

// Polls until window is shown: it is listed from its creation on, before it is placed and shown.
bool WaitForVisible(HWND window, DWORD timeoutMs = kTimeoutMs)
{
    DWORD start = GetTickCount();
    while (!IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof(temp), temp);
        char folder[MAX_PATH];
        snprintf(folder, sizeof(folder), "%sdaylens-program-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
        Folder = folder;
        ASSERT_TRUE(CopyFolder(DAYLENS_DIST_DIR, Folder));
        char user[256] = "";
        DWORD size = sizeof(user);
        ASSERT_TRUE(GetUserNameA(user, &size));
        IniPath = Folder + "\\Daylens-" + user + ".ini";
        // build/dist keeps the settings of a run of scripts/run.sh.
        SetFileAttributesA(IniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(IniPath.c_str());
        ASSERT_TRUE(CalendarWindows().empty()) << "another calendar is running";
    }

    void TearDown() override
    {
        for (HWND window : CalendarWindows())
            PostMessageA(window, WM_CLOSE, 0, 0);
        for (HANDLE process : Processes) {
            if (WaitForSingleObject(process, kTimeoutMs) != WAIT_OBJECT_0)
                TerminateProcess(process, 1);
            CloseHandle(process);
        }
        RemoveFolder(Folder);
    }

    // A settings file of an earlier run of this version, so that no first-run question is asked.
    void PrepareSettings(int doubleStart)
    {
        char text[64];
        WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", IniPath.c_str());
        WritePrivateProfileStringA("Daylens00", "WindowX", "40", IniPath.c_str());
        WritePrivateProfileStringA("Daylens00", "WindowY", "30", IniPath.c_str());
        snprintf(text, sizeof(text), "%d", doubleStart);
        WritePrivateProfileStringA("Daylens00", "DoubleStart", text, IniPath.c_str());
        WritePrivateProfileStringA("Daylens01", "DelayedStart", "0", IniPath.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath.c_str());
    }

    HANDLE Start(const char* words)
    {
        std::string exe = Folder + "\\Daylens.exe";
        std::string commandLine = "\"" + exe + "\"" + (words[0] ? std::string(" ") + words : "");
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, Folder.c_str(), &startup,
                            &info))
            return nullptr;
        CloseHandle(info.hThread);
        Processes.push_back(info.hProcess);
        return info.hProcess;
    }

    int ReadInt(const char* section, const char* key)
    {
        return (int)GetPrivateProfileIntA(section, key, -9999, IniPath.c_str());
    }

    std::string Folder;
    std::string IniPath;
    std::vector<HANDLE> Processes;
};

TEST_F(ProgramTest, ShowsTheCalendarAndSavesItsPlaceOnClose)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    ASSERT_NE(nullptr, process);
    ASSERT_TRUE(WaitForWindowCount(1));
    HWND window = CalendarWindows()[0];
    ASSERT_TRUE(WaitForVisible(window));

    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(40, rect.left);
    EXPECT_EQ(30, rect.top);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    EXPECT_GT(width, 100);
    EXPECT_GT(height, 100);
    EXPECT_LT(width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LT(height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // Message 1060 changes nothing; the moved window is saved where it stands.
    SendMessageA(window, 1060, 0, 0);
    SetWindowPos(window, nullptr, 220, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    DWORD code = 99;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code);

    EXPECT_EQ(220, ReadInt("Daylens00", "WindowX"));
    EXPECT_EQ(150, ReadInt("Daylens00", "WindowY"));
    EXPECT_EQ(0, ReadInt("Daylens00", "DoubleStart"));
    // The whole settings section was written, not only the placement.
    EXPECT_EQ(128, ReadInt("Daylens01", "TransparentAlpha"));
    EXPECT_NE(-9999, ReadInt("Daylens01", "DisplayType"));
}

TEST_F(ProgramTest, SecondStartEndsAndLeavesTheFirstRunning)
{
    struct SecondCase {
        int doubleStart;
        const char* words;
    };
    for (const SecondCase& c : {SecondCase{0, ""}, SecondCase{1, ""}, SecondCase{2, "activate"}}) {
        SCOPED_TRACE(std::string("DoubleStart ") + std::to_string(c.doubleStart) + " words '" + c.words + "'");
        PrepareSettings(c.doubleStart);
        HANDLE first = Start("");
        ASSERT_TRUE(WaitForWindowCount(1));
        HANDLE second = Start(c.words);
        ASSERT_NE(nullptr, second);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second, kTimeoutMs));
        EXPECT_EQ(1u, CalendarWindows().size());
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(first, 0));
        PostMessageA(CalendarWindows()[0], WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, kTimeoutMs));
    }
}

TEST_F(ProgramTest, FurtherInstancesRunBesideTheFirst)
{
    struct FurtherCase {
        int doubleStart;
        const char* words;
    };
    for (const FurtherCase& c : {FurtherCase{2, ""}, FurtherCase{0, "force"}}) {
        SCOPED_TRACE(std::string("DoubleStart ") + std::to_string(c.doubleStart) + " words '" + c.words + "'");
        PrepareSettings(c.doubleStart);
        Start("");
        ASSERT_TRUE(WaitForWindowCount(1));
        Start(c.words);
        EXPECT_TRUE(WaitForWindowCount(2));
        for (HWND window : CalendarWindows())
            PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForWindowCount(0));
    }
}

// "restart" waits for the old instance to let go of the name, then starts normally.
TEST_F(ProgramTest, RestartWaitsForTheOldInstance)
{
    PrepareSettings(0);
    HANDLE first = Start("");
    ASSERT_TRUE(WaitForWindowCount(1));
    HWND old = CalendarWindows()[0];
    HANDLE second = Start("restart");
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(second, 1500));
    EXPECT_EQ(1u, CalendarWindows().size());

    PostMessageA(old, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, kTimeoutMs));
    ASSERT_TRUE(WaitForWindowCount(1));
    DWORD owner = 0;
    GetWindowThreadProcessId(CalendarWindows()[0], &owner);
    EXPECT_EQ(GetProcessId(second), owner);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(second, 0));
}

}  // namespace
