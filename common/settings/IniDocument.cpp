#include "IniDocument.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "DurableSave.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "IniText.h"
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
    bool HeaderEnded = false;  // the header line has its line break
};

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

IniText ViewOf(const IniDocument* doc)
{
    IniText text;
    InitIniText(&text, doc->Text, doc->Length);
    return text;
}

// A name asked for (blanks around it dropped, as the profile functions take it) in the form of the document's text,
// to be compared with the names in it character by character.
class FormName {
public:
    FormName(const IniText& form, const char* name)
    {
        while (IsIniBlank((unsigned char)*name))
            name++;
        size_t length = strlen(name);
        while (length > 0 && IsIniBlank((unsigned char)name[length - 1]))
            length--;
        char* bytes = CodePageInIniForm(form.Encoding, name, length, &size_);
        bytes_ = bytes;
        InitIniTextAs(&text_, bytes, size_, form.Encoding);
    }
    ~FormName()
    {
        if (bytes_)
            HeapFree(GetProcessHeap(), 0, bytes_);
    }
    FormName(const FormName&) = delete;
    FormName& operator=(const FormName&) = delete;

    bool Made() const { return bytes_ != nullptr; }
    // The characters from..to of text (up to a NUL, where the profile functions end a name) against the name:
    // ASCII letters folded, every other character compared whole.
    bool Names(const IniText& text, size_t from, size_t to) const
    {
        size_t at = 0;
        for (size_t step = 0, own = 0; from < to; from += step, at += own) {
            unsigned c = IniCharacterAt(&text, from, &step);
            if (c == 0)
                break;
            if (at >= size_)
                return false;
            unsigned n = IniCharacterAt(&text_, at, &own);
            if (step != own || (c < 0x80 ? Folded(c) != Folded(n) : memcmp(text.Bytes + from, bytes_ + at, step)))
                return false;
        }
        return at == size_;
    }

private:
    static unsigned Folded(unsigned c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

    char* bytes_ = nullptr;
    size_t size_ = 0;
    IniText text_ = {};
};

// The first section named name at or after from; false when there is none.
bool FindSection(const IniDocument* doc, const FormName& name, size_t from, SectionSpan* span)
{
    IniText text = ViewOf(doc);
    bool found = false;
    IniLine line;
    for (size_t at = from; NextIniLine(&text, &at, &line);) {
        if (!line.Header)
            continue;
        if (found) {
            span->End = line.Start;
            return true;
        }
        if (name.Names(text, line.NameFrom, line.NameTo)) {
            found = true;
            span->Header = line.Start;
            span->Body = line.Next;
            span->HeaderEnded = line.End < line.Next;
        }
    }
    if (found)
        span->End = text.Size;
    return found;
}

// Removes every later section of the same name: the profile functions read only the first.
bool DropRepeats(IniDocument* doc, const FormName& name, size_t after)
{
    SectionSpan repeat;
    while (FindSection(doc, name, after, &repeat)) {
        if (!Splice(doc, repeat.Header, repeat.End, "", 0))
            return false;
    }
    return true;
}

// Puts length bytes of code-page text in the form of the document's text in place of the bytes from..to; *written,
// when given, receives the bytes put in.
bool SpliceText(IniDocument* doc, size_t from, size_t to, const char* text, size_t length, size_t* written)
{
    size_t size = 0;
    char* form = CodePageInIniForm(ViewOf(doc).Encoding, text, length, &size);
    bool done = form && Splice(doc, from, to, form, size);
    if (form)
        HeapFree(GetProcessHeap(), 0, form);
    if (written)
        *written = done ? size : 0;
    return done;
}

// A line break put in at *at when the line before it has none, *at moved past it; at the end of a UTF-16 text of an
// odd length its lone byte is made a whole character first.
bool BreakLineAt(IniDocument* doc, size_t* at, bool ended)
{
    IniText text = ViewOf(doc);
    if (*at == doc->Length && (text.Encoding == INI_UTF16_LE || text.Encoding == INI_UTF16_BE) &&
        (doc->Length - text.Start) % 2) {
        // The zero byte goes where the character keeps the lone byte's value: after it or before it.
        size_t zero = text.Encoding == INI_UTF16_LE ? *at : *at - 1;
        if (!Splice(doc, zero, zero, "", 1))  // "" gives its closing NUL
            return false;
        *at += 1;
    }
    if (ended)
        return true;
    size_t written = 0;
    if (!SpliceText(doc, *at, *at, kLineEnd, 2, &written))
        return false;
    *at += written;
    return true;
}

// Appends length bytes of code-page text on lines of their own at the end of the document.
bool AppendText(IniDocument* doc, const char* text, size_t length)
{
    IniText view = ViewOf(doc);
    size_t at = doc->Length;
    return BreakLineAt(doc, &at, IniTextEndsLine(&view)) && SpliceText(doc, at, at, text, length, nullptr);
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
    doc->Text = text;
    doc->Length = length;
    doc->Size = (size_t)length + 1;
    return true;
}

// The first key line of the section whose key is key, as the profile functions find it.
bool FindKeyLine(const IniDocument* doc, const SectionSpan& span, const FormName& key, IniLine* found)
{
    IniText text = ViewOf(doc);
    IniLine line;
    for (size_t at = span.Body; at < span.End && NextIniLine(&text, &at, &line);) {
        if (line.From < line.To && key.Names(text, line.From, line.KeyTo)) {
            *found = line;
            return true;
        }
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
    FormName name(ViewOf(doc), section);
    if (!name.Made())
        return false;
    SectionSpan span;
    bool found = FindSection(doc, name, 0, &span);
    if (found && !DropRepeats(doc, name, span.End))
        return false;
    if (!lines)
        return !found || Splice(doc, span.Header, span.End, "", 0);
    size_t length = 0;
    char* body = JoinLines(lines, &length);
    if (!body)
        return false;
    bool done;
    if (found) {
        // A header on the last line without a line break gets one before the lines (it ends the text: the
        // section has no lines to replace).
        size_t before = span.Body;
        done = BreakLineAt(doc, &span.Body, span.HeaderEnded);
        span.End += span.Body - before;
        done = done && SpliceText(doc, span.Body, span.End, body, length, nullptr);
    } else {
        size_t headerSize = strlen(section) + 5;
        char* header = (char*)AllocZeroed(headerSize + length);
        done = header != nullptr;
        if (done) {
            int headerLength = snprintf(header, headerSize, "[%s]\r\n", section);
            memcpy(header + headerLength, body, length);
            done = AppendText(doc, header, (size_t)headerLength + length);
            HeapFree(GetProcessHeap(), 0, header);
        }
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
    size_t lineLength = strlen(line);
    FormName sectionName(ViewOf(doc), section), keyName(ViewOf(doc), key);
    SectionSpan span;
    bool done = sectionName.Made() && keyName.Made();
    if (done && !FindSection(doc, sectionName, 0, &span)) {
        char lines[2] = "";
        done = SetIniSection(doc, section, lines) && FindSection(doc, sectionName, 0, &span);
    }
    IniLine found;
    if (done && FindKeyLine(doc, span, keyName, &found)) {
        done = SpliceText(doc, found.Start, found.Next, line, lineLength, nullptr);
    } else if (done) {
        // A section that ends the text may end without a line break; any other ends before a header's line.
        size_t at = span.End;
        IniText text = ViewOf(doc);
        done = BreakLineAt(doc, &at, at < doc->Length || IniTextEndsLine(&text)) &&
               SpliceText(doc, at, at, line, lineLength, nullptr);
    }
    HeapFree(GetProcessHeap(), 0, line);
    return done;
}

int CountIniSections(const IniDocument* doc)
{
    if (!doc)
        return 0;
    IniText text = ViewOf(doc);
    int count = 0;
    IniLine line;
    for (size_t at = 0; NextIniLine(&text, &at, &line);)
        count += line.Header;
    return count;
}

char* GetIniSectionLines(const IniDocument* doc, const char* section, size_t* size)
{
    if (!doc || !section)
        return nullptr;
    IniText text = ViewOf(doc);
    FormName name(text, section);
    SectionSpan span;
    if (!name.Made() || !FindSection(doc, name, 0, &span))
        return nullptr;
    size_t room = span.End - span.Body + 2, out = 0;
    char* lines = (char*)AllocZeroed(room);
    IniLine line;
    for (size_t at = span.Body; lines && at < span.End && NextIniLine(&text, &at, &line);) {
        if (line.From == line.To)
            continue;
        size_t length = 0;
        char* piece = IniTextInCodePage(&text, line.From, line.To, &length);
        // A lone lead byte at the very end reads as a whole character, so a line may grow by a byte.
        char* grown = piece && out + length + 2 > room ? (char*)ReAllocZeroed(lines, out + length + 2) : lines;
        if (!piece || !grown) {
            if (piece)
                HeapFree(GetProcessHeap(), 0, piece);
            HeapFree(GetProcessHeap(), 0, grown ? grown : lines);
            return nullptr;
        }
        lines = grown;
        room = out + length + 2 > room ? out + length + 2 : room;
        memcpy(lines + out, piece, length);
        out += length + 1;  // the zeroed block gives the line its NUL
        HeapFree(GetProcessHeap(), 0, piece);
    }
    if (lines && size)
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
