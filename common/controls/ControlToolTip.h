// Tooltips for dialog controls. The program's manifest selects Common Controls 6 (CommonControls6.manifest).
// A dialog keeps one tooltip control with a tool per control (SetDialogToolTips) and hands it the mouse messages from
// its WM_SETCURSOR (RelayDialogToolTip): under Wine every further tooltip window, and every tool that subclasses its
// control, costs server round trips, which made a dialog of many controls open several times slower.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Tooltip window owned by the control (controlId 0 or less: the dialog itself) showing text over its client
// area, balloon-shaped when balloon is 1; null for a null text, a missing control or failure.
// The tooltip is destroyed with its owner, or earlier by DestroyWindow.
HWND CreateControlToolTip(HINSTANCE instance, HWND dialog, int controlId, const char* text, int balloon);
// The same with the text from instance's string table; null when the string is missing.
HWND CreateControlToolTipFromResource(HINSTANCE instance, HWND dialog, int controlId, UINT stringId, int balloon);

// A control of a dialog (0 or less: the dialog itself) and the help text its tooltip shows.
struct ControlToolTipText {
    int ControlId;
    const char* Text;
};

// Gives dialog's one tooltip control, kept in *tip, one tool for each of the count texts whose control exists, in
// their order: the text over the control's client area, in the form and width of CreateControlToolTip's tooltips.
// The tools it held are removed first. The control is made when *tip holds none, and made anew when its balloon
// form differs from balloon (1: balloon); it is destroyed with the dialog, or earlier by DestroyDialogToolTips.
// The number of tools made; 0 when there is no control.
int SetDialogToolTips(HINSTANCE instance, HWND dialog, HWND* tip, const ControlToolTipText* texts, int count,
                      int balloon);
// Destroys the tooltip control in *tip, if any, and clears *tip.
void DestroyDialogToolTips(HWND* tip);
// For a dialog procedure's WM_SETCURSOR, with the message's wParam and lParam: hands the mouse message the cursor
// update stands for to each of the count tooltip controls of tips (null ones are skipped), as a subclassing tool
// would. WM_SETCURSOR reaches a dialog from every control in it that leaves the cursor to its parent, and from
// those of its child dialogs. The procedure goes on as before (returning FALSE leaves the cursor as it was).
void RelayDialogToolTips(const HWND* tips, int count, WPARAM wParam, LPARAM lParam);
// The same for one tooltip control.
void RelayDialogToolTip(HWND tip, WPARAM wParam, LPARAM lParam);
// 1 for the mouse messages a tooltip control is handed (TTM_RELAYEVENT), else 0.
int IsToolTipMouseMessage(UINT message);

// Tooltips of a window that draws its own parts (the mini memo's days, the toolbar's buttons): one tooltip control
// kept with the window, whose tools carry no TTF_SUBCLASS; the window hands it its mouse messages
// (RelayWindowToolTip). Redrawing sets the tools again in place, so that a tip on show stays up.

// Keeps *tip when it is a tooltip control of window in the balloon form asked for (1: balloon); else destroys it and
// makes one with tips at most maxWidth pixels wide (margins 2). The control in *tip, or null when none was made.
HWND KeepWindowToolTip(HINSTANCE instance, HWND window, HWND* tip, int balloon, int maxWidth);
// Gives window's tool id of tip the rectangle and text (copied by the control): the tool is added when tip has none
// of that id, else moved and given the text. 0 when it could not be added.
int SetWindowToolTipTool(HWND tip, HWND window, UINT_PTR id, const RECT* rect, const char* text);
// Removes every tool of tip whose id is not one of the count ids of keep.
void RemoveWindowToolTipTools(HWND tip, const UINT_PTR* keep, int count);
// For the window procedure of window, with each message it gets: hands tip the mouse messages as a subclassing tool
// would.
void RelayWindowToolTip(HWND tip, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#ifdef __cplusplus
}
#endif
