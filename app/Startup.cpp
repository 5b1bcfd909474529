#include "Program.h"

#include <stdio.h>
#include <string.h>

#include <new>

#include "AppInfo.h"
#include "DurableSave.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "LanguageResources.h"
#include "Memo.h"
#include "MemoSettingsFile.h"
#include "MemorialDays.h"
#include "MemorialSettingsFile.h"
#include "ModuleBinding.h"
#include "PeriodMemoWindow.h"
#include "Shortcut.h"
#include "SingleInstance.h"
#include "StartupRules.h"
#include "StrUtil.h"
#include "Trace.h"
#include "Updater.h"
#include "UserMessage.h"

ProgramState g_program;

namespace {

const char kNoModule[] = "リソースDLL を開けません．\r\n正しいファイルをダウンロードしてください．";
const char kBadModule[] = "リソースDLL が不適合です．\r\n正しいファイルをダウンロードしてください．";
const char kAlreadyRunning[] = "すでにDaylensが起動していますが，\r\n起動しますか？";
const char kFirstRun[] = "透明なカレンダー Daylens のご利用ありがとございます．\r\n最初の設定を行いますか？";
const char kAskStartup[] = "カレンダーをスタートアップに登録しますか？\r\nスタートアップに登録しておくと，Windowsが起動する時に，\r\nカレンダーが自動的に起動するようになります．";
const char kStartupDone[] = "スタートアップに登録しました．";
const char kAskTransparent[] =
    "カレンダーの背景を透明にしますか？\r\n透明にすると見栄えはいいですが，\r\n表示位置の移動は少し難しくなります．"
    "\r\nここで透明に設定しなくても，後で透明にすることは可能です．";
const char kFirstSetupDone[] =
    "最初の簡単な設定が終了しました．\r\nより詳細な設定をする場合は，\r\n環境設定の「プレビュー」機能を使って\r\n"
    "いろいろ設定を試してみてください．";
const char kAskHelp[] = "ヘルプを見ますか？";
const char kFilesMissing[] =
    "Daylensのご利用ありがとございます\r\nすべてのファイルがそろっていないようですので\r\n確認してください";
int Ask(const char* text)
{
    return TellUser(nullptr, text, MB_YESNO | MB_ICONQUESTION);
}

const char kAskUpdate[] = "アップデートのチェックをしますか？";

// Without a fitting language module the program cannot run; an update may bring one. Start-up ends either way.
int GiveUp(const char* text)
{
    TellUser(nullptr, text, MB_OK | MB_ICONWARNING);
    if (IsUpdaterAvailable() && Ask(kAskUpdate) == IDYES) {
        g_program.UpdateProgram = 1;
        RunUpdateOnExit();
    }
    return 0;
}

void SetIdentity(AppInfo* info)
{
    info->SetNames(DAYLENS_PROGRAM_NAME, DAYLENS_PROGRAM_TITLE, DAYLENS_WINDOW_CLASS, DAYLENS_VERSION, DAYLENS_REVISION,
                   0, DAYLENS_MAKER, DAYLENS_YEARS, DAYLENS_RELEASE_DATE, nullptr);
}

void MakePlugInDir(AppInfo* info)
{
    char path[MAX_PATH * 2];
    snprintf(path, sizeof(path), "%sPlugIn", NonNullStr(info->GetProgramDir()));
    g_program.PlugInDir = StrDupHeap(path);
    if (g_program.PlugInDir && !FolderExists(g_program.PlugInDir, 0))
        CreateDirectoryTree(g_program.PlugInDir);
}

void ResetRunTimeFields(EnvData* env)
{
    env->WallpaperModeAtStart = 0;
    env->PreWallPaper = nullptr;
    env->HourAlarm = nullptr;
    env->BackPicture = nullptr;
    env->PopupViewSlot = -1;
    env->DropSlot = -1;
    g_program.Holidays = nullptr;
    g_program.HolidayCount = 0;
    g_program.MyHolidays = nullptr;
    g_program.MyHolidayCount = 0;
    g_program.MyHolidayPath = nullptr;
    g_program.UpdateProgram = 0;
    g_program.UpdatePlugIn = 0;
    g_program.Restart = 0;
}

void SetLanguage(EnvData* env)
{
    SafeStrCpy(g_program.LanguageName, sizeof(g_program.LanguageName), "Japanese");
    env->LanguageName = g_program.LanguageName;
    env->CustomColors = g_program.CustomColors;
    memset(g_program.PlugInSlots, 0, sizeof(g_program.PlugInSlots));
    env->PlugInSlots = g_program.PlugInSlots;
    memset(g_program.PlugInMenuItems, 0, sizeof(g_program.PlugInMenuItems));
    env->PlugInMenuItems = g_program.PlugInMenuItems;
    LoadStringA(ResourceDll(), IDS_LANGUAGE, g_program.LanguageName, sizeof(g_program.LanguageName));
    env->IsEnglish = IsEnglishLanguage(g_program.LanguageName);
}

void LoadNationalHolidays(AppInfo* info)
{
    auto loadHoliday = LanguageProc(LanguageModule::kLoadHoliday);
    if (!loadHoliday)
        return;
    char path[MAX_PATH * 2];
    snprintf(path, sizeof(path), "%s%s.txt", NonNullStr(info->GetProgramDir()), "Holiday");
    g_program.Holidays = loadHoliday(HOLIDAY_KIND_NATIONAL, path, &g_program.HolidayCount);
    if (!g_program.Holidays)
        Trace("no national holidays from %s", path);
}

int AllocateTables(EnvData* env)
{
    env->DayCells = (DayCell*)AllocZeroed(DAY_CELL_MAX * sizeof(DayCell));
    env->UserMarks = (UserMark*)AllocZeroed(10 * sizeof(UserMark));
    env->UserStyleMax = env->UserMarks ? 10 : 0;
    return env->DayCells && env->UserMarks;
}

// 1 to go on; 0 when this start ends because another instance runs.
int CheckSingleInstance(const char* commandLine, EnvData* env)
{
    HANDLE mutex = nullptr;
    // Without a mutex no other instance can be told apart: this one runs alone rather than end or wait.
    int otherRuns = CreateSingleInstanceMutex(DAYLENS_WINDOW_CLASS, &mutex) == SINGLE_INSTANCE_OTHER;
    switch (DecideStartup(commandLine, otherRuns, env->DoubleStart)) {
    case STARTUP_RUN:
        g_program.InstanceMutex = mutex;
        return 1;
    case STARTUP_WAIT:
        g_program.InstanceMutex = WaitForSingleInstanceMutex(DAYLENS_WINDOW_CLASS, 1000);
        return 1;
    case STARTUP_CONFIRM:
        return Ask(kAlreadyRunning) == IDYES;
    case STARTUP_ACTIVATE:
        EnumWindows(EnumActivateProc, 0);
        return 0;
    default:
        EnumWindows(EnumActivateAndShowProc, 0);
        return 0;
    }
}

void AskFirstRunQuestions(AppInfo* info, EnvData* env)
{
    if (Ask(kFirstRun) == IDYES) {
        if (Ask(kAskStartup) == IDYES &&
            CreateStartupShortcut(info->GetAppName(), info->GetDescription(), info->GetProgramDir()))
            TellUser(nullptr, kStartupDone, MB_OK | MB_ICONINFORMATION);
        env->Transparency.TransMode = Ask(kAskTransparent) == IDYES ? TRANS_MODE_KEY_AND_ALPHA : TRANS_MODE_ALPHA;
        TellUser(nullptr, kFirstSetupDone, MB_OK | MB_ICONINFORMATION);
        SaveEnv(&g_program.Settings, env, SETTINGS_SCOPE_ALL);
    } else {
        char help[MAX_PATH * 2];
        snprintf(help, sizeof(help), "%s%s", NonNullStr(info->GetProgramDir()), DAYLENS_HELP_FILE);
        if (!FileExists(help))
            TellUser(nullptr, kFilesMissing, MB_OK | MB_ICONINFORMATION);
        else if (Ask(kAskHelp) == IDYES)
            info->ShowHelp(nullptr, help, HELP_TOPIC_MAIN);
    }
    POINT cursor;
    if (GetCursorPos(&cursor)) {
        env->WindowX = cursor.x;
        env->WindowY = cursor.y;
    }
}

void LoadOwnHolidays()
{
    BuildMyHolidayPath();
    auto loadHoliday = LanguageProc(LanguageModule::kLoadHoliday);
    if (loadHoliday && g_program.MyHolidayPath)
        g_program.MyHolidays = loadHoliday(HOLIDAY_KIND_OWN, g_program.MyHolidayPath, &g_program.MyHolidayCount);
}

// Steps up to a filled record; 0 when start-up ends here.
int PrepareRecord(AppInfo* info)
{
    if (!ResourceDllAcquire(1))
        return GiveUp(kNoModule);
    EnvData* env = new (std::nothrow) EnvData();
    if (!env)
        return 0;
    g_program.Env = env;
    auto envInitialize = LanguageProc(LanguageModule::kEnvInitialize);
    if (!envInitialize || envInitialize(env) != 1)
        return GiveUp(kBadModule);
    ResetRunTimeFields(env);
    // The tray-icon record joins here with the tray icon.
    SetLanguage(env);
    LoadNationalHolidays(info);
    if (!AllocateTables(env))
        return 0;
    LoadWindowPlacement(&g_program.Settings, env);
    return 1;
}

// The national holidays as they stand, for the period memo list's repeating memos.
const HolidayRecord* ProgramHolidays(int* count)
{
    *count = (int)g_program.HolidayCount;
    return g_program.Holidays;
}

}  // namespace

