// Resource numbers of the language module, shared by its resource script and
// by the code of every module that takes dialogs, strings, icons and cursors
// from it.
#pragma once

// Strings. 501-552 are also the calendar's menu command numbers; 801-805 are
// submenu texts.
#define IDS_LANGUAGE              500
#define IDS_MENU_SETTINGS         501
#define IDS_MENU_VERSION          502
#define IDS_MENU_UPDATE           503
#define IDS_MENU_PLUGIN_UPDATE    505
#define IDS_MENU_PLUGIN_INFO      506
#define IDS_MENU_PLUGIN_ACTIVATE  507
#define IDS_MENU_HELP             509
#define IDS_MENU_INITIAL_POSITION 510
#define IDS_MENU_REDRAW           511
#define IDS_MENU_EXIT             512
#define IDS_MENU_DAY_MEMO         513
#define IDS_MENU_REPEAT_MEMO      514
#define IDS_MENU_PERIOD_MEMO      515
#define IDS_MENU_YEAR_BACK        516
#define IDS_MENU_3MONTHS_BACK     518
#define IDS_MENU_MONTH_BACK       519
#define IDS_MENU_THIS_MONTH       520
#define IDS_MENU_MONTH_NEXT       521
#define IDS_MENU_3MONTHS_NEXT     522
#define IDS_MENU_YEAR_NEXT        524
#define IDS_MENU_WINDOW_FIX       525
#define IDS_MENU_TOPMOST          526
#define IDS_MENU_BOTTOMMOST       527
#define IDS_MENU_SHUTDOWN         528
#define IDS_MENU_REBOOT           529
#define IDS_MENU_STANDBY          530
#define IDS_MENU_HIBERNATE        531
#define IDS_MENU_LOGOFF           532
#define IDS_MENU_MY_HOLIDAY       533
#define IDS_MENU_WALLPAPER        534
#define IDS_MENU_WALLPAPER_EXIT   535
#define IDS_MENU_MEMO_SETTINGS    541
#define IDS_MENU_MEMO_IMPORT      542
#define IDS_MENU_MEMO_EXPORT      543
#define IDS_MENU_MEMO_SEARCH      544
#define IDS_MENU_MEMORIAL         551
#define IDS_MENU_MEMORIAL_ADD     552
#define IDS_SUBMENU_TOOLS         801
#define IDS_SUBMENU_PLUGIN        802
#define IDS_SUBMENU_OPTIONS       803
#define IDS_SUBMENU_POWER         804
#define IDS_SUBMENU_LAUNCHER      805

// Icons.
#define IDI_PROGRAM               10
#define IDI_PROGRAM_SMALL         11
#define IDI_PROGRAM_A             12
#define IDI_PROGRAM_B             13
#define IDI_SPARE                 114

// Cursors, in the order the main program loads them: 51-54, then 58, 56, 57, 55.
#define IDC_CURSOR_NORMAL         51
#define IDC_CURSOR_COPY           52
#define IDC_CURSOR_MOVE           53
#define IDC_CURSOR_WAIT           54
#define IDC_CURSOR_HAND           55
#define IDC_CURSOR_NODROP         56
#define IDC_CURSOR_SIZEALL        57
#define IDC_CURSOR_PIN            58
