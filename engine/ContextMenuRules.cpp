#include "ContextMenuRules.h"

#include <string.h>

#include "DaylensIds.h"
#include "LanguageResources.h"
#include "SettingsTypes.h"
#include "StrUtil.h"

int MenuDefaultCommand(int doubleClick)
{
    static const int kCommands[] = {IDM_SETTINGS, IDM_THIS_MONTH, IDM_DAY_MEMO, IDM_REPEAT_MEMO, IDM_PERIOD_MEMO};
    if (doubleClick < 0 || doubleClick >= (int)(sizeof(kCommands) / sizeof(kCommands[0])))
        return 0;
    return kCommands[doubleClick];
}

int PlacementChecked(int command, int windowFix, int windowOrder)
{
    switch (command) {
    case IDM_WINDOW_FIX: return windowFix != 0;
    case IDM_TOPMOST: return windowOrder == WINDOW_ORDER_TOPMOST;
    case IDM_BOTTOMMOST: return windowOrder == WINDOW_ORDER_BOTTOM;
    default: return 0;
    }
}

int MenuTextId(int command)
{
    return command == IDM_REDRAW ? IDS_MENU_REDRAW : command;
}

