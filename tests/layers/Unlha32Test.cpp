// unlha32.dll as memo export and import call it: "a" with quoted paths, the find functions over "*.txt" and
// extraction to memory by the memo import's command line.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "Unlha32Module.h"

namespace {

const char kSwitches[] = "-r0x0a1n1gm1";

class Unlha32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        dll_ = LoadLibraryA(DAYLENS_DIST_DIR "\\PlugIn\\unlha32.dll");
        ASSERT_NE(nullptr, dll_);
        unlha_ = FindExport(dll_, Unlha32Module::kUnlha);
        open_ = FindExport(dll_, Unlha32Module::kUnlhaOpenArchive);
        findFirst_ = FindExport(dll_, Unlha32Module::kUnlhaFindFirst);
        findNext_ = FindExport(dll_, Unlha32Module::kUnlhaFindNext);
        close_ = FindExport(dll_, Unlha32Module::kUnlhaCloseArchive);
        extract_ = FindExport(dll_, Unlha32Module::kUnlhaExtractMem);
        ASSERT_TRUE(unlha_ && open_ && findFirst_ && findNext_ && close_ && extract_);
        ASSERT_TRUE(folder_.Create("unlha32"));
    }
    void TearDown() override
    {
        if (dll_)
            FreeLibrary(dll_);
    }

    std::string Write(const char* name, const std::string& text)
    {
        std::string path = folder_.Path(name);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
        CloseHandle(file);
        return path;
    }

    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

    // The names "*.txt" finds, each with its size, as the memo import collects them.
    std::string List(const std::string& archive)
    {
        HARC handle = open_(nullptr, Quoted(archive).c_str(), 512);
        if (!handle)
            return "(none)";
        std::string list;
        UnlhaEntryRecord record;
        for (int found = findFirst_(handle, "*.txt", &record); found != -1; found = findNext_(handle, &record)) {
            const BYTE* slot = (const BYTE*)&record;
            list += std::string((const char*)slot + 22) + ":" + std::to_string(*(const DWORD*)slot) + " ";
        }
        close_(handle);
        return list;
    }

    int Extract(const std::string& archive, const char* name, std::string* text, DWORD size)
    {
        std::string command = std::string(kSwitches) + " " + Quoted(archive) + " " + Quoted(name);
        std::string buffer(size + 1, '\0');
        DWORD written = 0;
        time_t time = 0;
        int result = extract_(nullptr, command.c_str(), (BYTE*)&buffer[0], size, &time, nullptr, &written);
        *text = buffer.substr(0, written);
        return result;
    }

    HMODULE dll_ = nullptr;
    TempFolder folder_;
    Unlha32Module::Unlha unlha_ = nullptr;
    Unlha32Module::UnlhaOpenArchive open_ = nullptr;
    Unlha32Module::UnlhaFindFirst findFirst_ = nullptr;
    Unlha32Module::UnlhaFindNext findNext_ = nullptr;
    Unlha32Module::UnlhaCloseArchive close_ = nullptr;
    Unlha32Module::UnlhaExtractMem extract_ = nullptr;
};

}  // namespace

TEST_F(Unlha32Test, ExportedMemoFilesAreFoundAndExtracted)
{
    std::string march = "[20190301]\r\nMemo=ひなまつり\r\n", april(5000, 'a');
    std::string first = Write("201903.txt", march), second = Write("201904.txt", april);
    Write("notes.dat", "x");
    std::string archive = folder_.Path("メモ 書き出し.lzh");
    std::string command = "a " + std::string(kSwitches) + " " + Quoted(archive) + " " + Quoted(first) + " " +
                          Quoted(second) + " " + Quoted(folder_.Path("notes.dat"));
    ASSERT_EQ(0, unlha_(nullptr, command.c_str(), nullptr, 0));
    EXPECT_EQ("201903.txt:" + std::to_string(march.size()) + " 201904.txt:5000 ", List(archive));
    HARC unquoted = open_(nullptr, archive.c_str(), 512);
    EXPECT_NE(nullptr, unquoted);
    close_(unquoted);

    std::string text;
    ASSERT_EQ(0, Extract(archive, "201903.txt", &text, (DWORD)march.size()));
    EXPECT_EQ(march, text);
    ASSERT_EQ(0, Extract(archive, "201904.TXT", &text, 5000));
    EXPECT_EQ(april, text);
    EXPECT_NE(0, Extract(archive, "201904.txt", &text, 4999));  // buffer too small
    EXPECT_NE(0, Extract(archive, "201905.txt", &text, 100));

    // Adding to the archive replaces an entry of the same name and keeps the rest.
    Write("201903.txt", "new");
    ASSERT_EQ(0, unlha_(nullptr, ("a " + Quoted(archive) + " " + Quoted(first)).c_str(), nullptr, 0));
    EXPECT_EQ("201904.txt:5000 201903.txt:3 ", List(archive));
}

TEST_F(Unlha32Test, MissingOrDamagedArchivesAndBadCommands)
{
    EXPECT_EQ("(none)", List(folder_.Path("missing.lzh")));
    std::string damaged = Write("damaged.lzh", std::string("\x30\x00-lh5-", 8) + std::string(40, '\x7f'));
    EXPECT_EQ("(none)", List(damaged));
    std::string text;
    EXPECT_NE(0, Extract(damaged, "a.txt", &text, 10));
    EXPECT_NE(0, unlha_(nullptr, ("a " + Quoted(damaged) + " " + Quoted(Write("a.txt", "a"))).c_str(), nullptr, 0));
    EXPECT_NE(0, unlha_(nullptr, ("x " + Quoted(folder_.Path("new.lzh")) + " " + Quoted(folder_.Path("a.txt"))).c_str(), nullptr, 0));
    EXPECT_NE(0, unlha_(nullptr, ("a " + Quoted(folder_.Path("new.lzh")) + " " + Quoted(folder_.Path("none.txt"))).c_str(), nullptr, 0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder_.Path("new.lzh").c_str()));
    EXPECT_EQ(nullptr, open_(nullptr, nullptr, 512));
    UnlhaEntryRecord record;
    EXPECT_EQ(-1, findFirst_(nullptr, "*.txt", &record));
}
