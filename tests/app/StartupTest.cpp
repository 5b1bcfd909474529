#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "EnvData.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "LibrarySearch.h"
#include "Program.h"
#include "SingleInstance.h"
#include "StartupRules.h"
#include "TempFolder.h"

namespace {

TEST(StartupRulesTest, SecondStartFollowsWordThenDoubleStart)
{
    struct DecisionCase {
        const char* commandLine;
        int otherRunning;
        int doubleStart;
        int want;
    };
    const DecisionCase cases[] = {
        // Alone, every word starts normally.
        {"", 0, 0, STARTUP_RUN},
        {"activate", 0, 1, STARTUP_RUN},
        {"confirm", 0, 0, STARTUP_RUN},
        {"restart", 0, 0, STARTUP_RUN},
        {"restart", 1, 2, STARTUP_WAIT},
        {"confirm", 1, 2, STARTUP_CONFIRM},
        {"force", 1, 0, STARTUP_RUN},
        {"walldown", 1, 0, STARTUP_RUN},
        {"wallrestore", 1, 1, STARTUP_RUN},
        {"activate", 1, 2, STARTUP_ACTIVATE},
        {"", 1, 0, STARTUP_ACTIVATE_SHOW},
        {"", 1, 1, STARTUP_ACTIVATE},
        {"", 1, 2, STARTUP_RUN},
        {"", 1, 3, STARTUP_ACTIVATE_SHOW},
        // Words are compared whole and case-sensitively.
        {"Force", 1, 1, STARTUP_ACTIVATE},
        {"force ", 1, 0, STARTUP_ACTIVATE_SHOW},
        {"restart now", 1, 2, STARTUP_RUN},
        {nullptr, 1, 1, STARTUP_ACTIVATE},
    };
    for (const DecisionCase& c : cases) {
        EXPECT_EQ(c.want, DecideStartup(c.commandLine, c.otherRunning, c.doubleStart))
            << (c.commandLine ? c.commandLine : "(null)") << " running " << c.otherRunning << " DoubleStart "
            << c.doubleStart;
    }
}

TEST(StartupRulesTest, WordsAndFlags)
{
    EXPECT_EQ(1, WallpaperModeFromCommandLine("walldown"));
    EXPECT_EQ(2, WallpaperModeFromCommandLine("wallrestore"));
    EXPECT_EQ(0, WallpaperModeFromCommandLine("WallDown"));
    EXPECT_EQ(0, WallpaperModeFromCommandLine(nullptr));
    for (const char* english : {"English", "english", "Eng", "eng"})
        EXPECT_EQ(1, IsEnglishLanguage(english)) << english;
    for (const char* other : std::initializer_list<const char*>{"ENGLISH", "Japanese", "Englis", "English ", "", nullptr})
        EXPECT_EQ(0, IsEnglishLanguage(other)) << (other ? other : "(null)");
    EXPECT_EQ(201, AcceleratorTableId(1, 1));
    EXPECT_EQ(202, AcceleratorTableId(1, 0));
    EXPECT_EQ(203, AcceleratorTableId(0, 1));
    EXPECT_EQ(204, AcceleratorTableId(0, 0));
    EXPECT_EQ(204, AcceleratorTableId(2, 2));
}

TEST(StartupRulesTest, LastShownMonthOnlyWithDisplayStartSixAndAValidMonth)
{
    struct MonthCase {
        int displayStart, year, month;
        int wantYear, wantMonth;
    };
    const MonthCase cases[] = {
        {6, 2018, 11, 2018, 11},
        {5, 2018, 11, 2024, 3},
        {6, 0, 11, 2024, 3},
        {6, 2018, 0, 2024, 3},
        {6, 2018, 13, 2024, 3},
    };
    for (const MonthCase& c : cases) {
        EnvData env;
        env.ShownMonth.wYear = 2024;
        env.ShownMonth.wMonth = 3;
        env.DisplayStart = (BYTE)c.displayStart;
        env.DisplayPreYear = c.year;
        env.DisplayPreMonth = c.month;
        ApplyStartMonth(&env);
        EXPECT_EQ(c.wantYear, env.ShownMonth.wYear) << c.displayStart << " " << c.year << "/" << c.month;
        EXPECT_EQ(c.wantMonth, env.ShownMonth.wMonth) << c.displayStart << " " << c.year << "/" << c.month;
    }
}

TEST(StartupRulesTest, OwnHolidayFileIsPerUserOnlyWhenAskedAndNamed)
{
    struct PathCase {
        int individual;
        const char* user;
        const char* want;
    };
    const PathCase cases[] = {
        {0, "taro", "C:\\Cal\\MyHoliday.txt"},
        {1, "taro", "C:\\Cal\\MyHoliday-taro.txt"},
        {1, "", "C:\\Cal\\MyHoliday.txt"},
        {1, nullptr, "C:\\Cal\\MyHoliday.txt"},
    };
    for (const PathCase& c : cases) {
        char* path = FormatMyHolidayPath("C:\\Cal\\", c.individual, c.user);
        ASSERT_NE(nullptr, path);
        EXPECT_STREQ(c.want, path);
        HeapFree(GetProcessHeap(), 0, path);
    }
}

// The delayed start's wait in milliseconds does not wrap for long times.
TEST(StartupRulesTest, DelayedStartWaitsInSixtyFourBits)
{
    EXPECT_EQ(5000000u, DelayedStartWait(5000));
    EXPECT_EQ(0u, DelayedStartWait(0));
    EXPECT_EQ(0u, DelayedStartWait(-3));
    EXPECT_EQ(4294967000u, DelayedStartWait(4294967));
    EXPECT_EQ((DWORD)INFINITE - 1, DelayedStartWait(4294968));
    EXPECT_EQ((DWORD)INFINITE - 1, DelayedStartWait(0x7FFFFFFF));
}

TEST(LanguageModuleSearchTest, FoldersInOrder)
{
    std::vector<std::string> tries;
    char path[MAX_PATH];
    for (int i = 0; FormatLibrarySearchPath("x.dll", i, path, sizeof(path)); i++)
        tries.push_back(path);
    EXPECT_EQ((std::vector<std::string>{"x.dll", ".\\PlugIn\\x.dll", ".\\DLL\\x.dll", "..\\x.dll"}), tries);
    char small[8];
    EXPECT_EQ(0, FormatLibrarySearchPath("long-name.dll", 0, small, sizeof(small)));
}

// The language module copied under another name into "<temp>\DLL" is found from the current folder.
TEST(LanguageModuleSearchTest, LoadsFromTheDllSubfolderOfTheCurrentFolder)
{
    char temp[MAX_PATH], root[MAX_PATH], dll[MAX_PATH], saved[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    snprintf(root, sizeof(root), "%sdaylens-search-%lu", temp, GetCurrentProcessId());
    snprintf(dll, sizeof(dll), "%s\\DLL", root);
    ASSERT_TRUE(CreateDirectoryA(root, nullptr));
    ASSERT_TRUE(CreateDirectoryA(dll, nullptr));
    std::string target = std::string(dll) + "\\SearchProbe.dll";
    ASSERT_TRUE(CopyFileA(DAYLENS_DIST_DIR "\\Daylens.Jpn.dll", target.c_str(), FALSE));
    GetCurrentDirectoryA(sizeof(saved), saved);
    SetCurrentDirectoryA(root);

    EXPECT_EQ(nullptr, LoadLibrarySearch("NoSuchProbe.dll"));
    HMODULE module = LoadLibrarySearch("SearchProbe.dll");
    EXPECT_NE(nullptr, module);
    EXPECT_NE(nullptr, GetProcAddress(module, "EnvInitialize"));

    SetCurrentDirectoryA(saved);
    if (module)
        FreeLibrary(module);
    DeleteFileA(target.c_str());
    RemoveDirectoryA(dll);
    std::string plugIn = std::string(root) + "\\PlugIn";
    RemoveDirectoryA(plugIn.c_str());
    RemoveDirectoryA(root);
}

// Reading the settings again (after the settings dialog, say) gives the keyboard table of the arrow-key options
// just read, not the one of the start.
TEST(ProgramSettingsTest, ReadingTheSettingsAgainRebuildsTheKeyboardTable)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("daylens-keys"));
    std::string ini = folder.Path("Daylens.ini");
    std::string dir = folder.Dir() + "\\";
    EnvData env;
    PlugInSlot slots[PLUGIN_SLOT_COUNT] = {};
    COLORREF colors[CUSTOM_COLOR_COUNT] = {};
    env.PlugInSlots = slots;
    env.CustomColors = colors;
    env.UserMarks = (UserMark*)AllocZeroed(USER_STYLE_MIN * sizeof(UserMark));
    env.UserStyleMax = USER_STYLE_MIN;
    g_program.Instance = GetModuleHandleA(nullptr);
    g_program.Env = &env;
    g_program.Settings = {ini.c_str(), "Daylens", dir.c_str(), {0, 0, 1920, 1080}, nullptr, nullptr};

