// The settings dialog's frame: the working copy, the tabs and their pages, Apply, OK, Cancel, the preview button and
// help. The pages are in their own files (Page*.cpp), the preview in PreviewWindow.cpp.
#include "SettingsDialog.h"

#include <commctrl.h>
#include <string.h>

#include "AppInfo.h"
#include "CalendarFrame.h"
#include "CalendarRender.h"
#include "ContextMenu.h"
#include "EnvData.h"
#include "ModuleBinding.h"
#include "Program.h"
#include "ProgramResource.h"
#include "SettingsDialogIds.h"
#include "SettingsRules.h"
#include "SettingsToolTips.h"
#include "Trace.h"
#include "Transparency.h"
#include "TrayIcon.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kNoMemory[] = "メモリが足りません";
const size_t kHelpTopicSize = 128;
// The pages other than the shown one, and the first tooltips, are made after the dialog has painted, one step per tick
// of this timer: its ticks come only when no input and no painting waits.
const UINT_PTR kPageTimer = 1;
const UINT kPageTimerMs = USER_TIMER_MINIMUM;

struct SettingsPageKind {
    const char* Label;
    int TemplateId;
    DLGPROC Proc;
    void (*Prepare)(EnvData* work);  // what the page takes into the working copy as the dialog opens, or null
};

const SettingsPageKind kPages[SETTINGS_PAGE_COUNT] = {
    {" 全体 ", IDD_SETTINGS_GENERAL, EnvGeneralProc, nullptr},
    {" 年 ", IDD_SETTINGS_YEAR, EnvYearProc, nullptr},
    {" 月 ", IDD_SETTINGS_MONTH, EnvMonthProc, nullptr},
    {" 曜日 ", IDD_SETTINGS_WEEK, EnvWeekProc, nullptr},
    {" 日付 ", IDD_SETTINGS_DATE, EnvDateProc, nullptr},
    {" 配置 ", IDD_SETTINGS_LAYOUT, EnvLayoutProc, nullptr},
    {" フォントと色 ", IDD_SETTINGS_FONTCOLOR, EnvFontColorProc, PrepareFontColorPage},
    {" マーク ", IDD_SETTINGS_MARK, EnvMarkProc, nullptr},
    {" ウィンドウ ", IDD_SETTINGS_WINDOW, EnvWindowProc, nullptr},
    {" 透明化 ", IDD_SETTINGS_TRANSPARENT, EnvTransparentProc, nullptr},
    {" ホットスポット ", IDD_SETTINGS_HOTSPOT, EnvHotSpotProc, nullptr},
    {" 動作設定 ", IDD_SETTINGS_ACTION, EnvActionProc, nullptr},
    {" ツールチップ ", IDD_SETTINGS_TOOLTIP, EnvToolTipProc, PrepareToolTipPage},
    {" その他 ", IDD_SETTINGS_OTHER, EnvOtherProc, nullptr},
};

// One settings dialog at a time: the calendar's menu, the tray and the toolbar all reach command 501.
struct SettingsDialogState {
    int Open;
    HWND Dialog;
    HWND Tab;
    EnvData* Work;
    HWND Pages[SETTINGS_PAGE_SLOTS];
    BYTE Visited[SETTINGS_PAGE_SLOTS];
    BYTE Tried[SETTINGS_PAGE_SLOTS];  // the page's creation was tried (a page that could not be made stays empty)
    RECT PageArea;
    int TipsPending;  // the shown page's and the buttons' tooltips are made on the first tick
    int CalendarDirty;
};

SettingsDialogState s_dialog;

EnvData* Live()
{
    return g_program.Env;
}

void SendToPages(WORD command)
{
    for (HWND page : s_dialog.Pages) {
        if (page)
            SendMessageA(page, WM_COMMAND, command, 0);
    }
}

void CloseAllPages(WORD command)
{
    SendToPages(command);
    memset(s_dialog.Pages, 0, sizeof(s_dialog.Pages));
}

// Marks the tab's page visited; its control tooltips are installed on the first visit.
void VisitPage(int slot)
{
    if (s_dialog.Visited[slot])
        return;
    s_dialog.Visited[slot] = 1;
    SetPageToolTips(slot, s_dialog.Pages[slot], 1);
}

