#include "SettingsFile.h"

#include <stdio.h>
#include <string.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "IniDocument.h"
#include "MemoSettingsFile.h"
#include "MemorialSettingsFile.h"
#include "NameSets.h"
#include "PlugInTable.h"
#include "ProfileSection.h"
#include "SettingsKeys.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "StrUtil.h"
#include "Trace.h"
#include "UserMessage.h"
#include "WallpaperRules.h"

namespace {

const size_t kNameSize = 128;
// Columns the keys are padded to, per section.
const int kPlacementWidth = 12;
const int kMainWidth = 26;
// What the version reads as when section N"00" has none.
const char kNoVersion[] = "---";

void FreeText(char** text)
{
    if (*text) {
        HeapFree(GetProcessHeap(), 0, *text);
        *text = nullptr;
    }
}

void SectionName(char* out, const char* appName, const char* suffix)
{
    snprintf(out, kNameSize, "%s%s", NonNullStr(appName), suffix);
}

void ScreenSectionName(char* out, const SettingsFile* file)
{
    snprintf(out, kNameSize, "%s%ldx%ld", NonNullStr(file->AppName), file->Desktop.right, file->Desktop.bottom);
}

void ReadProgramRow(const SettingSource& source, void* block, const SettingKey& key, int number);

// One section of the file, read once, and the source that reads the program's rows from it.
struct ProgramSource {
    ProgramSource(const SettingsFile* file, EnvData* env, ProfileSection* section) : File(file), Env(env)
    {
        Source = {section, env, ReadProgramRow, this, Text};
    }
    ProgramSource(const SettingsFile* file, EnvData* env, const char* name)
        : ProgramSource(file, env, ReadProfileSection(file->IniPath, name))
    {
    }
    ~ProgramSource() { FreeProfileSection((ProfileSection*)Source.Section); }
    ProgramSource(const ProgramSource&) = delete;
    ProgramSource& operator=(const ProgramSource&) = delete;

