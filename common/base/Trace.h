// Diagnostics: why a step was skipped (a missing module, export or file), as one OutputDebugStringA line that a
// debugger shows, or Wine with WINEDEBUG=+debugstr.
#pragma once

extern "C" {

// Formats one line ("Daylens: " and the text) into at most 1,024 bytes and hands it to OutputDebugStringA.
void Trace(const char* format, ...);

}
