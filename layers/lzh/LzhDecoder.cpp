// Unpacking -lh5-, -lh6- and -lh7- data: blocks of LZSS codes, each with its own static Huffman tables.
#include <string.h>

#include "LzhArchive.h"

namespace Lzh {

namespace {

const int kCodeCount = 510;  // 256 bytes and the match lengths 3..256
const int kLengthCodeCount = 19;
const int kMaxBits = 16;
const int kMinMatch = 3;

class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : data_(data), bits_(size * 8) {}
    // A bit past the end reads as 0 and marks the stream as overrun.
    uint32_t Bit()
    {
        if (pos_ >= bits_) {
            over_ = true;
            return 0;
        }
        uint32_t bit = (data_[pos_ >> 3] >> (7 - (pos_ & 7))) & 1;
        pos_++;
        return bit;
    }
    uint32_t Bits(int count)
    {
        uint32_t value = 0;
        while (count-- > 0)
            value = value << 1 | Bit();
        return value;
    }
    bool Over() const { return over_; }

private:
    const uint8_t* data_;
    size_t bits_;
    size_t pos_ = 0;
    bool over_ = false;
};

// A canonical Huffman code read bit by bit, or one symbol that takes no bits.
class HuffmanTable {
public:
    bool SetConstant(int symbol, int symbolCount)
    {
        if (symbol >= symbolCount)
            return false;
        constant_ = symbol;
        return true;
    }
    bool Build(const uint8_t* lengths, int symbolCount)
    {
        constant_ = -1;
        memset(count_, 0, sizeof(count_));
        for (int i = 0; i < symbolCount; i++)
            count_[lengths[i]]++;
        count_[0] = 0;
        int left = 1;
        for (int len = 1; len <= kMaxBits; len++) {
            left = left * 2 - count_[len];
            if (left < 0)
                return false; // over-subscribed
        }
        int offset[kMaxBits + 2];
        offset[1] = 0;
        for (int len = 1; len <= kMaxBits; len++)
            offset[len + 1] = offset[len] + count_[len];
        for (int i = 0; i < symbolCount; i++) {
            if (lengths[i])
                symbol_[offset[lengths[i]]++] = (uint16_t)i;
        }
        return true;
    }
    // The next symbol, or -1 when the bits match no code.
    int Decode(BitReader& in) const
    {
        if (constant_ >= 0)
            return constant_;
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; len++) {
            code |= (int)in.Bit();
            int count = count_[len];
            if (code - first < count)
                return symbol_[index + code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    int constant_ = -1;
    uint16_t count_[kMaxBits + 1];
    uint16_t symbol_[kCodeCount];
};

// The code lengths of the length table or of the distance table. After the third length of the length table,
// two bits give a run of zero lengths.
bool ReadPtLengths(BitReader& in, HuffmanTable& table, int symbolCount, int countBits, int special)
{
    int n = (int)in.Bits(countBits);
    if (n == 0)
        return table.SetConstant((int)in.Bits(countBits), symbolCount) && !in.Over();
    if (n > symbolCount)
        return false;
    uint8_t lengths[kLengthCodeCount] = {};
    int i = 0;
    while (i < n) {
        int length = (int)in.Bits(3);
        if (length == 7) {
            while (in.Bit()) {
                if (++length > kMaxBits || in.Over())
                    return false;
            }
        }
        lengths[i++] = (uint8_t)length;
        if (i == special) {
            int zeros = (int)in.Bits(2);
            while (zeros-- > 0 && i < symbolCount)
                lengths[i++] = 0;
        }
    }
    return !in.Over() && table.Build(lengths, symbolCount);
}

bool ReadCodeLengths(BitReader& in, const HuffmanTable& lengthTable, HuffmanTable& table)
{
    int n = (int)in.Bits(9);
    if (n == 0)
        return table.SetConstant((int)in.Bits(9), kCodeCount) && !in.Over();
    if (n > kCodeCount)
        return false;
    uint8_t lengths[kCodeCount] = {};
    int i = 0;
    while (i < n) {
        int c = lengthTable.Decode(in);
        if (c < 0 || in.Over())
            return false;
        if (c <= 2) {
            int zeros = c == 0 ? 1 : c == 1 ? (int)in.Bits(4) + 3 : (int)in.Bits(9) + 20;
            while (zeros-- > 0 && i < kCodeCount)
                lengths[i++] = 0;
        } else {
            lengths[i++] = (uint8_t)(c - 2);
        }
    }
    return !in.Over() && table.Build(lengths, kCodeCount);
}

}  // namespace

bool Decode(int dictionaryBits, const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize)
{
    if (dictionaryBits < 13 || dictionaryBits > 16)
        return false;
    const int distanceCount = dictionaryBits + 1;
    const int distanceBits = dictionaryBits <= 13 ? 4 : 5;
    BitReader bits(in, inSize);
    HuffmanTable lengthTable, codeTable, distanceTable;
    size_t done = 0;
    while (done < outSize) {
        uint32_t blockSize = bits.Bits(16);
        if (blockSize == 0)
            blockSize = 0x10000;
        if (bits.Over() || !ReadPtLengths(bits, lengthTable, kLengthCodeCount, 5, 3) ||
            !ReadCodeLengths(bits, lengthTable, codeTable) ||
            !ReadPtLengths(bits, distanceTable, distanceCount, distanceBits, -1))
            return false;
        for (; blockSize > 0 && done < outSize; blockSize--) {
            int c = codeTable.Decode(bits);
            if (c < 0)
                return false;
            if (c < 256) {
                if (bits.Over())
                    return false;
                out[done++] = (uint8_t)c;
                continue;
            }
            size_t length = (size_t)(c - 256 + kMinMatch);
            int p = distanceTable.Decode(bits);
            if (p < 0)
                return false;
            size_t distance = (size_t)p;
            if (p > 1)
                distance = ((size_t)1 << (p - 1)) + bits.Bits(p - 1);
            // A match may only copy what is already unpacked.
            if (bits.Over() || distance >= done)
                return false;
            size_t from = done - distance - 1;
            if (length > outSize - done)
                length = outSize - done;
            for (size_t k = 0; k < length; k++)
                out[done++] = out[from++];
        }
    }
    return true;
}

}  // namespace Lzh
