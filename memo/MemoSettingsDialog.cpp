#include "MemoSettingsDialog.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <iterator>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "LanguageResources.h"
#include "Memo.h"
#include "MemoSettingsFile.h"
#include "MemoSettingsRules.h"
#include "MiniMemoModule.h"
#include "StrUtil.h"
#include "Trace.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kNoMemory[] = "メモリが足りません";
// Help: a topic per tab for the first tabs, the page of the dialog otherwise.
const char kHelpTopicOfTab[] = "_RESOURCE/Help-howtouse05.html#memotab%d";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse05.html";
const int kHelpTabs = 9;
const size_t kHelpTopicSize = 128;

struct MemoPage {
    const char* Label;
    int TemplateId;
    DLGPROC Proc;
};

const MemoPage kPages[] = {
    {" 各種設定 ", IDD_MEMOSET_GENERAL, MemoGeneralPageProc},
    {" ポップアップ ", IDD_MEMOSET_POPUP, MemoPopupPageProc},
    {" マーク ", IDD_MEMOSET_MARK, MemoMarkPageProc},
    {" 検索 ", IDD_MEMOSET_SEARCH, MemoSearchPageProc},
    {" 同期 ", IDD_MEMOSET_IMPEX, MemoImportExportPageProc},
};
static_assert(std::size(kPages) <= MEMO_SETTINGS_PAGE_SLOTS, "every page has a slot");

// One memo settings dialog at a time: the day-memo window's menu reaches it while the calendar's is open.
bool s_dialogOpen = false;

