// unlha32.dll and imgctl.dll as the program calls them: the archiver's command lines, its archives (also through
// the memo import) and pictures read by ToDIB. The as-shipped build calls the built DLLs of the install folder;
// the sanitized build has their sources compiled in and calls those (the memo import still loads the archiver).
#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "FuzzFence.h"
#include "FuzzParts.h"
#include "ImgctlModule.h"
#include "LzhArchive.h"
#include "LzhFixtures.h"
#include "MemoImportExport.h"
#include "PlugInModule.h"
#include "Unlha32Module.h"

#ifdef DAYLENS_FUZZ_SANITIZED
extern "C" {
UNLHA32_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
IMGCTL_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}
#endif

namespace {

// The memo import's switches and open mode.
const char kSwitches[] = "-r0x0a1n1gm1";
const DWORD kOpenMode = 512;
const int kNoEntry = -1;
// Bounds that keep a case short: command lines run one by one, entries listed and unpacked.
const size_t kMaxCommandLines = 16;
const size_t kMaxEntries = 64;
const DWORD kMaxUnpacked = 16u << 20;
const DWORD kCommandBufferSize = 4096;
const int kMaxPictureSide = 48;

struct Unlha32 {
    Unlha32Module::Unlha Run;
    Unlha32Module::UnlhaOpenArchive Open;
    Unlha32Module::UnlhaFindFirst FindFirst;
    Unlha32Module::UnlhaFindNext FindNext;
    Unlha32Module::UnlhaCloseArchive Close;
    Unlha32Module::UnlhaExtractMem Extract;
};

struct Imgctl {
    ImgctlModule::ToDIB Read;
    ImgctlModule::HeadDIB Head;
    ImgctlModule::MapDIB Map;
    ImgctlModule::ResizeDIB Resize;
    ImgctlModule::DIBtoBMP Write;
    ImgctlModule::DeleteDIB Delete;
};

std::string ArchiverPath()
{
    return std::string(PlugInModule::kFolder) + "\\" + Unlha32Module::kFileName;
}

const Unlha32& Archiver()
{
#ifdef DAYLENS_FUZZ_SANITIZED
    static const Unlha32 exports = {Unlha, UnlhaOpenArchive, UnlhaFindFirst, UnlhaFindNext, UnlhaCloseArchive,
                                    UnlhaExtractMem};
#else
    static const Unlha32 exports = [] {
        HMODULE dll = DistLibrary(ArchiverPath().c_str());
        return Unlha32{FindExport(dll, Unlha32Module::kUnlha),           FindExport(dll, Unlha32Module::kUnlhaOpenArchive),
                       FindExport(dll, Unlha32Module::kUnlhaFindFirst),  FindExport(dll, Unlha32Module::kUnlhaFindNext),
                       FindExport(dll, Unlha32Module::kUnlhaCloseArchive), FindExport(dll, Unlha32Module::kUnlhaExtractMem)};
    }();
#endif
    return exports;
}

const Imgctl& Pictures()
{
#ifdef DAYLENS_FUZZ_SANITIZED
    static const Imgctl exports = {ToDIB, HeadDIB, MapDIB, ResizeDIB, DIBtoBMP, DeleteDIB};
#else
    static const Imgctl exports = [] {
        HMODULE dll = DistLibrary(ImgctlModule::kFileName);
        return Imgctl{FindExport(dll, ImgctlModule::kToDIB),     FindExport(dll, ImgctlModule::kHeadDIB),
                      FindExport(dll, ImgctlModule::kMapDIB),    FindExport(dll, ImgctlModule::kResizeDIB),
                      FindExport(dll, ImgctlModule::kDIBtoBMP),  FindExport(dll, ImgctlModule::kDeleteDIB)};
    }();
#endif
    return exports;
}

// Text in a block that ends at a page without access, NUL included, for the exports that read C strings.
class GuardedText {
public:
    explicit GuardedText(const std::string& text) : text_(BeforeGuardPage(text.c_str(), text.size() + 1, false, &block_)) {}
    ~GuardedText()
    {
        if (text_)
            VirtualFree(block_, 0, MEM_RELEASE);
    }
    GuardedText(const GuardedText&) = delete;
    GuardedText& operator=(const GuardedText&) = delete;

