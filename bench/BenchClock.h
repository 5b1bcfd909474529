// The clock of the benchmark programs: the performance counter, milliseconds between two readings, and a set of
// measured times with its minimum and median.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

inline LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

struct Timings {
    std::vector<double> Times;
    double Min() const { return *std::min_element(Times.begin(), Times.end()); }
    double Median() const
    {
        std::vector<double> sorted = Times;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};
