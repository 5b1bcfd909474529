// Writes the archives the lha command checks (lzh-interop.sh): dll.lzh made by unlha32.dll's "a" command from the
// files of src\, and levels.lzh with entries of header levels 0, 1 and 2 in -lh0-, -lh5-, -lh6- and -lh7-, each a
// copy of a file of src\. Usage: lzh_interop_writer <folder> <unlha32.dll>
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "LzhFixtures.h"
#include "Unlha32Module.h"

namespace {

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& data)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(data.data(), 1, data.size(), file) == data.size();
    return fclose(file) == 0 && ok;
}

std::vector<uint8_t> Text(size_t size, uint32_t seed)
{
    static const char* const kWords[] = {"memo ", "予定 ", "2019", "\r\n", "会議 ", "x", "   ", "買い物"};
    std::string text;
    uint32_t x = seed;
    while (text.size() < size) {
        x = x * 1664525 + 1013904223;
        text += kWords[x >> 29];
    }
    return LzhFixtures::Bytes(text.substr(0, size));
}

std::vector<uint8_t> Noise(size_t size, uint32_t seed)
{
    std::vector<uint8_t> data(size);
    uint32_t x = seed;
    for (uint8_t& b : data) {
        x = x * 1664525 + 1013904223;
        b = (uint8_t)(x >> 24);
    }
    return data;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    std::string folder = argv[1], src = folder + "\\src\\";
    CreateDirectoryA(src.c_str(), nullptr);
    struct File {
        const char* Name;
        std::vector<uint8_t> Data;
    };
    const std::vector<File> files = {
        {"201904.txt", Text(30000, 1)},  {"20190401.txt", Text(700, 2)}, {"noise.bin", Noise(9000, 3)},
        {"empty.txt", {}},               {"big.txt", Text(400000, 4)},
    };
    std::string command = "a -r0x0a1n1gm1 \"" + folder + "\\dll.lzh\"";
    for (const File& file : files) {
        if (!WriteBytes(src + file.Name, file.Data))
            return 3;
        command += " \"" + src + file.Name + "\"";
    }
    HMODULE dll = LoadLibraryA(argv[2]);
    auto unlha = FindExport(dll, Unlha32Module::kUnlha);
    if (!unlha || unlha(nullptr, command.c_str(), nullptr, 0) != 0) {
        fprintf(stderr, "unlha32.dll did not write dll.lzh\n");
        return 4;
    }

    std::vector<uint8_t> archive;
    const char* const methods[] = {"-lh0-", "-lh5-", "-lh6-", "-lh7-"};
    std::vector<uint8_t> content = Text(50000, 5);
    for (int level = 0; level <= 2; level++) {
        for (const char* method : methods) {
            std::string name = "l" + std::to_string(level) + method + ".txt";
            std::vector<uint8_t> entry =
                level == 0   ? LzhFixtures::Level0Entry(name, method, content, 0x4E816000)
                : level == 1 ? LzhFixtures::Level1Entry(name, method, content, 0x4E816000, "")
                             : LzhFixtures::Level2Entry(name, method, content, 1554121800, "");
            archive.insert(archive.end(), entry.begin(), entry.end());
            if (!WriteBytes(src + name, content))
                return 3;
        }
    }
    archive.push_back(0);
    if (!WriteBytes(folder + "\\levels.lzh", archive))
        return 3;
    printf("wrote dll.lzh and levels.lzh\n");
    return 0;
}
