// The language module's set-up: identity, plug-in folder and where each icon
// comes from, run against temporary program folders.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppInfo.h"
#include "EngineMain.h"
#include "FileUtil.h"
#include "MemoryBitmap.h"
#include "TempFolder.h"

namespace {

// The icon drawn on white, pixel by pixel.
std::vector<DWORD> IconPixels(HICON icon, int size)
{
    std::vector<DWORD> pixels(size * size, 0);
    MemoryBitmap canvas(size, size, RGB(255, 255, 255));
    if (!icon || !canvas.Valid())
        return pixels;
    DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    memcpy(pixels.data(), canvas.Bits(), pixels.size() * sizeof(DWORD));
    return pixels;
}

HICON FileIcon(const std::string& path, int size)
{
    return static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

class EngineStartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources = LoadLibraryExA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll", nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(resources, nullptr);
        ASSERT_TRUE(temp.Create("daylens-engine"));
        folder = temp.Dir() + "\\";
    }

    void TearDown() override
    {
        ReleaseEngine();
        temp.Remove();
        FreeLibrary(resources);
    }

    void CopyIcon(const char* from, const char* to)
    {
        CreateDirectoryA((folder + "Icon").c_str(), nullptr);
        std::string target = folder + "Icon\\" + to + ".ico";
        ASSERT_TRUE(CopyFileA((std::string(DAYLENS_DIST_DIR "/Icon/") + from + ".ico").c_str(),
                              target.c_str(), FALSE));
    }

    HICON ResourceIcon(UINT id, int size)
    {
        return static_cast<HICON>(LoadImageA(resources, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    }

    HMODULE resources = nullptr;
    TempFolder temp;
    std::string folder;  // with a trailing backslash, as the engine takes it
};

TEST_F(EngineStartUp, GivesItsAppInfoTheProgramsIdentityAndCreatesThePlugInFolder)
{
    SetUpEngine(resources, folder.c_str());
    AppInfo* info = EngineAppInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->GetAppName(), "Daylens");
    EXPECT_STREQ(info->GetDescription(), "透明なカレンダー Daylens");
    EXPECT_STREQ(info->GetWindowClassName(), "Velmora Daylens");
    EXPECT_STREQ(info->GetVersionText(), "Version 1.20.01");
    EXPECT_STREQ(info->GetReleaseDate(), "04/01/2019");
    EXPECT_EQ(std::string(EnginePlugInDir()), folder + "PlugIn");
    EXPECT_TRUE(FolderExists((folder + "PlugIn").c_str(), 0));
    EXPECT_EQ(EngineInstance(), resources);
}

TEST_F(EngineStartUp, WithoutAnIconFolderTheProgramIconsComeFromTheResources)
{
    SetUpEngine(resources, folder.c_str());
    EXPECT_EQ(IconPixels(EngineIcon(PROGRAM_ICON_LARGE), 32), IconPixels(ResourceIcon(10, 32), 32));
    EXPECT_EQ(IconPixels(EngineIcon(PROGRAM_ICON_SMALL), 16), IconPixels(ResourceIcon(11, 16), 16));
    EXPECT_EQ(IconPixels(EngineIcon(PROGRAM_ICON_BLINK_A), 16), IconPixels(ResourceIcon(12, 16), 16));
    EXPECT_EQ(IconPixels(EngineIcon(PROGRAM_ICON_BLINK_B), 16), IconPixels(ResourceIcon(13, 16), 16));
    for (int month = 0; month < 12; month++)
        EXPECT_EQ(EngineIcon(PROGRAM_ICON_MONTH_FIRST + month), nullptr);
}

TEST_F(EngineStartUp, IconFilesOfTheProgramFolderComeFirst)
{
    // A month picture stands in for the program icon, so that file and resource differ.
    CopyIcon("Daylens05", "Daylens00");
    CopyIcon("Daylens07", "Daylens03");
    SetUpEngine(resources, folder.c_str());
    std::string file = folder + "Icon\\Daylens00.ico";
    std::vector<DWORD> large = IconPixels(EngineIcon(PROGRAM_ICON_LARGE), 32);
    EXPECT_EQ(large, IconPixels(FileIcon(file, 32), 32));
    EXPECT_NE(large, IconPixels(ResourceIcon(10, 32), 32));
    // Only Daylens00.ico: the small icon is taken from it too.
    EXPECT_EQ(IconPixels(EngineIcon(PROGRAM_ICON_SMALL), 16), IconPixels(FileIcon(file, 16), 16));
    EXPECT_NE(EngineIcon(PROGRAM_ICON_MONTH_FIRST + 2), nullptr);
    EXPECT_EQ(EngineIcon(PROGRAM_ICON_MONTH_FIRST + 3), nullptr);
}

}  // namespace

namespace {

TEST(EngineModule, LoadedNormallyItHandsOutItsOwnHandle)
{
    HMODULE module = LoadLibraryA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll");
    ASSERT_NE(module, nullptr);
    typedef HINSTANCE (*GetInstanceFn)(void);
    GetInstanceFn getInstance = reinterpret_cast<GetInstanceFn>(GetProcAddress(module, "GetInstance"));
    ASSERT_NE(getInstance, nullptr);
    EXPECT_EQ(getInstance(), module);
    FreeLibrary(module);
}

}  // namespace
