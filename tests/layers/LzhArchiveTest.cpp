// The LZH format code: entries packed and read back, the header levels other archivers write, and damaged
// archives refused without reading or writing outside the buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LzhArchive.h"
#include "LzhFixtures.h"

using LzhFixtures::Bytes;

namespace {

// A pseudo-random text with repeats, so that packing finds matches of every distance.
std::vector<uint8_t> Sample(size_t size, uint32_t seed)
{
    std::vector<uint8_t> data;
    uint32_t x = seed;
    while (data.size() < size) {
        x = x * 1103515245 + 12345;
        if ((x >> 16) % 3 == 0 && data.size() > 300) {
            size_t from = (x >> 8) % data.size();
            for (size_t k = 0; k < 3 + (x >> 24) % 200 && data.size() < size; k++)
                data.push_back(data[from + k]);
        } else {
            data.push_back((uint8_t)("abcdefgh 0123\r\n日本語"[(x >> 16) % 21]));
        }
    }
    return data;
}

std::vector<uint8_t> Extract(const std::vector<uint8_t>& archive, const Lzh::Entry& entry, bool* ok)
{
    std::vector<uint8_t> out(entry.OriginalSize);
    *ok = Lzh::ExtractEntry(archive.data(), archive.size(), entry, out.data(), out.size());
    return out;
}

std::vector<Lzh::Entry> Entries(const std::vector<uint8_t>& archive)
{
    std::vector<Lzh::Entry> entries;
    EXPECT_TRUE(Lzh::ReadEntries(archive.data(), archive.size(), &entries));
    return entries;
}

}  // namespace

TEST(LzhArchiveTest, Crc16HasTheCheckValueOfItsPolynomial)
{
    EXPECT_EQ(0xBB3D, Lzh::Crc16(0, (const uint8_t*)"123456789", 9));
}

TEST(LzhArchiveTest, SeveralEntriesPackAndReadBack)
{
    std::vector<Lzh::NewFile> files = {
        {"20190401.txt", Bytes("[20190401]\r\nMemo=花見\r\n"), 1554076800},
        {"201904.txt", Sample(200000, 7), 1554076800},  // several blocks of codes
        {"empty.txt", {}, 0},
        {"same.bin", std::vector<uint8_t>(70000, 'x'), 0},  // one code and one distance a block
    };
    std::vector<uint8_t> noise(5000);
    uint32_t x = 1;
    for (uint8_t& b : noise) {
        x = x * 1664525 + 1013904223;
        b = (uint8_t)(x >> 24);
    }
    files.push_back({"noise.bin", noise, 0});

    std::vector<uint8_t> archive;
    ASSERT_TRUE(Lzh::AddToArchive({}, files, &archive));
    std::vector<Lzh::Entry> entries = Entries(archive);
    ASSERT_EQ(files.size(), entries.size());
    for (size_t i = 0; i < files.size(); i++) {
        SCOPED_TRACE(files[i].Name);
        EXPECT_EQ(files[i].Name, entries[i].Name);
        EXPECT_EQ(2, entries[i].Level);
        bool ok = false;
        EXPECT_EQ(files[i].Data, Extract(archive, entries[i], &ok));
        EXPECT_TRUE(ok);
    }
    EXPECT_STREQ("-lh5-", entries[1].Method);
    EXPECT_LT(entries[1].CompressedSize, 200000u / 2);
    EXPECT_STREQ("-lh0-", entries[4].Method);  // packing would not make it smaller
    EXPECT_EQ(0x4E810000u, entries[0].DosTime);  // 2019-04-01 00:00:00 UTC

    // Adding again replaces the entry of the same name (case ignored) and keeps the others.
    std::vector<uint8_t> updated;
    ASSERT_TRUE(Lzh::AddToArchive(archive, {{"20190401.TXT", Bytes("new"), 0}}, &updated));
    entries = Entries(updated);
    ASSERT_EQ(files.size(), entries.size());
    EXPECT_EQ("20190401.TXT", entries.back().Name);
    bool ok = false;
    EXPECT_EQ(Bytes("new"), Extract(updated, entries.back(), &ok));
    EXPECT_EQ(Sample(200000, 7), Extract(updated, entries[0], &ok));
}

