// How long one anti-aliased frame of a 700 x 500 calendar window takes, averaged over many runs.
#include <windows.h>

#include <stdio.h>

#include "BenchClock.h"
#include "CalendarFrame.h"
#include "RuntimeCalls.h"

namespace {

const int kWidth = 700;
const int kHeight = 500;
const int kRuns = 50;

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
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return 0;
}
