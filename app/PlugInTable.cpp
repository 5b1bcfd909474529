#include "PlugInTable.h"

#include <string.h>

#include <iterator>

#include "PlugInModule.h"
#include "StrUtil.h"

namespace {

using namespace PlugInModule;

const char* const kKnownPlugIns[] = {kPrint, kPopupView, kMiniMemo, kToolBar, kMailCheck};
// The order in which plug-ins missing from the file are added.
const char* const kAddedPlugIns[] = {kPopupView, kMiniMemo, kPrint, kToolBar, kMailCheck};

bool HasPlugIn(const PlugInSlot* table, const char* name)
{
    for (int i = 0; i < PLUGIN_SLOT_COUNT && table[i].FileName[0]; i++) {
        if (strcmp(table[i].FileName, name) == 0)
            return true;
    }
    return false;
}

void AddPlugIn(PlugInSlot* table, const char* name, DWORD use)
{
    if (HasPlugIn(table, name))
        return;
    for (int i = 0; i < PLUGIN_SLOT_COUNT; i++) {
        if (!table[i].FileName[0]) {
            SafeStrCpy(table[i].FileName, sizeof(table[i].FileName), name);
            table[i].Use = use;
            return;
        }
    }
}

}  // namespace

int IsKnownPlugIn(const char* name)
{
    for (const char* known : kKnownPlugIns) {
        if (name && strcmp(name, known) == 0)
            return 1;
    }
    return 0;
}

void NormalizePlugInTable(PlugInSlot* table, const PlugInEntry* entries, int count)
{
    if (!table)
        return;
    memset(table, 0, PLUGIN_SLOT_COUNT * sizeof(PlugInSlot));
    for (int i = 0; entries && i < count; i++) {
        if (IsKnownPlugIn(entries[i].FileName))
            AddPlugIn(table, entries[i].FileName, entries[i].Use);
    }
    for (const char* name : kAddedPlugIns)
        AddPlugIn(table, name, 0);
}
