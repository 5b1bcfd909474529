// The printer list of the print dialog, apart from its window.
#include <string.h>

#include "PrintPages.h"
#include "StrUtil.h"

int AddPrinterName(char (*names)[PRINTER_NAME_SIZE], int count, int max, const char* name)
{
    if (!names || !name || !*name || count >= max)
        return count;
    for (int i = 0; i < count; i++) {
        if (strcmp(names[i], name) == 0)
            return count;
    }
    SafeStrCpy(names[count], PRINTER_NAME_SIZE, name);
    return count + 1;
}