HANDLE WaitForSingleInstanceMutex(const char* name, DWORD stepMs)
{
    HANDLE mutex = nullptr;
    while (CreateSingleInstanceMutex(name, &mutex) == SINGLE_INSTANCE_OTHER)
        Sleep(stepMs);
    return mutex;
}

void BuildMyHolidayPath()
{
    char user[256] = "";
    DWORD size = sizeof(user);
    if (!GetUserNameA(user, &size))
        user[0] = '\0';
    const char* dir = g_program.Info ? g_program.Info->GetProgramDir() : nullptr;
    int individual = g_program.Env ? g_program.Env->MyHolidayIndividual : 0;
    char* path = FormatMyHolidayPath(dir, individual, user);
    if (g_program.MyHolidayPath)
        HeapFree(GetProcessHeap(), 0, g_program.MyHolidayPath);
    g_program.MyHolidayPath = path;
}

int InitApplication(const char* commandLine, int showCommand)
{
    // Plug-ins and modules load from their own folders, never from the current folder.
    SetDllDirectoryA("");
    AppInfo* info = g_program.Info;
    SetIdentity(info);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &g_program.WorkArea, 0);
    GetClientRect(GetDesktopWindow(), &g_program.Desktop);
    g_program.IniPath = StrDupHeap(info->GetIniPath(1));
    InitSettingsFile(&g_program.Settings, info, g_program.IniPath);
    MakePlugInDir(info);
    if (!PrepareRecord(info))
        return 0;
    EnvData* env = g_program.Env;
    if (!CheckSingleInstance(commandLine, env)) {
        ShutdownApplication();
        return 0;
    }
    env->WallpaperModeAtStart = (BYTE)WallpaperModeFromCommandLine(commandLine);
    int versionChanged = 0;
    int firstRun = ReadProgramSettings(&versionChanged);
    // The placement was read before DenyOutOfDesktop.
    KeepWindowOnDesktop(&g_program.Settings, env);
    if (!firstRun && versionChanged)
        ShowVersionUpNotice(info);
    ApplyStartMonth(env);
    InitMemo(&env->Today);
    SetPeriodMemoHolidaySource(ProgramHolidays);
    LoadMemoSettings(&g_memoSettings, g_program.IniPath, info->GetAppName(), env->DialogFont);
    ReloadRepeatMemos();
    LoadMemorialSettings(&g_memorialSettings, g_program.IniPath, info->GetAppName(), info->GetProgramDir(),
                         {env->ShadowColor, env->ShadowWidth, env->ShadowDirection});
    g_program.Settings.Memo = &g_memoSettings;
    g_program.Settings.Memorial = &g_memorialSettings;
    if (firstRun)
        AskFirstRunQuestions(info, env);
    if (env->WallpaperModeAtStart == 0 && env->DelayedStart == 1)
        Sleep(DelayedStartWait(env->DelayedStartTime));
    LoadIcons(1);
    LoadOwnHolidays();
    LoadMemorialDays(info->GetProgramDir(), LanguageProc(LanguageModule::kLoadHoliday));
    RemoveLeftoverSavesOfFiles();
    return CreateMainWindow(showCommand);
}

