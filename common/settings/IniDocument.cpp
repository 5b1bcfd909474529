#include "IniDocument.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "DurableSave.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "Sjis.h"
#include "StrUtil.h"

namespace {

const DWORD kLockWait = 10000;
const char kLockPrefix[] = "DaylensIniFile-";
const char kLineEnd[] = "\r\n";
const int kReadTries = 12;
const DWORD kReadPause = 50;

// Where one section stands in the text: its header line from Header, its lines from Body, up to End.
struct SectionSpan {
    size_t Header = 0;
    size_t Body = 0;
    size_t End = 0;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// name (length bytes) against wanted, as the profile functions compare section and key names.
bool SameName(const char* name, size_t length, const char* wanted)
{
    return strnlen(wanted, length + 1) == length && SameFoldedName(name, wanted, length);
}

size_t LineEnd(const char* text, size_t length, size_t at)
{
    const char* end = (const char*)memchr(text + at, '\n', length - at);
    return end ? (size_t)(end - text) + 1 : length;
}

// The name of a section header line ("[name]" after blanks), as the profile functions take it; false for any other.
bool HeaderName(const char* text, size_t at, size_t end, const char** name, size_t* length)
{
    while (at < end && IsBlank(text[at]))
        at++;
    if (at >= end || text[at] != '[')
        return false;
    // The header ends at the last "]" of its line, as the profile functions read it.
    const char* close = nullptr;
    for (size_t i = end; i > at + 1 && !close; i--) {
        if (text[i - 1] == ']')
            close = text + i - 1;
    }
    if (!close)
        return false;
    *name = text + at + 1;
    *length = (size_t)(close - *name);
    return true;
}

// The first section named wanted at or after from; false when there is none.
bool FindSection(const char* text, size_t length, const char* wanted, size_t from, SectionSpan* span)
{
    bool found = false;
    for (size_t at = from; at < length;) {
        size_t end = LineEnd(text, length, at);
        const char* name;
        size_t nameLength;
        if (HeaderName(text, at, end, &name, &nameLength)) {
            if (found) {
                span->End = at;
                return true;
            }
            if (SameName(name, nameLength, wanted)) {
                found = true;
                span->Header = at;
                span->Body = end;
            }
        }
        at = end;
    }
    if (found)
        span->End = length;
    return found;
}

// A text in code page 932 for one that starts with a byte-order mark (UTF-8 or UTF-16 LE), as the profile functions
// read such files; the caller frees it with HeapFree. Null when text has no mark or cannot be converted.
char* FromMarkedText(const char* text, size_t length, size_t* converted)
{
    const unsigned char* bytes = (const unsigned char*)text;
    WCHAR* wide = nullptr;
    int wideLength = 0;
    if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        wideLength = MultiByteToWideChar(CP_UTF8, 0, text + 3, (int)(length - 3), nullptr, 0);
        wide = wideLength > 0 ? (WCHAR*)AllocZeroed(((size_t)wideLength + 1) * sizeof(WCHAR)) : nullptr;
        if (wide)
            MultiByteToWideChar(CP_UTF8, 0, text + 3, (int)(length - 3), wide, wideLength);
    } else if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        wideLength = (int)((length - 2) / sizeof(WCHAR));
        wide = (WCHAR*)AllocZeroed(((size_t)wideLength + 1) * sizeof(WCHAR));
        if (wide)
            memcpy(wide, text + 2, (size_t)wideLength * sizeof(WCHAR));
    }
    if (!wide)
        return nullptr;
    int size = wideLength ? WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr) : 0;
    char* out = (char*)AllocZeroed((size_t)size + 1);
    if (out && size)
        WideCharToMultiByte(CP_ACP, 0, wide, wideLength, out, size, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    *converted = out ? (size_t)size : 0;
    return out;
}

// The lock's name from the file's full path, letters folded: one file, one lock, however it is spelt.
void LockName(const char* path, char* name, size_t size)
{
    char full[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(path, sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full))
        SafeStrCpy(full, sizeof(full), path);
    CharUpperBuffA(full, (DWORD)strlen(full));
    unsigned long long hash = 14695981039346656037ULL;
    for (const unsigned char* p = (const unsigned char*)full; *p; p++) {
        unsigned char c = *p == '/' ? '\\' : *p;
        hash = (hash ^ c) * 1099511628211ULL;
    }
    snprintf(name, size, "%s%016llx", kLockPrefix, hash);
}

}  // namespace

struct IniDocument {
    HANDLE Lock;
    bool New;  // the file was missing when the document was opened, and is only made, never replaced
    char* Path;
    char* Text;     // the file's text; Length bytes of it are used, Size allocated
    size_t Length;
    size_t Size;
};

