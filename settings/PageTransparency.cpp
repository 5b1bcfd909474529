// Page " 透明化 ": the transparency kind, the fade mode with its alpha and return time, and the transparent colour.
#include "SettingsDialog.h"

#include "EnvData.h"
#include "PageButtons.h"
#include "SettingsDialogIds.h"
#include "SettingsPage.h"
#include "SettingsToolTips.h"
#include "Transparency.h"

namespace {

PageFlags s_flags;

INT_PTR OnInitDialog(HWND page)
{
    BeginPage(page, &s_flags);
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return TRUE;
    int time = work->Transparency.TransparentAlphaTime;
    InitTransparencyControls(page, IDC_ENVTRANSPARENT_RADIO_CLEAR, IDC_ENVTRANSPARENT_RADIO_ALWAYS,
                             IDC_ENVTRANSPARENT_SPIN_ALPHA, IDC_ENVTRANSPARENT_EDIT_ALPHA,
                             IDC_ENVTRANSPARENT_SPIN_TIME, IDC_ENVTRANSPARENT_EDIT_TIME, &work->Transparency);
    // The up-down writes its clamped position into the edit: a stored time beyond the range shows as it is.
    SetDlgItemInt(page, IDC_ENVTRANSPARENT_EDIT_TIME, (UINT)time, TRUE);
    s_flags.Initialised = 1;
    SetTransparentToolTips(page, 1);
    return TRUE;
}

bool IsTransparencyControl(int id)
{
    return (id >= IDC_ENVTRANSPARENT_RADIO_CLEAR && id <= IDC_ENVTRANSPARENT_RADIO_OPAQUE) ||
           (id >= IDC_ENVTRANSPARENT_RADIO_ALWAYS && id <= IDC_ENVTRANSPARENT_RADIO_MOUSE_OPAQUE) ||
           id == IDC_ENVTRANSPARENT_EDIT_ALPHA || id == IDC_ENVTRANSPARENT_EDIT_TIME;
}

bool OnCommand(HWND page, int id, int code)
{
    if (id == SETTINGS_PAGE_STORE) {
        s_flags.Changed = 0;
        return true;
    }
    EnvData* work = SettingsWorkingCopy();
    if (!work)
        return false;
    // Every notification of these controls counts as a change (the shared handler stores what its code means).
    if (IsTransparencyControl(id)) {
        if (!s_flags.Initialised)
            return true;
        OnTransparencyControl(page, MAKEWPARAM(id, code), IDC_ENVTRANSPARENT_RADIO_CLEAR,
                              IDC_ENVTRANSPARENT_RADIO_ALWAYS, IDC_ENVTRANSPARENT_SPIN_ALPHA,
                              IDC_ENVTRANSPARENT_EDIT_ALPHA, IDC_ENVTRANSPARENT_SPIN_TIME,
                              IDC_ENVTRANSPARENT_EDIT_TIME, &work->Transparency);
        MarkPageChanged(&s_flags, 0);
        return true;
    }
    if (id == IDC_ENVTRANSPARENT_BTN_COLOR) {
        if (PickColor(page, &work->BackColor)) {
            InvalidateRect(page, nullptr, TRUE);
            MarkPageChanged(&s_flags, 1);
        }
        return true;
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK EnvTransparentProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && ((const DRAWITEMSTRUCT*)lParam)->CtlID == IDC_ENVTRANSPARENT_BTN_COLOR &&
        SettingsWorkingCopy()) {
        DrawColorButton((const DRAWITEMSTRUCT*)lParam, SettingsWorkingCopy()->BackColor);
        return TRUE;
    }
    return DispatchPageMessage(page, message, wParam, &s_flags, OnInitDialog, OnCommand);
}