void ShowPage(int tab)
{
    for (HWND page : s_dialog.Pages) {
        if (page)
            ShowWindow(page, SW_HIDE);
    }
    int slot = ShownPageSlot(tab, s_dialog.Pages);
    s_dialog.Work->TabSelect = (BYTE)slot;
    if (s_dialog.Pages[slot])
        ShowWindow(s_dialog.Pages[slot], SW_SHOW);
    if (!s_dialog.TipsPending)
        VisitPage(slot);
}

// The tab control's display area in the dialog's coordinates.
RECT PageArea(HWND dialog, HWND tab)
{
    RECT area;
    GetClientRect(tab, &area);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    MapWindowPoints(tab, dialog, (POINT*)&area, 2);
    return area;
}

// Makes the page of slot from its template, hidden in the page area above the tab control. Each page is tried once.
void MakePage(HWND dialog, int slot)
{
    if (slot < 0 || slot >= SETTINGS_PAGE_COUNT || s_dialog.Tried[slot])
        return;
    s_dialog.Tried[slot] = 1;
    HWND page = CreateDialogParamA(ResourceDll(), MAKEINTRESOURCEA(kPages[slot].TemplateId), dialog,
                                   kPages[slot].Proc, 0);
    if (!page) {
        Trace("settings page %d not made (%lu)", kPages[slot].TemplateId, GetLastError());
        return;
    }
    s_dialog.Pages[slot] = page;
    const RECT& area = s_dialog.PageArea;
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
}

// The first slot whose page was not tried yet, or -1.
int NextPageToMake()
{
    for (int slot = 0; slot < SETTINGS_PAGE_COUNT; slot++) {
        if (!s_dialog.Tried[slot])
            return slot;
    }
    return -1;
}

// A page made after the opening sets its enabled states from the working copy as the pages made at once did.
void MakeLatePage(HWND dialog, int slot)
{
    MakePage(dialog, slot);
    if (s_dialog.Pages[slot])
        SendMessageA(s_dialog.Pages[slot], WM_COMMAND, SETTINGS_PAGE_REFRESH, 0);
}

// The tooltips that the opening left for later: the shown page's and the buttons'.
void MakePendingTips(HWND dialog)
{
    if (!s_dialog.TipsPending)
        return;
    s_dialog.TipsPending = 0;
    if (s_dialog.Work)
        VisitPage(s_dialog.Work->TabSelect);
    SetEnvDlgToolTips(dialog, 1);
}

// Apply, OK, the preview and a change of tab work on every page: the pages not made yet are made now.
void MakeAllPages(HWND dialog)
{
    KillTimer(dialog, kPageTimer);
    MakePendingTips(dialog);
    for (int slot = NextPageToMake(); slot >= 0; slot = NextPageToMake())
        MakeLatePage(dialog, slot);
}

// The first tooltips, then one page per tick, so that the dialog answers the user between two pages.
INT_PTR OnTimer(HWND dialog, WPARAM timer)
{
    if (timer != kPageTimer || !s_dialog.Open || s_dialog.Dialog != dialog)
        return FALSE;
    int slot = NextPageToMake();
    if (s_dialog.TipsPending)
        MakePendingTips(dialog);
    else if (slot >= 0)
        MakeLatePage(dialog, slot);
    if (NextPageToMake() < 0)
        KillTimer(dialog, kPageTimer);
    return TRUE;
}

void ClosePreview()
{
    EnvData* live = Live();
    if (live && live->PreviewWindow) {
        SendMessageA(live->PreviewWindow, WM_COMMAND, SETTINGS_PREVIEW_CLOSE, 0);
        live->PreviewWindow = nullptr;
    }
}

