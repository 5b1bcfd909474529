#include "MemoSettingsFile.h"

#include <stdio.h>
#include <string.h>

#include <iterator>

#include "DayMemoStore.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "ProfileSection.h"
#include "SettingKey.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "StrUtil.h"

namespace {

// Each key and the blanks after it fill 23 columns before "= " (the writer puts one of those blanks).
const int kKeyWidth = 22;
const int kSearchRow = 1;

#define MEMO_NUM(name, field, def) NUM_IN(MemoSettings, name, field, def)

// The section in write order; the reader reads the same rows.
const SettingKey kMemoKeys[] = {
    TEXT_IN(MemoSettings, "MemoDir", MemoDir, "").With(SETTING_WRITE_IF_SET),
    MEMO_NUM("MemoIndividual", MemoIndividual, 0),
    MEMO_NUM("TodayMemoWindowX", TodayMemoWindowX, -1),
    MEMO_NUM("TodayMemoWindowY", TodayMemoWindowY, -1),
    MEMO_NUM("TodayMemoWindowWidth", TodayMemoWindowWidth, -1),
    MEMO_NUM("TodayMemoWindowHeight", TodayMemoWindowHeight, -1),
    MEMO_NUM("WeekMemoWindowX", WeekMemoWindowX, -1),
    MEMO_NUM("WeekMemoWindowY", WeekMemoWindowY, -1),
    MEMO_NUM("WeekMemoWindowWidth", WeekMemoWindowWidth, -1),
    MEMO_NUM("WeekMemoWindowHeight", WeekMemoWindowHeight, -1),
    MEMO_NUM("MemoSelectedTab", MemoSelectedTab, 0).Range(0, MEMO_SETTINGS_PAGE_SLOTS - 1),
    MEMO_NUM("MemoMark", MemoMark, 1),
    MEMO_NUM("MemoMarkColor", MemoStyle.MarkColor, 0x80FF80).Old("MemoMarkRGB"),
    MEMO_NUM("MemoMarkType", MemoStyle.MarkType, 0),
    MEMO_NUM("MemoNoUseStrColor", MemoStyle.NoUseStrColor, 1).Old("MemoNoUseStrRGB"),
    MEMO_NUM("MemoStrColor", MemoStyle.StrColor, 0).Old("MemoStrRGB"),
    MEMO_NUM("MemoShadowColor", MemoStyle.ShadowColor, 0),
    MEMO_NUM("MemoShadowWidth", MemoStyle.ShadowWidth, 1).Range(0, SHADOW_WIDTH_MAX),
    MEMO_NUM("MemoShadowDirection", MemoStyle.ShadowDirection, 4),
    MEMO_NUM("MemoGradation", MemoStyle.Gradation, 0).Range(0, 255),
    MEMO_NUM("MemoShowToolTip", MemoShowToolTip, 1).Old("MemoOnToolTip"),
    MEMO_NUM("MemoTaskTray", MemoTaskTray, 1),
    MEMO_NUM("MemoAutoIME", MemoAutoIME, 0),
    MEMO_NUM("MemoSaveOneMonth", MemoSaveOneMonth, 0),
    MEMO_NUM("MemoPopup", MemoPopup, 0),
    MEMO_NUM("MemoPopupNoShow", MemoPopupNoShow, 0),
    MEMO_NUM("MemoPopupTime", MemoPopupTime, 0),
    MEMO_NUM("MemoPopupTimeHour", MemoPopupTimeHour, MEMO_TIME_UNSET),
    MEMO_NUM("MemoPopupTimeMinute", MemoPopupTimeMinute, MEMO_TIME_UNSET),
    MEMO_NUM("MemoTomorrowHour", MemoTomorrowHour, MEMO_TIME_UNSET),
    MEMO_NUM("MemoTomorrowMinute", MemoTomorrowMinute, MEMO_TIME_UNSET),
    MEMO_NUM("MemoSleepCheckInterval", MemoSleepCheckInterval, 3600).Range(0, 86400),
    TEXT_IN(MemoSettings, "MemoPopupAlarm", MemoPopupAlarm, "").With(SETTING_WRITE_IF_SET),
    MEMO_NUM("WeekMemoMode", WeekMemoMode, 1).Range(0, 4),
    MEMO_NUM("MemoFontSize", MemoFontSize, 12).Range(MEMO_FONT_SIZE_MIN, MEMO_FONT_SIZE_MAX),
    MEMO_NUM("MemoDialogFont", MemoDialogFont, 0).FROM_IN(MemoSettings, MemoDialogFont),
    setting_rows::CustomRow("MemoSearch%02d", kSearchRow, offsetof(MemoSettings, MemoSearch)),
};

const SettingKeyTable kMemoTable = {kMemoKeys, (int)std::size(kMemoKeys)};

void SectionName(char* out, size_t size, const char* iniPath, const char* appName)
{
    snprintf(out, size, "%s%s", NonNullStr(appName), IsLegacyIniLayout(iniPath, appName) ? "" : "Memo");
}

// The history is read in order until the first missing or empty entry.
void ReadSearchHistory(const SettingSource& source, void* block, const SettingKey& key, int)
{
    MemoSettings* memo = (MemoSettings*)block;
    FreeMemoSearchHistory(memo);
    for (int i = 0; i < MEMO_SEARCH_HISTORY_COUNT; i++) {
        char name[SETTING_NAME_SIZE];
        SettingKeyName(name, key.Name, i);
        const char* text = ReadSettingText(source, name, "");
        if (!*text || !(memo->MemoSearch[i] = StrDupHeap(text)))
            break;
    }
}

void WriteSearchHistory(SectionWriter& w, const void* block, const SettingKey& key, int)
{
    const MemoSettings* memo = (const MemoSettings*)block;
    for (int i = 0; i < MEMO_SEARCH_HISTORY_COUNT && memo->MemoSearch[i]; i++) {
        char name[SETTING_NAME_SIZE];
        SettingKeyName(name, key.Name, i);
        AddLine(w, name, memo->MemoSearch[i]);
    }
}

// A popup time is a time of day, or unset in both parts.
void KeepTimeOrUnset(int* hour, int* minute)
{
    if (*hour < 0 || *hour > 23 || *minute < 0 || *minute > 59)
        *hour = *minute = MEMO_TIME_UNSET;
}

// The settings part of the record: from MemoSelectedTab up to the run-time part's end, the search history apart.
const size_t kSettingsFrom = offsetof(MemoSettings, MemoSelectedTab);
const size_t kSettingsTo = offsetof(MemoSettings, MemoSearch);

}  // namespace

