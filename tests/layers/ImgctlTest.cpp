// imgctl.dll through its exports: each picture format read, smooth scaling, the 24-bit BMP it writes read back,
// pictures to and from a DC, and damaged or oversized files refused without a crash.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>

#include <fstream>
#include <iterator>
#include <string>

#include "ImgctlModule.h"
#include "MemoryBitmap.h"
#include "TempFolder.h"

namespace {

const COLORREF kLeft = RGB(200, 30, 40);
const COLORREF kRight = RGB(20, 60, 220);

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), (std::streamsize)bytes.size());
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class ImgctlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.Create("imgctl"));
        dll_ = LoadLibraryA(DAYLENS_DIST_DIR "\\imgctl.dll");
        ASSERT_NE(nullptr, dll_);
        toDib_ = Bind(ImgctlModule::kToDIB);
        create_ = Bind(ImgctlModule::kCreateDIB);
        map_ = Bind(ImgctlModule::kMapDIB);
        resize_ = Bind(ImgctlModule::kResizeDIB);
        head_ = Bind(ImgctlModule::kHeadDIB);
        toDc_ = Bind(ImgctlModule::kDIBtoDC);
        fromDc_ = Bind(ImgctlModule::kDCtoDIB);
        toBmp_ = Bind(ImgctlModule::kDIBtoBMP);
        delete_ = Bind(ImgctlModule::kDeleteDIB);
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&gdiPlus_, &input, nullptr));
    }
    void TearDown() override
    {
        if (gdiPlus_)
            Gdiplus::GdiplusShutdown(gdiPlus_);
        if (dll_)
            FreeLibrary(dll_);
    }

    template <typename Fn>
    Fn Bind(ExportName<Fn> name)
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll_, name.Name)));
    }

    // A new 24-bit picture filled by fill(x, y from the top) -> colour.
    template <typename Fill>
    HDIB MakePicture(int width, int height, Fill fill)
    {
        BITMAPINFOHEADER header = {sizeof(header), width, height, 1, 24};
        HDIB picture = create_(&header, 0);
        void* bits = nullptr;
        if (!picture || map_(picture, 0, 0, &bits, 0) != 1)
            return nullptr;
        int stride = (width * 3 + 3) & ~3;
        for (int y = 0; y < height; y++) {
            BYTE* row = (BYTE*)bits + (size_t)(height - 1 - y) * stride;
            for (int x = 0; x < width; x++) {
                COLORREF c = fill(x, y);
                row[x * 3] = GetBValue(c);
                row[x * 3 + 1] = GetGValue(c);
                row[x * 3 + 2] = GetRValue(c);
            }
        }
        return picture;
    }

    // The colour at (x, y from the top) of a picture.
    COLORREF PixelOf(HDIB picture, int x, int y)
    {
        BITMAPINFOHEADER header = {};
        void* bits = nullptr;
        if (!head_(picture, &header) || map_(picture, 0, 0, &bits, 0) != 1)
            return CLR_INVALID;
        int stride = (header.biWidth * 3 + 3) & ~3;
        const BYTE* p = (const BYTE*)bits + (size_t)(header.biHeight - 1 - y) * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    SIZE SizeOf(HDIB picture)
    {
        BITMAPINFOHEADER header = {};
        head_(picture, &header);
        return SIZE{header.biWidth, header.biHeight};
    }

    // A 40 x 30 picture, left half kLeft and right half kRight, written by GDI+ in the format of mimeType.
    std::string WriteSample(const char* name, const WCHAR* mimeType)
    {
        Gdiplus::GpBitmap* bitmap = nullptr;
        EXPECT_EQ(Gdiplus::Ok,
                  Gdiplus::DllExports::GdipCreateBitmapFromScan0(40, 30, 0, PixelFormat24bppRGB, nullptr, &bitmap));
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 40; x++) {
                COLORREF c = x < 20 ? kLeft : kRight;
                Gdiplus::DllExports::GdipBitmapSetPixel(
                    bitmap, x, y, 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
            }
        CLSID encoder = {};
        EXPECT_TRUE(FindEncoder(mimeType, &encoder));
        std::string path = folder_.Path(name);
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        EXPECT_EQ(Gdiplus::Ok, Gdiplus::DllExports::GdipSaveImageToFile(bitmap, wide, &encoder, nullptr));
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
        return path;
    }

    // The same picture as a GIF of two colours, written here: GDI+ under Wine writes no GIF. Every pixel is a
    // 3-bit literal code, with a clear code before every second one so that the code width never grows.
    std::string WriteGifSample(const char* name)
    {
        std::string gif = "GIF89a";
        auto word = [&](int value) { gif += (char)(value & 0xFF); gif += (char)(value >> 8); };
        word(40);
        word(30);
        gif += (char)0x80;  // a global table of two colours
        gif += '\0';
        gif += '\0';
        for (COLORREF c : {kLeft, kRight}) {
            gif += (char)GetRValue(c);
            gif += (char)GetGValue(c);
            gif += (char)GetBValue(c);
        }
        gif += ',';
        word(0);
        word(0);
        word(40);
        word(30);
        gif += '\0';
        gif += (char)2;  // the smallest code size: clear 4, end 5
        std::string codes;
        unsigned bits = 0;
        int count = 0;
        auto put = [&](int code) {
            bits |= (unsigned)code << count;
            count += 3;
            while (count >= 8) {
                codes += (char)(bits & 0xFF);
                bits >>= 8;
                count -= 8;
            }
        };
        for (int i = 0; i < 40 * 30; i++) {
            if (i % 2 == 0)
                put(4);
            put(i % 40 < 20 ? 0 : 1);
        }
        put(5);
        if (count > 0)
            codes += (char)(bits & 0xFF);
        for (size_t at = 0; at < codes.size(); at += 255) {
            size_t block = std::min<size_t>(255, codes.size() - at);
            gif += (char)block;
            gif += codes.substr(at, block);
        }
        gif += '\0';
        gif += ';';
        std::string path = folder_.Path(name);
        WriteBytes(path, gif);
        return path;
    }

    static bool FindEncoder(const WCHAR* mimeType, CLSID* clsid)
    {
        UINT count = 0, size = 0;
        Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size);
        std::string buffer(size, '\0');
        auto* codecs = (Gdiplus::ImageCodecInfo*)&buffer[0];
        if (!size || Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok)
            return false;
        for (UINT i = 0; i < count; i++)
            if (wcscmp(codecs[i].MimeType, mimeType) == 0) {
                *clsid = codecs[i].Clsid;
                return true;
            }
        return false;
    }

    TempFolder folder_;
    HMODULE dll_ = nullptr;
    ULONG_PTR gdiPlus_ = 0;
    ImgctlModule::ToDIB toDib_ = nullptr;
    ImgctlModule::CreateDIB create_ = nullptr;
    ImgctlModule::MapDIB map_ = nullptr;
    ImgctlModule::ResizeDIB resize_ = nullptr;
    ImgctlModule::HeadDIB head_ = nullptr;
    ImgctlModule::DIBtoDC toDc_ = nullptr;
    ImgctlModule::DCtoDIB fromDc_ = nullptr;
    ImgctlModule::DIBtoBMP toBmp_ = nullptr;
    ImgctlModule::DeleteDIB delete_ = nullptr;
};

