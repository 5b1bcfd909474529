#include "IniText.h"

#include <string.h>

#include "HeapUtil.h"

namespace {

const unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
// A double-byte character of the code page: none of the characters the lines are cut at.
const unsigned kDoubleByte = 0x10000;

bool IsUtf16(IniEncoding encoding)
{
    return encoding == INI_UTF16_LE || encoding == INI_UTF16_BE;
}

}  // namespace

unsigned IniCharacterAt(const IniText* text, size_t at, size_t* size)
{
    const unsigned char* b = text->Bytes + at;
    bool pair = text->Size - at >= 2;
    switch (text->Encoding) {
    case INI_UTF16_LE:
        *size = pair ? 2 : 1;
        return pair ? (unsigned)(b[0] | b[1] << 8) : b[0];
    case INI_UTF16_BE:
        *size = pair ? 2 : 1;
        return pair ? (unsigned)(b[0] << 8 | b[1]) : b[0];
    case INI_UTF8:
        *size = 1;
        return b[0];
    default:
        // A lead byte takes the next byte whatever it is, a line feed too, as the code page's conversion takes it.
        *size = b[0] >= 0x80 && pair && IsDBCSLeadByte(b[0]) ? 2 : 1;
        return *size == 2 ? kDoubleByte : b[0];
    }
}

void InitIniTextAs(IniText* text, const void* bytes, size_t size, IniEncoding encoding)
{
    text->Bytes = (const unsigned char*)bytes;
    text->Size = bytes ? size : 0;
    text->Start = 0;
    text->Encoding = encoding;
}

void InitIniText(IniText* text, const void* bytes, size_t size)
{
    InitIniTextAs(text, bytes, size, INI_CODE_PAGE);
    const unsigned char* b = text->Bytes;
    if (text->Size >= sizeof(kUtf8Mark) && memcmp(b, kUtf8Mark, sizeof(kUtf8Mark)) == 0) {
        text->Encoding = INI_UTF8;
        text->Start = sizeof(kUtf8Mark);
    } else if (text->Size >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        text->Encoding = INI_UTF16_LE;
        text->Start = 2;
    } else if (text->Size >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        text->Encoding = INI_UTF16_BE;
        text->Start = 2;
    }
}

void ReadIniLine(const IniText* text, size_t start, size_t end, IniLine* line)
{
    IniLine l = {};
    l.Start = start;
    l.End = l.Next = end;
    l.From = l.To = end;
    l.ValueFrom = kIniNoValue;
    bool solid = false;        // a character other than a blank came
    bool opened = false;       // the first was "["
    bool named = false;        // the header's name has started
    bool equals = false;       // the first "=" came
    bool valueAhead = false;   // and nothing but blanks after it
    size_t solidEnd = start;   // the end of the last character that is no blank
    for (size_t at = start, size = 0; at < end; at += size) {
        unsigned c = IniCharacterAt(text, at, &size);
        if (IsIniBlank(c))
            continue;
        if (!solid) {
            solid = true;
            l.From = at;
            opened = c == '[';
        } else if (opened) {
            if (!named) {
                named = true;
                l.NameFrom = at;
            }
            if (c == ']') {
                l.Header = true;
                l.NameTo = solidEnd;
            }
        }
        if (valueAhead) {
            valueAhead = false;
            l.ValueFrom = at;
        }
        if (c == '=' && !equals) {
            equals = valueAhead = true;
            l.KeyTo = at == l.From ? at : solidEnd;
        }
        solidEnd = at + size;
    }
    if (solid)
        l.To = solidEnd;
    if (!equals)
        l.KeyTo = l.To;
    if (valueAhead)
        l.ValueFrom = l.To;
    if (l.Header && l.NameTo < l.NameFrom)
        l.NameTo = l.NameFrom;  // "[]" and "[ ]": an empty name
    *line = l;
}

bool NextIniLine(const IniText* text, size_t* at, IniLine* line)
{
    size_t start = *at < text->Start ? text->Start : *at;
    if (start >= text->Size)
        return false;
    size_t end = start, size = 0;
    unsigned c = 0;
    while (end < text->Size) {
        c = IniCharacterAt(text, end, &size);
        if (c == '\r' || c == '\n')
            break;
        end += size;
    }
    ReadIniLine(text, start, end, line);
    size_t next = end;
    if (end < text->Size) {
        next += size;
        size_t feed = 0;
        if (c == '\r' && next < text->Size && IniCharacterAt(text, next, &feed) == '\n')
            next += feed;
    }
    line->Next = next;
    *at = next;
    return true;
}

