#include "ProfileFile.h"

#include <windows.h>

#include <string.h>

#include "HeapUtil.h"
#include "IniText.h"
#include "ProfileSection.h"
#include "Sjis.h"

struct ProfileFile {
    int Count;
    struct Section {
        char* Name;
        ProfileSection* Parsed;
    }* Sections;
};

namespace {

// Where a character at a byte offset of the decoded text stands.
const WCHAR* At(const WCHAR* text, size_t offset)
{
    return text + offset / sizeof(WCHAR);
}

// The characters of start..stop before the first NUL: names and values end there for the profile functions.
size_t UpToNul(const WCHAR* start, const WCHAR* stop)
{
    const WCHAR* p = start;
    while (p < stop && *p)
        p++;
    return (size_t)(p - start);
}

// Appends the key line to lines as GetPrivateProfileSectionW gives it ("key=value" or "key", NUL-ended); empty
// keys and comments are left out.
void AddKeyLine(const WCHAR* text, const IniLine& line, WCHAR* lines, size_t* at)
{
    const WCHAR* start = At(text, line.From);
    size_t keyLength = UpToNul(start, At(text, line.KeyTo));
    if (keyLength == 0 || *start == L';')
        return;
    memcpy(lines + *at, start, keyLength * sizeof(WCHAR));
    *at += keyLength;
    if (line.ValueFrom != kIniNoValue) {
        const WCHAR* value = At(text, line.ValueFrom);
        size_t valueLength = UpToNul(value, At(text, line.To));
        lines[(*at)++] = L'=';
        memcpy(lines + *at, value, valueLength * sizeof(WCHAR));
        *at += valueLength;
    }
    lines[(*at)++] = L'\0';
}

// The section of the header with the length characters of its key lines, added to file. False without memory.
bool AddSection(ProfileFile* file, const IniText* text, const IniLine& header, const WCHAR* lines, size_t length)
{
    const WCHAR* wide = (const WCHAR*)text->Bytes;
    size_t nameLength = UpToNul(At(wide, header.NameFrom), At(wide, header.NameTo));
    if (nameLength == 0)
        return true;  // a section without a name is never read
    IniText linesText;
    InitIniTextAs(&linesText, lines, length * sizeof(WCHAR), INI_UTF16_LE);
    size_t textSize = 0;
    char* encodedName = IniTextInCodePage(text, header.NameFrom, header.NameFrom + nameLength * sizeof(WCHAR),
                                          nullptr);
    char* encoded = IniTextInCodePage(&linesText, 0, linesText.Size, &textSize);
    ProfileSection* section = encoded ? ParseProfileSection(encoded, textSize) : nullptr;
    if (encoded)
        HeapFree(GetProcessHeap(), 0, encoded);
    if (!encodedName || !section) {
        if (encodedName)
            HeapFree(GetProcessHeap(), 0, encodedName);
        FreeProfileSection(section);
        return false;
    }
    file->Sections[file->Count++] = {encodedName, section};
    return true;
}

// The sections of the decoded text; false without memory.
bool ParseSections(ProfileFile* file, const WCHAR* wide, size_t length)
{
    IniText text;
    InitIniTextAs(&text, wide, length * sizeof(WCHAR), INI_UTF16_LE);
    IniLine line;
    int headers = 0;
    for (size_t at = 0; NextIniLine(&text, &at, &line);)
        headers += line.Header;
    if (headers == 0)
        return true;
    file->Sections = (ProfileFile::Section*)AllocZeroed((size_t)headers * sizeof(ProfileFile::Section));
    // Every section's lines fit in the text's length: no line grows, and each loses at least its line feed but
    // the last, which gains its NUL.
    WCHAR* lines = (WCHAR*)AllocZeroed((length + 1) * sizeof(WCHAR));
    bool done = file->Sections && lines;
    IniLine header = {};
    bool inSection = false;
    size_t linesLength = 0;
    for (size_t at = 0; done && NextIniLine(&text, &at, &line);) {
        if (line.Header) {
            done = !inSection || AddSection(file, &text, header, lines, linesLength);
            header = line;
            inSection = true;
            linesLength = 0;
        } else if (inSection && line.From < line.To) {
            AddKeyLine(wide, line, lines, &linesLength);
        }
    }
    done = done && (!inSection || AddSection(file, &text, header, lines, linesLength));
    if (lines)
        HeapFree(GetProcessHeap(), 0, lines);
    return done;
}

// A name asked for against a section's name: blanks around the asked name dropped, ASCII letters folded,
// double-byte characters compared whole.
bool SameName(const char* sectionName, const char* asked, size_t askedLength)
{
    return SameFoldedName(sectionName, asked, askedLength) && sectionName[askedLength] == '\0';
}

}  // namespace

