#include "MiniMemoSettingsDialog.h"

#include <commctrl.h>
#include <stdio.h>

#include <iterator>

#include "AppInfo.h"
#include "CaptionButton.h"
#include "DialogTheme.h"
#include "MiniMemoPaint.h"
#include "MiniMemoWindow.h"
#include "StrUtil.h"
#include "VersionDialog.h"
#include "WindowPlacement.h"

namespace {

const char kHelpTopicOfTab[] = "_RESOURCE/Help-howtouse.html#tab%02d";
const char kHelpTopic[] = "_RESOURCE/Help-howtouse.html";
const int kHelpTabs = 8;

struct Page {
    const char* Label;
    int TemplateId;
    DLGPROC Proc;
};

const Page kPages[] = {
    {" 表示 ", IDD_MINIMEMO_PAGE_DISPLAY, PageDisplayProc},
    {" 文字 ", IDD_MINIMEMO_PAGE_TEXT, PageTextProc},
    {" ウィンドウ1 ", IDD_MINIMEMO_PAGE_WINDOW1, PageWindow1Proc},
    {" ウィンドウ2 ", IDD_MINIMEMO_PAGE_WINDOW2, PageWindow2Proc},
    {" 透明化 ", IDD_MINIMEMO_PAGE_TRANSPARENCY, PageTransparencyProc},
};
static_assert(std::size(kPages) <= MINIMEMO_PAGE_SLOTS, "every page has a slot");

MiniMemoSettingsDlgData* DialogData(HWND dialog)
{
    return (MiniMemoSettingsDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

void SendToPages(MiniMemoSettingsDlgData* data, WORD command)
{
    for (HWND page : data->Pages) {
        if (page)
            SendMessageA(page, WM_COMMAND, command, 0);
    }
}

void ShowPage(MiniMemoSettingsDlgData* data, int tab)
{
    int index = tab >= 0 && tab < MINIMEMO_PAGE_SLOTS && data->Pages[tab] ? tab : 0;
    g_miniMemo.SelectedTab = index;
    for (HWND page : data->Pages) {
        if (page)
            ShowWindow(page, SW_HIDE);
    }
    if (data->Pages[index])
        ShowWindow(data->Pages[index], SW_SHOW);
}

void CreatePages(HWND dialog, MiniMemoSettingsDlgData* data)
{
    HWND tab = GetDlgItem(dialog, IDC_MINIMEMO_TAB);
    // The pages lie over the tab control, which must not paint over them.
    SetWindowLongPtrA(tab, GWL_STYLE, GetWindowLongPtrA(tab, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (int i = 0; i < (int)std::size(kPages); i++) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (char*)kPages[i].Label;
        SendMessageA(tab, TCM_INSERTITEMA, i, (LPARAM)&item);
    }
    // The display area is known once the tabs are in.
    RECT area;
    GetWindowRect(tab, &area);
    MapWindowPoints(HWND_DESKTOP, dialog, (POINT*)&area, 2);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    for (int i = 0; i < (int)std::size(kPages); i++) {
        HWND page = CreateDialogParamA(g_miniMemo.Module, MAKEINTRESOURCEA(kPages[i].TemplateId), dialog,
                                       kPages[i].Proc, (LPARAM)data);
        if (!page)
            continue;
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_HIDEWINDOW);
        data->Pages[i] = page;
    }
    int selected = g_miniMemo.SelectedTab;
    if (selected < 0 || selected >= MINIMEMO_PAGE_SLOTS || !data->Pages[selected])
        selected = 0;
    TabCtrl_SetCurSel(tab, selected);
    ShowPage(data, selected);
}

void Apply(MiniMemoSettingsDlgData* data)
{
    SendToPages(data, MINIMEMO_PAGE_STORE);
    SaveMiniMemoSettings(data->Settings, MiniMemoWindow(), g_miniMemo.IniPath);
    if (MiniMemoWindow() && IsWindow(MiniMemoWindow()))
        SendMessageA(MiniMemoWindow(), WM_COMMAND, IDM_MINIMEMO_REBUILD, 0);
}

void End(HWND dialog, MiniMemoSettingsDlgData* data, WORD command)
{
    SendToPages(data, command);
    for (HWND& page : data->Pages)
        page = nullptr;
    InterlockedExchange(&g_miniMemo.DialogOpen, 0);
    EndDialog(dialog, command);
}

void ShowHelp(HWND dialog)
{
    int tab = TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_MINIMEMO_TAB));
    char topic[128];
    if (tab >= 0 && tab <= kHelpTabs)
        snprintf(topic, sizeof(topic), kHelpTopicOfTab, tab + 1);
    else
        SafeStrCpy(topic, sizeof(topic), kHelpTopic);
    ShowMiniMemoHelp(dialog, topic);
}

INT_PTR OnInitDialog(HWND dialog, MiniMemoSettingsDlgData* data)
{
    // A second dialog from the menu, a double-click or the export closes at once.
    if (!data || InterlockedExchange(&g_miniMemo.DialogOpen, 1) != 0) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    AppInfo::SetWindowIcons(dialog, g_miniMemo.BigIcon, g_miniMemo.SmallIcon);
    CreatePages(dialog, data);
    if (!GetWindow(dialog, GW_OWNER))
        PlaceWindowBeside(dialog, PLACE_CENTRE, nullptr);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    MiniMemoSettingsDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    switch (id) {
    case IDOK:
        Apply(data);
        End(dialog, data, IDOK);
        return TRUE;
    case IDC_MINIMEMO_BTN_APPLY:
        Apply(data);
        return TRUE;
    case IDCANCEL:
        End(dialog, data, IDCANCEL);
        return TRUE;
    case IDC_MINIMEMO_BTN_HELP:
        ShowHelp(dialog);
        return TRUE;
    case IDC_MINIMEMO_BTN_VERSION:
        ShowAboutBox(g_miniMemo.Module, IDD_MINIMEMO_ABOUT, dialog, g_miniMemo.BigIcon, g_miniMemo.SmallIcon, nullptr,
                     g_miniMemo.Info, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    MiniMemoSettingsDlgData* data = DialogData(dialog);
    if (!data || header->idFrom != IDC_MINIMEMO_TAB || header->code != TCN_SELCHANGE)
        return FALSE;
    ShowPage(data, TabCtrl_GetCurSel(header->hwndFrom));
    return TRUE;
}

}  // namespace

INT_PTR ShowMiniMemoSettingsDialog(HWND owner)
{
    if (g_miniMemo.DialogOpen)
        return IDCANCEL;
    MiniMemoSettingsDlgData data = {};
    data.Settings = &g_miniMemo.Settings;
    INT_PTR result = DialogBoxParamA(g_miniMemo.Module, MAKEINTRESOURCEA(IDD_MINIMEMO_SETTINGS),
                                     owner && IsWindow(owner) ? owner : nullptr, MiniMemoSettingsDlgProc,
                                     (LPARAM)&data);
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CALLBACK MiniMemoSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, (MiniMemoSettingsDlgData*)lParam);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY: return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_CLOSE:
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    return FALSE;
}

int ReadPageNumber(HWND page, int id, int low, int high)
{
    BOOL ok = FALSE;
    UINT value = GetDlgItemInt(page, id, &ok, FALSE);
    if (!ok)
        return low;
    return value > (UINT)high ? high : (int)value < low ? low : (int)value;
}

int IsPageChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

void CheckPageBox(HWND page, int id, int on)
{
    CheckDlgButton(page, id, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void DrawColorButton(const DRAWITEMSTRUCT* item, const char* text, COLORREF color)
{
    // The caption stays readable on dark and light colours alike.
    int light = GetRValue(color) * 3 + GetGValue(color) * 6 + GetBValue(color);
    COLORREF ink = light > 1280 ? RGB(0, 0, 0) : RGB(255, 255, 255);
    DrawCaptionButton(item, text, nullptr, BUTTON_SHAPE_SQUARE, 0, ink, ink, color, CAPTION_BUTTON_LIGHT,
                      CAPTION_BUTTON_DARK);
}

void DrawFontButton(const DRAWITEMSTRUCT* item, const LOGFONTA* font)
{
    bool japanese = font->lfCharSet == SHIFTJIS_CHARSET;
    DrawCaptionButton(item, japanese ? "フォント" : "Font", font, BUTTON_SHAPE_SQUARE, 0, GetSysColor(COLOR_MENUTEXT),
                      GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_MENU), CAPTION_BUTTON_LIGHT, CAPTION_BUTTON_DARK);
}

int EndPageOnCommand(HWND page, WORD id)
{
    if (id != MINIMEMO_PAGE_OK && id != MINIMEMO_PAGE_CANCEL)
        return 0;
    DestroyWindow(page);
    return 1;
}