namespace {

bool Reserve(IniDocument* doc, size_t more)
{
    size_t need = doc->Length + more + 1;
    if (need <= doc->Size)
        return true;
    size_t size = doc->Size * 2 > need ? doc->Size * 2 : need;
    char* grown = (char*)ReAllocZeroed(doc->Text, size);
    if (!grown)
        return false;
    doc->Text = grown;
    doc->Size = size;
    return true;
}

// Replaces the bytes from..to of the text with length bytes of with.
bool Splice(IniDocument* doc, size_t from, size_t to, const char* with, size_t length)
{
    if (length > to - from && !Reserve(doc, length - (to - from)))
        return false;
    memmove(doc->Text + from + length, doc->Text + to, doc->Length - to);
    memcpy(doc->Text + from, with, length);
    doc->Length = doc->Length - (to - from) + length;
    doc->Text[doc->Length] = '\0';
    return true;
}

// Removes every later section of the same name: the profile functions read only the first.
bool DropRepeats(IniDocument* doc, const char* section, size_t after)
{
    SectionSpan repeat;
    while (FindSection(doc->Text, doc->Length, section, after, &repeat)) {
        if (!Splice(doc, repeat.Header, repeat.End, "", 0))
            return false;
    }
    return true;
}

// The text ends with a line break before a new section is added after it.
bool EndLastLine(IniDocument* doc)
{
    if (doc->Length == 0 || doc->Text[doc->Length - 1] == '\n')
        return true;
    return Splice(doc, doc->Length, doc->Length, kLineEnd, 2);
}

// The lines of a NUL-separated block as CR LF lines in a heap text, length in *length; the caller frees it with
// HeapFree.
char* JoinLines(const char* lines, size_t* length)
{
    size_t size = 1;
    for (const char* line = lines; *line; line += strlen(line) + 1)
        size += strlen(line) + 2;
    char* text = (char*)AllocZeroed(size);
    if (!text)
        return nullptr;
    size_t at = 0;
    for (const char* line = lines; *line; line += strlen(line) + 1) {
        size_t n = strlen(line);
        memcpy(text + at, line, n);
        memcpy(text + at + n, kLineEnd, 2);
        at += n + 2;
    }
    *length = at;
    return text;
}

bool ReadDocument(IniDocument* doc)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tries = 1; tries <= kReadTries; tries++) {
        file = CreateFileA(doc->Path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            break;
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return true;  // a new file
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)
            return false;
        Sleep(kReadPause);
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return false;
    }
    if (size.QuadPart == 0) {
        CloseHandle(file);
        return true;
    }
    DWORD length = 0;
    char* text = ReadOpenFile(file, &length);  // closes the file
    if (!text)
        return false;  // a file that is there but cannot be read is never written over
    size_t converted = 0;
    char* plain = FromMarkedText(text, length, &converted);
    if (plain) {
        HeapFree(GetProcessHeap(), 0, text);
        text = plain;
        length = (DWORD)converted;
    }
    doc->Text = text;
    doc->Length = length;
    doc->Size = (size_t)length + 1;
    return true;
}

// The first line of the section whose key, blanks dropped, is key: its bytes from..to.
bool FindKeyLine(const IniDocument* doc, const SectionSpan& span, const char* key, size_t* from, size_t* to)
{
    for (size_t at = span.Body; at < span.End;) {
        size_t end = LineEnd(doc->Text, span.End, at);
        size_t k = at;
        while (k < end && IsBlank(doc->Text[k]))
            k++;
        const char* equals = (const char*)memchr(doc->Text + k, '=', end - k);
        size_t keyEnd = equals ? (size_t)(equals - doc->Text) : k;
        while (keyEnd > k && IsBlank(doc->Text[keyEnd - 1]))
            keyEnd--;
        if (equals && SameName(doc->Text + k, keyEnd - k, key)) {
            *from = at;
            *to = end;
            return true;
        }
        at = end;
    }
    return false;
}

}  // namespace

namespace {

// Takes the lock of the file at path for a new document, read from the file unless it is new.
IniDocument* OpenDocument(const char* path, bool isNew)
{
    if (SafeStrLen(path) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    IniDocument* doc = (IniDocument*)AllocZeroed(sizeof(IniDocument));
    if (!doc) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    char name[64];
    LockName(path, name, sizeof(name));
    doc->Lock = CreateMutexA(nullptr, FALSE, name);
    DWORD waited = doc->Lock ? WaitForSingleObject(doc->Lock, kLockWait) : WAIT_FAILED;
    // An abandoned lock is taken over: its holder ended, and the file holds a whole old or new content.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        if (doc->Lock)
            CloseHandle(doc->Lock);
        HeapFree(GetProcessHeap(), 0, doc);
        SetLastError(waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : GetLastError());
        return nullptr;
    }
    doc->New = isNew;
    doc->Path = StrDupHeap(path);
    if (!doc->Path || (!isNew && !ReadDocument(doc))) {
        DWORD error = doc->Path ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
        CloseIniDocument(doc);
        SetLastError(error);
        return nullptr;
    }
    return doc;
}

}  // namespace

IniDocument* OpenIniDocument(const char* path)
{
    return OpenDocument(path, false);
}

IniDocument* OpenNewIniDocument(const char* path)
{
    return OpenDocument(path, true);
}

