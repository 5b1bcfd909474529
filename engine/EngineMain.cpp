// The language module's entry: it sets the module up when a process loads it. Every export is checked here against
// the type the module's interface gives it.
#include "EngineMain.h"

#include "CalendarLayout.h"
#include "ContextMenu.h"
#include "DayCells.h"
#include "DayMark.h"
#include "EraNames.h"
#include "HolidayCheck.h"
#include "HolidayDialog.h"
#include "LanguageModule.h"
#include "MarkDialog.h"
#include "MonthHeading.h"
#include "PlugInDialog.h"
#include "RepeatMemoDialog.h"

LANGUAGE_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)

extern "C" HINSTANCE GetInstance(void)
{
    return EngineInstance();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        SetUpEngine(instance, nullptr);
    else if (reason == DLL_PROCESS_DETACH)
        ReleaseEngine();
    return TRUE;
}
