// The four pages of the print dialog, each a modeless child dialog of its own file. Command PAGE_CMD_APPLY makes
// a page store its controls, IDCANCEL destroys it.
#pragma once

#include <windows.h>

// The pages in tab order.
enum PrintPageIndex { PRINT_PAGE_RANGE = 0, PRINT_PAGE_BASIC = 1, PRINT_PAGE_FONT = 2, PRINT_PAGE_COLOR = 3,
                      PRINT_PAGE_COUNT = 4 };

HWND CreateRangePage(HWND parent);
HWND CreateBasicPage(HWND parent);
HWND CreateFontPage(HWND parent);
HWND CreateColorPage(HWND parent);

// The printer list of the dialog: names in list order, the default first; a name that is already listed
// (compared case-sensitively) is not added again. The new count.
#define PRINTER_NAME_SIZE 1024
int AddPrinterName(char (*names)[PRINTER_NAME_SIZE], int count, int max, const char* name);
