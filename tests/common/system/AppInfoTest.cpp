#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "AppInfo.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "TempFolder.h"
#include "WindowsVersion.h"

namespace {

std::string UserName()
{
    char user[256 + 1] = "";
    DWORD size = sizeof(user);
    EXPECT_TRUE(GetUserNameA(user, &size));
    return user;
}

void ReplaceField(char** field, const std::string& text)
{
    *field = StrReplaceHeap(*field, text.c_str());
}

struct VersionCase {
    int major;
    int minor;
    int build;
    const char* text;
};

TEST(AppInfoTest, VersionTextForms)
{
    const VersionCase cases[] = {
        {120, 1, 0, "Version 1.20.01"}, {120, 0, 3, "Version 1.20 b3"}, {120, 1, 3, "Version 1.20.01 b3"},
        {120, 0, 0, "Version 1.20"},    {104, 12, 0, "Version 1.04.12"}, {105, 0, 0, "Version 1.05"},
        {100, 0, 0, "Version 1.00"},    {1234, 0, 0, "Version 12.34"},
    };
    AppInfo info;
    for (const VersionCase& c : cases) {
        info.SetNames("Daylens", "透明なカレンダー Daylens", "Velmora Daylens", c.major, c.minor, c.build, "Velmora",
                      "2003-2019", "04/01/2019", nullptr);
        EXPECT_STREQ(c.text, info.GetVersionText()) << c.major << " " << c.minor << " " << c.build;
        EXPECT_STREQ(info.VersionText, info.GetVersionText());
    }
}

TEST(AppInfoTest, VersionLineNamesWindowsAndReleaseDateWhenKnown)
{
    AppInfo info;
    info.SetNames("DaylensMiniMemo", "ミニメモプラグイン DaylensMiniMemo", "Velmora DaylensMiniMemo", 104, 0, 0,
                  "Velmora", "2013", "12/04/2013", nullptr);
    ReplaceField(&info.OsName, "Windows 10 Home");
    EXPECT_STREQ("DaylensMiniMemo Version 1.04 on Windows 10 Home (12/04/2013)", info.GetVersionLine());

    ReplaceField(&info.OsName, "");
    info.SetNames("DaylensMiniMemo", "", "", 104, 2, 7, "", "", "", nullptr);
    EXPECT_STREQ("DaylensMiniMemo Version 1.04.02 b7", info.GetVersionLine());
    // The version text replaces the line.
    EXPECT_STREQ("Version 1.04.02 b7", info.GetVersionText());
    EXPECT_STREQ("Version 1.04.02 b7", info.VersionText);
}

TEST(AppInfoTest, NamesAreCopiesAndWebAddressHasADefault)
{
    char name[] = "Daylens";
    AppInfo info;
    info.SetNames(name, "透明なカレンダー Daylens", "Velmora Daylens", 120, 1, 0, "Velmora", "2003-2019",
                  "04/01/2019", "https://example.jp/daylens/");
    name[0] = 'X';
    EXPECT_STREQ("Daylens", info.GetAppName());
    EXPECT_STREQ("透明なカレンダー Daylens", info.GetDescription());
    EXPECT_STREQ("Velmora Daylens", info.GetWindowClassName());
    EXPECT_STREQ("Velmora", info.GetCreatorText());
    EXPECT_STREQ("2003-2019", info.GetYears());
    EXPECT_STREQ("04/01/2019", info.GetReleaseDate());
    EXPECT_STREQ("https://example.jp/daylens/", info.GetWebAddress());
    EXPECT_EQ(info.AppName, info.GetAppName());

    info.SetNames("Daylens", "", "", 120, 1, 0, "", "", "", nullptr);
    ASSERT_NE(nullptr, info.GetWebAddress());
    EXPECT_EQ(0, strncmp(info.GetWebAddress(), "https://", 8));
}

TEST(AppInfoTest, TitleWithVersion)
{
    AppInfo info;
    info.SetNames("Daylens", "", "Velmora Daylens", 120, 1, 0, "", "", "04/01/2019", nullptr);
    EXPECT_STREQ("Daylens Version 1.20.01", info.GetTitleWithVersion());
    EXPECT_STREQ(info.TitleText, info.GetTitleWithVersion());

    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    char text[256];
    EXPECT_EQ(1, info.SetTitleWithVersion(window, "予定"));
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ("Daylens Version 1.20.01 [予定]", text);
    EXPECT_EQ(1, info.SetTitleWithVersion(window, ""));
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ("Daylens Version 1.20.01", text);
    EXPECT_EQ(0, info.SetTitleWithVersion(nullptr, "x"));
    DestroyWindow(window);
}

TEST(AppInfoTest, WindowsKindAndNameOfTheRunningSystem)
{
    AppInfo info;
    EXPECT_EQ(sizeof(OSVERSIONINFOEXA), info.OsVersion.dwOSVersionInfoSize);
    EXPECT_GE(info.GetWindowsKind(), 6);
    ASSERT_NE(nullptr, info.GetOsName());
    EXPECT_STREQ(WindowsKindName(info.GetWindowsKind()), info.GetOsName());
}

TEST(AppInfoTest, PathsOfTheRunningProgram)
{
    AppInfo info;
    ASSERT_NE(nullptr, info.ModulePath);
    ASSERT_NE(nullptr, info.ProgramDir);
    ASSERT_NE(nullptr, info.BaseName);
    EXPECT_STREQ("system_tests", info.BaseName);
    EXPECT_EQ(info.ProgramDir, info.GetProgramDir());
    size_t dirLength = strlen(info.ProgramDir);
    ASSERT_GT(dirLength, 3u);
    EXPECT_EQ('\\', info.ProgramDir[dirLength - 1]);
    EXPECT_EQ(std::string(info.ProgramDir) + "system_tests.exe", std::string(info.ModulePath));

    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof(current), current);
    ASSERT_NE(nullptr, info.CurrentDir);
    EXPECT_STREQ(current, info.CurrentDir);

