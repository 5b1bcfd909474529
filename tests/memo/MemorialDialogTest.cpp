// The memorial-day settings dialog in this process over the language module's template: the age option follows
// the tooltip option, and "設定" makes the options the live settings and saves them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <functional>
#include <string>

#include "EnvData.h"
#include "FileUtil.h"
#include "MemorialDays.h"
#include "MemorialDialog.h"
#include "TempFolder.h"

namespace {

const char kCaption[] = "Daylens 記念日設定";

HMODULE g_language = nullptr;
std::function<void(HWND)> g_act;

// Acts once on the dialog as soon as it is up; the action ends the dialog.
void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowA("#32770", kCaption);
    if (!dialog || !g_act)
        return;
    std::function<void(HWND)> act = g_act;
    g_act = nullptr;
    act(dialog);
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class MemorialDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_language = LoadLibraryA(DAYLENS_DIST_DIR "\\Daylens.Jpn.dll"); }
    static void TearDownTestSuite() { FreeLibrary(g_language); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, g_language);
        ASSERT_TRUE(temp_.Create("daylens-memorial-dialog"));
        ini_ = temp_.Path("Daylens.ini");
        memset(&g_memorialSettings, 0, sizeof(g_memorialSettings));
        g_memorialSettings.MemorialShowToolTip = 1;
        g_memorialSettings.MemorialCount = 1;
    }
    void TearDown() override
    {
        FreeMemorialDays();
        memset(&g_memorialSettings, 0, sizeof(g_memorialSettings));
    }

    INT_PTR Run(const std::function<void(HWND)>& act)
    {
        g_act = act;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, ActOnDialog);
        INT_PTR result = ShowMemorialDialog(g_language, nullptr, &env_, nullptr, ini_.c_str(), nullptr, nullptr);
        KillTimer(nullptr, timer);
        return result;
    }
    int Saved(const char* key) { return (int)GetPrivateProfileIntA("DaylensMemorial", key, -9999, ini_.c_str()); }

    TempFolder temp_;
    std::string ini_;
    EnvData env_;
};

TEST_F(MemorialDialogTest, AgeFollowsTheTooltipAndSettingSavesTheOptions)
{
    int ageEnabled = -1, ageChecked = -1;
    INT_PTR result = Run([&](HWND dialog) {
        Click(dialog, IDC_MEMORIAL_CHECK_TOOLTIP);
        ageEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_MEMORIAL_CHECK_AGE)) ? 1 : 0;
        ageChecked = IsDlgButtonChecked(dialog, IDC_MEMORIAL_CHECK_AGE);
        Click(dialog, IDC_MEMORIAL_CHECK_POPUP);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, ageEnabled);
    EXPECT_EQ(BST_CHECKED, ageChecked);  // disabled, but kept
    EXPECT_EQ(0, g_memorialSettings.MemorialShowToolTip);
    EXPECT_EQ(1, g_memorialSettings.MemorialCount);
    EXPECT_EQ(1, g_memorialSettings.MemorialPopup);
    EXPECT_EQ(0, Saved("MemorialShowToolTip"));
    EXPECT_EQ(1, Saved("MemorialPopup"));

    // Cancel keeps the live settings and the file as they were.
    result = Run([](HWND dialog) {
        Click(dialog, IDC_MEMORIAL_CHECK_POPUP);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1, g_memorialSettings.MemorialPopup);
    EXPECT_EQ(1, Saved("MemorialPopup"));
}

}  // namespace
