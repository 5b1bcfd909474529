#include "Trace.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

extern "C" {

void Trace(const char* format, ...)
{
    char line[1024];
    int used = snprintf(line, sizeof(line), "Daylens: ");
    va_list args;
    va_start(args, format);
    vsnprintf(line + used, sizeof(line) - (size_t)used - 2, format ? format : "", args);
    va_end(args);
    size_t length = strlen(line);
    line[length] = '\n';
    line[length + 1] = '\0';
    OutputDebugStringA(line);
}

}  // extern "C"
