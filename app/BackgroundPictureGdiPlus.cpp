#include "BackgroundPictureGdiPlus.h"

#include <objidl.h>
#include <gdiplus.h>

#include <new>

#include "PicturePlacement.h"

namespace {

// Longest path, in UTF-16 units, that the file name conversion accepts.
const int kPathChars = 8192;

ULONG_PTR g_gdiPlusToken = 0;

// The flat API reports every failure as a status, allocation included.
class GdiPlusPicture : public BackgroundPicture {
public:
    explicit GdiPlusPicture(Gdiplus::GpBitmap* bitmap) : bitmap_(bitmap) {}
    ~GdiPlusPicture() override
    {
        if (bitmap_)
            Gdiplus::DllExports::GdipDisposeImage(bitmap_);
    }
    GdiPlusPicture(const GdiPlusPicture&) = delete;
    GdiPlusPicture& operator=(const GdiPlusPicture&) = delete;

    // 0 x 0 for a file GDI+ could not read.
    bool Size(int* width, int* height) const
    {
        UINT w = 0, h = 0;
        *width = *height = 0;
        if (!bitmap_ || Gdiplus::DllExports::GdipGetImageWidth(bitmap_, &w) != Gdiplus::Ok ||
            Gdiplus::DllExports::GdipGetImageHeight(bitmap_, &h) != Gdiplus::Ok)
            return false;
        *width = (int)w;
        *height = (int)h;
        return w > 0 && h > 0;
    }
    Gdiplus::GpBitmap* Bitmap() const { return bitmap_; }

private:
    Gdiplus::GpBitmap* bitmap_;
};

GdiPlusPicture* LoadPicture(const char* path)
{
    Gdiplus::GpBitmap* bitmap = nullptr;
    WCHAR* wide = (WCHAR*)HeapAlloc(GetProcessHeap(), 0, kPathChars * sizeof(WCHAR));
    if (wide && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kPathChars) > 0 &&
        Gdiplus::DllExports::GdipCreateBitmapFromFile(wide, &bitmap) != Gdiplus::Ok)
        bitmap = nullptr;
    if (wide)
        HeapFree(GetProcessHeap(), 0, wide);
    GdiPlusPicture* picture = new (std::nothrow) GdiPlusPicture(bitmap);
    if (!picture && bitmap)
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
    return picture;
}

}  // namespace

int StartGdiPlus()
{
    if (g_gdiPlusToken)
        return 1;
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&g_gdiPlusToken, &input, nullptr) == Gdiplus::Ok ? 1 : 0;
}

int StopGdiPlus()
{
    if (g_gdiPlusToken)
        Gdiplus::GdiplusShutdown(g_gdiPlusToken);
    g_gdiPlusToken = 0;
    return 1;
}

int DrawPictureFile(HWND window, HDC dc, const char* path, BackgroundPicture** cache, BYTE alignX, BYTE alignY,
                    BYTE mode, const RECT* margins)
{
    if (!window || !dc || !path || !*path || !cache)
        return 0;
    if (!*cache)
        *cache = LoadPicture(path);
    // Only this module creates pictures, so the cache holds one of ours.
    const GdiPlusPicture* picture = static_cast<const GdiPlusPicture*>(*cache);
    int width = 0, height = 0;
    if (!picture || !picture->Size(&width, &height))
        return 0;
    RECT client, target;
    GetClientRect(window, &client);
    if (!PlacePicture(client.right, client.bottom, width, height, alignX, alignY, mode, margins, &target))
        return 0;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (Gdiplus::DllExports::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok)
        return 0;
    Gdiplus::GpStatus status = Gdiplus::DllExports::GdipDrawImageRectRectI(
        graphics, picture->Bitmap(), target.left, target.top, target.right - target.left, target.bottom - target.top,
        0, 0, width, height, Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    Gdiplus::DllExports::GdipDeleteGraphics(graphics);
    return status == Gdiplus::Ok ? 1 : 0;
}
