#include "RepeatCopyDialog.h"

#include <commctrl.h>
#include <stdio.h>

#include "AppInfo.h"
#include "DayMemoStore.h"
#include "LanguageResources.h"
#include "Memo.h"
#include "MemoDialogIds.h"
#include "MemoMerge.h"
#include "MemoWriter.h"
#include "RepeatCopyRules.h"
#include "UserMessage.h"
#include "WindowPlacement.h"

namespace {

const char kCaptionFormat[] = "%s 繰り返しメモ";
const char kDateFormat[] = "yyyy'年'M'月'd'日'";
const char kQuestionFormat[] = "繰り返しメモを設定します\r\n%d日分のメモを書き込みます\r\nかまいませんか？";
const char kCannotSave[] = MEMO_CANNOT_SAVE_TEXT;
const int kPlaceMargin = 5;

// The one dialog's state.
struct RepeatCopyState {
    AppInfo* Info;
    HICON BigIcon;
    HICON SmallIcon;
    int Open;
    int Kind;
    SYSTEMTIME First;
    SYSTEMTIME Last;
};

RepeatCopyState s_copy;

void FreeText(char* text)
{
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
}

// The memo date of the live memo settings at the current time of day.
SYSTEMTIME MemoDate()
{
    SYSTEMTIME date;
    GetLocalTime(&date);
    date.wYear = (WORD)g_memoSettings.MemoYear;
    date.wMonth = (WORD)g_memoSettings.MemoMonth;
    date.wDay = (WORD)g_memoSettings.MemoDay;
    return date;
}

void ShowPicker(HWND dialog, int id, const SYSTEMTIME* date)
{
    SendDlgItemMessageA(dialog, id, DTM_SETFORMATA, 0, (LPARAM)kDateFormat);
    SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)date);
}

INT_PTR OnInitDialog(HWND dialog)
{
    char caption[256];
    snprintf(caption, sizeof(caption), kCaptionFormat, s_copy.Info ? s_copy.Info->GetAppName() : MessageCaption());
    SetWindowTextA(dialog, caption);
    AppInfo::SetWindowIcons(dialog, s_copy.BigIcon, s_copy.SmallIcon);
    s_copy.Kind = REPEAT_COPY_DAILY;
    CheckRadioButton(dialog, IDC_REPEATCOPY_RADIO_DAILY, IDC_REPEATCOPY_RADIO_YEARLY, IDC_REPEATCOPY_RADIO_DAILY);
    s_copy.First = s_copy.Last = MemoDate();
    ShowPicker(dialog, IDC_REPEATCOPY_DATE_FIRST, &s_copy.First);
    ShowPicker(dialog, IDC_REPEATCOPY_DATE_LAST, &s_copy.Last);
    PlaceWindowAtCursor(dialog, kPlaceMargin, 1);
    return TRUE;
}

// "設定": the copy, once the user agreed to the number of days it writes; a day that could not be written is told.
void Apply(HWND dialog)
{
    // A date typed into the end picker counts even when the picker has not yet reported it.
    SYSTEMTIME shown;
    if (SendDlgItemMessageA(dialog, IDC_REPEATCOPY_DATE_LAST, DTM_GETSYSTEMTIME, 0, (LPARAM)&shown) == GDT_VALID)
        s_copy.Last = shown;
    SYSTEMTIME source = MemoDate();
    MemoStoreSettings store = MemoStoreOf(&g_memoSettings);
    char* text = ReadDayMemoText(nullptr, source.wYear, source.wMonth, source.wDay, &store, nullptr, 0);
    int days = text ? RepeatCopyDayCount(&source, s_copy.Kind, &s_copy.Last) : 0;
    FreeText(text);
    if (days == 0)
        return;
    char question[256];
    snprintf(question, sizeof(question), kQuestionFormat, days);
    if (TellUser(dialog, question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (RepeatCopyDayMemo(&g_memoSettings, &source, s_copy.Kind, &s_copy.Last) == REPEAT_COPY_FAILED)
        TellUser(dialog, kCannotSave, MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_REPEATCOPY_RADIO_DAILY:
    case IDC_REPEATCOPY_RADIO_WEEKLY:
    case IDC_REPEATCOPY_RADIO_MONTHLY:
    case IDC_REPEATCOPY_RADIO_YEARLY:
        s_copy.Kind = id - IDC_REPEATCOPY_RADIO_DAILY;
        return TRUE;
    case IDOK:
        Apply(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR OnNotify(const NMHDR* header)
{
    if (header->code != DTN_DATETIMECHANGE)
        return FALSE;
    const NMDATETIMECHANGE* change = (const NMDATETIMECHANGE*)header;
    if (change->dwFlags != GDT_VALID)
        return TRUE;
    if (header->idFrom == IDC_REPEATCOPY_DATE_FIRST)
        s_copy.First = change->st;
    else if (header->idFrom == IDC_REPEATCOPY_DATE_LAST)
        s_copy.Last = change->st;
    return TRUE;
}

}  // namespace

int RepeatCopyDayMemo(const MemoSettings* memo, const SYSTEMTIME* source, int kind, const SYSTEMTIME* last)
{
    if (!memo || !source || !last)
        return 0;
    MemoStoreSettings store = MemoStoreOf(memo);
    DayMemoRecord from = {memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    char* sourceText = ReadDayMemoText(nullptr, source->wYear, source->wMonth, source->wDay, &store, &from, 0);
    if (!sourceText)
        return REPEAT_COPY_NO_SOURCE;
    RepeatCopyWalk walk;
    StartRepeatCopy(&walk, source, kind, last);
    SYSTEMTIME day;
    int written = 0;
    while (NextRepeatCopyDay(&walk, &day)) {
        DayMemoRecord record = from;
        DayMemoRecord own = {memo->MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
        char* ownText = ReadDayMemoText(nullptr, day.wYear, day.wMonth, day.wDay, &store, &own, 0);
        // Each day keeps its own text and takes the source's lines it lacks, from the source alone, so that no day
        // takes lines of the days before it. Both are memos as the user wrote them, never memo data to import.
        char* merged = ownText ? MergeMemoLines(ownText, sourceText) : nullptr;
        const char* text = ownText ? merged : sourceText;
        if (ownText && (record.Hour == DAY_MEMO_NO_TIME || record.Minute == DAY_MEMO_NO_TIME)) {
            record.Hour = own.Hour;
            record.Minute = own.Minute;
        }
        // A merge without memory writes nothing: the day keeps its memo, and the copy stops as for a failed write.
        int ok = text && WriteDayMemo(memo, day.wYear, day.wMonth, day.wDay, text, &record);
        if (ok)
            written++;
        FreeText(merged);
        FreeText(ownText);
        if (!ok) {
            written = REPEAT_COPY_FAILED;
            break;
        }
    }
    FreeText(sourceText);
    return written;
}

INT_PTR ShowRepeatCopyDialog(HINSTANCE module, HWND owner, AppInfo* info, HICON bigIcon, HICON smallIcon)
{
    if (s_copy.Open || !module)
        return IDCANCEL;
    s_copy.Info = info;
    s_copy.BigIcon = bigIcon;
    s_copy.SmallIcon = smallIcon;
    s_copy.Open = 1;
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_REPEATCOPY), owner, RepeatCopyDlgProc, 0);
    s_copy.Open = 0;
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CALLBACK RepeatCopyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY: return OnNotify((const NMHDR*)lParam);
    }
    return FALSE;
}
