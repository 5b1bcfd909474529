#include "SettingsReader.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "FontUtil.h"
#include "HeapUtil.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

// Room for the text of a number.
const size_t kNumberSize = 64;

// Drops a lead byte left without its trail where a long value was cut.
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

// value held at the limits of a long.
long HeldLong(long long value)
{
    return value < LONG_MIN ? LONG_MIN : value > LONG_MAX ? LONG_MAX : (long)value;
}

void ReadNumberKey(const SettingSource& source, void* block, const SettingKey& key, int number)
{
    for (int i = 0; i < key.Count; i++) {
        int n = key.Count > 1 ? i : number;
        char name[SETTING_NAME_SIZE];
        char legacy[SETTING_NAME_SIZE];
        SettingKeyName(name, key.Name, n);
        SettingKeyName(legacy, key.Legacy, n);
        long def = key.DefaultField != kNoField ? GetSettingDefaultField(source.Defaults, key) : key.Default;
        if (key.Rule == LEGACY_DEFAULT)
            def = ReadSettingNumber(source, legacy, def, key.Type);
        else if (key.Rule == LEGACY_FLAG && ReadSettingNumber(source, legacy, 0, key.Type) == 1)
            def = key.LegacyValue;
        long value = ReadSettingNumber(source, name, def, key.Type);
        if (key.Rule == LEGACY_WINS) {
            // The older key counts from another base; the shift is held at the limits of a long, never wrapped.
            long shifted = HeldLong((long long)value - key.LegacyValue);
            value = HeldLong((long long)ReadSettingNumber(source, legacy, shifted, key.Type) + key.LegacyValue);
        }
        SetSettingNumber(block, key, i, value);
    }
}

void ReadTextKey(const SettingSource& source, void* block, const SettingKey& key, int number)
{
    char name[SETTING_NAME_SIZE];
    char def[SETTING_NAME_SIZE];
    SettingKeyName(name, key.Name, number);
    snprintf(def, sizeof(def), NonNullStr(key.Text), number);
    SafeStrCpy((char*)block + key.Offset, (size_t)key.Count, ReadSettingText(source, name, def));
}

void ReadFontKey(const SettingSource& source, void* block, const SettingKey& key)
{
    long values[FONT_KEY_COUNT] = {0, 0, 0, key.Default, 0, 0};
    char face[LF_FACESIZE * 2] = "";
    for (int i = 0; i < FONT_KEY_COUNT; i++) {
        char name[SETTING_NAME_SIZE];
        snprintf(name, sizeof(name), "%s%s", key.Name, FontKeySuffixes[i]);
        if (i == 0)
            SafeStrCpy(face, sizeof(face), ReadSettingText(source, name, ""));
        else
            values[i] = ReadSettingNumber(source, name, values[i], SETTING_INT);
    }
    // A positive number is a point size; zero and below are kept as the height.
    long height = values[3] > 0 ? HeldLong(-((long long)values[3] + 4)) : values[3];
    long weight = values[4] == 0 ? FONT_WEIGHT_NORMAL : values[4] == 1 ? FONT_WEIGHT_BOLD : values[4];
    // Negative sets and pitches choose the fall-back face, so only the top is held.
    int charSet = (int)(values[1] > 255 ? 255 : values[1]);
    int pitch = (int)(values[2] > 255 ? 255 : values[2]);
    SetFontRecord((LOGFONTA*)((BYTE*)block + key.Offset), face, (int)height, (int)weight, values[5] != 0, charSet,
                  pitch);
}

void ReadKey(const SettingSource& source, void* block, const SettingKey& key, int number)
{
    switch (key.Type) {
    case SETTING_INT:
    case SETTING_BYTE:
    case SETTING_COLOR:
        ReadNumberKey(source, block, key, number);
        break;
    case SETTING_TEXT:
        ReadTextKey(source, block, key, number);
        break;
    case SETTING_HEAP_TEXT: {
        char** field = (char**)((BYTE*)block + key.Offset);
        *field = StrReplaceHeap(*field, ReadSettingText(source, key.Name, ""));
        break;
    }
    case SETTING_STYLE:
        *((BYTE*)block + key.Offset) =
            (BYTE)FindStyleIndex(key.Styles, key.Count, ReadSettingText(source, key.Name, key.Text));
        break;
    case SETTING_FONT:
        ReadFontKey(source, block, key);
        break;
    case SETTING_CUSTOM:
        if (source.Custom)
            source.Custom(source, block, key, number);
        break;
    }
}

}  // namespace

const char* ReadSettingText(const SettingSource& source, const char* key, const char* def)
{
    GetSectionString(source.Section, key, def, source.Text, SETTINGS_READ_SIZE);
    DropSplitCharacter(source.Text);
    return source.Text;
}

long ReadSettingNumber(const SettingSource& source, const char* key, long def, SettingType type)
{
    char text[kNumberSize];
    GetSectionString(source.Section, key, "", text, sizeof(text));
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

void ReadSettingKeys(const SettingSource& source, void* block, SettingKeyTable table, int number)
{
    for (int i = 0; i < table.Count; i++)
        ReadKey(source, block, table.Keys[i], number);
}

int IsLegacyIniLayout(const char* iniPath, const char* appName)
{
    char section[SETTING_NAME_SIZE];
    char version[64];
    snprintf(section, sizeof(section), "%s00", NonNullStr(appName));
    GetPrivateProfileStringA(section, "Version", "---", version, sizeof(version), iniPath);
    return strcmp(version, "---") == 0 ? 1 : 0;
}
