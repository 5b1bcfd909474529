// The durable save puts a whole new content in place or leaves the old file byte for byte, and leaves no
// temporary file behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "DurableSave.h"
#include "FileUtil.h"
#include "TempFolder.h"

namespace {

std::string Content(const std::string& path)
{
    DWORD size = 0;
    return TakeHeapText(ReadWholeFile(path.c_str(), &size));
}

int Leftovers(const TempFolder& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(folder.Path("*" DURABLE_SAVE_SUFFIX).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        count++;
    while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

class DurableSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("daylens-durable"));
        path_ = folder_.Path("Daylens.ini");
    }

    TempFolder folder_;
    std::string path_;
};

TEST_F(DurableSaveTest, CreatesAndReplacesWholeAndKeepsHiddenFilesHidden)
{
    ASSERT_EQ(1, SaveFileDurably(path_.c_str(), "first", 5));
    EXPECT_EQ("first", Content(path_));
    ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(1, SaveFileDurably(path_.c_str(), "second, longer", 14));
    EXPECT_EQ("second, longer", Content(path_));
    EXPECT_TRUE(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(0, Leftovers(folder_));
}

TEST_F(DurableSaveTest, AFailedReplaceKeepsTheOldFileAndTellsWhy)
{
    ASSERT_EQ(1, SaveFileDurably(path_.c_str(), "old content", 11));
    // Held open without sharing, the file cannot be replaced.
    HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, SaveFileDurably(path_.c_str(), "new", 3));
    EXPECT_NE((DWORD)ERROR_SUCCESS, GetLastError());
    CloseHandle(held);
    EXPECT_EQ("old content", Content(path_));
    EXPECT_EQ(0, Leftovers(folder_));

    // A read-only file and a missing folder are failures too.
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, SaveFileDurably(path_.c_str(), "new", 3));
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("old content", Content(path_));
    EXPECT_EQ(0, SaveFileDurably(folder_.Path("missing\\x.txt").c_str(), "new", 3));
}

// Many new files are saved with their temporary files in a save folder beside them: each is put in place whole and
// never over a file there, and the folder goes when the saves are done.
TEST_F(DurableSaveTest, NewFilesSavedThroughASaveFolderAreMadeOnlyWhereNoneIs)
{
    char* saves = CreateSaveFolder(folder_.Dir().c_str());
    ASSERT_NE(nullptr, saves);
    EXPECT_TRUE(GetFileAttributesA(saves) & FILE_ATTRIBUTE_DIRECTORY);
    std::string made = folder_.Path("20260501.txt");
    ASSERT_EQ(1, SaveNewFileDurablyVia(made.c_str(), "new day", 7, saves));
    EXPECT_EQ("new day", Content(made));
    ASSERT_EQ(1, SaveFileDurably(path_.c_str(), "old content", 11));
    EXPECT_EQ(0, SaveNewFileDurablyVia(path_.c_str(), "new", 3, saves));
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
    EXPECT_EQ("old content", Content(path_));
    std::string savesPath = saves;
    RemoveSaveFolder(saves);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(savesPath.c_str()));
    EXPECT_EQ(0, Leftovers(folder_));
}

TEST_F(DurableSaveTest, DeleteIsCheckedAndLeftoversOfEndedRunsAreRemoved)
{
    ASSERT_EQ(1, SaveFileDurably(path_.c_str(), "x", 1));
    EXPECT_EQ(1, DeleteFileChecked(path_.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path_.c_str()));
    EXPECT_EQ(1, DeleteFileChecked(path_.c_str())) << "nothing there is nothing left";

    // A save killed before its rename left its temporary file; a process number that runs no more names it, or
    // ours, which the killed run had before us (an older build named no run).
    std::string ended = folder_.Path("202612.txt.fffffff0-1" DURABLE_SAVE_SUFFIX);
    char reused[64], reusedOld[64];
    snprintf(reused, sizeof(reused), "202612.txt.%lx-1-1" DURABLE_SAVE_SUFFIX, GetCurrentProcessId());
    snprintf(reusedOld, sizeof(reusedOld), "202612.txt.%lx-1" DURABLE_SAVE_SUFFIX, GetCurrentProcessId());
    char* name = DurableSaveTempName(folder_.Path("202612.txt").c_str(), nullptr);
    std::string own = name;
    HeapFree(GetProcessHeap(), 0, name);
    for (const std::string& leftover : {ended, folder_.Path(reused), folder_.Path(reusedOld), own})
        ASSERT_EQ(1, WriteWholeFile(leftover.c_str(), "part", 4, nullptr));
    ASSERT_EQ(1, WriteWholeFile(folder_.Path("keep.txt").c_str(), "memo", 4, nullptr));
    // A killed import left its save folder with a temporary file in it.
    std::string endedFolder = folder_.Path("saves.fffffff0-2" DURABLE_SAVE_SUFFIX);
    ASSERT_TRUE(CreateDirectoryA(endedFolder.c_str(), nullptr));
    ASSERT_EQ(1, WriteWholeFile((endedFolder + "\\20260501.txt.fffffff0-3" DURABLE_SAVE_SUFFIX).c_str(), "p", 1,
                                nullptr));
    EXPECT_EQ(4, RemoveLeftoverSaves(folder_.Dir().c_str()));
    for (const std::string& leftover : {ended, folder_.Path(reused), folder_.Path(reusedOld), endedFolder})
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(leftover.c_str())) << leftover;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(own.c_str())) << "a save of this run";
    EXPECT_EQ("memo", Content(folder_.Path("keep.txt")));
}

// Files that hold the names the next saves would take, as the leftovers of a killed run with our process number
// did, neither make a save fail nor are taken for its file.
TEST_F(DurableSaveTest, SavesPassOverNamesThatLeftoversHold)
{
    char* probe = DurableSaveTempName(path_.c_str(), nullptr);
    ASSERT_NE(nullptr, probe);
    const char* dash = strrchr(probe, '-');
    std::string stem(probe, (size_t)(dash + 1 - probe));
    unsigned long next = strtoul(dash + 1, nullptr, 16) + 1;
    HeapFree(GetProcessHeap(), 0, probe);
    // Made directly: a save of their own would take those names first.
    for (unsigned long n = next; n < next + 4; n++) {
        char number[16];
        snprintf(number, sizeof(number), "%lx", n);
        HANDLE file = CreateFileA((stem + number + DURABLE_SAVE_SUFFIX).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        CloseHandle(file);
    }
    ASSERT_EQ(1, SaveFileDurably(path_.c_str(), "whole", 5));
    EXPECT_EQ("whole", Content(path_));
    std::string made = folder_.Path("made.txt");
    ASSERT_EQ(1, SaveNewFileDurablyVia(made.c_str(), "new", 3, nullptr));
    EXPECT_EQ("new", Content(made));
    EXPECT_EQ(4, Leftovers(folder_));
}

}  // namespace
