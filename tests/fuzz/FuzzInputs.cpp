#include "FuzzInputs.h"

#include <stddef.h>

namespace {

const size_t kBigFileSize = 10 * 1024 * 1024;
const size_t kMaxRandomBytes = 4096;
// Lines around the length of the line and field buffers (1,023 bytes and the NUL).
const size_t kLongLineLengths[] = {1022, 1023, 1024, 1025};

const char* const kNumbers[] = {
    "2147483647", "-2147483648", "2147483648", "-2147483649", "4294967295", "4294967296", "99999999999",
    "-99999999999", "9223372036854775807", "-9223372036854775808", "18446744073709551616", "65535", "65536",
    "-65536", "32767", "-32768", "0", "-0", "-1", "+1", "000000000000000000012", "1e9", "0x10", "",
};

// Words with trail bytes 0x5C (表, ソ, 能), the escape and quote bytes and the format's separators.
const char* const kWords[] = {
    "会議", "予定表", "ソフト", "能力", "誕生日", "birthday", "元日", "振替休日", "a", "Mon", "2月", "&n", "&t",
    "&&", "&", "\"", "'", "=", "[1]", ";", "#", "x y", "\t", "日", "ｱｲｳ",
};

enum Damage {
    kRandomBytes,
    kTruncated,
    kLongLines,
    kLoneLeadBytes,
    kHugeNumbers,
    kImpossibleDates,
    kNulBytes,
    kMutated,
    kDamageKinds
};

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

char LeadByte(FuzzRandom& random)
{
    return (char)(random.OneIn(2) ? 0x81 + random.Below(0x1F) : 0xE0 + random.Below(0x10));
}

// Where each line begins.
std::string::size_type LineStart(const std::string& text, FuzzRandom& random)
{
    std::string::size_type at = random.Below((uint32_t)text.size() + 1);
    std::string::size_type brk = text.rfind('\n', at);
    return brk == std::string::npos ? 0 : brk + 1;
}

std::string RandomBytes(FuzzRandom& random)
{
    static const char kBytes[] = "0123456789-[]=&\r\n \t\"#/%abMon\x81\x9f\xe0\xef\x5c\x40\xfc";
    std::string out(random.Below(kMaxRandomBytes), '\0');
    bool structured = random.OneIn(2);
    for (char& c : out)
        c = structured ? kBytes[random.Below(sizeof(kBytes) - 1)] : (char)random.Below(256);
    return out;
}

// A line of exactly length bytes (before its break) made of the sample's first line and a filler
// that sometimes puts a double-byte character or a lone lead byte across the buffer's end.
std::string LongLine(FuzzRandom& random, const std::string& sample, size_t length)
{
    std::string line = sample.substr(0, sample.find_first_of("\r\n"));
    static const char* const kFillers[] = {"x", " ", "日", "表"};
    const char* filler = kFillers[random.Below(4)];
    while (line.size() < length)
        line += filler;
    line.resize(length);
    if (random.OneIn(3))
        line[length - 1] = LeadByte(random);
    return line;
}

std::string WithLongLines(FuzzRandom& random, std::string text)
{
    for (int n = 1 + (int)random.Below(3); n > 0; --n) {
        std::string line = LongLine(random, text, kLongLineLengths[random.Below(4)]);
        text.insert(LineStart(text, random), line + (random.OneIn(2) ? "\r\n" : "\n"));
    }
    return text;
}

std::string WithLoneLeadBytes(FuzzRandom& random, std::string text)
{
    for (std::string::size_type at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (random.OneIn(2)) {
            bool beforeCr = at > 0 && text[at - 1] == '\r';
            text.insert(beforeCr ? at - 1 : at, 1, LeadByte(random));
            ++at;
        }
    }
    text += LeadByte(random);
    return text;
}

// Every run of digits (with its sign) may become one of the numbers that break arithmetic.
std::string WithHugeNumbers(FuzzRandom& random, const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t end = i + (text[i] == '-' ? 1 : 0);
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        bool number = end > i && text[end - 1] >= '0' && text[end - 1] <= '9';
        if (number && random.OneIn(2)) {
            out += random.Number();
            i = end;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string WithNulBytes(FuzzRandom& random, std::string text)
{
    for (int n = 1 + (int)random.Below(8); n > 0; --n)
        text.insert(random.Below((uint32_t)text.size() + 1), 1, '\0');
    if (random.OneIn(4))
        text.insert(0, 1, '\0');
    return text;
}

std::string Mutated(FuzzRandom& random, std::string text)
{
    static const char kInserts[] = "\r\n[]=&\"' \t-0\x81";
    for (int n = 1 + (int)random.Below(16); n > 0; --n) {
        size_t at = random.Below((uint32_t)text.size() + 1);
        switch (random.Below(4)) {
        case 0:
            if (at < text.size())
                text[at] = (char)(text[at] ^ (1 << random.Below(8)));
            break;
        case 1: text.insert(at, 1, kInserts[random.Below(sizeof(kInserts) - 1)]); break;
        case 2: text.erase(at, random.Below(16)); break;
        default: text.insert(at, text.substr(LineStart(text, random), random.Below(64))); break;
        }
    }
    return text;
}

std::string BigFile(FuzzRandom& random, FuzzSampleProc sample)
{
    std::string text;
    text.reserve(kBigFileSize + 64 * 1024);
    while (text.size() < kBigFileSize)
        text += sample(random, random.OneIn(8));
    text.resize(kBigFileSize);
    return text;
}

} // namespace

uint64_t FuzzRandom::Next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t FuzzRandom::Below(uint32_t n)
{
    return n == 0 ? 0 : (uint32_t)(Next() % n);
}

std::string FuzzRandom::Number()
{
    if (OneIn(4))
        return std::to_string((int64_t)Next() >> Below(64));
    return kNumbers[Below(sizeof(kNumbers) / sizeof(kNumbers[0]))];
}

void FuzzRandom::Date(bool impossible, int* year, int* month, int* day)
{
    *year = 1900 + (int)Below(201);
    *month = 1 + (int)Below(12);
    *day = 1 + (int)Below((uint32_t)MonthLength(*year, *month));
    if (!impossible)
        return;
    switch (Below(7)) {
    case 0: *month = 2, *day = 30; break;
    case 1: *month = 13; break;
    case 2: *day = 0; break;
    case 3: *year = 0; break;
    case 4: *year = -(int)Below(5000) - 1; break;
    case 5: *day = 32; break;
    default: *month = 0; break;
    }
}

std::string FuzzRandom::Text(int words)
{
    std::string text;
    for (int i = 0; i < words; ++i)
        text += kWords[Below(sizeof(kWords) / sizeof(kWords[0]))];
    return text;
}

std::string MakeFuzzInput(FuzzRandom& random, FuzzSampleProc sample, uint32_t caseIndex)
{
    if (caseIndex == 0)
        return BigFile(random, sample);
    Damage damage = (Damage)(caseIndex % kDamageKinds);
    std::string text = sample(random, damage == kImpossibleDates);
    switch (damage) {
    case kRandomBytes: return RandomBytes(random);
    case kTruncated: return text.substr(0, random.Below((uint32_t)text.size() + 1));
    case kLongLines: return WithLongLines(random, text);
    case kLoneLeadBytes: return WithLoneLeadBytes(random, text);
    case kHugeNumbers: return WithHugeNumbers(random, text);
    case kNulBytes: return WithNulBytes(random, text);
    case kMutated: return Mutated(random, text);
    default: return text;
    }
}
