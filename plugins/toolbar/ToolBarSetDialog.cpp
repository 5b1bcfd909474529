// The toolbar's settings dialog ("ToolBar - Daylens"): a tab control over three pages that edit a working copy of
// the settings; Apply and OK hand the copy to the live settings, save them and bring the bar up to date.
#include "ToolBarPlugIn.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <iterator>

#include "AppInfo.h"
#include "ControlToolTip.h"
#include "HeapUtil.h"
#include "StrUtil.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kNoMemory[] = "メモリが足りません";
const char kAskHome[] = "ツールバーを画面の左上に移動します\r\nかまいませんか？";
const char kHelpTopicOfTab[] = "_RESOURCE/Help-howtouse.html#tab%02ld";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse.html";
const int kHelpTabs = 8;
const int kPlaceMargin = 0;

struct ToolBarPage {
    const char* Label;
    int TemplateId;
    DLGPROC Proc;
};

const ToolBarPage kPages[] = {
    {" 各種 ", IDD_TOOLBAR_PAGE_GENERAL, ToolBarGeneralPageProc},
    {" ボタン機能 ", IDD_TOOLBAR_PAGE_BUTTONS, ToolBarButtonPageProc},
    {" 透明化 ", IDD_TOOLBAR_PAGE_TRANS, ToolBarTransPageProc},
};
static_assert(std::size(kPages) <= TOOLBAR_PAGE_SLOTS, "every page has a slot");

const ControlToolTipText kTips[TOOLBAR_SET_TIP_COUNT] = {
    {IDHELP, "ヘルプを表示します"},
    {IDC_TBSET_BTN_HOME, "ツールバーを画面左上に移動します．\r\n主に緊急時に利用します"},
    {IDC_TBSET_BTN_APPLY, "変更した設定を反映し，ツールバーの表示を更新します"},
    {IDOK, "変更した設定を反映し，設定ウィンドウを閉じます"},
    {IDCANCEL, "変更した設定を破棄し，設定ウィンドウを閉じます"},
};

