// The language module's defaults for a fresh settings record.
#include <windows.h>
#include <gtest/gtest.h>

#include <string.h>

#include "EnvData.h"

namespace {

typedef int (*EnvInitializeFn)(EnvData*);

void ExpectCalendarFont(const LOGFONTA& font, int height)
{
    EXPECT_STREQ("ＭＳ Ｐゴシック", font.lfFaceName);
    EXPECT_EQ(height, font.lfHeight);
    EXPECT_EQ(700, font.lfWeight);
    EXPECT_EQ(1, font.lfItalic);
    EXPECT_EQ(128, font.lfCharSet);
    EXPECT_EQ(50, font.lfPitchAndFamily);
}

TEST(EnvInitializeTest, FreshRecordGetsTheFourCalendarFonts)
{
    HMODULE module = LoadLibraryA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll");
    ASSERT_NE(nullptr, module);
    EnvInitializeFn init = reinterpret_cast<EnvInitializeFn>(GetProcAddress(module, "EnvInitialize"));
    ASSERT_NE(nullptr, init);

    EXPECT_EQ(0, init(nullptr));

    EnvData* env = new EnvData();
    ASSERT_EQ(1, init(env));
    ExpectCalendarFont(env->YearStyle.Font, -24);
    ExpectCalendarFont(env->MonthStyle.Font, -21);
    ExpectCalendarFont(env->WeekFont, -16);
    ExpectCalendarFont(env->DayFont, -15);
    // Only the fonts: the styles around them keep the constructor's zeros.
    EXPECT_EQ(0u, env->YearStyle.StrColor);
    EXPECT_EQ(0, env->TodayStyle.Font.lfHeight);
    delete env;
    FreeLibrary(module);
}

}  // namespace
