// Shadowed text and every frame shape, plain and anti-aliased, in one window. With DAYLENS_GALLERY_SECONDS set the
// window stays up that long, for a screenshot of the display.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include "CalendarFrame.h"
#include "MemoryBitmap.h"
#include "ShadowText.h"
#include "TestWindow.h"

namespace {

const int kGalleryWidth = 940;
const int kGalleryHeight = 560;
const int kLabelWidth = 150;
const int kCellWidth = 190;
const int kCellHeight = 120;
const COLORREF kPage = RGB(236, 236, 236);
const COLORREF kInside = RGB(255, 255, 240);
const COLORREF kFrame1 = RGB(30, 60, 170);
const COLORREF kFrame2 = RGB(190, 215, 255);

struct FrameColumn {
    const char* label;
    int width;
    int gradation;
    int antiAlias;
};

const FrameColumn kColumns[] = {
    {"一色", 6, 0, 0},
    {"外→内", 10, 1, 0},
    {"外→内 AA", 10, 1, 1},
    {"両端 AA", 10, 3, 1},
};

const struct {
    const char* label;
    int shape;
} kShapes[] = {{"四角", FRAME_SHAPE_RECTANGLE}, {"丸", FRAME_SHAPE_ELLIPSE}, {"角丸", FRAME_SHAPE_ROUNDED}};

const int kDirections[] = {2, 4, 6, 8, 255};

HFONT MakeFont(int height, int weight)
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(lf.lfFaceName, "ＭＳ ゴシック");
    return CreateFontIndirectA(&lf);
}

void Label(HDC dc, int x, int y, const char* text)
{
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x, y, text, lstrlenA(text));
}

void DrawShadowRows(HDC dc, HFONT labelFont, HFONT bigFont, int y)
{
    const char* rows[] = {"影 幅3", "影 幅3 ぼかし"};
    for (int row = 0; row < 2; row++, y += 56) {
        SelectObject(dc, labelFont);
        Label(dc, 10, y + 14, rows[row]);
        SelectObject(dc, bigFont);
        for (int i = 0; i < 5; i++) {
            char text[16];
            wsprintfA(text, "%d 日", kDirections[i]);
            TextOutShadow(dc, kLabelWidth + 20 + i * 150, y + 8, text, RGB(255, 255, 255), RGB(20, 40, 120), 3,
                          kDirections[i], row);
        }
    }
}

// One cell as the calendar paints itself: the shape's inside over the page, then the frame.
void DrawFrameCell(HDC dc, int shape, const FrameColumn& column, int x, int y)
{
    RECT cell = {x, y, x + kCellWidth - 20, y + kCellHeight - 20};
    // The cell's edge stands for the window's edge, which cuts what is drawn beyond it.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    HBRUSH inside = CreateSolidBrush(kInside);
    HGDIOBJ oldBrush = SelectObject(dc, inside);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    if (shape == FRAME_SHAPE_ELLIPSE)
        Ellipse(dc, cell.left, cell.top, cell.right, cell.bottom);
    else if (shape == FRAME_SHAPE_ROUNDED)
        RoundRect(dc, cell.left, cell.top, cell.right, cell.bottom, 40, 40);
    else
        Rectangle(dc, cell.left, cell.top, cell.right, cell.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(inside);
    DrawShapeFrame(cell, dc, column.width, shape, 40, kFrame1, kFrame2, column.gradation, column.antiAlias);
    RestoreDC(dc, saved);
}

void DrawGallery(HDC dc)
{
    RECT all = {0, 0, kGalleryWidth, kGalleryHeight};
    HBRUSH page = CreateSolidBrush(kPage);
    FillRect(dc, &all, page);
    DeleteObject(page);
    SetBkMode(dc, TRANSPARENT);
    HFONT labelFont = MakeFont(-14, FW_NORMAL);
    HFONT bigFont = MakeFont(-30, FW_BOLD);
    HGDIOBJ oldFont = SelectObject(dc, labelFont);
    DrawShadowRows(dc, labelFont, bigFont, 10);
    SelectObject(dc, labelFont);
    int y = 130;
    for (int c = 0; c < 4; c++)
        Label(dc, kLabelWidth + 20 + c * kCellWidth, y, kColumns[c].label);
    y += 24;
    for (const auto& shape : kShapes) {
        Label(dc, 10, y + 40, shape.label);
        for (int c = 0; c < 4; c++)
            DrawFrameCell(dc, shape.shape, kColumns[c], kLabelWidth + 20 + c * kCellWidth, y);
        y += kCellHeight;
    }
    SelectObject(dc, oldFont);
    DeleteObject(labelFont);
    DeleteObject(bigFont);
}

MemoryBitmap* g_picture = nullptr;

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (g_picture)
        BitBlt(dc, 0, 0, kGalleryWidth, kGalleryHeight, g_picture->Dc(), 0, 0, SRCCOPY);
    EndPaint(window, &ps);
    return 0;
}

TEST(DrawingGallery, ShadowsAndFrames)
{
    MemoryBitmap picture(kGalleryWidth, kGalleryHeight);
    ASSERT_TRUE(picture.Valid());
    DrawGallery(picture.Dc());
    // Rectangles are never computed: every column has colour 1 on the outer edge of the rectangle row.
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(kFrame1, picture.Pixel(kLabelWidth + 20 + c * kCellWidth, 154 + 50)) << kColumns[c].label;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = GalleryProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "DaylensDrawingGallery";
    RegisterClassA(&wc);
    RECT frame = {0, 0, kGalleryWidth, kGalleryHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    g_picture = &picture;
    ScopedWindow window(CreateWindowExA(0, wc.lpszClassName, "影と枠の見本", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                        wc.hInstance, nullptr));
    ASSERT_NE(nullptr, (HWND)window);
    UpdateWindow(window);
    PumpMessages(100);
    if (const char* seconds = getenv("DAYLENS_GALLERY_SECONDS"))
        PumpMessages((DWORD)atoi(seconds) * 1000);
    g_picture = nullptr;
}

}  // namespace
