// Decisions of the calendar window that need no window: z-order, month steps, placement toggles, double-click
// actions and fade steps.
#pragma once

#include <windows.h>

// Command numbers of the calendar window (menu, toolbar, accelerators, other windows).
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
#define IDM_LOGOFF 532
#define IDM_MY_HOLIDAY 533
#define IDM_WALLPAPER 534
#define IDM_WALLPAPER_EXIT 535
#define IDM_MEMO_SETTINGS 541
#define IDM_MEMORIAL 551
#define IDM_MEMORIAL_ADD 552
#define IDM_REDRAW 901
#define IDM_SAVE 902
#define IDM_NOTHING 903
#define IDM_PLUGIN_FIRST 8001
#define IDM_PLUGIN_LAST 8100
#define IDM_POWER_FIRST 9001
#define IDM_POWER_LAST 9009
#define IDM_LAUNCHER_OPEN 10101
#define IDM_LAUNCHER_SETTINGS 10102
#define IDM_LAUNCHER_FIRST 20000
#define IDM_LAUNCHER_LAST 20099

#define WINDOW_ORDER_TOPMOST 1
#define WINDOW_ORDER_BOTTOM 2

// HWND_BOTTOM for order 2, HWND_TOPMOST for 1, else HWND_NOTOPMOST.
HWND ZOrderInsertAfter(int windowOrder);
// Steps shown by a month command (516-524); 520 gives today's month. 1 when command is one of them, else 0 and
// shown unchanged.
int StepShownMonth(int command, SYSTEMTIME* shown, const SYSTEMTIME* today);
// The command a double click sends for the DoubleClick setting and the keys held; 0 for an unknown setting.
int DoubleClickCommand(int doubleClick, int shift, int ctrl);
// 1 when command opens a memo window on the clicked day, which a click beside every day cannot give.
int CommandNeedsDay(int command);
// The WindowOrder after command 526 (topmost) or 527 (bottom-most); other commands keep it.
int NextWindowOrder(int command, int windowOrder);
// 1 when date names a day; the engine gives year, month and day 0 for a point beside every day.
int IsDaySet(const SYSTEMTIME* date);
// The next alpha of a fade out towards target, or -1 when the fade is over.
int FadeOutAlpha(int current, int target);
// The next alpha of a fade in towards target, or -1 when the fade is over.
int FadeInAlpha(int current, int target);
// 1 when point lies inside area, its edges included.
int PointInArea(POINT point, const RECT* area);
