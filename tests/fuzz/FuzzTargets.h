// The parsers the fuzz run feeds: how a plausible file of each looks and how one input is parsed.
#pragma once

#include <stddef.h>

#include "FuzzInputs.h"

struct FuzzTarget {
    const char* Name;
    FuzzSampleProc Sample;
    // The parser reads a C string: the input is followed by a NUL, the last byte before the guard page.
    bool Terminated;
    // Parses one input of size bytes (with the NUL when Terminated). folder is an empty folder of the case
    // for parsers that read files; the run function writes the input there itself.
    void (*Run)(const char* data, size_t size, const char* folder);
};

extern const FuzzTarget kFuzzTargets[];
extern const int kFuzzTargetCount;
