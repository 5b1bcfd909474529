// The settings dialog's help tooltips: one sentence per control of every page and of the dialog's own buttons,
// balloon-shaped while the working copy's BalloonTip is 1.
#pragma once

#include <windows.h>

// Up to this many tooltips per page, and per the dialog's buttons.
#define PAGE_TOOLTIP_MAX 30
#define FRAME_TOOLTIP_MAX 8

// Each page, and the dialog's buttons, have one tooltip control with a tool per control of their list. Each
// installer first removes the tools it made before; with create 1 it then gives every control of its list its tool
// (a control whose tool cannot be made has none), with create 0 it destroys the tooltip control. 1.
int SetGeneralToolTips(HWND page, int create);
int SetYearToolTips(HWND page, int create);
int SetMonthToolTips(HWND page, int create);
int SetWeekToolTips(HWND page, int create);
int SetDateToolTips(HWND page, int create);
int SetLayoutToolTips(HWND page, int create);
int SetFontColorToolTips(HWND page, int create);
int SetMarkToolTips(HWND page, int create);
int SetWindowToolTips(HWND page, int create);
int SetTransparentToolTips(HWND page, int create);
int SetHotSpotToolTips(HWND page, int create);
int SetActionToolTips(HWND page, int create);
int SetToolTipPageToolTips(HWND page, int create);
int SetOtherToolTips(HWND page, int create);
int SetEnvDlgToolTips(HWND dialog, int create);

// The installer of the page in slot (tab order); 1, or 0 for a slot without one.
int SetPageToolTips(int slot, HWND page, int create);
// How many controls the installer of slot (or, for slot -1, of the dialog's buttons) lists, and the id of the
// index-th; 0 past the end.
int PageToolTipCount(int slot);
int PageToolTipControl(int slot, int index);
// The settings dialog's WM_SETCURSOR, which also comes from the controls of its pages: the mouse message it stands
// for goes to the tooltip controls of the pages and of the buttons.
void RelaySettingsToolTips(WPARAM wParam, LPARAM lParam);