bool IniTextEndsLine(const IniText* text)
{
    IniLine line = {};
    bool any = false;
    for (size_t at = 0; NextIniLine(text, &at, &line);)
        any = true;
    return !any || line.End < line.Next;
}

WCHAR* DecodeIniText(const IniText* text, size_t* count, bool* failed)
{
    *count = 0;
    *failed = false;
    size_t size = text->Size > text->Start ? text->Size - text->Start : 0;
    if (size == 0)
        return nullptr;
    if (IsUtf16(text->Encoding)) {
        size_t length = (size + 1) / 2;
        WCHAR* wide = (WCHAR*)AllocZeroed(length * sizeof(WCHAR));
        *failed = !wide;
        for (size_t i = 0, at = text->Start, step = 0; wide && i < length; i++, at += step)
            wide[i] = (WCHAR)IniCharacterAt(text, at, &step);
        *count = wide ? length : 0;
        return wide;
    }
    UINT codePage = text->Encoding == INI_UTF8 ? CP_UTF8 : CP_ACP;
    const char* bytes = (const char*)text->Bytes + text->Start;
    int length = MultiByteToWideChar(codePage, 0, bytes, (int)size, nullptr, 0);
    if (length <= 0)
        return nullptr;
    WCHAR* wide = (WCHAR*)AllocZeroed((size_t)length * sizeof(WCHAR));
    *failed = !wide;
    if (wide) {
        MultiByteToWideChar(codePage, 0, bytes, (int)size, wide, length);
        *count = (size_t)length;
    }
    return wide;
}

char* IniTextInCodePage(const IniText* text, size_t from, size_t to, size_t* size)
{
    IniText part = *text;
    part.Start = from;
    part.Size = to;
    size_t length = 0;
    bool failed = false;
    WCHAR* wide = DecodeIniText(&part, &length, &failed);
    if (failed)
        return nullptr;
    int bytes = length ? WideCharToMultiByte(CP_ACP, 0, wide, (int)length, nullptr, 0, nullptr, nullptr) : 0;
    char* out = (char*)AllocZeroed((size_t)bytes + 1);
    if (out && bytes)
        WideCharToMultiByte(CP_ACP, 0, wide, (int)length, out, bytes, nullptr, nullptr);
    if (wide)
        HeapFree(GetProcessHeap(), 0, wide);
    if (size)
        *size = out ? (size_t)bytes : 0;
    return out;
}

char* CodePageInIniForm(IniEncoding encoding, const char* text, size_t length, size_t* size)
{
    *size = 0;
    if (encoding == INI_CODE_PAGE) {
        char* copy = (char*)AllocZeroed(length + 1);
        if (copy && length)
            memcpy(copy, text, length);
        *size = copy ? length : 0;
        return copy;
    }
    int wideLength = length ? MultiByteToWideChar(CP_ACP, 0, text, (int)length, nullptr, 0) : 0;
    WCHAR* wide = (WCHAR*)AllocZeroed(((size_t)wideLength + 1) * sizeof(WCHAR));
    if (!wide)
        return nullptr;
    if (wideLength)
        MultiByteToWideChar(CP_ACP, 0, text, (int)length, wide, wideLength);
    char* out = nullptr;
    size_t bytes = 0;
    if (IsUtf16(encoding)) {
        bytes = (size_t)wideLength * sizeof(WCHAR);
        out = (char*)AllocZeroed(bytes + 1);
        for (int i = 0; out && i < wideLength; i++) {
            unsigned char low = (unsigned char)(wide[i] & 0xFF), high = (unsigned char)(wide[i] >> 8);
            out[2 * i] = (char)(encoding == INI_UTF16_LE ? low : high);
            out[2 * i + 1] = (char)(encoding == INI_UTF16_LE ? high : low);
        }
    } else {
        int utf8 = wideLength ? WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0, nullptr, nullptr) : 0;
        bytes = utf8 > 0 ? (size_t)utf8 : 0;
        out = (char*)AllocZeroed(bytes + 1);
        if (out && bytes)
            WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, out, utf8, nullptr, nullptr);
    }
    HeapFree(GetProcessHeap(), 0, wide);
    *size = out ? bytes : 0;
    return out;
}
