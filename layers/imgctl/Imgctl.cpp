// The exports of imgctl.dll: pictures read through GDI+, made blank, scaled, drawn into and taken from a DC, and
// written as 24-bit BMP files. Every picture is a 24-bit bottom-up DIB in one process-heap block; a file that
// cannot be read whole (missing, damaged, too large) gives null, never a part of a picture.
#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <string.h>

#include "DurableSave.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "ImgctlModule.h"
#include "ImgctlPicture.h"

namespace Imgctl {

namespace {

const DWORD kMagic = 0x42494449;  // "IDIB"
// The largest picture file read; a wallpaper is far smaller.
const DWORD kMaxFileBytes = 256u << 20;

void Free(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

// The whole file in a heap block, or null when it cannot be read or is empty or too large.
BYTE* ReadPictureFile(const char* path, DWORD* size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER length = {};
    if (!GetFileSizeEx(file, &length) || length.QuadPart > kMaxFileBytes) {
        CloseHandle(file);
        return nullptr;
    }
    return (BYTE*)ReadOpenFile(file, size);
}

// The decoded bitmap's pixels as a picture; null when GDI+ cannot give them.
Picture* FromGdiPlusBitmap(Gdiplus::GpBitmap* bitmap)
{
    UINT width = 0, height = 0;
    if (Gdiplus::DllExports::GdipGetImageWidth(bitmap, &width) != Gdiplus::Ok ||
        Gdiplus::DllExports::GdipGetImageHeight(bitmap, &height) != Gdiplus::Ok)
        return nullptr;
    if (width == 0 || height == 0 || width > (UINT)kMaxSide || height > (UINT)kMaxSide)
        return nullptr;
    Picture* picture = NewPicture((int)width, (int)height);
    if (!picture)
        return nullptr;
    Gdiplus::Rect rect(0, 0, (INT)width, (INT)height);
    Gdiplus::BitmapData data = {};
    if (Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB,
                                                &data) != Gdiplus::Ok) {
        FreePicture(picture);
        return nullptr;
    }
    int stride = RowStride((int)width);
    for (UINT y = 0; y < height; y++) {
        const BYTE* in = (const BYTE*)data.Scan0 + (INT_PTR)data.Stride * (INT_PTR)y;
        memcpy(picture->Bits + (size_t)(height - 1 - y) * stride, in, (size_t)width * 3);
    }
    Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
    return picture;
}

DWORD BigEndian32(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | p[3];
}

// The header fields of a BMP file lie on odd offsets: they are read byte by byte, not through a DWORD pointer.
DWORD LittleEndian32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

WORD LittleEndian16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

bool SideFits(long long side)
{
    return side != 0 && side >= -kMaxSide && side <= kMaxSide;
}

// Whether the file of a known format is there whole and of a size we take, before any decoder sees it: a cut-off
// file or an absurd size is refused here, not left to the decoder. Other formats go to GDI+ as they are.
bool LooksWhole(const BYTE* data, DWORD size)
{
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < 54)
            return false;
        DWORD offset = LittleEndian32(data + 10);
        DWORD headerSize = LittleEndian32(data + 14);
        if (headerSize < 40)
            return headerSize == 12;
        LONG width = (LONG)LittleEndian32(data + 18);
        LONG height = (LONG)LittleEndian32(data + 22);
        WORD bits = LittleEndian16(data + 28);
        DWORD compression = LittleEndian32(data + 30);
        if (width <= 0 || !SideFits(width) || !SideFits(height) || bits == 0 || bits > 32)
            return false;
        if (compression != BI_RGB && compression != BI_BITFIELDS)
            return true;
        unsigned long long rows = (unsigned long long)(((long long)width * bits + 31) / 32 * 4);
        return offset + rows * (unsigned long long)(height < 0 ? -height : height) <= size;
    }
    static const BYTE kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= 8 && memcmp(data, kPng, 8) == 0)
        return size >= 45 && SideFits(BigEndian32(data + 16)) && SideFits(BigEndian32(data + 20)) &&
               memcmp(data + size - 8, "IEND", 4) == 0;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
        // The end-of-picture marker, with at most some padding after it.
        for (DWORD i = size - 1; i >= 3 && i + 64 >= size; i--)
            if (data[i - 1] == 0xFF && data[i] == 0xD9)
                return true;
        return false;
    }
    if (size >= 4 && memcmp(data, "GIF8", 4) == 0)
        return size >= 14 && SideFits(data[6] | (data[7] << 8)) && SideFits(data[8] | (data[9] << 8));
    return true;
}

// The file is read into memory first, so that the decoder never holds it open or locked.
Picture* DecodeFile(const char* path)
{
    DWORD size = 0;
    BYTE* data = ReadPictureFile(path, &size);
    if (!data)
        return nullptr;
    if (!LooksWhole(data, size)) {
        Free(data);
        return nullptr;
    }
    Picture* picture = nullptr;
    IStream* stream = SHCreateMemStream(data, size);
    if (stream) {
        Gdiplus::GpBitmap* bitmap = nullptr;
        if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok && bitmap) {
            picture = FromGdiPlusBitmap(bitmap);
            Gdiplus::DllExports::GdipDisposeImage(bitmap);
        }
        stream->Release();
    }
    Free(data);
    return picture;
}

BITMAPINFO InfoOf(const Picture* picture)
{
    BITMAPINFO info = {};
    info.bmiHeader = picture->Header;
    return info;
}

}  // namespace

