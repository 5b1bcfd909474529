// Numbers and names that more than one module of Daylens relies on: the program's identity, its help file, window
// class names, window messages and the command numbers of the calendar window. Code uses these names, never the
// bare numbers or texts.
#pragma once

#include <windows.h>

// The program's identity, as Daylens.exe and its language module give it to their AppInfo.
#define DAYLENS_PROGRAM_NAME "Daylens"
#define DAYLENS_PROGRAM_TITLE "透明なカレンダー Daylens"
#define DAYLENS_MAKER "Velmora"
#define DAYLENS_YEARS "2019-2026"
#define DAYLENS_RELEASE_DATE "04/01/2019"
#define DAYLENS_VERSION 120  // 1.20, also stamped into the settings file
#define DAYLENS_REVISION 1

// Where the update tool fetches updates from, and the command file the program hands it.
#define DAYLENS_UPDATE_SITE "http://www.velmora.example"
#define DAYLENS_UPDATE_FILE "Daylens.luf"

// Message-box captions: questions and notices take the program's name; errors of the holiday lists take these.
#define DAYLENS_ALERT_CAPTION "Daylens Alert"
#define MAKER_ALERT_CAPTION "Velmora Alert"

// Window classes: the calendar window (also the single-instance name) and the plug-in windows.
#define DAYLENS_WINDOW_CLASS "Velmora Daylens"
#define MINIMEMO_WINDOW_CLASS "Velmora DaylensMiniMemo"
#define TOOLBAR_WINDOW_CLASS "Velmora DaylensToolBar"
#define POPUPVIEW_WINDOW_CLASS "Velmora DaylensPopupView"
#define PRINT_WINDOW_CLASS "Velmora DaylensPrint"

// The help file in the program folder and the pages the main program opens.
#define DAYLENS_HELP_FILE "Daylens.chm"
#define HELP_TOPIC_MAIN "_RESOURCE/Help-main.html"
#define HELP_TOPIC_CHANGES "_RESOURCE/Help-changes.html"

// Window messages of the calendar window.
#define WM_DAYLENS_TRAY (WM_USER + 27)          // the tray icon's callback
#define WM_DAYLENS_TOOLTIP_MADE (WM_USER + 36)  // the language module made the calendar's tooltip window (wParam)
#define TRAY_ICON_ID 200

// Command numbers of the calendar window. The context menu, the toolbar, the keyboard tables and other windows send
// them; a menu item's number is also the number of its text in the language module's string table.
#define IDM_SETTINGS 501
#define IDM_VERSION 502
#define IDM_UPDATE 503
#define IDM_UPDATE_ALL 504
#define IDM_PLUGIN_UPDATE 505
#define IDM_PLUGIN_INFO 506
#define IDM_PLUGIN_ACTIVATE 507
#define IDM_HELP 509
#define IDM_INITIAL_POSITION 510
#define IDM_EXIT 512
#define IDM_DAY_MEMO 513
#define IDM_REPEAT_MEMO 514
#define IDM_PERIOD_MEMO 515
#define IDM_YEAR_BACK 516
#define IDM_6MONTHS_BACK 517
#define IDM_3MONTHS_BACK 518
#define IDM_MONTH_BACK 519
#define IDM_THIS_MONTH 520
#define IDM_MONTH_NEXT 521
#define IDM_3MONTHS_NEXT 522
#define IDM_6MONTHS_NEXT 523
#define IDM_YEAR_NEXT 524
#define IDM_WINDOW_FIX 525
#define IDM_TOPMOST 526
#define IDM_BOTTOMMOST 527
#define IDM_SHUTDOWN 528
#define IDM_REBOOT 529
#define IDM_STANDBY 530
#define IDM_HIBERNATE 531
#define IDM_LOGOFF 532
#define IDM_MY_HOLIDAY 533
#define IDM_WALLPAPER 534
#define IDM_WALLPAPER_EXIT 535
#define IDM_MEMO_SETTINGS 541
#define IDM_MEMO_IMPORT 542
#define IDM_MEMO_EXPORT 543
#define IDM_MEMO_SEARCH 544
#define IDM_MEMORIAL 551
#define IDM_MEMORIAL_ADD 552
// The redraw item's text is string 511; its command is IDM_REDRAW.
#define IDS_MENU_REDRAW 511
#define IDM_REDRAW 901
#define IDM_SAVE 902
#define IDM_NOTHING 903
// Commands of the toolbar's own window (its menu, and the plug-in's run-menu item that opens its settings).
#define IDM_TOOLBAR_CLOSE 2
#define IDM_TOOLBAR_HELP 9
#define IDM_TOOLBAR_SETTINGS 602
#define IDM_TOOLBAR_FIX 603
#define IDM_PLUGIN_FIRST 8001  // plug-in items in slot and item order
#define IDM_PLUGIN_LAST 8256
#define IDM_POWER_FIRST 9001  // the outside power menu
#define IDM_POWER_LAST 9009
#define IDM_LAUNCHER_OPEN 10101  // the outside launcher
#define IDM_LAUNCHER_SETTINGS 10102
#define IDM_LAUNCHER_FIRST 20000
#define IDM_LAUNCHER_LAST 20099
