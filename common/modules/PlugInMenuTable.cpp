#include "PlugInMenuTable.h"

#include <string.h>

#include "DaylensIds.h"
#include "StrUtil.h"

int AddPlugInMenuItems(PlugInMenuItem* table, int used, PlugInSlot* slot, const char* list, int size, int count)
{
    if (!table || !slot || !list || used < 0)
        return used;
    int offset = 0;
    for (int item = 0; item < count && used < PLUGIN_MENU_ITEM_COUNT && offset < size; item++) {
        const char* text = list + offset;
        const void* end = memchr(text, '\0', (size_t)(size - offset));
        // A list without its closing NUL ends at the last whole text.
        if (!end || text[0] == '\0')
            break;
        PlugInMenuItem& entry = table[used];
        entry.Slot = slot;
        entry.Item = (DWORD)item;
        entry.Command = (DWORD)(IDM_PLUGIN_FIRST + used);
        SafeStrCpy(entry.Text, sizeof(entry.Text), text);
        SafeStrCpy(entry.FileName, sizeof(entry.FileName), slot->FileName);
        used++;
        offset += (int)((const char*)end - text) + 1;
    }
    return used;
}

int KeepPlugInMenuItems(PlugInMenuItem* table, int used, PlugInSlot* slot, const PlugInMenuItem* previous)
{
    if (!table || !slot || !previous || used < 0)
        return used;
    for (int i = 0; i < PLUGIN_MENU_ITEM_COUNT && used < PLUGIN_MENU_ITEM_COUNT; i++) {
        const PlugInMenuItem& old = previous[i];
        if (!old.Command || strcmp(old.FileName, slot->FileName) != 0)
            continue;
        PlugInMenuItem& entry = table[used];
        entry = old;
        entry.Slot = slot;
        entry.Command = (DWORD)(IDM_PLUGIN_FIRST + used);
        used++;
    }
    return used;
}
