// The calendar window's background per transparency kind, its frame on the client rectangle and its region.
#include <windows.h>
#include <gtest/gtest.h>

#include "CalendarFrame.h"
#include "MemoryBitmap.h"
#include "TestWindow.h"
#include "Transparency.h"

namespace {

const COLORREF kUnpainted = RGB(1, 2, 3);
const COLORREF kFill = RGB(255, 0, 0);
const COLORREF kBack = RGB(0, 0, 255);

HDC g_iconEraseDc = nullptr;
WNDPROC g_previousProc = nullptr;

LRESULT CALLBACK RecordIconErase(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ICONERASEBKGND)
        g_iconEraseDc = (HDC)wParam;
    return CallWindowProcA(g_previousProc, window, message, wParam, lParam);
}

TEST(CalendarBackgroundTest, PaintsByTransparencyKindAndShape)
{
    ScopedWindow window(CreateTestWindow(WS_POPUP, 0, 0, 100, 60));
    ASSERT_NE(nullptr, (HWND)window);
    const struct {
        const char* name;
        int transMode;
        int frameWidth;
        int shape;
        COLORREF corner;  // (0, 0)
        COLORREF centre;
    } cases[] = {
        {"key, ellipse", TRANS_MODE_KEY_AND_ALPHA, 5, FRAME_SHAPE_ELLIPSE, kFill, kBack},
        {"alpha, rounded", TRANS_MODE_ALPHA, 5, FRAME_SHAPE_ROUNDED, kFill, kBack},
        {"opaque, rectangle", TRANS_MODE_OPAQUE, 5, FRAME_SHAPE_RECTANGLE, kBack, kBack},
        {"opaque, ellipse", TRANS_MODE_OPAQUE, 5, FRAME_SHAPE_ELLIPSE, kFill, kBack},
        {"no frame", TRANS_MODE_KEY_AND_ALPHA, 0, FRAME_SHAPE_ELLIPSE, kBack, kBack},
        {"unknown kind", 7, 5, FRAME_SHAPE_ELLIPSE, kUnpainted, kUnpainted},
    };
    for (const auto& c : cases) {
        MemoryBitmap bitmap(100, 60, kUnpainted);
        ASSERT_TRUE(bitmap.Valid());
        EXPECT_EQ(1, PaintBackground(window, bitmap.Dc(), c.transMode, c.frameWidth, c.shape, 20, kFill, kBack));
        EXPECT_EQ(c.corner, bitmap.Pixel(0, 0)) << c.name;
        EXPECT_EQ(c.centre, bitmap.Pixel(50, 30)) << c.name;
    }
    MemoryBitmap bitmap(100, 60, kUnpainted);
    EXPECT_EQ(0, PaintBackground(nullptr, bitmap.Dc(), 0, 5, 0, 0, kFill, kBack));
    EXPECT_EQ(0, PaintBackground(window, nullptr, 0, 5, 0, 0, kFill, kBack));
}

TEST(CalendarBackgroundTest, PseudoTransparencyLetsTheWindowPaintTheDesktop)
{
    ScopedWindow window(CreateTestWindow(WS_POPUP, 0, 0, 100, 60));
    g_previousProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)RecordIconErase);
    MemoryBitmap bitmap(100, 60, kUnpainted);
    g_iconEraseDc = nullptr;
    EXPECT_EQ(1, PaintBackground(window, bitmap.Dc(), TRANS_MODE_PSEUDO, 5, FRAME_SHAPE_ELLIPSE, 0, kFill, kBack));
    EXPECT_EQ(bitmap.Dc(), g_iconEraseDc);
    EXPECT_EQ(0, bitmap.Count(kFill));
    EXPECT_EQ(0, bitmap.Count(kBack));
    // The frame is still drawn.
    EXPECT_EQ(1, DrawFrame(window, bitmap.Dc(), 6, FRAME_SHAPE_ELLIPSE, 0, kFill, kBack, 1, 1));
    EXPECT_EQ(kFill, bitmap.Pixel(0, 30));
    EXPECT_EQ(kBack, bitmap.Pixel(94, 30));  // the client rectangle's right edge is the outline
    EXPECT_EQ(0, DrawFrame(nullptr, bitmap.Dc(), 6, FRAME_SHAPE_ELLIPSE, 0, kFill, kBack, 1, 1));
    SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)g_previousProc);
}

TEST(CalendarBackgroundTest, WindowRegionFollowsTheShape)
{
    ScopedWindow window(CreateTestWindow(WS_POPUP, 40, 40, 100, 60));
    const struct {
        int shape;
        POINT inside, outside;
    } cases[] = {
        {FRAME_SHAPE_ELLIPSE, {50, 1}, {3, 3}},
        {FRAME_SHAPE_ROUNDED, {30, 1}, {1, 1}},
    };
    for (const auto& c : cases) {
        HRGN region = MakeWindowRegion(window, c.shape, 30);
        ASSERT_NE(nullptr, region) << c.shape;
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, GetWindowRgn(window, copy));
        EXPECT_TRUE(PtInRegion(copy, c.inside.x, c.inside.y)) << c.shape;
        EXPECT_FALSE(PtInRegion(copy, c.outside.x, c.outside.y)) << c.shape;
        DeleteObject(copy);
    }
    // Back to the rectangle: no region, and none left from the shape before.
    EXPECT_EQ(nullptr, MakeWindowRegion(window, FRAME_SHAPE_RECTANGLE, 30));
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(window, copy));
    DeleteObject(copy);
    EXPECT_EQ(nullptr, MakeWindowRegion(nullptr, FRAME_SHAPE_ELLIPSE, 30));
}

TEST(CalendarBackgroundTest, FilledBitmapIsSelectedAndFilled)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateFilledBitmap(screen, memory, 40, 30, kFill);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(bitmap, GetCurrentObject(memory, OBJ_BITMAP));
    EXPECT_EQ(kFill, GetPixel(memory, 0, 0));
    EXPECT_EQ(kFill, GetPixel(memory, 39, 29));
    EXPECT_EQ(nullptr, CreateFilledBitmap(screen, memory, 0, 30, kFill));
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

}  // namespace
