// The popup-view plug-in's entry and exports. The host loads it around each popup and each use of its menu item,
// so it reads its settings when loaded and saves them before it goes.
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
    ClosePopupView();
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
    return AppendPopupEntry(&PopupView()->Entries, heading, body);
}

int PopupViewSet(HWND owner)
{
    return RunPopupViewSettings(owner);
}

int PopupViewClose(void)
{
    return ClosePopupView();
}

int LxSet(HWND owner)
{
    return RunPopupViewSettings(owner);
}

int LxCloseOnce(int* closed)
{
    PopupView()->CloseFlag = closed;
    return 1;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        setlocale(LC_ALL, "jpn");
        InitPopupViewPlugIn(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // At process exit the popup's thread is gone already: nothing is left to close.
        ExitPopupViewPlugIn();
    }
    return TRUE;
}
