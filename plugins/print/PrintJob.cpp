// The print job: one page per month over the range. Every document and page call is checked; a failed page aborts
// the document, so a half-sent job is never reported as sent.
#include "PrintPlugIn.h"

int PrintMonths(HDC dc, const PageSources& sources, const PageMetrics& metrics, int fromYear, int fromMonth,
                int toYear, int toMonth)
{
    if (!dc)
        return 0;
    DOCINFOA document = {sizeof(document)};
    document.lpszDocName = PRINT_PLUGIN_NAME;
    if (StartDocA(dc, &document) <= 0)
        return 0;
    RECT page = {0, 0, metrics.Width, metrics.Height};
    int year = fromYear, month = fromMonth;
    for (int pages = 0; pages < PRINT_PAGE_MAX; pages++) {
        if (StartPage(dc) <= 0) {
            AbortDoc(dc);
            return 0;
        }
        DrawPrintPage(dc, sources, metrics, year, month, &page);
        if (EndPage(dc) <= 0) {
            AbortDoc(dc);
            return 0;
        }
        if (!NextPrintMonth(&year, &month, toYear, toMonth))
            break;
    }
    return EndDoc(dc) > 0 ? 1 : 0;
}
