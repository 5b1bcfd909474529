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

int TakePlugInItems(PlugInMenuItem* table, int used, PlugInSlot* slot, const char* texts, int size, int count)
{
    if (!table || !slot || !texts)
        return used;
    int at = 0;
    for (int item = 0; item < count && at < size && used < PLUGIN_MENU_ITEM_COUNT; item++) {
        size_t length = strnlen(texts + at, (size_t)(size - at));
        if (length == 0)
            break;
        // A list that runs to the end of the block without its NUL still gives its last text, cut there.
        char text[PLUGIN_MENU_TEXT_SIZE * 2];
        size_t taken = length < sizeof(text) - 1 ? length : sizeof(text) - 1;
        memcpy(text, texts + at, taken);
        text[taken] = '\0';
        PlugInMenuItem* entry = &table[used];
        entry->Slot = slot;
        entry->Item = (DWORD)item;
        entry->Command = (DWORD)(IDM_PLUGIN_FIRST + used);
        SafeStrCpy(entry->Text, sizeof(entry->Text), text);
        SafeStrCpy(entry->FileName, sizeof(entry->FileName), slot->FileName);
        used++;
        at += (int)length + 1;
    }
    return used;
}