// Each format comes back at its size, the right way up and round, with its colours (JPEG within its loss).
TEST_F(ImgctlTest, ReadsBmpJpegPngAndGif)
{
    struct Format {
        const char* Name;
        const WCHAR* Mime;
        int Tolerance;
    };
    const Format formats[] = {{"sample.bmp", L"image/bmp", 0},
                              {"sample.png", L"image/png", 0},
                              {"sample.jpg", L"image/jpeg", 24},
                              {"sample.gif", nullptr, 0}};
    for (const Format& format : formats) {
        SCOPED_TRACE(format.Name);
        std::string path = format.Mime ? WriteSample(format.Name, format.Mime) : WriteGifSample(format.Name);
        HDIB picture = toDib_(path.c_str());
        ASSERT_NE(nullptr, picture);
        SIZE size = SizeOf(picture);
        EXPECT_EQ(40, size.cx);
        EXPECT_EQ(30, size.cy);
        EXPECT_TRUE(Near(kLeft, PixelOf(picture, 5, 2), format.Tolerance));
        EXPECT_TRUE(Near(kRight, PixelOf(picture, 35, 27), format.Tolerance));
        EXPECT_EQ(1, delete_(picture));
    }
}

// Missing, empty, cut-off, garbled and oversized files give no picture, and the library goes on working.
TEST_F(ImgctlTest, DamagedFilesGiveNoPicture)
{
    std::string bmp = ReadBytes(WriteSample("good.bmp", L"image/bmp"));
    std::string png = ReadBytes(WriteSample("good.png", L"image/png"));
    std::string jpg = ReadBytes(WriteSample("good.jpg", L"image/jpeg"));
    ASSERT_GT(bmp.size(), 100u);
    ASSERT_GT(png.size(), 60u);
    ASSERT_GT(jpg.size(), 100u);
    // A BMP header claiming 100000 x 100000 pixels over a few bytes.
    std::string huge = bmp.substr(0, 54);
    *(LONG*)&huge[18] = 100000;
    *(LONG*)&huge[22] = 100000;
    std::string garbledPng = png;
    for (size_t i = 16; i < garbledPng.size(); i += 3)
        garbledPng[i] = (char)(garbledPng[i] ^ 0x5A);
    const std::pair<const char*, std::string> damaged[] = {
        {"empty.bmp", ""},
        {"cut.bmp", bmp.substr(0, 20)},
        {"huge.bmp", huge},
        {"cut.png", png.substr(0, png.size() / 2)},
        {"garbled.png", garbledPng},
        {"cut.jpg", jpg.substr(0, 40)},
        {"half.jpg", jpg.substr(0, jpg.size() / 2)},
        {"half.bmp", bmp.substr(0, bmp.size() / 2)},
        {"text.jpg", "\xFF\xD8\xFF\xE0 not a picture at all"},
    };
    for (const auto& file : damaged) {
        SCOPED_TRACE(file.first);
        WriteBytes(folder_.Path(file.first), file.second);
        EXPECT_EQ(nullptr, toDib_(folder_.Path(file.first).c_str()));
    }
    EXPECT_EQ(nullptr, toDib_(folder_.Path("missing.png").c_str()));
    EXPECT_EQ(nullptr, toDib_(nullptr));
    EXPECT_EQ(0, delete_(nullptr));
    HDIB good = toDib_(folder_.Path("good.png").c_str());
    EXPECT_NE(nullptr, good);
    delete_(good);
}