    const struct {
        const char* keys;
        int entries;  // of the keyboard table
    } reads[] = {{"MoveWithKeyUD=1\r\nMoveWithKeyRL=1\r\n", 5}, {"MoveWithKeyUD=0\r\nMoveWithKeyRL=0\r\n", 1},
                 {"MoveWithKeyUD=1\r\nMoveWithKeyRL=0\r\n", 3}};
    for (const auto& read : reads) {
        std::string text = std::string("[Daylens00]\r\nVersion=1.20.01\r\n[Daylens01]\r\n") + read.keys;
        ASSERT_EQ(1, WriteWholeFile(ini.c_str(), text.data(), (DWORD)text.size(), nullptr));
        ReadProgramSettings(nullptr);
        ASSERT_NE(nullptr, g_program.Accelerators) << read.keys;
        EXPECT_EQ(read.entries, CopyAcceleratorTableA(g_program.Accelerators, nullptr, 0)) << read.keys;
    }
    DestroyAcceleratorTable(g_program.Accelerators);
    g_program.Accelerators = nullptr;
    g_program.Env = nullptr;
    g_program.Settings = {};
}

struct WaitArgs {
    char name[64];
    HANDLE mutex;
};

DWORD WINAPI WaitThread(void* param)
{
    WaitArgs* args = static_cast<WaitArgs*>(param);
    args->mutex = WaitForSingleInstanceMutex(args->name, 20);
    return 0;
}

