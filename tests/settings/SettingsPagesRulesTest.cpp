// The settings pages' number rule and the completeness of the control help lists.
#include <windows.h>
#include <gtest/gtest.h>

#include <limits.h>

#include "PageButtons.h"
#include "SettingsToolTips.h"

// A number typed beyond INT_MAX stays positive in the record.
TEST(SettingsPagesRulesTest, TypedNumbersAboveIntMaxAreLimited)
{
    EXPECT_EQ(2000, UnsignedToInt(2000u));
    EXPECT_EQ(INT_MAX, UnsignedToInt((unsigned int)INT_MAX));
    EXPECT_EQ(INT_MAX, UnsignedToInt((unsigned int)INT_MAX + 1u));
    EXPECT_EQ(INT_MAX, UnsignedToInt(UINT_MAX));
}

// Every page lists each control once, within its table of tooltips; the frame lists its five buttons.
TEST(SettingsPagesRulesTest, HelpListsNameEachControlOnce)
{
    for (int slot = 0; slot < 14; slot++) {
        int count = PageToolTipCount(slot);
        EXPECT_GT(count, 0) << slot;
        EXPECT_LE(count, PAGE_TOOLTIP_MAX);
        for (int i = 0; i < count; i++) {
            for (int j = i + 1; j < count; j++)
                EXPECT_NE(PageToolTipControl(slot, i), PageToolTipControl(slot, j)) << slot;
        }
    }
    EXPECT_EQ(5, PageToolTipCount(-1));
    EXPECT_EQ(0, PageToolTipCount(14));
    EXPECT_EQ(0, PageToolTipControl(0, 25));
}