void ApplyZOrder(HWND dialog, HWND window, const EnvData* live)
{
    HWND after = live->WindowOrder == 2 ? HWND_BOTTOM : live->WindowOrder == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The window owns a region once it is handed over and frees it when it gets another: none is deleted here.
void ReshapeWindow(HWND window, EnvData* live)
{
    if (live->WindowRegion) {
        SetWindowRgn(window, nullptr, TRUE);
        live->WindowRegion = nullptr;
    }
    live->WindowRegion = MakeWindowRegion(window, live->FrameShape, live->RoundWidth);
}

// The window, the tray, the menu and the keyboard table follow the applied settings.
void ReapplyCalendar(HWND dialog, EnvData* live)
{
    HWND window = live->MainWindow;
    UpdateTrayIcon(live, 1);
    RebuildContextMenu(live);
    if (live->UseTaskTray != 1 && live->Transparency.TransparentAlpha == 0)
        live->Transparency.TransparentAlpha = 1;
    if (!window)
        return;
    ApplyTransparency(window, &live->Transparency, 0);
    ApplyZOrder(dialog, window, live);
    ReshapeWindow(window, live);
}

// The program's rows of the user's own names follow the applied lists; the working copy never touches them, so a
// cancelled dialog leaves the live names.
void RefillNameRowsFromLive(EnvData* live)
{
    RefillNameRow(g_program.Settings.MonthUserNames, MONTH_USER_NAME_COUNT, live->MonthUserStr);
    RefillNameRow(g_program.Settings.WeekUserNames, WEEK_USER_NAME_COUNT, live->WeekUserStr);
}

void Apply(HWND dialog)
{
    EnvData* live = Live();
    if (!live || !s_dialog.Work)
        return;
    MakeAllPages(dialog);
    SendToPages(SETTINGS_PAGE_STORE);
    if (!CopyPersistedSettings(live, s_dialog.Work)) {
        TellUser(dialog, kNoMemory, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The month page's arrow-key options choose the keyboard table, which reads the live record.
    LoadProgramAccelerators();
    RefillNameRowsFromLive(live);
    RECT rect;
    if (live->MainWindow && GetWindowRect(live->MainWindow, &rect)) {
        live->WindowX = rect.left;
        live->WindowY = rect.top;
    }
    live->TabSelect = s_dialog.Work->TabSelect;
    delete live->BackPicture;
    live->BackPicture = nullptr;
    if (s_dialog.CalendarDirty == 1)
        RefreshCalendar(0);
    SaveEnv(&g_program.Settings, live, SETTINGS_SCOPE_ALL);
    BuildMyHolidayPath();
    s_dialog.CalendarDirty = 0;
    EnableWindow(GetDlgItem(dialog, IDC_SETTINGS_BTN_APPLY), FALSE);
    ReapplyCalendar(dialog, live);
}

void FreeWork()
{
    DeleteWorkingCopy(s_dialog.Work);
    s_dialog.Work = nullptr;
}

void Close(HWND dialog, WORD command)
{
    KillTimer(dialog, kPageTimer);
    s_dialog.Work = nullptr;
    SetEnvDlgToolTips(dialog, 0);
    s_dialog.Dialog = nullptr;
    s_dialog.Tab = nullptr;
    s_dialog.Open = 0;
    EndDialog(dialog, command);
    ResourceDllAcquire(0);
}

void OnOk(HWND dialog)
{
    MakeAllPages(dialog);
    SendMessageA(dialog, WM_COMMAND, IDC_SETTINGS_BTN_APPLY, 0);
    ClosePreview();
    CloseAllPages(IDOK);
    if (Live())
        SaveEnv(&g_program.Settings, Live(), SETTINGS_SCOPE_ALL);
    FreeWork();
    Close(dialog, IDOK);
}

// The pages not made yet are left unmade: what their opening would give the working copy is thrown away with it.
void OnCancel(HWND dialog)
{
    ClosePreview();
    CloseAllPages(IDCANCEL);
    FreeWork();
    Close(dialog, IDCANCEL);
}

void TogglePreview(HWND dialog)
{
    EnvData* live = Live();
    s_dialog.CalendarDirty = 1;
    if (!live)
        return;
    MakeAllPages(dialog);
    if (live->PreviewWindow) {
        ClosePreview();
        return;
    }
    live->PreviewWindow = CreateDialogParamA(g_program.Instance, MAKEINTRESOURCEA(IDD_SETTINGS_PREVIEW), dialog,
                                             EnvPreviewProc, 0);
    if (!live->PreviewWindow)
        Trace("the settings preview was not made (%lu)", GetLastError());
}

void ShowHelp(HWND dialog)
{
    char topic[kHelpTopicSize];
    SettingsHelpTopic(TabCtrl_GetCurSel(s_dialog.Tab), topic, sizeof(topic));
    if (g_program.Info)
        g_program.Info->ShowProgramHelp(dialog, topic);
}

INT_PTR OnInitDialog(HWND dialog)
{
    if (s_dialog.Open) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    EnvData* live = Live();
    EnvData* work = NewWorkingCopy(live);
    if (!work) {
        TellUser(GetParent(dialog), kNoMemory, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    s_dialog = {};
    s_dialog.Open = 1;
    s_dialog.Dialog = dialog;
    s_dialog.Work = work;
    AppInfo::SetWindowIcons(dialog, ProgramIcon(PROGRAM_ICON_LARGE), ProgramIcon(PROGRAM_ICON_SMALL));
    live->PreviewWindow = nullptr;
    EnableWindow(GetDlgItem(dialog, IDC_SETTINGS_BTN_APPLY), FALSE);
    ResourceDllAcquire(1);
    s_dialog.Tab = GetDlgItem(dialog, IDC_SETTINGS_TAB);
    s_dialog.TipsPending = 1;
    // Without the pages made at once none is made later.
    if (!EnvCreatePages(dialog))
        memset(s_dialog.Tried, 1, sizeof(s_dialog.Tried));
    SetTimer(dialog, kPageTimer, kPageTimerMs, nullptr);
    // The shown page sets its enabled states.
    SendToPages(SETTINGS_PAGE_REFRESH);
    if (!GetParent(dialog))
        PlaceWindowBeside(dialog, PLACE_CENTRE, nullptr);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    if (!s_dialog.Open || s_dialog.Dialog != dialog)
        return FALSE;
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: OnCancel(dialog); return TRUE;
    case SETTINGS_PAGE_REFRESH: SendToPages(SETTINGS_PAGE_REFRESH); break;
    case IDC_SETTINGS_BTN_HELP: ShowHelp(dialog); break;
    case IDC_SETTINGS_BTN_APPLY: Apply(dialog); break;
    case IDC_SETTINGS_BTN_PREVIEW: TogglePreview(dialog); break;
    default: return FALSE;
    }
    // The buttons' tooltips follow the balloon option from one command to the next.
    SetEnvDlgToolTips(dialog, 1);
    return TRUE;
    return FALSE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    if (!s_dialog.Open || header->idFrom != IDC_SETTINGS_TAB || header->code != TCN_SELCHANGE)
        return FALSE;
    MakeAllPages(dialog);
    int tab = TabCtrl_GetCurSel(header->hwndFrom);
    // The live record keeps the tab even when the dialog is cancelled.
    if (Live())
        Live()->TabSelect = (BYTE)(tab < 0 ? 0 : tab);
    ShowPage(tab);
    return TRUE;
}

}  // namespace

INT_PTR ShowSettingsDialog(HWND owner)
{
    HMODULE module = ResourceDll();
    if (!module)
        return IDCANCEL;
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), owner, EnvDlgProc, 0);
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CALLBACK EnvDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_TIMER:
        return OnTimer(dialog, wParam);
    case WM_SETCURSOR:
        RelaySettingsToolTips(wParam, lParam);
        return FALSE;
    }
    return FALSE;
}

