// A stand-in for the archiver library of the memo import and export, copied into a test program's plug-in folder.
// Its archives are text: one "entry name=path of the file" line per stored file; adding to an archive appends lines,
// extracting an entry reads the file its line names. An archive whose path holds "fail" cannot be written.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "Unlha32Module.h"

namespace {

struct Entry {
    std::string Name;
    std::string Path;
};

struct Archive {
    std::vector<Entry> Entries;
    size_t Next = 0;
};

// The double-quoted words of a command line.
std::vector<std::string> QuotedWords(const char* command)
{
    std::vector<std::string> words;
    const char* p = command;
    while ((p = strchr(p, '"')) != nullptr) {
        const char* end = strchr(p + 1, '"');
        if (!end)
            break;
        words.emplace_back(p + 1, end);
        p = end + 1;
    }
    return words;
}

std::vector<Entry> ReadEntries(const std::string& path)
{
    std::vector<Entry> entries;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return entries;
    char line[1024];
    while (fgets(line, sizeof(line), file)) {
        line[strcspn(line, "\r\n")] = '\0';
        const char* equal = strchr(line, '=');
        if (equal)
            entries.push_back({std::string(line, (size_t)(equal - line)), equal + 1});
    }
    fclose(file);
    return entries;
}

DWORD FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

int Fill(Archive* archive, UnlhaEntryRecord* record)
{
    while (archive->Next < archive->Entries.size()) {
        const Entry& entry = archive->Entries[archive->Next++];
        if (entry.Name.size() < 4 || _stricmp(entry.Name.c_str() + entry.Name.size() - 4, ".txt") != 0)
            continue;
        memset(record, 0, sizeof(*record));
        record->OriginalSize = FileSize(entry.Path);
        snprintf(record->FileName, sizeof(record->FileName), "%s", entry.Name.c_str());
        return 0;
    }
    return -1;
}

}  // namespace

extern "C" {

__declspec(dllexport) int Unlha(HWND, const char* commandLine, char*, DWORD)
{
    std::vector<std::string> words = QuotedWords(commandLine);
    if (strncmp(commandLine, "a -r0x0a1n1gm1 ", 15) != 0 || words.size() < 2 || words[0].find("fail") != std::string::npos)
        return 1;
    FILE* file = fopen(words[0].c_str(), "ab");
    if (!file)
        return 1;
    for (size_t i = 1; i < words.size(); i++) {
        const char* name = strrchr(words[i].c_str(), '\\');
        fprintf(file, "%s=%s\r\n", name ? name + 1 : words[i].c_str(), words[i].c_str());
    }
    fclose(file);
    return 0;
}

__declspec(dllexport) HARC UnlhaOpenArchive(HWND, const char* path, DWORD mode)
{
    std::vector<std::string> words = QuotedWords(path);
    if (mode != 512 || words.size() != 1 || GetFileAttributesA(words[0].c_str()) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    Archive* archive = new Archive;
    archive->Entries = ReadEntries(words[0]);
    return archive;
}

__declspec(dllexport) int UnlhaFindFirst(HARC archive, const char*, UnlhaEntryRecord* record)
{
    ((Archive*)archive)->Next = 0;
    return Fill((Archive*)archive, record);
}

__declspec(dllexport) int UnlhaFindNext(HARC archive, UnlhaEntryRecord* record)
{
    return Fill((Archive*)archive, record);
}

__declspec(dllexport) int UnlhaCloseArchive(HARC archive)
{
    delete (Archive*)archive;
    return 0;
}

__declspec(dllexport) int UnlhaExtractMem(HWND, const char* commandLine, BYTE* buffer, DWORD size, time_t*, WORD*,
                                          DWORD*)
{
    std::vector<std::string> words = QuotedWords(commandLine);
    if (words.size() != 2)
        return 1;
    for (const Entry& entry : ReadEntries(words[0])) {
        if (entry.Name != words[1])
            continue;
        FILE* file = fopen(entry.Path.c_str(), "rb");
        if (!file)
            return 1;
        size_t read = fread(buffer, 1, size, file);
        fclose(file);
        return read == size ? 0 : 1;
    }
    return 1;
}

}  // extern "C"

UNLHA32_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)