    ASSERT_NE(nullptr, info.ProgramFilesDir);
    EXPECT_TRUE(FolderExists(info.ProgramFilesDir, 0));
    ASSERT_NE(nullptr, info.AppDataDir);
    EXPECT_TRUE(FolderExists(info.AppDataDir, 0));
    ASSERT_NE(nullptr, info.UserDataDir);
    EXPECT_EQ(std::string(info.AppDataDir) + "\\Velmora\\system_tests\\", std::string(info.UserDataDir));
    EXPECT_EQ(nullptr, info.IniPath);
}

TEST(AppInfoTest, UserDataDir)
{
    EXPECT_EQ("C:\\data\\Velmora\\Daylens\\", TakeHeapText(BuildUserDataDir("C:\\data", "Daylens")));
    EXPECT_EQ("C:\\data\\Velmora\\Daylens\\", TakeHeapText(BuildUserDataDir("C:\\data\\", "Daylens")));
    // A folder ending in a double-byte character whose trail byte is 0x5C still gets its separator.
    EXPECT_EQ("C:\\表\\Velmora\\Daylens\\", TakeHeapText(BuildUserDataDir("C:\\表", "Daylens")));
    EXPECT_EQ("(null)", TakeHeapText(BuildUserDataDir(nullptr, "Daylens")));
    EXPECT_EQ("(null)", TakeHeapText(BuildUserDataDir("", "Daylens")));
}

