#include "ProfileSection.h"

#include <windows.h>

#include <string.h>

#include "HeapUtil.h"
#include "IniDocument.h"
#include "IniText.h"
#include "Sjis.h"

namespace {

// First size of the buffer a section is read into; it doubles until the section fits, up to the last size.
const DWORD kFirstReadSize = 65536;
const DWORD kLastReadSize = 64u << 20;

struct ProfileEntry {
    const char* Key;
    size_t KeyLength;
    const char* Value;  // null for a line without "="
    size_t ValueLength;
};

// Bytes of text (length bytes) that fit into limit bytes without splitting a double-byte character.
size_t WholeCharacters(const char* text, size_t length, size_t limit)
{
    if (length <= limit)
        return length;
    size_t kept = 0;
    while (kept < limit) {
        size_t step = IsSjisLeadByte((unsigned char)text[kept]) && kept + 1 < length ? 2 : 1;
        if (kept + step > limit)
            break;
        kept += step;
    }
    return kept;
}

}  // namespace

struct ProfileSection {
    int Count;
    ProfileEntry* Entries;
    char* Text;  // the copy of the parsed text the entries point into
};

ProfileSection* ParseProfileSection(const char* text, size_t size)
{
    if (!text)
        size = 0;
    size_t lines = 1;
    for (size_t i = 0; i < size; i++)
        lines += text[i] == '\0';
    size_t block = sizeof(ProfileSection) + lines * sizeof(ProfileEntry) + size + 1;
    ProfileSection* section = (ProfileSection*)HeapAlloc(GetProcessHeap(), 0, block);
    if (!section)
        return nullptr;
    section->Count = 0;
    section->Entries = (ProfileEntry*)(section + 1);
    section->Text = (char*)(section->Entries + lines);
    if (size)
        memcpy(section->Text, text, size);
    section->Text[size] = '\0';

    IniText list;
    InitIniTextAs(&list, section->Text, size, INI_CODE_PAGE);
    const char* end = section->Text + size;
    for (const char* line = section->Text; line < end && *line; line += strlen(line) + 1) {
        size_t start = (size_t)(line - section->Text);
        IniLine read;
        ReadIniLine(&list, start, start + strlen(line), &read);
        ProfileEntry entry = {section->Text + read.From, read.KeyTo - read.From, nullptr, 0};
        if (read.ValueFrom != kIniNoValue) {
            entry.Value = section->Text + read.ValueFrom;
            entry.ValueLength = read.To - read.ValueFrom;
        }
        if (entry.KeyLength > 0 && entry.Key[0] != ';')
            section->Entries[section->Count++] = entry;
    }
    return section;
}

ProfileSection* ReadProfileSection(const char* path, const char* name)
{
    for (DWORD size = kFirstReadSize;; size *= 2) {
        char* text = (char*)HeapAlloc(GetProcessHeap(), 0, size);
        if (!text)
            return nullptr;
        text[0] = '\0';
        DWORD got = GetPrivateProfileSectionA(name, text, size, path);
        // A section that does not fit comes back as size - 2 bytes, or as 0 when its double-byte text overflowed.
        bool cut = got + 2 >= size || (got == 0 && text[0]);
        if (!cut || size >= kLastReadSize) {
            ProfileSection* section = ParseProfileSection(text, cut && got == 0 ? 0 : got);
            HeapFree(GetProcessHeap(), 0, text);
            return section;
        }
        HeapFree(GetProcessHeap(), 0, text);
    }
}

void FreeProfileSection(ProfileSection* section)
{
    if (section)
        HeapFree(GetProcessHeap(), 0, section);
}

const char* GetSectionString(const ProfileSection* section, const char* key, const char* def, char* out,
                             size_t size)
{
    if (!out || size == 0)
        return "";
    size_t keyLength = key ? strlen(key) : 0;
    const char* value = nullptr;
    size_t length = 0;
    for (int i = 0; section && keyLength && i < section->Count; i++) {
        const ProfileEntry& entry = section->Entries[i];
        if (entry.KeyLength == keyLength && SameFoldedName(entry.Key, key, keyLength)) {
            value = entry.Value;
            length = entry.ValueLength;
            break;
        }
    }
    if (!value) {
        value = def ? def : "";
        length = strlen(value);
        while (length > 0 && value[length - 1] == ' ')
            length--;
    }
    size_t keep = length < size - 1 ? length : size - 1;
    if (length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0]) {
        // The profile functions copy the value after its opening quote, then drop the last character copied
        // when the closing quote was in reach.
        size_t inner = length - 2;
        value++;
        length = inner;
        keep = size > inner + 1 ? inner : size == inner + 1 && inner > 0 ? inner - 1 : size - 1;
    }
    keep = WholeCharacters(value, length, keep);
    memcpy(out, value, keep);
    out[keep] = '\0';
    return out;
}

ProfileSection* ParseIniSection(const IniDocument* doc, const char* name)
{
    size_t size = 0;
    char* lines = GetIniSectionLines(doc, name, &size);
    ProfileSection* section = ParseProfileSection(lines ? lines : "", lines ? size : 0);
    if (lines)
        HeapFree(GetProcessHeap(), 0, lines);
    return section;
}
