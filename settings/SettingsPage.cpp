#include "SettingsPage.h"

#include "DialogTheme.h"
#include "SettingsDialog.h"
#include "SettingsToolTips.h"
#include "UpDownControl.h"

void BeginPage(HWND page, PageFlags* flags)
{
    EnableDialogTheme(page);
    if (flags)
        *flags = {};
}

void MarkPageChanged(PageFlags* flags, int preview)
{
    flags->Changed = 1;
    if (preview)
        flags->PreviewPending = 1;
    SetSettingsCalendarDirty();
}

INT_PTR PageReport(HWND page, PageFlags* flags)
{
    (void)page;
    if (flags->Changed == 1 && flags->Changed != flags->Reported)
        EnableSettingsApply();
    flags->Reported = flags->Changed;
    HWND preview = SettingsPreviewWindow();
    if (flags->PreviewPending == 1 && preview) {
        flags->PreviewPending = 0;
        SendMessageA(preview, WM_COMMAND, SETTINGS_PREVIEW_REDRAW, 0);
    }
    return 0;
}

void EndPage(HWND page, PageFlags* flags)
{
    *flags = {};
    SetPageToolTips(SettingsPageSlot(page), page, 0);
    DestroyWindow(page);
}

INT_PTR DispatchPageMessage(HWND page, UINT message, WPARAM wParam, PageFlags* flags, PageInitHandler init,
                            PageCommandHandler command)
{
    if (message == WM_INITDIALOG)
        return init(page);
    if (message != WM_COMMAND)
        return PageReport(page, flags);
    int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        EndPage(page, flags);
        return TRUE;
    }
    if (!command(page, id, HIWORD(wParam)))
        return PageReport(page, flags);
    // After a change the page's tooltips are made again, so that they follow the balloon option.
    if (flags->Initialised && id != SETTINGS_PAGE_REFRESH && id != SETTINGS_PAGE_STORE)
        SetPageToolTips(SettingsPageSlot(page), page, 1);
    PageReport(page, flags);
    return TRUE;
}

void CheckRadioIndex(HWND page, int first, int last, int index)
{
    int id = first + index;
    if (id >= first && id <= last)
        CheckRadioButton(page, first, last, id);
    else
        CheckRadioButton(page, first, last, 0);
}

void SetCheck(HWND page, int id, int on)
{
    CheckDlgButton(page, id, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

int IsChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

void ShowUpDownNumber(HWND page, int editId, int spinId, int minimum, int maximum, int value)
{
    SetUpDownItem(page, spinId, minimum, maximum, value);
    // The up-down writes its clamped position into the edit; a stored value beyond the range is shown as it is.
    SetDlgItemInt(page, editId, (UINT)value, TRUE);
}

int ReadEditNumber(HWND page, int editId, int isSigned, int* value)
{
    BOOL number = FALSE;
    UINT read = GetDlgItemInt(page, editId, &number, isSigned);
    if (!number)
        return 0;
    *value = (int)read;
    return 1;
}

void EnableItems(HWND page, int first, int last, BOOL enable)
{
    for (int id = first; id <= last; id++)
        EnableWindow(GetDlgItem(page, id), enable);
}

void EnableItem(HWND page, int id, BOOL enable)
{
    EnableWindow(GetDlgItem(page, id), enable);
}