ToolBarSetDlgData* DialogData(HWND dialog)
{
    return (ToolBarSetDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

void DestroyTips(ToolBarSetDlgData* data)
{
    DestroyDialogToolTips(&data->ToolTip);
}

void CreateToolBarSetToolTips(HWND dialog, ToolBarSetDlgData* data)
{
    int balloon = g_toolBar.File.BalloonTip == 1 ? 1 : 0;
    SetDialogToolTips(g_toolBar.Module, dialog, &data->ToolTip, kTips, TOOLBAR_SET_TIP_COUNT, balloon);
}

void SendToPages(ToolBarSetDlgData* data, WORD command)
{
    for (HWND page : data->Pages) {
        if (page)
            SendMessageA(page, WM_COMMAND, command, 0);
    }
}

int PageIndex(const ToolBarSetDlgData* data, int tab)
{
    return tab >= 0 && tab < TOOLBAR_PAGE_SLOTS && data->Pages[tab] ? tab : 0;
}

void ShowPage(ToolBarSetDlgData* data, int tab)
{
    for (HWND page : data->Pages) {
        if (page)
            ShowWindow(page, SW_HIDE);
    }
    int index = PageIndex(data, tab);
    g_toolBar.SelectedTab = index;
    if (data->Pages[index])
        ShowWindow(data->Pages[index], SW_SHOW);
}

RECT PageArea(HWND dialog, HWND tab)
{
    RECT area;
    GetWindowRect(tab, &area);
    MapWindowPoints(HWND_DESKTOP, dialog, (POINT*)&area, 2);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    return area;
}

void CreatePages(HWND dialog, ToolBarSetDlgData* data)
{
    HWND tab = GetDlgItem(dialog, IDC_TBSET_TAB);
    if (!tab)
        return;
    SetWindowLongPtrA(tab, GWL_STYLE, GetWindowLongPtrA(tab, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (int i = 0; i < (int)std::size(kPages); i++) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (char*)kPages[i].Label;
        SendMessageA(tab, TCM_INSERTITEMA, (WPARAM)i, (LPARAM)&item);
    }
    RECT area = PageArea(dialog, tab);
    for (int i = 0; i < (int)std::size(kPages); i++) {
        HWND page = CreateDialogParamA(g_toolBar.Module, MAKEINTRESOURCEA(kPages[i].TemplateId), dialog,
                                       kPages[i].Proc, (LPARAM)data);
        data->Pages[i] = page;
        if (page)
            SetWindowPos(page, HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_HIDEWINDOW);
    }
    int shown = PageIndex(data, g_toolBar.SelectedTab);
    TabCtrl_SetCurSel(tab, shown);
    ShowPage(data, shown);
}

// The pages store their controls into the copy, which becomes the live settings whole; the bar follows them.
void Apply(HWND dialog, ToolBarSetDlgData* data)
{
    SendToPages(data, IDC_TBSET_BTN_APPLY);
    ToolBarSetting work = *data->Work;
    {
        ToolBarLock lock(true);
        // The bar may have moved while the dialog was open; its place stays unless the dialog sent it home.
        if (!data->MovedHome) {
            work.WindowX = g_toolBar.File.Setting.WindowX;
            work.WindowY = g_toolBar.File.Setting.WindowY;
        }
        g_toolBar.File.Setting = work;
    }
    data->MovedHome = 0;
    SaveToolBarSetting();
    RefreshToolBar();
}

void End(HWND dialog, ToolBarSetDlgData* data, WORD command)
{
    SendToPages(data, command);
    memset(data->Pages, 0, sizeof(data->Pages));
    DestroyTips(data);
    EndDialog(dialog, command);
}

void MoveHome(HWND dialog, ToolBarSetDlgData* data)
{
    if (TellUser(dialog, kAskHome, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    data->Work->WindowX = 0;
    data->Work->WindowY = 0;
    data->MovedHome = 1;
    ToolBarSetWindowPos(0, 0);
}

void ShowHelp(HWND dialog, ToolBarSetDlgData* data)
{
    long tab = g_toolBar.SelectedTab;
    char topic[128];
    if (tab <= kHelpTabs)
        snprintf(topic, sizeof(topic), kHelpTopicOfTab, tab + 1);
    else
        SafeStrCpy(topic, sizeof(topic), kHelpTopic);
    ShowToolBarHelp(dialog, topic);
    CreateToolBarSetToolTips(dialog, data);
}

INT_PTR OnInitDialog(HWND dialog, ToolBarSetDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    if (!data)
        return TRUE;
    if (g_toolBar.Info)
        g_toolBar.Info->SetWindowIcons(dialog, g_toolBar.BigIcon, g_toolBar.SmallIcon);
    CreatePages(dialog, data);
    PlaceWindowAtCursor(dialog, kPlaceMargin, 1);
    CreateToolBarSetToolTips(dialog, data);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    ToolBarSetDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_TBSET_BTN_APPLY:
        Apply(dialog, data);
        CreateToolBarSetToolTips(dialog, data);
        return TRUE;
    case IDOK:
        Apply(dialog, data);
        End(dialog, data, IDOK);
        return TRUE;
    case IDCANCEL:
        End(dialog, data, IDCANCEL);
        return TRUE;
    case IDC_TBSET_BTN_HOME:
        MoveHome(dialog, data);
        return TRUE;
    case IDHELP:
        ShowHelp(dialog, data);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    ToolBarSetDlgData* data = DialogData(dialog);
    if (!data || header->idFrom != IDC_TBSET_TAB || header->code != TCN_SELCHANGE)
        return FALSE;
    ShowPage(data, TabCtrl_GetCurSel(header->hwndFrom));
    return TRUE;
}

INT_PTR CALLBACK ToolBarSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (ToolBarSetDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_SETCURSOR:
        if (DialogData(dialog))
            RelayDialogToolTip(DialogData(dialog)->ToolTip, wParam, lParam);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

int PageNumber(HWND page, int id, int minimum, int maximum, int fallback)
{
    BOOL number = FALSE;
    UINT value = GetDlgItemInt(page, id, &number, FALSE);
    if (!number)
        return fallback;
    return value < (UINT)minimum ? minimum : value > (UINT)maximum ? maximum : (int)value;
}

INT_PTR RunToolBarSettings(HWND owner)
{
    // One settings dialog at a time: the bar's menu and the host both open it.
    if (g_toolBar.SettingsOpen)
        return IDCANCEL;
    ToolBarSetDlgData data = {};
    data.Work = (ToolBarSetting*)AllocZeroed(sizeof(ToolBarSetting));
    if (!data.Work) {
        TellUser(owner, kNoMemory, MB_OK | MB_ICONWARNING);
        return IDCANCEL;
    }
    *data.Work = CopyToolBarSetting();
    g_toolBar.SettingsOpen = 1;
    INT_PTR result = DialogBoxParamA(g_toolBar.Module, MAKEINTRESOURCEA(IDD_TOOLBAR_SET), owner, ToolBarSetDlgProc,
                                     (LPARAM)&data);
    g_toolBar.SettingsOpen = 0;
    HeapFree(GetProcessHeap(), 0, data.Work);
    return result == IDOK ? IDOK : IDCANCEL;
}
