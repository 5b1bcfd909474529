// Sums and products of pixel distances from the settings file, which may hold any int: worked out in 64 bits and
// held to int's range, so that a huge distance gives a huge result instead of wrapping round to a negative one.
#pragma once

#include <limits.h>

inline int HeldInt(long long value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : (int)value;
}
