// Page " 検索 " of the memo settings: the search of the memo store.
#include "MemoSettingsDialog.h"

#include "DialogTheme.h"

// LATER: memo search (the word and its history in the working record, the options, the date range, the hits).
INT_PTR CALLBACK MemoSearchPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        EnableDialogTheme(page);
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case MEMO_PAGE_STORE:
        return TRUE;
    case IDOK:
    case IDCANCEL:
        DestroyWindow(page);
        return TRUE;
    }
    return FALSE;
}