    const SettingsFile* File;
    EnvData* Env;
    SettingSource Source;
    char Text[SETTINGS_READ_SIZE];
};

// Section N"00", or section N of a file in the legacy layout (*legacy 1; its name in name).
ProfileSection* ReadPlacementSection(const SettingsFile* file, bool* legacy, char* name)
{
    SectionName(name, file->AppName, "00");
    ProfileSection* section = ReadProfileSection(file->IniPath, name);
    char version[64];
    GetSectionString(section, "Version", kNoVersion, version, sizeof(version));
    *legacy = strcmp(version, kNoVersion) == 0;
    if (!*legacy)
        return section;
    FreeProfileSection(section);
    SectionName(name, file->AppName, "");
    return ReadProfileSection(file->IniPath, name);
}

void ReadWallpaperKey(const ProgramSource& r, const SettingKey& key)
{
    const char* text = ReadSettingText(r.Source, key.Name, "");
    if (!*text)
        return;
    char own[MAX_PATH * 2];
    snprintf(own, sizeof(own), "%s%s", NonNullStr(r.File->ProgramDir), kOwnWallpaperName);
    if (StrCompareNoCase(text, own) != 0 && FileExists(text)) {
        r.Env->PreWallPaper = StrReplaceHeap(r.Env->PreWallPaper, text);
        return;
    }
    // Our own picture, or a wallpaper that is gone, cannot be put back.
    FreeText(&r.Env->PreWallPaper);
}

// The marks of this section, or of the memo section where older files kept them.
void ReadUserMarks(const ProgramSource& r, const SettingKey& key)
{
    char memo[kNameSize];
    SectionName(memo, r.File->AppName, "Memo");
    ReadUserMarkKeys(r.Env, key, r.Source, r.File->IniPath, memo);
}

void ReadPlugIns(const ProgramSource& r)
{
    EnvData* env = r.Env;
    if (!env->PlugInSlots)
        return;
    char names[PLUGIN_SLOT_COUNT][PLUGIN_FILE_NAME_SIZE];
    PlugInEntry entries[PLUGIN_SLOT_COUNT];
    for (int i = 0; i < PLUGIN_SLOT_COUNT; i++) {
        char key[SETTING_NAME_SIZE];
        SettingKeyName(key, PLUGIN_ORDER_KEY, i);
        SafeStrCpy(names[i], sizeof(names[i]), ReadSettingText(r.Source, key, ""));
        SettingKeyName(key, PLUGIN_USE_KEY, i);
        entries[i] = {names[i], (DWORD)ReadSettingNumber(r.Source, key, 1, SETTING_INT)};
    }
    NormalizePlugInTable(env->PlugInSlots, entries, PLUGIN_SLOT_COUNT);
}

void ReadProgramRow(const SettingSource& source, void* block, const SettingKey& key, int number)
{
    const ProgramSource& r = *(const ProgramSource*)source.Context;
    switch (key.Custom) {
    case SETTING_KIND_USER_MARKS:
        ReadUserMarks(r, key);
        break;
    case SETTING_KIND_PLUGINS:
        ReadPlugIns(r);
        break;
    case SETTING_KIND_WALLPAPER:
        ReadWallpaperKey(r, key);
        break;
    }
}

void WritePlugIns(SectionWriter& w, const EnvData* env)
{
    for (int i = 0; env->PlugInSlots && i < PLUGIN_SLOT_COUNT && env->PlugInSlots[i].FileName[0]; i++) {
        char key[SETTING_NAME_SIZE];
        SettingKeyName(key, PLUGIN_USE_KEY, i);
        AddNumber(w, key, (long)env->PlugInSlots[i].Use);
        SettingKeyName(key, PLUGIN_ORDER_KEY, i);
        AddLine(w, key, env->PlugInSlots[i].FileName);
    }
}

void WriteProgramRow(SectionWriter& w, const void* block, const SettingKey& key, int number)
{
    const EnvData* env = (const EnvData*)w.Context;
    char name[SETTING_NAME_SIZE];
    SettingKeyName(name, key.Name, number);
    switch (key.Custom) {
    case SETTING_KIND_USER_MARKS:
        AddNumber(w, name, env->UserStyleMax);
        for (int n = 1; env->UserMarks && n <= env->UserStyleMax; n++)
            WriteSettingKeys(w, &env->UserMarks[n - 1], UserMarkSettingKeys(), n);
        break;
    case SETTING_KIND_PLUGINS:
        WritePlugIns(w, env);
        break;
    case SETTING_KIND_VERSION: {
        char version[32];
        FormatSettingsVersion(version, sizeof(version));
        AddLine(w, name, version);
        break;
    }
    case SETTING_KIND_WALLPAPER:
        if (SafeStrLen(env->PreWallPaper) > 0)
            AddLine(w, name, env->PreWallPaper);
        break;
    }
}

// Starts a section of the program's rows; false without memory.
bool BeginProgramSection(SectionWriter& w, const EnvData* env, int width)
{
    w.Custom = WriteProgramRow;
    w.Context = (void*)env;
    return BeginSection(w, width);
}

const char* IniPathOf(const SettingsFile* file)
{
    return file ? file->IniPath : nullptr;
}

// The placement section of the current screen size into an open document.
bool PutScreenSection(IniDocument* doc, const SettingsFile* file, const EnvData* env)
{
    SectionWriter w;
    if (!BeginProgramSection(w, env, kPlacementWidth))
        return false;
    WriteSettingKeys(w, env, ScreenSettingKeys(), -1);
    char section[kNameSize];
    ScreenSectionName(section, file);
    return PutSection(w, doc, section);
}

// Whether this save takes the file out of the legacy layout: section N, which held everything, becomes the
// placement copy, and the readers look for the other sections from then on.
bool LeavesLegacyLayout(const IniDocument* doc, const SettingsFile* file)
{
    if (!IsLegacyIniLayout(file->IniPath, file->AppName))
        return false;
    char name[kNameSize];
    SectionName(name, file->AppName, "");
    char* lines = GetIniSectionLines(doc, name, nullptr);
    if (!lines)
        return false;
    HeapFree(GetProcessHeap(), 0, lines);
    return true;
}

}  // namespace

void InitSettingsFile(SettingsFile* file, AppInfo* info, const char* iniPath)
{
    if (!file)
        return;
    memset(file, 0, sizeof(*file));
    file->IniPath = iniPath ? iniPath : info ? info->GetIniPath(0) : nullptr;
    if (info) {
        file->AppName = info->GetAppName();
        file->ProgramDir = info->GetProgramDir();
    }
    GetClientRect(GetDesktopWindow(), &file->Desktop);
}

void FormatSettingsVersion(char* out, size_t size)
{
    if (out && size > 0)
        snprintf(out, size, "%d.%02d.%02d", DAYLENS_VERSION / 100, DAYLENS_VERSION % 100, DAYLENS_REVISION);
}

int LoadWindowPlacement(const SettingsFile* file, EnvData* env)
{
    if (!IniPathOf(file) || !env)
        return 0;
    bool legacy;
    char name[kNameSize];
    {
        ProgramSource r(file, env, ReadPlacementSection(file, &legacy, name));
        ReadSettingKeys(r.Source, env, PlacementSettingKeys(), -1);
    }
    LoadWindowPosForScreen(file, env);
    return 1;
}

int LoadWindowPosForScreen(const SettingsFile* file, EnvData* env)
{
    if (!IniPathOf(file) || !env)
        return 0;
    char name[kNameSize];
    ScreenSectionName(name, file);
    {
        ProgramSource r(file, env, name);
        ReadSettingKeys(r.Source, env, ScreenSettingKeys(), -1);
    }
    KeepWindowOnDesktop(file, env);
    return 1;
}

void KeepWindowOnDesktop(const SettingsFile* file, EnvData* env)
{
    if (file && env && env->DenyOutOfDesktop == 1 &&
        (env->WindowX > file->Desktop.right || env->WindowY > file->Desktop.bottom)) {
        env->WindowX = 0;
        env->WindowY = 0;
    }
}