ProfileFile* ParseProfileFile(const char* bytes, size_t size)
{
    ProfileFile* file = (ProfileFile*)AllocZeroed(sizeof(ProfileFile));
    if (!file)
        return nullptr;
    IniText text;
    InitIniText(&text, bytes, size);
    size_t length = 0;
    bool failed = false;
    WCHAR* wide = DecodeIniText(&text, &length, &failed);
    bool parsed = !failed && (!wide || ParseSections(file, wide, length));
    if (wide)
        HeapFree(GetProcessHeap(), 0, wide);
    if (!parsed) {
        FreeProfileFile(file);
        return nullptr;
    }
    return file;
}

ProfileFile* ReadProfileFile(const char* path)
{
    if (!path || !path[0]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A bare file name is looked for in the Windows folder, as the profile functions look for it.
    char inWindows[MAX_PATH * 2];
    if (!strpbrk(path, "\\/:")) {
        UINT length = GetWindowsDirectoryA(inWindows, MAX_PATH);
        if (length > 0 && length < MAX_PATH && strlen(path) < MAX_PATH) {
            strcat(inWindows, "\\");
            strcat(inWindows, path);
            path = inWindows;
        }
    }
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(handle, &size)) {
        DWORD error = GetLastError();
        CloseHandle(handle);
        SetLastError(error);
        return nullptr;
    }
    // The size is asked once and the file read in one call: the calendar reads hundreds of memo files in a step,
    // and under Wine every call on a handle costs calls of the system.
    char* bytes = nullptr;
    DWORD length = 0;
    bool read = size.QuadPart == 0;
    if (!read && size.QuadPart < MAXDWORD - 2) {
        bytes = (char*)AllocZeroed((size_t)size.QuadPart + 1);
        read = bytes && ReadFile(handle, bytes, (DWORD)size.QuadPart, &length, nullptr) && length == size.QuadPart;
    }
    DWORD error = GetLastError();
    CloseHandle(handle);
    ProfileFile* file = read ? ParseProfileFile(bytes, length) : nullptr;
    if (bytes)
        HeapFree(GetProcessHeap(), 0, bytes);
    if (!read)
        SetLastError(error);
    return file;
}

void FreeProfileFile(ProfileFile* file)
{
    if (!file)
        return;
    for (int i = 0; i < file->Count; i++) {
        HeapFree(GetProcessHeap(), 0, file->Sections[i].Name);
        FreeProfileSection(file->Sections[i].Parsed);
    }
    if (file->Sections)
        HeapFree(GetProcessHeap(), 0, file->Sections);
    HeapFree(GetProcessHeap(), 0, file);
}

int ProfileFileSectionCount(const ProfileFile* file)
{
    return file ? file->Count : 0;
}

const char* ProfileFileSectionName(const ProfileFile* file, int index)
{
    return file && index >= 0 && index < file->Count ? file->Sections[index].Name : nullptr;
}

const ProfileSection* FindProfileFileSection(const ProfileFile* file, const char* name)
{
    if (!file || !name)
        return nullptr;
    while (IsIniBlank((unsigned char)*name))
        name++;
    size_t length = strlen(name);
    while (length > 0 && IsIniBlank((unsigned char)name[length - 1]))
        length--;
    for (int i = 0; i < file->Count; i++) {
        if (SameName(file->Sections[i].Name, name, length))
            return file->Sections[i].Parsed;
    }
    return nullptr;
}