Picture* NewPicture(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    unsigned long long bytes = (unsigned long long)RowStride(width) * (unsigned long long)height;
    if (bytes > kMaxBytes)
        return nullptr;
    Picture* picture = (Picture*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Picture) + (size_t)bytes);
    if (!picture)
        return nullptr;
    picture->Magic = kMagic;
    picture->Header.biSize = sizeof(BITMAPINFOHEADER);
    picture->Header.biWidth = width;
    picture->Header.biHeight = height;
    picture->Header.biPlanes = 1;
    picture->Header.biBitCount = 24;
    picture->Header.biCompression = BI_RGB;
    picture->Header.biSizeImage = (DWORD)bytes;
    picture->Bits = (BYTE*)(picture + 1);
    return picture;
}

Picture* FromHandle(HANDLE handle)
{
    Picture* picture = (Picture*)handle;
    return picture && picture->Magic == kMagic ? picture : nullptr;
}

void FreePicture(Picture* picture)
{
    if (!picture)
        return;
    picture->Magic = 0;
    HeapFree(GetProcessHeap(), 0, picture);
}

}  // namespace Imgctl

using namespace Imgctl;

extern "C" {

IMGCTL_MODULE_EXPORTS(DAYLENS_EXPORT_DECLARE)

// GDI+ is started around each read: a DLL may not start it while it is loaded, and the caller may not have.
HDIB ToDIB(const char* path)
{
    if (!path || !path[0])
        return nullptr;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return nullptr;
    Picture* picture = DecodeFile(path);
    Gdiplus::GdiplusShutdown(token);
    return picture;
}

// Only 24-bit pictures are made; a negative (top-down) height gives the same picture bottom-up.
HDIB CreateDIB(const BITMAPINFOHEADER* header, int)
{
    if (!header || header->biSize < sizeof(BITMAPINFOHEADER) || header->biBitCount != 24 || header->biPlanes != 1)
        return nullptr;
    int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    return NewPicture(header->biWidth, height);
}

// The pixel rows from the bottom row up, starting at pixel (x, y) counted from the bottom left.
int MapDIB(HDIB handle, int x, int y, void** pixels, int)
{
    Picture* picture = FromHandle(handle);
    if (!picture || !pixels || x < 0 || y < 0 || x >= picture->Header.biWidth || y >= picture->Header.biHeight)
        return 0;
    *pixels = picture->Bits + (size_t)y * RowStride(picture->Header.biWidth) + (size_t)x * 3;
    return 1;
}

HDIB ResizeDIB(HDIB handle, int width, int height)
{
    return ScalePicture(FromHandle(handle), width, height);
}

int HeadDIB(HDIB handle, BITMAPINFOHEADER* header)
{
    Picture* picture = FromHandle(handle);
    if (!picture || !header)
        return 0;
    *header = picture->Header;
    return 1;
}

// Draws the picture's part at (sourceX, sourceY) from the top left, width x height (the whole picture when either
// is 0 or less), at (x, y) of dc.
int DIBtoDC(HDC dc, int x, int y, int width, int height, HDIB handle, int sourceX, int sourceY,
                                  DWORD rop)
{
    Picture* picture = FromHandle(handle);
    if (!picture || !dc)
        return 0;
    int pictureWidth = picture->Header.biWidth;
    int pictureHeight = picture->Header.biHeight;
    if (width <= 0 || height <= 0) {
        width = pictureWidth;
        height = pictureHeight;
    }
    if (sourceX < 0 || sourceY < 0 || sourceX + width > pictureWidth || sourceY + height > pictureHeight)
        return 0;
    BITMAPINFO info = InfoOf(picture);
    // A bottom-up picture counts the source rows from its bottom.
    int lines = StretchDIBits(dc, x, y, width, height, sourceX, pictureHeight - sourceY - height, width, height,
                              picture->Bits, &info, DIB_RGB_COLORS, rop);
    return lines > 0 ? 1 : 0;
}

HDIB DCtoDIB(HDC dc, int x, int y, int width, int height)
{
    if (!dc || width <= 0 || height <= 0)
        return nullptr;
    Picture* picture = NewPicture(width, height);
    if (!picture)
        return nullptr;
    BITMAPINFO info = InfoOf(picture);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = section ? CreateCompatibleDC(dc) : nullptr;
    bool copied = false;
    if (memory) {
        HGDIOBJ old = SelectObject(memory, section);
        copied = BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY) != 0;
        GdiFlush();
        if (copied)
            memcpy(picture->Bits, bits, picture->Header.biSizeImage);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    if (section)
        DeleteObject(section);
    if (!copied) {
        FreePicture(picture);
        return nullptr;
    }
    return picture;
}

// The file is saved whole through the durable save, or left as it was.
int DIBtoBMP(const char* path, HDIB handle)
{
    Picture* picture = FromHandle(handle);
    if (!picture || !path || !path[0])
        return 0;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + picture->Header.biSizeImage;
    BYTE* data = (BYTE*)AllocZeroed(file.bfSize);
    if (!data)
        return 0;
    memcpy(data, &file, sizeof(file));
    memcpy(data + sizeof(file), &picture->Header, sizeof(BITMAPINFOHEADER));
    memcpy(data + file.bfOffBits, picture->Bits, picture->Header.biSizeImage);
    int saved = SaveFileDurably(path, data, file.bfSize);
    HeapFree(GetProcessHeap(), 0, data);
    return saved;
}

int DeleteDIB(HDIB handle)
{
    Picture* picture = FromHandle(handle);
    if (!picture)
        return 0;
    FreePicture(picture);
    return 1;
}

IMGCTL_MODULE_EXPORTS(DAYLENS_EXPORT_CHECK)

}  // extern "C"
