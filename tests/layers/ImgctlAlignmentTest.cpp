// imgctl.dll's reading compiled with misaligned reads made a trap: the fields of a BMP file's header lie at odd
// offsets of the file and must be read without assuming their type's alignment.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ImgctlModule.h"
#include "TempFolder.h"

extern "C" {
IMGCTL_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)
}

namespace {

void Put(std::string& out, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out += (char)(value >> (8 * i));
}

// A 2 x 1 24-bit BMP: file header, info header, one padded row.
std::string SmallBmp()
{
    std::string bmp = "BM";
    Put(bmp, 14 + 40 + 8, 4), Put(bmp, 0, 4), Put(bmp, 14 + 40, 4);
    Put(bmp, 40, 4), Put(bmp, 2, 4), Put(bmp, 1, 4), Put(bmp, 1, 2), Put(bmp, 24, 2), Put(bmp, BI_RGB, 4);
    Put(bmp, 8, 4), Put(bmp, 2835, 4), Put(bmp, 2835, 4), Put(bmp, 0, 4), Put(bmp, 0, 4);
    return bmp + std::string("\x10\x20\x30\x40\x50\x60\0\0", 8);
}

TEST(ImgctlAlignmentTest, ReadsABmpHeaderAtItsFileOffsets)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Create("imgctl-alignment"));
    std::string path = folder.Path("small.bmp");
    std::string bmp = SmallBmp();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bmp.data(), (DWORD)bmp.size(), &written, nullptr);
    CloseHandle(file);

    HDIB picture = ToDIB(path.c_str());
    ASSERT_NE(nullptr, picture);
    BITMAPINFOHEADER header = {};
    ASSERT_EQ(1, HeadDIB(picture, &header));
    EXPECT_EQ(2, header.biWidth);
    EXPECT_EQ(1, header.biHeight);
    DeleteDIB(picture);
}

}  // namespace