TEST(AppInfoTest, HelpTarget)
{
    char out[MAX_PATH];
    ASSERT_EQ(1, BuildHelpTarget("C:\\Daylens\\Daylens.chm", "_RESOURCE/Help-main.html", out, sizeof(out)));
    EXPECT_STREQ("C:\\Daylens\\Daylens.chm::_RESOURCE/Help-main.html", out);
    ASSERT_EQ(1, BuildHelpTarget("C:\\Daylens\\Daylens.chm", "", out, sizeof(out)));
    EXPECT_STREQ("C:\\Daylens\\Daylens.chm", out);
    ASSERT_EQ(1, BuildHelpTarget("C:\\Daylens\\Daylens.chm", nullptr, out, sizeof(out)));
    EXPECT_STREQ("C:\\Daylens\\Daylens.chm", out);
    // A topic that brings its own separator does not get a second one.
    ASSERT_EQ(1, BuildHelpTarget("C:\\D\\Daylens.chm", "::_RESOURCE/Help-howtouse09.html", out, sizeof(out)));
    EXPECT_STREQ("C:\\D\\Daylens.chm::_RESOURCE/Help-howtouse09.html", out);

    // Exactly fitting, then one byte short.
    const char file[] = "C:\\a.chm";
    const char topic[] = "t.html";
    size_t need = strlen(file) + 2 + strlen(topic) + 1;
    EXPECT_EQ(1, BuildHelpTarget(file, topic, out, need));
    EXPECT_EQ(0, BuildHelpTarget(file, topic, out, need - 1));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, BuildHelpTarget(nullptr, topic, out, sizeof(out)));
}

TEST(AppInfoTest, ShowHelpWithoutFile)
{
    AppInfo info;
    // Both null shuts help down, which is harmless when it never started.
    EXPECT_EQ(1, info.ShowHelp(nullptr, nullptr, nullptr));
    EXPECT_EQ(0, info.HelpInitialized);
    EXPECT_EQ(0, info.ShowHelp(nullptr, nullptr, "_RESOURCE/Help-main.html"));
    MSG message = {};
    EXPECT_EQ(0, info.HelpPreTranslate(&message));
}

TEST(AppInfoTest, WindowHelpers)
{
    AppInfo info;
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    const RECT* cached = info.GetWorkArea();
    ASSERT_NE(nullptr, cached);
    EXPECT_TRUE(EqualRect(&area, cached));
    EXPECT_EQ(cached, info.GetWorkArea());

    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 40, 30, 300, 200, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(nullptr, window);
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    EXPECT_EQ(1, info.SetWindowIcons(window, icon, nullptr));
    EXPECT_EQ((LRESULT)icon, SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(0, info.SetWindowIcons(nullptr, icon, icon));

    RECT rect;
    int state = 0;
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_EQ(1, GetNormalWindowRect(window, &rect, &state));
    EXPECT_EQ(1, state);
    EXPECT_EQ(40, rect.left);
    EXPECT_EQ(30, rect.top);
    EXPECT_EQ(300, rect.right);
    EXPECT_EQ(200, rect.bottom);
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_EQ(1, GetNormalWindowRect(window, &rect, &state));
    EXPECT_EQ(3, state);
    EXPECT_EQ(300, rect.right);
    EXPECT_EQ(200, rect.bottom);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_EQ(1, GetNormalWindowRect(window, &rect, &state));
    EXPECT_EQ(2, state);
    EXPECT_EQ(300, rect.right);
    EXPECT_EQ(0, GetNormalWindowRect(nullptr, &rect, &state));
    DestroyWindow(window);
}

TEST(AppInfoTest, HeapRoutines)
{
    AppInfo info;
    unsigned char* block = (unsigned char*)info.AllocFromHeap(4);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0, block[0] | block[1] | block[2] | block[3]);
    memset(block, 0xAB, 4);
    block = (unsigned char*)info.ReAllocFromHeap(block, 64);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0xAB, block[3]);
    EXPECT_EQ(0, block[4] | block[63]);
    info.FreeToHeap(block);
    info.FreeToHeap(nullptr);
    void* fresh = info.ReAllocFromHeap(nullptr, 8);
    ASSERT_NE(nullptr, fresh);
    info.FreeToHeap(fresh);
}

