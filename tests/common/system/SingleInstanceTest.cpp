#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "SingleInstance.h"
#include "TextRing.h"

namespace {

TEST(SingleInstance, SecondCreationSeesTheFirst)
{
    std::string name = "Daylens-test-instance-" + std::to_string(GetCurrentProcessId());
    HANDLE first = nullptr, other = nullptr;
    ASSERT_EQ(SINGLE_INSTANCE_TAKEN, CreateSingleInstanceMutex(name.c_str(), &first));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(SINGLE_INSTANCE_OTHER, CreateSingleInstanceMutex(name.c_str(), &other));
    EXPECT_EQ(nullptr, other);
    // The refused attempt closed only its own handle: the name is still taken.
    EXPECT_EQ(SINGLE_INSTANCE_OTHER, CreateSingleInstanceMutex(name.c_str(), &other));

    EXPECT_EQ(1, CloseSingleInstanceMutex(first));
    HANDLE again = nullptr;
    EXPECT_EQ(SINGLE_INSTANCE_TAKEN, CreateSingleInstanceMutex(name.c_str(), &again));
    EXPECT_NE(nullptr, again);
    EXPECT_EQ(1, CloseSingleInstanceMutex(again));
    EXPECT_EQ(0, CloseSingleInstanceMutex(nullptr));
}

TEST(TextRing, ConvertsBothWays)
{
    EXPECT_STREQ(L"予定表ソ", ToWideRing("予定表ソ"));
    EXPECT_STREQ("予定表ソ", ToAnsiRing(L"予定表ソ"));
    EXPECT_STREQ(L"", ToWideRing(""));
    EXPECT_EQ(nullptr, ToWideRing(nullptr));
    EXPECT_EQ(nullptr, ToAnsiRing(nullptr));
}

// A copy stays intact through the next 255 conversions; older slots are reused.
TEST(TextRing, LastCopiesStayValid)
{
    const int total = 600, kept = 255;
    const wchar_t* copies[total];
    for (int i = 0; i < total; i++)
        copies[i] = ToWideRing(std::to_string(i).c_str());
    for (int i = total - kept; i < total; i++)
        EXPECT_EQ(std::to_wstring(i), copies[i]);
}

}  // namespace
