// The keys of the main program's settings file, one row per key. The same rows
// drive the reader and the writer, so a key is always written under the name it
// is read by.
#pragma once

#include <windows.h>

#include <stddef.h>

enum SettingType : unsigned char {
    SETTING_INT,         // int field
    SETTING_BYTE,        // BYTE field
    SETTING_COLOR,       // COLORREF field
    SETTING_TEXT,        // char array of Count bytes, cut on a character boundary
    SETTING_HEAP_TEXT,   // process-heap char*; written only when set
    SETTING_STYLE,       // BYTE index into Styles, stored as the style's text
    SETTING_FONT,        // LOGFONTA stored as the six keys of FontKeySuffixes after the key name
    SETTING_USER_MARKS,  // the mark count (int field UserStyleMax), then UserMarkKeys for every mark
    SETTING_PLUGINS,     // the PlugInSlot table (key names in PlugInTable.h)
    SETTING_VERSION,     // written only: the settings-file version
    SETTING_WALLPAPER,   // the remembered wallpaper (heap char*), checked against the program's own picture
};

enum LegacyRule : unsigned char {
    LEGACY_NONE,
    LEGACY_DEFAULT,  // the older key is read first; its value is the default of the key
    LEGACY_WINS,     // read after the key with (value - LegacyValue) as default; it stores its value + LegacyValue
    LEGACY_FLAG,     // when the older key reads 1, LegacyValue is the default of the key
};

// Key rows with this flag are read but never written (the field is written in another section).
#define SETTING_READ_ONLY 0x01
// Text rows with this flag are written only when not empty.
#define SETTING_WRITE_IF_SET 0x02

const size_t kNoField = (size_t)-1;

struct SettingKey {
    const char* Name;  // groups repeated by a number (arrays, user marks) hold one %d
    SettingType Type;
    size_t Offset;     // of the field in the block the table describes (EnvData or UserMark)
    long Default = 0;
    const char* Text = nullptr;             // default text; a %d in a user-mark row takes the mark number
    const char* const* Styles = nullptr;    // style rows: the texts in index order
    int Count = 1;                          // number rows: elements of an array; text rows: bytes; style rows: texts
    long Min = 1;                           // clamp of number rows, applied when Min <= Max
    long Max = 0;
    size_t DefaultField = kNoField;         // EnvData field whose current value is the default
    SettingType DefaultType = SETTING_INT;
    const char* Legacy = nullptr;           // older key name, numbered like Name
    LegacyRule Rule = LEGACY_NONE;
    long LegacyValue = 0;
    unsigned Flags = 0;
    int Indirect = 0;                       // 1: Offset holds a pointer to the array

    constexpr SettingKey Range(long low, long high) const
    {
        SettingKey k = *this;
        k.Min = low;
        k.Max = high;
        return k;
    }
    constexpr SettingKey From(size_t field, SettingType type) const
    {
        SettingKey k = *this;
        k.DefaultField = field;
        k.DefaultType = type;
        return k;
    }
    constexpr SettingKey Old(const char* name, LegacyRule rule = LEGACY_DEFAULT, long value = 0) const
    {
        SettingKey k = *this;
        k.Legacy = name;
        k.Rule = rule;
        k.LegacyValue = value;
        return k;
    }
    constexpr SettingKey With(unsigned flags) const
    {
        SettingKey k = *this;
        k.Flags |= flags;
        return k;
    }
    constexpr bool HasRange() const { return Min <= Max; }
    constexpr bool IsNumber() const { return Type == SETTING_INT || Type == SETTING_BYTE || Type == SETTING_COLOR; }
};

struct SettingKeyTable {
    const SettingKey* Keys;
    int Count;
};

// Section N"00" (and its legacy copy N), in write order.
SettingKeyTable PlacementSettingKeys();
// The section of one desktop size.
SettingKeyTable ScreenSettingKeys();
// Section N"01", in write order.
SettingKeyTable MainSettingKeys();
// The keys of one user mark, fields relative to UserMark, names numbered from 1.
SettingKeyTable UserMarkSettingKeys();

// Key endings of a font, in write order: face, character set, pitch and family, size, bold, italic.
#define FONT_KEY_COUNT 6
extern const char* const FontKeySuffixes[FONT_KEY_COUNT];

#define YEAR_STYLE_COUNT 15
#define MONTH_STYLE_COUNT 9
#define WEEK_STYLE_COUNT 8
extern const char* const YearStyleNames[YEAR_STYLE_COUNT];
extern const char* const MonthStyleNames[MONTH_STYLE_COUNT];
extern const char* const WeekStyleNames[WEEK_STYLE_COUNT];

// Index of the first style whose text equals text exactly; 0 when none does.
int FindStyleIndex(const char* const* styles, int count, const char* text);
// Text of style index, "" beyond the list.
const char* StyleText(const char* const* styles, int count, int index);

// The number field of key in block (element index of an array row).
long GetSettingNumber(const void* block, const SettingKey& key, int index);
// Current value of the field that is the default of key (DefaultField) in the record env.
long GetSettingDefaultField(const void* env, const SettingKey& key);
// Stores value, clamped to the key's range (bytes at least to 0-255), into the number field of key in block.
void SetSettingNumber(void* block, const SettingKey& key, int index, long value);
// value clamped to the key's range; byte rows without one to 0-255.
long ClampSetting(const SettingKey& key, long value);
