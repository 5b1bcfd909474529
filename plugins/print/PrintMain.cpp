// The print plug-in's library entry, its state, its description for the shared plug-in exports and its own
// exports PrintOpen, PrintOpen2 and PrintSetEnv.
#include "PrintPlugIn.h"

#include <locale.h>
#include <stdio.h>
#include <string.h>

#include <initializer_list>
#include <new>

#include "AppInfo.h"
#include "EngineMain.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "MemoSettingsFile.h"
#include "NameSets.h"
#include "PlugInInterface.h"
#include "PrintModule.h"
#include "PrintResource.h"

extern "C" {
PRINT_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

PrintState g_print;

namespace {

const char kDescription[] = "カレンダー印刷プラグイン DaylensPrint";
const char kWindowClass[] = "Velmora DaylensPrint";
const char kReleaseDate[] = "12/04/2013";
const char kCreator[] = "Velmora";
const char* const kJapaneseItems[] = {"カレンダー印刷"};
const char* const kEnglishItems[] = {"Print Calendar"};
const int kUserNameSize = 1024;
COLORREF g_customColors[CUSTOM_COLOR_COUNT];

void RunMenu(HWND calendar, int item)
{
    if (item == 0)
        PrintOpen(nullptr, 0, 0);
}

const PlugInDescription kPrintPlugIn = {
    kJapaneseItems, kEnglishItems, 1, PRINT_PLUGIN_VERSION, 0, 1, kCreator, RunMenu,
    [] { ActivatePrintDialog(); }, nullptr,
};

void FreeList(HolidayRecord** list, unsigned int* count)
{
    FreeHolidayList(*list, (int)*count);
    *list = nullptr;
    *count = 0;
}

// "<program folder><base>.txt", or "<program folder><base>-<user>.txt" for a list of each user.
HolidayRecord* LoadProgramList(unsigned char kind, const char* base, int perUser, unsigned int* count)
{
    char path[MAX_PATH * 2];
    const char* dir = g_print.Info ? g_print.Info->GetProgramDir() : "";
    if (perUser == 1 && g_print.UserName)
        snprintf(path, sizeof(path), "%s%s-%s.txt", dir, base, g_print.UserName);
    else
        snprintf(path, sizeof(path), "%s%s.txt", dir, base);
    *count = 0;
    return LoadHoliday(kind, path, count);
}

void LoadHolidayLists()
{
    if (g_print.HolidaysLoaded)
        return;
    g_print.HolidaysLoaded = 1;
    g_print.Holidays = LoadProgramList(HOLIDAY_KIND_NATIONAL, "Holiday", 0, &g_print.HolidayCount);
    g_print.MyHolidays = LoadProgramList(HOLIDAY_KIND_OWN, "MyHoliday", g_print.Env->MyHolidayIndividual,
                                         &g_print.MyHolidayCount);
    // The memorial settings hold the file's path, per user or not, once the settings file has been read.
    if (g_print.Memorial.MemorialPath[0])
        g_print.Memorials = LoadHoliday(HOLIDAY_KIND_MEMORIAL, g_print.Memorial.MemorialPath, &g_print.MemorialCount);
    else
        g_print.Memorials = LoadProgramList(HOLIDAY_KIND_MEMORIAL, MEMORIAL_FILE_BASE, 0, &g_print.MemorialCount);
}

void CopyRecords(EnvData* env, MemoSettings* memo, MemorialSettings* memorial)
{
    if (env && g_print.Env)
        g_print.Env->CopyFrom(env);
    if (memo)
        CopyMemoSettings(&g_print.Memo, memo);
    if (memorial)
        memcpy(&g_print.Memorial, memorial, sizeof(MemorialSettings));
}

}  // namespace

const PlugInDescription* ThisPlugIn()
{
    return &kPrintPlugIn;
}

PageSources CurrentPageSources()
{
    PageSources s = {};
    s.Env = g_print.Env;
    s.Memo = &g_print.Memo;
    s.Memorial = &g_print.Memorial;
    s.Options = &g_print.Settings.Options;
    s.Holidays = g_print.Holidays;
    s.HolidayCount = (int)g_print.HolidayCount;
    s.MyHolidays = g_print.MyHolidays;
    s.MyHolidayCount = (int)g_print.MyHolidayCount;
    s.Memorials = g_print.Memorials;
    s.MemorialCount = (int)g_print.MemorialCount;
    s.Repeats = g_print.Repeats;
    s.RepeatTexts = g_print.RepeatTexts;
    s.RepeatCount = g_print.RepeatCount;
    GetLocalTime(&s.Today);
    return s;
}

int InitPrintPlugIn(HINSTANCE module)
{
    g_print.Module = module;
    g_print.Info = new (std::nothrow) AppInfo();
    if (g_print.Info)
        g_print.Info->SetStrings(PRINT_PLUGIN_NAME, kDescription, kWindowClass, kCreator, PRINT_PLUGIN_VERSION, 0, 0,
                                 "", kReleaseDate, nullptr);
    g_print.DragCursor = (HCURSOR)LoadImageA(module, MAKEINTRESOURCEA(IDC_PRINT_CURSOR_DRAG), IMAGE_CURSOR, 32, 32, 0);
    g_print.MoveCursor = (HCURSOR)LoadImageA(module, MAKEINTRESOURCEA(IDC_PRINT_CURSOR_MOVE), IMAGE_CURSOR, 32, 32, 0);
    g_print.PrintCursor =
        (HCURSOR)LoadImageA(module, MAKEINTRESOURCEA(IDC_PRINT_CURSOR_PRINT), IMAGE_CURSOR, 32, 32, 0);
    g_print.BigIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_PRINT), IMAGE_ICON, 32, 32, 0);
    g_print.SmallIcon = (HICON)LoadImageA(module, MAKEINTRESOURCEA(IDI_PRINT_SMALL), IMAGE_ICON, 16, 16, 0);
    g_print.Env = new (std::nothrow) EnvData();
    if (!g_print.Env)
        return 0;
    EnvInitialize(g_print.Env);
    g_print.Env->CustomColors = g_customColors;
    InitRepeatMemos(&g_print.Repeats, g_print.RepeatTexts, &g_print.RepeatCount);
    if (g_print.Info)
        g_print.IniPath = StrDupHeap(g_print.Info->GetIniPath(1));
    char user[kUserNameSize] = "";
    DWORD size = sizeof(user);
    if (GetUserNameA(user, &size) && user[0])
        g_print.UserName = StrDupHeap(user);
    LoadPrintSettings();
    return 1;
}

