// The two saves a user waits for, each against the way the program saved until now, side by side in one loop in a
// temporary folder: one memo written with WriteDayMemo into a month file that holds a memo for each of its 31 days,
// against the same section written in place with WritePrivateProfileSectionA; and the settings saved at exit
// (SaveEnv, whole scope) into a settings file that holds every section the program writes, the memo and memorial
// sections included, against the same section blocks written in place with WritePrivateProfileSectionA:
//   save_benchmark.exe [runs]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "MemoSettingsFile.h"
#include "MemoWriter.h"
#include "MemorialSettingsFile.h"
#include "PlugInTable.h"
#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "StrUtil.h"
#include "TempFolder.h"

namespace {

const int kDefaultRuns = 200;
// A month of 31 days, kept in one file.
const int kYear = 2025;
const int kMonth = 1;
const int kMonthDays = 31;
const int kSavedDay = 15;
const char kAppName[] = "Daylens";
// Columns the settings file pads its keys to: the placement sections and the settings section.
const int kPlacementWidth = 12;
const int kMainWidth = 26;
const int kSearchHistory = 20;
const int kUserMarks = 20;

void Report(const char* title, const char* name, const Timings& measured, const char* baseName,
            const Timings& baseline)
{
    printf("%s, %zu runs\n", title, measured.Times.size());
    printf("  %-28s min %8.3f ms   median %8.3f ms   x%.2f (min), x%.2f (median)\n", name, measured.Min(),
           measured.Median(), measured.Min() / baseline.Min(), measured.Median() / baseline.Median());
    printf("  %-28s min %8.3f ms   median %8.3f ms\n", baseName, baseline.Min(), baseline.Median());
}

// A memo of a few lines that differs from run to run, so that every save changes the file.
std::string MemoText(int day, int run)
{
    return "会議 " + std::to_string(day) + "\r\n買い物リスト 牛乳 卵 パン\r\n歯医者の予約\r\nメモ " +
           std::to_string(run);
}

DayMemoRecord MemoRecord()
{
    DayMemoRecord record = {};
    record.Style.MarkType = MARK_CIRCLE;
    record.Style.MarkColor = 0x80FF80;
    record.Style.ShadowWidth = 1;
    record.Style.ShadowDirection = SHADOW_DOWN_RIGHT;
    record.Hour = 9;
    record.Minute = 30;
    return record;
}

// How the memo was saved until now: the day's section written in place, the profile functions' copy let go.
bool SaveMemoInPlace(const char* file, const char* section, const DayMemoRecord& record, const char* text)
{
    char* lines = FormatDayMemoSection(&record, text);
    if (!lines)
        return false;
    BOOL written = WritePrivateProfileSectionA(section, lines, file);
    HeapFree(GetProcessHeap(), 0, lines);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
    return written != FALSE;
}

bool MeasureMemoSave(const std::string& folder, int runs)
{
    static MemoSettings memo;
    SafeStrCpy(memo.MemoDir, sizeof(memo.MemoDir), folder.c_str());
    memo.MemoSaveOneMonth = 1;
    DayMemoRecord record = MemoRecord();
    for (int day = 1; day <= kMonthDays; day++) {
        if (!WriteDayMemo(&memo, kYear, kMonth, day, MemoText(day, 0).c_str(), &record))
            return false;
    }
    char file[MAX_PATH + MEMO_FOLDER_SIZE];
    snprintf(file, sizeof(file), "%s\\%04d%02d.txt", memo.MemoDir, kYear, kMonth);
    char section[32];
    snprintf(section, sizeof(section), "%04d%02d%02d", kYear, kMonth, kSavedDay);

    Timings saved, inPlace;
    for (int run = 1; run <= runs; run++) {
        std::string text = MemoText(kSavedDay, run);
        // Either goes first in turn, so that neither always finds the file just written by the other.
        for (int turn = 0; turn < 2; turn++) {
            bool writer = (turn + run) % 2 == 0;
            LARGE_INTEGER from = Now();
            bool ok = writer ? WriteDayMemo(&memo, kYear, kMonth, kSavedDay, text.c_str(), &record) == 1
                             : SaveMemoInPlace(file, section, record, text.c_str());
            (writer ? saved : inPlace).Times.push_back(Milliseconds(from, Now()));
            if (!ok)
                return false;
        }
    }
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(file, GetFileExInfoStandard, &data);
    char title[128];
    snprintf(title, sizeof(title), "One memo saved into a month file of %d memos (%lu bytes)", kMonthDays,
             data.nFileSizeLow);
    Report(title, "WriteDayMemo", saved, "profile section in place", inPlace);
    return true;
}

// The rows the settings file writes through its own routine: the version, the user marks and the plug-in table.
void WriteProgramRows(SectionWriter& w, const void*, const SettingKey& key, int number)
{
    const EnvData* env = (const EnvData*)w.Context;
    char name[SETTING_NAME_SIZE];
    SettingKeyName(name, key.Name, number);
    switch (key.Custom) {
    case SETTING_KIND_VERSION: {
        char version[32];
        FormatSettingsVersion(version, sizeof(version));
        AddLine(w, name, version);
        break;
    }
    case SETTING_KIND_USER_MARKS:
        AddNumber(w, name, env->UserStyleMax);
        for (int n = 1; n <= env->UserStyleMax; n++)
            WriteSettingKeys(w, &env->UserMarks[n - 1], UserMarkSettingKeys(), n);
        break;
    case SETTING_KIND_PLUGINS:
        for (int i = 0; i < PLUGIN_SLOT_COUNT && env->PlugInSlots[i].FileName[0]; i++) {
            SettingKeyName(name, PLUGIN_USE_KEY, i);
            AddNumber(w, name, (long)env->PlugInSlots[i].Use);
            SettingKeyName(name, PLUGIN_ORDER_KEY, i);
            AddLine(w, name, env->PlugInSlots[i].FileName);
        }
        break;
    }
}

// One section of the settings file written in place from the rows of table, as the program did until now.
bool WriteSectionInPlace(const EnvData* env, SettingKeyTable table, int width, const char* path,
                         const char* section)
{
    SectionWriter w;
    w.Custom = WriteProgramRows;
    w.Context = (void*)env;
    if (!BeginSection(w, width))
        return false;
    WriteSettingKeys(w, env, table, -1);
    // The profile function itself, not WriteSection, which the settings file's own save may come to change.
    return !w.Failed && WritePrivateProfileSectionA(section, w.Block, path);
}

// How the settings were saved at exit until now: each of the program's sections written in place.
bool SaveSettingsInPlace(const SettingsFile* file, const EnvData* env)
{
    std::string app = file->AppName;
    std::string screen = app + std::to_string(file->Desktop.right) + "x" + std::to_string(file->Desktop.bottom);
    bool written = WriteSectionInPlace(env, PlacementSettingKeys(), kPlacementWidth, file->IniPath,
                                       (app + "00").c_str());
    written = WriteSectionInPlace(env, PlacementSettingKeys(), kPlacementWidth, file->IniPath, app.c_str()) &&
              written;
    written = WriteSectionInPlace(env, ScreenSettingKeys(), kPlacementWidth, file->IniPath, screen.c_str()) &&
              written;
    written = WriteSectionInPlace(env, MainSettingKeys(), kMainWidth, file->IniPath, (app + "01").c_str()) && written;
    SetFileAttributesA(file->IniPath, FILE_ATTRIBUTE_HIDDEN);
    return written;
}

// The settings record with its tables, as start-up gives it, read from a file that does not exist yet: the
// defaults, with more user marks than the fewest and some of the user's own month names.
struct SettingsRecord {
    EnvData Env;
    PlugInSlot Slots[PLUGIN_SLOT_COUNT] = {};
    COLORREF Colors[CUSTOM_COLOR_COUNT] = {};
    SettingsRecord()
    {
        Env.PlugInSlots = Slots;
        Env.CustomColors = Colors;
        Env.UserStyleMax = USER_STYLE_MIN;
        Env.UserMarks = (UserMark*)AllocZeroed(USER_STYLE_MIN * sizeof(UserMark));
    }
    bool Load(const SettingsFile* file)
    {
        LoadEnv(file, &Env, nullptr);
        UserMark* marks = (UserMark*)ReAllocZeroed(Env.UserMarks, kUserMarks * sizeof(UserMark));
        if (!marks)
            return false;
        Env.UserMarks = marks;
        for (int n = Env.UserStyleMax; n < kUserMarks; n++)
            snprintf(marks[n].Name, sizeof(marks[n].Name), USER_MARK_DEFAULT_NAME, n + 1);
        Env.UserStyleMax = kUserMarks;
        Env.MonthUserStr =
            StrReplaceHeap(Env.MonthUserStr, "睦月,如月,弥生,卯月,皐月,水無月,文月,葉月,長月,神無月,霜月,師走");
        return Env.UserMarks && Env.MonthUserStr;
    }
};

// The memo and memorial sections as the memo settings write them, with a search history of some length.
bool WriteMemoSections(const char* iniPath, const std::string& memoDir)
{
    static MemoSettings memo;
    SafeStrCpy(memo.MemoDir, sizeof(memo.MemoDir), memoDir.c_str());
    memo.MemoSaveOneMonth = 1;
    memo.MemoFontSize = 12;
    for (int i = 0; i < kSearchHistory; i++)
        memo.MemoSearch[i] = StrDupHeap(("検索語 " + std::to_string(i)).c_str());
    static MemorialSettings memorial;
    memorial.MemorialShowToolTip = 1;
    return SaveMemoSettings(&memo, iniPath, kAppName) == 1 && SaveMemorialSettings(&memorial, iniPath, kAppName) == 1;
}

bool MeasureSettingsSave(const std::string& folder, int runs)
{
    std::string iniPath = folder + "\\Daylens.ini";
    std::string programDir = folder + "\\";
    SettingsFile file = {};
    file.IniPath = iniPath.c_str();
    file.AppName = kAppName;
    file.ProgramDir = programDir.c_str();
    GetClientRect(GetDesktopWindow(), &file.Desktop);
    SettingsRecord record;
    if (!record.Load(&file) || SaveEnv(&file, &record.Env, SETTINGS_SCOPE_ALL) != 1 ||
        !WriteMemoSections(file.IniPath, folder))
        return false;

    Timings saved, inPlace;
    for (int run = 1; run <= runs; run++) {
        // The window moved between two saves, so that each changes the file.
        record.Env.WindowX = run % 500;
        for (int turn = 0; turn < 2; turn++) {
            bool writer = (turn + run) % 2 == 0;
            LARGE_INTEGER from = Now();
            bool ok = writer ? SaveEnv(&file, &record.Env, SETTINGS_SCOPE_ALL) == 1
                             : SaveSettingsInPlace(&file, &record.Env);
            (writer ? saved : inPlace).Times.push_back(Milliseconds(from, Now()));
            if (!ok)
                return false;
        }
    }
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(file.IniPath, GetFileExInfoStandard, &data);
    char title[128];
    snprintf(title, sizeof(title), "Settings saved at exit into a settings file of %lu bytes", data.nFileSizeLow);
    Report(title, "SaveEnv (whole scope)", saved, "profile sections in place", inPlace);
    printf("  sections:");
    char names[4096] = "";
    GetPrivateProfileSectionNamesA(names, sizeof(names), file.IniPath);
    for (const char* name = names; *name; name += strlen(name) + 1)
        printf(" [%s]", name);
    printf("\n");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : kDefaultRuns;
    if (runs < 1)
        runs = 1;
    TempFolder folder;
    if (!folder.Create("daylens-save-bench")) {
        printf("no temporary folder\n");
        return 1;
    }
    std::string memoDir = folder.Path("Memo");
    CreateDirectoryA(memoDir.c_str(), nullptr);
    if (!MeasureMemoSave(memoDir, runs)) {
        printf("the memo could not be saved\n");
        return 1;
    }
    if (!MeasureSettingsSave(folder.Dir(), runs)) {
        printf("the settings could not be saved\n");
        return 1;
    }
    return 0;
}
