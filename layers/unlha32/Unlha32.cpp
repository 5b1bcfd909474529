// The archiver's exports: command lines and handles over the in-memory archive code of layers/lzh. Only the
// "a" command exists (entries under their bare names), and extraction goes to memory only: no entry name is
// ever used as a path.
#include <windows.h>

#include <time.h>

#include <algorithm>

#include <string>
#include <vector>

#include "DurableSave.h"
#include "LzhArchive.h"
#include "Unlha32Module.h"

namespace {

const int kOk = 0;
const int kErrorCommand = 0x8001;    // unknown command or missing argument
const int kErrorFile = 0x8002;       // a file cannot be read or written
const int kErrorArchive = 0x8003;    // the archive is damaged
const int kErrorNotFound = 0x8004;   // no entry of that name
const int kErrorBuffer = 0x8005;     // the buffer is smaller than the entry

struct Archive {
    std::vector<uint8_t> Data;
    std::vector<Lzh::Entry> Entries;
    std::string Pattern;
    size_t Next = 0;
};

// The words of a command line; double quotes group blanks into a word and are removed.
std::vector<std::string> SplitCommand(const char* line)
{
    std::vector<std::string> words;
    const char* p = line;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            p++;
        if (!*p)
            break;
        std::string word;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"') {
                quoted = !quoted;
                p++;
            } else {
                word += *p++;
            }
        }
        words.push_back(word);
    }
    return words;
}

// The words that are not switches.
std::vector<std::string> Arguments(const char* line)
{
    std::vector<std::string> arguments;
    for (const std::string& word : SplitCommand(line)) {
        if (word.empty() || word[0] != '-')
            arguments.push_back(word);
    }
    return arguments;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* data, uint32_t* unixTime)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    FILETIME written = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000 && GetFileTime(file, nullptr, nullptr, &written);
    if (ok) {
        data->resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = data->empty() || (ReadFile(file, data->data(), (DWORD)data->size(), &read, nullptr) && read == data->size());
    }
    CloseHandle(file);
    if (unixTime) {
        ULONGLONG ticks = ((ULONGLONG)written.dwHighDateTime << 32 | written.dwLowDateTime) / 10000000;
        *unixTime = ticks > 11644473600ull ? (uint32_t)(ticks - 11644473600ull) : 0;
    }
    return ok;
}

// The archive is saved whole through the durable save: a failed write or a kill leaves the old one.
bool WriteArchive(const std::string& path, const std::vector<uint8_t>& data)
{
    return SaveFileDurably(path.c_str(), data.data(), (DWORD)data.size()) != 0;
}

int AddFiles(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 3)
        return kErrorCommand;
    const std::string& path = arguments[1];
    std::vector<uint8_t> old;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !ReadFileBytes(path, &old, nullptr))
        return kErrorFile;
    std::vector<Lzh::NewFile> files;
    for (size_t i = 2; i < arguments.size(); i++) {
        Lzh::NewFile file;
        file.Name = Lzh::BareName(arguments[i]);
        if (file.Name.empty() || !ReadFileBytes(arguments[i], &file.Data, &file.UnixTime))
            return kErrorFile;
        files.push_back(std::move(file));
    }
    std::vector<uint8_t> archive;
    if (!Lzh::AddToArchive(old, files, &archive))
        return kErrorArchive;
    return WriteArchive(path, archive) ? kOk : kErrorFile;
}

bool OpenArchive(const std::string& path, Archive* archive)
{
    return ReadFileBytes(path, &archive->Data, nullptr) &&
           Lzh::ReadEntries(archive->Data.data(), archive->Data.size(), &archive->Entries);
}

// The archive UnlhaExtractMem read last, with what its file was then.
struct KeptArchive {
    std::string Path;
    WIN32_FILE_ATTRIBUTE_DATA File;
    Archive Contents;
};

SRWLOCK s_extractLock = SRWLOCK_INIT;
KeptArchive s_extractArchive;

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockExclusive(lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK* lock_;
};

bool SameFile(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b)
{
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

// s_extractArchive holds path's archive, read again unless it is the one kept and its file is unchanged.
bool OpenArchiveKept(const std::string& path)
{
    KeptArchive& kept = s_extractArchive;
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file))
        return false;
    if (!kept.Path.empty() && lstrcmpiA(kept.Path.c_str(), path.c_str()) == 0 && SameFile(kept.File, file))
        return true;
    kept.Path.clear();
    kept.Contents = Archive();
    if (!OpenArchive(path, &kept.Contents))
        return false;
    kept.Path = path;
    kept.File = file;
    return true;
}

