#include "SettingsWriter.h"

#include <stdio.h>
#include <string.h>

#include "HeapUtil.h"
#include "IniDocument.h"
#include "StrUtil.h"
#include "UserMessage.h"

namespace {

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

void WriteFontKey(SectionWriter& w, const void* block, const SettingKey& key)
{
    const LOGFONTA* font = (const LOGFONTA*)((const BYTE*)block + key.Offset);
    const long values[FONT_KEY_COUNT] = {0, font->lfCharSet, font->lfPitchAndFamily, font->lfHeight, font->lfWeight,
                                         font->lfItalic};
    for (int i = 0; i < FONT_KEY_COUNT; i++) {
        char name[SETTING_NAME_SIZE];
        snprintf(name, sizeof(name), "%s%s", key.Name, FontKeySuffixes[i]);
        if (i == 0)
            AddLine(w, name, font->lfFaceName);
        else
            AddNumber(w, name, values[i]);
    }
}

void WriteKey(SectionWriter& w, const void* block, const SettingKey& key, int number)
{
    char name[SETTING_NAME_SIZE];
    SettingKeyName(name, key.Name, number);
    const void* field = (const BYTE*)block + key.Offset;
    switch (key.Type) {
    case SETTING_INT:
    case SETTING_BYTE:
    case SETTING_COLOR:
        for (int i = 0; i < key.Count; i++) {
            SettingKeyName(name, key.Name, key.Count > 1 ? i : number);
            AddNumber(w, name, GetSettingNumber(block, key, i));
        }
        break;
    case SETTING_TEXT:
        if (*(const char*)field || !(key.Flags & SETTING_WRITE_IF_SET))
            AddLine(w, name, (const char*)field);
        break;
    case SETTING_HEAP_TEXT:
        if (SafeStrLen(*(char* const*)field) > 0)
            AddLine(w, name, *(char* const*)field);
        break;
    case SETTING_STYLE:
        AddLine(w, name, StyleText(key.Styles, key.Count, *(const BYTE*)field));
        break;
    case SETTING_FONT:
        WriteFontKey(w, block, key);
        break;
    case SETTING_CUSTOM:
        if (w.Custom)
            w.Custom(w, block, key, number);
        break;
    }
}

}  // namespace

SectionWriter::~SectionWriter()
{
    if (Block)
        HeapFree(GetProcessHeap(), 0, Block);
}

bool BeginSection(SectionWriter& w, int width)
{
    w.Block = (char*)ReAllocZeroed(nullptr, SETTINGS_SECTION_SIZE);
    w.Size = w.Block ? SETTINGS_SECTION_SIZE : 0;
    w.Width = width;
    return w.Block != nullptr;
}

void AddLine(SectionWriter& w, const char* key, const char* value)
{
    char head[SETTING_NAME_SIZE + 8];
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
    if (!w.Failed && WriteIniSection(path, section, w.Block))
        return true;
    TellSettingsNotSaved(nullptr, path);
    return false;
}

bool PutSection(const SectionWriter& w, IniDocument* doc, const char* section)
{
    return !w.Failed && SetIniSection(doc, section, w.Block);
}

void WriteSettingKeys(SectionWriter& w, const void* block, SettingKeyTable table, int number)
{
    for (int i = 0; i < table.Count; i++) {
        if (!(table.Keys[i].Flags & SETTING_READ_ONLY))
            WriteKey(w, block, table.Keys[i], number);
    }
}
