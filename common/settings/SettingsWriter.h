// Writes the rows of a key table as one section: "key = value" lines with the keys padded to a column, gathered in
// memory and put into the settings file as a whole section through its INI document.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "SettingKey.h"

struct IniDocument;

// A section is gathered in a zeroed block of this size, grown when its lines do not fit.
#define SETTINGS_SECTION_SIZE 65536
// Longest line written, with its terminator; longer values are cut on a character boundary.
#define SETTINGS_LINE_SIZE 32768

struct SectionWriter;
typedef void (*SettingCustomWrite)(SectionWriter& w, const void* block, const SettingKey& key, int number);

// Lines of one section, NUL-separated in a zeroed block that ends with an empty line.
struct SectionWriter {
    char* Block = nullptr;
    size_t Size = 0;
    size_t Used = 0;
    int Width = 0;                        // column the keys are padded to
    bool Failed = false;                  // a line was lost for want of memory
    SettingCustomWrite Custom = nullptr;  // writes SETTING_CUSTOM rows; null skips them
    void* Context = nullptr;              // the custom routine's own data

    SectionWriter() = default;
    SectionWriter(const SectionWriter&) = delete;
    SectionWriter& operator=(const SectionWriter&) = delete;
    ~SectionWriter();
};

// Starts the block with keys padded to width; false without memory.
bool BeginSection(SectionWriter& w, int width);
void AddLine(SectionWriter& w, const char* key, const char* value);
void AddNumber(SectionWriter& w, const char* key, long value);
// Replaces section of the file at path with the lines and saves the file; false when a line was lost or the save
// failed (the file is then unchanged and the user told, once per run).
bool WriteSection(const SectionWriter& w, const char* path, const char* section);
// Replaces section of an open document with the lines; false when a line was lost or memory ran out.
bool PutSection(const SectionWriter& w, IniDocument* doc, const char* section);
// Adds the lines of every row of table that is not read-only, from block; number fills the %d of numbered rows.
void WriteSettingKeys(SectionWriter& w, const void* block, SettingKeyTable table, int number);
