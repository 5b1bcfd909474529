// LZH archives in memory: the entry headers of levels 0, 1 and 2 with their CRC-16, the stored (-lh0-) and
// the static-Huffman LZSS methods (-lh5-, -lh6-, -lh7-), and new entries written with level-2 headers.
// Every length an archive gives is checked against its buffer: a damaged archive is an error, never a read or
// write outside the buffers.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace Lzh {

// The longest entry name, directory included, that an archive may hold.
const size_t kMaxNameLength = 512;

struct Entry {
    std::string Name;    // with its directory, parts separated by '\'
    char Method[6];      // "-lh5-", NUL-terminated
    uint32_t CompressedSize;
    uint32_t OriginalSize;
    uint32_t DosTime;    // MS-DOS date in the high word, time in the low word
    uint8_t Attribute;
    uint8_t Level;
    uint16_t Crc;        // of the original data
    size_t Start;        // where the header begins
    size_t DataOffset;   // where the packed data begins
    size_t End;          // after the packed data
};

// CRC-16 (polynomial 0xA001, reflected) continued from crc.
uint16_t Crc16(uint16_t crc, const uint8_t* data, size_t size);

// The entries of an archive; false when a header is damaged or an entry lies outside the buffer.
bool ReadEntries(const uint8_t* archive, size_t size, std::vector<Entry>* entries);

// Unpacks an entry into out (capacity bytes, at least the original size) and checks its CRC.
bool ExtractEntry(const uint8_t* archive, size_t size, const Entry& entry, uint8_t* out, size_t capacity);

// Unpacks size bytes of -lh5- (dictionaryBits 13), -lh6- (15) or -lh7- (16) data.
bool Decode(int dictionaryBits, const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize);

// Packs data in the -lh5- (13), -lh6- (15) or -lh7- (16) way.
std::vector<uint8_t> Encode(int dictionaryBits, const uint8_t* data, size_t size);

// One entry with a level-2 header, packed with -lh5- or stored (-lh0-) when packing does not make it smaller.
std::vector<uint8_t> MakeEntry(const std::string& name, const uint8_t* data, size_t size, uint32_t unixTime);

// An archive of the entries of old (may be empty) with the given entries added; an old entry of the same name
// (case ignored) is replaced. false when old is damaged.
struct NewFile {
    std::string Name;
    std::vector<uint8_t> Data;
    uint32_t UnixTime;
};
bool AddToArchive(const std::vector<uint8_t>& old, const std::vector<NewFile>& files, std::vector<uint8_t>* out);

// The name after the last '\' or '/' of a Shift-JIS path.
std::string BareName(const std::string& path);

// Whether name matches pattern ('*' and '?'; ASCII letters compared without case; Shift-JIS characters whole).
bool MatchName(const char* pattern, const char* name);

// Names equal with ASCII case ignored.
bool SameName(const std::string& a, const std::string& b);

// The MS-DOS date and time (date high) of a Unix time, as UTC.
uint32_t DosTimeOfUnix(uint32_t unixTime);

}  // namespace Lzh