    const char* Text() const { return text_ ? text_ : ""; }

private:
    void* block_ = nullptr;
    const char* text_;
};

// A writable buffer that ends at a page without access.
class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t size) : size_(size), bytes_((BYTE*)BeforeGuardPage(nullptr, size, true, &block_)) {}
    ~GuardedBuffer()
    {
        if (bytes_)
            VirtualFree(block_, 0, MEM_RELEASE);
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    BYTE* Bytes() const { return bytes_; }
    DWORD Size() const { return bytes_ ? (DWORD)size_ : 0; }

private:
    void* block_ = nullptr;
    size_t size_;
    BYTE* bytes_;
};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The memo files the command lines name, and an archive of them as memo export writes it.
const char* const kMemoFiles[] = {"20190415.txt", "201904.txt", "会議表.txt"};

std::string MemoFileText(int index)
{
    return index == 0 ? "[20190415]\r\nMarkType=1\r\nMemo=会議&n予定表\r\n"
                      : index == 1 ? "[20190401]\r\nMemo=a\r\n[20190430]\r\nTime=9:30\r\nMemo=ソフト\r\n" : "能力";
}

const std::string& MemoArchive()
{
    static const std::string archive = [] {
        std::vector<Lzh::NewFile> files;
        for (int i = 0; i < 3; i++) {
            std::string text = MemoFileText(i);
            files.push_back({kMemoFiles[i], std::vector<uint8_t>(text.begin(), text.end()), 1555286400u});
        }
        std::vector<uint8_t> bytes;
        Lzh::AddToArchive({}, files, &bytes);
        return std::string(bytes.begin(), bytes.end());
    }();
    return archive;
}

void PrepareMemoFiles(const char* folder)
{
    for (int i = 0; i < 3; i++) {
        std::string text = MemoFileText(i);
        WriteCaseFile(folder, kMemoFiles[i], text.data(), text.size());
    }
    WriteCaseFile(folder, "memo.lzh", MemoArchive().data(), MemoArchive().size());
}

template <size_t N>
std::string Pick(FuzzRandom& random, const char* const (&words)[N])
{
    return words[random.Below((uint32_t)N)];
}

// The words of a line joined by blanks or tabs, each quoted or not, now and then a quote left open.
std::string CommandLine(FuzzRandom& random, const std::vector<std::string>& words)
{
    static const char* const kBlanks[] = {" ", " ", "  ", "\t", " \t "};
    std::string line = random.OneIn(8) ? " " : "";
    for (size_t i = 0; i < words.size(); i++) {
        line += i ? Pick(random, kBlanks) : "";
        line += random.OneIn(2) ? Quoted(words[i]) : random.OneIn(16) ? "\"" + words[i] : words[i];
    }
    return line;
}

void PutLe(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out += (char)(value >> (8 * i));
}

void PutBe(std::string& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; i--)
        out += (char)(value >> (8 * i));
}

std::string RandomBytes(FuzzRandom& random, size_t count)
{
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = (char)random.Below(256);
    return bytes;
}

