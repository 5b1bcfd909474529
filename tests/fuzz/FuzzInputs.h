// Generated inputs of the parser fuzz run: a seeded random source, plausible files of each format
// and the ways a file goes wrong (cut, over-long lines, lone lead bytes, huge numbers, NUL bytes).
#pragma once

#include <stdint.h>

#include <string>

// splitmix64: the same seed gives the same inputs on every machine.
class FuzzRandom {
public:
    explicit FuzzRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // 0 .. n-1; 0 for n 0.
    uint32_t Below(uint32_t n);
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    std::string Number();
    // "YYYY MM DD" parts of a real date, or with impossible set, of Feb 30, month 13, day 0, year 0
    // or a negative year.
    void Date(bool impossible, int* year, int* month, int* day);
    // A few Shift-JIS words, ASCII words and blanks.
    std::string Text(int words);

private:
    uint64_t state_;
};

// Builds a plausible file of one format; with impossible set its dates are impossible ones.
typedef std::string (*FuzzSampleProc)(FuzzRandom& random, bool impossible);

// The input of case caseIndex: a sample of the format gone wrong in the way the index selects.
// Case 0 is a file of 10 MB.
std::string MakeFuzzInput(FuzzRandom& random, FuzzSampleProc sample, uint32_t caseIndex);
