// A private-profile (INI) file read whole with one read and split into its sections in memory, exactly as the
// profile functions take it apart (IniText.h), the first of two sections of one name read. A reader of many
// sections or keys opens the file once instead of once per key.
#pragma once

#include <stddef.h>

struct ProfileFile;
struct ProfileSection;

// The file parsed from size bytes of its content. Null without memory; the caller frees it with FreeProfileFile.
ProfileFile* ParseProfileFile(const char* bytes, size_t size);
// The file at path, read whole (a bare file name in the Windows folder, as the profile functions take it); an empty
// file has no sections. Null, with GetLastError saying why, when it cannot
// be opened or read (a missing file, a folder) or without memory; the caller frees it with FreeProfileFile.
ProfileFile* ReadProfileFile(const char* path);
// Frees a file (null does nothing).
void FreeProfileFile(ProfileFile* file);

// The sections with a name, in the order and with the repeats GetPrivateProfileSectionNamesA gives.
int ProfileFileSectionCount(const ProfileFile* file);
const char* ProfileFileSectionName(const ProfileFile* file, int index);
// The section read under name (blanks around name dropped, ASCII letters folded), as ReadProfileSection would give
// it; null when the file has none. The file keeps it.
const ProfileSection* FindProfileFileSection(const ProfileFile* file, const char* name);
