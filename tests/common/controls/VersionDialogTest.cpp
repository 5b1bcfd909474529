#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HeapUtil.h"
#include "MemoryBitmap.h"
#include "VersionDialog.h"

namespace {

const char kWebAddress[] = "https://example.jp/daylens/";

// The dialog runs modeless from the test program's own template, on the test display.
class VersionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        info_.SetNames("Daylens", "透明なカレンダー Daylens", "Velmora Daylens", 120, 1, 0, "Velmora", "2003-2019",
                       "04/01/2019", kWebAddress);
        info_.OsName = StrReplaceHeap(info_.OsName, "Windows 10 Home");
        data_.bigIcon = LoadIcon(nullptr, IDI_APPLICATION);
        data_.smallIcon = LoadIcon(nullptr, IDI_INFORMATION);
        data_.info = &info_;
        data_.withWindows = 1;
    }

    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }

    HWND Open()
    {
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, AboutDlgProc,
                                     (LPARAM)&data_);
        return dialog_;
    }

    std::string ItemText(int id) const
    {
        char text[1024] = "";
        GetDlgItemTextA(dialog_, id, text, sizeof(text));
        return text;
    }

    std::string Caption() const
    {
        char text[256] = "";
        GetWindowTextA(dialog_, text, sizeof(text));
        return text;
    }

    // Pixels of exactly colour in the control, read back from the screen.
    int CountColor(HWND control, COLORREF colour) const
    {
        RECT client;
        GetClientRect(control, &client);
        MemoryBitmap shot(client.right, client.bottom);
        HDC screen = GetDC(control);
        shot.CopyFrom(screen);
        ReleaseDC(control, screen);
        return shot.Count(colour);
    }

    AppInfo info_;
    AboutDlgData data_ = {};
    HWND dialog_ = nullptr;
};

TEST_F(VersionDialogTest, ShowsTheTextsOfTheApplication)
{
    data_.caption = "Daylens のバージョン";
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ("Daylens のバージョン", Caption());
    EXPECT_EQ("透明なカレンダー Daylens on Windows 10 Home 64bit", ItemText(IDC_ABOUT_TITLE));
    EXPECT_EQ("Version 1.20.01 (04/01/2019)", ItemText(IDC_ABOUT_VERSION));
    EXPECT_EQ("Copyright (C) 2003-2019 Velmora", ItemText(IDC_ABOUT_NOTICE));
    EXPECT_EQ(kWebAddress, ItemText(IDC_ABOUT_LINK));
    EXPECT_EQ((LRESULT)data_.bigIcon, SendMessageA(dialog_, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ((LRESULT)data_.smallIcon, SendMessageA(dialog_, WM_GETICON, ICON_SMALL, 0));
}

TEST_F(VersionDialogTest, TitleAloneWithoutWindowsName)
{
    data_.withWindows = 0;
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ("バージョン情報", Caption());
    EXPECT_EQ("透明なカレンダー Daylens", ItemText(IDC_ABOUT_TITLE));
    DestroyWindow(dialog_);

    data_.withWindows = 1;
    info_.OsName = StrReplaceHeap(info_.OsName, "");
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ("透明なカレンダー Daylens", ItemText(IDC_ABOUT_TITLE));
}

TEST_F(VersionDialogTest, OnlyCancelEndsTheDialogAndUnhooksTheLink)
{
    ASSERT_NE(nullptr, Open());
    ShowWindow(dialog_, SW_SHOW);
    HWND link = GetDlgItem(dialog_, IDC_ABOUT_LINK);
    EXPECT_EQ((LONG_PTR)LinkCtrlProc, GetWindowLongPtrA(link, GWLP_WNDPROC));
    SendMessageA(dialog_, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    SendMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindowVisible(dialog_));
    EXPECT_NE((LONG_PTR)LinkCtrlProc, GetWindowLongPtrA(link, GWLP_WNDPROC));
}

TEST_F(VersionDialogTest, LinkTurnsRedAndCapturesTheMouseOverItsText)
{
    ASSERT_NE(nullptr, Open());
    ShowWindow(dialog_, SW_SHOW);
    UpdateWindow(dialog_);
    HWND link = GetDlgItem(dialog_, IDC_ABOUT_LINK);
    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    EXPECT_GT(CountColor(link, blue), 0);
    EXPECT_EQ(0, CountColor(link, red));
    ASSERT_GT(data_.linkTextWidth, 0);

    RECT client;
    GetClientRect(link, &client);
    ASSERT_LT(data_.linkTextWidth + 2, client.right);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(1, client.bottom / 2));
    EXPECT_EQ(link, GetCapture());
    UpdateWindow(link);
    EXPECT_GT(CountColor(link, red), 0);
    EXPECT_EQ(0, CountColor(link, blue));

    // Beside the text, still inside the control, counts as leaving.
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(data_.linkTextWidth + 1, client.bottom / 2));
    EXPECT_EQ(nullptr, GetCapture());
    UpdateWindow(link);
    EXPECT_GT(CountColor(link, blue), 0);
    EXPECT_EQ(0, CountColor(link, red));
}

TEST_F(VersionDialogTest, NoApplicationObjectShowsEmptyTexts)
{
    data_.info = nullptr;
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ("", ItemText(IDC_ABOUT_TITLE));
    EXPECT_EQ("", ItemText(IDC_ABOUT_VERSION));
    EXPECT_EQ("", ItemText(IDC_ABOUT_LINK));
}

}  // namespace
