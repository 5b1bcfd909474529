#include "SettingsFile.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "AppInfo.h"
#include "DaylensIds.h"
#include "EnvData.h"
#include "FontUtil.h"
#include "HeapUtil.h"
#include "PlugInTable.h"
#include "SettingsKeys.h"
#include "Sjis.h"
#include "StrUtil.h"
#include "UserMessage.h"
#include "FileUtil.h"

namespace {

const char kOwnWallpaper[] = "DaylensDesktop.bmp";

// Every text read fits: no written line is longer.
const DWORD kReadSize = SETTINGS_LINE_SIZE;
const size_t kNameSize = 128;
// Columns the keys are padded to, per section.
const int kPlacementWidth = 12;
const int kMainWidth = 26;

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

// Key name of format with number (a mark number or an array index); names without a number stay as they are.
void KeyName(char* out, const char* format, int number)
{
    snprintf(out, kNameSize, format, number);
}

// Drops a lead byte that the profile functions left without its trail when they cut a long value.
void DropSplitCharacter(char* text)
{
    for (char* p = text; *p; p++) {
        if (IsSjisLeadByte((unsigned char)*p)) {
            if (!p[1]) {
                *p = '\0';
                return;
            }
            p++;
        }
    }
}

struct SectionReader {
    const char* Path;
    char Section[kNameSize];
    char* Text;  // kReadSize bytes shared by every text read
};

// The value of key, or def when it is missing or empty; valid until the next read.
const char* ReadText(const SectionReader& r, const char* key, const char* def)
{
    GetPrivateProfileStringA(r.Section, key, NonNullStr(def), r.Text, kReadSize, r.Path);
    DropSplitCharacter(r.Text);
    return r.Text;
}

// The number of key, or def when it is missing or empty. Values beyond 32 bits are held at the limit of the
// field's type rather than wrapped.
long ReadNumber(const SectionReader& r, const char* key, long def, SettingType type)
{
    char text[64];
    GetPrivateProfileStringA(r.Section, key, "", text, sizeof(text), r.Path);
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    if (!*p)
        return def;
    long long value = strtoll(p, nullptr, 10);
    // Colours are written as signed numbers; both spellings of the high half read alike.
    long long high = type == SETTING_COLOR ? (long long)UINT_MAX : INT_MAX;
    if (value < INT_MIN)
        value = INT_MIN;
    if (value > high)
        value = high;
    return type == SETTING_COLOR ? (long)(DWORD)value : (long)value;
}

void ReadNumberKey(const SectionReader& r, const EnvData* env, void* block, const SettingKey& key, int number)
{
    for (int i = 0; i < key.Count; i++) {
        int n = key.Count > 1 ? i : number;
        char name[kNameSize];
        char legacy[kNameSize];
        KeyName(name, key.Name, n);
        KeyName(legacy, NonNullStr(key.Legacy), n);
        long def = key.DefaultField != kNoField ? GetSettingDefaultField(env, key) : key.Default;
        if (key.Rule == LEGACY_DEFAULT)
            def = ReadNumber(r, legacy, def, key.Type);
        else if (key.Rule == LEGACY_FLAG && ReadNumber(r, legacy, 0, key.Type) == 1)
            def = key.LegacyValue;
        long value = ReadNumber(r, name, def, key.Type);
        if (key.Rule == LEGACY_WINS)
            value = ReadNumber(r, legacy, value - key.LegacyValue, key.Type) + key.LegacyValue;
        SetSettingNumber(block, key, i, value);
    }
}

void ReadTextKey(const SectionReader& r, void* block, const SettingKey& key, int number)
{
    char name[kNameSize];
    char def[kNameSize];
    KeyName(name, key.Name, number);
    snprintf(def, sizeof(def), NonNullStr(key.Text), number);
    SafeStrCpy((char*)block + key.Offset, (size_t)key.Count, ReadText(r, name, def));
}

void ReadFontKey(const SectionReader& r, void* block, const SettingKey& key)
{
    long values[FONT_KEY_COUNT] = {0, 0, 0, key.Default, 0, 0};
    char face[LF_FACESIZE * 2] = "";
    for (int i = 0; i < FONT_KEY_COUNT; i++) {
        char name[kNameSize];
        snprintf(name, sizeof(name), "%s%s", key.Name, FontKeySuffixes[i]);
        if (i == 0)
            SafeStrCpy(face, sizeof(face), ReadText(r, name, ""));
        else
            values[i] = ReadNumber(r, name, values[i], SETTING_INT);
    }
    // A positive number is a point size; zero and below are kept as the height.
    long height = values[3] > 0 ? -(values[3] + 4) : values[3];
    long weight = values[4] == 0 ? FONT_WEIGHT_NORMAL : values[4] == 1 ? FONT_WEIGHT_BOLD : values[4];
    // Negative sets and pitches choose the fall-back face, so only the top is held.
    int charSet = (int)(values[1] > 255 ? 255 : values[1]);
    int pitch = (int)(values[2] > 255 ? 255 : values[2]);
    SetFontRecord((LOGFONTA*)((BYTE*)block + key.Offset), face, (int)height, (int)weight, values[5] != 0, charSet,
                  pitch);
}

void ReadWallpaperKey(const SectionReader& r, const SettingsFile* file, EnvData* env, const SettingKey& key)
{
    const char* text = ReadText(r, key.Name, "");
    if (!*text)
        return;
    char own[MAX_PATH * 2];
    snprintf(own, sizeof(own), "%s%s", NonNullStr(file->ProgramDir), kOwnWallpaper);
    if (StrCompareNoCase(text, own) != 0 && FileExists(text)) {
        env->PreWallPaper = StrReplaceHeap(env->PreWallPaper, text);
        return;
    }
    // Our own picture, or a wallpaper that is gone, cannot be put back.
    FreeText(&env->PreWallPaper);
}

void ReadKeys(const SectionReader& r, const SettingsFile* file, EnvData* env, void* block, SettingKeyTable table,
              int number);

// Resizes the user-mark array to the count read (the old one stays when memory is short), then reads each mark
// from this section, or from the memo section where older files kept them.
void ReadUserMarks(const SectionReader& r, const SettingsFile* file, EnvData* env, const SettingKey& key)
{
    int count = (int)ClampSetting(key, ReadNumber(r, key.Name, key.Default, SETTING_INT));
    if (!env->UserMarks || count != env->UserStyleMax) {
        UserMark* marks = (UserMark*)ReAllocZeroed(env->UserMarks, (size_t)count * sizeof(UserMark));
        if (marks) {
            env->UserMarks = marks;
            env->UserStyleMax = count;
        } else if (!env->UserMarks) {
            env->UserStyleMax = 0;
        }
    }
    SectionReader marks = r;
    char first[kNameSize];
    KeyName(first, UserMarkSettingKeys().Keys[0].Name, 1);
    if (!*ReadText(r, first, ""))
        SectionName(marks.Section, file->AppName, "Memo");
    for (int n = 1; n <= env->UserStyleMax; n++)
        ReadKeys(marks, file, env, &env->UserMarks[n - 1], UserMarkSettingKeys(), n);
}

void ReadPlugIns(const SectionReader& r, EnvData* env)
{
    if (!env->PlugInSlots)
        return;
    char names[PLUGIN_SLOT_COUNT][PLUGIN_FILE_NAME_SIZE];
    PlugInEntry entries[PLUGIN_SLOT_COUNT];
    for (int i = 0; i < PLUGIN_SLOT_COUNT; i++) {
        char key[kNameSize];
        KeyName(key, PLUGIN_ORDER_KEY, i);
        SafeStrCpy(names[i], sizeof(names[i]), ReadText(r, key, ""));
        KeyName(key, PLUGIN_USE_KEY, i);
        entries[i] = {names[i], (DWORD)ReadNumber(r, key, 1, SETTING_INT)};
    }
    NormalizePlugInTable(env->PlugInSlots, entries, PLUGIN_SLOT_COUNT);
}

void ReadKey(const SectionReader& r, const SettingsFile* file, EnvData* env, void* block, const SettingKey& key,
             int number)
{
    switch (key.Type) {
    case SETTING_INT:
    case SETTING_BYTE:
    case SETTING_COLOR:
        ReadNumberKey(r, env, block, key, number);
        break;
    case SETTING_TEXT:
        ReadTextKey(r, block, key, number);
        break;
    case SETTING_HEAP_TEXT: {
        char** field = (char**)((BYTE*)block + key.Offset);
        *field = StrReplaceHeap(*field, ReadText(r, key.Name, ""));
        break;
    }
    case SETTING_STYLE:
        *((BYTE*)block + key.Offset) = (BYTE)FindStyleIndex(key.Styles, key.Count, ReadText(r, key.Name, key.Text));
        break;
    case SETTING_FONT:
        ReadFontKey(r, block, key);
        break;
    case SETTING_USER_MARKS:
        ReadUserMarks(r, file, env, key);
        break;
    case SETTING_PLUGINS:
        ReadPlugIns(r, env);
        break;
    case SETTING_WALLPAPER:
        ReadWallpaperKey(r, file, env, key);
        break;
    case SETTING_VERSION:
        break;
    }
}

void ReadKeys(const SectionReader& r, const SettingsFile* file, EnvData* env, void* block, SettingKeyTable table,
              int number)
{
    for (int i = 0; i < table.Count; i++)
        ReadKey(r, file, env, block, table.Keys[i], number);
}

// Lines of one section, NUL-separated in a zeroed block that ends with an empty line.
struct SectionWriter {
    char* Block = nullptr;
    size_t Size = 0;
    size_t Used = 0;
    int Width = 0;
    bool Failed = false;

