// The pages that are still empty: fonts and colours, marks, window, transparency, hot spots, behaviour, tooltips and
// the rest. They follow the page protocol without controls of their own.
#include "SettingsDialog.h"

#include "SettingsPage.h"

// LATER: the controls of the pages フォントと色, マーク, ウィンドウ, 透明化, ホットスポット, 動作設定, ツールチップ and その他
INT_PTR CALLBACK EnvPendingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        BeginPage(page, nullptr);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(page);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
