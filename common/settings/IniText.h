// How the profile functions take the text of a private-profile (INI) file apart, for every part of the program that
// reads or edits one, so that the section one of them writes is the section all the others read: a byte-order mark
// chooses the text's form (UTF-8, UTF-16 LE or BE, else the code page, whose double-byte characters are passed over
// whole, a lead byte taking whatever byte follows it); a line ends at a CR, an LF or a CR LF; blanks at the ends of
// a line, a name and a value are dropped; a line whose first character is "[" and that holds a later "]" is a
// section header, its name running to its last "]"; any other line is a key, up to its first "=", and its value.
// Positions are byte offsets into the text.
#pragma once

#include <windows.h>

#include <stddef.h>

enum IniEncoding { INI_CODE_PAGE, INI_UTF8, INI_UTF16_LE, INI_UTF16_BE };

struct IniText {
    const unsigned char* Bytes;
    size_t Size;
    size_t Start;  // the first byte after the byte-order mark
    IniEncoding Encoding;
};

// ValueFrom of a key line without "=".
const size_t kIniNoValue = (size_t)-1;

struct IniLine {
    size_t Start;  // its first byte
    size_t End;    // the first byte of its line break, or the end of the text
    size_t Next;   // the first byte of the next line
    size_t From;   // the line without the blanks at its ends: From..To, empty for a blank line
    size_t To;
    bool Header;
    size_t NameFrom;  // a header's name between "[" and the last "]", blanks dropped: NameFrom..NameTo
    size_t NameTo;
    size_t KeyTo;      // the key of any other line: From..KeyTo, blanks dropped
    size_t ValueFrom;  // its value after the first "=" and blanks: ValueFrom..To; kIniNoValue without "="
};

// What the profile functions take for blanks (CR, LF and ^Z among them); c is a character of any form.
inline bool IsIniBlank(unsigned c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

// size bytes of a file's content, their form told by the byte-order mark they start with.
void InitIniText(IniText* text, const void* bytes, size_t size);
// size bytes in the form encoding, with no byte-order mark.
void InitIniTextAs(IniText* text, const void* bytes, size_t size, IniEncoding encoding);

// The character at byte at of text (at before its end) and its *size bytes. Of the code page and UTF-8 only ASCII
// is told apart, which is all the lines are cut at (no byte of a double-byte character or of a UTF-8 sequence
// reads as ASCII): any other character is a value of 0x80 or more. A lone byte at the end of UTF-16 is a character
// of its own, as the profile functions read it.
unsigned IniCharacterAt(const IniText* text, size_t at, size_t* size);

// Reads the line that starts at *at (a line's first byte; 0 for the first line) and moves *at to the next line.
// False at the end of the text.
bool NextIniLine(const IniText* text, size_t* at, IniLine* line);
// The line of the characters start..end, which hold no line break that counts (the lines of a section as
// GetPrivateProfileSectionA gives them); End and Next are end.
void ReadIniLine(const IniText* text, size_t start, size_t end, IniLine* line);
// True when the text ends with a line break, or is empty: what is added at its end starts a line of its own.
bool IniTextEndsLine(const IniText* text);

// The text decoded as the profile functions decode it (a trailing odd byte of UTF-16 a character of its own), in
// *count characters; null with *count 0 for an empty text or without memory (*failed tells which). The caller frees
// it with HeapFree.
WCHAR* DecodeIniText(const IniText* text, size_t* count, bool* failed);
// The characters from..to of text in the code page, as the profile functions give them, NUL-ended, *size bytes
// without the NUL; null without memory. The caller frees it with HeapFree.
char* IniTextInCodePage(const IniText* text, size_t from, size_t to, size_t* size);
// length bytes of code-page text in the form encoding (no byte-order mark), *size bytes; null without memory. The
// caller frees it with HeapFree.
char* CodePageInIniForm(IniEncoding encoding, const char* text, size_t length, size_t* size);