// A BMP of 1 to 32 bits, with a core, an info or a V4/V5 header, a palette, masks or run-length pixels.
std::string BmpSample(FuzzRandom& random)
{
    static const int kBits[] = {1, 4, 8, 16, 24, 32};
    static const uint32_t kHeaderSizes[] = {12, 40, 40, 40, 108, 124};
    int bits = kBits[random.Below(6)];
    int width = 1 + (int)random.Below(kMaxPictureSide), height = 1 + (int)random.Below(kMaxPictureSide);
    uint32_t headerSize = kHeaderSizes[random.Below(6)];
    bool core = headerSize == 12;
    uint32_t compression = BI_RGB;
    if (!core && random.OneIn(3))
        compression = bits == 8 ? BI_RLE8 : bits == 4 ? BI_RLE4 : bits >= 16 ? BI_BITFIELDS : BI_RGB;
    uint32_t fullPalette = bits <= 8 ? 1u << bits : 0;
    uint32_t colors = random.OneIn(4) ? random.Below(fullPalette + 1) : fullPalette;
    std::string pixels;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x += 8)
                pixels += (char)(1 + random.Below(8)), pixels += (char)random.Below(256);
            pixels += random.OneIn(8) ? std::string("\0\2\3\1", 4) : std::string("\0\0", 2);
        }
        pixels += std::string("\0\1", 2);
    } else {
        pixels = RandomBytes(random, (size_t)((width * bits + 31) / 32 * 4) * height);
    }
    std::string header;
    PutLe(header, headerSize, 4);
    PutLe(header, (uint32_t)width, core ? 2 : 4);
    PutLe(header, (uint32_t)(random.OneIn(4) && !core ? -height : height), core ? 2 : 4);
    PutLe(header, 1, 2);
    PutLe(header, (uint32_t)bits, 2);
    if (!core) {
        PutLe(header, compression, 4);
        PutLe(header, compression == BI_RGB ? 0 : (uint32_t)pixels.size(), 4);
        PutLe(header, 2835, 4), PutLe(header, 2835, 4);
        PutLe(header, colors == fullPalette ? 0 : colors, 4), PutLe(header, 0, 4);
        header += RandomBytes(random, headerSize - 40);
        if (compression == BI_BITFIELDS && headerSize == 40)
            PutLe(header, bits == 16 ? 0xF800 : 0xFF0000, 4), PutLe(header, bits == 16 ? 0x07E0 : 0xFF00, 4),
                PutLe(header, bits == 16 ? 0x001F : 0xFF, 4);
    }
    header += RandomBytes(random, colors * (core ? 3 : 4));
    std::string file = "BM";
    PutLe(file, (uint32_t)(14 + header.size() + pixels.size()), 4);
    PutLe(file, 0, 4);
    PutLe(file, (uint32_t)(14 + header.size()), 4);
    return file + header + pixels;
}

