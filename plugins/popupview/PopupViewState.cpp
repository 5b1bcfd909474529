#include "PopupViewState.h"

#include <initializer_list>
#include <new>

#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "PopupViewIds.h"
#include "PopupViewWindow.h"
#include "VersionDialog.h"

namespace {

PopupViewState g_state;

const char kAppName[] = "DaylensPopupView";
const char kDescription[] = "ポップアップ表示プラグイン DaylensPopupView";
const char kWindowClass[] = "Velmora DaylensPopupView";
const char kReleaseDate[] = "12/04/2013";
const int kMajorVersion = 107;
const char kHelpFile[] = "PlugIn\\DaylensPopupView.chm";

HMENU CreatePopupViewMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    AppendMenuA(menu, MF_STRING, IDM_POPUPVIEW_FIX_POS, "位置固定");
    AppendMenuA(menu, MF_STRING, IDM_POPUPVIEW_FIX_SIZE, "サイズ固定");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_POPUPVIEW_SETTINGS, "ポップアップ設定");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_POPUPVIEW_VERSION, "バージョン");
    AppendMenuA(menu, MF_STRING, IDM_POPUPVIEW_HELP, "ヘルプ");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_POPUPVIEW_CLOSE, "閉じる");
    return menu;
}

const char* IniPath()
{
    return g_state.Info ? g_state.Info->GetIniPath(1) : nullptr;
}

}  // namespace

PopupViewState* PopupView()
{
    return &g_state;
}

void InitPopupViewPlugIn(HINSTANCE module)
{
    g_state = PopupViewState();
    g_state.Module = module;
    g_state.Info = new (std::nothrow) AppInfo();
    if (g_state.Info)
        g_state.Info->SetNames(kAppName, kDescription, kWindowClass, kMajorVersion, 0, 0, DAYLENS_MAKER,
                               DAYLENS_YEARS, kReleaseDate, nullptr);
    g_state.BigIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_POPUPVIEW), IMAGE_ICON, 32, 32, 0);
    g_state.SmallIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_POPUPVIEW), IMAGE_ICON, 16, 16, 0);
    for (int i = 0; i < POPUPVIEW_CURSOR_COUNT; i++)
        g_state.Cursors[i] = LoadCursorA(module, MAKEINTRESOURCEA(IDC_POPUPVIEW_CURSOR_MOVE + i));
    LoadPopupViewSettings(&g_state.Settings, IniPath());
    g_state.Menu = CreatePopupViewMenu();
    UpdatePopupViewMenu();
}

void ExitPopupViewPlugIn()
{
    ClosePopupView();
    if (g_state.Info)
        g_state.Info->HelpUninitialize();
    if (g_state.Menu)
        DestroyMenu(g_state.Menu);
    g_state.Menu = nullptr;
    for (HICON* icon : {&g_state.BigIcon, &g_state.SmallIcon}) {
        if (*icon)
            DestroyIcon(*icon);
        *icon = nullptr;
    }
    delete g_state.Info;
    g_state.Info = nullptr;
}

int SavePopupViewSetting()
{
    return SavePopupViewSettings(&g_state.Settings, IniPath());
}

HCURSOR PopupViewCursor(int id)
{
    int index = id - IDC_POPUPVIEW_CURSOR_MOVE;
    return index >= 0 && index < POPUPVIEW_CURSOR_COUNT ? g_state.Cursors[index] : nullptr;
}

void ShowPopupViewHelp(HWND owner, const char* topic)
{
    if (!g_state.Info)
        return;
    char path[MAX_PATH * 2];
    snprintf(path, sizeof(path), "%s%s", g_state.Info->GetProgramDir() ? g_state.Info->GetProgramDir() : "",
             kHelpFile);
    g_state.Info->ShowHelp(owner, path, topic);
}

void ShowPopupViewAbout(HWND owner)
{
    ShowAboutBox(g_state.Module, IDD_POPUPVIEW_ABOUT, owner, g_state.BigIcon, g_state.SmallIcon, nullptr,
                 g_state.Info, 1);
}

void UpdatePopupViewMenu()
{
    if (!g_state.Menu)
        return;
    CheckMenuItem(g_state.Menu, IDM_POPUPVIEW_FIX_POS,
                  MF_BYCOMMAND | (g_state.Settings.FixPos ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(g_state.Menu, IDM_POPUPVIEW_FIX_SIZE,
                  MF_BYCOMMAND | (g_state.Settings.FixSize ? MF_CHECKED : MF_UNCHECKED));
}