// A restart waits while the old instance holds the name and takes it once it is gone; the waiter must not keep
// the name alive with its own handles.
TEST(SingleInstanceWaitTest, RestartTakesTheNameWhenTheOldInstanceEnds)
{
    static WaitArgs args;  // outlives a waiter that never ends
    snprintf(args.name, sizeof(args.name), "Daylens-wait-test-%lu", GetCurrentProcessId());
    HANDLE old = nullptr;
    ASSERT_EQ(SINGLE_INSTANCE_TAKEN, CreateSingleInstanceMutex(args.name, &old));
    HANDLE thread = CreateThread(nullptr, 0, WaitThread, &args, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(thread, 200));
    CloseSingleInstanceMutex(old);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    CloseHandle(thread);
    ASSERT_NE(nullptr, args.mutex);
    HANDLE again = nullptr;
    EXPECT_EQ(SINGLE_INSTANCE_OTHER, CreateSingleInstanceMutex(args.name, &again));
    CloseSingleInstanceMutex(args.mutex);
}

// The program is started again with the word "restart", in its own folder.
TEST(RestartTest, StartsTheProgramAgainWithTheWordInItsFolder)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("restart"));
    std::string program = folder.Path("Daylens.exe");
    ASSERT_TRUE(CopyFileA(START_PROBE, program.c_str(), FALSE));
    ASSERT_EQ(1, StartProgramAgain(program.c_str(), (folder.Dir() + "\\").c_str()));
    std::string record = folder.Path("Daylens-args.txt");
    for (int i = 0; i < 400 && !FileExists(record.c_str()); i++)
        Sleep(50);
    DWORD size = 0;
    std::string text = TakeHeapText(ReadWholeFile(record.c_str(), &size));
    EXPECT_EQ("restart\nfolder=" + folder.Dir() + "\n", text);
}

}  // namespace
