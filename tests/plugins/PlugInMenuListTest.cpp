// The shared menu export of every plug-in, through a built stand-in plug-in: the size query, the language choice,
// and a buffer that is never written past.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "PlugInModule.h"
#include "TempFolder.h"

namespace {

class PlugInMenuExportTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(log_.Create("plugin-menu"));
        SetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", log_.Path("calls.txt").c_str());
        module_ = LoadLibraryA(STUB_PLUGIN_DIR "\\DaylensPrint.dll");
        ASSERT_NE(nullptr, module_);
        menu_ = (PlugInModule::LxPlugInMenuInfoLang)GetProcAddress(module_, "LxPlugInMenuInfoLang");
        ASSERT_NE(nullptr, menu_);
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
        SetEnvironmentVariableA("DAYLENS_PLUGIN_LOG", nullptr);
    }

    // The list for language, asked for as the host does: size first, then the list.
    std::string List(const char* language)
    {
        int size = -1;
        EXPECT_EQ(0, menu_(nullptr, &size, language));
        std::string list((size_t)size, '\x7f');
        EXPECT_EQ(1, menu_(&list[0], &size, language));
        return list;
    }

    TempFolder log_;
    HMODULE module_ = nullptr;
    PlugInModule::LxPlugInMenuInfoLang menu_ = nullptr;
};

TEST_F(PlugInMenuExportTest, SizeQueryThenListInTheNamedLanguage)
{
    int size = -1;
    EXPECT_EQ(0, menu_(nullptr, &size, "Japanese"));
    // 14 bytes of text, its NUL and the closing NUL.
    EXPECT_EQ(16, size);
    EXPECT_EQ(std::string("カレンダー印刷\0\0", 16), List("Japanese"));
    for (const char* english : {"English", "english", "Eng", "eng"})
        EXPECT_EQ(std::string("Print Calendar\0\0", 16), List(english)) << english;
    for (const char* other : {"ENGLISH", "en", "", "Deutsch"})
        EXPECT_EQ(std::string("カレンダー印刷\0\0", 16), List(other)) << other;
    EXPECT_EQ(std::string("カレンダー印刷\0\0", 16), List(nullptr));
}

TEST_F(PlugInMenuExportTest, BufferIsNeverWrittenPast)
{
    char buffer[32];
    memset(buffer, 0x7f, sizeof(buffer));
    // A buffer smaller than the list: nothing written, the needed size told.
    int size = 15;
    EXPECT_EQ(0, menu_(buffer, &size, "Japanese"));
    EXPECT_EQ(16, size);
    EXPECT_EQ(std::string(32, '\x7f'), std::string(buffer, 32));
    size = 16;
    EXPECT_EQ(0, menu_(nullptr, &size, "Japanese"));
    EXPECT_EQ(0, menu_(nullptr, nullptr, "Japanese"));
    // Without a size the list is written at once.
    EXPECT_EQ(1, menu_(buffer, nullptr, "Eng"));
    EXPECT_EQ(std::string("Print Calendar\0\0\x7f", 17), std::string(buffer, 17));
}

}  // namespace
