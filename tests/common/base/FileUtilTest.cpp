#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "FileDialogs.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "TempFolder.h"

namespace {

SYSTEMTIME Date(int year, int month, int day)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    return st;
}

// Each test works in a fresh folder under the temporary folder, removed afterwards.
class FileUtilTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.Create("daylens-fileutil"));
    }

    std::string Path(const char* name) const { return temp_.Path(name); }

    void Write(const char* name, const char* text, SYSTEMTIME time = Date(2019, 4, 1))
    {
        ASSERT_EQ(1, WriteWholeFile(Path(name).c_str(), text, (DWORD)strlen(text), &time));
    }

    ULONGLONG WriteTime(const char* name) const
    {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        EXPECT_TRUE(GetFileAttributesExA(Path(name).c_str(), GetFileExInfoStandard, &data));
        return (ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32 | data.ftLastWriteTime.dwLowDateTime;
    }

    TempFolder temp_;
};

TEST_F(FileUtilTest, WholeFileRoundTrip)
{
    Write("memo.txt", "予定\r\nabc", Date(2019, 4, 1));
    DWORD size = 0;
    char* data = ReadWholeFile(Path("memo.txt").c_str(), &size);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(9u, size);
    EXPECT_STREQ("予定\r\nabc", data);
    EXPECT_EQ(size + 2, HeapSize(GetProcessHeap(), 0, data));
    HeapFree(GetProcessHeap(), 0, data);

    SYSTEMTIME st = Date(2019, 4, 1);
    FILETIME expected;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &expected));
    EXPECT_EQ((ULONGLONG)expected.dwHighDateTime << 32 | expected.dwLowDateTime, WriteTime("memo.txt"));

    Write("empty.txt", "");
    size = 77;
    EXPECT_EQ(nullptr, ReadWholeFile(Path("empty.txt").c_str(), &size));
    EXPECT_EQ(77u, size);
    // Deleting succeeds only when the read closed the file.
    EXPECT_TRUE(DeleteFileA(Path("empty.txt").c_str()));
    EXPECT_EQ(nullptr, ReadWholeFile(Path("missing.txt").c_str(), nullptr));
}

TEST_F(FileUtilTest, FolderTests)
{
    Write("file.txt", "x");
    EXPECT_EQ(1, FolderExists(temp_.Dir().c_str(), 0));
    EXPECT_EQ(0, FolderExists(Path("file.txt").c_str(), 0));
    // Q: does not exist: the drive-root flag answers without asking.
    EXPECT_EQ(1, FolderExists("Q:\\", 1));
    EXPECT_EQ(0, FolderExists("Q:", 0));

    EXPECT_EQ(1, IsWritableFolder(temp_.Dir().c_str(), 1));
    EXPECT_EQ(0, IsWritableFolder(Path("missing").c_str(), 0));
    EXPECT_EQ(1, IsUsableDriveFolder(temp_.Dir().c_str()));
    EXPECT_EQ(1, IsDriveRoot("c:\\"));
    EXPECT_EQ(0, IsDriveRoot("C:\\windows"));
}

TEST_F(FileUtilTest, CreateDirectoryTreeMakesMissingParents)
{
    std::string deep = Path("表\\b\\c");
    EXPECT_EQ(1, CreateDirectoryTree((deep + "\\ \r\n").c_str()));
    EXPECT_EQ(1, FolderExists(deep.c_str(), 0));
    EXPECT_EQ(0, CreateDirectoryTree(deep.c_str()));  // already there
}

TEST(FileUtilPathTest, GetParentFolderSkipsTrailBytes)
{
    char out[PARENT_FOLDER_SIZE];
    GetParentFolder("C:\\memo\\\\表", out);
    EXPECT_STREQ("C:\\memo", out);
    GetParentFolder("C:\\file", out);
    EXPECT_STREQ("C:", out);
    GetParentFolder("file", out);
    EXPECT_STREQ("", out);
}

TEST_F(FileUtilTest, SyncFileTimeGivesTheNewerFileTheOlderTimes)
{
    Write("a.txt", "a", Date(2018, 1, 2));
    Write("b.txt", "b", Date(2019, 3, 4));
    EXPECT_EQ(1, SyncFileTime(Path("a.txt").c_str(), Path("b.txt").c_str()));
    EXPECT_EQ(WriteTime("a.txt"), WriteTime("b.txt"));
    EXPECT_EQ(0, SyncFileTime(Path("a.txt").c_str(), Path("b.txt").c_str()));

    Write("a.txt", "a", Date(2020, 1, 1));
    EXPECT_EQ(1, SyncFileTime(Path("a.txt").c_str(), Path("b.txt").c_str()));
    EXPECT_NE(WriteTime("a.txt"), WriteTime("b.txt"));
    EXPECT_EQ(0, SyncFileTime(Path("a.txt").c_str(), Path("missing.txt").c_str()));
}

TEST(FileUtilModuleTest, ModulePathPartsReplaceOldTexts)
{
    char* path = nullptr;
    char* folder = nullptr;
    char* base = StrDupHeap("old");
    GetModulePathParts(&path, &folder, &base);
    ASSERT_TRUE(path && folder && base);
    EXPECT_EQ(0, lstrcmpiA(path, (std::string(folder) + base + ".exe").c_str()));
    EXPECT_EQ('\\', folder[strlen(folder) - 1]);
    HeapFree(GetProcessHeap(), 0, path);
    HeapFree(GetProcessHeap(), 0, folder);
    HeapFree(GetProcessHeap(), 0, base);
}

TEST(FileDialogsTest, DefaultExtensionComesFromTheFilter)
{
    char ext[16];
    const char filter[] = "CSV\0*.csv\0Pictures\0*.bmp;*.gif\0All\0*.*\0";
    EXPECT_EQ(1, FilterDefaultExt(filter, 1, ext, sizeof(ext)));
    EXPECT_STREQ("csv", ext);
    EXPECT_EQ(1, FilterDefaultExt(filter, 2, ext, sizeof(ext)));
    EXPECT_STREQ("bmp", ext);
    EXPECT_EQ(0, FilterDefaultExt(filter, 3, ext, sizeof(ext)));
    EXPECT_STREQ("", ext);
    EXPECT_EQ(0, FilterDefaultExt(filter, 4, ext, sizeof(ext)));
    EXPECT_EQ(0, FilterDefaultExt("Long\0*.abcdefghij\0", 1, ext, 4));
}

TEST(FileDialogsTest, SaveAcceptsNewFilesAndLeavesOverwriteToTheCaller)
{
    DWORD save = FileDialogFlags(1);
    EXPECT_EQ(0u, save & (OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT));
    EXPECT_NE(0u, save & OFN_PATHMUSTEXIST);
    EXPECT_NE(0u, FileDialogFlags(0) & OFN_FILEMUSTEXIST);
}

}  // namespace
