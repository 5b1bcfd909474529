// Decisions of the calendar window that need no window: z-order, month steps, placement toggles, double-click
// actions and fade steps.
#pragma once

#include <windows.h>

#include "DaylensIds.h"
#include "SettingsTypes.h"

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
// The show command that shows the calendar as showCommand does but leaves the activation where it is (a command that
// activates becomes its counterpart that does not; SW_SHOWDEFAULT is first turned into startupCommand, the command
// of the program's start-up information, when that has one, i.e. is not negative).
int ShowCommandWithoutActivation(int showCommand, int startupCommand);
