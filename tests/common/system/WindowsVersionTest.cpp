#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "WindowsVersion.h"

namespace {

struct KindCase {
    DWORD major;
    DWORD minor;
    DWORD platformId;
    DWORD suiteMask;
    int hasProductType;
    DWORD productType;
    int kind;
};

const DWORD kNt = VER_PLATFORM_WIN32_NT;
const DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;

const KindCase kKindCases[] = {
    {3, 51, kNt, 0, 0, 0, 4},
    {4, 0, kNt, 0, 0, 0, 5},
    {4, 0, k9x, 0, 0, 0, 1},
    {4, 10, k9x, 0, 0, 0, 2},
    {4, 90, k9x, 0, 0, 0, 3},
    {4, 3, k9x, 0, 0, 0, 0},
    {5, 0, kNt, 0, 0, 0, 6},
    {5, 1, kNt, VER_SUITE_PERSONAL | VER_SUITE_SINGLEUSERTS, 0, 0, 7},
    {5, 1, kNt, VER_SUITE_SINGLEUSERTS, 0, 0, 8},
    {5, 2, kNt, 0, 0, 0, 9},
    {5, 3, kNt, 0, 0, 0, 0},
    // Vista editions.
    {6, 0, kNt, 0, 1, 1, 12},
    {6, 0, kNt, 0, 1, 2, 15},
    {6, 0, kNt, 0, 1, 3, 14},
    {6, 0, kNt, 0, 1, 4, 11},
    {6, 0, kNt, 0, 1, 6, 13},
    {6, 0, kNt, 0, 1, 48, 16},
    {6, 0, kNt, 0, 0, 0, 16},
    // Windows 7 editions.
    {6, 1, kNt, 0, 1, 1, 18},
    {6, 1, kNt, 0, 1, 3, 20},
    {6, 1, kNt, 0, 1, 4, 17},
    {6, 1, kNt, 0, 1, 11, 21},
    {6, 1, kNt, 0, 1, 48, 19},
    {6, 1, kNt, 0, 1, 2, 22},
    {6, 1, kNt, 0, 0, 0, 22},
    // Windows 8 and 8.1.
    {6, 2, kNt, 0, 1, 48, 23},
    {6, 2, kNt, 0, 1, 103, 24},
    {6, 2, kNt, 0, 1, 4, 25},
    {6, 2, kNt, 0, 0, 0, 0},
    {6, 3, kNt, 0, 1, 48, 26},
    {6, 3, kNt, 0, 1, 103, 27},
    {6, 3, kNt, 0, 1, 1, 28},
    {6, 4, kNt, 0, 1, 48, 0},
    // Windows 10: only Enterprise and Professional are told apart; everything else is Home.
    {10, 0, kNt, 0, 1, 4, 29},
    {10, 0, kNt, 0, 1, 48, 31},
    {10, 0, kNt, 0, 1, 101, 30},
    {10, 0, kNt, 0, 1, 0, 30},
    {10, 0, kNt, 0, 0, 48, 30},
    {11, 0, kNt, 0, 1, 48, 0},
    {0, 0, 0, 0, 0, 0, 0},
};

TEST(WindowsVersionTest, KindFromVersionNumbersAndProductTypes)
{
    for (const KindCase& c : kKindCases) {
        EXPECT_EQ(c.kind, WindowsKindFromVersion(c.major, c.minor, c.platformId, c.suiteMask, c.hasProductType,
                                                 c.productType))
            << c.major << "." << c.minor << " platform " << c.platformId << " suite " << c.suiteMask << " type "
            << (c.hasProductType ? (long)c.productType : -1L);
    }
}

TEST(WindowsVersionTest, EveryKindHasItsOwnName)
{
    std::set<std::string> names;
    for (int kind = 1; kind <= WINDOWS_KIND_MAX; kind++) {
        std::string name = WindowsKindName(kind);
        EXPECT_EQ(0u, name.find("Windows ")) << kind;
        names.insert(name);
    }
    EXPECT_EQ((size_t)WINDOWS_KIND_MAX, names.size());
    EXPECT_STREQ("Windows 95", WindowsKindName(1));
    EXPECT_STREQ("Windows XP Home Edition", WindowsKindName(7));
    EXPECT_STREQ("Windows 2008", WindowsKindName(10));
    EXPECT_STREQ("Windows 8.1 with Media Center", WindowsKindName(27));
    EXPECT_STREQ("Windows 10 Home", WindowsKindName(30));
    EXPECT_STREQ("Windows 10 Professional", WindowsKindName(31));
    EXPECT_STREQ("", WindowsKindName(0));
    EXPECT_STREQ("", WindowsKindName(-1));
    EXPECT_STREQ("", WindowsKindName(WINDOWS_KIND_MAX + 1));
}

TEST(WindowsVersionTest, SimpleDetectionKnowsOnlyVistaToEightAndTen)
{
    EXPECT_EQ(12, WindowsKindSimpleFromVersion(6, 0, 1, 1));
    EXPECT_EQ(19, WindowsKindSimpleFromVersion(6, 1, 1, 48));
    EXPECT_EQ(24, WindowsKindSimpleFromVersion(6, 2, 1, 103));
    EXPECT_EQ(22, WindowsKindSimpleFromVersion(6, 1, 0, 0));
    EXPECT_EQ(0, WindowsKindSimpleFromVersion(6, 3, 1, 48));
    EXPECT_EQ(30, WindowsKindSimpleFromVersion(10, 0, 1, 48));
    EXPECT_EQ(0, WindowsKindSimpleFromVersion(5, 1, 0, 0));
}

typedef LONG(WINAPI* RtlGetVersionProc)(OSVERSIONINFOEXW*);

// The record must carry what the wide RtlGetVersion record says, the service-pack text converted, not overrun.
TEST(WindowsVersionTest, VersionRecordCopiesTheWideRecord)
{
    RtlGetVersionProc rtlGetVersion =
        (RtlGetVersionProc)GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
    ASSERT_NE(nullptr, rtlGetVersion);
    OSVERSIONINFOEXW wide = {};
    wide.dwOSVersionInfoSize = sizeof(wide);
    ASSERT_EQ(0, rtlGetVersion(&wide));

    OSVERSIONINFOEXA version;
    memset(&version, 0xCC, sizeof(version));
    ASSERT_EQ(1, ReadWindowsVersion(&version));
    EXPECT_EQ(sizeof(version), version.dwOSVersionInfoSize);
    EXPECT_EQ(wide.dwMajorVersion, version.dwMajorVersion);
    EXPECT_EQ(wide.dwMinorVersion, version.dwMinorVersion);
    EXPECT_EQ(wide.dwBuildNumber, version.dwBuildNumber);
    EXPECT_EQ(wide.dwPlatformId, version.dwPlatformId);
    EXPECT_EQ(wide.wServicePackMajor, version.wServicePackMajor);
    EXPECT_EQ(wide.wSuiteMask, version.wSuiteMask);
    EXPECT_EQ(wide.wProductType, version.wProductType);
    char csd[sizeof(version.szCSDVersion)] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.szCSDVersion, -1, csd, sizeof(csd), nullptr, nullptr);
    EXPECT_STREQ(csd, version.szCSDVersion);
    EXPECT_GE(version.dwMajorVersion, 6u);
}

}  // namespace
