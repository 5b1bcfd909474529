// The memorial-day settings in the settings file: the section "<program name>Memorial" ("DaylensMemorial"), or the
// program's single section in the legacy layout; one key table drives the reader and the writer. Also the rule of
// the memorial file's path.
#pragma once

#include <stddef.h>

#include "MemorialSettings.h"

struct IniDocument;

// The memorial file: "<programDir>MemorialDay-<user>.txt" when individual is 1 and userName is not empty, else
// "<programDir>MemorialDay.txt" (programDir ends with its backslash); cut to size. 1, or 0 for a null out.
int FormatMemorialPath(char* out, size_t size, const char* programDir, int individual, const char* userName);
// The record's memorial path again from MemorialIndividual and the Windows user name; 1, or 0 for a null record.
int BuildMemorialPath(MemorialSettings* memorial, const char* programDir);

// Shadow defaults of the memorial style: the calendar's own shadow.
struct MemorialShadowDefaults {
    COLORREF ShadowColor;
    BYTE ShadowWidth;
    BYTE ShadowDirection;
};

// Reads the section from the file at iniPath into memorial (defaults for a missing file or key, older keys as the
// defaults of their successors), then builds the memorial path. 1, or 0 for a null record or an empty path.
int LoadMemorialSettings(MemorialSettings* memorial, const char* iniPath, const char* appName,
                         const char* programDir, const MemorialShadowDefaults& shadow);
// Writes the section whole; 1, or 0 when the path is empty or the section could not be written.
int SaveMemorialSettings(const MemorialSettings* memorial, const char* iniPath, const char* appName);
// Replaces the section in an open settings document (saved by its opener); 1, or 0 without memory.
int PutMemorialSettings(const MemorialSettings* memorial, IniDocument* doc, const char* appName);
