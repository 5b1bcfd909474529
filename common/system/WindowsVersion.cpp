#include "WindowsVersion.h"

namespace {

// Product types of GetProductInfo that pick an edition.
const DWORD kUltimate = 1;
const DWORD kHomeBasic = 2;
const DWORD kHomePremium = 3;
const DWORD kEnterprise = 4;
const DWORD kBusiness = 6;
const DWORD kStarter = 11;
const DWORD kProfessional = 48;
const DWORD kWithMediaCenter = 103;

const char* const kKindNames[WINDOWS_KIND_MAX + 1] = {
    "",
    "Windows 95",
    "Windows 98",
    "Windows Me",
    "Windows NT3.1",
    "Windows NT",
    "Windows 2000",
    "Windows XP Home Edition",
    "Windows XP Professional Edition",
    "Windows Server 2003",
    "Windows 2008",
    "Windows Vista Enterprise",
    "Windows Vista Ultimate",
    "Windows Vista Business",
    "Windows Vista Home Premium",
    "Windows Vista Home Basic",
    "Windows Vista",
    "Windows 7 Enterprise",
    "Windows 7 Ultimate",
    "Windows 7 Professional",
    "Windows 7 Home Premium",
    "Windows 7 Starter",
    "Windows 7",
    "Windows 8 Pro",
    "Windows 8 with Media Center",
    "Windows 8",
    "Windows 8.1 Pro",
    "Windows 8.1 with Media Center",
    "Windows 8.1",
    "Windows 10 Enterprise",
    "Windows 10 Home",
    "Windows 10 Professional",
};

int KindOfMajor4(DWORD minor, DWORD platformId)
{
    switch (minor) {
    case 0:
        return platformId == VER_PLATFORM_WIN32_NT ? 5 : 1;
    case 10:
        return 2;
    case 90:
        return 3;
    default:
        return 0;
    }
}

int KindOfMajor5(DWORD minor, DWORD suiteMask)
{
    switch (minor) {
    case 0:
        return 6;
    case 1:
        return (suiteMask & VER_SUITE_PERSONAL) ? 7 : 8;
    case 2:
        return 9;
    default:
        return 0;
    }
}

int VistaKind(DWORD type)
{
    switch (type) {
    case kUltimate:
        return 12;
    case kHomeBasic:
        return 15;
    case kHomePremium:
        return 14;
    case kEnterprise:
        return 11;
    case kBusiness:
        return 13;
    default:
        return 16;
    }
}

int Windows7Kind(DWORD type)
{
    switch (type) {
    case kUltimate:
        return 18;
    case kHomePremium:
        return 20;
    case kEnterprise:
        return 17;
    case kStarter:
        return 21;
    case kProfessional:
        return 19;
    default:
        return 22;
    }
}

// Windows 8 (minor 2) and 8.1 (minor 3) share their editions; 8.1 kinds are three higher.
int Windows8Kind(DWORD minor, DWORD type)
{
    int base = minor == 2 ? 23 : 26;
    if (type == kProfessional)
        return base;
    if (type == kWithMediaCenter)
        return base + 1;
    return base + 2;
}

int KindOfMajor6(DWORD minor, int hasProductType, DWORD type)
{
    if (!hasProductType)
        return minor == 0 ? 16 : minor == 1 ? 22 : 0;
    switch (minor) {
    case 0:
        return VistaKind(type);
    case 1:
        return Windows7Kind(type);
    case 2:
    case 3:
        return Windows8Kind(minor, type);
    default:
        return 0;
    }
}

int KindOfMajor10(int hasProductType, DWORD type)
{
    if (hasProductType && type == kEnterprise)
        return 29;
    if (hasProductType && type == kProfessional)
        return 31;
    return 30;
}

typedef LONG(WINAPI* RtlGetVersionProc)(OSVERSIONINFOEXW*);
typedef BOOL(WINAPI* GetProductInfoProc)(DWORD, DWORD, DWORD, DWORD, DWORD*);

// RtlGetVersion fills the wide record; its numbers are copied into the ANSI one.
bool ReadRtlVersion(OSVERSIONINFOEXA* version)
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    RtlGetVersionProc rtlGetVersion = ntdll ? (RtlGetVersionProc)GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    if (!rtlGetVersion)
        return false;
    OSVERSIONINFOEXW wide = {};
    wide.dwOSVersionInfoSize = sizeof(wide);
    if (rtlGetVersion(&wide) != 0)
        return false;
    version->dwMajorVersion = wide.dwMajorVersion;
    version->dwMinorVersion = wide.dwMinorVersion;
    version->dwBuildNumber = wide.dwBuildNumber;
    version->dwPlatformId = wide.dwPlatformId;
    if (!WideCharToMultiByte(CP_ACP, 0, wide.szCSDVersion, -1, version->szCSDVersion,
                             sizeof(version->szCSDVersion), nullptr, nullptr))
        version->szCSDVersion[0] = '\0';
    version->szCSDVersion[sizeof(version->szCSDVersion) - 1] = '\0';
    version->wServicePackMajor = wide.wServicePackMajor;
    version->wServicePackMinor = wide.wServicePackMinor;
    version->wSuiteMask = wide.wSuiteMask;
    version->wProductType = wide.wProductType;
    version->wReserved = wide.wReserved;
    return true;
}