// A plain area keeps its exact colour; an edge is blended when enlarging; shrinking averages every pixel.
TEST_F(ImgctlTest, ResizeIsSmooth)
{
    HDIB halves = MakePicture(40, 30, [](int x, int) { return x < 20 ? kLeft : kRight; });
    ASSERT_NE(nullptr, halves);
    HDIB wide = resize_(halves, 160, 90);
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(160, SizeOf(wide).cx);
    EXPECT_EQ(90, SizeOf(wide).cy);
    EXPECT_EQ(kLeft, PixelOf(wide, 10, 45));
    EXPECT_EQ(kRight, PixelOf(wide, 150, 45));
    COLORREF edge = PixelOf(wide, 79, 45);
    EXPECT_LT(GetRValue(kRight), GetRValue(edge));
    EXPECT_GT(GetRValue(kLeft), GetRValue(edge));

    HDIB checks = MakePicture(100, 100, [](int x, int y) { return (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); });
    HDIB small = resize_(checks, 7, 7);
    ASSERT_NE(nullptr, small);
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 7; x++)
            EXPECT_TRUE(Near(RGB(128, 128, 128), PixelOf(small, x, y), 20)) << x << "," << y;
    EXPECT_EQ(nullptr, resize_(checks, 0, 10));
    EXPECT_EQ(nullptr, resize_(nullptr, 10, 10));
    for (HDIB p : {halves, wide, checks, small})
        delete_(p);
}

// The BMP written is a plain 24-bit file of padded rows that reads back pixel for pixel.
TEST_F(ImgctlTest, BmpWrittenReadsBack)
{
    HDIB picture = MakePicture(5, 3, [](int x, int y) { return RGB(x * 50, y * 100, 7); });
    ASSERT_NE(nullptr, picture);
    std::string path = folder_.Path("out.bmp");
    ASSERT_EQ(1, toBmp_(path.c_str(), picture));
    std::string bytes = ReadBytes(path);
    ASSERT_EQ(54u + 16u * 3u, bytes.size());
    EXPECT_EQ("BM", bytes.substr(0, 2));
    EXPECT_EQ(24, *(const WORD*)&bytes[28]);
    HDIB back = toDib_(path.c_str());
    ASSERT_NE(nullptr, back);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(PixelOf(picture, x, y), PixelOf(back, x, y)) << x << "," << y;
    EXPECT_EQ(0, toBmp_(folder_.Path("no-such-folder\\out.bmp").c_str(), picture));
    delete_(picture);
    delete_(back);
}

// A picture drawn into a DC and taken back out of it is the same, the right way up.
TEST_F(ImgctlTest, PictureToDcAndBack)
{
    HDIB picture = MakePicture(30, 20, [](int x, int y) { return y < 5 ? kLeft : x < 10 ? kRight : RGB(0, 200, 0); });
    ASSERT_NE(nullptr, picture);
    MemoryBitmap target(50, 40, RGB(255, 255, 255));
    ASSERT_TRUE(target.Valid());
    ASSERT_EQ(1, toDc_(target.Dc(), 10, 10, 30, 20, picture, 0, 0, SRCCOPY));
    EXPECT_EQ(kLeft, target.Pixel(12, 11));
    EXPECT_EQ(kRight, target.Pixel(12, 25));
    EXPECT_EQ(RGB(0, 200, 0), target.Pixel(35, 25));
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(5, 5));
    HDIB back = fromDc_(target.Dc(), 10, 10, 30, 20);
    ASSERT_NE(nullptr, back);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(PixelOf(picture, x, y), PixelOf(back, x, y)) << x << "," << y;
    BITMAPINFOHEADER bad = {sizeof(bad), 10, 10, 1, 8};
    EXPECT_EQ(nullptr, create_(&bad, 0));
    delete_(picture);
    delete_(back);
}

}  // namespace
