// A settings (INI) file edited as one document: read once under the file's lock, its sections replaced in memory
// and the whole file written back through the durable save. The lock is a named mutex per file, so the program, its
// threads and the plug-ins, which write their own sections of one settings file, never lose each other's changes.
// Lines and sections are found as the profile functions find them (IniText.h). The file keeps its form: the lines
// the caller gives (code page 932) are written in the file's encoding, each ended by CR LF, and what stands outside
// the sections that are changed is left byte for byte.
#pragma once

#include <stddef.h>

struct IniDocument;

// Takes the lock of the file at path (waiting up to 10 s) and reads the file; a missing file is an empty document.
// Null, with GetLastError saying why, when the lock cannot be had, the file cannot be read or memory runs out; the
// caller ends with CloseIniDocument.
IniDocument* OpenIniDocument(const char* path);
// OpenIniDocument for a file that a listing of its folder just showed missing: an empty document, the file not
// looked for (under Wine each look for a missing name reads the whole folder). SaveIniDocument then makes the file
// only while it is still missing, and fails with ERROR_FILE_EXISTS, leaving it alone, when one appeared.
IniDocument* OpenNewIniDocument(const char* path);
// Releases the lock and frees the document (null does nothing); what was not saved is dropped.
void CloseIniDocument(IniDocument* doc);
// Replaces the lines of section with lines: NUL-terminated lines ending at an empty one, as
// WritePrivateProfileSectionA takes them; the section is added at the end when missing. Null lines remove the
// section. False without memory.
bool SetIniSection(IniDocument* doc, const char* section, const char* lines);
// Sets key of section to value ("key=value") in the line the profile functions read it from (the first of that key,
// with or without "="), keeping the section's other lines; false without memory.
bool SetIniKey(IniDocument* doc, const char* section, const char* key, const char* value);
// Number of sections in the document.
int CountIniSections(const IniDocument* doc);
// The lines of section in the code page as GetPrivateProfileSectionA gives them (NUL-terminated, ending at an empty
// line, "key=value" with the blanks around key and value kept); null when the section is missing or without memory. The caller frees
// it with HeapFree; size, when given, receives the bytes up to the closing empty line.
char* GetIniSectionLines(const IniDocument* doc, const char* section, size_t* size);
// Writes the whole document back through the durable save: 1 when the file holds it, 0 with the old file kept and
// GetLastError saying why.
int SaveIniDocument(IniDocument* doc);
// SaveIniDocument with the temporary file of a document of OpenNewIniDocument made in tempFolder, a save folder
// beside its file (see SaveNewFileDurablyVia); null is SaveIniDocument.
int SaveIniDocumentVia(IniDocument* doc, const char* tempFolder);

// One section replaced in the file at path (null lines remove it): open, set, save and close. 1 when saved.
int WriteIniSection(const char* path, const char* section, const char* lines);
