// The rows of a settings key table: one row per key (name, field, type, default, clamp, legacy name), which drive
// both the reader and the writer, so a key is always written under the name it is read by. The row macros check
// each field's type against the row's at compile time.
#pragma once

#include <windows.h>

#include <stddef.h>

#include <type_traits>

enum SettingType : unsigned char {
    SETTING_INT,        // int field
    SETTING_BYTE,       // BYTE field
    SETTING_COLOR,      // COLORREF field
    SETTING_TEXT,       // char array of Count bytes, cut on a character boundary
    SETTING_HEAP_TEXT,  // process-heap char*; written only when set
    SETTING_STYLE,      // BYTE index into Styles, stored as the style's text
    SETTING_FONT,       // LOGFONTA stored as the six keys of FontKeySuffixes after the key name
    SETTING_CUSTOM,     // read and written by the table owner's own routine, which Custom tells apart
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

// Room for a key name, numbered or with a font suffix.
#define SETTING_NAME_SIZE 128

const size_t kNoField = (size_t)-1;

struct SettingKey {
    const char* Name;  // groups repeated by a number (arrays, numbered blocks) hold one %d
    SettingType Type;
    size_t Offset;     // of the field in the block the table describes
    long Default = 0;
    const char* Text = nullptr;             // default text; a %d takes the block's number
    const char* const* Styles = nullptr;    // style rows: the texts in index order
    int Count = 1;                          // number rows: elements of an array; text rows: bytes; style rows: texts
    long Min = 1;                           // clamp of number rows, applied when Min <= Max
    long Max = 0;
    size_t DefaultField = kNoField;         // field of the defaults record whose current value is the default
    SettingType DefaultType = SETTING_INT;
    const char* Legacy = nullptr;           // older key name, numbered like Name
    LegacyRule Rule = LEGACY_NONE;
    long LegacyValue = 0;
    unsigned Flags = 0;
    int Indirect = 0;                       // 1: Offset holds a pointer to the array
    int Custom = 0;                         // custom rows: which of the owner's routines reads and writes it

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
};

struct SettingKeyTable {
    const SettingKey* Keys;
    int Count;
};

// Key endings of a font, in write order: face, character set, pitch and family, size, bold, italic.
#define FONT_KEY_COUNT 6
extern const char* const FontKeySuffixes[FONT_KEY_COUNT];

// Index of the first style whose text equals text exactly; 0 when none does.
int FindStyleIndex(const char* const* styles, int count, const char* text);
// Text of style index, "" beyond the list.
const char* StyleText(const char* const* styles, int count, int index);

// The number field of key in block (element index of an array row).
long GetSettingNumber(const void* block, const SettingKey& key, int index);
// Current value of the field that is the default of key (DefaultField) in the record defaults.
long GetSettingDefaultField(const void* defaults, const SettingKey& key);
// Stores value, clamped to the key's range (bytes at least to 0-255), into the number field of key in block.
void SetSettingNumber(void* block, const SettingKey& key, int index, long value);
// value clamped to the key's range; byte rows without one to 0-255.
long ClampSetting(const SettingKey& key, long value);
// Key name of format with number (a block number or an array index); names without a number stay as they are.
void SettingKeyName(char* out, const char* format, int number);

// Building rows. The macros below take the block the table describes, so that a row can never treat a field as
// another type.
namespace setting_rows {

template <typename T>
struct NumberType;
template <>
struct NumberType<int> {
    static constexpr SettingType value = SETTING_INT;
};
template <>
struct NumberType<BYTE> {
    static constexpr SettingType value = SETTING_BYTE;
};
template <>
struct NumberType<COLORREF> {
    static constexpr SettingType value = SETTING_COLOR;
};

// offset, when the field has the type the row expects.
template <typename Expected, typename Field>
constexpr size_t OffsetOf(size_t offset)
{
    static_assert(std::is_same<Expected, Field>::value, "the row does not match the field's type");
    return offset;
}

constexpr SettingKey Row(const char* name, SettingType type, size_t offset, long value = 0)
{
    SettingKey k{};
    k.Name = name;
    k.Type = type;
    k.Offset = offset;
    k.Default = value;
    return k;
}

constexpr SettingKey TextRow(const char* name, size_t offset, int size, const char* text)
{
    SettingKey k = Row(name, SETTING_TEXT, offset);
    k.Count = size;
    k.Text = text;
    return k;
}

constexpr SettingKey ArrayRow(SettingKey k, int count, int indirect)
{
    k.Count = count;
    k.Indirect = indirect;
    return k;
}

constexpr SettingKey StyleRow(const char* name, size_t offset, const char* text, const char* const* styles, int count)
{
    SettingKey k = Row(name, SETTING_STYLE, offset);
    k.Count = count;
    k.Text = text;
    k.Styles = styles;
    return k;
}

constexpr SettingKey CustomRow(const char* name, int custom, size_t offset, long value = 0)
{
    SettingKey k = Row(name, SETTING_CUSTOM, offset, value);
    k.Custom = custom;
    return k;
}

}  // namespace setting_rows

#define SETTING_FIELD(Block, field) std::remove_cv_t<decltype(((Block*)nullptr)->field)>
#define SETTING_NUMBER_TYPE(Block, field) setting_rows::NumberType<SETTING_FIELD(Block, field)>::value
// A number key of an int, BYTE or COLORREF field.
#define NUM_IN(Block, name, field, def)                                                                        \
    setting_rows::Row(name, SETTING_NUMBER_TYPE(Block, field), offsetof(Block, field), def)
// The default is the current value of a field of the defaults record.
#define FROM_IN(Block, field) From(offsetof(Block, field), SETTING_NUMBER_TYPE(Block, field))
// A text key of a char array, cut to the array's size.
#define TEXT_IN(Block, name, field, text)                                                                      \
    setting_rows::TextRow(name, offsetof(Block, field), (int)sizeof(SETTING_FIELD(Block, field)), text)
// A text key of a process-heap char*, written only when set.
#define HEAP_TEXT_IN(Block, name, field)                                                                       \
    setting_rows::Row(name, SETTING_HEAP_TEXT,                                                                 \
                      setting_rows::OffsetOf<char*, SETTING_FIELD(Block, field)>(offsetof(Block, field)))      \
        .With(SETTING_WRITE_IF_SET)
// Numbered keys of an array field, one per element.
#define ARRAY_IN(Block, name, field, def)                                                                      \
    setting_rows::ArrayRow(                                                                                    \
        setting_rows::Row(name, setting_rows::NumberType<std::remove_extent_t<SETTING_FIELD(Block, field)>>::value, \
                          offsetof(Block, field), def),                                                        \
        (int)std::extent<SETTING_FIELD(Block, field)>::value, 0)
// Numbered keys of count elements that a pointer field points to.
#define POINTED_ARRAY_IN(Block, name, field, count, def)                                                       \
    setting_rows::ArrayRow(                                                                                    \
        setting_rows::Row(name,                                                                                \
                          setting_rows::NumberType<std::remove_pointer_t<SETTING_FIELD(Block, field)>>::value, \
                          offsetof(Block, field), def),                                                        \
        count, 1)
// The six keys of a LOGFONTA field; size is the default point size.
#define FONT_IN(Block, prefix, field, size)                                                                    \
    setting_rows::Row(prefix, SETTING_FONT,                                                                    \
                      setting_rows::OffsetOf<LOGFONTA, SETTING_FIELD(Block, field)>(offsetof(Block, field)), size)
// A BYTE index stored as the text of one of list's styles.
#define STYLE_IN(Block, name, field, text, list)                                                               \
    setting_rows::StyleRow(name,                                                                               \
                           setting_rows::OffsetOf<BYTE, SETTING_FIELD(Block, field)>(offsetof(Block, field)),  \
                           text, list, (int)(sizeof(list) / sizeof(list[0])))
