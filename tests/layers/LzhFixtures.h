// Archive entries with level-0, level-1 and level-2 headers built byte by byte, as other archivers write them,
// for the reader's tests and the fuzz run. The CRC comes from Lzh::Crc16, whose check value the tests pin.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "LzhArchive.h"

namespace LzhFixtures {

inline void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back((uint8_t)v);
    out.push_back((uint8_t)(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// The two size bytes, set later, and the method.
inline std::vector<uint8_t> Start(const std::string& method)
{
    std::vector<uint8_t> h(2, 0);
    for (char c : method)
        h.push_back((uint8_t)c);
    return h;
}

// method "-lh0-" stores original as it is; the others pack it with the matching dictionary.
inline std::vector<uint8_t> Pack(const std::string& method, const std::vector<uint8_t>& original)
{
    if (method == "-lh0-")
        return original;
    int bits = method == "-lh5-" ? 13 : method == "-lh6-" ? 15 : 16;
    return Lzh::Encode(bits, original.data(), original.size());
}

// Level 0: one-byte header size and checksum, the name in the base header.
inline std::vector<uint8_t> Level0Entry(const std::string& name, const std::string& method,
                                        const std::vector<uint8_t>& original, uint32_t dosTime)
{
    std::vector<uint8_t> packed = Pack(method, original);
    std::vector<uint8_t> h = Start(method);
    Put32(h, (uint32_t)packed.size());
    Put32(h, (uint32_t)original.size());
    Put32(h, dosTime);
    h.push_back(0x20);
    h.push_back(0);
    h.push_back((uint8_t)name.size());
    h.insert(h.end(), name.begin(), name.end());
    Put16(h, Lzh::Crc16(0, original.data(), original.size()));
    h[0] = (uint8_t)(h.size() - 2);
    uint8_t sum = 0;
    for (size_t i = 2; i < h.size(); i++)
        sum = (uint8_t)(sum + h[i]);
    h[1] = sum;
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

// Level 1: as level 0 plus an OS byte and extended headers (here the directory, 0xFF-separated) that follow
// the base header and count in the compressed size.
inline std::vector<uint8_t> Level1Entry(const std::string& name, const std::string& method,
                                        const std::vector<uint8_t>& original, uint32_t dosTime,
                                        const std::string& directory)
{
    std::vector<uint8_t> packed = Pack(method, original);
    std::vector<uint8_t> ext;
    if (!directory.empty()) {
        ext.push_back(0x02);
        for (char c : directory)
            ext.push_back(c == '\\' ? 0xFF : (uint8_t)c);
        Put16(ext, 0);
    }
    std::vector<uint8_t> h = Start(method);
    Put32(h, (uint32_t)(packed.size() + ext.size()));
    Put32(h, (uint32_t)original.size());
    Put32(h, dosTime);
    h.push_back(0x20);
    h.push_back(1);
    h.push_back((uint8_t)name.size());
    h.insert(h.end(), name.begin(), name.end());
    Put16(h, Lzh::Crc16(0, original.data(), original.size()));
    h.push_back('M');
    Put16(h, (uint32_t)ext.size());
    h[0] = (uint8_t)(h.size() - 2);
    uint8_t sum = 0;
    for (size_t i = 2; i < h.size(); i++)
        sum = (uint8_t)(sum + h[i]);
    h[1] = sum;
    h.insert(h.end(), ext.begin(), ext.end());
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

// Level 2: two-byte header size, Unix time, the header CRC in the common extended header, name and directory
// in their own extended headers.
inline std::vector<uint8_t> Level2Entry(const std::string& name, const std::string& method,
                                        const std::vector<uint8_t>& original, uint32_t unixTime,
                                        const std::string& directory)
{
    std::vector<uint8_t> packed = Pack(method, original);
    std::vector<uint8_t> h = Start(method);
    Put32(h, (uint32_t)packed.size());
    Put32(h, (uint32_t)original.size());
    Put32(h, unixTime);
    h.push_back(0x20);
    h.push_back(2);
    Put16(h, Lzh::Crc16(0, original.data(), original.size()));
    h.push_back('U');
    Put16(h, 5);
    h.push_back(0x00);
    size_t crcAt = h.size();
    Put16(h, 0);
    Put16(h, (uint32_t)name.size() + 3);
    h.push_back(0x01);
    h.insert(h.end(), name.begin(), name.end());
    if (directory.empty()) {
        Put16(h, 0);
    } else {
        Put16(h, (uint32_t)directory.size() + 3);
        h.push_back(0x02);
        for (char c : directory)
            h.push_back(c == '\\' ? 0xFF : (uint8_t)c);
        Put16(h, 0);
    }
    if ((h.size() & 0xFF) == 0)
        h.push_back(0);
    h[0] = (uint8_t)h.size();
    h[1] = (uint8_t)(h.size() >> 8);
    uint16_t crc = Lzh::Crc16(0, h.data(), h.size());
    h[crcAt] = (uint8_t)crc;
    h[crcAt + 1] = (uint8_t)(crc >> 8);
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

}  // namespace LzhFixtures
