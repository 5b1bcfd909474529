// The LZH archive library "unlha32.dll" that memo import and export use (our own, under layers/unlha32): its
// exports with their function types and the record its find functions fill.
#pragma once

#include <windows.h>

#include "ModuleExport.h"

// An open archive.
typedef void* HARC;

// What UnlhaFindFirst and UnlhaFindNext fill: the entry's size at byte 0 and its name at byte 22.
#pragma pack(push, 1)
struct UnlhaEntryRecord {
    DWORD OriginalSize;
    DWORD CompressedSize;
    WORD Ratio;
    WORD Date;
    WORD Time;
    char Attribute[8];
    char FileName[513];
    char Method[8];
    WORD Crc;
    char Reserved[13];
};
#pragma pack(pop)
static_assert(sizeof(UnlhaEntryRecord) == 558, "the memo import reads 558-byte records");
static_assert(offsetof(UnlhaEntryRecord, FileName) == 22, "the memo import reads the name at byte 22");

#define UNLHA32_MODULE_EXPORTS(X)                                                                                \
    /* Runs a command line ("a ... \"archive\" \"file\"" adds files); 0 on success. */                          \
    X(Unlha, int, (HWND window, const char* commandLine, char* output, DWORD outputSize))                        \
    /* Opens the archive of a quoted path; null when it cannot be read. */                                       \
    X(UnlhaOpenArchive, HARC, (HWND window, const char* path, DWORD mode))                                       \
    /* The first and the next entry matching pattern (case ignored); -1 when there is none. */                   \
    X(UnlhaFindFirst, int, (HARC archive, const char* pattern, UnlhaEntryRecord* record))                        \
    X(UnlhaFindNext, int, (HARC archive, UnlhaEntryRecord * record))                                             \
    X(UnlhaCloseArchive, int, (HARC archive))                                                                    \
    /* Extracts the entry the command line names into buffer; 0 on success. */                                   \
    X(UnlhaExtractMem, int,                                                                                      \
      (HWND window, const char* commandLine, BYTE* buffer, DWORD size, time_t* time, WORD* attribute,           \
       DWORD* written))

namespace Unlha32Module {

UNLHA32_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(UNLHA32_MODULE_EXPORTS)

constexpr const char kFileName[] = "unlha32.dll";

}  // namespace Unlha32Module
