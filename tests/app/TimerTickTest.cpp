#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <string>

#include "TestWindow.h"
#include "TimerTick.h"

namespace {

// The time-out as the user's profile keeps it; empty when the profile has none.
std::string ProfileLockTimeout()
{
    char value[64] = "";
    DWORD size = sizeof(value);
    DWORD type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "";
    LONG result = RegQueryValueExA(key, "ForegroundLockTimeout", nullptr, &type, (BYTE*)value, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "";
    return type == REG_DWORD ? std::to_string(*(DWORD*)value) : std::string(value, size);
}

DWORD SessionLockTimeout()
{
    DWORD timeout = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    return timeout;
}

// A hot spot repeats this every tick: the session's own time-out comes back, and the profile is never written.
TEST(TimerTick, HotSpotKeepsTheForegroundLockTimeoutOutOfTheProfile)
{
    DWORD saved = SessionLockTimeout();
    std::string profile = ProfileLockTimeout();
    // The session's value differs from the profile's, so that writing it there would show.
    const DWORD sessionValue = strtoul(profile.c_str(), nullptr, 10) + 12345;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (void*)(UINT_PTR)sessionValue, 0));
    ASSERT_EQ(profile, ProfileLockTimeout());

    ScopedWindow window(CreateTestWindow(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50));
    ASSERT_NE(nullptr, (HWND)window);
    BringToFrontPastLock(window);
    BringToFrontPastLock(window);
    EXPECT_EQ(sessionValue, SessionLockTimeout());
    EXPECT_EQ(profile, ProfileLockTimeout());
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (void*)(UINT_PTR)saved, 0);
}

}  // namespace
