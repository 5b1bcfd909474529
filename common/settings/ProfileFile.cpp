#include "ProfileFile.h"

#include <windows.h>

#include <string.h>

#include "HeapUtil.h"
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

const unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
const WCHAR kUnicodeMark = 0xFEFF;
const WCHAR kSwappedUnicodeMark = 0xFFFE;

// What the profile functions take for blanks around lines, names and values (CR and ^Z included).
bool IsBlank(WCHAR c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

bool IsByteBlank(char c)
{
    return IsBlank((WCHAR)(unsigned char)c);
}

// The text of the file as UTF-16 in *text (*length characters; null for an empty text), as the profile functions
// decode it: a UTF-8 or UTF-16 byte-order mark chooses the form, else the code page. False without memory; the
// caller frees *text with HeapFree.
bool Decode(const char* bytes, size_t size, WCHAR** text, size_t* length)
{
    *text = nullptr;
    *length = 0;
    const unsigned char* b = (const unsigned char*)bytes;
    if (size >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)) &&
        !(size >= 3 && memcmp(b, kUtf8Mark, sizeof(kUtf8Mark)) == 0)) {
        size_t count = (size - 2) / sizeof(WCHAR);
        if (count == 0)
            return true;
        WCHAR* wide = (WCHAR*)AllocZeroed(count * sizeof(WCHAR));
        if (!wide)
            return false;
        memcpy(wide, bytes + 2, count * sizeof(WCHAR));
        if (b[0] == 0xFE) {
            for (size_t i = 0; i < count; i++)
                wide[i] = (WCHAR)((wide[i] >> 8) | (wide[i] << 8));
        }
        *text = wide;
        *length = count;
        return true;
    }
    UINT codePage = CP_ACP;
    if (size >= 3 && memcmp(b, kUtf8Mark, sizeof(kUtf8Mark)) == 0) {
        codePage = CP_UTF8;
        bytes += 3;
        size -= 3;
    }
    int count = size ? MultiByteToWideChar(codePage, 0, bytes, (int)size, nullptr, 0) : 0;
    if (count <= 0)
        return true;
    WCHAR* wide = (WCHAR*)AllocZeroed((size_t)count * sizeof(WCHAR));
    if (!wide)
        return false;
    MultiByteToWideChar(codePage, 0, bytes, (int)size, wide, count);
    *text = wide;
    *length = (size_t)count;
    return true;
}

// One line of the text (ended by a carriage return or a line feed), blanks trimmed at both ends; empty lines are
// passed over. False after the last line.
bool NextLine(const WCHAR** at, const WCHAR* end, const WCHAR** start, const WCHAR** stop)
{
    while (*at < end) {
        const WCHAR* s = *at;
        const WCHAR* feed = s;
        while (feed < end && *feed != L'\n' && *feed != L'\r')
            feed++;
        *at = feed < end ? feed + 1 : end;
        const WCHAR* e = feed;
        while (s < e && IsBlank(*s))
            s++;
        while (e > s && IsBlank(e[-1]))
            e--;
        if (s < e) {
            *start = s;
            *stop = e;
            return true;
        }
    }
    return false;
}

// A section header ("[" first, the last "]" closing the name); the name's span without the blanks around it,
// which may be empty.
bool IsHeader(const WCHAR* start, const WCHAR* stop, const WCHAR** name, const WCHAR** nameEnd)
{
    if (*start != L'[')
        return false;
    const WCHAR* close = stop;
    while (close > start && close[-1] != L']')
        close--;
    if (close == start)
        return false;
    const WCHAR* s = start + 1;
    const WCHAR* e = close - 1;
    while (s < e && IsBlank(*s))
        s++;
    while (e > s && IsBlank(e[-1]))
        e--;
    *name = s;
    *nameEnd = e;
    return true;
}

// length UTF-16 characters in the code page, NUL-ended, *size bytes without the NUL; null without memory (the
// caller frees it with HeapFree).
char* Encode(const WCHAR* text, size_t length, size_t* size)
{
    int bytes = length ? WideCharToMultiByte(CP_ACP, 0, text, (int)length, nullptr, 0, nullptr, nullptr) : 0;
    char* out = (char*)AllocZeroed((size_t)bytes + 1);
    if (!out)
        return nullptr;
    if (bytes)
        WideCharToMultiByte(CP_ACP, 0, text, (int)length, out, bytes, nullptr, nullptr);
    *size = (size_t)bytes;
    return out;
}