int EnvCreatePages(HWND dialog)
{
    HWND tab = GetDlgItem(dialog, IDC_SETTINGS_TAB);
    for (int i = 0; i < SETTINGS_PAGE_COUNT; i++) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (char*)kPages[i].Label;
        SendMessageA(tab, TCM_INSERTITEMA, (WPARAM)i, (LPARAM)&item);
    }
    SetFocus(tab);
    if (!ResourceDll() || !s_dialog.Work)
        return 0;
    memset(s_dialog.Pages, 0, sizeof(s_dialog.Pages));
    memset(s_dialog.Tried, 0, sizeof(s_dialog.Tried));
    for (const SettingsPageKind& kind : kPages) {
        if (kind.Prepare)
            kind.Prepare(s_dialog.Work);
    }
    s_dialog.PageArea = PageArea(dialog, tab);
    // The stored tab's page, or the first page when that one is not there or cannot be made.
    MakePage(dialog, s_dialog.Work->TabSelect);
    int shown = ShownPageSlot(s_dialog.Work->TabSelect, s_dialog.Pages);
    MakePage(dialog, shown);
    TabCtrl_SetCurSel(tab, shown);
    ShowPage(shown);
    return 1;
}

EnvData* SettingsWorkingCopy()
{
    return s_dialog.Work;
}

void SetSettingsCalendarDirty()
{
    s_dialog.CalendarDirty = 1;
}

HWND SettingsPreviewWindow()
{
    EnvData* live = Live();
    return live ? live->PreviewWindow : nullptr;
}

int SettingsPageSlot(HWND page)
{
    for (int i = 0; page && i < SETTINGS_PAGE_SLOTS; i++) {
        if (s_dialog.Pages[i] == page)
            return i;
    }
    return -1;
}

void EnableSettingsApply()
{
    if (s_dialog.Dialog)
        EnableWindow(GetDlgItem(s_dialog.Dialog, IDC_SETTINGS_BTN_APPLY), TRUE);
}