void CloseIniDocument(IniDocument* doc)
{
    if (!doc)
        return;
    if (doc->Lock) {
        ReleaseMutex(doc->Lock);
        CloseHandle(doc->Lock);
    }
    if (doc->Path)
        HeapFree(GetProcessHeap(), 0, doc->Path);
    if (doc->Text)
        HeapFree(GetProcessHeap(), 0, doc->Text);
    HeapFree(GetProcessHeap(), 0, doc);
}

bool SetIniSection(IniDocument* doc, const char* section, const char* lines)
{
    if (!doc || !section)
        return false;
    SectionSpan span;
    bool found = doc->Text && FindSection(doc->Text, doc->Length, section, 0, &span);
    if (found && !DropRepeats(doc, section, span.End))
        return false;
    if (!lines)
        return !found || Splice(doc, span.Header, span.End, "", 0);
    size_t length = 0;
    char* body = JoinLines(lines, &length);
    if (!body)
        return false;
    bool done;
    if (found) {
        done = Splice(doc, span.Body, span.End, body, length);
    } else {
        size_t headerSize = strlen(section) + 5;
        char* header = (char*)AllocZeroed(headerSize);
        done = header && EndLastLine(doc);
        if (done) {
            snprintf(header, headerSize, "[%s]\r\n", section);
            done = Splice(doc, doc->Length, doc->Length, header, strlen(header)) &&
                   Splice(doc, doc->Length, doc->Length, body, length);
        }
        if (header)
            HeapFree(GetProcessHeap(), 0, header);
    }
    HeapFree(GetProcessHeap(), 0, body);
    return done;
}

bool SetIniKey(IniDocument* doc, const char* section, const char* key, const char* value)
{
    if (!doc || !section || SafeStrLen(key) == 0)
        return false;
    size_t lineSize = strlen(key) + strlen(NonNullStr(value)) + 4;
    char* line = (char*)AllocZeroed(lineSize);
    if (!line)
        return false;
    snprintf(line, lineSize, "%s=%s\r\n", key, NonNullStr(value));
    SectionSpan span;
    bool done;
    if (!doc->Text || !FindSection(doc->Text, doc->Length, section, 0, &span)) {
        char lines[2] = "";
        done = SetIniSection(doc, section, lines) && FindSection(doc->Text, doc->Length, section, 0, &span);
    } else {
        done = true;
    }
    if (done) {
        size_t from = span.End, to = span.End;
        if (FindKeyLine(doc, span, key, &from, &to)) {
            done = Splice(doc, from, to, line, strlen(line));
        } else {
            // A last line without its line break is kept whole.
            if (span.End > span.Body && doc->Text[span.End - 1] != '\n') {
                done = Splice(doc, span.End, span.End, kLineEnd, 2);
                from += 2;
            }
            done = done && Splice(doc, from, from, line, strlen(line));
        }
    }
    HeapFree(GetProcessHeap(), 0, line);
    return done;
}

int CountIniSections(const IniDocument* doc)
{
    if (!doc || !doc->Text)
        return 0;
    int count = 0;
    for (size_t at = 0; at < doc->Length;) {
        size_t end = LineEnd(doc->Text, doc->Length, at);
        const char* name;
        size_t length;
        if (HeaderName(doc->Text, at, end, &name, &length))
            count++;
        at = end;
    }
    return count;
}

char* GetIniSectionLines(const IniDocument* doc, const char* section, size_t* size)
{
    SectionSpan span;
    if (!doc || !doc->Text || !section || !FindSection(doc->Text, doc->Length, section, 0, &span))
        return nullptr;
    char* lines = (char*)AllocZeroed(span.End - span.Body + 2);
    if (!lines)
        return nullptr;
    size_t out = 0;
    for (size_t at = span.Body; at < span.End;) {
        size_t end = LineEnd(doc->Text, span.End, at);
        size_t stop = end;
        while (stop > at && (doc->Text[stop - 1] == '\n' || doc->Text[stop - 1] == '\r'))
            stop--;
        size_t start = at;
        while (start < stop && IsBlank(doc->Text[start]))
            start++;
        if (stop > start) {
            memcpy(lines + out, doc->Text + start, stop - start);
            out += stop - start + 1;  // the zeroed block gives the line its NUL
        }
        at = end;
    }
    if (size)
        *size = out;
    return lines;
}

int SaveIniDocument(IniDocument* doc)
{
    return SaveIniDocumentVia(doc, nullptr);
}

int SaveIniDocumentVia(IniDocument* doc, const char* tempFolder)
{
    if (!doc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const char* text = doc->Text ? doc->Text : "";
    if (doc->New)
        return SaveNewFileDurablyVia(doc->Path, text, (DWORD)doc->Length, tempFolder);
    return SaveFileDurably(doc->Path, text, (DWORD)doc->Length);
}

int WriteIniSection(const char* path, const char* section, const char* lines)
{
    IniDocument* doc = OpenIniDocument(path);
    if (!doc)
        return 0;
    int saved = SetIniSection(doc, section, lines) ? SaveIniDocument(doc) : 0;
    DWORD error = saved ? ERROR_SUCCESS : GetLastError();
    CloseIniDocument(doc);
    SetLastError(saved ? ERROR_SUCCESS : (error ? error : ERROR_NOT_ENOUGH_MEMORY));
    return saved;
}
