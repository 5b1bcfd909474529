#include "SettingKey.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

const char* const FontKeySuffixes[FONT_KEY_COUNT] = {
    "FontName", "FontCharSet", "FontPitchAndFamily", "FontSize", "FontBold", "FontItalic",
};

namespace {

long ReadNumberAt(const void* base, size_t offset, SettingType type)
{
    const BYTE* p = (const BYTE*)base + offset;
    switch (type) {
    case SETTING_BYTE:
        return *p;
    case SETTING_COLOR:
        return (long)*(const COLORREF*)p;
    default:
        return *(const int*)p;
    }
}

// Address of element index of the number field of key in block; null when an indirect array is missing.
void* NumberAddress(const void* block, const SettingKey& key, int index)
{
    const BYTE* base = (const BYTE*)block + key.Offset;
    if (key.Indirect) {
        base = *(const BYTE* const*)base;
        if (!base)
            return nullptr;
    }
    size_t size = key.Type == SETTING_BYTE ? sizeof(BYTE) : key.Type == SETTING_COLOR ? sizeof(COLORREF) : sizeof(int);
    return (void*)(base + (size_t)index * size);
}

}  // namespace

int FindStyleIndex(const char* const* styles, int count, const char* text)
{
    for (int i = 0; text && i < count; i++) {
        if (strcmp(styles[i], text) == 0)
            return i;
    }
    return 0;
}

const char* StyleText(const char* const* styles, int count, int index)
{
    return (index >= 0 && index < count) ? styles[index] : "";
}

long ClampSetting(const SettingKey& key, long value)
{
    long low = key.HasRange() ? key.Min : key.Type == SETTING_BYTE ? 0 : LONG_MIN;
    long high = key.HasRange() ? key.Max : key.Type == SETTING_BYTE ? 255 : LONG_MAX;
    return value < low ? low : value > high ? high : value;
}

long GetSettingNumber(const void* block, const SettingKey& key, int index)
{
    const void* p = NumberAddress(block, key, index);
    return p ? ReadNumberAt(p, 0, key.Type) : 0;
}

long GetSettingDefaultField(const void* defaults, const SettingKey& key)
{
    return ReadNumberAt(defaults, key.DefaultField, key.DefaultType);
}

void SetSettingNumber(void* block, const SettingKey& key, int index, long value)
{
    void* p = NumberAddress(block, key, index);
    if (!p)
        return;
    value = ClampSetting(key, value);
    switch (key.Type) {
    case SETTING_BYTE:
        *(BYTE*)p = (BYTE)value;
        break;
    case SETTING_COLOR:
        *(COLORREF*)p = (COLORREF)value;
        break;
    default:
        *(int*)p = (int)value;
        break;
    }
}

void SettingKeyName(char* out, const char* format, int number)
{
    snprintf(out, SETTING_NAME_SIZE, format ? format : "", number);
}
