// Packing in the -lh5- way: LZSS with hash chains, then per block of codes Huffman tables built from the block's
// own counts (lengths limited to 16 bits by halving the counts until they fit).
#include <string.h>

#include <algorithm>
#include <queue>

#include "LzhArchive.h"

namespace Lzh {

namespace {

const int kCodeCount = 510;
const int kLengthCodeCount = 19;
const int kMaxBits = 16;
const int kMinMatch = 3;
const int kMaxMatch = 256;
const size_t kBlockCodes = 0x4000;
const int kHashBits = 15;
const int kChainLimit = 128;

class BitWriter {
public:
    void Put(int count, uint32_t value)
    {
        while (count-- > 0) {
            acc_ = (uint8_t)(acc_ << 1 | ((value >> count) & 1));
            if (++fill_ == 8) {
                out_.push_back(acc_);
                acc_ = 0;
                fill_ = 0;
            }
        }
    }
    std::vector<uint8_t> Finish()
    {
        if (fill_)
            out_.push_back((uint8_t)(acc_ << (8 - fill_)));
        fill_ = 0;
        return out_;
    }

private:
    std::vector<uint8_t> out_;
    uint8_t acc_ = 0;
    int fill_ = 0;
};

struct Token {
    uint16_t Code;      // a byte, or 256 + length - 3
    uint16_t Distance;  // the match's distance - 1
};

// Huffman code lengths of at most kMaxBits for the counted symbols; none when fewer than two are used.
void MakeLengths(const uint32_t* counts, int symbolCount, uint8_t* lengths)
{
    std::vector<uint32_t> weight(counts, counts + symbolCount);
    memset(lengths, 0, symbolCount);
    int used = 0;
    for (int i = 0; i < symbolCount; i++)
        used += weight[i] != 0;
    if (used < 2)
        return;
    for (;;) {
        typedef std::pair<uint64_t, int> Node;
        std::priority_queue<Node, std::vector<Node>, std::greater<Node>> queue;
        std::vector<int> parent(symbolCount * 2, -1);
        for (int i = 0; i < symbolCount; i++) {
            if (weight[i])
                queue.push(Node(weight[i], i));
        }
        int next = symbolCount;
        while (queue.size() > 1) {
            Node a = queue.top();
            queue.pop();
            Node b = queue.top();
            queue.pop();
            parent[a.second] = next;
            parent[b.second] = next;
            queue.push(Node(a.first + b.first, next++));
        }
        int longest = 0;
        for (int i = 0; i < symbolCount; i++) {
            int depth = 0;
            if (weight[i]) {
                for (int n = i; parent[n] >= 0; n = parent[n])
                    depth++;
            }
            lengths[i] = (uint8_t)std::min(depth, 255);
            longest = std::max(longest, depth);
        }
        if (longest <= kMaxBits)
            return;
        for (uint32_t& w : weight)
            w = w ? (w + 1) / 2 : 0;
    }
}

void MakeCodes(const uint8_t* lengths, int symbolCount, uint16_t* codes)
{
    int count[kMaxBits + 1] = {};
    for (int i = 0; i < symbolCount; i++)
        count[lengths[i]]++;
    count[0] = 0;
    uint32_t next[kMaxBits + 2];
    uint32_t code = 0;
    for (int len = 1; len <= kMaxBits; len++) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
    }
    for (int i = 0; i < symbolCount; i++)
        codes[i] = lengths[i] ? (uint16_t)next[lengths[i]]++ : 0;
}

// The symbol of a match distance - 1: its bit length.
int DistanceSymbol(uint32_t distance)
{
    int bits = 0;
    while (distance >> bits)
        bits++;
    return bits;
}

void WritePtLengths(BitWriter& out, const uint8_t* lengths, int symbolCount, int countBits, int special)
{
    int n = symbolCount;
    while (n > 0 && lengths[n - 1] == 0)
        n--;
    out.Put(countBits, (uint32_t)n);
    int i = 0;
    while (i < n) {
        int length = lengths[i++];
        if (length <= 6)
            out.Put(3, (uint32_t)length);
        else
            out.Put(length - 3, (1u << (length - 3)) - 2);
        if (i == special) {
            while (i < 6 && lengths[i] == 0)
                i++;
            out.Put(2, (uint32_t)(i - 3));
        }
    }
}

// Writes a table of one symbol (or of none): a count of 0 and the symbol.
void WriteConstant(BitWriter& out, int countBits, int symbol)
{
    out.Put(countBits, 0);
    out.Put(countBits, (uint32_t)symbol);
}

void WriteBlock(BitWriter& out, const Token* tokens, size_t count, int distanceCount, int distanceBits)
{
    uint32_t codeCounts[kCodeCount] = {}, distanceCounts[18] = {};
    for (size_t i = 0; i < count; i++) {
        codeCounts[tokens[i].Code]++;
        if (tokens[i].Code >= 256)
            distanceCounts[DistanceSymbol(tokens[i].Distance)]++;
    }
    uint8_t codeLengths[kCodeCount], distanceLengths[18];
    uint16_t codes[kCodeCount], distanceCodes[18];
    MakeLengths(codeCounts, kCodeCount, codeLengths);
    MakeCodes(codeLengths, kCodeCount, codes);
    MakeLengths(distanceCounts, distanceCount, distanceLengths);
    MakeCodes(distanceLengths, distanceCount, distanceCodes);

    out.Put(16, (uint32_t)count);
    int n = kCodeCount;
    while (n > 0 && codeLengths[n - 1] == 0)
        n--;
    if (n == 0) {
        // One code only.
        int only = 0;
        while (!codeCounts[only])
            only++;
        WriteConstant(out, 5, 0);
        WriteConstant(out, 9, only);
    } else {
        // The code lengths, with runs of zeros, coded by the length table.
        uint32_t lengthCounts[kLengthCodeCount] = {};
        for (int i = 0; i < n;) {
            if (codeLengths[i]) {
                lengthCounts[codeLengths[i++] + 2]++;
                continue;
            }
            int run = 0;
            while (i < n && codeLengths[i] == 0)
                i++, run++;
            if (run <= 2)
                lengthCounts[0] += run;
            else if (run <= 18)
                lengthCounts[1]++;
            else if (run == 19)
                lengthCounts[0]++, lengthCounts[1]++;
            else
                lengthCounts[2]++;
        }
        uint8_t lengthLengths[kLengthCodeCount];
        uint16_t lengthCodes[kLengthCodeCount];
        MakeLengths(lengthCounts, kLengthCodeCount, lengthLengths);
        MakeCodes(lengthLengths, kLengthCodeCount, lengthCodes);
        int lengthSymbols = 0;
        for (int i = 0; i < kLengthCodeCount; i++)
            lengthSymbols += lengthCounts[i] != 0;
        if (lengthSymbols == 1) {
            int only = 0;
            while (!lengthCounts[only])
                only++;
            WriteConstant(out, 5, only);
        } else {
            WritePtLengths(out, lengthLengths, kLengthCodeCount, 5, 3);
        }
        auto put = [&](int symbol) { out.Put(lengthLengths[symbol], lengthCodes[symbol]); };
        out.Put(9, (uint32_t)n);
        for (int i = 0; i < n;) {
            if (codeLengths[i]) {
                put(codeLengths[i++] + 2);
                continue;
            }
            int run = 0;
            while (i < n && codeLengths[i] == 0)
                i++, run++;
            if (run <= 2) {
                while (run-- > 0)
                    put(0);
            } else if (run <= 18) {
                put(1);
                out.Put(4, (uint32_t)(run - 3));
            } else if (run == 19) {
                put(0);
                put(1);
                out.Put(4, 15);
            } else {
                put(2);
                out.Put(9, (uint32_t)(run - 20));
            }
        }
    }
    int distanceSymbols = 0, onlyDistance = 0;
    for (int i = 0; i < distanceCount; i++) {
        if (distanceCounts[i]) {
            distanceSymbols++;
            onlyDistance = i;
        }
    }
    if (distanceSymbols <= 1)
        WriteConstant(out, distanceBits, onlyDistance);
    else
        WritePtLengths(out, distanceLengths, distanceCount, distanceBits, -1);

    for (size_t i = 0; i < count; i++) {
        const Token& t = tokens[i];
        out.Put(codeLengths[t.Code], codes[t.Code]);
        if (t.Code < 256)
            continue;
        int symbol = DistanceSymbol(t.Distance);
        out.Put(distanceLengths[symbol], distanceCodes[symbol]);
        if (symbol > 1)
            out.Put(symbol - 1, t.Distance - (1u << (symbol - 1)));
    }
}

uint32_t Hash(const uint8_t* p)
{
    return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & ((1u << kHashBits) - 1);
}

}  // namespace

