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

// Apart from the state's own lock: a first call readies the plug-in under this one, and takes the state's lock only
// inside it.
SRWLOCK s_readyLock = SRWLOCK_INIT;

void InitPopupViewPlugIn()
{
    HINSTANCE module = g_state.Module;
    g_state.Info = new (std::nothrow) AppInfo();
    if (g_state.Info)
        g_state.Info->SetNames(kAppName, kDescription, kWindowClass, kMajorVersion, 0, 0, DAYLENS_MAKER,
                               DAYLENS_YEARS, kReleaseDate, nullptr);
    g_state.BigIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_POPUPVIEW), IMAGE_ICON, 32, 32, 0);
    g_state.SmallIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_POPUPVIEW), IMAGE_ICON, 16, 16, 0);
    for (int i = 0; i < POPUPVIEW_CURSOR_COUNT; i++)
        g_state.Cursors[i] = LoadCursorA(module, MAKEINTRESOURCEA(IDC_POPUPVIEW_CURSOR_MOVE + i));
    PopupViewSettings settings = {};
    LoadPopupViewSettings(&settings, IniPath());
    {
        PopupViewLock lock(true);
        g_state.Settings = settings;
    }
    g_state.Menu = CreatePopupViewMenu();
    UpdatePopupViewMenu();
    g_state.Ready = true;
}

// What the plug-in readied, let go; with help, only after the host's close.
void ReleasePopupViewPlugIn(bool closeHelp)
{
    if (g_state.Info && closeHelp)
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
    g_state.Ready = false;
}

}  // namespace

PopupViewLock::PopupViewLock(bool exclusive) : LockHold(&g_state.Lock, exclusive)
{
}

PopupViewState* PopupView()
{
    return &g_state;
}

void SetPopupViewModule(HINSTANCE module)
{
    g_state.Module = module;
}

void EnsurePopupViewPlugIn()
{
    AcquireSRWLockExclusive(&s_readyLock);
    if (!g_state.Ready)
        InitPopupViewPlugIn();
    ReleaseSRWLockExclusive(&s_readyLock);
}

int ExitPopupViewPlugIn()
{
    AcquireSRWLockShared(&s_readyLock);
    bool ready = g_state.Ready;
    ReleaseSRWLockShared(&s_readyLock);
    if (!ready)
        return 1;
    ClosePopupView();
    // A popup opening or still ending on its thread, or a settings dialog open on another, keeps what it uses; the
    // last close lets it go.
    AcquireSRWLockExclusive(&s_readyLock);
    bool inUse = InterlockedCompareExchange(&g_state.Busy, 0, 0) != 0 ||
                 InterlockedCompareExchange(&g_state.SettingsOpen, 0, 0) != 0;
    if (g_state.Ready && !inUse)
        ReleasePopupViewPlugIn(true);
    ReleaseSRWLockExclusive(&s_readyLock);
    return 1;
}

void ForgetPopupViewPlugIn()
{
    if (g_state.Ready)
        ReleasePopupViewPlugIn(false);
}

int SavePopupViewSetting()
{
    PopupViewSettings settings = CopyPopupViewSettings();
    return SavePopupViewSettings(&settings, IniPath());
}

PopupViewSettings CopyPopupViewSettings()
{
    PopupViewLock lock(false);
    return g_state.Settings;
}

void SetPopupViewSettingsButPlace(const PopupViewSettings& edited)
{
    PopupViewLock lock(true);
    PopupViewSettings& s = g_state.Settings;
    int x = s.WindowX, y = s.WindowY, width = s.WindowWidth, height = s.WindowHeight;
    s = edited;
    s.WindowX = x;
    s.WindowY = y;
    s.WindowWidth = width;
    s.WindowHeight = height;
}

void StorePopupViewRect(const RECT& rect)
{
    PopupViewLock lock(true);
    PopupViewSettings& s = g_state.Settings;
    s.WindowX = rect.left;
    s.WindowY = rect.top;
    s.WindowWidth = rect.right - rect.left;
    s.WindowHeight = rect.bottom - rect.top;
}

int TogglePopupViewFlag(int PopupViewSettings::*flag)
{
    PopupViewLock lock(true);
    int& value = g_state.Settings.*flag;
    value = value ? 0 : 1;
    return value;
}

int HoldPopupViewFrameWidth()
{
    PopupViewLock lock(true);
    BYTE& width = g_state.Settings.FrameWidth;
    if (width == 0)
        width = 1;
    return width;
}

void SetOpeningPopupView(const char* heading1, const char* body1, const char* heading2, const char* body2,
                         const SYSTEMTIME* date)
{
    PopupViewEntries fresh = {};
    SetOpeningPopupEntries(&fresh, heading1, body1, heading2, body2);
    SYSTEMTIME when;
    if (date)
        when = *date;
    else
        GetLocalTime(&when);
    PopupViewEntries old;
    {
        PopupViewLock lock(true);
        old = g_state.Entries;
        g_state.Entries = fresh;
        g_state.Date = when;
    }
    ClearPopupEntries(&old);
}

int AppendPopupViewEntry(const char* heading, const char* body)
{
    PopupViewLock lock(true);
    return AppendPopupEntry(&g_state.Entries, heading, body);
}

void ClearIdlePopupView()
{
    PopupViewEntries old = {};
    {
        PopupViewLock lock(true);
        if (InterlockedCompareExchange(&g_state.Busy, 0, 0) != 0)
            return;
        old = g_state.Entries;
        g_state.Entries = PopupViewEntries();
    }
    ClearPopupEntries(&old);
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
    PopupViewSettings s = CopyPopupViewSettings();
    CheckMenuItem(g_state.Menu, IDM_POPUPVIEW_FIX_POS, MF_BYCOMMAND | (s.FixPos ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(g_state.Menu, IDM_POPUPVIEW_FIX_SIZE, MF_BYCOMMAND | (s.FixSize ? MF_CHECKED : MF_UNCHECKED));
}