void RemoveLeftoverSavesOfFiles()
{
    // Only this instance runs now; saves that a kill cut short left their temporary files beside the user's files.
    const char* files[] = {g_program.IniPath, g_program.MyHolidayPath, g_memorialSettings.MemorialPath};
    char folders[4][PARENT_FOLDER_SIZE] = {};
    SafeStrCpy(folders[0], sizeof(folders[0]), g_memoSettings.MemoDir);
    for (int i = 0; i < 3; i++)
        GetParentFolder(NonNullStr(files[i]), folders[i + 1]);
    for (int i = 0; i < 4; i++) {
        bool seen = !folders[i][0];
        for (int j = 0; j < i && !seen; j++)
            seen = lstrcmpiA(folders[i], folders[j]) == 0;
        if (!seen)
            RemoveLeftoverSaves(folders[i]);
    }
}

int ReadProgramSettings(int* versionChanged)
{
    int firstRun = LoadEnv(&g_program.Settings, g_program.Env, versionChanged);
    LoadProgramAccelerators();
    return firstRun;
}

HACCEL LoadProgramAccelerators()
{
    EnvData* env = g_program.Env;
    int id = AcceleratorTableId(env ? env->MoveWithKeyUD : 0, env ? env->MoveWithKeyRL : 0);
    HACCEL table = LoadAcceleratorsA(g_program.Instance, MAKEINTRESOURCEA(id));
    if (table) {
        if (g_program.Accelerators)
            DestroyAcceleratorTable(g_program.Accelerators);
        g_program.Accelerators = table;
    }
    return table;
}

int RunMessageLoop()
{
    MSG message = {};
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        EnvData* env = g_program.Env;
        if (env && env->PreviewWindow && IsWindow(env->PreviewWindow) &&
            IsDialogMessageA(env->PreviewWindow, &message))
            continue;
        if (g_program.Info && g_program.Info->HelpPreTranslate(&message))
            continue;
        HWND main = env ? env->MainWindow : nullptr;
        if (main && g_program.Accelerators && TranslateAcceleratorA(main, g_program.Accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == -1 ? 0 : (int)message.wParam;
}
