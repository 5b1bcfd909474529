// The popup-view plug-in's entry and exports. The host loads it around each popup and each use of its menu item:
// the first call that needs them reads the settings, and every change is saved as it is made. Nothing of that runs
// while the library is being loaded or unloaded.
#include <windows.h>

#include <locale.h>

#include "PlugInInterface.h"
#include "PopupViewModule.h"
#include "PopupViewSetDialog.h"
#include "PopupViewState.h"
#include "PopupViewWindow.h"

extern "C" {
POPUPVIEW_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

POPUPVIEW_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)
PLUGIN_EXPORTS(DAYLENS_EXPORT_CHECK)

namespace {

const char* const kJapaneseItems[] = {"ポップアップ設定"};
const char* const kEnglishItems[] = {"PopupView Set"};

void RunMenu(HWND calendar, int item)
{
    if (item == 0)
        RunPopupViewSettings(calendar);
}

void Close()
{
    ExitPopupViewPlugIn();
}

const PlugInDescription kPopupView = {
    kJapaneseItems, kEnglishItems, 1, 107, 0, 1, "Velmora", RunMenu, ActivatePopupView, Close,
};

}  // namespace

const PlugInDescription* ThisPlugIn()
{
    return &kPopupView;
}

extern "C" {

int PopupViewOpen(HWND host, const char* heading1, const char* body1, const char* heading2, const char* body2,
                  const SYSTEMTIME* date)
{
    return OpenPopupView(host, heading1, body1, heading2, body2, date);
}

int PopupViewSetData(const char* heading, const char* body)
{
    return AppendPopupViewEntry(heading, body);
}

int PopupViewSet(HWND owner)
{
    return RunPopupViewSettings(owner);
}

int PopupViewClose(void)
{
    return ExitPopupViewPlugIn();
}

int LxSet(HWND owner)
{
    return PopupViewSet(owner);
}

int LxCloseOnce(int* closed)
{
    InterlockedExchangePointer((void* volatile*)&PopupView()->CloseFlag, closed);
    return 1;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        setlocale(LC_ALL, "jpn");
        SetPopupViewModule(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded without the host's close: the memory and handles go. No popup is left (it runs inside a call,
        // which holds the library), and the settings were saved as they changed.
        ForgetPopupViewPlugIn();
    }
    return TRUE;
}
