// The mark dialogs: one style of the calendar (mark, font, text colour, decoration) edited with a live preview of
// a sample day, in the plain form (template 112) or with the choice of a user mark (template 113).
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

class EnvData;

// The dialog's state while it is open.
struct MarkDlgState {
    MarkDlgData Work;         // the working copy of the caller's block
    MarkDlgData* Caller;      // written back only by "設定"
    EnvData* Env;
    int WithUserMarks;        // 1: template 113
    int Open;                 // 1 once the controls are filled; width changes count from then on
    WNDPROC OldPreviewProc;
    HFONT PreviewFont;        // the style's font at the preview's size, made again when the font changes
    LOGFONTA PreviewFontOf;
    COLORREF CustomColors[CUSTOM_COLOR_COUNT];
};

// Paints the preview of style for text (the sample day) into client of dc, in the DC's font (the style's font at
// MarkPreviewFontHeight): the background colour of env, the mark and the shadowed text.
void PaintMarkPreview(HDC dc, const RECT& client, const char* text, const FontStyle& style, EnvData* env);

// Dialog procedures of the two templates, and the preview control's window procedure.
INT_PTR CALLBACK MarkDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MarkDlgExProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MarkPreviewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

extern "C" {

// Edits block (its style, under its name, as far as its may-edit flags allow) in the mark dialog over owner;
// variant MARK_DIALOG_USER_MARKS shows the form with the user marks of env, any other the plain form. IDOK after
// "設定" (block then holds the edited style), IDCANCEL after "キャンセル" (block unchanged); IDCANCEL at once while a
// mark dialog is open; 0 for a null env or block or when the dialog cannot be made.
int SetMarkDlg(HWND owner, EnvData* env, MarkDlgData* block, int variant);

}