TEST(LzhArchiveTest, LargerDictionariesPackAndUnpack)
{
    std::vector<uint8_t> data = Sample(150000, 3);
    data.insert(data.end(), data.begin(), data.begin() + 40000);  // a match 150000 bytes back
    for (int bits : {13, 15, 16}) {
        std::vector<uint8_t> packed = Lzh::Encode(bits, data.data(), data.size());
        std::vector<uint8_t> out(data.size());
        EXPECT_TRUE(Lzh::Decode(bits, packed.data(), packed.size(), out.data(), out.size())) << bits;
        EXPECT_EQ(data, out) << bits;
    }
}

TEST(LzhArchiveTest, ReadsHeaderLevelsZeroOneAndTwo)
{
    std::vector<uint8_t> text = Sample(3000, 11);
    uint32_t dosTime = (uint32_t)((39 << 9 | 4 << 5 | 1) << 16 | (12 << 11 | 30 << 5));
    std::vector<uint8_t> archive;
    auto add = [&](const std::vector<uint8_t>& entry) { archive.insert(archive.end(), entry.begin(), entry.end()); };
    add(LzhFixtures::Level0Entry("A.TXT", "-lh0-", text, dosTime));
    add(LzhFixtures::Level0Entry("B.TXT", "-lh5-", text, dosTime));
    add(LzhFixtures::Level1Entry("c.txt", "-lh0-", text, dosTime, ""));
    add(LzhFixtures::Level1Entry("d.txt", "-lh5-", text, dosTime, "memo\\2019\\"));
    add(LzhFixtures::Level2Entry("e.txt", "-lh6-", text, 1554121800, ""));
    add(LzhFixtures::Level2Entry("f.txt", "-lh7-", text, 1554121800, "memo\\"));
    archive.push_back(0);

    std::vector<Lzh::Entry> entries = Entries(archive);
    const char* const names[] = {"A.TXT", "B.TXT", "c.txt", "memo\\2019\\d.txt", "e.txt", "memo\\f.txt"};
    const int levels[] = {0, 0, 1, 1, 2, 2};
    ASSERT_EQ(6u, entries.size());
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(names[i], entries[i].Name);
        EXPECT_EQ(levels[i], entries[i].Level);
        EXPECT_EQ(text.size(), entries[i].OriginalSize);
        bool ok = false;
        EXPECT_EQ(text, Extract(archive, entries[i], &ok));
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(dosTime, entries[3].DosTime);
    EXPECT_EQ(dosTime, entries[4].DosTime);  // 2019-04-01 12:30:00 UTC
}