MemoSettingsDlgData* DialogData(HWND dialog)
{
    return (MemoSettingsDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

bool MakeWorkingCopies(MemoSettingsDlgData* data, const EnvData* env)
{
    data->Work = (MemoSettings*)AllocZeroed(sizeof(MemoSettings));
    if (!data->Work || !CopyMemoSettings(data->Work, &g_memoSettings))
        return false;
    int count = env->UserMarks ? env->UserStyleMax : 0;
    data->WorkMarks = (UserMark*)AllocZeroed((size_t)count * sizeof(UserMark));
    if (!data->WorkMarks)
        return false;
    if (count > 0)
        memcpy(data->WorkMarks, env->UserMarks, (size_t)count * sizeof(UserMark));
    data->WorkMarkCount = count;
    return true;
}

void FreeWorkingCopies(MemoSettingsDlgData* data)
{
    if (data->Work) {
        FreeMemoSearchHistory(data->Work);
        HeapFree(GetProcessHeap(), 0, data->Work);
    }
    if (data->WorkMarks)
        HeapFree(GetProcessHeap(), 0, data->WorkMarks);
    data->Work = nullptr;
    data->WorkMarks = nullptr;
    data->WorkMarkCount = 0;
}

void SendToPages(MemoSettingsDlgData* data, WORD command)
{
    for (HWND page : data->Pages) {
        if (page)
            SendMessageA(page, WM_COMMAND, command, 0);
    }
}

// The page of tab, or the first page for a tab without one.
int PageIndex(const MemoSettingsDlgData* data, int tab)
{
    return tab >= 0 && tab < MEMO_SETTINGS_PAGE_SLOTS && data->Pages[tab] ? tab : 0;
}

void ShowPage(MemoSettingsDlgData* data, int tab)
{
    for (HWND page : data->Pages) {
        if (page)
            ShowWindow(page, SW_HIDE);
    }
    int index = PageIndex(data, tab);
    data->Work->MemoSelectedTab = (BYTE)index;
    if (data->Pages[index])
        ShowWindow(data->Pages[index], SW_SHOW);
}

// The tab control's display area in the dialog's client coordinates.
RECT PageArea(HWND dialog, HWND tab)
{
    RECT area;
    GetWindowRect(tab, &area);
    MapWindowPoints(HWND_DESKTOP, dialog, (POINT*)&area, 2);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    return area;
}

// The working user marks become the record's, in a fresh array; the old array stays when memory is short.
int ApplyUserMarks(EnvData* env, const UserMark* marks, int count)
{
    UserMark* fresh = (UserMark*)AllocZeroed((size_t)count * sizeof(UserMark));
    if (!fresh)
        return 0;
    if (marks && count > 0)
        memcpy(fresh, marks, (size_t)count * sizeof(UserMark));
    if (env->UserMarks)
        HeapFree(GetProcessHeap(), 0, env->UserMarks);
    env->UserMarks = fresh;
    env->UserStyleMax = count;
    return 1;
}

void Apply(HWND dialog, MemoSettingsDlgData* data)
{
    SendToPages(data, MEMO_PAGE_STORE);
    EnvData* env = data->Env;
    int applied = ApplyMemoSettings(&g_memoSettings, data->Work);
    if (!ApplyUserMarks(env, data->WorkMarks, data->WorkMarkCount) || !applied)
        TellUser(dialog, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
    ReloadRepeatMemos();
    // The redraw also shows the memo days on the tray icon.
    if (env->MainWindow)
        SendMessageA(env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
    SaveMemoSettings(&g_memoSettings, data->IniPath, data->Info ? data->Info->GetAppName() : DAYLENS_PROGRAM_NAME);
    RedrawMiniMemo(env);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The pages destroy themselves on command; the working copies go when the dialog has ended.
void End(HWND dialog, MemoSettingsDlgData* data, WORD command)
{
    SendToPages(data, command);
    memset(data->Pages, 0, sizeof(data->Pages));
    EndDialog(dialog, command);
}

void ShowHelp(HWND dialog, MemoSettingsDlgData* data)
{
    if (!data->Info)
        return;
    int tab = TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_MEMOSET_TAB));
    char topic[kHelpTopicSize];
    if (tab >= 0 && tab < kHelpTabs)
        snprintf(topic, sizeof(topic), kHelpTopicOfTab, tab + 1);
    else
        SafeStrCpy(topic, sizeof(topic), kHelpTopic);
    data->Info->ShowProgramHelp(dialog, topic);
}

INT_PTR OnInitDialog(HWND dialog, MemoSettingsDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    if (!data)
        return TRUE;
    AppInfo::SetWindowIcons(dialog, data->BigIcon, data->SmallIcon);
    CreateMemoSettingsTabs(dialog, data);
    if (!GetWindow(dialog, GW_OWNER))
        PlaceWindowBeside(dialog, PLACE_CENTRE, nullptr);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    MemoSettingsDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    switch (id) {
    case MEMO_PAGE_STORE:
        Apply(dialog, data);
        return TRUE;
    case IDOK:
        Apply(dialog, data);
        End(dialog, data, IDOK);
        return TRUE;
    case IDCANCEL:
        End(dialog, data, IDCANCEL);
        return TRUE;
    case IDHELP:
        ShowHelp(dialog, data);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    MemoSettingsDlgData* data = DialogData(dialog);
    if (!data || header->idFrom != IDC_MEMOSET_TAB || header->code != TCN_SELCHANGE)
        return FALSE;
    ShowPage(data, TabCtrl_GetCurSel(header->hwndFrom));
    return TRUE;
}

}  // namespace

INT_PTR ShowMemoSettingsDialog(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, const char* iniPath,
                               HICON bigIcon, HICON smallIcon)
{
    if (s_dialogOpen || !module || !env)
        return IDCANCEL;
    MemoSettingsDlgData data = {};
    data.Module = module;
    data.Env = env;
    data.Info = info;
    data.IniPath = iniPath;
    data.BigIcon = bigIcon;
    data.SmallIcon = smallIcon;
    if (!MakeWorkingCopies(&data, env)) {
        FreeWorkingCopies(&data);
        TellUser(owner, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
        return IDCANCEL;
    }
    s_dialogOpen = true;
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_MEMOSET), owner, MemoSettingsDlgProc, (LPARAM)&data);
    s_dialogOpen = false;
    FreeWorkingCopies(&data);
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CALLBACK MemoSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (MemoSettingsDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    }
    return FALSE;
}

int CreateMemoSettingsTabs(HWND dialog, MemoSettingsDlgData* data)
{
    HWND tab = GetDlgItem(dialog, IDC_MEMOSET_TAB);
    if (!tab || !data)
        return 0;
    // The pages lie over the tab control, which must not paint over them.
    SetWindowLongPtrA(tab, GWL_STYLE, GetWindowLongPtrA(tab, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (int i = 0; i < (int)std::size(kPages); i++) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (char*)kPages[i].Label;
        SendMessageA(tab, TCM_INSERTITEMA, (WPARAM)i, (LPARAM)&item);
    }
    RECT area = PageArea(dialog, tab);
    int made = 0;
    for (int i = 0; i < (int)std::size(kPages); i++) {
        HWND page = CreateDialogParamA(data->Module, MAKEINTRESOURCEA(kPages[i].TemplateId), dialog, kPages[i].Proc,
                                       (LPARAM)data);
        data->Pages[i] = page;
        if (!page) {
            Trace("memo settings page %d not made (%lu)", kPages[i].TemplateId, GetLastError());
            continue;
        }
        SetWindowPos(page, HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
        made++;
    }
    int shown = PageIndex(data, data->Work->MemoSelectedTab);
    TabCtrl_SetCurSel(tab, shown);
    ShowPage(data, shown);
    return made;
}
