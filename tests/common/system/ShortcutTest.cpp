#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "FileType.h"
#include "Shortcut.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kAppName[] = "Daylens";
const char kDescription[] = "透明なカレンダー Daylens";

// Redirects the user's Startup folder to a fresh temporary folder (as a folder redirection does), so that the
// tests never touch the real one; the old setting comes back afterwards.
class StartupShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof(temp), temp));
        folder_ = std::string(temp) + "daylens-startup-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0,
                                                 KEY_READ | KEY_WRITE, nullptr, &key_, nullptr));
        DWORD size = sizeof(saved_);
        hadValue_ = RegQueryValueExA(key_, "Startup", nullptr, &savedType_, (BYTE*)saved_, &size) == ERROR_SUCCESS;
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key_, "Startup", 0, REG_SZ, (const BYTE*)folder_.c_str(),
                                                (DWORD)folder_.size() + 1));
        CoInitialize(nullptr);
    }

    void TearDown() override
    {
        CoUninitialize();
        if (key_) {
            if (hadValue_)
                RegSetValueExA(key_, "Startup", 0, savedType_, (const BYTE*)saved_, (DWORD)strlen(saved_) + 1);
            else
                RegDeleteValueA(key_, "Startup");
            RegCloseKey(key_);
        }
        std::string from = folder_ + '\0';
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        SHFileOperationA(&op);
    }

    int FileCount() const
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder_ + "\\*.lnk").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return 0;
        int count = 0;
        do
            count++;
        while (FindNextFileA(find, &data));
        FindClose(find);
        return count;
    }

    std::string Description(const std::string& path) const
    {
        IShellLinkA* link = nullptr;
        IPersistFile* file = nullptr;
        WCHAR wide[MAX_PATH];
        char text[INFOTIPSIZE] = "";
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       (void**)&link))) {
            if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
                if (SUCCEEDED(file->Load(wide, STGM_READ)))
                    link->GetDescription(text, sizeof(text));
                file->Release();
            }
            link->Release();
        }
        return text;
    }

    std::string folder_;
    HKEY key_ = nullptr;
    bool hadValue_ = false;
    DWORD savedType_ = REG_SZ;
    char saved_[MAX_PATH * 2] = "";
};

TEST_F(StartupShortcutTest, CreatedUnderTheProgramNameAndDeletedByIt)
{
    char found[MAX_PATH];
    ASSERT_EQ(1, GetSpecialFolderPath(nullptr, found, CSIDL_STARTUP));
    ASSERT_EQ(0, lstrcmpiA(folder_.c_str(), found)) << "Startup is not redirected";

    char program[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, program, sizeof(program)));
    EXPECT_EQ(1, CreateStartupShortcut(kAppName, kDescription, "C:\\"));
    EXPECT_EQ(1, CreateStartupShortcutArgs(kAppName, kDescription, "/tray", "C:\\"));
    EXPECT_EQ(1, FileCount()) << "the second shortcut replaces the first";

    std::string path = folder_ + "\\" + kAppName + ".lnk";
    char target[MAX_PATH] = "", arguments[MAX_PATH] = "", working[MAX_PATH] = "";
    int show = 0;
    ASSERT_HRESULT_SUCCEEDED(
        ReadShortcut(path.c_str(), target, arguments, working, &show, nullptr, nullptr, MAX_PATH, nullptr));
    EXPECT_EQ(0, lstrcmpiA(program, target));
    EXPECT_STREQ("/tray", arguments);
    EXPECT_STREQ("C:\\", working);
    EXPECT_EQ(SW_SHOWNORMAL, show);
    EXPECT_EQ(kDescription, Description(path));

    EXPECT_EQ(1, DeleteStartupShortcut(kAppName));
    EXPECT_EQ(0, FileCount());
    EXPECT_EQ(0, DeleteStartupShortcut(kAppName));
    EXPECT_EQ(0, CreateStartupShortcut("", kDescription, "C:\\"));
    EXPECT_EQ(0, CreateStartupShortcut(nullptr, kDescription, "C:\\"));
    EXPECT_EQ(0, FileCount());
}

TEST(FileTypeTest, RegisterAndRemove)
{
    const char type[] = "DaylensTestFormat";
    const char extension[] = ".daylenstest";
    UnregisterFileType(type, extension);  // left over from an interrupted run
    ASSERT_EQ(0, IsFileTypeRegistered(type, extension));
    const char tool[] = "C:\\Tools\\tool.exe";
    ASSERT_EQ(1, RegisterFileType(type, "Test file", "開く", tool, extension, tool, 2));
    EXPECT_EQ(1, IsFileTypeRegistered(type, extension));

    char command[MAX_PATH] = "";
    LONG size = sizeof(command);
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueA(HKEY_CURRENT_USER, "Software\\Classes\\DaylensTestFormat\\shell\\open\\command",
                             command, &size));
    EXPECT_STREQ("\"C:\\Tools\\tool.exe\" \"%1\"", command);

    EXPECT_EQ(1, UnregisterFileType(type, extension));
    EXPECT_EQ(0, IsFileTypeRegistered(type, extension));
    EXPECT_EQ(0, UnregisterFileType(type, extension));
}

}  // namespace
