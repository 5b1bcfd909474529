// Measures shared by the dialog templates, in dialog units. The templates use
// Japanese faces at 11 or 12 points: a full-width character is about 8 units
// wide, a line of text 8 units high.
#ifndef DAYLENS_RC_LAYOUT_H
#define DAYLENS_RC_LAYOUT_H

#define DLG_MARGIN      6     /* dialog edge to the controls */
#define DLG_GAP         4     /* between neighbouring controls */
#define BTN_W           50    /* push buttons of up to five full-width characters */
#define BTN_H           14
#define HELP_W          15    /* the square "？" button */
#define LINE_H          10    /* check boxes, radio buttons, one-line labels */
#define EDIT_H          13    /* edits, pickers and the closed drop-down lists */
#define DROP_H          100   /* a drop-down list with its list open */
#define ROW_PITCH       14    /* between rows of check boxes or radio buttons */
#define GROUP_TOP       12    /* group box top to its first row */
#define GROUP_INDENT    8     /* group box left to its controls */
#define PAGE_W          292   /* the pages of a tabbed dialog */
#define PAGE_H          176

/* The bottom row of buttons of a dialog dlgH units high; the x of the n-th
   button counted from the right edge of a dialog dlgW units wide. */
#define BTN_ROW_Y(dlgH)          ((dlgH) - DLG_MARGIN - BTN_H)
#define BTN_X_RIGHT(dlgW, n)     ((dlgW) - DLG_MARGIN - (n) * BTN_W - ((n) - 1) * DLG_GAP)

/* The memo windows lay themselves out at run time with a margin of 4; their
   date stepping row (back, label, forward for year, month, week and day)
   stands right-aligned at the top, edge to edge. */
#define MEMO_MARGIN     4
#define STEP_W          10
#define STEP_X(dlgW, i)          ((dlgW) - MEMO_MARGIN - (12 - (i)) * STEP_W)

/* Window kinds. Modal: caption, system menu, modal frame. Sizable: a sizing
   border instead. Page: a borderless child of a tabbed dialog. */
#define STYLE_MODAL     (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
#define STYLE_SIZABLE   (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)
#define STYLE_PAGE      (DS_CONTROL | WS_CHILD)

/* Faces, with the Shift-JIS character set (128). */
#define FONT_PMINCHO(pt)  FONT pt, "ＭＳ Ｐ明朝", 0, 0, 128
#define FONT_MINCHO(pt)   FONT pt, "ＭＳ 明朝", 0, 0, 128

/* Control styles that the templates repeat. */
#define LIST_REPORT     (LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP)
#define DROP_LIST       (CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
#define SPIN_FOR_EDIT   (UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS)
#define LABEL_MIDDLE    (SS_CENTERIMAGE | SS_NOPREFIX)
#define CHECK_BOX       (BS_AUTOCHECKBOX | WS_TABSTOP)
#define RADIO_FIRST     (BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP)
#define RADIO_NEXT      BS_AUTORADIOBUTTON
#define OWNER_BUTTON    (BS_OWNERDRAW | WS_TABSTOP)
#define DATE_PICKER     (DTS_SHORTDATEFORMAT | WS_TABSTOP)
#define TIME_PICKER     (DTS_TIMEFORMAT | DTS_SHOWNONE | WS_TABSTOP)

#endif
