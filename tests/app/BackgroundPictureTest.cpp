// The background picture: a BMP written by the test, drawn through GDI+ into a memory bitmap.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BackgroundPictureGdiPlus.h"
#include "MemoryBitmap.h"
#include "PicturePlacement.h"
#include "TempFolder.h"

namespace {

const COLORREF kGround = RGB(0, 0, 0);
const COLORREF kLeft = RGB(255, 0, 0);
const COLORREF kRight = RGB(0, 255, 0);

// A 24-bit BMP whose left half is kLeft and right half kRight.
bool WriteBmp(const std::string& path, int width, int height)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> pixels(stride * height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            COLORREF c = x < width / 2 ? kLeft : kRight;
            BYTE* p = &pixels[y * stride + x * 3];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(f, &file, sizeof(file), &written, nullptr) && WriteFile(f, &info, sizeof(info), &written, nullptr) &&
              WriteFile(f, pixels.data(), (DWORD)pixels.size(), &written, nullptr);
    CloseHandle(f);
    return ok;
}

class BackgroundPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, StartGdiPlus());
        ASSERT_TRUE(folder_.Create("picture"));
        small_ = folder_.Path("small.bmp");
        large_ = folder_.Path("large.bmp");
        ASSERT_TRUE(WriteBmp(small_, 20, 10));
        ASSERT_TRUE(WriteBmp(large_, 300, 200));
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override
    {
        if (window_)
            DestroyWindow(window_);
        StopGdiPlus();
    }

    // Draws path into a fresh bitmap; the bounding box of each half's colour.
    int Draw(const std::string& path, BYTE alignX, BYTE alignY, BYTE mode, const RECT* margins, RECT* left,
             RECT* right)
    {
        MemoryBitmap bitmap(200, 100, kGround);
        BackgroundPicture* cache = nullptr;
        int drawn = DrawPictureFile(window_, bitmap.Dc(), path.c_str(), &cache, alignX, alignY, mode, margins);
        delete cache;
        bitmap.Count(kLeft, left);
        bitmap.Count(kRight, right);
        return drawn;
    }

    TempFolder folder_;
    std::string small_, large_;
    HWND window_ = nullptr;
};

TEST_F(BackgroundPictureTest, LandsWhereAlignmentAndMarginsSay)
{
    const RECT margins = {5, 6, 7, 8};
    const struct {
        BYTE alignX, alignY;
        const RECT* margins;
        RECT left, right;
    } cases[] = {
        {PICTURE_ALIGN_CENTER, PICTURE_ALIGN_CENTER, nullptr, {90, 45, 100, 55}, {100, 45, 110, 55}},
        {PICTURE_ALIGN_NEAR, PICTURE_ALIGN_NEAR, &margins, {5, 6, 15, 16}, {15, 6, 25, 16}},
        {PICTURE_ALIGN_FAR, PICTURE_ALIGN_FAR, &margins, {173, 82, 183, 92}, {183, 82, 193, 92}},
    };
    for (const auto& c : cases) {
        RECT left, right;
        ASSERT_EQ(1, Draw(small_, c.alignX, c.alignY, 0, c.margins, &left, &right));
        EXPECT_TRUE(EqualRect(&c.left, &left)) << (int)c.alignX << ": " << left.left << "," << left.top;
        EXPECT_TRUE(EqualRect(&c.right, &right)) << (int)c.alignX << ": " << right.left << "," << right.top;
    }
}

TEST_F(BackgroundPictureTest, StretchFillsTheMarginsBox)
{
    const RECT tens = {10, 10, 10, 10};
    MemoryBitmap bitmap(200, 100, kGround);
    BackgroundPicture* cache = nullptr;
    ASSERT_EQ(1, DrawPictureFile(window_, bitmap.Dc(), small_.c_str(), &cache, 1, 1, PICTURE_MODE_STRETCH, &tens));
    delete cache;
    // Inside (10, 10)-(190, 90): left half, right half; outside: untouched. The edges may be smoothed.
    EXPECT_EQ(kLeft, bitmap.Pixel(20, 20));
    EXPECT_EQ(kLeft, bitmap.Pixel(50, 80));
    EXPECT_EQ(kRight, bitmap.Pixel(150, 20));
    EXPECT_EQ(kRight, bitmap.Pixel(180, 80));
    for (POINT p : {POINT{9, 50}, POINT{190, 50}, POINT{100, 9}, POINT{100, 90}})
        EXPECT_EQ(kGround, bitmap.Pixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(BackgroundPictureTest, LargerPictureIsCutEquallyOnBothSides)
{
    RECT left, right;
    ASSERT_EQ(1, Draw(large_, PICTURE_ALIGN_CENTER, PICTURE_ALIGN_CENTER, 0, nullptr, &left, &right));
    // 300 x 200 at (-50, -50): the halves meet in the middle of the window.
    EXPECT_EQ(0, left.left);
    EXPECT_EQ(100, left.right);
    EXPECT_EQ(100, right.left);
    EXPECT_EQ(200, right.right);
    EXPECT_EQ(100, right.bottom);
}

TEST_F(BackgroundPictureTest, MissingOrEmptyFileDrawsNothing)
{
    MemoryBitmap bitmap(200, 100, kGround);
    BackgroundPicture* cache = nullptr;
    std::string missing = folder_.Path("missing.png");
    EXPECT_EQ(0, DrawPictureFile(window_, bitmap.Dc(), missing.c_str(), &cache, 1, 1, 0, nullptr));
    // The unreadable picture stays cached until the caller drops it.
    ASSERT_NE(nullptr, cache);
    EXPECT_EQ(0, DrawPictureFile(window_, bitmap.Dc(), small_.c_str(), &cache, 1, 1, 0, nullptr));
    delete cache;
    cache = nullptr;
    EXPECT_EQ(0, DrawPictureFile(window_, bitmap.Dc(), "", &cache, 1, 1, 0, nullptr));
    EXPECT_EQ(nullptr, cache);
    EXPECT_EQ(0, DrawPictureFile(window_, bitmap.Dc(), small_.c_str(), nullptr, 1, 1, 0, nullptr));
    EXPECT_EQ(0, DrawPictureFile(nullptr, bitmap.Dc(), small_.c_str(), &cache, 1, 1, 0, nullptr));
    EXPECT_EQ(200 * 100, bitmap.Count(kGround));
    // A cached picture is drawn again without the file.
    ASSERT_EQ(1, DrawPictureFile(window_, bitmap.Dc(), small_.c_str(), &cache, 1, 1, 0, nullptr));
    DeleteFileA(small_.c_str());
    bitmap.Fill(kGround);
    EXPECT_EQ(1, DrawPictureFile(window_, bitmap.Dc(), small_.c_str(), &cache, 1, 1, 0, nullptr));
    EXPECT_EQ(kLeft, bitmap.Pixel(91, 46));
    delete cache;
}

}  // namespace
