#include "MemorialDialog.h"

#include <stdio.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "LanguageResources.h"
#include "MemorialDays.h"
#include "MemorialSettingsFile.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kHelpTopic[] = "_RESOURCE/Help-howtouse06.html";
const char kNoMemory[] = "メモリが足りません";
const int kPlaceMargin = 5;

// One memorial dialog at a time.
bool s_dialogOpen = false;

MemorialDlgData* DialogData(HWND dialog)
{
    return (MemorialDlgData*)GetWindowLongPtrA(dialog, DWLP_USER);
}

int IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

void Check(HWND dialog, int id, int on)
{
    CheckDlgButton(dialog, id, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// The age follows a name in the tooltip, so it can be chosen only while the names show there; it keeps its state.
void EnableAge(HWND dialog, int showToolTip)
{
    EnableWindow(GetDlgItem(dialog, IDC_MEMORIAL_CHECK_AGE), showToolTip == 1);
}

const char* AppNameOf(const MemorialDlgData* data)
{
    return data->Info ? data->Info->GetAppName() : DAYLENS_PROGRAM_NAME;
}

const char* ProgramDirOf(const MemorialDlgData* data)
{
    return data->Info ? data->Info->GetProgramDir() : "";
}

// "設定": the options become the live settings and are saved; a changed per-user choice takes the new file's
// memorial days when that file exists.
void Apply(MemorialDlgData* data)
{
    MemorialSettings& live = g_memorialSettings;
    live.MemorialPopup = data->Popup;
    live.MemorialShowToolTip = data->ShowToolTip;
    live.MemorialCount = data->Count;
    live.MemorialIndividual = data->Individual;
    SwitchMemorialFile(ProgramDirOf(data), FindExport(data->Module, LanguageModule::kLoadHoliday));
    SaveMemorialSettings(&live, data->IniPath, AppNameOf(data));
    if (data->Env && data->Env->MainWindow)
        SendMessageA(data->Env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
}

void ShowHelp(HWND dialog, MemorialDlgData* data)
{
    if (!data->Info)
        return;
    data->Info->ShowProgramHelp(dialog, kHelpTopic);
}

INT_PTR OnInitDialog(HWND dialog, MemorialDlgData* data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)data);
    if (!data)
        return TRUE;
    AppInfo::SetWindowIcons(dialog, data->BigIcon, data->SmallIcon);
    Check(dialog, IDC_MEMORIAL_CHECK_POPUP, data->Popup);
    Check(dialog, IDC_MEMORIAL_CHECK_TOOLTIP, data->ShowToolTip);
    Check(dialog, IDC_MEMORIAL_CHECK_AGE, data->Count);
    Check(dialog, IDC_MEMORIAL_CHECK_PERUSER, data->Individual);
    EnableAge(dialog, data->ShowToolTip);
    PlaceWindowAtCursor(dialog, kPlaceMargin, 1);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id)
{
    MemorialDlgData* data = DialogData(dialog);
    if (!data)
        return FALSE;
    switch (id) {
    case IDC_MEMORIAL_BTN_DATES:
        if (EditMemorialDays(dialog, data->Module, data->Env, data->IniPath, AppNameOf(data)) && data->Env &&
            data->Env->MainWindow) {
            SendMessageA(data->Env->MainWindow, WM_COMMAND, IDM_SAVE, 0);
            SendMessageA(data->Env->MainWindow, WM_COMMAND, IDM_REDRAW, 0);
        }
        return TRUE;
    case IDC_MEMORIAL_CHECK_POPUP:
        data->Popup = IsChecked(dialog, id);
        return TRUE;
    case IDC_MEMORIAL_CHECK_TOOLTIP:
        data->ShowToolTip = IsChecked(dialog, id);
        EnableAge(dialog, data->ShowToolTip);
        return TRUE;
    case IDC_MEMORIAL_CHECK_AGE:
        data->Count = IsChecked(dialog, id);
        return TRUE;
    case IDC_MEMORIAL_CHECK_PERUSER:
        data->Individual = IsChecked(dialog, id);
        return TRUE;
    case IDOK:
        Apply(data);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDHELP:
        ShowHelp(dialog, data);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int EditMemorialDays(HWND owner, HMODULE module, EnvData* env, const char* iniPath, const char* appName)
{
    auto dialog = FindExport(module, LanguageModule::kSetHolidayDlg);
    if (!dialog || !env)
        return 0;
    int tableCount = 0;
    MemorialDaysOnMainThread(&tableCount);
    int count = 0;
    HolidayRecord* copy = CopyMemorialDays(&count);
    if (!copy && tableCount > 0) {
        // Editing an empty copy would save an empty list over the user's memorial days.
        TellUser(owner, kNoMemory, MB_OK | MB_ICONWARNING);
        return 0;
    }
    unsigned int edited = (unsigned int)count;
    FontStyle style = g_memorialSettings.MemorialStyle;
    if (dialog(owner, HOLIDAY_LIST_MEMORIAL, env, &copy, &edited, &style, &env->ClickedDate,
               g_memorialSettings.MemorialPath) != 1) {
        FreeHolidayList(copy, (int)edited);
        return 0;
    }
    ReplaceMemorialDays(copy, (int)edited);
    g_memorialSettings.MemorialStyle = style;
    SaveMemorialSettings(&g_memorialSettings, iniPath, appName);
    return 1;
}

INT_PTR ShowMemorialDialog(HINSTANCE module, HWND owner, EnvData* env, AppInfo* info, const char* iniPath,
                           HICON bigIcon, HICON smallIcon)
{
    if (s_dialogOpen || !module)
        return IDCANCEL;
    MemorialDlgData data = {};
    data.Module = module;
    data.Env = env;
    data.Info = info;
    data.IniPath = iniPath;
    data.BigIcon = bigIcon;
    data.SmallIcon = smallIcon;
    data.Popup = g_memorialSettings.MemorialPopup;
    data.ShowToolTip = g_memorialSettings.MemorialShowToolTip;
    data.Count = g_memorialSettings.MemorialCount;
    data.Individual = g_memorialSettings.MemorialIndividual;
    s_dialogOpen = true;
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_MEMORIAL), owner, MemorialDlgProc, (LPARAM)&data);
    s_dialogOpen = false;
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CALLBACK MemorialDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (MemorialDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}
