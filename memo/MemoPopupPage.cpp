// Page " ポップアップ " of the memo settings: the popup at start and its set time, tomorrow's memo at a set time, the
// popup after a resume from sleep and the sound of a popup.
#include "MemoSettingsDialog.h"

#include <commctrl.h>

#include "DialogTheme.h"
#include "FileDialogs.h"
#include "MemoSettingsRules.h"
#include "RuntimeCalls.h"
#include "StrUtil.h"
#include "UpDownControl.h"

namespace {

const char kTimeFormat[] = "HH':'mm";
const char kSoundTitle[] = "お知らせ音を選択";
const char kSoundFilter[] = "音声ファイル\0*.wav\0";
const int kIntervalMax = 86400;

MemoSettings* Work(HWND page)
{
    MemoSettingsDlgData* data = (MemoSettingsDlgData*)GetWindowLongPtrA(page, DWLP_USER);
    return data ? data->Work : nullptr;
}

int IsChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

void Check(HWND page, int id, int on)
{
    CheckDlgButton(page, id, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// Today at hour:minute. An unset time shows no time (the picker unchecked) with unsetShowsNone 1, else the time
// now, so that the time is set as soon as its check box is.
void ShowTime(HWND page, int id, int hour, int minute, int unsetShowsNone)
{
    HWND picker = GetDlgItem(page, id);
    SendMessageA(picker, DTM_SETFORMATA, 0, (LPARAM)kTimeFormat);
    int set = IsPopupTimeSet(hour, minute);
    SYSTEMTIME time;
    GetLocalTime(&time);
    // Wine's picker wants a time even with GDT_NONE.
    if (!set && unsetShowsNone) {
        SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&time);
        return;
    }
    if (set) {
        time.wHour = (WORD)hour;
        time.wMinute = (WORD)minute;
    }
    time.wSecond = 0;
    time.wMilliseconds = 0;
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&time);
}

void ReadTime(HWND page, int id, int* hour, int* minute)
{
    SYSTEMTIME time = {};
    DWORD result = (DWORD)SendDlgItemMessageA(page, id, DTM_GETSYSTEMTIME, 0, (LPARAM)&time);
    PickerTime(result, &time, hour, minute);
}

void EnableStartPopup(HWND page, const MemoSettings* work)
{
    BOOL on = work->MemoPopup == 1;
    EnableWindow(GetDlgItem(page, IDC_MEMOPOPUP_CHECK_HIDELATE), on);
    EnableWindow(GetDlgItem(page, IDC_MEMOPOPUP_CHECK_TOMORROWLATE), on);
    EnableWindow(GetDlgItem(page, IDC_MEMOPOPUP_TIME_START), on);
}

// The start popup's time as its picker shows it; tomorrow's time unset unless its box is checked.
void StoreTimes(HWND page, MemoSettings* work)
{
    ReadTime(page, IDC_MEMOPOPUP_TIME_START, &work->MemoPopupTimeHour, &work->MemoPopupTimeMinute);
    if (IsChecked(page, IDC_MEMOPOPUP_CHECK_TOMORROW))
        ReadTime(page, IDC_MEMOPOPUP_TIME_TOMORROW, &work->MemoTomorrowHour, &work->MemoTomorrowMinute);
    else
        work->MemoTomorrowHour = work->MemoTomorrowMinute = MEMO_TIME_UNSET;
}

INT_PTR OnInitDialog(HWND page, MemoSettingsDlgData* data)
{
    SetWindowLongPtrA(page, DWLP_USER, (LONG_PTR)data);
    EnableDialogTheme(page);
    if (!data)
        return FALSE;
    const MemoSettings* work = data->Work;
    Check(page, IDC_MEMOPOPUP_CHECK_START, work->MemoPopup);
    Check(page, IDC_MEMOPOPUP_CHECK_HIDELATE, work->MemoPopupNoShow);
    Check(page, IDC_MEMOPOPUP_CHECK_TOMORROWLATE, work->MemoPopupTime);
    ShowTime(page, IDC_MEMOPOPUP_TIME_START, work->MemoPopupTimeHour, work->MemoPopupTimeMinute, 1);
    EnableStartPopup(page, work);
    int tomorrow = IsPopupTimeSet(work->MemoTomorrowHour, work->MemoTomorrowMinute);
    Check(page, IDC_MEMOPOPUP_CHECK_TOMORROW, tomorrow);
    ShowTime(page, IDC_MEMOPOPUP_TIME_TOMORROW, work->MemoTomorrowHour, work->MemoTomorrowMinute, 0);
    EnableWindow(GetDlgItem(page, IDC_MEMOPOPUP_TIME_TOMORROW), tomorrow);
    SetUpDownItem(page, IDC_MEMOPOPUP_SPIN_INTERVAL, 0, kIntervalMax, work->MemoSleepCheckInterval);
    SetDlgItemTextA(page, IDC_MEMOPOPUP_EDIT_SOUND, work->MemoPopupAlarm);
    return FALSE;
}

void BrowseSound(HWND page)
{
    char path[MAX_PATH] = "";
    GetDlgItemTextA(page, IDC_MEMOPOPUP_EDIT_SOUND, path, sizeof(path));
    if (!OpenFileDialog(page, kSoundTitle, path, kSoundFilter, nullptr))
        return;
    SetDlgItemTextA(page, IDC_MEMOPOPUP_EDIT_SOUND, path);
    PlaySoundFile(path);
}

void StoreControls(HWND page, MemoSettings* work)
{
    StoreTimes(page, work);
    GetDlgItemTextA(page, IDC_MEMOPOPUP_EDIT_SOUND, work->MemoPopupAlarm, sizeof(work->MemoPopupAlarm));
    BOOL number = FALSE;
    UINT interval = GetDlgItemInt(page, IDC_MEMOPOPUP_EDIT_INTERVAL, &number, FALSE);
    if (number)
        work->MemoSleepCheckInterval = interval > (UINT)kIntervalMax ? kIntervalMax : (int)interval;
}

INT_PTR OnCommand(HWND page, WORD id)
{
    MemoSettings* work = Work(page);
    if (!work)
        return FALSE;
    switch (id) {
    case IDC_MEMOPOPUP_CHECK_START:
        work->MemoPopup = IsChecked(page, id);
        EnableStartPopup(page, work);
        return TRUE;
    case IDC_MEMOPOPUP_CHECK_HIDELATE: work->MemoPopupNoShow = IsChecked(page, id); return TRUE;
    case IDC_MEMOPOPUP_CHECK_TOMORROWLATE: work->MemoPopupTime = IsChecked(page, id); return TRUE;
    case IDC_MEMOPOPUP_CHECK_TOMORROW:
        EnableWindow(GetDlgItem(page, IDC_MEMOPOPUP_TIME_TOMORROW), IsChecked(page, id));
        StoreTimes(page, work);
        return TRUE;
    case IDC_MEMOPOPUP_BTN_BROWSE: BrowseSound(page); return TRUE;
    case MEMO_PAGE_STORE: StoreControls(page, work); return TRUE;
    case IDOK:
    case IDCANCEL: DestroyWindow(page); return TRUE;
    }
    return FALSE;
}

INT_PTR OnNotify(HWND page, const NMHDR* header)
{
    MemoSettings* work = Work(page);
    if (!work || header->code != DTN_DATETIMECHANGE)
        return FALSE;
    StoreTimes(page, work);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MemoPopupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, (MemoSettingsDlgData*)lParam);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(page, (const NMHDR*)lParam);
    }
    return FALSE;
}
