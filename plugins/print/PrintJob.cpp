// The print job: one page per month over the range. Every document and page call is checked; a failed page aborts
// the document, so a half-sent job is never reported as sent.
#include "PrintPlugIn.h"

#include "Trace.h"

int PrintMonths(HDC dc, const PageSources& sources, const PageMetrics& metrics, int fromYear, int fromMonth,
                int toYear, int toMonth)
{
    if (!dc)
        return 0;
    DOCINFOA document = {sizeof(document)};
    document.lpszDocName = PRINT_PLUGIN_NAME;
    int started = StartDocA(dc, &document);
    if (started <= 0) {
        Trace("DaylensPrint: the printer refused the document (%d, error %lu)", started, GetLastError());
        return 0;
    }
    RECT page = {0, 0, metrics.Width, metrics.Height};
    int year = fromYear, month = fromMonth;
    for (int pages = 0; pages < PRINT_PAGE_MAX; pages++) {
        if (StartPage(dc) <= 0) {
            Trace("DaylensPrint: page %d could not be started (error %lu)", pages + 1, GetLastError());
            AbortDoc(dc);
            return 0;
        }
        DrawPrintPage(dc, sources, metrics, year, month, &page);
        if (EndPage(dc) <= 0) {
            Trace("DaylensPrint: page %d could not be ended (error %lu)", pages + 1, GetLastError());
            AbortDoc(dc);
            return 0;
        }
        if (!NextPrintMonth(&year, &month, toYear, toMonth))
            break;
    }
    int ended = EndDoc(dc);
    if (ended <= 0)
        Trace("DaylensPrint: the document could not be ended (%d, error %lu)", ended, GetLastError());
    return ended > 0 ? 1 : 0;
}