// The characters of start..stop before the first NUL: names and values end there for the profile functions.
size_t UpToNul(const WCHAR* start, const WCHAR* stop)
{
    const WCHAR* p = start;
    while (p < stop && *p)
        p++;
    return (size_t)(p - start);
}

// Appends the key line at start..stop to lines as GetPrivateProfileSectionW gives it ("key=value" or "key",
// NUL-ended); empty keys and comments are left out.
void AddKeyLine(const WCHAR* start, const WCHAR* stop, WCHAR* lines, size_t* at)
{
    const WCHAR* equals = start;
    while (equals < stop && *equals != L'=')
        equals++;
    const WCHAR* keyEnd = equals;
    while (keyEnd > start && IsBlank(keyEnd[-1]))
        keyEnd--;
    size_t keyLength = UpToNul(start, keyEnd);
    if (keyLength == 0 || *start == L';')
        return;
    memcpy(lines + *at, start, keyLength * sizeof(WCHAR));
    *at += keyLength;
    if (equals < stop) {
        const WCHAR* value = equals + 1;
        while (value < stop && IsBlank(*value))
            value++;
        size_t valueLength = UpToNul(value, stop);
        lines[(*at)++] = L'=';
        memcpy(lines + *at, value, valueLength * sizeof(WCHAR));
        *at += valueLength;
    }
    lines[(*at)++] = L'\0';
}

// The section whose header is at name..nameEnd and whose lines follow from *at, added to file; *at is left at the
// next header. False without memory.
bool AddSection(ProfileFile* file, const WCHAR* name, const WCHAR* nameEnd, const WCHAR** at, const WCHAR* end,
                WCHAR* lines)
{
    size_t length = 0;
    const WCHAR *start, *stop, *n, *ne;
    for (const WCHAR* line = *at;;) {
        const WCHAR* before = line;
        if (!NextLine(&line, end, &start, &stop)) {
            *at = end;
            break;
        }
        if (IsHeader(start, stop, &n, &ne)) {
            *at = before;
            break;
        }
        AddKeyLine(start, stop, lines, &length);
    }
    size_t nameLength = UpToNul(name, nameEnd);
    if (nameLength == 0)
        return true;  // a section without a name is never read
    size_t nameSize = 0, textSize = 0;
    char* encodedName = Encode(name, nameLength, &nameSize);
    char* text = Encode(lines, length, &textSize);
    ProfileSection* section = text ? ParseProfileSection(text, textSize) : nullptr;
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    if (!encodedName || !section) {
        if (encodedName)
            HeapFree(GetProcessHeap(), 0, encodedName);
        FreeProfileSection(section);
        return false;
    }
    file->Sections[file->Count++] = {encodedName, section};
    return true;
}

// The sections of the text; false without memory.
bool ParseSections(ProfileFile* file, const WCHAR* text, size_t length)
{
    int headers = 0;
    const WCHAR *start, *stop, *name, *nameEnd;
    const WCHAR* end = text + length;
    for (const WCHAR* at = text; NextLine(&at, end, &start, &stop);)
        headers += IsHeader(start, stop, &name, &nameEnd);
    if (headers == 0)
        return true;
    file->Sections = (ProfileFile::Section*)AllocZeroed((size_t)headers * sizeof(ProfileFile::Section));
    // Every section's lines fit in the text's length: no line grows, and each loses at least its line feed but
    // the last, which gains its NUL.
    WCHAR* lines = (WCHAR*)AllocZeroed((length + 1) * sizeof(WCHAR));
    bool done = file->Sections && lines;
    for (const WCHAR* at = text; done && NextLine(&at, end, &start, &stop);) {
        if (IsHeader(start, stop, &name, &nameEnd))
            done = AddSection(file, name, nameEnd, &at, end, lines);
    }
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
    size_t length = 0;
    WCHAR* text = nullptr;
    bool parsed = Decode(bytes, bytes ? size : 0, &text, &length) && (!text || ParseSections(file, text, length));
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
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
    while (IsByteBlank(*name))
        name++;
    size_t length = strlen(name);
    while (length > 0 && IsByteBlank(name[length - 1]))
        length--;
    for (int i = 0; i < file->Count; i++) {
        if (SameName(file->Sections[i].Name, name, length))
            return file->Sections[i].Parsed;
    }
    return nullptr;
}
