// One section of a settings (INI) file, read once and then looked up in memory, giving each key's value exactly as
// GetPrivateProfileStringA gives it: key names compare with ASCII letters folded, the first of two equal keys wins,
// a line without "=" has no value (the default is read), and one pair of enclosing quotes is removed.
#pragma once

#include <stddef.h>

struct ProfileSection;

// The section parsed from size bytes of text in the form GetPrivateProfileSectionA gives: lines "key=value" or
// "key", each ending in a NUL; the lines end at an empty line or at size, whichever comes first. Blanks around the
// key and the value are dropped; comment lines (";") and lines with an empty key are skipped. Any bytes are safe.
// Null without memory; the caller frees it with FreeProfileSection.
ProfileSection* ParseProfileSection(const char* text, size_t size);
// Section name of the file at path, read with one GetPrivateProfileSectionA; empty when the file or the section is
// missing. Null without memory; the caller frees it with FreeProfileSection.
ProfileSection* ReadProfileSection(const char* path, const char* name);
// Section name of an open INI document; empty when the document or the section is missing. Null without memory;
// the caller frees it with FreeProfileSection.
ProfileSection* ParseIniSection(const struct IniDocument* doc, const char* name);
// Frees a section (null does nothing).
void FreeProfileSection(ProfileSection* section);

// As GetPrivateProfileStringA(section, key, def, out, size): the value of key, or def (its trailing blanks dropped)
// when the key is missing or has no "="; with one pair of enclosing quotes removed; cut to size - 1 bytes on a
// character boundary. A null section is empty; a key beginning with ";" is never found (the section text holds no
// comment lines). Returns out; size 0 returns "".
const char* GetSectionString(const ProfileSection* section, const char* key, const char* def, char* out,
                             size_t size);