void FillRecord(const Lzh::Entry& entry, UnlhaEntryRecord* record)
{
    ZeroMemory(record, sizeof(*record));
    record->OriginalSize = entry.OriginalSize;
    record->CompressedSize = entry.CompressedSize;
    record->Ratio = entry.OriginalSize
                        ? (WORD)std::min<uint64_t>(1000, (uint64_t)entry.CompressedSize * 1000 / entry.OriginalSize)
                        : 0;
    record->Date = HIWORD(entry.DosTime);
    record->Time = LOWORD(entry.DosTime);
    lstrcpynA(record->FileName, entry.Name.c_str(), sizeof(record->FileName));
    lstrcpynA(record->Method, entry.Method, sizeof(record->Method));
    record->Crc = entry.Crc;
}

int FindFrom(Archive* archive, UnlhaEntryRecord* record)
{
    while (archive->Next < archive->Entries.size()) {
        const Lzh::Entry& entry = archive->Entries[archive->Next++];
        if (Lzh::MatchName(archive->Pattern.c_str(), entry.Name.c_str())) {
            FillRecord(entry, record);
            return 0;
        }
    }
    return -1;
}

time_t UnixTimeOfDos(uint32_t dosTime)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)(1980 + (dosTime >> 25));
    st.wMonth = (WORD)((dosTime >> 21) & 15);
    st.wDay = (WORD)((dosTime >> 16) & 31);
    st.wHour = (WORD)((dosTime >> 11) & 31);
    st.wMinute = (WORD)((dosTime >> 5) & 63);
    st.wSecond = (WORD)((dosTime & 31) * 2);
    FILETIME ft;
    if (!SystemTimeToFileTime(&st, &ft))
        return 0;
    ULONGLONG ticks = ((ULONGLONG)ft.dwHighDateTime << 32 | ft.dwLowDateTime) / 10000000;
    return ticks > 11644473600ull ? (time_t)(ticks - 11644473600ull) : 0;
}

}  // namespace

extern "C" {

UNLHA32_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)

int Unlha(HWND window, const char* commandLine, char* output, DWORD outputSize)
{
    if (output && outputSize)
        output[0] = 0;
    if (!commandLine)
        return kErrorCommand;
    std::vector<std::string> arguments = Arguments(commandLine);
    if (arguments.empty() || lstrcmpiA(arguments[0].c_str(), "a") != 0)
        return kErrorCommand;
    return AddFiles(arguments);
}

HARC UnlhaOpenArchive(HWND window, const char* path, DWORD mode)
{
    if (!path)
        return nullptr;
    // The path comes in double quotes; one without them is taken as it stands.
    std::string name = path;
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    Archive* archive = new Archive;
    if (!OpenArchive(name, archive)) {
        delete archive;
        return nullptr;
    }
    return archive;
}

int UnlhaFindFirst(HARC handle, const char* pattern, UnlhaEntryRecord* record)
{
    if (!handle || !record)
        return -1;
    Archive* archive = static_cast<Archive*>(handle);
    archive->Pattern = (pattern && *pattern) ? pattern : "*";
    archive->Next = 0;
    return FindFrom(archive, record);
}

int UnlhaFindNext(HARC handle, UnlhaEntryRecord* record)
{
    if (!handle || !record)
        return -1;
    return FindFrom(static_cast<Archive*>(handle), record);
}

int UnlhaCloseArchive(HARC handle)
{
    delete static_cast<Archive*>(handle);
    return 0;
}

int UnlhaExtractMem(HWND window, const char* commandLine, BYTE* buffer, DWORD size, time_t* time, WORD* attribute,
                    DWORD* written)
{
    if (written)
        *written = 0;
    if (!commandLine || !buffer)
        return kErrorCommand;
    std::vector<std::string> arguments = Arguments(commandLine);
    if (arguments.size() != 2)
        return kErrorCommand;
    // One entry is extracted a call, each from the same archive: the archive read last is kept while its file
    // stays as it was.
    ExclusiveLock lock(&s_extractLock);
    if (!OpenArchiveKept(arguments[0]))
        return kErrorArchive;
    const Archive& archive = s_extractArchive.Contents;
    for (const Lzh::Entry& entry : archive.Entries) {
        if (!Lzh::SameName(entry.Name, arguments[1]))
            continue;
        if (entry.OriginalSize > size)
            return kErrorBuffer;
        if (!Lzh::ExtractEntry(archive.Data.data(), archive.Data.size(), entry, buffer, size))
            return kErrorArchive;
        if (written)
            *written = entry.OriginalSize;
        if (time)
            *time = UnixTimeOfDos(entry.DosTime);
        if (attribute)
            *attribute = entry.Attribute;
        return kOk;
    }
    return kErrorNotFound;
}

UNLHA32_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)

}  // extern "C"