int LoadEnv(const SettingsFile* file, EnvData* env, int* versionChanged)
{
    if (versionChanged)
        *versionChanged = 0;
    if (!IniPathOf(file) || !env)
        return 0;
    bool existed = FileExists(file->IniPath);
    bool legacy;
    char name[kNameSize];
    ProfileSection* placement = ReadPlacementSection(file, &legacy, name);
    char version[32];
    char stamped[64];
    FormatSettingsVersion(version, sizeof(version));
    GetSectionString(placement, "Version", "", stamped, sizeof(stamped));
    FreeProfileSection(placement);
    if (strcmp(stamped, version) != 0) {
        IniDocument* doc = OpenIniDocument(file->IniPath);
        if (!doc || !SetIniKey(doc, name, "Version", version) || !SaveIniDocument(doc))
            Trace("the version stamp of %s was not saved", file->IniPath);
        CloseIniDocument(doc);
        if (versionChanged)
            *versionChanged = 1;
    }

    SectionName(name, file->AppName, legacy ? "" : "01");
    {
        ProgramSource r(file, env, name);
        ReadSettingKeys(r.Source, env, MainSettingKeys(), -1);
    }
    env->Transparency.KeyColor = env->BackColor;
    CompleteMarkOrder(env->MarkOrder);
    if (file->MonthUserNames) {
        FreeUserNames(file->MonthUserNames, MONTH_USER_NAME_COUNT);
        CutUserNames(env->MonthUserStr, file->MonthUserNames, MONTH_USER_NAME_COUNT);
    }
    if (file->WeekUserNames) {
        FreeUserNames(file->WeekUserNames, WEEK_USER_NAME_COUNT);
        CutUserNames(env->WeekUserStr, file->WeekUserNames, WEEK_USER_NAME_COUNT);
    }
    return existed ? 0 : 1;
}

int SaveWindowPosForScreen(const SettingsFile* file, const EnvData* env)
{
    if (!IniPathOf(file) || !env)
        return 0;
    IniDocument* doc = OpenIniDocument(file->IniPath);
    int saved = doc && PutScreenSection(doc, file, env) && SaveIniDocument(doc);
    CloseIniDocument(doc);
    if (!saved)
        TellSettingsNotSaved(env->MainWindow, file->IniPath);
    return saved;
}

int SaveEnv(const SettingsFile* file, EnvData* env, int scope)
{
    if (!IniPathOf(file) || !env)
        return 0;
    RECT rect;
    if (env->MainWindow && IsWindow(env->MainWindow) && GetWindowRect(env->MainWindow, &rect)) {
        env->WindowX = rect.left;
        env->WindowY = rect.top;
    }
    // Every section of the program goes into one document, saved once.
    IniDocument* doc = OpenIniDocument(file->IniPath);
    bool written = doc != nullptr;
    char section[kNameSize];
    bool leavingLegacy = written && LeavesLegacyLayout(doc, file);
    if (written) {
        SectionWriter w;
        written = BeginProgramSection(w, env, kPlacementWidth);
        WriteSettingKeys(w, env, PlacementSettingKeys(), -1);
        SectionName(section, file->AppName, "00");
        written = written && PutSection(w, doc, section);
        SectionName(section, file->AppName, "");
        written = written && PutSection(w, doc, section);
    }
    written = written && PutScreenSection(doc, file, env);
    if (written && ((scope & 0xFF) > SETTINGS_SCOPE_PLACEMENT || leavingLegacy)) {
        SectionWriter w;
        written = BeginProgramSection(w, env, kMainWidth);
        WriteSettingKeys(w, env, MainSettingKeys(), -1);
        SectionName(section, file->AppName, "01");
        written = written && PutSection(w, doc, section);
    }
    if (written && leavingLegacy) {
        written = (!file->Memo || PutMemoSettings(file->Memo, doc, file->AppName)) &&
                  (!file->Memorial || PutMemorialSettings(file->Memorial, doc, file->AppName));
    }
    written = written && SaveIniDocument(doc);
    CloseIniDocument(doc);
    if (!written) {
        TellSettingsNotSaved(env->MainWindow, file->IniPath);
        return 0;
    }
    if ((scope & 0xFF) > SETTINGS_SCOPE_PLACEMENT)
        SetFileAttributesA(file->IniPath, FILE_ATTRIBUTE_HIDDEN);
    return 1;
}

void ShowVersionUpNotice(AppInfo* info)
{
    if (!info)
        return;
    char help[MAX_PATH * 2];
    snprintf(help, sizeof(help), "%s%s", NonNullStr(info->GetProgramDir()), DAYLENS_HELP_FILE);
    if (!FileExists(help)) {
        TellUser(nullptr, "Daylensがバージョンアップしました", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (TellUser(nullptr, "Daylensがバージョンアップしました\r\n変更内容を見ますか？", MB_YESNO | MB_ICONQUESTION) == IDYES)
        info->ShowHelp(nullptr, help, HELP_TOPIC_CHANGES);
}
