#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "FileUtil.h"
#include "TempFolder.h"
#include "Updater.h"

namespace {

std::string ReadText(const std::string& path)
{
    DWORD size = 0;
    return TakeHeapText(ReadWholeFile(path.c_str(), &size));
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// "表" ends in the byte 0x5C: it must reach the web path unchanged.
const char kPluginList[] = "PlugIn\\a.dll\0表\\b.txt\0";
const char kDataList[] = "Holiday.txt\0";

TEST(UpdateCommandsTest, LinesPerListAndFlags)
{
    const char* lists[] = {kPluginList, kDataList, nullptr};
    const char* bases[] = {"https://b.example/daylens", "https://c.example", nullptr};
    const char* program = "C:\\Program Files\\Daylens\\";
    const std::string downloads = "--download \"https://b.example/daylens/PlugIn/a.dll;C:\\Program Files\\Daylens\\"
                                  "PlugIn\\a.dll\"\n"
                                  "--download \"https://b.example/daylens/表/b.txt;C:\\Program Files\\Daylens\\"
                                  "表\\b.txt\"\n"
                                  "--download \"https://c.example/Holiday.txt;C:\\Program Files\\Daylens\\"
                                  "Holiday.txt\"\n";
    EXPECT_EQ(downloads + "--restart \"C:\\Program Files\\Daylens\\Daylens.exe\"\n--confirm\n",
              TakeHeapText(BuildUpdateCommands(lists, bases, program, "C:\\Program Files\\Daylens\\Daylens.exe", 1, 1)));
    EXPECT_EQ(downloads, TakeHeapText(BuildUpdateCommands(lists, bases, program, "x.exe", 0, 0)));

    const char* none[] = {nullptr};
    EXPECT_EQ("(null)", TakeHeapText(BuildUpdateCommands(none, bases, program, "x.exe", 1, 1)));
    EXPECT_EQ("(null)", TakeHeapText(BuildUpdateCommands(nullptr, bases, program, "x.exe", 1, 1)));
    EXPECT_EQ("(null)", TakeHeapText(BuildUpdateCommands(lists, nullptr, program, "x.exe", 1, 1)));
}

// A program folder (with a blank in its name, as under Program Files) holding the stand-in tool, which writes
// the arguments it was started with.
class UpdaterHandOffTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof(temp), temp));
        root_ = std::string(temp) + "daylens-updater-" + std::to_string(GetCurrentProcessId());
        program_ = root_ + "\\prog dir\\";
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(program_.c_str(), nullptr));
        ASSERT_TRUE(CopyFileA(FAKE_UPDATE_TOOL, (program_ + UPDATER_TOOL_NAME).c_str(), FALSE));
        ASSERT_EQ(0, IsUpdateFormatRegistered()) << "the test prefix must not know the command file type";

        place_ = {};
        strcpy(place_.ProgramDir, program_.c_str());
        strcpy(place_.UserDir, (root_ + "\\appdata\\Velmora\\Daylens\\").c_str());
        strcpy(place_.ExePath, (program_ + "Daylens.exe").c_str());
    }

    void TearDown() override
    {
        std::string from = root_ + '\0';
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        SHFileOperationA(&op);
    }

    int Start(const char* firstList)
    {
        const char* lists[] = {firstList, nullptr};
        const char* bases[] = {"https://b.example", nullptr};
        return StartUpdaterAt(&place_, nullptr, lists, bases, "Daylens.luf", 1, 0);
    }

    // The arguments the tool was started with (without the working folder it adds), waiting for it at most 20 s.
    std::string ToolArguments()
    {
        std::string path = program_ + "LxUpdate-args.txt";
        for (int i = 0; i < 400 && !Exists(path); i++)
            Sleep(50);
        std::string text = ReadText(path);
        return text.substr(0, text.find("folder="));
    }

    std::string root_;
    std::string program_;
    UpdaterPlace place_;
};

TEST_F(UpdaterHandOffTest, WritableProgramFolder)
{
    ASSERT_EQ(1, Start("PlugIn\\a.dll\0"));
    EXPECT_EQ("--download \"https://b.example/PlugIn/a.dll;" + program_ + "PlugIn\\a.dll\"\n--restart \"" + program_ +
                  "Daylens.exe\"\n",
              ReadText(program_ + "Daylens.luf"));
    EXPECT_EQ(program_ + "Daylens.luf\n", ToolArguments());
}

TEST_F(UpdaterHandOffTest, ReadOnlyProgramFolderUsesTheFileInTheUserFolder)
{
    place_.UseUserDir = 1;
    ASSERT_EQ(1, Start("PlugIn\\a.dll\0"));
    std::string written = std::string(place_.UserDir) + "Daylens.luf";
    EXPECT_TRUE(Exists(written));
    EXPECT_FALSE(Exists(program_ + "Daylens.luf"));
    // The downloads still go into the program folder.
    EXPECT_EQ("--download \"https://b.example/PlugIn/a.dll;" + program_ + "PlugIn\\a.dll\"\n--restart \"" + program_ +
                  "Daylens.exe\"\n",
              ReadText(written));
    EXPECT_EQ(written + "\n", ToolArguments());
}

TEST_F(UpdaterHandOffTest, NothingToFetchWritesNothing)
{
    const char* lists[] = {nullptr};
    const char* bases[] = {nullptr};
    EXPECT_EQ(0, StartUpdaterAt(&place_, nullptr, lists, bases, "Daylens.luf", 1, 1));
    EXPECT_FALSE(Exists(program_ + "Daylens.luf"));
}

}  // namespace
