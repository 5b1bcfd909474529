// The built popup view loaded and unloaded without a call, as the plug-in information dialog does to read its
// version: nothing of it runs under the loader's lock, so the settings file stays as it was, older section and all.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "AppInfo.h"
#include "FileUtil.h"
#include "PlugInModule.h"

namespace {

const char kPlugIn[] = DAYLENS_DIST_DIR "\\PlugIn\\DaylensPopupView.dll";

std::string FileText(const std::string& path)
{
    DWORD size = 0;
    char* text = ReadWholeFile(path.c_str(), &size);
    std::string copy = text ? std::string(text, size) : std::string();
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return copy;
}

TEST(PopupViewLoadTest, LoadingForTheVersionLeavesTheSettingsFileAlone)
{
    AppInfo info;
    std::string ini = info.GetIniPath(1);
    const std::string text = "[DaylensPopupViewDLL]\r\nFrameWidth=7\r\n";
    ASSERT_TRUE(WriteWholeFile(ini.c_str(), text.data(), (DWORD)text.size(), nullptr));
    HMODULE dll = LoadLibraryA(kPlugIn);
    ASSERT_NE(nullptr, dll);
    EXPECT_EQ(107, FindExport(dll, PlugInModule::kGetMajorVersion)());
    EXPECT_EQ(1, FindExport(dll, PlugInModule::kLxClose)());
    FreeLibrary(dll);
    EXPECT_EQ(nullptr, GetModuleHandleA("DaylensPopupView.dll"));
    EXPECT_EQ(text, FileText(ini));
    DeleteFileA(ini.c_str());
}

}  // namespace
