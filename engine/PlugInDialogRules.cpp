#include "PlugInDialogRules.h"

#include <stdio.h>
#include <string.h>

void FormatPlugInVersion(char* out, size_t size, int major, int minor)
{
    snprintf(out, size, "%.2f.%d", major / 100.0, minor);
}

int NamedPlugInSlots(const PlugInSlot* table)
{
    int count = 0;
    while (table && count < PLUGIN_SLOT_COUNT && table[count].FileName[0])
        count++;
    return count;
}

int MovePlugInSlot(PlugInSlot* table, int row, int step)
{
    int named = NamedPlugInSlots(table);
    int other = row + step;
    if (!table || (step != 1 && step != -1) || row < 0 || row >= named || other < 0 || other >= named)
        return -1;
    PlugInSlot held = table[row];
    table[row] = table[other];
    table[other] = held;
    return other;
}

void ApplyPlugInChoices(PlugInSlot* table, const PlugInSlot* work, const int* checked)
{
    if (!table || !work || !checked)
        return;
    memcpy(table, work, sizeof(PlugInSlot) * PLUGIN_SLOT_COUNT);
    for (int i = 0, named = NamedPlugInSlots(table); i < named; i++)
        table[i].Use = checked[i] ? 1 : 0;
}
