// The version dialog: program title and Windows, version and release date, notice line and a clickable web address.
#pragma once

#include <windows.h>

#include "AppInfo.h"
#include "VersionDialogIds.h"

// What the dialog shows, and the state of its link control while it is open.
struct AboutDlgData {
    const char* caption;  // null or "" keeps the template's caption
    HICON bigIcon;
    HICON smallIcon;
    AppInfo* info;
    int withWindows;  // 1: the title line names the Windows it runs on
    WNDPROC oldLinkProc;
    HFONT linkFont;  // the link control's font, underlined
    int linkTextWidth;
    int linkHover;
};

extern "C" {

// Runs the modal version dialog from module's template templateId; the dialog's result.
INT_PTR ShowAboutBox(HINSTANCE module, int templateId, HWND owner, HICON bigIcon, HICON smallIcon,
                     const char* caption, AppInfo* info, int withWindows);
// Runs the modal version dialog with data prepared by the caller; the dialog's result.
INT_PTR ShowAboutDialog(HINSTANCE module, int templateId, HWND owner, AboutDlgData* data);
// Dialog procedure; the AboutDlgData comes as the WM_INITDIALOG parameter.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Window procedure of the link control: underlined blue text, red with the hand cursor under the mouse, opened on click.
LRESULT CALLBACK LinkCtrlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}