    ~SectionWriter()
    {
        if (Block)
            HeapFree(GetProcessHeap(), 0, Block);
    }
};

bool BeginSection(SectionWriter& w, int width)
{
    w.Block = (char*)ReAllocZeroed(nullptr, SETTINGS_SECTION_SIZE);
    w.Size = w.Block ? SETTINGS_SECTION_SIZE : 0;
    w.Width = width;
    return w.Block != nullptr;
}

// Room for more bytes and the closing empty line; a line that does not fit grows the block rather than being lost.
bool Reserve(SectionWriter& w, size_t more)
{
    size_t need = w.Used + more + 1;
    if (need <= w.Size)
        return true;
    size_t size = w.Size * 2 > need ? w.Size * 2 : need;
    char* grown = (char*)ReAllocZeroed(w.Block, size);
    if (!grown) {
        w.Failed = true;
        return false;
    }
    w.Block = grown;
    w.Size = size;
    return true;
}

void AddLine(SectionWriter& w, const char* key, const char* value)
{
    char head[kNameSize + 8];
    int headLen = snprintf(head, sizeof(head), "%-*s = ", w.Width, key);
    if (headLen < 0 || headLen >= (int)sizeof(head))
        return;
    size_t valueRoom = SETTINGS_LINE_SIZE - (size_t)headLen;
    size_t valueLen = strlen(NonNullStr(value));
    if (!Reserve(w, (size_t)headLen + (valueLen < valueRoom ? valueLen : valueRoom) + 1))
        return;
    char* line = w.Block + w.Used;
    memcpy(line, head, (size_t)headLen);
    SafeStrCpy(line + headLen, valueRoom, value);
    w.Used += strlen(line) + 1;
}

void AddNumber(SectionWriter& w, const char* key, long value)
{
    char text[32];
    snprintf(text, sizeof(text), "%ld", value);
    AddLine(w, key, text);
}

bool WriteSection(const SectionWriter& w, const char* path, const char* section)
{
    return !w.Failed && WritePrivateProfileSectionA(section, w.Block, path);
}

void WriteKeys(SectionWriter& w, const EnvData* env, const void* block, SettingKeyTable table, int number);

void WriteFontKey(SectionWriter& w, const void* block, const SettingKey& key)
{
    const LOGFONTA* font = (const LOGFONTA*)((const BYTE*)block + key.Offset);
    const long values[FONT_KEY_COUNT] = {0, font->lfCharSet, font->lfPitchAndFamily, font->lfHeight, font->lfWeight,
                                         font->lfItalic};
    for (int i = 0; i < FONT_KEY_COUNT; i++) {
        char name[kNameSize];
        snprintf(name, sizeof(name), "%s%s", key.Name, FontKeySuffixes[i]);
        if (i == 0)
            AddLine(w, name, font->lfFaceName);
        else
            AddNumber(w, name, values[i]);
    }
}

void WritePlugIns(SectionWriter& w, const EnvData* env)
{
    for (int i = 0; env->PlugInSlots && i < PLUGIN_SLOT_COUNT && env->PlugInSlots[i].FileName[0]; i++) {
        char key[kNameSize];
        KeyName(key, PLUGIN_USE_KEY, i);
        AddNumber(w, key, (long)env->PlugInSlots[i].Use);
        KeyName(key, PLUGIN_ORDER_KEY, i);
        AddLine(w, key, env->PlugInSlots[i].FileName);
    }
}

void WriteKey(SectionWriter& w, const EnvData* env, const void* block, const SettingKey& key, int number)
{
    char name[kNameSize];
    KeyName(name, key.Name, number);
    const void* field = (const BYTE*)block + key.Offset;
    switch (key.Type) {
    case SETTING_INT:
    case SETTING_BYTE:
    case SETTING_COLOR:
        for (int i = 0; i < key.Count; i++) {
            KeyName(name, key.Name, key.Count > 1 ? i : number);
            AddNumber(w, name, GetSettingNumber(block, key, i));
        }
        break;
    case SETTING_TEXT:
        if (*(const char*)field || !(key.Flags & SETTING_WRITE_IF_SET))
            AddLine(w, name, (const char*)field);
        break;
    case SETTING_HEAP_TEXT:
    case SETTING_WALLPAPER:
        if (SafeStrLen(*(char* const*)field) > 0)
            AddLine(w, name, *(char* const*)field);
        break;
    case SETTING_STYLE:
        AddLine(w, name, StyleText(key.Styles, key.Count, *(const BYTE*)field));
        break;
    case SETTING_FONT:
        WriteFontKey(w, block, key);
        break;
    case SETTING_USER_MARKS:
        AddNumber(w, name, env->UserStyleMax);
        for (int n = 1; env->UserMarks && n <= env->UserStyleMax; n++)
            WriteKeys(w, env, &env->UserMarks[n - 1], UserMarkSettingKeys(), n);
        break;
    case SETTING_PLUGINS:
        WritePlugIns(w, env);
        break;
    case SETTING_VERSION: {
        char version[32];
        FormatSettingsVersion(version, sizeof(version));
        AddLine(w, name, version);
        break;
    }
    }
}

void WriteKeys(SectionWriter& w, const EnvData* env, const void* block, SettingKeyTable table, int number)
{
    for (int i = 0; i < table.Count; i++) {
        if (!(table.Keys[i].Flags & SETTING_READ_ONLY))
            WriteKey(w, env, block, table.Keys[i], number);
    }
}

const char* IniPathOf(const SettingsFile* file)
{
    return file ? file->IniPath : nullptr;
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

int IsLegacyIniLayout(const char* iniPath, const char* appName)
{
    char section[kNameSize];
    char version[64];
    SectionName(section, appName, "00");
    GetPrivateProfileStringA(section, "Version", "---", version, sizeof(version), iniPath);
    return strcmp(version, "---") == 0 ? 1 : 0;
}

int LoadWindowPlacement(const SettingsFile* file, EnvData* env)
{
    if (!IniPathOf(file) || !env)
        return 0;
    char text[kReadSize];
    SectionReader r = {file->IniPath, "", text};
    SectionName(r.Section, file->AppName, IsLegacyIniLayout(file->IniPath, file->AppName) ? "" : "00");
    ReadKeys(r, file, env, env, PlacementSettingKeys(), -1);
    LoadWindowPosForScreen(file, env);
    return 1;
}

int LoadWindowPosForScreen(const SettingsFile* file, EnvData* env)
{
    if (!IniPathOf(file) || !env)
        return 0;
    char text[kReadSize];
    SectionReader r = {file->IniPath, "", text};
    ScreenSectionName(r.Section, file);
    ReadKeys(r, file, env, env, ScreenSettingKeys(), -1);
    if (env->DenyOutOfDesktop == 1 && (env->WindowX > file->Desktop.right || env->WindowY > file->Desktop.bottom)) {
        env->WindowX = 0;
        env->WindowY = 0;
    }
    return 1;
}

int LoadEnv(const SettingsFile* file, EnvData* env, int* versionChanged)
{
    if (versionChanged)
        *versionChanged = 0;
    if (!IniPathOf(file) || !env)
        return 0;
    bool existed = FileExists(file->IniPath);
    bool legacy = IsLegacyIniLayout(file->IniPath, file->AppName) == 1;

    char text[kReadSize];
    SectionReader r = {file->IniPath, "", text};
    SectionName(r.Section, file->AppName, legacy ? "" : "00");
    char version[32];
    FormatSettingsVersion(version, sizeof(version));
    if (strcmp(ReadText(r, "Version", ""), version) != 0) {
        WritePrivateProfileStringA(r.Section, "Version", version, file->IniPath);
        if (versionChanged)
            *versionChanged = 1;
    }

    SectionName(r.Section, file->AppName, legacy ? "" : "01");
    ReadKeys(r, file, env, env, MainSettingKeys(), -1);
    env->Transparency.KeyColor = env->BackColor;
    CompleteMarkOrder(env->MarkOrder);
    if (file->MonthUserNames)
        SplitUserNames(env->MonthUserStr, file->MonthUserNames, MONTH_USER_NAME_COUNT);
    if (file->WeekUserNames)
        SplitUserNames(env->WeekUserStr, file->WeekUserNames, WEEK_USER_NAME_COUNT);
    return existed ? 0 : 1;
}

int SaveWindowPosForScreen(const SettingsFile* file, const EnvData* env)
{
    if (!IniPathOf(file) || !env)
        return 0;
    SectionWriter w;
    if (!BeginSection(w, kPlacementWidth))
        return 0;
    WriteKeys(w, env, env, ScreenSettingKeys(), -1);
    char section[kNameSize];
    ScreenSectionName(section, file);
    return WriteSection(w, file->IniPath, section) ? 1 : 0;
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
    char section[kNameSize];
    bool written;
    {
        SectionWriter w;
        if (!BeginSection(w, kPlacementWidth))
            return 0;
        WriteKeys(w, env, env, PlacementSettingKeys(), -1);
        SectionName(section, file->AppName, "00");
        written = WriteSection(w, file->IniPath, section);
        SectionName(section, file->AppName, "");
        written = WriteSection(w, file->IniPath, section) && written;
    }
    written = SaveWindowPosForScreen(file, env) && written;
    if ((scope & 0xFF) <= SETTINGS_SCOPE_PLACEMENT)
        return written ? 1 : 0;
    SectionWriter w;
    if (!BeginSection(w, kMainWidth))
        return 0;
    WriteKeys(w, env, env, MainSettingKeys(), -1);
    SectionName(section, file->AppName, "01");
    written = WriteSection(w, file->IniPath, section) && written;
    SetFileAttributesA(file->IniPath, FILE_ATTRIBUTE_HIDDEN);
    return written ? 1 : 0;
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

void CompleteMarkOrder(int* order)
{
    if (!order)
        return;
    for (int kind = MARK_ORDER_WEEKDAY; kind <= MARK_ORDER_DAY_MEMO; kind++) {
        int free = -1;
        bool present = false;
        for (int i = 0; i < MARK_ORDER_COUNT; i++) {
            present = present || order[i] == kind;
            if (free < 0 && order[i] == MARK_ORDER_END)
                free = i;
        }
        if (!present && free >= 0)
            order[free] = kind;
    }
}

void SplitUserNames(const char* list, char** names, int count)
{
    if (!names)
        return;
    const char* p = list;
    for (int i = 0; i < count; i++) {
        const char* end = p ? strchr(p, ',') : nullptr;
        size_t len = p ? (end ? (size_t)(end - p) : strlen(p)) : 0;
        char* name = nullptr;
        if (len > 0 && (name = (char*)AllocZeroed(len)) != nullptr)
            memcpy(name, p, len);
        FreeText(&names[i]);
        names[i] = name;
        p = end ? end + 1 : nullptr;
    }
}
