// The exports every plug-in shares, answered from the plug-in's description.
#include "PlugInInterface.h"

#include <string.h>

#include "EnvData.h"
#include "PlugInMenuList.h"

namespace {

// The host's table as it last handed it over; kept, though nothing in the plug-ins reads it.
PlugInSlot g_hostTable[PLUGIN_SLOT_COUNT];

const char* const* MenuItems(const char* language)
{
    const PlugInDescription* self = ThisPlugIn();
    return IsEnglishLanguage(language) ? self->EnglishItems : self->JapaneseItems;
}

}  // namespace

extern "C" {

int LxPlugInMenuInfoLang(char* buffer, int* size, const char* language)
{
    return WritePlugInMenuList(MenuItems(language), ThisPlugIn()->ItemCount, buffer, size);
}

int LxPlugInMenuInfo(char* buffer, int* size)
{
    return WritePlugInMenuList(MenuItems(nullptr), ThisPlugIn()->ItemCount, buffer, size);
}

int LxPlugInRunMenu(HWND calendar, int item)
{
    const PlugInDescription* self = ThisPlugIn();
    if (item >= 0 && item < self->ItemCount && self->RunMenu)
        self->RunMenu(calendar, item);
    return 1;
}

int LxActivate(void)
{
    if (ThisPlugIn()->Activate)
        ThisPlugIn()->Activate();
    return 1;
}

int LxGetOnce(void)
{
    return ThisPlugIn()->RunOnce == 1 ? 1 : 0;
}

int LxClose(void)
{
    if (ThisPlugIn()->Close)
        ThisPlugIn()->Close();
    return 1;
}

int GetMajorVersion(void)
{
    return ThisPlugIn()->MajorVersion;
}

int GetMinorVersion(void)
{
    return ThisPlugIn()->MinorVersion;
}

// The copy is emptied first, so that a null table leaves an empty copy; the call is done either way.
int LxSetPlugIn(PlugInSlot* table)
{
    memset(g_hostTable, 0, sizeof(g_hostTable));
    if (table)
        memcpy(g_hostTable, table, sizeof(g_hostTable));
    return 1;
}

const char* GetCreator(void)
{
    return ThisPlugIn()->Creator ? ThisPlugIn()->Creator : "";
}

const char* GetDate(void)
{
    return PLUGIN_RELEASE_DATE;
}

}  // extern "C"
