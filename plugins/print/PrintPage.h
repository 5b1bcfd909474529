// One month page of the print plug-in: its geometry from the page metrics of a device (pure arithmetic), and the
// drawing of the caption and of the month grid or the 31-row column into any device context. Everything a page
// shows comes in PageSources, so the printer, the preview and the tests draw the same page.
#pragma once

#include <windows.h>

#include "Holiday.h"
#include "RepeatMemo.h"

class EnvData;
struct MemoSettings;
struct MemorialSettings;

// What a device tells of its page: pixels (HORZRES, VERTRES) and millimetres (HORZSIZE, VERTSIZE).
struct PageMetrics {
    int Width;
    int Height;
    int WidthMm;
    int HeightMm;
};

// The page's measures in device pixels, derived from its metrics.
struct PageGeometry {
    double PxPerMmX;
    double PxPerMmY;
    double Unit;            // g: sqrt(width mm x height mm) / 100, in millimetres
    int MarginX;            // left and right margin, 2g across
    int MarginY;            // top and bottom margin, 2g down
    int CaptionFont;        // character heights (positive) of the fonts, 3.5g, 2.5g, 2g and g down
    int GridWeekFont;
    int DayFont;            // day numbers of the grid, weekday names and numbers of the column
    int SmallFont;          // comments and memos
    int PenWidth;           // 0.2 mm across, at least 1
};

// The options of the print dialog that change what a page shows.
struct PrintOptions {
    int PrintMemo;
    int PrintMemorial;
    int PrintHoliday;
    int PrintMyHoliday;
    int Vertical;  // 1: one column of 31 rows instead of the month grid
    LOGFONTA CommentFont;
    LOGFONTA MemoFont;
};

// Everything a page is drawn from; nothing is written through it.
struct PageSources {
    const EnvData* Env;
    const MemoSettings* Memo;          // may be null: no day memos
    const MemorialSettings* Memorial;  // may be null: memorial days uncoloured
    const PrintOptions* Options;
    const HolidayRecord* Holidays;
    int HolidayCount;
    const HolidayRecord* MyHolidays;
    int MyHolidayCount;
    const HolidayRecord* Memorials;
    int MemorialCount;
    const RepeatMemoRecord* Repeats;
    char** RepeatTexts;
    int RepeatCount;
    SYSTEMTIME Today;
};

// The measures of a page with metrics; a metric of 0 or less counts as 1.
PageGeometry ComputePageGeometry(const PageMetrics& metrics);
// Pixels across and down for a length in millimetres (truncated).
int MmAcross(const PageGeometry& g, double mm);
int MmDown(const PageGeometry& g, double mm);
// The metrics of a device context.
PageMetrics DevicePageMetrics(HDC dc);
// The metrics of a page drawn at scale: pixels scaled, millimetres kept, so the layout is the same in miniature.
PageMetrics ScalePageMetrics(const PageMetrics& metrics, double scale);

// Moves (year, month) to the next page of a range ending at (toYear, toMonth): 0 when (year, month) was the last
// page, which is also the case for a range whose end lies before its start.
int NextPrintMonth(int* year, int* month, int toYear, int toMonth);
// Most pages one print job gives.
#define PRINT_PAGE_MAX 1048576

// The month the preview shows after a wheel turn: down (negative delta) the next, up the previous, across year
// ends; no change for 0.
void StepShownMonth(int* year, int* month, int wheelDelta);

// Where column col of row row of the grid puts its day number: the text height and the x and y on the page.
struct GridCellPlace {
    int X;
    int Y;
};
GridCellPlace GridDayNumberPlace(const PageGeometry& g, const PageMetrics& metrics, int areaTop, int weekRow,
                                 int col, int row, int dayFontHeight);

// One month page into dc within page (left and top 0, right and bottom the page's size in the device's pixels),
// laid out by metrics; 1, or 0 for a null DC or source.
int DrawPrintPage(HDC dc, const PageSources& sources, const PageMetrics& metrics, int year, int month,
                  const RECT* page);
// The body under the caption: area is the page with its top at the caption's height.
int DrawMonthGrid(HDC dc, const PageSources& sources, const PageMetrics& metrics, int year, int month,
                  const RECT* area);
int DrawMonthColumn(HDC dc, const PageSources& sources, const PageMetrics& metrics, int year, int month,
                    const RECT* area);
