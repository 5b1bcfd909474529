// Page " 同期 " of the memo settings: export of memos to a file and import of files into the memo store.
#include "MemoSettingsDialog.h"

#include "DialogTheme.h"

// LATER: memo import and export (the date range and format, the file choosers, files dropped on the page).
INT_PTR CALLBACK MemoImportExportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
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
