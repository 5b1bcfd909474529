// How long one frame of a 700 x 500 calendar window takes, averaged over many runs: the anti-aliased graded frames,
// and the plain frames of every shape and gradation.
#include <windows.h>

#include <stdio.h>

#include "BenchClock.h"
#include "CalendarFrame.h"
#include "RuntimeCalls.h"

namespace {

const int kWidth = 700;
const int kHeight = 500;
const int kRuns = 50;
const int kPlainRuns = 10;

struct Shape {
    const char* name;
    int shape;
    int roundness;
};

}  // namespace

int main()
{
    void* bits = nullptr;
    HBITMAP bitmap = CreateDibSection32(kWidth, kHeight, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!bitmap || !dc) {
        fprintf(stderr, "no bitmap\n");
        return 1;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT rect = {0, 0, kWidth, kHeight};
    const Shape shapes[] = {{"ellipse", FRAME_SHAPE_ELLIPSE, 0}, {"rounded", FRAME_SHAPE_ROUNDED, 120}};
    for (const Shape& s : shapes) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < kRuns; i++) {
            PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
            DrawShapeFrame(rect, dc, 12, s.shape, s.roundness, RGB(40, 60, 160), RGB(220, 230, 255), 1, 1);
        }
        QueryPerformanceCounter(&end);
        printf("anti-aliased %s frame, %dx%d, width 12: %.3f ms per frame (%d runs)\n", s.name, kWidth, kHeight,
               Milliseconds(start, end) / kRuns, kRuns);
    }
    const Shape plainShapes[] = {
        {"rectangle", FRAME_SHAPE_RECTANGLE, 0},
        {"ellipse", FRAME_SHAPE_ELLIPSE, 0},
        {"rounded", FRAME_SHAPE_ROUNDED, 120},
    };
    const int widths[] = {12, 60};
    for (int width : widths) {
        for (const Shape& s : plainShapes) {
            for (int gradation = FRAME_GRADATION_NONE; gradation <= FRAME_GRADATION_MIDDLE; gradation++) {
                LARGE_INTEGER start, end;
                QueryPerformanceCounter(&start);
                for (int i = 0; i < kPlainRuns; i++) {
                    PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
                    DrawShapeFrame(rect, dc, width, s.shape, s.roundness, RGB(40, 60, 160), RGB(220, 230, 255),
                                   gradation, 0);
                }
                QueryPerformanceCounter(&end);
                printf("plain %s frame, %dx%d, width %d, gradation %d: %.3f ms per frame (%d runs)\n", s.name, kWidth,
                       kHeight, width, gradation, Milliseconds(start, end) / kPlainRuns, kPlainRuns);
            }
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return 0;
}
