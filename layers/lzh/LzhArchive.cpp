#include "LzhArchive.h"

#include <string.h>

namespace Lzh {

namespace {

const size_t kLevel2BaseSize = 26;
const size_t kLevel01BaseSize = 22;

uint16_t U16(const uint8_t* p)
{
    return (uint16_t)(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back((uint8_t)v);
    out.push_back((uint8_t)(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool IsLeadByte(uint8_t c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}

// The text up to the first NUL, with 0xFF (the directory separator of extended headers) as '\'.
std::string NameText(const uint8_t* p, size_t n, bool directory)
{
    std::string text;
    for (size_t i = 0; i < n && p[i]; i++)
        text += (directory && p[i] == 0xFF) ? '\\' : (char)p[i];
    return text;
}

// Reads the extended headers of levels 1 and 2 from p (limit bytes available), the first of size next.
// Sets used to the bytes they take; false when one is damaged.
bool ReadExtended(const uint8_t* p, size_t limit, size_t next, size_t* used, std::string* name,
                  std::string* directory, size_t* crcAt)
{
    size_t pos = 0;
    while (next != 0) {
        if (next < 3 || next > limit - pos)
            return false;
        const uint8_t* ext = p + pos;
        size_t body = next - 3;
        switch (ext[0]) {
        case 0x00:
            if (body < 2)
                return false;
            if (crcAt)
                *crcAt = pos + 1;
            break;
        case 0x01: *name = NameText(ext + 1, body, false); break;
        case 0x02: *directory = NameText(ext + 1, body, true); break;
        default: break;
        }
        pos += next;
        next = U16(ext + next - 2);
    }
    *used = pos;
    return true;
}

// Reads the entry at offset; false when damaged.
bool ReadEntry(const uint8_t* archive, size_t size, size_t offset, Entry* entry)
{
    const uint8_t* h = archive + offset;
    size_t left = size - offset;
    if (left < kLevel01BaseSize)
        return false;
    Entry e = {};
    e.Start = offset;
    e.Level = h[20];
    memcpy(e.Method, h + 2, 5);
    e.Method[5] = 0;
    e.CompressedSize = U32(h + 7);
    e.OriginalSize = U32(h + 11);
    std::string name, directory;
    if (e.Level == 0 || e.Level == 1) {
        size_t headerSize = (size_t)h[0] + 2;
        size_t nameLength = h[21];
        // Name, CRC, and for level 1 the OS byte and the size of the first extended header.
        size_t needed = kLevel01BaseSize + nameLength + 2 + (e.Level == 1 ? 3 : 0);
        if (headerSize < needed || headerSize > left)
            return false;
        uint8_t sum = 0;
        for (size_t i = 2; i < headerSize; i++)
            sum = (uint8_t)(sum + h[i]);
        if (sum != h[1])
            return false;
        e.DosTime = U32(h + 15);
        e.Attribute = h[19];
        name = NameText(h + 22, nameLength, false);
        e.Crc = U16(h + 22 + nameLength);
        size_t data = offset + headerSize;
        uint32_t packed = e.CompressedSize;
        if (e.Level == 1) {
            // The extended headers follow the base header and count in the compressed size.
            size_t used = 0;
            if (!ReadExtended(archive + data, size - data, U16(h + headerSize - 2), &used, &name, &directory,
                              nullptr))
                return false;
            if (used > packed)
                return false;
            data += used;
            packed -= (uint32_t)used;
            e.Attribute = 0x20;
        }
        e.DataOffset = data;
        e.CompressedSize = packed;
    } else if (e.Level == 2) {
        if (left < kLevel2BaseSize)
            return false;
        size_t headerSize = U16(h);
        if (headerSize < kLevel2BaseSize || headerSize > left)
            return false;
        e.DosTime = DosTimeOfUnix(U32(h + 15));
        e.Attribute = 0x20;
        e.Crc = U16(h + 21);
        size_t used = 0, crcAt = 0;
        if (!ReadExtended(h + kLevel2BaseSize, headerSize - kLevel2BaseSize, U16(h + 24), &used, &name,
                          &directory, &crcAt))
            return false;
        if (crcAt) {
            crcAt += kLevel2BaseSize;
            uint16_t stored = U16(h + crcAt);
            static const uint8_t zero[2] = {0, 0};
            uint16_t crc = Crc16(0, h, crcAt);
            crc = Crc16(crc, zero, 2);
            crc = Crc16(crc, h + crcAt + 2, headerSize - crcAt - 2);
            if (crc != stored)
                return false;
        }
        e.DataOffset = offset + headerSize;
    } else {
        return false;
    }
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    e.Name = directory + name;
    if (e.Name.size() > kMaxNameLength)
        return false;
    if (e.CompressedSize > size - e.DataOffset)
        return false;
    e.End = e.DataOffset + e.CompressedSize;
    *entry = e;
    return true;
}

int DictionaryBits(const char* method)
{
    if (!strcmp(method, "-lh5-"))
        return 13;
    if (!strcmp(method, "-lh6-"))
        return 15;
    if (!strcmp(method, "-lh7-"))
        return 16;
    return 0;
}

char FoldCase(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}

// The length of the character at p: 2 for a Shift-JIS lead byte followed by a byte.
size_t CharLength(const char* p)
{
    return (IsLeadByte((uint8_t)p[0]) && p[1]) ? 2 : 1;
}

bool SameChar(const char* a, const char* b, size_t length)
{
    if (length == 1)
        return FoldCase(*a) == FoldCase(*b);
    return a[0] == b[0] && a[1] == b[1];
}

}  // namespace

uint16_t Crc16(uint16_t crc, const uint8_t* data, size_t size)
{
    static uint16_t table[256];
    static bool ready = false;
    if (!ready) {
        for (int i = 0; i < 256; i++) {
            uint16_t c = (uint16_t)i;
            for (int k = 0; k < 8; k++)
                c = (c & 1) ? (uint16_t)((c >> 1) ^ 0xA001) : (uint16_t)(c >> 1);
            table[i] = c;
        }
        ready = true;
    }
    for (size_t i = 0; i < size; i++)
        crc = (uint16_t)((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    return crc;
}

bool ReadEntries(const uint8_t* archive, size_t size, std::vector<Entry>* entries)
{
    entries->clear();
    size_t offset = 0;
    // A zero byte (or the end of the file) ends the archive.
    while (offset < size && archive[offset] != 0) {
        Entry entry;
        if (!ReadEntry(archive, size, offset, &entry))
            return false;
        entries->push_back(entry);
        offset = entry.End;
    }
    return true;
}

bool ExtractEntry(const uint8_t* archive, size_t size, const Entry& entry, uint8_t* out, size_t capacity)
{
    if (entry.End > size || entry.DataOffset > entry.End || entry.OriginalSize > capacity)
        return false;
    const uint8_t* in = archive + entry.DataOffset;
    size_t inSize = entry.End - entry.DataOffset;
    if (!strcmp(entry.Method, "-lh0-")) {
        if (inSize != entry.OriginalSize)
            return false;
        if (inSize)
            memcpy(out, in, inSize);
    } else {
        int bits = DictionaryBits(entry.Method);
        if (!bits || !Decode(bits, in, inSize, out, entry.OriginalSize))
            return false;
    }
    return Crc16(0, out, entry.OriginalSize) == entry.Crc;
}

std::vector<uint8_t> MakeEntry(const std::string& name, const uint8_t* data, size_t size, uint32_t unixTime)
{
    std::vector<uint8_t> packed = Encode(13, data, size);
    bool stored = packed.size() >= size;
    if (stored)
        packed.assign(data, data + size);
    std::string bare = name;
    if (bare.size() > kMaxNameLength) {
        // Cut before the character that would not fit whole.
        size_t end = 0;
        while (end + CharLength(bare.c_str() + end) <= kMaxNameLength)
            end += CharLength(bare.c_str() + end);
        bare.resize(end);
    }

    std::vector<uint8_t> h;
    Put16(h, 0); // the header size, set below
    const char* method = stored ? "-lh0-" : "-lh5-";
    h.insert(h.end(), method, method + 5);
    Put32(h, (uint32_t)packed.size());
    Put32(h, (uint32_t)size);
    Put32(h, unixTime);
    h.push_back(0x20);
    h.push_back(2);
    Put16(h, Crc16(0, data, size));
    h.push_back('M');
    Put16(h, 5);
    // The common header: the header's CRC, then the name header.
    h.push_back(0x00);
    size_t crcAt = h.size();
    Put16(h, 0);
    Put16(h, (uint32_t)bare.size() + 3);
    h.push_back(0x01);
    h.insert(h.end(), bare.begin(), bare.end());
    Put16(h, 0);
    // A header size with a zero low byte would read as the end of the archive.
    if ((h.size() & 0xFF) == 0)
        h.push_back(0);
    h[0] = (uint8_t)h.size();
    h[1] = (uint8_t)(h.size() >> 8);
    uint16_t crc = Crc16(0, h.data(), h.size());
    h[crcAt] = (uint8_t)crc;
    h[crcAt + 1] = (uint8_t)(crc >> 8);
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

bool AddToArchive(const std::vector<uint8_t>& old, const std::vector<NewFile>& files, std::vector<uint8_t>* out)
{
    std::vector<Entry> entries;
    if (!ReadEntries(old.data(), old.size(), &entries))
        return false;
    out->clear();
    for (const Entry& entry : entries) {
        bool replaced = false;
        for (const NewFile& file : files)
            replaced = replaced || SameName(entry.Name, file.Name);
        if (!replaced)
            out->insert(out->end(), old.begin() + entry.Start, old.begin() + entry.End);
    }
    for (size_t i = 0; i < files.size(); i++) {
        // The last of several files of one name wins.
        bool later = false;
        for (size_t k = i + 1; k < files.size(); k++)
            later = later || SameName(files[i].Name, files[k].Name);
        if (later)
            continue;
        std::vector<uint8_t> entry =
            MakeEntry(files[i].Name, files[i].Data.data(), files[i].Data.size(), files[i].UnixTime);
        out->insert(out->end(), entry.begin(), entry.end());
    }
    out->push_back(0);
    return true;
}

std::string BareName(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharLength(path.c_str() + i)) {
        if (path[i] == '\\' || path[i] == '/')
            start = i + 1;
    }
    return path.substr(start);
}

bool MatchName(const char* pattern, const char* name)
{
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        size_t length = CharLength(name);
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
            continue;
        }
        if (*pattern == '?' || (*pattern && CharLength(pattern) == length && SameChar(pattern, name, length))) {
            pattern += *pattern == '?' ? 1 : length;
            name += length;
            continue;
        }
        if (!starPattern)
            return false;
        // Let the last star take one more character.
        starName += CharLength(starName);
        name = starName;
        pattern = starPattern;
    }
    while (*pattern == '*')
        pattern++;
    return !*pattern;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i += CharLength(a.c_str() + i)) {
        size_t length = CharLength(a.c_str() + i);
        if (!SameChar(a.c_str() + i, b.c_str() + i, length))
            return false;
    }
    return true;
}

uint32_t DosTimeOfUnix(uint32_t unixTime)
{
    uint32_t days = unixTime / 86400, seconds = unixTime % 86400;
    // Civil date from days since 1970-01-01.
    int z = (int)days + 719468;
    int era = z / 146097;
    int doe = z - era * 146097;
    int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int y = yoe + era * 400;
    int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int mp = (5 * doy + 2) / 153;
    int d = doy - (153 * mp + 2) / 5 + 1;
    int m = mp + (mp < 10 ? 3 : -9);
    y += m <= 2;
    if (y < 1980)
        return (1 << 5 | 1) << 16;
    if (y > 2107)
        y = 2107;
    uint32_t date = (uint32_t)(((y - 1980) << 9) | (m << 5) | d);
    uint32_t time = (seconds / 3600) << 11 | ((seconds / 60) % 60) << 5 | (seconds % 60) / 2;
    return date << 16 | time;
}

}  // namespace Lzh