int LoadMemoSettings(MemoSettings* memo, const char* iniPath, const char* appName, int dialogFont)
{
    if (!memo || !iniPath || !*iniPath)
        return 0;
    char section[SETTING_NAME_SIZE];
    SectionName(section, sizeof(section), iniPath, appName);
    ProfileSection* profile = ReadProfileSection(iniPath, section);
    static char text[SETTINGS_READ_SIZE];
    memo->MemoDialogFont = (BYTE)dialogFont;
    SettingSource source = {profile, memo, ReadSearchHistory, nullptr, text};
    ReadSettingKeys(source, memo, kMemoTable, -1);
    FreeProfileSection(profile);
    KeepTimeOrUnset(&memo->MemoPopupTimeHour, &memo->MemoPopupTimeMinute);
    KeepTimeOrUnset(&memo->MemoTomorrowHour, &memo->MemoTomorrowMinute);

    // A per-user store ignores the configured folder; the resolved folder is what the next save writes.
    char configured[MEMO_FOLDER_SIZE];
    SafeStrCpy(configured, sizeof(configured), memo->MemoIndividual == 1 ? "" : memo->MemoDir);
    return ResolveMemoDir(memo, configured);
}

int ResolveMemoDir(MemoSettings* memo, const char* configured)
{
    if (!memo)
        return 0;
    char folder[MEMO_FOLDER_SIZE];
    GetMemoDir(folder, NonNullStr(configured), memo->MemoIndividual);
    TrimRightChars(folder, "\\");
    SafeStrCpy(memo->MemoDir, sizeof(memo->MemoDir), folder);
    if (!FolderExists(memo->MemoDir, 1))
        CreateDirectoryTree(memo->MemoDir);
    return 1;
}

namespace {

// The section's lines into w, and its name into section; false without memory.
bool GatherMemoSection(SectionWriter& w, const MemoSettings* memo, const char* appName, char* section, size_t size)
{
    if (!BeginSection(w, kKeyWidth))
        return false;
    w.Custom = WriteSearchHistory;
    WriteSettingKeys(w, memo, kMemoTable, -1);
    snprintf(section, size, "%sMemo", NonNullStr(appName));
    return true;
}

}  // namespace

int SaveMemoSettings(const MemoSettings* memo, const char* iniPath, const char* appName)
{
    if (!memo || !iniPath || !*iniPath)
        return 0;
    SectionWriter w;
    char section[SETTING_NAME_SIZE];
    if (!GatherMemoSection(w, memo, appName, section, sizeof(section)))
        return 0;
    return WriteSection(w, iniPath, section) ? 1 : 0;
}

int PutMemoSettings(const MemoSettings* memo, IniDocument* doc, const char* appName)
{
    if (!memo || !doc)
        return 0;
    SectionWriter w;
    char section[SETTING_NAME_SIZE];
    return GatherMemoSection(w, memo, appName, section, sizeof(section)) && PutSection(w, doc, section) ? 1 : 0;
}

int CopyMemoSettings(MemoSettings* to, const MemoSettings* from)
{
    if (!to || !from || to == from)
        return to && from ? 1 : 0;
    memcpy(to->MemoDir, from->MemoDir, sizeof(to->MemoDir));
    memcpy((BYTE*)to + kSettingsFrom, (const BYTE*)from + kSettingsFrom, kSettingsTo - kSettingsFrom);
    FreeMemoSearchHistory(to);
    for (int i = 0; i < MEMO_SEARCH_HISTORY_COUNT && from->MemoSearch[i]; i++) {
        if (!(to->MemoSearch[i] = StrDupHeap(from->MemoSearch[i])))
            return 0;
    }
    return 1;
}

void FreeMemoSearchHistory(MemoSettings* memo)
{
    if (!memo)
        return;
    for (char*& text : memo->MemoSearch) {
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
        text = nullptr;
    }
}
