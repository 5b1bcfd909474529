// The settings pages store what the user typed only within what their up-down controls allow: a number too large
// for its field never wraps in a byte.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "MiniMemoSettingsDialog.h"

namespace {

class MiniMemoSettingsPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&classes);
        holder_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        // The templates of the built plug-in, without running its start-up.
        resources_ = LoadLibraryExA(DAYLENS_DIST_DIR "\\PlugIn\\DaylensMiniMemo.dll", nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, resources_);
        LoadMiniMemoSettings(&settings_, &g_miniMemo.Store, nullptr);
        data_.Settings = &settings_;
    }

    void TearDown() override
    {
        if (holder_)
            DestroyWindow(holder_);
        if (resources_)
            FreeLibrary(resources_);
    }

    HWND Page(int templateId, DLGPROC proc)
    {
        // The pages are child windows: they need the frame's place.
        return CreateDialogParamA(resources_, MAKEINTRESOURCEA(templateId), holder_, proc, (LPARAM)&data_);
    }

    HMODULE resources_ = nullptr;
    HWND holder_ = nullptr;
    MiniMemoSettings settings_;
    MiniMemoSettingsDlgData data_ = {};
};

TEST_F(MiniMemoSettingsPagesTest, TypedNumbersAreHeldToTheirRanges)
{
    HWND page = Page(IDD_MINIMEMO_PAGE_DISPLAY, PageDisplayProc);
    ASSERT_NE(nullptr, page);
    SetDlgItemTextA(page, IDC_MMDISP_EDIT_BEFORE, "99");
    SetDlgItemTextA(page, IDC_MMDISP_EDIT_LINE_MARGIN, "300");
    SetDlgItemTextA(page, IDC_MMDISP_EDIT_INDENT, "7");
    SendMessageA(page, WM_COMMAND, MINIMEMO_PAGE_STORE, 0);
    EXPECT_EQ(MINIMEMO_DAYS_MAX, settings_.BeforeDays);
    EXPECT_EQ(255, settings_.LineMargin);
    EXPECT_EQ(7, settings_.LineIndent);
    DestroyWindow(page);

    page = Page(IDD_MINIMEMO_PAGE_TEXT, PageTextProc);
    ASSERT_NE(nullptr, page);
    SetDlgItemTextA(page, IDC_MMTEXT_EDIT_SHADOW_WIDTH, "260");
    SendMessageA(page, WM_COMMAND, MINIMEMO_PAGE_STORE, 0);
    EXPECT_EQ(100, settings_.Styles[MINIMEMO_STYLE_TODAY].ShadowWidth);
    DestroyWindow(page);
}

TEST_F(MiniMemoSettingsPagesTest, CancelStoresNothingAndOkStoresThePage)
{
    HWND page = Page(IDD_MINIMEMO_PAGE_WINDOW1, PageWindow1Proc);
    ASSERT_NE(nullptr, page);
    SetDlgItemTextA(page, IDC_MMWIN1_EDIT_MARGIN_TOP, "50");
    SendMessageA(page, WM_COMMAND, MINIMEMO_PAGE_CANCEL, 0);
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(2, settings_.MarginTop);

    settings_.FrameGradation = 3;
    page = Page(IDD_MINIMEMO_PAGE_WINDOW1, PageWindow1Proc);
    SetDlgItemTextA(page, IDC_MMWIN1_EDIT_MARGIN_TOP, "500");
    SendMessageA(page, WM_COMMAND, MINIMEMO_PAGE_OK, 0);
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(100, settings_.MarginTop);
    EXPECT_EQ(3, settings_.FrameGradation);
}

}  // namespace
