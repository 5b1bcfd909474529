// Page " 同期 " of the memo settings: export of memos to a file and import of files into the memo store.
#include "MemoSettingsDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "AppInfo.h"
#include "DateUtil.h"
#include "DaylensIds.h"
#include "DialogTheme.h"
#include "EnvData.h"
#include "Memo.h"
#include "MemoImportExport.h"
#include "MiniMemoModule.h"

namespace {

const char kRead[] = "メモを読み込みました";
const char kImported[] = "メモをインポートしました";

MemoSettingsDlgData* Data(HWND page)
{
    return (MemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
}

// Imports and exports work on the live store, under the calendar window.
MemoExchangePlace Place(const MemoSettingsDlgData* data)
{
    MemoExchangePlace place = {&g_memoSettings, nullptr, nullptr};
    if (data && data->Env)
        place.Owner = data->Env->MainWindow;
    if (data && data->Info)
        place.ProgramDir = data->Info->GetProgramDir();
    return place;
}

// The calendar and the mini memo show the memos just imported.
void ShowImported(const MemoSettingsDlgData* data)
{
    EnvData* env = data ? data->Env : nullptr;
    if (!env)
        return;
    if (env->MainWindow)
        SendMessageA(env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
    RedrawMiniMemo(env);
}

INT_PTR OnInitDialog(HWND page, MemoSettingsDlgData* data)
{
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)data);
    EnableDialogTheme(page);
    HWND formats = GetDlgItem(page, IDC_MEMOIMPEX_COMBO_FORMAT);
    for (int format = 0; format < MEMO_EXPORT_FORMAT_COUNT; format++)
        SendMessageA(formats, CB_ADDSTRING, 0, (LPARAM)MemoExportFilter(format));
    SendMessageA(formats, CB_SETCURSEL, 0, 0);
    return FALSE;
}

void OnExport(HWND page)
{
    int format = (int)SendDlgItemMessageA(page, IDC_MEMOIMPEX_COMBO_FORMAT, CB_GETCURSEL, 0, 0);
    if (format < 0)
        return;
    SYSTEMTIME first = {}, end = {};
    DateTime_GetSystemtime(GetDlgItem(page, IDC_MEMOIMPEX_DATE_FIRST), &first);
    DateTime_GetSystemtime(GetDlgItem(page, IDC_MEMOIMPEX_DATE_LAST), &end);
    SYSTEMTIME firstDay = {first.wYear, first.wMonth, 0, first.wDay};
    SYSTEMTIME endDay = {end.wYear, end.wMonth, 0, end.wDay};
    if (CompareSystemTime(&endDay, &firstDay) < 0) {
        SYSTEMTIME swap = firstDay;
        firstDay = endDay;
        endDay = swap;
    }
    MemoExchangePlace place = Place(Data(page));
    ExportMemo(&place, &firstDay, &endDay, format);
}

void OnImport(HWND page)
{
    MemoExchangePlace place = Place(Data(page));
    MemoImportTally tally = {};
    int imported = ImportMemoFromDialog(&place, &tally);
    if (imported)
        ShowImported(Data(page));
    TellMemoImport(page, imported, &tally, kRead, MB_ICONINFORMATION);
}

void OnDropFiles(HWND page, HDROP drop)
{
    MemoExchangePlace place = Place(Data(page));
    MemoImportTally tally = {};
    int imported = 0;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; i++) {
        char path[MAX_PATH] = "";
        if (DragQueryFileA(drop, i, path, sizeof(path)) && IsMemoImportFile(path))
            imported |= ImportMemoFile(&place, path, &tally);
    }
    DragFinish(drop);
    if (imported)
        ShowImported(Data(page));
    TellMemoImport(page, imported, &tally, kImported, MB_ICONINFORMATION);
}

INT_PTR OnCommand(HWND page, WORD command)
{
    switch (command) {
    case IDC_MEMOIMPEX_BTN_EXPORT:
        OnExport(page);
        return TRUE;
    case IDC_MEMOIMPEX_BTN_IMPORT:
        OnImport(page);
        return TRUE;
    case MEMO_PAGE_STORE:
        return TRUE;
    case IDOK:
    case IDCANCEL:
        DestroyWindow(page);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK MemoImportExportPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (MemoSettingsDlgData*)lParam);
    case WM_DROPFILES:
        OnDropFiles(page, (HDROP)wParam);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    }
    return FALSE;
}