std::vector<uint8_t> Encode(int dictionaryBits, const uint8_t* data, size_t size)
{
    const size_t window = ((size_t)1 << dictionaryBits) - 1;
    const int distanceCount = dictionaryBits + 1;
    const int distanceBits = dictionaryBits <= 13 ? 4 : 5;
    std::vector<Token> tokens;
    std::vector<int32_t> head((size_t)1 << kHashBits, -1), previous(size, -1);
    auto insert = [&](size_t pos) {
        if (pos + kMinMatch > size)
            return;
        uint32_t h = Hash(data + pos);
        previous[pos] = head[h];
        head[h] = (int32_t)pos;
    };
    size_t pos = 0;
    while (pos < size) {
        size_t bestLength = 0, bestDistance = 0;
        size_t limit = std::min((size_t)kMaxMatch, size - pos);
        if (limit >= (size_t)kMinMatch) {
            int chain = kChainLimit;
            for (int32_t candidate = head[Hash(data + pos)]; candidate >= 0 && chain-- > 0;
                 candidate = previous[candidate]) {
                size_t distance = pos - (size_t)candidate;
                if (distance > window)
                    break;
                size_t length = 0;
                while (length < limit && data[candidate + length] == data[pos + length])
                    length++;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == limit)
                        break;
                }
            }
        }
        if (bestLength >= (size_t)kMinMatch) {
            tokens.push_back({(uint16_t)(256 + bestLength - kMinMatch), (uint16_t)(bestDistance - 1)});
            for (size_t k = 0; k < bestLength; k++)
                insert(pos + k);
            pos += bestLength;
        } else {
            tokens.push_back({data[pos], 0});
            insert(pos);
            pos++;
        }
    }
    BitWriter out;
    for (size_t first = 0; first < tokens.size(); first += kBlockCodes)
        WriteBlock(out, tokens.data() + first, std::min(kBlockCodes, tokens.size() - first), distanceCount,
                   distanceBits);
    return out.Finish();
}

}  // namespace Lzh
