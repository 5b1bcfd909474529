#include "MainWindowRules.h"

#include "DateUtil.h"

namespace {

const int kFadeStep = 8;

}  // namespace

HWND ZOrderInsertAfter(int windowOrder)
{
    if (windowOrder == WINDOW_ORDER_BOTTOM)
        return HWND_BOTTOM;
    return windowOrder == WINDOW_ORDER_TOPMOST ? HWND_TOPMOST : HWND_NOTOPMOST;
}

int StepShownMonth(int command, SYSTEMTIME* shown, const SYSTEMTIME* today)
{
    if (!shown || !today)
        return 0;
    switch (command) {
    case IDM_YEAR_BACK:
        return SubMonths(shown, 12), 1;
    case IDM_6MONTHS_BACK:
        return SubMonths(shown, 6), 1;
    case IDM_3MONTHS_BACK:
        return SubMonths(shown, 3), 1;
    case IDM_MONTH_BACK:
        return SubMonths(shown, 1), 1;
    case IDM_THIS_MONTH:
        *shown = *today;
        return 1;
    case IDM_MONTH_NEXT:
        return AddMonths(shown, 1), 1;
    case IDM_3MONTHS_NEXT:
        return AddMonths(shown, 3), 1;
    case IDM_6MONTHS_NEXT:
        return AddMonths(shown, 6), 1;
    case IDM_YEAR_NEXT:
        return AddMonths(shown, 12), 1;
    default:
        return 0;
    }
}

int DoubleClickCommand(int doubleClick, int shift, int ctrl)
{
    switch (doubleClick) {
    case 0:
        return IDM_SETTINGS;
    case 1:
        return shift ? IDM_MONTH_NEXT : ctrl ? IDM_MONTH_BACK : IDM_THIS_MONTH;
    case 2:
        return (shift || ctrl) ? IDM_PERIOD_MEMO : IDM_DAY_MEMO;
    case 3:
        return IDM_REPEAT_MEMO;
    case 4:
        return (shift || ctrl) ? IDM_DAY_MEMO : IDM_PERIOD_MEMO;
    default:
        return 0;
    }
}

int CommandNeedsDay(int command)
{
    return command == IDM_DAY_MEMO || command == IDM_PERIOD_MEMO;
}

int NextWindowOrder(int command, int windowOrder)
{
    if (command == IDM_TOPMOST)
        return windowOrder == WINDOW_ORDER_TOPMOST ? 0 : WINDOW_ORDER_TOPMOST;
    if (command == IDM_BOTTOMMOST)
        return windowOrder == WINDOW_ORDER_BOTTOM ? 0 : WINDOW_ORDER_BOTTOM;
    return windowOrder;
}

int IsDaySet(const SYSTEMTIME* date)
{
    return date && date->wYear != 0 && date->wMonth != 0 && date->wDay != 0;
}

int FadeOutAlpha(int current, int target)
{
    if (target >= current || current < kFadeStep)
        return -1;
    int next = current - kFadeStep;
    return next < target ? target : next;
}

int FadeInAlpha(int current, int target)
{
    if (current >= target)
        return -1;
    int next = current + kFadeStep;
    return next > target ? target : next;
}

int PointInArea(POINT point, const RECT* area)
{
    return area && point.x >= area->left && point.x <= area->right && point.y >= area->top &&
           point.y <= area->bottom;
}

int ShowCommandWithoutActivation(int showCommand, int startupCommand)
{
    if (showCommand == SW_SHOWDEFAULT && startupCommand >= 0)
        showCommand = startupCommand;
    switch (showCommand) {
    case SW_SHOWNORMAL:
    case SW_SHOW:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        return SW_SHOWNOACTIVATE;
    case SW_SHOWMINIMIZED:
        return SW_SHOWMINNOACTIVE;
    default:
        return showCommand;
    }
}
