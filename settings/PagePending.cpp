// The pages that are still empty: fonts and colours, marks, window, transparency, hot spots, behaviour, tooltips and
// the rest. They follow the page protocol without controls of their own, so they never change anything.
#include "SettingsDialog.h"

#include "SettingsPage.h"

namespace {

PageFlags s_flags;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, nullptr);
    return TRUE;
}

bool OnCommand(HWND page, int id, int code)
{
    (void)page;
    (void)code;
    return id == SETTINGS_PAGE_REFRESH || id == SETTINGS_PAGE_STORE;
}

}  // namespace

// LATER: the controls of the pages フォントと色, マーク, ウィンドウ, 透明化, ホットスポット, 動作設定, ツールチップ and その他
INT_PTR CALLBACK EnvPendingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