// Each settings-location test works in a fresh folder with a program folder and an application-data folder.
class IniPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-appinfo"));
        ASSERT_TRUE(CreateDirectoryA(Path("program").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(Path("appdata").c_str(), nullptr));
        program_ = Path("program") + "\\";
        missing_ = Path("missing") + "\\";
        appData_ = Path("appdata");
        user_ = UserName();
        ASSERT_FALSE(user_.empty());
    }

    std::string Path(const char* name) const { return temp_.Path(name); }

    int FileCount(const std::string& folder) const
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        int count = 0;
        if (find == INVALID_HANDLE_VALUE)
            return 0;
        do {
            if (strcmp(data.cFileName, ".") && strcmp(data.cFileName, ".."))
                count++;
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return count;
    }

    TempFolder temp_;
    std::string program_, missing_, appData_, user_;
};

TEST_F(IniPathTest, WritableProgramFolderHoldsTheFile)
{
    EXPECT_EQ(program_ + "Daylens-" + user_ + ".ini",
              TakeHeapText(ResolveIniPath(program_.c_str(), appData_.c_str(), "Daylens", 10, 1)));
    EXPECT_EQ(program_ + "Daylens.ini", TakeHeapText(ResolveIniPath(program_.c_str(), appData_.c_str(), "Daylens", 6, 0)));
    // The probe leaves nothing behind, and the fallback folder is not made.
    EXPECT_EQ(0, FileCount(program_));
    EXPECT_EQ(0, FileCount(appData_ + "\\"));
    // A folder given without its separator gets one.
    EXPECT_EQ(program_ + "Daylens.ini", TakeHeapText(ResolveIniPath(Path("program").c_str(), nullptr, "Daylens", 10, 0)));
}

TEST_F(IniPathTest, UnwritableProgramFolderMovesToTheUserFolderWithoutUserName)
{
    std::string expected = appData_ + "\\Velmora\\Daylens\\Daylens.ini";
    EXPECT_EQ(expected, TakeHeapText(ResolveIniPath(missing_.c_str(), appData_.c_str(), "Daylens", 10, 1)));
    EXPECT_TRUE(FolderExists((appData_ + "\\Velmora\\Daylens").c_str(), 0));
    // Existing folders are no failure.
    EXPECT_EQ(expected, TakeHeapText(ResolveIniPath(missing_.c_str(), appData_.c_str(), "Daylens", 6, 0)));
}

TEST_F(IniPathTest, OlderWindowsAndUnknownAppDataKeepTheProgramFolder)
{
    EXPECT_EQ(missing_ + "Daylens-" + user_ + ".ini",
              TakeHeapText(ResolveIniPath(missing_.c_str(), appData_.c_str(), "Daylens", 5, 1)));
    EXPECT_EQ(0, FileCount(appData_ + "\\"));
    EXPECT_EQ(missing_ + "Daylens-" + user_ + ".ini",
              TakeHeapText(ResolveIniPath(missing_.c_str(), nullptr, "Daylens", 10, 1)));
    EXPECT_EQ(missing_ + "Daylens.ini", TakeHeapText(ResolveIniPath(missing_.c_str(), "", "Daylens", 10, 0)));
}

TEST_F(IniPathTest, FirstAnswerIsKeptForTheRun)
{
    AppInfo info;
    ReplaceField(&info.ProgramDir, program_);
    ReplaceField(&info.AppDataDir, appData_);
    ReplaceField(&info.BaseName, "Daylens");
    const char* first = info.GetIniPath(1);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(program_ + "Daylens-" + user_ + ".ini", std::string(first));

    // No second probe: a folder that turned unwritable and another flag change nothing.
    ReplaceField(&info.ProgramDir, missing_);
    EXPECT_EQ(first, info.GetIniPath(0));
    EXPECT_EQ(program_ + "Daylens-" + user_ + ".ini", std::string(info.GetIniPath(0)));
    EXPECT_EQ(0, FileCount(appData_ + "\\"));
}

}  // namespace