bool ReadAnsiVersion(OSVERSIONINFOEXA* version)
{
    if (GetVersionExA((OSVERSIONINFOA*)version))
        return true;
    // Systems before the extended record only take the short one.
    version->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    bool ok = GetVersionExA((OSVERSIONINFOA*)version) != 0;
    version->dwOSVersionInfoSize = sizeof(*version);
    return ok;
}

}  // namespace

extern "C" {

int WindowsKindFromVersion(DWORD major, DWORD minor, DWORD platformId, DWORD suiteMask, int hasProductType,
                           DWORD productType)
{
    switch (major) {
    case 3:
        return 4;
    case 4:
        return KindOfMajor4(minor, platformId);
    case 5:
        return KindOfMajor5(minor, suiteMask);
    case 6:
        return KindOfMajor6(minor, hasProductType, productType);
    case 10:
        return KindOfMajor10(hasProductType, productType);
    default:
        return 0;
    }
}

int WindowsKindSimpleFromVersion(DWORD major, DWORD minor, int hasProductType, DWORD productType)
{
    if (major == 10)
        return 30;
    if (major != 6 || minor > 2)
        return 0;
    return KindOfMajor6(minor, hasProductType, productType);
}

const char* WindowsKindName(int kind)
{
    if (kind < 0 || kind > WINDOWS_KIND_MAX)
        return kKindNames[0];
    return kKindNames[kind];
}

int ReadWindowsVersion(OSVERSIONINFOEXA* version)
{
    if (!version)
        return 0;
    ZeroMemory(version, sizeof(*version));
    version->dwOSVersionInfoSize = sizeof(*version);
    return ReadRtlVersion(version) || ReadAnsiVersion(version);
}

int QueryProductType(const OSVERSIONINFOEXA* version, DWORD* type)
{
    *type = 0;
    HMODULE kernel = GetModuleHandleA("kernel32");
    GetProductInfoProc getProductInfo =
        kernel ? (GetProductInfoProc)GetProcAddress(kernel, "GetProductInfo") : nullptr;
    if (!getProductInfo || !version)
        return 0;
    // A failed call leaves an unknown type, which still selects the plain edition name.
    if (!getProductInfo(version->dwMajorVersion, version->dwMinorVersion, version->wServicePackMajor,
                        version->wServicePackMinor, type))
        *type = 0;
    return 1;
}

int GetWindowsKindSimple(void)
{
    OSVERSIONINFOEXA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!ReadAnsiVersion(&version))
        return 0;
    DWORD type = 0;
    int hasType = version.dwMajorVersion == 6 ? QueryProductType(&version, &type) : 0;
    return WindowsKindSimpleFromVersion(version.dwMajorVersion, version.dwMinorVersion, hasType, type);
}

int RunsUnderWine(void)
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") ? 1 : 0;
}

}  // extern "C"