TEST(LzhArchiveTest, DamagedArchivesAreRefused)
{
    std::vector<uint8_t> text = Sample(3000, 5);
    std::vector<uint8_t> level0 = LzhFixtures::Level0Entry("a.txt", "-lh5-", text, 0);
    std::vector<uint8_t> level2 = LzhFixtures::Level2Entry("b.txt", "-lh5-", text, 0, "");
    std::vector<Lzh::Entry> entries;
    auto readable = [&](std::vector<uint8_t> archive) {
        return Lzh::ReadEntries(archive.data(), archive.size(), &entries);
    };
    auto damaged = [](std::vector<uint8_t> bytes, size_t at, uint8_t value) {
        bytes[at] = value;
        return bytes;
    };
    ASSERT_TRUE(readable(level0));
    ASSERT_TRUE(readable(level2));
    EXPECT_FALSE(readable(damaged(level0, 1, level0[1] + 1)));         // checksum
    EXPECT_FALSE(readable(damaged(level0, 21, 200)));                  // name beyond the header
    EXPECT_FALSE(readable(damaged(level0, 10, 0x7F)));                 // data beyond the archive
    EXPECT_FALSE(readable(damaged(level2, 28, level2[28] ^ 1)));       // header CRC
    EXPECT_FALSE(readable(damaged(level2, 1, 0x7F)));                  // header beyond the archive
    EXPECT_FALSE(readable(damaged(damaged(level2, 0, 20), 1, 0)));     // header shorter than its fields
    EXPECT_FALSE(readable(damaged(level2, 20, 3)));                    // unknown level
    EXPECT_FALSE(readable(std::vector<uint8_t>(level0.begin(), level0.begin() + 30)));  // cut

    // A name longer than any name slot.
    EXPECT_FALSE(readable(LzhFixtures::Level2Entry(std::string(600, 'n'), "-lh0-", text, 0, "")));

    // Damaged packed data: an error or some data, never more than the original size written.
    std::vector<uint8_t> packed = Lzh::Encode(13, text.data(), text.size());
    for (size_t at = 0; at < packed.size(); at += 7) {
        std::vector<uint8_t> bad = damaged(packed, at, packed[at] ^ 0x5A);
        std::vector<uint8_t> out(text.size() + 16, 0xEE);
        Lzh::Decode(13, bad.data(), bad.size(), out.data(), text.size());
        EXPECT_TRUE(std::all_of(out.end() - 16, out.end(), [](uint8_t b) { return b == 0xEE; })) << at;
    }
    EXPECT_FALSE(Lzh::Decode(13, packed.data(), packed.size() / 2, std::vector<uint8_t>(text.size()).data(),
                             text.size()));  // cut

    // A block of one code and one distance, written by hand: three literals 'a', or a match at the start,
    // which would copy from before the data.
    auto block = [](uint32_t code) {
        uint64_t bits = 0;
        auto put = [&](int n, uint32_t v) { bits = bits << n | v; };
        put(16, 3);  // codes in the block
        put(5, 0);   // length table: one symbol
        put(5, 0);
        put(9, 0);   // code table: one code
        put(9, code);
        put(4, 0);   // distance table: one symbol, distance 1
        put(4, 0);
        bits <<= 64 - 52;
        std::vector<uint8_t> bytes;
        for (int i = 0; i < 7; i++)
            bytes.push_back((uint8_t)(bits >> (56 - 8 * i)));
        return bytes;
    };
    std::vector<uint8_t> out(3);
    std::vector<uint8_t> literals = block('a');
    EXPECT_TRUE(Lzh::Decode(13, literals.data(), literals.size(), out.data(), 3));
    EXPECT_EQ(Bytes("aaa"), out);
    std::vector<uint8_t> early = block(256);
    EXPECT_FALSE(Lzh::Decode(13, early.data(), early.size(), out.data(), 3));

    // A CRC that does not match the data, and a buffer smaller than the entry.
    std::vector<uint8_t> wrongCrc = damaged(level0, 22 + 5, level0[22 + 5] ^ 1);
    wrongCrc[1] = (uint8_t)(level0[1] - level0[22 + 5] + wrongCrc[22 + 5]);
    ASSERT_TRUE(readable(wrongCrc));
    std::vector<uint8_t> buffer(text.size());
    EXPECT_FALSE(Lzh::ExtractEntry(wrongCrc.data(), wrongCrc.size(), entries[0], buffer.data(), buffer.size()));
    ASSERT_TRUE(readable(level0));
    EXPECT_TRUE(Lzh::ExtractEntry(level0.data(), level0.size(), entries[0], buffer.data(), buffer.size()));
    EXPECT_FALSE(Lzh::ExtractEntry(level0.data(), level0.size(), entries[0], buffer.data(), buffer.size() - 1));
}

TEST(LzhArchiveTest, NamesMatchWildcardsWithoutCase)
{
    EXPECT_TRUE(Lzh::MatchName("*.txt", "20190401.TXT"));
    EXPECT_TRUE(Lzh::MatchName("*.txt", "a.b.txt"));
    EXPECT_TRUE(Lzh::MatchName("2019??.*", "201904.txt"));
    EXPECT_TRUE(Lzh::MatchName("*", ""));
    EXPECT_FALSE(Lzh::MatchName("*.txt", "201904.txt.bak"));
    EXPECT_FALSE(Lzh::MatchName("?", "表x"));
    // A Shift-JIS character is one character; its trail byte is no path separator and no letter.
    EXPECT_TRUE(Lzh::MatchName("?.txt", "表.txt"));
    EXPECT_FALSE(Lzh::MatchName("*\\.txt", "表.txt"));
    EXPECT_EQ("表.txt", Lzh::BareName("c:\\memo\\表.txt"));
    EXPECT_EQ("x.txt", Lzh::BareName("c:/memo/x.txt"));
    EXPECT_TRUE(Lzh::SameName("Memo.TXT", "memo.txt"));
    EXPECT_FALSE(Lzh::SameName("ア", "ｱ"));
}