uint32_t Crc32(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= (uint8_t)c;
        for (int bit = 0; bit < 8; bit++)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

void PutChunk(std::string& png, const char* type, const std::string& data)
{
    PutBe(png, (uint32_t)data.size(), 4);
    std::string body = type + data;
    png += body;
    PutBe(png, Crc32(body), 4);
}

// data as a zlib stream of stored blocks.
std::string StoredZlib(const std::string& data)
{
    std::string out = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (char c : data)
        a = (a + (uint8_t)c) % 65521, b = (b + a) % 65521;
    size_t at = 0;
    do {
        size_t length = data.size() - at < 65535 ? data.size() - at : 65535;
        out += (char)(at + length == data.size() ? 1 : 0);
        PutLe(out, (uint32_t)length, 2);
        PutLe(out, (uint32_t)~length & 0xFFFF, 2);
        out += data.substr(at, length);
        at += length;
    } while (at < data.size());
    PutBe(out, b << 16 | a, 4);
    return out;
}

// A PNG of each colour type and its bit depths, palette and transparency where they belong, filtered rows.
std::string PngSample(FuzzRandom& random)
{
    static const int kTypes[] = {0, 2, 3, 4, 6};
    static const int kChannels[] = {1, 3, 1, 2, 4};
    int kind = (int)random.Below(5);
    int type = kTypes[kind];
    int depth = type == 0 ? 1 << random.Below(5) : type == 3 ? 1 << random.Below(4) : 8 << random.Below(2);
    int width = 1 + (int)random.Below(kMaxPictureSide), height = 1 + (int)random.Below(kMaxPictureSide);
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string header;
    PutBe(header, (uint32_t)width, 4), PutBe(header, (uint32_t)height, 4);
    header += (char)depth, header += (char)type, header += '\0', header += '\0';
    header += (char)(random.OneIn(8) ? 1 : 0);
    PutChunk(png, "IHDR", header);
    if (type == 3)
        PutChunk(png, "PLTE", RandomBytes(random, 3 * (1 + random.Below(1u << depth))));
    if (random.OneIn(4))
        PutChunk(png, "tRNS", RandomBytes(random, type == 2 ? 6 : type == 0 ? 2 : 1 + random.Below(8)));
    std::string rows;
    size_t rowBytes = ((size_t)width * kChannels[kind] * depth + 7) / 8;
    for (int y = 0; y < height; y++)
        rows += (char)random.Below(5), rows += RandomBytes(random, rowBytes);
    std::string zlib = StoredZlib(rows);
    size_t split = random.OneIn(4) ? random.Below((uint32_t)zlib.size()) : zlib.size();
    PutChunk(png, "IDAT", zlib.substr(0, split));
    if (split < zlib.size())
        PutChunk(png, "IDAT", zlib.substr(split));
    PutChunk(png, "IEND", "");
    return png;
}

void PutSegment(std::string& jpeg, uint8_t marker, const std::string& data)
{
    jpeg += '\xFF';
    jpeg += (char)marker;
    PutBe(jpeg, (uint32_t)data.size() + 2, 2);
    jpeg += data;
}

// A baseline (or progressive-marked) JPEG of one or three components whose Huffman tables hold one code each,
// so that a scan of zero bits is blocks of grey; or a scan of random bytes.
std::string JpegSample(FuzzRandom& random)
{
    int width = 1 + (int)random.Below(kMaxPictureSide), height = 1 + (int)random.Below(kMaxPictureSide);
    int components = random.OneIn(2) ? 1 : 3;
    std::string jpeg = "\xFF\xD8";
    PutSegment(jpeg, 0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    std::string table(1, '\0');
    for (int i = 0; i < 64; i++)
        table += (char)(1 + random.Below(64));
    PutSegment(jpeg, 0xDB, table);
    std::string frame(1, '\x08');
    PutBe(frame, (uint32_t)height, 2), PutBe(frame, (uint32_t)width, 2);
    frame += (char)components;
    for (int c = 1; c <= components; c++)
        frame += (char)c, frame += (char)(c == 1 && random.OneIn(2) ? 0x22 : 0x11), frame += '\0';
    PutSegment(jpeg, random.OneIn(8) ? 0xC2 : 0xC0, frame);
    for (int tableClass = 0; tableClass < 2; tableClass++) {
        std::string huffman(1, (char)(tableClass << 4));
        huffman += '\1';
        huffman += std::string(15, '\0');
        huffman += '\0';
        PutSegment(jpeg, 0xC4, huffman);
    }
    std::string scan(1, (char)components);
    for (int c = 1; c <= components; c++)
        scan += (char)c, scan += '\0';
    scan += std::string("\0\x3F\0", 3);
    PutSegment(jpeg, 0xDA, scan);
    size_t blocks = (size_t)((width + 15) / 8) * ((height + 15) / 8) * (components + 3);
    std::string data = random.OneIn(4) ? RandomBytes(random, random.Below(512)) : std::string(blocks / 4 + 1, '\0');
    for (char c : data)
        jpeg += c, jpeg += c == '\xFF' ? std::string(1, '\0') : "";
    return jpeg + "\xFF\xD9";
}

// A GIF whose image data is a valid LZW stream of literal codes (a clear code before the table would grow).
std::string GifSample(FuzzRandom& random)
{
    int width = 1 + (int)random.Below(kMaxPictureSide), height = 1 + (int)random.Below(kMaxPictureSide);
    int tableBits = 1 + (int)random.Below(8);
    std::string gif = random.OneIn(2) ? "GIF89a" : "GIF87a";
    PutLe(gif, (uint32_t)width, 2), PutLe(gif, (uint32_t)height, 2);
    gif += (char)(0x80 | 0x70 | (tableBits - 1)), gif += '\0', gif += '\0';
    gif += RandomBytes(random, 3u << tableBits);
    if (random.OneIn(2))
        gif += std::string("\x21\xF9\x04\x01\0\0\0\0", 8);
    gif += '\x2C';
    PutLe(gif, 0, 2), PutLe(gif, 0, 2), PutLe(gif, (uint32_t)width, 2), PutLe(gif, (uint32_t)height, 2);
    gif += (char)(random.OneIn(8) ? 0x40 : 0);
    int minimum = tableBits < 2 ? 2 : tableBits;
    gif += (char)minimum;
    uint32_t clear = 1u << minimum, codeBits = minimum + 1;
    std::string packed;
    uint32_t bits = 0, held = 0, sinceClear = 0;
    auto put = [&](uint32_t code) {
        bits |= code << held;
        for (held += codeBits; held >= 8; held -= 8, bits >>= 8)
            packed += (char)bits;
    };
    put(clear);
    for (int i = 0; i < width * height; i++) {
        if (++sinceClear == clear - 2)
            put(clear), sinceClear = 1;
        put(random.Below(1u << tableBits));
    }
    put(clear + 1);
    if (held)
        packed += (char)bits;
    for (size_t at = 0; at < packed.size(); at += 255) {
        std::string block = packed.substr(at, 255);
        gif += (char)block.size();
        gif += block;
    }
    return gif + std::string("\0\x3B", 2);
}

// Lists an open archive's entries matching pattern, up to the bound.
std::vector<UnlhaEntryRecord> ListEntries(const Unlha32& dll, HARC archive, const char* pattern)
{
    std::vector<UnlhaEntryRecord> records;
    UnlhaEntryRecord record;
    for (int found = dll.FindFirst(archive, pattern, &record); found != kNoEntry && records.size() < kMaxEntries;
         found = dll.FindNext(archive, &record))
        records.push_back(record);
    return records;
}

// One command line given to each export that takes one: run, extract, open (and list), and as a name pattern.
void RunCommandLine(const Unlha32& dll, const std::string& line, size_t variant)
{
    GuardedText command(line);
    GuardedBuffer output(1 + variant % 3 * 100);
    dll.Run(nullptr, command.Text(), (char*)output.Bytes(), variant % 5 == 0 ? 0 : output.Size());
    GuardedBuffer unpacked(kCommandBufferSize >> variant % 8);
    time_t time = 0;
    WORD attribute = 0;
    DWORD written = 0;
    dll.Extract(nullptr, command.Text(), unpacked.Bytes(), unpacked.Size(), &time, &attribute, &written);
    if (HARC archive = dll.Open(nullptr, command.Text(), kOpenMode)) {
        ListEntries(dll, archive, "*");
        dll.Close(archive);
    }
    if (HARC archive = dll.Open(nullptr, "\"memo.lzh\"", kOpenMode)) {
        ListEntries(dll, archive, command.Text());
        dll.Close(archive);
    }
}

}  // namespace

// Add, extract and open commands and name patterns as memo export and import write them and as a user might type
// them, over the files of the case's folder (relative, or absolute through "%F").
std::string UnlhaCommandSample(FuzzRandom& random, bool)
{
    static const char* const kArchives[] = {"memo.lzh", "%Fmemo.lzh", "out.lzh", "%Fout.lzh", "missing.lzh", "%F"};
    static const char* const kFiles[] = {"20190415.txt", "%F201904.txt", "会議表.txt", "%F20190415.txt", "memo.lzh"};
    static const char* const kOddFiles[] = {"missing.txt", "%F", "sub\\20190415.txt", "", "*.txt", "CON"};
    static const char* const kEntries[] = {"20190415.txt", "201904.txt", "会議表.txt", "20190415.TXT",
                                           "memo\\20190415.txt", "*.txt", ""};
    static const char* const kPatterns[] = {"*.txt", "*", "2019*", "????????.txt", "*.TXT", "会議*", "**", "*?", "",
                                            "*表*"};
    static const char* const kSwitchWords[] = {kSwitches, "-", "--", "-r", "-x1", "-gm1", "/x", "-r0x0a1n1gm1-"};
    static const char* const kCommands[] = {"a", "A", "x", "e", ""};
    std::string text;
    for (int n = 1 + (int)random.Below(8); n > 0; --n) {
        std::vector<std::string> words;
        switch (random.Below(4)) {
        case 0:
            words = {random.OneIn(4) ? Pick(random, kCommands) : "a", Pick(random, kSwitchWords), Pick(random, kArchives)};
            for (int files = (int)random.Below(5); files > 0; --files)
                words.push_back(random.OneIn(8) ? Pick(random, kOddFiles) : Pick(random, kFiles));
            break;
        case 1: words = {Pick(random, kSwitchWords), Pick(random, kArchives), Pick(random, kEntries)}; break;
        case 2: words = {Pick(random, kArchives)}; break;
        default: words = {Pick(random, kPatterns)}; break;
        }
        for (int extra = random.OneIn(4) ? 1 + (int)random.Below(3) : 0; extra > 0; --extra)
            words.insert(words.begin() + random.Below((uint32_t)words.size() + 1), random.Text(1));
        text += CommandLine(random, words) + (random.OneIn(4) ? "\r\n" : "\n");
    }
    return text;
}

// Archives of memo files (named by a day, a month or otherwise, some in a folder) and other files, with headers
// of levels 0, 1 and 2, stored or packed.
std::string MemoArchiveSample(FuzzRandom& random, bool impossible)
{
    static const char* const kMethods[] = {"-lh0-", "-lh5-", "-lh6-", "-lh7-"};
    static const char* const kNameForms[] = {"%04d%02d%02d.txt", "%04d%02d.txt", "%04d%02d%02d.TXT", "%d-%d-%d.txt"};
    std::string archive;
    for (int n = 1 + (int)random.Below(4); n > 0; --n) {
        int y, m, d;
        random.Date(impossible, &y, &m, &d);
        char name[64];
        snprintf(name, sizeof(name), Pick(random, kNameForms).c_str(), y, m, d);
        std::string text = random.OneIn(4) ? random.Text(1 + (int)random.Below(40)) : DayMemoSample(random, impossible);
        std::vector<uint8_t> data(text.begin(), text.end());
        std::string method = Pick(random, kMethods);
        std::string directory = random.OneIn(4) ? "memo\\" : "";
        std::string file = random.OneIn(8) ? random.Text(1) + ".txt" : name;
        std::vector<uint8_t> entry;
        switch (random.Below(3)) {
        case 0: entry = LzhFixtures::Level0Entry(directory + file, method, data, (uint32_t)random.Next()); break;
        case 1: entry = LzhFixtures::Level1Entry(file, method, data, (uint32_t)random.Next(), directory); break;
        default: entry = LzhFixtures::Level2Entry(file, method, data, (uint32_t)random.Next(), directory); break;
        }
        archive.append(entry.begin(), entry.end());
    }
    if (!random.OneIn(4))
        archive += '\0';
    return archive;
}

std::string PictureSample(FuzzRandom& random, bool)
{
    switch (random.Below(4)) {
    case 0: return BmpSample(random);
    case 1: return PngSample(random);
    case 2: return JpegSample(random);
    default: return GifSample(random);
    }
}


// Each line (up to a bound) as a command line of every export, over an archive of memo files and the files to
// add; then the whole input as one command line.
void RunUnlhaCommands(const char* data, size_t size, const char* folder)
{
    const Unlha32& dll = Archiver();
    PrepareMemoFiles(folder);
    std::string text = InCaseFolder(data, size - 1, folder);
    size_t lines = 0;
    for (size_t at = 0; at < text.size() && lines < kMaxCommandLines; lines++) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end;
        RunCommandLine(dll, text.substr(at, end - at), lines + size);
        at = end + 1;
    }
    dll.Run(nullptr, data, nullptr, 0);
    BYTE unpacked[256];
    dll.Extract(nullptr, data, unpacked, sizeof(unpacked), nullptr, nullptr, nullptr);
    if (HARC archive = dll.Open(nullptr, data, kOpenMode))
        dll.Close(archive);
}

