// Measures of the settings dialog and its pages, in dialog units, on top of
// the shared ones in Layout.h.
#ifndef DAYLENS_RC_SETTINGS_LAYOUT_H
#define DAYLENS_RC_SETTINGS_LAYOUT_H

#include "Layout.h"

// The frame: the tab control fills it above the button row. Its two rows of
// tab labels leave a display area of about the page size; the frame sizes
// every page to that area, so page contents keep some room at the bottom.
#define SET_W               288
#define SET_H               243
#define SET_PAGE_W          272
#define SET_PAGE_H          187
#define SET_TAB_H           (BTN_ROW_Y(SET_H) - DLG_GAP - DLG_MARGIN)

// Page columns: full width, or two halves.
#define SET_X               DLG_MARGIN
#define SET_FULL_W          (SET_PAGE_W - 2 * DLG_MARGIN)
#define SET_HALF_W          ((SET_FULL_W - DLG_GAP) / 2)
#define SET_X2              (SET_X + SET_HALF_W + DLG_GAP)
#define SET_IN              (SET_X + GROUP_INDENT)
#define SET_IN2             (SET_X2 + GROUP_INDENT)

// Row n of a group box whose top is at gy. Check boxes and radio buttons
// stand on the row; edits, drop-downs, buttons and labels are shifted so that
// all share the row's middle line.
#define SET_ROW(gy, n)      ((gy) + GROUP_TOP + (n) * ROW_PITCH)
#define SET_EDIT_Y(r)       ((r) - 1)
#define SET_LABEL_Y(r)      ((r) + 1)
#define SET_BTN_Y(r)        ((r) - 2)
#define SET_GROUP_H(rows)   (GROUP_TOP + (rows) * ROW_PITCH + 2)
// Tall rows, for push buttons and for edits one above the other, which
// ROW_PITCH would leave all but touching.
#define SET_TALL_PITCH      16
#define SET_TALL_ROW(gy, n) ((gy) + GROUP_TOP + 1 + (n) * SET_TALL_PITCH)
#define SET_TALL_GROUP_H(rows) (GROUP_TOP + (rows) * SET_TALL_PITCH + 2)

#define SET_NUMBER_W        36    /* a number edit with its up-down */
#define SET_SPIN_W          10
#define SET_SPIN_X(ex)      ((ex) + SET_NUMBER_W - SET_SPIN_W)
#define SET_COLOR_W         50    /* the owner-drawn "色変更" / "設定変更" buttons */

// Styles. Every control but a radio button after the first of its group
// starts a group of its own, so that no radio group runs on into it.
#define SET_PAGE_STYLE      (STYLE_PAGE | DS_SETFONT | DS_3DLOOK)
#define SET_RADIO_FIRST     RADIO_FIRST
#define SET_RADIO           RADIO_NEXT
#define SET_CHECK           (CHECK_BOX | WS_GROUP)
#define SET_GROUP           (BS_GROUPBOX | WS_GROUP)
#define SET_BUTTON          (BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP)
#define SET_OWNER_BUTTON    (OWNER_BUTTON | WS_GROUP)
#define SET_NUMBER_EDIT     (ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP)
#define SET_TEXT_EDIT       (ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP)
#define SET_SPIN            SPIN_FOR_EDIT
#define SET_DROP_LIST       (DROP_LIST | WS_GROUP)
#define SET_LABEL           (SS_LEFT | SS_NOPREFIX | WS_GROUP)

#endif
