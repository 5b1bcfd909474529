// Resource numbers of the print plug-in: its dialogs, the controls of the print dialog and its pages, cursors and
// icons.
#pragma once

#include "VersionDialogIds.h"

#define IDD_PRINT_ABOUT           101
#define IDD_PRINT_PREVIEW         102
#define IDD_PRINT                 123
#define IDD_PRINT_PAGE_RANGE      124
#define IDD_PRINT_PAGE_BASIC      125
#define IDD_PRINT_PAGE_FONT       126
#define IDD_PRINT_PAGE_COLOR      127

#define IDI_PRINT                 1
#define IDI_PRINT_SMALL           2
#define IDC_PRINT_CURSOR_DRAG     51
#define IDC_PRINT_CURSOR_MOVE     52
#define IDC_PRINT_CURSOR_PRINT    53

// Commands the dialog and the preview send themselves.
#define PRINT_CMD_PRINT           1
#define PRINT_CMD_CLOSE           2
#define PRINT_CMD_PREVIEW         4
#define PRINT_CMD_HELP            9
#define PAGE_CMD_APPLY            4
#define PREVIEW_CMD_RENDER        4

// The print dialog (123).
#define IDC_PRINT_TAB             1010
#define IDC_PRINT_COMBO_PRINTER   2001
#define IDC_PRINT_BTN_PROPERTIES  2002
#define IDC_PRINT_BTN_VERSION     4001
#define IDC_PRINT_BTN_UPDATE      4002

// Range page (124).
#define IDC_RANGE_COMBO_FROM_YEAR  2101
#define IDC_RANGE_COMBO_FROM_MONTH 2102
#define IDC_RANGE_COMBO_TO_YEAR    2103
#define IDC_RANGE_COMBO_TO_MONTH   2104

// Basic page (125).
#define IDC_BASIC_COMBO_START      2105
#define IDC_BASIC_CHECK_VERTICAL   2201
#define IDC_BASIC_CHECK_FILL       2202
#define IDC_BASIC_CHECK_LIGHT      2203
#define IDC_BASIC_CHECK_DARK       2204
#define IDC_BASIC_CHECK_MEMO       2205
#define IDC_BASIC_CHECK_MEMORIAL   2206
#define IDC_BASIC_CHECK_HOLIDAY    2207
#define IDC_BASIC_CHECK_MYHOLIDAY  2208

// Font page (126).
#define IDC_FONT_BTN_SHADOW_COLOR  2300
#define IDC_FONT_BTN_YEAR          2301
#define IDC_FONT_BTN_YEAR_COLOR    2302
#define IDC_FONT_BTN_MONTH         2303
#define IDC_FONT_BTN_MONTH_COLOR   2304
#define IDC_FONT_BTN_WEEK          2305
#define IDC_FONT_BTN_DAY           2306
#define IDC_FONT_BTN_COMMENT       2307
#define IDC_FONT_BTN_MEMO          2308
#define IDC_FONT_EDIT_SHADOW       2310
#define IDC_FONT_SPIN_SHADOW       2311
#define IDC_FONT_RADIO_UP_RIGHT    2312
#define IDC_FONT_RADIO_DOWN_RIGHT  2313
#define IDC_FONT_RADIO_DOWN_LEFT   2314
#define IDC_FONT_RADIO_UP_LEFT     2315

// Colour page (127): Sunday to Saturday are 2401-2407.
#define IDC_COLOR_BTN_SUNDAY       2401
#define IDC_COLOR_BTN_WEEKDAYS     2408
#define IDC_COLOR_BTN_TODAY        2409
#define IDC_COLOR_BTN_HOLIDAY      2410
#define IDC_COLOR_BTN_BACK         2411