// The archive listed and each entry unpacked (into a buffer of its size and one a byte short), imported by the memo
// import through the install folder's archiver, then a file added to it, which reads its entries first.
void RunUnlhaArchive(const char* data, size_t size, const char* folder)
{
    const Unlha32& dll = Archiver();
    std::string path = WriteCaseFile(folder, "import.lzh", data, size);
    std::vector<UnlhaEntryRecord> records;
    if (HARC archive = dll.Open(nullptr, Quoted(path).c_str(), kOpenMode)) {
        records = ListEntries(dll, archive, "*");
        ListEntries(dll, archive, "*.txt");
        dll.Close(archive);
    }
    for (const UnlhaEntryRecord& record : records) {
        GuardedText command(std::string(kSwitches) + " " + Quoted(path) + " " + Quoted(record.FileName));
        DWORD fits = record.OriginalSize < kMaxUnpacked ? record.OriginalSize : kMaxUnpacked;
        for (DWORD capacity : {fits, fits ? fits - 1 : 0}) {
            GuardedBuffer unpacked(capacity);
            DWORD written = 0;
            dll.Extract(nullptr, command.Text(), unpacked.Bytes(), unpacked.Size(), nullptr, nullptr, &written);
        }
    }
    DistLibrary(ArchiverPath().c_str());
    static MemoSettings memo;
    memset(&memo, 0, sizeof(memo));
    snprintf(memo.MemoDir, sizeof(memo.MemoDir), "%s", folder);
    MemoExchangePlace place = {&memo, nullptr, DistFolder().c_str()};
    ImportMemoFile(&place, path.c_str(), nullptr);
    PrepareMemoFiles(folder);
    dll.Run(nullptr, ("a " + std::string(kSwitches) + " " + Quoted(path) + " 20190415.txt 会議表.txt").c_str(), nullptr, 0);
}

// The picture read, its header, its corner pixels, a smaller and a larger copy, and the picture written as a BMP
// and read back.
void RunPicture(const char* data, size_t size, const char* folder)
{
    const Imgctl& dll = Pictures();
    std::string path = WriteCaseFile(folder, "picture", data, size);
    HDIB picture = dll.Read(path.c_str());
    if (!picture)
        return;
    BITMAPINFOHEADER header = {};
    dll.Head(picture, &header);
    void* pixels = nullptr;
    dll.Map(picture, 0, 0, &pixels, 0);
    dll.Map(picture, header.biWidth - 1, header.biHeight - 1, &pixels, 0);
    for (int scale : {3, -2}) {
        int width = scale > 0 ? 1 + header.biWidth / scale : header.biWidth * -scale;
        int height = scale > 0 ? 1 + header.biHeight / scale : header.biHeight * -scale;
        if (width <= 4 * kMaxPictureSide && height <= 4 * kMaxPictureSide)
            dll.Delete(dll.Resize(picture, width, height));
    }
    std::string copy = std::string(folder) + "\\copy.bmp";
    if (dll.Write(copy.c_str(), picture))
        dll.Delete(dll.Read(copy.c_str()));
    dll.Delete(picture);
}