int ExitPrintPlugIn()
{
    ClosePrintDialog();
    ClosePrintPreview();
    FreeList(&g_print.Holidays, &g_print.HolidayCount);
    FreeList(&g_print.MyHolidays, &g_print.MyHolidayCount);
    FreeList(&g_print.Memorials, &g_print.MemorialCount);
    FreeRepeatMemos(&g_print.Repeats, g_print.RepeatTexts, &g_print.RepeatCount);
    FreeMemoSearchHistory(&g_print.Memo);
    for (char* text : {g_print.IniPath, g_print.UserName}) {
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
    }
    g_print.IniPath = g_print.UserName = nullptr;
    delete g_print.Env;
    g_print.Env = nullptr;
    for (HICON icon : {g_print.BigIcon, g_print.SmallIcon}) {
        if (icon)
            DestroyIcon(icon);
    }
    for (HCURSOR cursor : {g_print.DragCursor, g_print.MoveCursor, g_print.PrintCursor}) {
        if (cursor)
            DestroyCursor(cursor);
    }
    if (g_print.Info)
        g_print.Info->HelpUninitialize();
    delete g_print.Info;
    g_print.Info = nullptr;
    return 1;
}

extern "C" {

int PrintOpen(void* unused, int unused2, int unused3)
{
    if (!g_print.Env)
        return 0;
    if (g_print.DialogOpen) {
        ActivatePrintDialog();
        return 1;
    }
    LoadPrintSettings();
    LoadHolidayLists();
    FreeRepeatMemos(&g_print.Repeats, g_print.RepeatTexts, &g_print.RepeatCount);
    g_print.RepeatCount = 0;
    LoadRepeatMemos(&g_print.Repeats, g_print.RepeatTexts, &g_print.RepeatCount, g_print.Memo.MemoDir);
    RunPrintDialog();
    FreeRepeatMemos(&g_print.Repeats, g_print.RepeatTexts, &g_print.RepeatCount);
    g_print.RepeatCount = 0;
    SavePrintSection();
    return 1;
}

int PrintOpen2(void* unused, EnvData* env, MemoSettings* memo, MemorialSettings* memorial)
{
    CopyRecords(env, memo, memorial);
    return PrintOpen(unused, 0, 0);
}

int PrintSetEnv(EnvData* env, MemoSettings* memo)
{
    CopyRecords(env, memo, nullptr);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        setlocale(LC_ALL, "jpn");
        InitPrintPlugIn(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        ExitPrintPlugIn();
    }
    return TRUE;
}

}  // extern "C"

PRINT_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)
